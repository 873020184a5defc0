#pragma once
// A formulated diet as a batch for the feed mill: each ingredient's weight in
// a batch of the chosen size, rounded to the scale's resolution (a coarser
// step for the large ingredients, a finer one for the small ones) so that the
// rounded weights still add up to the batch, listed largest first; then the
// rounded batch's nutrient contents against the diet's limits.
//
// An ingredient is rounded to a weight inside its own limits whenever the
// scale has one. A limit the rounded batch misses by no more than one weighing
// step can move it (one step of that ingredient; for a nutrient, one step of
// the ingredient that moves it most) is within weighing tolerance: the scale
// cannot do better. A limit missed by more is broken.
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

// The word for a limit missed within weighing tolerance.
inline constexpr const char* kWithinWeighingTolerance = "within weighing tolerance";

struct MixingOptions {
    double batch = 1000;           // batch size, in the weight unit
    double coarseStep = 0.5;       // scale resolution for ingredients above `fineBelow` percent
    double fineStep = 0.01;        // and for those at or below it
    double fineBelow = 2;          // percent of the diet
};

// 1000 kg with 0.5 kg and 0.01 kg steps, in the location's weight unit (0 kg,
// 1 lb, 2 g): 2205 lb with 1 lb and 0.02 lb, or 1,000,000 g with 500 g and 10 g.
MixingOptions DefaultMixingOptions(int weightUnit);

struct MixedIngredient {
    int ingredient = 0;       // matrix row, 1-based
    std::string name;
    double inclusion = 0;     // percent of the formulated diet
    double exact = 0;         // its share of the batch before rounding
    double step = 0;          // the resolution it was rounded to
    double weight = 0;        // rounded weight
    double batchPercent = 0;  // percent of the rounded batch
    double minimum = 0, maximum = 0;  // the diet's limits on it (0 = none)
    bool broken = false;           // the rounding takes it past one of them by more than a step
    bool withinTolerance = false;  // past one of them by no more than its own step
};

struct MixedNutrient {
    int nutrient = 0;         // nutrient index k
    std::string name;
    double minimum = 0, maximum = 0;  // 0 = none
    double diet = 0;          // content of the formulated diet
    double batch = 0;         // content of the rounded batch
    double tolerance = 0;     // what one weighing step moves its content by, at most
    bool belowMinimum = false, aboveMaximum = false;  // broken by the rounding, beyond the tolerance
    bool withinTolerance = false;  // past a limit by no more than the tolerance
};

struct MixingSheet {
    int diet = 0;
    MixingOptions options;
    double total = 0;         // sum of the rounded weights (the batch unless it cannot be met exactly)
    std::vector<MixedIngredient> ingredients;  // largest first
    std::vector<MixedNutrient> nutrients;      // every restricted nutrient, in nutrient order
    int broken = 0;           // limits the rounding breaks
    int withinTolerance = 0;  // limits missed within weighing tolerance
};

// Builds the sheet of diet d. Returns an empty text, or why there is no sheet
// (the diet is infeasible or has no formula, or a size or step is unusable).
std::string BuildMixingSheet(const SharedState& s, int d, const MixingOptions& options, MixingSheet& out);

}  // namespace tarvisol
