#include "optimisation/PlotSweep.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "formulation/Formulate.h"
#include "formulation/Lprogr.h"
#include "growth/Carcass.h"
#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/ResponseRun.h"
#include "location/LocationFiles.h"
#include "optimisation/PlotFiles.h"
#include "shared/Checkpoint.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/RuntimeError.h"
#include "shared/TextFile.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {
namespace {

constexpr int kEnergy = 1, kProtein = 2, kLysine = 5, kLastSwept = 14;
constexpr int kPoints = kSweepSteps * kSweepSteps;
constexpr double kCostCeiling = 1.4;  // costs above 1.4 x the current one are recorded as 0
constexpr double kLysineExcess = 3;   // lysine above 3 x its minimum voids feed, age and cost
constexpr const char* kTrappedTail = ") in procedure  PlotDiets";

// Keeps the messages of the formulations of a sweep instead of showing them:
// the same warning would otherwise come up for hundreds of points.
class MessageCollector : public SilentDialogs {
public:
    void Message(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Where a point's evaluation was when it raised a run-time error.
enum class Stage { Formulation, Growth, Results };

struct PointResult {
    double field[kSweepLoinDepth + 1] = {};
    double amino[kLastSwept + 1] = {};  // the diet's amino acids as formulated
    double prices[8] = {};
    std::vector<std::string> messages;
};

struct PointFailure {
    int index = kPoints;  // the first failing point in the sequential order
    Stage stage = Stage::Results;
    double intake = 0;  // the day's feed intake when it failed
    std::string text;
};

// What every point of one diet reads besides the record.
struct DietSweep {
    int diet = 0;
    bool leastCost = false;
    double centre[kLastSwept + 1] = {};  // minimums scaled by each point's ratio
    bool haveBasis = false;
    LpBasis basis;
};

double BoxNumber(const TextBox& box) { return NumVal(std::string_view(box.Text)); }

bool IsBlank(const std::string& t) { return t.find_first_not_of(' ') == std::string::npos; }

// Puts back the values that formulating and growing one point change, so
// that every point starts from the same record whatever ran before it.
void RestorePoint(SharedState& w, const SharedState& base) {
    w.DietNutrients = base.DietNutrients;
    w.NutrientLimits = base.NutrientLimits;
    w.DietFormula = base.DietFormula;
    w.DietPrice = base.DietPrice;
    w.DietFaults = base.DietFaults;
    w.DayGrowth = base.DayGrowth;
    w.DayFeed = base.DayFeed;
    w.EnergyCap = base.EnergyCap;
    w.BodyFat = base.BodyFat;
    w.CumFeed = base.CumFeed;
    w.CumFeedByDay = base.CumFeedByDay;
    w.DietResults = base.DietResults;
    w.CarcassTable = base.CarcassTable;
    w.CurrentDiet = base.CurrentDiet;
    w.CurrentDietIndex = base.CurrentDietIndex;
    w.FinalAge = base.FinalAge;
    w.RunFailed = base.RunFailed;
    w.RunLastDay = base.RunLastDay;
    w.PhysioAge = base.PhysioAge;
    w.NextWeight = base.NextWeight;
    w.MeanWeight = base.MeanWeight;
    w.DayFeedIntake = base.DayFeedIntake;
    w.NutrientRatio = base.NutrientRatio;
    w.GrowthCurve = base.GrowthCurve;
    w.GainEnergyCost = base.GainEnergyCost;
    w.TempTable = base.TempTable;
}

// Empties the daily columns of a worker's own results grid.
void ClearDailyGrid(Grid& g) {
    for (int row = 1; row < g.Rows(); ++row) {
        if (g.TextMatrix(row, 5).empty() && g.TextMatrix(row, 6).empty()) break;
        for (int c = 5; c <= 13 && c < g.Cols(); ++c)
            if (!g.TextMatrix(row, c).empty()) g.SetTextMatrix(row, c, {});
    }
}

// Feed per pig of each diet in the last run: the allotments as set up to the
// diet in force at the final weight, which takes the rest of the pig's feed;
// the diets after it were never fed.
void DietFeeds(const SharedState& s, double cumulative, double* feed) {
    const int n = s.DietCount;
    const int end = std::clamp<int>(s.CurrentDietIndex, 1, n);
    double others = 0;
    for (int j = 1; j <= n; ++j) {
        feed[j] = j < end ? s.DietFeedAmount(j) : 0.0;
        if (j < end) others += feed[j];
    }
    feed[end] = cumulative - others;
}

// One point of diet u.diet: energy step e, lysine (or protein) step l.
void EvaluatePoint(SharedState& w, const SharedState& base, const DietSweep& u, int e, int l, PointResult& out,
                   Stage& stage) {
    const int d = u.diet;
    stage = Stage::Formulation;
    RestorePoint(w, base);
    const double energy = w.SweepValues(d, e, kSweepEnergy);
    w.NutrientLimits(d, 1, kEnergy) = energy;
    w.DietNutrients(d, kEnergy) = ConvertEnergy(w, 1, energy);
    const double level = w.RatioToLysine ? w.SweepValues(d, l, kSweepLysine) : w.SweepValues(d, l, kSweepProtein);
    const double target = w.RatioToLysine ? w.DietTargets(d, kLysine) : w.DietTargets(d, kProtein);
    // A diet with nothing to ratio to follows the relative step itself.
    const double ratio = target != 0 ? level / target : 1 + (l - kSweepCentre) * kSweepRelativeStep;
    for (int k = 2; k <= kLastSwept; ++k) {
        if (!w.RatioToLysine) w.DietNutrients(d, k) = ratio * w.DietTargets(d, k);
        w.NutrientLimits(d, 1, k) = ratio * u.centre[k];
    }

    w.DietFaults(d) = 0;
    bool infeasible = false;
    if (u.leastCost) {
        if (u.haveBasis) StartFromLpBasis(w.LpCache, d, u.basis);
        FormulateDiet(w, d);
        infeasible = w.DietFaults(d) > 0;
        // The formulation gives energy in the display unit; growth reads kcal/kg.
        if (!infeasible) w.DietNutrients(d, kEnergy) = ConvertEnergy(w, 1, w.DietNutrients(d, kEnergy));
    }
    stage = Stage::Growth;
    if (!infeasible) {
        w.DietResults.Fill(0);
        w.FinalAge = 0;
        w.DayGrowth(0, w.StartAge) = w.StartWeight;
        w.CurrentDietIndex = 1;
        w.RunFailed = false;
        ClearDailyGrid(w.Main->Grid1);
        GrowLocationPig(w);
        infeasible = w.RunFailed;
        if (!infeasible) {
            if (RunsResponseModel(w)) ResponseCarcassOutputs(w);
            else RunCarcass(w);
        }
    }

    stage = Stage::Results;
    for (int j = 1; j <= w.DietCount; ++j) out.prices[j] = w.DietNutrients(j, 0);
    if (!infeasible)
        for (int k = 3; k <= kLastSwept; ++k) out.amino[k] = w.DietNutrients(d, k);
    if (infeasible) {
        out.prices[d] = kSweepInfeasible;
        for (int f = 1; f <= kSweepLoinDepth; ++f) out.field[f] = kSweepInfeasible;
        return;
    }
    // The pig's feed to its final age, summed as the growth run sums it (the
    // day the final weight is reached counts when it is more than half
    // eaten), so that the programme's own point repeats the main window's
    // feed per gain and cost.
    const int lastDay = std::min(199, static_cast<int>(RoundHalfEven(w.FinalAge)));
    double cumulative = 0;
    if (RunsResponseModel(w)) {
        // The responsive pig's feed as its run counts it: the last day for
        // the part of it the pig needed.
        for (const ResponseDayFigures& day : w.Response.Days) cumulative += day.Share * day.FeedSupplied;
    } else {
        for (int day = w.StartAge; day <= lastDay; ++day) cumulative += w.DayFeed(0, day);
    }
    double feed[8] = {};
    DietFeeds(w, cumulative, feed);
    double cost = 0;
    if (u.leastCost)
        for (int j = 1; j <= w.DietCount; ++j) cost += ConvertPrice(w, 1, w.DietPrice(j)) * feed[j];
    if (cost > kCostCeiling * w.PlotCostLimit) cost = 0;

    out.field[kSweepFeedGain] = cumulative / (w.FinalWeight - w.StartWeight);
    out.field[kSweepAge] = w.FinalAge;
    out.field[kSweepCost] = cost;
    for (int t = 1; t <= 5; ++t) out.field[kSweepBackFat + t - 1] = w.CarcassTable(0, t);
    if (kLysineExcess * w.NutrientLimits(d, 1, kLysine) < w.DietNutrients(d, kLysine))
        for (int f = kSweepFeedGain; f <= kSweepCost; ++f) out.field[f] = kSweepInfeasible;
}

// No more threads than energy rows: a row is the unit of work.
int ThreadCount(const PlotOptions& o) { return std::clamp(WorkerThreads(o.threads), 1, kSweepSteps); }

// A worker: its own record, results grid and message list.
struct Worker {
    std::unique_ptr<SharedState> state;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>();
    MessageCollector messages;
};

// Evaluates the 441 points of one diet on the workers' copies of s, one
// energy row at a time. Results are in the sequential order; a run-time
// error stops the sweep at the first failing point of that order.
void SweepDiet(SharedState& s, const DietSweep& u, std::vector<Worker>& workers, std::vector<PointResult>& results,
               PointFailure& failure, const PlotOptions& options) {
    for (Worker& wk : workers) {
        if (!wk.state) wk.state = std::make_unique<SharedState>(s);
        else *wk.state = s;
        SharedState& w = *wk.state;
        w.Main = wk.window.get();
        w.Dialog = &wk.messages;
        w.Clip = nullptr;
        w.ActiveGrid = nullptr;
        w.OptProgress = nullptr;
        // The documented engine's daily grid would only be read back for its
        // weights, which RunCarcass takes from the day tables instead.
        w.ShowDailyProgress = RunsResponseModel(w);
        wk.window->Grid1.Clear();
        // The herd sex the response model grows (the documented curve does not read it).
        if (s.Main) wk.window->ComboSex.ListIndex = s.Main->ComboSex.ListIndex;
    }
    std::atomic<int> nextRow{0}, rowsDone{0};
    std::atomic<int> firstFailure{kPoints};
    std::atomic<bool> stop{false};
    std::mutex lock;
    Progress* progress = options.progress;
    const std::string stage = "Plotting diet " + std::to_string(u.diet) + " of " + std::to_string(s.DietCount);

    auto work = [&](Worker& wk, bool reports) {
        SharedState& w = *wk.state;
        for (;;) {
            const int e = nextRow.fetch_add(1);
            if (e >= kSweepSteps || stop.load() || e * kSweepSteps > firstFailure.load()) break;
            for (int l = 0; l < kSweepSteps; ++l) {
                const int i = e * kSweepSteps + l;
                Stage at = Stage::Formulation;
                try {
                    EvaluatePoint(w, s, u, e, l, results[static_cast<std::size_t>(i)], at);
                } catch (const std::exception& ex) {
                    std::lock_guard<std::mutex> g(lock);
                    if (i < failure.index) {
                        failure.index = i;
                        failure.stage = at;
                        failure.intake = w.DayFeedIntake;
                        failure.text = TrappedErrorMessage(ex, kTrappedTail);
                        firstFailure.store(i);
                    }
                    break;
                }
                results[static_cast<std::size_t>(i)].messages = std::move(wk.messages.messages);
                wk.messages.messages.clear();
            }
            const int done = rowsDone.fetch_add(1) + 1;
            if (reports && progress) {
                progress->Report(stage, static_cast<long>(done) * kSweepSteps, kPoints,
                                 "Point " + std::to_string(done * kSweepSteps) + " of " + std::to_string(kPoints));
                if (progress->Cancelled()) stop.store(true);
            }
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t i = 1; i < workers.size(); ++i) pool.emplace_back(work, std::ref(workers[i]), false);
    work(workers[0], true);
    for (auto& t : pool) t.join();
}

// Back to the diets and restrictions of before the sweep, formulated again
// with least-cost formulation so that every diet's price and formula match.
void RestoreDiets(SharedState& s, bool leastCost) {
    for (int j = 1; j <= s.DietCount; ++j) {
        for (int k = 1; k <= kLastSwept; ++k) {
            s.DietNutrients(j, k) = s.DietTargets(j, k);
            s.NutrientLimits(j, 1, k) = s.SavedLimits(j, 1, k);
            s.NutrientLimits(j, 2, k) = s.SavedLimits(j, 2, k);
        }
    }
    if (!leastCost) return;
    for (int j = 1; j <= s.DietCount; ++j) {
        FormulateDiet(s, j);
        s.DietNutrients(j, 0) = s.DietPrice(j);
        s.DietNutrients(j, kEnergy) = ConvertEnergy(s, 1, s.DietNutrients(j, kEnergy));
    }
}

void ShowOnce(Dialogs& dlg, const std::vector<std::string>& messages) {
    std::vector<std::string> shown;
    for (const std::string& m : messages) {
        if (std::find(shown.begin(), shown.end(), m) != shown.end()) continue;
        shown.push_back(m);
        dlg.Message(m);
    }
}

}  // namespace

double SweepEnergyStep(int energyUnit) {
    switch (energyUnit) {
        case 1: return 10;
        case 2: return 0.02;
        case 3: return 0.01;
        case 4: return 0.005;
        default: return 20;
    }
}

double SweepCentreRatio(const SharedState& s, int d) {
    if (s.RatioToLysine || s.DietTargets(d, kProtein) == 0) return 1;
    return s.SweepValues(d, kSweepCentre, kSweepProtein) / s.DietTargets(d, kProtein);
}

bool BestSweepPoint(const SharedState& s, int d, int& energyStep, int& lysineStep) {
    if (d < 1 || d > s.SweepDietCount) return false;
    bool found = false;
    double best = 0;
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l) {
            const double c = s.SweepResults(kSweepCost, d, e, l);
            if (!(c > 0) || s.SweepResults(kSweepFeedGain, d, e, l) < 0) continue;
            if (!found || c < best) {
                found = true;
                best = c;
                energyStep = e;
                lysineStep = l;
            }
        }
    return found;
}

double SweepPointSeconds(bool leastCost, int ingredients, int nutrients) {
    constexpr double kGrowth = 0.05e-3, kFormulation = 0.16e-3;
    constexpr double kDemoSize = 19.0 * 22.0;  // ingredients x nutrients of the demo's matrix
    if (!leastCost) return kGrowth;
    return kGrowth + kFormulation * std::max(1.0, std::max(0, ingredients) * static_cast<double>(std::max(0, nutrients)) / kDemoSize);
}

double ExpectedSweepSeconds(int diets, double secondsPerPoint, int threads) {
    return std::max(0, diets) * static_cast<double>(kPoints) * secondsPerPoint / std::max(1, threads);
}

PlotOutcome PlotDiets(SharedState& s, const PlotOptions& options) {
    PlotOutcome outcome;
    if (!s.Main) return outcome;
    MainWindow& mw = *s.Main;
    Dialogs& dlg = DialogsOf(s);

    // A stop from the progress dialog leaves the record, the main window and
    // the last sweep's results as they are now.
    const Checkpoint before(s);

    // 1..3. The current programme's cost, the question and the mode.
    if (IsBlank(mw.TextPrice.Text)) {
        dlg.Message(kPlotCostMissing);
        return outcome;
    }
    s.PlotCostLimit = BoxNumber(mw.TextPrice);
    // A long sweep asks before it starts; one of under a second just runs.
    const double perPoint = options.secondsPerPoint > 0
                                ? options.secondsPerPoint
                                : SweepPointSeconds(mw.Combo1.ListIndex == kFormulationLeastCost, s.IngredientCount,
                                                    s.NutrientCount);
    outcome.expectedSeconds = ExpectedSweepSeconds(FindDietCount(mw), perPoint, ThreadCount(options));
    outcome.asked = outcome.expectedSeconds >= kPlotQuestionSeconds;
    if (outcome.asked && dlg.Ask(kPlotQuestion, Buttons::YesNo) != Answer::Yes) {
        mw.CommandPlot.BackColor = kNoColor;
        return outcome;
    }
    s.RatioToLysine = mw.CheckRatioLysine.Value == 1;
    if (s.RatioToLysine) dlg.Message(kPlotRatioNote);
    mw.CommandPlot.BackColor = kPlotRunning;
    const auto giveUp = [&](const char* text) {
        if (text) dlg.Message(text);
        mw.CommandPlot.BackColor = kNoColor;
        return outcome;
    };

    // 4..5. The diets, start and finish as the main window shows them.
    s.DietCount = FindDietCount(mw);
    const int n = s.DietCount;
    if (n == 0) return giveUp(kNeedDiets);
    for (int d = 1; d <= n; ++d) ReadDietColumn(s, mw, d);
    const double ageTyped = BoxNumber(mw.Text2);
    if (!(ageTyped >= 0.5 && ageTyped < kLastStartAge + 0.5)) return giveUp(kStartAgeRange);
    s.StartAge = static_cast<int16_t>(RoundHalfEven(ageTyped));
    s.FinalWeight = ConvertWeight(s, 1, BoxNumber(mw.Text3));
    s.StartWeight = ConvertWeight(s, 1, BoxNumber(mw.Text1));
    if (!(s.FinalWeight > s.StartWeight)) return giveUp(kFinalAboveStart);

    // 6. Every diet needs a lysine minimum.
    for (int d = 1; d <= n; ++d)
        if (s.NutrientLimits(d, 1, kLysine) == 0) return giveUp(kPlotLysineMissing);

    // 7..8. Steps, the saved diets and restrictions, and the swept levels.
    const double energyStep = SweepEnergyStep(s.EnergyUnit());
    s.VariableCost(0) = energyStep;
    s.VariableCost(1) = kSweepRelativeStep;
    const bool leastCost = mw.Combo1.ListIndex == kFormulationLeastCost;
    s.SavedLimits.Fill(0);
    s.SweepValues.Fill(0);
    s.SweepResults.Fill(0);
    s.SweepAmino.Fill(0);
    s.SweepDietCount = 0;
    std::vector<DietSweep> sweeps(static_cast<std::size_t>(n) + 1);
    for (int d = 1; d <= n; ++d) {
        DietSweep& u = sweeps[static_cast<std::size_t>(d)];
        u.diet = d;
        u.leastCost = leastCost;
        for (int k = 1; k <= kLastSwept; ++k) {
            s.DietTargets(d, k) = s.DietNutrients(d, k);
            s.SavedLimits(d, 1, k) = s.NutrientLimits(d, 1, k);
            s.SavedLimits(d, 2, k) = s.NutrientLimits(d, 2, k);
            u.centre[k] = s.SavedLimits(d, 1, k);
        }
        double energyCentre = s.SavedLimits(d, 1, kEnergy);
        double proteinCentre = s.SavedLimits(d, 1, kProtein);
        double lysineCentre = s.SavedLimits(d, 1, kLysine);
        if (s.RatioToLysine) {
            // Centred on the diet as it is: its energy, protein and lysine
            // contents take the place of those minimums (a protein without a
            // minimum stays unrestricted).
            energyCentre = ConvertEnergy(s, 2, s.DietTargets(d, kEnergy));
            proteinCentre = s.DietTargets(d, kProtein);
            lysineCentre = s.DietTargets(d, kLysine);
            if (u.centre[kProtein] != 0) u.centre[kProtein] = proteinCentre;
            u.centre[kLysine] = lysineCentre;
        }
        for (int step = 0; step < kSweepSteps; ++step) {
            const int o = step - kSweepCentre;
            s.SweepValues(d, step, kSweepEnergy) = o * energyStep + energyCentre;
            s.SweepValues(d, step, kSweepProtein) = (o * kSweepRelativeStep + 1) * proteinCentre;
            s.SweepValues(d, step, kSweepLysine) = (o * kSweepRelativeStep + 1) * lysineCentre;
        }
    }

    // 9..10. Diet by diet; formulation messages are kept and shown once each
    // at the end, the main window's own results are left as they are.
    MessageCollector kept;
    Dialogs* const userDialogs = s.Dialog;
    s.Dialog = &kept;
    const bool dailyShown = s.ShowDailyProgress;
    s.ShowDailyProgress = false;
    std::string dietPlot = DietPlotHeader(s, leastCost);
    // The dialog opens at once, after the question has been answered.
    if (options.progress)
        options.progress->Report("Plotting diet 1 of " + std::to_string(n), 0, kPoints,
                                 "Point 0 of " + std::to_string(kPoints));
    std::vector<Worker> workers(static_cast<std::size_t>(ThreadCount(options)));
    std::vector<PointResult> results(kPoints);
    PointFailure failure;
    bool cancelled = false;
    try {
        for (int d = 1; d <= n && failure.index == kPoints && !cancelled; ++d) {
            for (int k = 1; k <= kLastSwept; ++k) {
                s.DietNutrients(d, k) = 0;
                s.NutrientLimits(d, 1, k) = 0;
                s.NutrientLimits(d, 2, k) = 0;
            }
            RestoreDiets(s, leastCost);
            DietSweep& u = sweeps[static_cast<std::size_t>(d)];
            u.haveBasis = leastCost && SaveLpBasis(s.LpCache, d, u.basis);
            for (PointResult& r : results) r = PointResult{};
            SweepDiet(s, u, workers, results, failure, options);
            cancelled = options.progress && options.progress->Cancelled();
            const int done = std::min(failure.index, kPoints);
            for (int i = 0; i < done && !cancelled; ++i) {
                const int e = i / kSweepSteps, l = i % kSweepSteps;
                const PointResult& r = results[static_cast<std::size_t>(i)];
                for (int f = 1; f <= kSweepLoinDepth; ++f) s.SweepResults(f, d, e, l) = r.field[f];
                for (int k = 3; k <= kLastSwept; ++k) s.SweepAmino(k, d, e, l) = r.amino[k];
                kept.messages.insert(kept.messages.end(), r.messages.begin(), r.messages.end());
                dietPlot += DietPlotRow(s, d, e, l, r.prices, leastCost);
            }
            if (failure.index == kPoints && !cancelled) mw.CommandPlot.BackColor = kLightGreen;
        }
        RestoreDiets(s, leastCost);
    } catch (const std::exception& ex) {
        failure.index = 0;
        failure.stage = Stage::Results;
        failure.text = TrappedErrorMessage(ex, kTrappedTail);
        try {
            RestoreDiets(s, leastCost);
        } catch (const std::exception&) {
            // The restrictions are back; the diet tables keep what they had.
        }
    }
    s.Dialog = userDialogs;
    s.ShowDailyProgress = dailyShown;
    if (options.progress) options.progress->Finish();
    if (cancelled) {
        before.Restore(s);
        dlg.Message(kPlotCancelled);
        return outcome;
    }
    ShowOnce(dlg, kept.messages);

    if (failure.index < kPoints) {
        mw.CommandPlot.BackColor = kNoColor;
        if (failure.stage == Stage::Growth)
            dlg.Message(failure.intake < 0 ? kPlotIntakeBelowZero : kPlotIntakeTooHigh);
        else
            dlg.Message(failure.text);
        return outcome;
    }

    // 11. The two files, each saved whole or not at all.
    s.SweepDietCount = static_cast<int16_t>(n);
    s.SweepFeedGain = BoxNumber(mw.TextF2G);
    const std::string plot = PlotText(s, mw, s.SweepFeedGain, s.PlotCostLimit);
    outcome.dietPlotPath = MakeLocationPath(s, kDietPlotFile);
    outcome.plotPath = MakeLocationPath(s, kPlotFile);
    std::string error;
    if (!SaveAtomic(outcome.dietPlotPath, dietPlot, error) || !SaveAtomic(outcome.plotPath, plot, error)) {
        dlg.Message(error);
        mw.CommandPlot.BackColor = kNoColor;
        return outcome;
    }
    outcome.finished = true;
    return outcome;
}

}  // namespace tarvisol
