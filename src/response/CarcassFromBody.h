#pragma once
// The carcass of a nutrient-response pig from its own body: fat-free lean
// from body protein, the hot carcass from the empty body, and back fat from
// the fat-free lean a carcass of that weight and loin carries.
#include "response/PigBody.h"

namespace tarvisol::response {

struct BodyCarcass {
    double HotCarcass = 0;  // kg
    double FatFreeLean = 0; // kg
    double Yield = 0;       // hot carcass, % of live weight
    double Lean = 0;        // fat-free lean, % of the hot carcass
    double BackFat = 0;     // mm at the 10th rib
};

// The carcass of a pig of live weight w (kg) with body b, whose loin eye at
// the 10th rib is loinAreaCm2.
BodyCarcass CarcassOfBody(const SexCurves& c, double liveWeight, const PigBody& b, double loinAreaCm2);

}  // namespace tarvisol::response
