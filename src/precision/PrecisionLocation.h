#pragma once
// What a precision-feeding comparison takes from a location: the Growth
// command run once on a private copy (its programme, formulated when least
// cost is chosen, its starting and final weight), the genotype the
// nutrient-response model grows (the location's, or the NRC 2012 reference
// pig for a location on the documented curve), and feeds A and B: formulated
// at least cost from the location's matrix, A with the limits of its first
// diet and the requirement of the mean pig at the starting weight, B with
// those of its last diet and the requirement at the final weight; or two of
// the location's diets. Neither the location nor its window change.
#include <string>
#include <vector>

#include "market/MarketSettings.h"
#include "precision/PrecisionRun.h"

namespace tarvisol {
struct SharedState;
}

namespace tarvisol::precision {

struct FeedChoice {
    // 0 and 0: formulate A and B; otherwise the location's diets (1..8) taken as A and B.
    int DietA = 0, DietB = 0;
};

struct PrecisionLocation {
    std::string Problem;  // why there is nothing to compare (empty when there is)
    PrecisionInputs Inputs;
    std::string GenotypeName;
    bool LocationGenotype = false;  // the location's own genotype (else the reference pig)
    bool Formulated = false;        // A and B formulated (else two of the location's diets)
    // The minimums the formulation gave A and B: SID lysine and STTD phosphorus, % of the feed.
    double LysineMinA = 0, LysineMinB = 0, SttdMinA = 0, SttdMinB = 0;
    std::vector<std::string> Notes;
};

PrecisionLocation PrecisionLocationOf(const SharedState& s, const MarketSettings& market, const FeedChoice& choice);

}  // namespace tarvisol::precision
