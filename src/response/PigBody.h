#pragma once
// The pig's body as the nutrient-response model keeps it: protein and lipid,
// with water and ash following protein, and the live weight that follows the
// empty body.
#include "response/GenotypeCurves.h"

namespace tarvisol::response {

struct PigBody {
    double Protein = 0;  // kg
    double Lipid = 0;    // kg
};

// Empty body weight from live weight and back (kg).
double EmptyBodyOf(double liveWeight);
double LiveWeightOf(double emptyBody);
// The empty body of protein and lipid, with the water and ash of that protein.
double EmptyBodyOf(const SexCurves& c, const PigBody& b);

// The body of a pig of live weight w at the start: protein at the start's
// share of the empty body, lipid what water and ash leave (never below 2 %
// of the empty body).
PigBody StartBody(const SexCurves& c, double liveWeight);

}  // namespace tarvisol::response
