#include "formulation/DietSensitivity.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "formulation/LpRanging.h"
#include "formulation/LpRowPlan.h"
#include "formulation/Lprogr.h"

namespace tarvisol {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// The solver takes coefficients this small as zero (and drops a row of them).
constexpr double kTinyCoefficient = 1e-30;

double Kept(double a) { return std::fabs(a) > kTinyCoefficient ? a : 0.0; }

bool AnyCoefficient(const SharedState& s, const LpPlannedRow& row) {
    for (int j = 1; j <= s.IngredientCount; ++j)
        if (Kept(PlannedCoefficient(s, row, j)) != 0) return true;
    return false;
}

// The planned rows the solver kept, matched one for one with the rows of its
// last solve; false when they differ in any row, sense, limit or coefficient.
bool Matches(const SharedState& s, const LpRowPlan& plan, const LpSolvedDiet& m, std::vector<const LpPlannedRow*>& kept) {
    kept.clear();
    if (plan.refused) return false;
    for (const LpPlannedRow& row : plan.rows)
        if (AnyCoefficient(s, row)) kept.push_back(&row);
    if (kept.size() != m.tableRows.size()) return false;
    const int n = m.cols;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const LpPlannedRow& row = *kept[i];
        if (row.tableRow != m.tableRows[i] || row.sense != m.senses[i] || row.rhs != m.rhs[i]) return false;
        for (int j = 1; j <= n; ++j)
            if (Kept(PlannedCoefficient(s, row, j)) != m.coef[i * static_cast<std::size_t>(n) + static_cast<std::size_t>(j - 1)])
                return false;
    }
    return true;
}

bool AtLimit(double activity, double rhs) { return std::fabs(activity - rhs) <= 1e-7 * std::max(1.0, std::fabs(rhs)); }

std::string NutrientName(const SharedState& s, int k) {
    std::string name = k + 1 <= 121 ? s.NutrientNames(k + 1) : std::string();
    return name.empty() ? "Nutrient " + std::to_string(k) : name;
}

}  // namespace

const char* BoundWord(int bound) { return bound == 2 ? "maximum" : "minimum"; }

std::string ComputeDietSensitivity(const SharedState& s, int d, DietSensitivity& out) {
    out = {};
    const std::string diet = "Diet " + std::to_string(d);
    if (d < 1 || d > 8) return diet + " is not a diet of the programme";
    if (s.DietFaults(d) != 0) return diet + " is infeasible: it has no formula to read";
    LpSolvedDiet m;
    if (!LastOptimalLpSolve(s.LpCache, d, m)) return diet + " has not been formulated yet: press Run LP";
    const int n = s.IngredientCount;
    bool same = m.cols == n;
    for (int j = 1; same && j <= n; ++j)
        same = m.prices[static_cast<std::size_t>(j - 1)] == s.IngredientPrices(j) &&
               s.DietFormula(d, j) == std::max(m.x[static_cast<std::size_t>(j - 1)], 0.0);
    std::vector<const LpPlannedRow*> kept;
    const LpRowPlan plan = PlanLpRows(s, d);
    same = same && Matches(s, plan, m, kept);
    if (!same) return diet + " changed since it was formulated (matrix, prices or limits): press Run LP again";

    LpRanging r;
    if (std::string why = RangeLastLpSolve(s.LpCache, d, r); !why.empty()) return diet + ": " + why;

    out.diet = d;
    out.price = r.objective / 100;
    // The solver's row for each planned row (null for an all-zero row it never saw).
    auto rangeOf = [&](const LpPlannedRow& row) -> const LpRowRange* {
        for (std::size_t i = 0; i < kept.size(); ++i)
            if (kept[i] == &row) return &r.rows[i];
        return nullptr;
    };

    for (const LpPlannedRow& row : plan.rows) {
        const bool minimum = row.kind == LpRowKind::NutrientMinimum;
        if (!(minimum || row.kind == LpRowKind::NutrientMaximum) || row.index < 1) continue;
        if (minimum && row.rhs == 0) continue;  // a minimum of 0 is no restriction
        NutrientSensitivity ns;
        ns.nutrient = row.index;
        ns.name = NutrientName(s, row.index);
        ns.bound = minimum ? 1 : 2;
        ns.limit = row.rhs;
        ns.content = s.DietNutrients(d, row.index);
        if (const LpRowRange* rr = rangeOf(row)) {
            ns.binding = AtLimit(rr->activity, rr->rhs);
            ns.shadowPrice = rr->dual / 100;
            ns.limitLow = rr->rhsLow;
            ns.limitHigh = rr->rhsHigh;
        } else {
            // No ingredient carries the nutrient: the limit constrains nothing.
            ns.limitLow = -kInf;
            ns.limitHigh = kInf;
        }
        out.nutrients.push_back(std::move(ns));
    }

    for (int j = 1; j <= n; ++j) {
        const LpColumnRange& c = r.columns[static_cast<std::size_t>(j - 1)];
        IngredientSensitivity is;
        is.ingredient = j;
        is.name = s.IngredientNames(j);
        is.price = s.IngredientPrices(j);
        is.inclusion = s.DietFormula(d, j);
        is.priceLow = c.priceLow;
        is.priceHigh = c.priceHigh;
        double dualMin = 0, dualMax = 0;
        bool atMin = false, atMax = false;
        for (const LpPlannedRow& row : plan.rows) {
            if (row.index != j || (row.kind != LpRowKind::IngredientMinimum && row.kind != LpRowKind::IngredientMaximum))
                continue;
            const LpRowRange* rr = rangeOf(row);
            if (!rr || !AtLimit(rr->activity, rr->rhs)) continue;
            if (row.kind == LpRowKind::IngredientMinimum) {
                atMin = true;
                dualMin = rr->dual;
            } else {
                atMax = true;
                dualMax = rr->dual;
            }
        }
        const double lo = std::max(s.IngredientLimits(d, 1, j), 0.0), hi = s.IngredientLimits(d, 2, j);
        if (hi < 0 || (lo > 0 && lo == hi)) {
            // Excluded, or fixed at its minimum = maximum: every formula holds the
            // same amount of it, so whatever its price the formula stays.
            is.atLimit = hi < 0 ? 2 : 1;
            is.reducedCost = (dualMin + dualMax) / 100;
            is.priceLow = -kInf;
            is.priceHigh = kInf;
        } else if (atMin || atMax) {
            is.atLimit = atMin && (!atMax || std::fabs(dualMin) >= std::fabs(dualMax)) ? 1 : 2;
            is.reducedCost = (dualMin + dualMax) / 100;
        } else if (!(is.inclusion > 0)) {
            is.reducedCost = std::max(c.price - c.priceLow, 0.0);
        }
        out.ingredients.push_back(std::move(is));
    }
    return {};
}

std::vector<NutrientSensitivity> ByShadowPrice(const std::vector<NutrientSensitivity>& nutrients) {
    std::vector<NutrientSensitivity> sorted = nutrients;
    std::stable_sort(sorted.begin(), sorted.end(), [](const NutrientSensitivity& a, const NutrientSensitivity& b) {
        const double x = std::fabs(a.shadowPrice), y = std::fabs(b.shadowPrice);
        if (x != y) return x > y;
        return a.binding && !b.binding;
    });
    return sorted;
}

}  // namespace tarvisol
