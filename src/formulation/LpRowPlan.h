#pragma once
// What each row of a diet's LP stands for: the weight, a nutrient minimum or
// maximum, an ingredient minimum or maximum. Laid out by the same rules as
// BuildLp, from the record's limits, without messages and without changing
// anything, so that a solve's rows can be named long after the LP table was
// rebuilt for another diet.
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

enum class LpRowKind { Weight, NutrientMinimum, NutrientMaximum, IngredientMinimum, IngredientMaximum };

struct LpPlannedRow {
    int tableRow = 0;  // LP table row, 1-based
    LpRowKind kind = LpRowKind::Weight;
    int index = 0;     // nutrient index k, or ingredient i
    int sense = 0;     // 1 at least, -1 at most, 0 equality
    double rhs = 0;    // the limit as the LP holds it (matrix units; percent for ingredients)
};

struct LpRowPlan {
    bool refused = false;  // the diet does not fit the LP table (BuildLp refuses it)
    int rowCount = 0;      // LpRowCount as BuildLp sets it
    std::vector<LpPlannedRow> rows;  // the rows with coefficients, in table order (all-zero rows of the block left out)
};

// The rows BuildLp lays out for diet d from the record as it is now (the
// weight's 100 % is an equality, never a maximum row, whatever
// NutrientLimits(d, 2, 0) holds after a solve).
LpRowPlan PlanLpRows(const SharedState& s, int d);

// Coefficient of ingredient j (1-based) in a planned row.
double PlannedCoefficient(const SharedState& s, const LpPlannedRow& row, int j);

// The nutrient maximum of diet d as BuildLp uses it (for a nutrient, a maximum
// below its minimum is raised to the minimum first).
double PlannedNutrientMaximum(const SharedState& s, int d, int k);

}  // namespace tarvisol
