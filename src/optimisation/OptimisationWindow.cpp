#include "optimisation/OptimisationWindow.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "formulation/DietPriceCell.h"
#include "growth/GrowthRun.h"
#include "growth/OutdatedResults.h"
#include "optimisation/FeedOpt.h"
#include "optimisation/RequirementShortfall.h"
#include "optimisation/OptResultFile.h"
#include "shared/Checkpoint.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ShownFigures.h"
#include "shared/Progress.h"
#include "shared/RuntimeError.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kGridDiets = kOptDiets;
constexpr int kColCheck = 2, kColCurrent = 3, kColMin = 4, kColMax = 5;
const char* const kRowLabels[3] = {"Feed Wt.", "Net Energy", "Protein"};
const char* const kMaxLabels[3] = {" Feed Weight", " Energy", " Protein"};

double Cell(const Grid& g, int row, int col) { return NumVal(std::string_view(g.TextMatrix(row, col))); }

double MainCell(const SharedState& s, int row, int col) {
    if (!s.Main) return 0;
    const Grid& g = s.Main->Griddiets;
    if (row >= g.Rows() || col >= g.Cols()) return 0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

int DietOfRow(int row) { return (row - 1) / 3 + 1; }

void SetButtons(FrmOptP& f, bool enabled) {
    for (Button* b : {&f.CommandOpt, &f.CommandView, &f.Command4, &f.Command1, &f.CommandSaveOpt, &f.CommandOpenOpt})
        b->Enabled = enabled;
}

// The restrictions of nutrients 1..15 as they were before the run.
struct SavedLimits {
    double min[9][16] = {}, max[9][16] = {};
};

void RestoreLimits(SharedState& s, const SavedLimits& saved) {
    for (int d = 1; d <= s.DietCount; ++d)
        for (int k = 1; k <= 15; ++k) {
            s.NutrientLimits(d, 1, k) = saved.min[d][k];
            s.NutrientLimits(d, 2, k) = saved.max[d][k];
        }
}

class StageProgress {
public:
    StageProgress(SharedState& s, const char* stage) : s_(s) {
        s_.OptStageText = stage;
        if (s_.OptProgress) s_.OptProgress->Report(stage, 0, kMaxOptEvaluations, {});
    }

private:
    SharedState& s_;
};

}  // namespace

bool RowChecked(const FrmOptP& f, int row) { return f.GridOpt.TextMatrix(row, kColCheck) == kOptChecked; }

void SetRowChecked(FrmOptP& f, int row, bool checked) {
    f.GridOpt.SetTextMatrix(row, kColCheck, checked ? kOptChecked : "");
}

void CorrectColor(FrmOptP& f) {
    for (int row = 1; row < f.GridOpt.Rows(); ++row) {
        const Color c = RowChecked(f, row) ? kNoColor : kOptGreyed;
        for (int col = 0; col <= 5; ++col) f.GridOpt.SetCellBackColor(row, col, c);
    }
}

void checkmax(SharedState& s, double a, double b) {
    if (a > b) DialogsOf(s).Message("The value is not correct");
}

void ShowOptimisationWindow(SharedState& s, FrmOptP& f) {
    std::vector<std::string> priceNotes;
    if (s.Main)
        for (int d = 1; d <= s.DietCount && d <= kGridDiets; ++d)
            s.DietPrice(d) = ReadDietPriceCell(s.Main->Griddiets, d, priceNotes);
    if (!priceNotes.empty()) DialogsOf(s).Message(JoinedNotes(priceNotes));
    if (!f.Visible) FrmOptPLoad(s, f);
    f.Visible = true;
}

void FrmOptPLoad(SharedState& s, FrmOptP& f) {
    Grid& g = f.GridOpt;
    g.SetRows(1 + 3 * kGridDiets);
    g.SetCols(6);
    g.Clear();
    g.FixedCols = 2;
    static const char* const heads[6] = {"", "", "Optimize", "Current", "Minimum", "Maximum"};
    for (int c = 0; c < 6; ++c) g.SetTextMatrix(0, c, heads[c]);
    g.SetColWidth(0, 800);
    g.SetColWidth(1, 1200);
    for (int d = 1; d <= kGridDiets; ++d) {
        for (int k = 1; k <= 3; ++k) {
            const int row = OptRow(d, k);
            g.SetTextMatrix(row, 0, "Diet " + std::to_string(d));
            g.SetTextMatrix(row, 1, kRowLabels[k - 1]);
            SetRowChecked(f, row, d <= s.DietCount);
        }
        const double feed = MainCell(s, 3, d);
        double energy = s.NutrientLimits(d, 1, 1);
        if (energy == 0) energy = MainCell(s, 4, d);
        double protein = s.NutrientLimits(d, 1, 2);
        if (protein == 0) protein = MainCell(s, 5, d);
        g.SetTextMatrix(OptRow(d, 1), kColCurrent, FormatAuto(feed));
        g.SetTextMatrix(OptRow(d, 2), kColCurrent, FormatAuto(energy));
        g.SetTextMatrix(OptRow(d, 3), kColCurrent, FormatAuto(protein));
        for (int k = 1; k <= 3; ++k)
            if (g.TextMatrix(OptRow(d, k), kColCurrent).empty()) g.SetTextMatrix(OptRow(d, k), kColCurrent, "0");
    }
    f.TextOptDiet.Text = std::to_string(std::clamp<int>(s.DietCount, 0, kGridDiets));
    if (s.Main) {
        f.Text1.Text = s.Main->Text6.Text == kCalibrationNamePlaceholder ? std::string() : s.Main->Text6.Text;
        f.Text2.Text = s.Main->Text3.Text;
    }
    f.Check3.Value = 0;
    f.WorkingVisible = false;
    f.Command1.BackColor = kNoColor;
    SetButtons(f, true);
    CorrectColor(f);
}

void OptDietSpin(SharedState& s, FrmOptP& f, int delta) {
    const int n = std::clamp(static_cast<int>(Val(f.TextOptDiet.Text)) + delta, 1, kGridDiets);
    f.TextOptDiet.Text = std::to_string(n);
    s.DietCount = static_cast<int16_t>(n);
    for (int d = 1; d <= kGridDiets; ++d)
        for (int k = 1; k <= 3; ++k) SetRowChecked(f, OptRow(d, k), d <= n);
    CorrectColor(f);
}

void UseFeedWeightsOnlyClick(SharedState& s, FrmOptP& f) {
    const int n = std::clamp<int>(s.DietCount, 0, kGridDiets);
    if (f.Check3.Value == 1) {
        for (int d = 1; d <= n; ++d) {
            SetRowChecked(f, OptRow(d, 2), false);
            SetRowChecked(f, OptRow(d, 3), false);
        }
    } else {
        for (int row = 1; row <= 3 * n; ++row) SetRowChecked(f, row, true);
    }
    CorrectColor(f);
}

void GridOptClick(SharedState&, FrmOptP& f, int row, int col) {
    if (col != kColCheck || row < 1 || row >= f.GridOpt.Rows()) return;
    SetRowChecked(f, row, !RowChecked(f, row));
    CorrectColor(f);
}

void GridOptEdit(SharedState& s, FrmOptP& f, int row, int col, const std::string& text) {
    Grid& g = f.GridOpt;
    if (row < 1 || row >= g.Rows() || col < 0 || col >= g.Cols()) return;
    if (col == kColCheck) {
        // Any mark checks the box; an empty text or "0" clears it.
        SetRowChecked(f, row, !(text.empty() || text == "0"));
        CorrectColor(f);
        return;
    }
    if (col < kColCurrent) return;  // labels stay as they are
    std::string typed = text;
    const double v = NumVal(typed);
    g.SetTextMatrix(row, col, typed);
    if (DietOfRow(row) > s.DietCount) return;
    if (v < 0) {
        DialogsOf(s).Message("Value is not appropriate");
        g.SetTextMatrix(row, col, "0");
        return;
    }
    // The row must keep minimum <= current <= maximum; blank (0) cells are not compared yet.
    const double cur = Cell(g, row, kColCurrent), lo = Cell(g, row, kColMin), hi = Cell(g, row, kColMax);
    std::size_t shown = 0;
    auto check = [&](double a, double b) {
        if (a == 0 || b == 0) return;
        const auto before = a > b;
        if (before && shown++ == 0) checkmax(s, a, b);
    };
    if (col == kColCurrent) {
        check(lo, cur);
        check(cur, hi);
    } else if (col == kColMin) {
        check(lo, cur);
        check(lo, hi);
    } else if (col == kColMax) {
        check(cur, hi);
        check(lo, hi);
    }
}

void ProgramMinMaxClick(SharedState&, FrmOptP& f) {
    static const double lo[3] = {0.8, 0.98, 0.95}, hi[3] = {1.2, 1.02, 1.05};
    Grid& g = f.GridOpt;
    for (int d = 1; d <= kGridDiets; ++d)
        for (int k = 1; k <= 3; ++k) {
            const int row = OptRow(d, k);
            const double cur = Cell(g, row, kColCurrent);
            g.SetTextMatrix(row, kColMin, FormatAuto(cur * lo[k - 1]));
            g.SetTextMatrix(row, kColMax, FormatAuto(cur * hi[k - 1]));
        }
    f.Command1.BackColor = kLightGreen;
}

void TransferOptimumClick(SharedState& s, FrmOptP& f) {
    if (ChosenObjective(f.Margin) != OptObjective::FeedCost) {
        TransferMarginOptimum(s, f.Margin);
        return;
    }
    // Without a finished optimisation there is no optimum: the restrictions stay.
    if (!f.Result.Done) return;
    const RunSnapshot& optimum = f.Result.Optimum;
    s.TransferredOptimum = optimum;
    s.TransferredOptimum.Taken = NextSnapshotOrder();
    for (const RunDiet& diet : optimum.Diets) {
        const int d = diet.Number;
        if (d < 1 || d > kGridDiets) continue;
        for (int k = 1; k <= 15 && k <= static_cast<int>(diet.NutrientMin.size()); ++k) {
            s.NutrientLimits(d, 1, k) = diet.NutrientMin[static_cast<std::size_t>(k - 1)];
            s.NutrientLimits(d, 2, k) = diet.NutrientMax[static_cast<std::size_t>(k - 1)];
        }
        if (s.Main) {
            s.Main->Griddiets.EnsureCell(3, d);
            ShowFigure(s.Main->Griddiets, 3, d, ConvertWeight(s, 2, diet.Allotment), WeightToMetric(s));
        }
    }
    // The diets, prices, costs and results on the main window are still the
    // last Growth run's, made from the restrictions and allotments before
    // these: they say so until Growth runs the optimum.
    MarkOutdatedResults(s);
}

void ViewOptimisationClick(SharedState&, FrmOptP& f) {
    if (f.ShowReport) f.ShowReport();
}

void minmax(SharedState& s, FrmOptP& f, int& failed) {
    Grid& g = f.GridOpt;
    Dialogs& dlg = DialogsOf(s);
    if (Cell(g, 1, kColCurrent) == 0) {
        dlg.Message("Set Diet Values");
        failed = 1;
        return;
    }
    if (Cell(g, 1, kColMin) == 0) {
        dlg.Message("Set Diet Minimum Values");
        failed = 1;
        return;
    }
    if (Cell(g, 1, kColMax) == 0) {
        dlg.Message("Set Diet Values for MET_CYS");
        failed = 1;
        return;
    }
    for (int d = 1; d <= s.DietCount && d <= kGridDiets; ++d)
        for (int k = 1; k <= 3; ++k) {
            const int row = OptRow(d, k);
            if (!RowChecked(f, row)) continue;
            const double cur = Cell(g, row, kColCurrent), lo = Cell(g, row, kColMin), hi = Cell(g, row, kColMax);
            if (hi == 0 || hi < lo || hi < cur) {
                dlg.Message("Check Max Values on Diet" + std::to_string(d) + kMaxLabels[k - 1]);
                failed = 1;
                return;
            }
            if (cur == 0 || cur < lo) {
                dlg.Message("Check Min Values on Diet" + std::to_string(d));
                failed = 1;
                return;
            }
            if (hi == cur) g.SetTextMatrix(row, kColMax, FormatAuto(cur * 1.001));
        }
}

namespace {

// The optimisation's rows of the main window's results grid, emptied.
void ClearResultsBlock(Grid& g) {
    for (int row = kOptResultsRow; row <= kOptResultsLastRow && row < g.Rows(); ++row)
        for (int col = 0; col <= kOptResultsLastCol && col < g.Cols(); ++col)
            if (!g.TextMatrix(row, col).empty()) g.SetTextMatrix(row, col, {});
}

// What the search changes besides its own tables, put back however it ends:
// the sex slot, the stage, the daily grid and the solver's kept bases (the
// search's bases would otherwise seed the next formulation).
class SearchScope {
public:
    SearchScope(SharedState& s, FrmOptP& f) : s_(s), f_(f), sex_(s.SimSex), daily_(s.ShowDailyProgress) {
        s_.ShowDailyProgress = false;
    }
    ~SearchScope() {
        s_.SimSex = sex_;
        s_.OptimiseStage = 0;
        s_.ShowDailyProgress = daily_;
        s_.LpCache.Reset();
        f_.WorkingVisible = false;
        SetButtons(f_, true);
        if (s_.OptProgress) s_.OptProgress->Finish();
    }

private:
    SharedState& s_;
    FrmOptP& f_;
    int16_t sex_;
    bool daily_;
};

bool RunCancelled(const SharedState& s) { return s.OptProgress && s.OptProgress->Cancelled(); }

// Why a search held at the pigs' requirement found nothing cheaper, when the
// starting programme's diets (the last Growth run's) supply less than that
// requirement: per diet the amino acid short, lysine first; "" when none is.
std::string StartBelowRequirement(const SharedState& s, int diets) {
    if (!s.OptMeetRequirements) return {};
    const RunSnapshot& run = s.LastRun;
    std::string below;
    for (const RunDiet& diet : run.Diets) {
        const int d = diet.Number;
        if (d < 1 || d > diets || d > 8) continue;
        for (int a : {5, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
            const double need = s.OptRequirementFloor(d, a);
            const auto k = static_cast<std::size_t>(a);
            const double have = k < diet.Nutrients.size() ? diet.Nutrients[k] : 0;
            if (need <= 0 || std::isnan(have) || have >= need - 5e-4 || k > run.NutrientNames.size()) continue;
            below += (below.empty() ? "" : "; ") + std::string("Diet ") + std::to_string(d) + ": " +
                     run.NutrientNames[k - 1] + " " + FormatPattern(have, "0.000") + " < " +
                     FormatPattern(need, "0.000") + " %";
            break;
        }
    }
    return below.empty() ? std::string() : kStartBelowRequirement + below + kStartBelowRequirementAdvice;
}

}  // namespace

void RunMarginObjective(SharedState& s, FrmOptP& f) {
    MarginSearchOptions options;
    options.progress = s.OptProgress;
    f.WorkingVisible = true;
    RunMarginOptimisation(s, f.Margin, options);
    f.WorkingVisible = false;
}

void RunOptimisation(SharedState& s, FrmOptP& f) {
    if (ChosenObjective(f.Margin) != OptObjective::FeedCost) return RunMarginObjective(s, f);
    if (f.Text1.Text.empty() || !s.Main) return;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    Grid& g = f.GridOpt;
    // A cancel puts back the record and the main window as they are now.
    const Checkpoint before(s);
    const OptimisationResult resultBefore = f.Result;
    const double costPerPig = NumVal(std::string_view(w.TextPrice.Text));
    s.StartPoint(0) = costPerPig;
    if (costPerPig == 0) return dlg.Message("Run Current Calc First");
    ClearResultsBlock(w.Grid1);
    w.Grid1.EnsureCell(kOptResultsRow, 1);
    w.Grid1.SetTextMatrix(kOptResultsRow, 0, "Current Cost");
    w.Grid1.SetTextMatrix(kOptResultsRow, 1, FormatPattern(costPerPig, "###.#0"));

    if (w.Combo1.ListIndex == kFormulationGridDiets) {
        if (dlg.Ask(kGridCostQuestion, Buttons::YesNo) != Answer::Yes) return;
        for (int d = 1; d <= s.DietCount && d <= kGridDiets; ++d) {
            SetRowChecked(f, OptRow(d, 2), false);
            SetRowChecked(f, OptRow(d, 3), false);
        }
        CorrectColor(f);
    }
    s.OptimiseStage = 0;
    s.StartCeiling = 10000;

    const int typedDiets = static_cast<int>(Val(f.TextOptDiet.Text));
    if (typedDiets < 1 || typedDiets > kGridDiets) return dlg.Message("Set No. of Diets first");
    s.DietCount = static_cast<int16_t>(typedDiets);
    const int diets = s.DietCount;

    int failed = 0;
    minmax(s, f, failed);
    if (failed) return;

    s.TrialCost = 0;
    s.CurrentCost = costPerPig;
    for (int i = 0; i <= 20; ++i) s.VariableCost(i) = s.CurrentCost;
    if (s.CurrentCost == 0) return dlg.Message("Run Current Calc. first");

    s.OptTargetWeight = ConvertWeight(s, 1, NumVal(f.Text2.Text));
    if (s.OptTargetWeight == 0) return dlg.Message("Set the Target Weight");
    if (w.Combo1.ListIndex == 0 && std::trunc(Cell(g, 2, kColCurrent)) == 0) return dlg.Message("Set Diet Values");
    if (Cell(g, 1, kColCurrent) == 0) return;

    // From here the run works.
    SetButtons(f, false);
    // The amino-acid floors of "Keep amino acids at the pigs' requirement":
    // the last Growth run's requirement on the first day of each diet,
    // rounded up to the restrictions' three decimals. Only this run uses them.
    struct MeetScope {
        SharedState& s;
        ~MeetScope() { s.OptMeetRequirements = false; }
    } meetScope{s};
    s.OptRequirementFloor.Fill(0);
    s.OptMeetRequirements = f.CheckRequirements.Value == 1;
    if (s.OptMeetRequirements) {
        bool any = false;
        for (int d = 1; d <= diets && d <= 8; ++d)
            for (int k = 3; k <= 14; ++k) {
                const double need = AminoRequirementAtStart(s.LastRun.Nutrition.Requirements, d, k);
                s.OptRequirementFloor(d, k) = std::ceil(need * 1000.0 - 1e-9) / 1000.0;
                any = any || need > 0;
            }
        if (!any) {
            s.OptMeetRequirements = false;
            dlg.Message(kNoRequirementsToMeet);
        }
    }
    f.WorkingVisible = true;
    SearchScope scope(s, f);
    s.OptRunEvaluations = 0;
    s.OptimisationDone = false;
    s.OptResultFile.clear();
    f.Result = OptimisationResult{};
    // Formulas kept from an earlier run may rest on restrictions changed since.
    s.FormulaCache.Fill(0);
    const auto cancel = [&] {
        before.Restore(s);
        f.Result = resultBefore;
        if (s.OptProgress) s.OptProgress->Finish();
        dlg.Message(kOptCancelled);
    };

    // The grid, in user units.
    const int n = 3 * diets;
    for (int d = 1; d <= diets; ++d)
        for (int k = 0; k <= 2; ++k) {
            const int row = OptRow(d, k + 1);
            for (int kind = 0; kind <= 2; ++kind) s.OptBase(d, k, kind) = Cell(g, row, kColCurrent + kind);
            if (row <= 20) s.OptFixed(row) = RowChecked(f, row) ? 0 : 1;
        }

    SavedLimits saved;
    try {
        for (int d = 1; d <= diets; ++d)
            for (int k = 1; k <= 15; ++k) {
                saved.min[d][k] = s.NutrientLimits(d, 1, k);
                saved.max[d][k] = s.NutrientLimits(d, 2, k);
                if (k == 2 && s.DietTargets(d, 2) == 0) s.NutrientLimits(d, 1, 2) = Cell(g, 3 * d, kColCurrent);
                s.DietTargets(d, k) = s.NutrientLimits(d, 1, k);
                if (k == 1) s.EnergyRange(d) = std::max(s.NutrientLimits(d, 2, 1) - s.NutrientLimits(d, 1, 1), 0.0);
                // The search sets the energy and protein maxima of every
                // trial itself; every other maximum is the mill's and stays
                // (one below a minimum the amino-acid ratio raises is raised
                // to it by the formulation).
                if (k <= 2) s.NutrientLimits(d, 2, k) = 0;
            }

        s.OptimiseStage = 1;
        for (int d = 1; d <= diets; ++d) {
            // A diet without an energy or protein minimum keeps its current value.
            const double emin = s.NutrientLimits(d, 1, 1), pmin = s.NutrientLimits(d, 1, 2);
            if (emin > 0 && s.OptBase(d, 1, 0) > emin) s.OptBase(d, 1, 0) = emin;
            if (pmin > 0 && s.OptBase(d, 2, 0) > pmin) s.OptBase(d, 2, 0) = pmin;
        }
        const int vars = std::min(n, kMaxOptVariables);
        for (int i = 1; i <= vars; ++i) {
            s.OptUpper(i) = kOptUpper;
            s.OptLower(i) = kOptLower;
        }

        // Stage 1: every free variable together.
        {
            StageProgress p(s, "Stage 1 of 3: all variables together");
            s.StartPoint(0) = 1000000;
            SetOptScales(s);
            for (int i = 1; i <= vars; ++i) s.StartPoint(i) = s.OptPoint(i);
            // The best of this run starts at the starting point.
            s.BestCost = 0;
            for (int j = 0; j <= 20; ++j) s.BestPoint(j) = s.OptPoint(j);
            SearchSetup(s);
            if (s.TrialCost > 0) s.VariableCost(0) = s.TrialCost == s.BestCost ? s.TrialCost : s.CurrentCost;
        }
        if (RunCancelled(s)) return cancel();

        // Stage 2: one variable at a time.
        Array1<int16_t, 0, 20> fixedFlags = s.OptFixed;
        Array1<double, 0, 20> bestCopy = s.BestPoint;
        {
            StageProgress p(s, "Stage 2 of 3: one variable at a time");
            for (int i = 1; i <= vars; ++i) s.OptFixed(i) = 1;
            for (int i = 1; i <= vars && !RunCancelled(s); ++i) {
                if (fixedFlags(i) == 0) s.OptFixed(i) = 0;
                SearchSetup(s);
                s.OptFixed(i) = 1;
                if (i <= 18) s.VariableOptimum(i) = OptUserValue(s, i, s.OptPoint(i));
                s.OptPoint(i) = bestCopy(i);
                // The cost of this single change: the feed cost per pig the
                // search of variable i alone ended at (an infeasible or
                // failed point costs no less than the start).
                if (s.TrialCost > 0 && s.TrialCost < s.VariableCost(i)) s.VariableCost(i) = s.TrialCost;
            }
            // Beyond twenty variables nothing is searched; each still costs its starting evaluation.
            for (int i = vars + 1; i <= n && !RunCancelled(s); ++i) SearchSetup(s);
        }
        if (RunCancelled(s)) return cancel();

        // Stage 3: all together again from the best point.
        {
            StageProgress p(s, "Stage 3 of 3: all variables from the best point");
            for (int i = 1; i <= vars; ++i) s.OptPoint(i) = s.BestPoint(i);
            s.OptFixed = fixedFlags;
            SearchSetup(s);
        }
        if (RunCancelled(s)) return cancel();

        if (s.TrialCost > s.StartPoint(0)) {
            s.TrialCost = 1000000;
            for (int i = 1; i <= vars; ++i) s.OptPoint(i) = s.StartPoint(i);
            EvaluateProgramme(s);
        }

        if (s.TrialCost > s.CurrentCost) {
            RestoreLimits(s, saved);
            // The last successful search stays what the report and the transfer take.
            f.Result = resultBefore;
            if (s.OptProgress) s.OptProgress->Finish();
            dlg.Message(std::string(kNoLowerAnswer) + StartBelowRequirement(s, diets) +
                        (resultBefore.Done ? kLastOptimumKept : ""));
            return;
        }

        // Success: the best programme in the shared state.
        for (int row = 1; row <= vars; ++row) s.OptFixed(row) = RowChecked(f, row) ? 0 : 1;
        EvaluateProgramme(s);
        for (int j = 0; j <= 20; ++j) s.OptPoint(j) = s.BestPoint(j);
        EvaluateProgramme(s);
        if (RunCancelled(s)) return cancel();

        const int lastDay = std::min(200, static_cast<int>(std::floor(s.FinalAge + 1)));
        s.OptDayGrowth.Fill(0);
        s.OptDayFeed.Fill(0);
        for (int day = 1; day <= lastDay; ++day)
            for (int r = 0; r <= 2; ++r) {
                s.OptDayGrowth(r, day) = s.DayGrowth(r, day);
                s.OptDayFeed(r, day) = s.DayFeed(r, day);
            }
        for (int d = 1; d <= diets; ++d) {
            for (int k = 1; k <= 121; ++k) {
                s.OptDietNutrients(d, k) = s.DietNutrients(d, k);
                for (int b = 1; b <= 2; ++b) s.OptNutrientLimits(d, b, k) = s.NutrientLimits(d, b, k);
            }
            for (int i = 1; i <= 100; ++i)
                for (int b = 1; b <= 2; ++b) s.OptIngredientLimits(d, b, i) = s.IngredientLimits(d, b, i);
            s.DietFormula(d, 0) = s.DietFeedAmount(d);
        }
        s.OptFinalAge = s.FinalAge;
        RestoreLimits(s, saved);
    } catch (const std::exception& e) {
        // A run that broke off has no result: the record is as before it.
        before.Restore(s);
        f.Result = resultBefore;
        if (s.OptProgress) s.OptProgress->Finish();
        dlg.Message(TrappedErrorMessage(e, ") in procedure  CommandOpt_Click"));
        return;
    }

    s.OptimisationDone = true;
    if (s.OptProgress) s.OptProgress->Finish();
    if (s.ChartMeasure == 0) {
        WriteOptResult(s, f);
        f.Result = OptimisationResultOf(s);
        ViewOptimisationClick(s, f);
    } else {
        f.Result = OptimisationResultOf(s);
        double c = 0;
        for (int d = 1; d <= diets; ++d) c += s.DietPrice(d) * s.DietFeedAmount(d);
        s.TrialCost = c;
    }
}

}  // namespace tarvisol
