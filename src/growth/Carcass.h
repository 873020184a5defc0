#pragma once
// Carcass estimates from live weight: back fat at the 10th rib, longissimus
// area, loin depth, carcass lean and yield, for males, females and their mean.
#include "shared/SharedState.h"

namespace tarvisol {

struct CarcassTraits {
    double backFat, loinArea, lean, yield, loinDepth;
};

// Traits of a male and a female at live weight x (kg); area and depth in
// square inches and inches when inches is true.
CarcassTraits MaleCarcass(double x, bool inches);
CarcassTraits FemaleCarcass(double x, bool inches);

// The caption of the longissimus area in tables and files: square inches
// when the weight unit is pounds (1), square centimetres otherwise.
inline const char* LoinAreaCaption(int weightUnit) {
    return weightUnit == 1 ? "Longissimus Area sq in." : "Longissimus Area sq cm.";
}

// Reads the live weights of the daily grid (column 6), writes the mixed-herd
// traits of every day heavier than the pig was at 125 days of age into columns
// 10..13 (back fat in inches when the weight unit is pounds) and leaves the
// heaviest day's traits in CarcassTable. A run that starts after 125 days gets
// traits for every day it grew. When no day qualifies (the run ended before
// age 125), CarcassTable is cleared.
void CarcassOutputs(SharedState& s);

// The traits CarcassOutputs leaves in CarcassTable after a run of GrowPig,
// worked out from the day tables as the daily grid would show their weights,
// for a run made without the daily grid. Writes no grid.
void RunCarcass(SharedState& s);

}  // namespace tarvisol
