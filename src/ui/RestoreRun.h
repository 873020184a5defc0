#pragma once
// A kept run's inputs put back into the main window, so that Growth grows it
// again: herd and target, herd sex, pigs, feed formulation, growth curve,
// each diet's name, price, allotment, energy and nutrients, and, for
// least-cost diets, the restrictions and ingredient prices they were
// formulated with.
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Writes the inputs in the location's current display units. Returns what the
// user should know (restrictions of ingredients or nutrients the current
// matrix does not have, a least-cost run restored without a matrix, the
// ingredient prices put back with what they replaced).
std::vector<std::string> RestoreRun(SharedState& s, const RunSnapshot& run);

}  // namespace tarvisol
