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

// How far value lies past the limit (the formulated value where that is
// itself past it), 0 when it keeps it.
double PastLimit(double value, double limit, double reference, bool minimum) {
    if (!WorseThan(value, limit, reference, minimum)) return 0;
    return minimum ? std::min(limit, reference) - value : value - std::max(limit, reference);
}

// A miss no larger than the tolerance, allowing for the arithmetic.
bool WithinTolerance(double past, double tolerance) {
    return past <= tolerance * (1 + 1e-9) + 1e-12;
}

// Whether ingredient m at this weight (in quanta of a batch) keeps its limits.
bool KeepsLimits(const MixedIngredient& m, int64_t weight, int64_t batch) {
    const double percent = static_cast<double>(weight) / static_cast<double>(batch) * 100;
    return !(m.minimum > 0 && WorseThan(percent, m.minimum, m.inclusion, true)) &&
           !(m.maximum > 0 && WorseThan(percent, m.maximum, m.inclusion, false));
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
        // The nearest weight of the scale; the other neighbour when only that
        // one keeps the ingredient's limits.
        const int64_t nearest = static_cast<int64_t>(std::llround(e / static_cast<double>(st))) * st;
        const int64_t other = static_cast<double>(nearest) > e ? nearest - st : nearest + st;
        weight.push_back(!KeepsLimits(m, nearest, batch) && other >= 0 && KeepsLimits(m, other, batch) ? other
                                                                                                      : nearest);
        out.ingredients.push_back(std::move(m));
    }

    // The restricted nutrients: what one step of any ingredient moves each by
    // is the weighing tolerance of its limits.
    struct Restricted {
        int k = 0;
        double lo = 0, hi = 0, diet = 0, tolerance = 0, content = 0;
        std::vector<double> a;  // content of each sheet ingredient
        double Past(double c) const {
            return std::max(lo != 0 ? PastLimit(c, lo, diet, true) : 0, hi > 0 ? PastLimit(c, hi, diet, false) : 0);
        }
    };
    std::vector<Restricted> restricted;
    const int last = std::min<int>(s.NutrientCount - 1, 120);
    for (int k = 1; k <= last; ++k) {
        Restricted r;
        r.k = k;
        r.lo = s.NutrientLimits(d, 1, k);
        r.hi = s.NutrientLimits(d, 2, k);
        if (r.lo == 0 && !(r.hi > 0)) continue;
        r.diet = s.DietNutrients(d, k);
        for (std::size_t i = 0; i < weight.size(); ++i) {
            const double a = s.IngredientMatrix(k + 1, out.ingredients[i].ingredient);
            r.a.push_back(a);
            r.tolerance = std::max(r.tolerance, std::fabs(a) * static_cast<double>(step[i]) / static_cast<double>(batch));
            r.content += a * static_cast<double>(weight[i]) / static_cast<double>(batch);
        }
        restricted.push_back(std::move(r));
    }

    // Bring the rounded weights to the batch: each move adds or takes one step
    // of an ingredient, the one whose squared relative error grows least per
    // unit of weight moved, until no step fits what is left. So the large
    // ingredients take whole coarse steps and what remains spreads over the
    // small ones by their size. A move that would take an ingredient past its
    // own minimum or maximum, or a nutrient further past a limit than weighing
    // tolerance allows, is made only when every other move does as much harm.
    int64_t diff = batch;
    for (int64_t w : weight) diff -= w;
    for (int guard = 0; diff != 0 && guard < 1000000; ++guard) {
        const int64_t sign = diff > 0 ? 1 : -1;
        int best = -1;
        double bestHarm = 0;
        int bestBreaks = 0;
        for (std::size_t i = 0; i < weight.size(); ++i) {
            if (step[i] > std::llabs(diff)) continue;
            const int64_t moved = weight[i] + sign * step[i];
            if (moved < 0) continue;
            const double before = (static_cast<double>(weight[i]) - exact[i]) / exact[i];
            const double after = (static_cast<double>(moved) - exact[i]) / exact[i];
            const double harm = (after * after - before * before) / static_cast<double>(step[i]);
            int breaks = KeepsLimits(out.ingredients[i], moved, batch) ? 0 : 1;
            const double share = static_cast<double>(sign * step[i]) / static_cast<double>(batch);
            for (const Restricted& r : restricted) {
                const double was = r.Past(r.content), now = r.Past(r.content + r.a[i] * share);
                if (now > was + 1e-12 && !WithinTolerance(now, r.tolerance)) ++breaks;
            }
            const double tol = 1e-9 * std::fabs(harm);
            const bool better = best < 0 || breaks < bestBreaks ||
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
        const auto b = static_cast<std::size_t>(best);
        weight[b] += sign * step[b];
        diff -= sign * step[b];
        for (Restricted& r : restricted)
            r.content += r.a[b] * static_cast<double>(sign * step[b]) / static_cast<double>(batch);
    }

    int64_t total = 0;
    for (int64_t w : weight) total += w;
    out.total = FromQuanta(total);
    for (std::size_t i = 0; i < out.ingredients.size(); ++i) {
        MixedIngredient& m = out.ingredients[i];
        m.weight = FromQuanta(weight[i]);
        m.batchPercent = total > 0 ? static_cast<double>(weight[i]) / static_cast<double>(total) * 100 : 0;
        const double past = std::max(m.minimum > 0 ? PastLimit(m.batchPercent, m.minimum, m.inclusion, true) : 0,
                                     m.maximum > 0 ? PastLimit(m.batchPercent, m.maximum, m.inclusion, false) : 0);
        const double oneStep = total > 0 ? static_cast<double>(step[i]) / static_cast<double>(total) * 100 : 0;
        if (past > 0) (WithinTolerance(past, oneStep) ? m.withinTolerance : m.broken) = true;
        if (m.broken) ++out.broken;
        if (m.withinTolerance) ++out.withinTolerance;
    }
    std::stable_sort(out.ingredients.begin(), out.ingredients.end(), [](const MixedIngredient& a, const MixedIngredient& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.inclusion > b.inclusion;
    });

    for (int k = 1; k <= last; ++k) {
        const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
        if (lo == 0 && !(hi > 0)) continue;
        MixedNutrient n;
        n.nutrient = k;
        n.name = s.NutrientNames(k + 1).empty() ? "Nutrient " + std::to_string(k) : s.NutrientNames(k + 1);
        n.minimum = lo;
        n.maximum = hi > 0 ? hi : 0;
        n.diet = s.DietNutrients(d, k);
        for (const MixedIngredient& m : out.ingredients) {
            const double a = s.IngredientMatrix(k + 1, m.ingredient);
            n.batch += a * m.batchPercent / 100;
            if (out.total > 0) n.tolerance = std::max(n.tolerance, std::fabs(a) * m.step / out.total);
        }
        const double below = lo != 0 ? PastLimit(n.batch, lo, n.diet, true) : 0;
        const double above = hi > 0 ? PastLimit(n.batch, hi, n.diet, false) : 0;
        n.withinTolerance = (below > 0 && WithinTolerance(below, n.tolerance)) ||
                            (above > 0 && WithinTolerance(above, n.tolerance));
        n.belowMinimum = below > 0 && !WithinTolerance(below, n.tolerance);
        n.aboveMaximum = above > 0 && !WithinTolerance(above, n.tolerance);
        if (n.belowMinimum) ++out.broken;
        if (n.aboveMaximum) ++out.broken;
        if (n.withinTolerance) ++out.withinTolerance;
        out.nutrients.push_back(std::move(n));
    }
    return {};
}

}  // namespace tarvisol
