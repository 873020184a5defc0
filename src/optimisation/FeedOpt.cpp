#include "optimisation/FeedOpt.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "formulation/Formulate.h"
#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/ResponseRun.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr double kReflect = 1.0, kContract = 0.5, kExpand = 2.0, kShrinkDivisor = 2.0;

int DietOf(int i) { return (i - 1) / 3 + 1; }
int KindOf(int i) { return (i - 1) % 3 + 1; }  // 1 feed weight, 2 energy, 3 protein

bool Free(const SharedState& s, int i) { return s.OptFixed(i) == 0; }


void PutCell(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

void ShowBest(SharedState& s) {
    if (!s.Main) return;
    Grid& g = s.Main->Grid1;
    PutCell(g, kOptResultsRow + 1, 0, "Opt. Best Cost");
    PutCell(g, kOptResultsRow + 1, 1, FormatPattern(s.BestCost, "###.#0"));
    PutCell(g, kOptResultsRow + 2, 0, "Opt. Diet");
    PutCell(g, kOptResultsRow + 2, 1, "Feed Wt.");
    PutCell(g, kOptResultsRow + 2, 2, "Net Energy");
    PutCell(g, kOptResultsRow + 2, 3, "Protein");
    for (int d = 1; d <= s.DietCount && d <= 6; ++d) {
        const int row = kOptResultsRow + 2 + d;
        PutCell(g, row, 0, "Diet " + std::to_string(d));
        PutCell(g, row, 1, FormatAuto(s.FeedAllowance(d)));
        PutCell(g, row, 2, FormatAuto(s.NutrientLimits(d, 1, 1)));
        PutCell(g, row, 3, FormatAuto(s.NutrientLimits(d, 1, 2)));
    }
}

void Report(SharedState& s) {
    if (!s.OptProgress) return;
    if (s.EvalCount % 5 != 0) return;
    s.OptProgress->Report(s.OptStageText, s.EvalCount, kMaxOptEvaluations,
                          "Evaluations " + std::to_string(s.EvalCount) + ", best cost per pig " +
                              FormatPattern(s.BestCost, "###.#0"));
}

bool Cancelled(const SharedState& s) { return s.OptProgress && s.OptProgress->Cancelled(); }

// Rounding of the energy minimum: three decimals up to 10, two above 10,
// none above 900.
double RoundEnergy(double e) {
    const double a = std::fabs(e);
    const double scale = a > 900 ? 1.0 : a > 10 ? 100.0 : 1000.0;
    return std::round(e * scale) / scale;
}

}  // namespace

double OptUserValue(const SharedState& s, int i, double x) {
    const int d = DietOf(i), k = KindOf(i) - 1;
    const double lo = s.OptBase(d, k, 1), hi = s.OptBase(d, k, 2);
    return lo + (x - kOptLower) * (hi - lo) / (kOptUpper - kOptLower);
}

void SetOptScales(SharedState& s) {
    const int n = OptVariableCount(s);
    for (int i = 1; i <= n && i <= kMaxOptVariables; ++i) {
        const int d = DietOf(i), k = KindOf(i) - 1;
        const double lo = s.OptBase(d, k, 1), hi = s.OptBase(d, k, 2);
        s.OptScale(i) = (hi - lo) / (kOptUpper - kOptLower);
        if (s.OptScale(i) == 0) {
            // No range: the variable stays at its minimum.
            s.OptPoint(i) = kOptLower;
            if (Free(s, i)) {
                s.OptFixed(i) = 1;
                s.OptBase(d, k, 0) = lo;
                if (k >= 1) s.DietTargets(d, k) = lo;
            }
            continue;
        }
        s.OptPoint(i) = kOptLower + (s.OptBase(d, k, 0) - lo) / s.OptScale(i);
    }
}

double EvaluatePoint(SharedState& s) {
    // Once the user has stopped the run, no point is priced any more: the
    // search winds down at once.
    if (Cancelled(s)) {
        s.TrialCost = kOutOfBoundsCost;
        return kOutOfBoundsCost;
    }
    const int n = std::min(OptVariableCount(s), kMaxOptVariables);
    for (int i = 1; i <= n; ++i)
        if (Free(s, i) && (s.OptPoint(i) < s.OptLower(i) || s.OptPoint(i) > s.OptUpper(i))) {
            s.TrialCost = kOutOfBoundsCost;
            return kOutOfBoundsCost;
        }
    if (s.OptEvaluateHook) {
        s.TrialCost = s.OptEvaluateHook(s);
        if (s.BestCost == 0) s.BestCost = s.CurrentCost;
        if (s.TrialCost < s.BestCost) {
            s.BestCost = s.TrialCost;
            for (int j = 0; j <= 20; ++j) s.BestPoint(j) = s.OptPoint(j);
        }
    } else {
        EvaluateProgramme(s);
    }
    ++s.EvalCount;
    ++s.OptRunEvaluations;
    Report(s);
    return s.TrialCost;
}

void EvaluateProgramme(SharedState& s) {
    if (s.OptEvaluateHook) {
        // The test function stands in for the programme here too.
        s.TrialCost = s.OptEvaluateHook(s);
        if (s.BestCost == 0) s.BestCost = s.CurrentCost;
        if (s.TrialCost < s.BestCost) {
            s.BestCost = s.TrialCost;
            for (int j = 0; j <= 20; ++j) s.BestPoint(j) = s.OptPoint(j);
        }
        return;
    }
    s.TrialCost = 0;
    const int diets = s.DietCount;
    const int n = OptVariableCount(s);
    const bool gridDiets = s.Main && s.Main->Combo1.ListIndex == kFormulationGridDiets;

    // 1. The trial values of every diet.
    for (int i = 1; i <= n; ++i) {
        const int d = DietOf(i), k = KindOf(i);
        // Points beyond twenty variables are never searched: held.
        const bool free = i <= kMaxOptVariables && Free(s, i);
        if (s.EvalCount == 0 && free) {
            s.FormulaCache(d, 1) = 0;
            s.FormulaCache(d, 2) = 0;
        }
        const double x = i <= kMaxOptVariables ? s.OptPoint(i) : 0.0;
        if (k == 1) {
            s.FeedAllowance(d) = free ? OptUserValue(s, i, x) : s.OptBase(d, 0, 0);
        } else if (k == 2) {
            s.NutrientLimits(d, 1, 1) = free ? OptUserValue(s, i, x) : s.DietTargets(d, 1);
        } else {
            s.NutrientLimits(d, 1, 2) = free ? OptUserValue(s, i, x) : s.DietTargets(d, 2);
            if (s.NutrientLimits(d, 1, 1) != 0) {
                s.NutrientLimits(d, 1, 1) = RoundEnergy(s.NutrientLimits(d, 1, 1));
                s.NutrientLimits(d, 2, 1) = s.NutrientLimits(d, 1, 1) + s.EnergyRange(d);
                s.NutrientLimits(d, 1, 2) = std::round(s.NutrientLimits(d, 1, 2) * 10.0) / 10.0;
                s.NutrientLimits(d, 2, 2) = s.NutrientLimits(d, 1, 2) + 0.5;
                // Without a protein target there is nothing to ratio the amino acids to.
                if (s.DietTargets(d, 2) != 0) {
                    const double ratio = s.NutrientLimits(d, 1, 2) / s.DietTargets(d, 2);
                    for (int a = 3; a <= 14; ++a) s.NutrientLimits(d, 1, a) = ratio * s.DietTargets(d, a);
                }
                // Held at the pigs' requirement when the user asked for it.
                if (s.OptMeetRequirements && d <= 8) {
                    for (int a = 3; a <= 14; ++a)
                        s.NutrientLimits(d, 1, a) = std::max(s.NutrientLimits(d, 1, a), s.OptRequirementFloor(d, a));
                }
            }
        }
    }

    // 2. The diets.
    if (gridDiets) {
        for (int d = 1; d <= diets; ++d) {
            s.DietNutrients(d, 0) = s.DietPrice(d);
            // Nothing is formulated, so no diet can be infeasible.
            s.DietFaults(d) = 0;
        }
    } else {
        for (int d = 1; d <= diets; ++d) {
            s.NutrientLimits(d, 2, 2) = s.NutrientLimits(d, 1, 2) + 0.5;
            if (s.NutrientLimits(d, 1, 1) == s.FormulaCache(d, 1) && s.NutrientLimits(d, 1, 2) == s.FormulaCache(d, 2)) {
                // The diet keeps its formula, and with it the limits it was
                // made with (the formulation ties the protein maximum to the
                // diet's own protein range), so that what the record holds as
                // the diet's restrictions is what produced its formula.
                if (s.FormulaCache(d, 1) != 0 || s.FormulaCache(d, 2) != 0)
                    for (int b = 1; b <= 2; ++b)
                        for (int k = 1; k <= 15; ++k) s.NutrientLimits(d, b, k) = s.FormulaCacheLimits(d, b, k);
                continue;
            }
            s.DietFaults(d) = 0;
            FormulateDiet(s, d);
            s.FormulaCache(d, 1) = s.NutrientLimits(d, 1, 1);
            s.FormulaCache(d, 2) = s.NutrientLimits(d, 1, 2);
            for (int b = 1; b <= 2; ++b)
                for (int k = 1; k <= 15; ++k) s.FormulaCacheLimits(d, b, k) = s.NutrientLimits(d, b, k);
            s.DietNutrients(d, 1) = ConvertEnergy(s, 1, s.DietNutrients(d, 1));
        }
    }
    if (s.GainTargetWeight == 0) s.GainTargetWeight = s.OptTargetWeight;

    // 3. An infeasible diet prices the point far away.
    for (int d = 1; d <= diets; ++d)
        if (s.DietFaults(d) > 0) {
            s.TrialCost = s.DietPrice(d) * 1000;
            return;
        }

    // 4. One pig on the trial feed budget.
    for (int d = 1; d <= diets; ++d) s.DietFeedAmount(d) = ConvertWeight(s, 1, s.FeedAllowance(d));
    for (int i = 0; i <= 8; ++i)
        for (int c = 0; c <= 3; ++c) s.DietResults(i, c) = 0;
    s.FinalAge = 0;
    s.DayGrowth(0, s.StartAge) = s.StartWeight;
    s.CurrentDietIndex = 1;
    s.RunFailed = false;
    GrowLocationPig(s);
    if (s.RunFailed) {
        s.TrialCost = 0;
        return;
    }
    const int last = std::clamp<int>(s.RunLastDay, 0, 200);
    if (s.FinalAge > 198) s.DayGrowth(s.SimSex, last) = 12000;

    // 5. The last diet is the rest of the pig's feed.
    double others = 0;
    for (int d = 1; d < diets; ++d) others += s.DietFeedAmount(d);
    s.DietFeedAmount(diets) = std::fabs(s.CumFeed(s.SimSex) - others);
    double cost = 0;
    for (int d = 1; d <= diets; ++d) cost += ConvertPrice(s, 1, s.DietPrice(d)) * s.DietFeedAmount(d);
    s.TrialCost = cost;
    const double gain = s.GainTargetWeight - s.DayGrowth(0, s.StartAge);
    s.OptFeedGain = gain > 0 ? s.CumFeed(s.SimSex) / gain : 0;

    // 6. The best so far.
    if (s.BestCost == 0) s.BestCost = s.CurrentCost;
    if (s.TrialCost < s.BestCost) {
        s.BestCost = s.TrialCost;
        for (int j = 0; j <= 20; ++j) s.BestPoint(j) = s.OptPoint(j);
        ShowBest(s);
    }

    // 7. Cumulative feed day by day, for the displays.
    double sum = 0;
    for (int day = 1; day <= 199; ++day) sum += s.DayFeed(0, day);
    s.CumFeed(s.SimSex) = sum;
}

int BuildSimplex(SharedState& s) {
    const int n = OptVariableCount(s);
    if (n < 1 || n > kMaxOptVariables) return 0;
    int m = 0;
    for (int i = 1; i <= n; ++i)
        if (Free(s, i)) ++m;
    if (m == 0) return 0;

    for (int i = 1; i <= n; ++i) {
        if (!Free(s, i)) continue;
        s.OptTolerance(i) = std::fabs(s.OptTolerance(i));
        const double x = s.OptPoint(i);
        if (x + s.OptStep(i) == x || x - s.OptStep(i) == x) s.OptStep(i) = x == 0 ? 0.01 : 0.01 * x;
        if (s.OptUpper(i) <= s.OptLower(i)) {
            s.OptUpper(i) = 1e35;
            s.OptLower(i) = -1e35;
        }
        s.OptPoint(i) = std::clamp(s.OptPoint(i), s.OptLower(i), s.OptUpper(i));
    }

    int j = 0;
    for (int i = 1; i <= n; ++i) {
        if (!Free(s, i)) continue;
        ++j;
        for (int c = 1; c <= n; ++c) s.Simplex(c, j) = s.OptPoint(c);
        s.Simplex(i, j) = s.OptPoint(i) + s.OptStep(i);
        const double keep = s.OptPoint(i);
        s.OptPoint(i) = s.Simplex(i, j);
        s.VertexCost(j) = EvaluatePoint(s);
        s.OptPoint(i) = keep;
    }
    for (int c = 1; c <= n; ++c) s.Simplex(c, m + 1) = s.OptPoint(c);
    EvaluatePoint(s);
    s.VertexCost(m + 1) = EvaluatePoint(s);
    return m;
}

void SimplexSearch(SharedState& s) {
    const int n = OptVariableCount(s);
    const int m = BuildSimplex(s);
    if (m == 0) return;
    const int v = m + 1;  // vertices 1..v
    double startBest = s.VertexCost(1);
    for (int j = 2; j <= v; ++j) startBest = std::min(startBest, s.VertexCost(j));

    auto setPoint = [&](const double* x) {
        for (int i = 1; i <= n; ++i)
            if (Free(s, i)) s.OptPoint(i) = x[i];
    };
    auto replace = [&](int h, const double* x, double cost) {
        for (int i = 1; i <= n; ++i)
            if (Free(s, i)) s.Simplex(i, h) = x[i];
        s.VertexCost(h) = cost;
    };
    double c[kMaxOptVariables + 1] = {}, r[kMaxOptVariables + 1] = {}, e[kMaxOptVariables + 1] = {},
           k[kMaxOptVariables + 1] = {}, x[kMaxOptVariables + 1] = {};
    int H = v, L = v;

    while (true) {
        // 1. Worst and best.
        H = v;
        L = v;
        for (int j = 1; j <= v; ++j) {
            if (s.VertexCost(j) > s.VertexCost(H)) H = j;
            if (s.VertexCost(j) < s.VertexCost(L)) L = j;
        }
        if (H == L) break;  // every vertex costs the same

        // 2. A tie for the worst: the tied vertex farthest from the best.
        bool tie = false;
        for (int j = 1; j <= v; ++j)
            if (j != H && s.VertexCost(j) == s.VertexCost(H)) tie = true;
        if (tie) {
            const double worst = s.VertexCost(H);
            double far = -1;
            int pick = H;
            for (int j = 1; j <= v; ++j) {
                if (j == L || s.VertexCost(j) < worst) continue;
                double dist = 0;
                for (int i = 1; i <= n; ++i) {
                    if (!Free(s, i)) continue;
                    double si = std::fabs(s.OptPoint(i));
                    if (si == 0) si = std::fabs(s.OptStep(i));
                    if (si == 0) si = 1;
                    dist = std::max(dist, std::fabs(s.Simplex(i, j) - s.Simplex(i, L)) / si);
                }
                if (dist > far) {
                    far = dist;
                    pick = j;
                }
            }
            if (far <= 0) break;  // converged
            H = pick;
        }

        // 3. Centroid of the others, kept within the vertices' spread.
        for (int i = 1; i <= n; ++i) {
            if (!Free(s, i)) continue;
            double sum = 0, lo = s.Simplex(i, 1), hi = s.Simplex(i, 1);
            for (int j = 1; j <= v; ++j) {
                lo = std::min(lo, s.Simplex(i, j));
                hi = std::max(hi, s.Simplex(i, j));
                if (j != H) sum += s.Simplex(i, j);
            }
            c[i] = std::clamp(sum / m, lo, hi);
        }

        bool shrink = false;
        // 4. Reflection.
        bool moved = false;
        for (int i = 1; i <= n; ++i) {
            if (!Free(s, i)) continue;
            const double xh = s.Simplex(i, H);
            r[i] = c[i] + kReflect * (c[i] - xh);
            if (xh == c[i] || (xh < c[i] ? !(r[i] > c[i]) : !(r[i] < c[i]))) r[i] = c[i];
            if (r[i] != xh) moved = true;
        }
        if (!moved) {
            shrink = true;
        } else {
            setPoint(r);
            const double costR = EvaluatePoint(s);
            bool beatsOther = false;
            for (int j = 1; j <= v; ++j)
                if (j != H && costR < s.VertexCost(j)) beatsOther = true;
            if (costR < s.VertexCost(L)) {
                // 5. Expansion.
                for (int i = 1; i <= n; ++i) {
                    if (!Free(s, i)) continue;
                    e[i] = c[i] + kExpand * (r[i] - c[i]);
                    if (r[i] == c[i] || (r[i] > c[i] ? !(e[i] > r[i]) : !(e[i] < r[i]))) e[i] = r[i];
                }
                setPoint(e);
                const double costE = EvaluatePoint(s);
                if (costE < costR) replace(H, e, costE);
                else replace(H, r, costR);
            } else if (beatsOther) {
                replace(H, r, costR);
            } else {
                // 6. Contraction.
                if (costR < s.VertexCost(H)) replace(H, r, costR);
                bool kMoved = false;
                for (int i = 1; i <= n; ++i) {
                    if (!Free(s, i)) continue;
                    const double xh = s.Simplex(i, H);
                    k[i] = c[i] + kContract * (xh - c[i]);
                    const bool between = xh < c[i] ? (k[i] > xh && k[i] < c[i]) : (k[i] < xh && k[i] > c[i]);
                    if (xh == c[i] || !between) k[i] = c[i];
                    if (k[i] != xh) kMoved = true;
                }
                if (!kMoved) {
                    shrink = true;
                } else {
                    setPoint(k);
                    const double costK = EvaluatePoint(s);
                    if (costK <= s.VertexCost(H)) replace(H, k, costK);
                    else shrink = true;
                }
            }
        }

        // 7. Shrink towards the best.
        if (shrink) {
            for (int j = 1; j <= v; ++j) {
                if (j == L) continue;
                for (int i = 1; i <= n; ++i) {
                    if (!Free(s, i)) continue;
                    const double half = (s.Simplex(i, L) + s.Simplex(i, j)) / kShrinkDivisor;
                    x[i] = half;
                }
                replace(j, x, 0);
                for (int i = 1; i <= n; ++i) s.OptPoint(i) = s.Simplex(i, j);
                s.VertexCost(j) = EvaluatePoint(s);
            }
            for (int j = 1; j <= v; ++j)
                if (s.VertexCost(j) < s.VertexCost(L)) L = j;
        }

        // 8. Convergence.
        bool converged = true;
        for (int i = 1; i <= n && converged; ++i) {
            if (!Free(s, i)) continue;
            double lo = s.Simplex(i, 1), hi = s.Simplex(i, 1);
            for (int j = 2; j <= v; ++j) {
                lo = std::min(lo, s.Simplex(i, j));
                hi = std::max(hi, s.Simplex(i, j));
            }
            if (hi - lo > s.OptTolerance(i)) converged = false;
        }
        if (converged) break;
        if (s.EvalCount > kMaxOptEvaluations || Cancelled(s)) break;
    }

    // Finish at the best vertex.
    int best = L;
    if (s.VertexCost(H) < s.VertexCost(best)) best = H;
    for (int i = 1; i <= n; ++i) s.OptPoint(i) = s.Simplex(i, best);
    EvaluatePoint(s);
    if (s.TrialCost == 0) {
        s.TrialCost = startBest;
        for (int j = 0; j <= 20; ++j) s.OptPoint(j) = s.BestPoint(j);
    }
}

void SearchSetup(SharedState& s) {
    const int n = std::min(OptVariableCount(s), kMaxOptVariables);
    for (int i = 1; i <= n; ++i) {
        s.OptStep(i) = 5.0;
        s.OptTolerance(i) = 0.1;
    }
    s.EvalCount = 0;
    s.SimSex = s.HerdSex >= 0 && s.HerdSex <= 2 ? s.HerdSex : 0;
    EvaluateProgramme(s);
    ++s.OptRunEvaluations;
    if (s.StartCeiling < s.TrialCost)
        for (int j = 0; j <= 20; ++j) s.OptPoint(j) = s.BestPoint(j);
    if (s.TrialCost < s.StartCeiling) s.StartCeiling = s.TrialCost;
    SimplexSearch(s);
}

}  // namespace tarvisol
