#include "formulation/LpRowPlan.h"

#include <algorithm>

namespace tarvisol {
namespace {

// The layout of the LP table: rows 1..61 nutrient minimums, row 62 the first
// of the maximum block, 320 rows in all; nutrient k needs matrix column k + 1.
constexpr int kMinimumBlock = 61;
constexpr int kTableRows = 320;
constexpr int kLastNutrientWithColumn = 120;

}  // namespace

double PlannedNutrientMaximum(const SharedState& s, int d, int k) {
    const double hi = s.NutrientLimits(d, 2, k);
    const double lo = s.NutrientLimits(d, 1, k);
    return k >= 1 && hi > 0 && hi < lo ? lo : hi;
}

double PlannedCoefficient(const SharedState& s, const LpPlannedRow& row, int j) {
    switch (row.kind) {
        case LpRowKind::Weight:
            return s.IngredientMatrix(1, j) / 100;
        case LpRowKind::NutrientMinimum:
        case LpRowKind::NutrientMaximum:
            return s.IngredientMatrix(row.index + 1, j) / 100;
        case LpRowKind::IngredientMinimum:
        case LpRowKind::IngredientMaximum:
            return row.index == j ? 1 : 0;
    }
    return 0;
}

LpRowPlan PlanLpRows(const SharedState& s, int d) {
    LpRowPlan plan;
    // Nutrient rows: the weight and the fourteen fixed nutrients always, further
    // nutrients where the diet restricts them.
    std::vector<int> nutrients;  // nutrient index k of nutrient row r = 1..NR
    for (int k = 0; k <= 14; ++k) nutrients.push_back(k);
    const int last = std::min<int>(s.NutrientCount, kLastNutrientWithColumn);
    for (int k = 15; k <= last; ++k)
        if (s.NutrientLimits(d, 1, k) != 0 || s.NutrientLimits(d, 2, k) != 0) nutrients.push_back(k);
    const int nr = static_cast<int>(nutrients.size());

    // The weight's 100 % is an equality: never a maximum row.
    auto maximumOf = [&](int k) { return k == 0 ? 0.0 : PlannedNutrientMaximum(s, d, k); };
    int maxRows = 0;
    for (int k : nutrients)
        if (maximumOf(k) > 0) ++maxRows;
    int ingredientRows = 0;
    for (int j = 1; j <= s.IngredientCount; ++j) {
        if (std::max(s.IngredientLimits(d, 1, j), 0.0) > 0) ++ingredientRows;
        const double hi = s.IngredientLimits(d, 2, j);
        if (!(hi >= 100 || hi == 0)) ++ingredientRows;
    }
    if (nr > kMinimumBlock || kMinimumBlock + 1 + maxRows + ingredientRows > kTableRows) {
        plan.refused = true;
        return plan;
    }

    plan.rows.push_back({1, LpRowKind::Weight, 0, 0, 100});
    for (int r = 2; r <= nr; ++r) {
        const int k = nutrients[static_cast<std::size_t>(r - 1)];
        plan.rows.push_back({r, LpRowKind::NutrientMinimum, k, 1, s.NutrientLimits(d, 1, k)});
    }
    int q = kMinimumBlock + 1;
    for (int k : nutrients) {
        const double m = maximumOf(k);
        if (m > 0) plan.rows.push_back({++q, LpRowKind::NutrientMaximum, k, -1, m});
    }
    for (int j = 1; j <= s.IngredientCount; ++j) {
        const double lo = std::max(s.IngredientLimits(d, 1, j), 0.0);
        if (lo > 0) plan.rows.push_back({++q, LpRowKind::IngredientMinimum, j, 1, lo});
        const double hi = s.IngredientLimits(d, 2, j);
        if (!(hi >= 100 || hi == 0)) plan.rows.push_back({++q, LpRowKind::IngredientMaximum, j, -1, hi < 0 ? 0 : hi});
    }
    plan.rowCount = q;
    return plan;
}

}  // namespace tarvisol
