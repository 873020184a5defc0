#pragma once
// The days a Growth run grew, read back from the record's day tables once the
// run has ended: each day's starting weight, the feed eaten, the protein
// deposited (0.22 x the fat-free gain, as the engine computes it) and the
// diet in force, replayed with the engine's own changeover rule. A run of
// the nutrient-response model gives its own days (feed eaten, protein
// deposited, diet in force).
#include <vector>

#include "shared/RunNutrition.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Empty for a failed run or a run that grew no day. The last day of a run
// that reached its final weight has Share below 1: the part of the day the
// run needed to reach it.
std::vector<RequirementDay> GrownDays(const SharedState& s);

}  // namespace tarvisol
