#pragma once
// Adds a Growth run's requirements and nutrient balance to its snapshot.
#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Reads the run's days from the record (which must still hold the run the
// snapshot was taken of), computes the requirements day by day and per
// phase, and the balance with emptyDays between batches. Diets read from the
// diets grid take their further nutrients (calcium, phosphorus, ...) from the
// grid's rows too, since the engine reads only energy to valine from it.
void AddRunNutrition(const SharedState& s, RunSnapshot& run, double emptyDays);

}  // namespace tarvisol
