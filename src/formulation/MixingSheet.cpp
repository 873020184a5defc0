#include "formulation/MixingSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// Weights are added in millionths of the weight unit, so that the rounded
// weights add up exactly.
constexpr double kQuantum = 1e6;
constexpr double kMaxBatch = 1e9;

int64_t ToQuanta(double w) { return static_cast<int64_t>(std::llround(w * kQuantum)); }
double FromQuanta(int64_t q) { return static_cast<double>(q) / kQuantum; }

bool WorseThan(double value, double limit, double reference, bool minimum) {
    const double tol = 1e-9 * std::max(1.0, std::fabs(limit));
    return minimum ? value < std::min(limit, reference) - tol : value > std::max(limit, reference) + tol;
}

}  // namespace

MixingOptions DefaultMixingOptions(int weightUnit) {
    MixingOptions o;
    if (weightUnit == 1) {
        o.batch = 2205;
        o.coarseStep = 1;
        o.fineStep = 0.02;
    } else if (weightUnit == 2) {
        o.batch = 1e6;
        o.coarseStep = 500;
        o.fineStep = 10;
    }
    return o;
}

std::string BuildMixingSheet(const SharedState& s, int d, const MixingOptions& o, MixingSheet& out) {
    out = {};
    const std::string diet = "Diet " + std::to_string(d);
    if (d < 1 || d > 8) return diet + " is not a diet of the programme";
    if (!(std::isfinite(o.batch) && o.batch > 0 && o.batch <= kMaxBatch))
        return "The batch size must be a number above 0 (at most 1000000000)";
    for (double step : {o.coarseStep, o.fineStep})
        if (!(std::isfinite(step) && step * kQuantum >= 1 && step <= o.batch))
            return "A scale resolution must be a number from 0.000001 up to the batch size";
    if (!(std::isfinite(o.fineBelow) && o.fineBelow >= 0 && o.fineBelow <= 100))
        return "The share below which the fine resolution applies must be from 0 to 100 %";
    // A diet the last Run LP did not formulate says why, when it was told why.
    const std::string& reason = s.DietLpReason(d);
    if (!reason.empty() && reason.rfind("infeasible", 0) != 0)
        return diet + " was not formulated: " + reason;
    if (s.DietFaults(d) != 0) return diet + " is infeasible: it has no formula to weigh out";
    double sum = 0;
    for (int j = 1; j <= s.IngredientCount; ++j) sum += s.DietFormula(d, j);
    if (!(sum >= 99.9 && sum <= 100.1)) return diet + " has no formula: press Run LP first";

    out.diet = d;
    out.options = o;
    const int64_t batch = ToQuanta(o.batch);
    std::vector<int64_t> step, weight;
    std::vector<double> exact;
    for (int j = 1; j <= s.IngredientCount; ++j) {
        const double x = s.DietFormula(d, j);
        if (!(x > 0)) continue;
        MixedIngredient m;
        m.ingredient = j;
        m.name = s.IngredientNames(j);
        m.inclusion = x;
        m.exact = x / 100 * o.batch;
        m.step = x > o.fineBelow ? o.coarseStep : o.fineStep;
        const double lo = s.IngredientLimits(d, 1, j), hi = s.IngredientLimits(d, 2, j);
        m.minimum = lo > 0 ? lo : 0;
        m.maximum = hi > 0 && hi < 100 ? hi : 0;
        const int64_t st = ToQuanta(m.step);
        const double e = x / 100 * static_cast<double>(batch);
        step.push_back(st);
        exact.push_back(e);
        weight.push_back(static_cast<int64_t>(std::llround(e / static_cast<double>(st))) * st);
        out.ingredients.push_back(std::move(m));
    }

    // Bring the rounded weights to the batch: each move adds or takes one step
    // of an ingredient, the one whose squared relative error grows least per
    // unit of weight moved, until no step fits what is left. So the large
    // ingredients take whole coarse steps and what remains spreads over the
    // small ones by their size. A move that would take an ingredient past its
    // own minimum or maximum is made only when no other move is left.
    int64_t diff = batch;
    for (int64_t w : weight) diff -= w;
    for (int guard = 0; diff != 0 && guard < 1000000; ++guard) {
        const int64_t sign = diff > 0 ? 1 : -1;
        int best = -1;
        double bestHarm = 0;
        bool bestBreaks = false;
        for (std::size_t i = 0; i < weight.size(); ++i) {
            if (step[i] > std::llabs(diff)) continue;
            const int64_t moved = weight[i] + sign * step[i];
            if (moved < 0) continue;
            const double before = (static_cast<double>(weight[i]) - exact[i]) / exact[i];
            const double after = (static_cast<double>(moved) - exact[i]) / exact[i];
            const double harm = (after * after - before * before) / static_cast<double>(step[i]);
            const MixedIngredient& m = out.ingredients[i];
            const double percent = static_cast<double>(moved) / static_cast<double>(batch) * 100;
            const bool breaks = (m.minimum > 0 && WorseThan(percent, m.minimum, m.inclusion, true)) ||
                                (m.maximum > 0 && WorseThan(percent, m.maximum, m.inclusion, false));
            const double tol = 1e-9 * std::fabs(harm);
            const bool better = best < 0 || (bestBreaks && !breaks) ||
                                (breaks == bestBreaks &&
                                 (harm < bestHarm - tol ||
                                  (harm <= bestHarm + tol && exact[i] > exact[static_cast<std::size_t>(best)])));
            if (better) {
                best = static_cast<int>(i);
                bestHarm = harm;
                bestBreaks = breaks;
            }
        }
        if (best < 0) break;
        weight[static_cast<std::size_t>(best)] += sign * step[static_cast<std::size_t>(best)];
        diff -= sign * step[static_cast<std::size_t>(best)];
    }

    int64_t total = 0;
    for (int64_t w : weight) total += w;
    out.total = FromQuanta(total);
    for (std::size_t i = 0; i < out.ingredients.size(); ++i) {
        MixedIngredient& m = out.ingredients[i];
        m.weight = FromQuanta(weight[i]);
        m.batchPercent = total > 0 ? static_cast<double>(weight[i]) / static_cast<double>(total) * 100 : 0;
        m.broken = (m.minimum > 0 && WorseThan(m.batchPercent, m.minimum, m.inclusion, true)) ||
                   (m.maximum > 0 && WorseThan(m.batchPercent, m.maximum, m.inclusion, false));
        if (m.broken) ++out.broken;
    }
    std::stable_sort(out.ingredients.begin(), out.ingredients.end(), [](const MixedIngredient& a, const MixedIngredient& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.inclusion > b.inclusion;
    });

    const int last = std::min<int>(s.NutrientCount - 1, 120);
    for (int k = 1; k <= last; ++k) {
        const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
        if (lo == 0 && !(hi > 0)) continue;
        MixedNutrient n;
        n.nutrient = k;
        n.name = s.NutrientNames(k + 1).empty() ? "Nutrient " + std::to_string(k) : s.NutrientNames(k + 1);
        n.minimum = lo;
        n.maximum = hi > 0 ? hi : 0;
        n.diet = s.DietNutrients(d, k);
        for (const MixedIngredient& m : out.ingredients)
            n.batch += s.IngredientMatrix(k + 1, m.ingredient) * m.batchPercent / 100;
        n.belowMinimum = lo != 0 && WorseThan(n.batch, lo, n.diet, true);
        n.aboveMaximum = hi > 0 && WorseThan(n.batch, hi, n.diet, false);
        if (n.belowMinimum) ++out.broken;
        if (n.aboveMaximum) ++out.broken;
        out.nutrients.push_back(std::move(n));
    }
    return {};
}

}  // namespace tarvisol
