#pragma once
// A feed a pig is fed in the precision-feeding comparison: what the response
// model grows it on (net energy and SID amino acids), what the balance counts
// (crude protein, STTD and total phosphorus) and its price. Plain data.
#include <string>

#include "response/ResponsivePig.h"

namespace tarvisol::precision {

struct BlendFeed {
    std::string Name;
    response::ResponseDiet Diet;  // Ne, Amino (% SID); Allotment for a phase diet
    double CrudeProtein = 0;      // % as fed
    double SttdPhosphorus = 0;    // % as fed; 0 when the matrix names none
    double TotalPhosphorus = 0;   // % as fed; 0 when the matrix names none
    double PricePerKg = 0;        // money per kg of feed supplied
};

// share of a and 1 - share of b, every figure in proportion.
BlendFeed MixOf(const BlendFeed& a, const BlendFeed& b, double share);

}  // namespace tarvisol::precision
