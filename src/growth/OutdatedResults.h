#pragma once
// Whether the results on the main window still belong to the inputs shown:
// a change of the herd, the curve, the diets grid, the units, the matrix
// prices or the restrictions after a Growth run marks its results as from
// before the change until the next run (or until the input is put back).
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kResultsFromBefore = "Results from before the inputs changed: press Growth";

// The inputs a Growth run reads, as one text.
std::string RunInputsText(const SharedState& s);

// True when there are results and the inputs changed since they were made.
bool ResultsOutdated(const SharedState& s);

// Shows the mark on the main window (the results label, the cost and
// feed/gain boxes shaded) or clears it.
void MarkOutdatedResults(SharedState& s);
// The same when the caller knows the answer (a run just made: current).
void ShowResultsOutdated(SharedState& s, bool outdated);

}  // namespace tarvisol
