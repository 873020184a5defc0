#pragma once
// What a finished Growth run carries besides the engine's results: the
// requirements and the nutrient balance, the balance per pig place and year
// with the empty days of the location's market settings.
#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Completes the snapshot of the run the record has just made.
void CompleteGrowthSnapshot(const SharedState& s, RunSnapshot& run);

// Makes every Growth run on the record complete its snapshot.
void InstallRunCompletion(SharedState& s);

}  // namespace tarvisol
