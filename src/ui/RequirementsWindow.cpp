#include "ui/RequirementsWindow.h"

#include <cmath>

#include "nutrition/MinimumsFromRequirements.h"
#include "nutrition/NutrientBalance.h"
#include "report/RequirementTables.h"
#include "report/RunComparison.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

// A percent as typed: whole numbers without decimals.
std::string Percent(double v) { return FixedText(v, v == std::round(v) ? 0 : 1); }

std::string UnitOf(const RunSnapshot& run) { return run.WeightUnit == 1 ? "lb" : run.WeightUnit == 2 ? "g" : "kg"; }

void FillBalance(RequirementsWindow& f) {
    const FigureTable t = BalanceTableOf(f.Run);
    Grid& g = f.GridBalance;
    g.Clear();
    g.SetRows(static_cast<int>(t.Rows.size()) + 1);
    g.SetCols(static_cast<int>(t.Header.size()));
    for (std::size_t c = 0; c < t.Header.size(); ++c) g.SetTextMatrix(0, static_cast<int>(c), Utf8ToWindows1252(t.Header[c]));
    for (std::size_t r = 0; r < t.Rows.size(); ++r)
        for (std::size_t c = 0; c < t.Rows[r].size(); ++c) {
            g.SetTextMatrix(static_cast<int>(r) + 1, static_cast<int>(c), Utf8ToWindows1252(t.Rows[r][c].Shown()));
            if (t.Rows[r][c].AboveRange) g.SetCellBackColor(static_cast<int>(r) + 1, static_cast<int>(c), kAboveRangeShade);
        }
}

}  // namespace

void ShowRequirementsWindow(SharedState& s, RequirementsWindow& f) {
    if (!s.LastRun.Nutrition.Requirements.Computed) {
        DialogsOf(s).Message(kRequirementsNoRun);
        return;
    }
    f.Run = s.LastRun;
    const RunRequirements& r = f.Run.Nutrition.Requirements;
    f.ComboNutrient.Clear();
    for (const RequirementNutrient& n : r.Nutrients) f.ComboNutrient.AddItem(n.Name);
    f.ComboNutrient.ListIndex = std::max(0, r.IndexOf("lysine"));
    std::string notes;
    for (const std::string& line : RequirementNotesOf(f.Run)) notes += (notes.empty() ? "" : "\n") + Utf8ToWindows1252(line);
    f.LabelNotes.Caption = notes;
    FillBalance(f);
    RequirementsNutrientClick(f);
    f.Visible = true;
}

void RequirementsNutrientClick(RequirementsWindow& f) {
    const RunRequirements& r = f.Run.Nutrition.Requirements;
    Grid& g = f.GridPhases;
    g.Clear();
    const int i = f.ComboNutrient.ListIndex;
    if (i < 0 || i >= static_cast<int>(r.Nutrients.size())) return;
    const std::string unit = UnitOf(f.Run);
    const double wf = WeightFactor(f.Run.WeightUnit);
    g.SetRows(static_cast<int>(r.Phases.size()) + 1);
    g.SetCols(kRequirementsPhaseColumns);
    const char* head[kRequirementsPhaseColumns] = {"Diet", "From", "To", "Days", "Required %", "Supplied %",
                                                   "Supply / requirement", "Days short", "Days over"};
    for (int c = 0; c < kRequirementsPhaseColumns; ++c) g.SetTextMatrix(0, c, head[c]);
    g.SetTextMatrix(0, 1, "From, " + unit);
    g.SetTextMatrix(0, 2, "To, " + unit);
    for (std::size_t p = 0; p < r.Phases.size(); ++p) {
        const RequirementPhase& ph = r.Phases[p];
        const PhaseValue& v = ph.Values[static_cast<std::size_t>(i)];
        const int row = static_cast<int>(p) + 1;
        g.SetTextMatrix(row, 0, ph.Name);
        g.SetTextMatrix(row, 1, FixedText(ph.FromWeight / wf, 1));
        g.SetTextMatrix(row, 2, FixedText(ph.ToWeight / wf, 1));
        g.SetTextMatrix(row, 3, std::to_string(ph.Days));
        g.SetTextMatrix(row, 4, FixedText(v.Requirement, 3));
        g.SetTextMatrix(row, 5, v.Stated ? FixedText(v.Supply, 3) : "-");
        g.SetTextMatrix(row, 6, v.Stated ? FixedText(v.Ratio, 2) : "-");
        g.SetTextMatrix(row, 7, std::to_string(v.DaysBelow));
        g.SetTextMatrix(row, 8, std::to_string(v.DaysAbove));
        // Short of the requirement over the phase in red, well above it in amber.
        const Color shade = !v.Stated ? kNoColor : v.Ratio < 0.95 ? kShortShade : v.Ratio > 1.15 ? kOverShade : kMetShade;
        g.SetCellBackColor(row, 6, shade);
    }
}

RequirementsChart RequirementsChartOf(const RequirementsWindow& f) {
    RequirementsChart c;
    const RunRequirements& r = f.Run.Nutrition.Requirements;
    const int i = f.ComboNutrient.ListIndex;
    if (i < 0 || i >= static_cast<int>(r.Nutrients.size())) return c;
    const RequirementNutrient& n = r.Nutrients[static_cast<std::size_t>(i)];
    c.Title = n.Name + ": requirement and supply by day";
    c.ValueAxis = n.Name + ", %";  // of the feed, as the table's headings say
    bool stated = false;
    for (const RequirementDay& d : r.Days) {
        if (!(d.Feed > 0) || static_cast<std::size_t>(i) >= d.Values.size()) continue;
        const RequirementValue& v = d.Values[static_cast<std::size_t>(i)];
        c.Requirement.push_back({d.Age, v.Requirement});
        if (v.Stated) {
            c.Supply.push_back({d.Age, v.Supply});
            stated = true;
        }
    }
    if (!stated) c.Title = n.Name + ": requirement by day (the diets state no supply)";
    for (const RequirementPhase& ph : r.Phases) c.Phases.push_back({ph.FromAge, ph.ToAge, ph.Name});
    return c;
}

bool BalanceAboveRange(const RunSnapshot& run) {
    const NutrientBalance& b = run.Nutrition.Balance;
    return (b.NitrogenComputed && b.NExcretedPerPlaceYear > kBatNitrogenHigh) ||
           (b.PhosphorusComputed && b.P2O5ExcretedPerPlaceYear > kBatP2O5High);
}

std::string BalanceLineOf(const RunSnapshot& run) {
    if (run.Empty() || run.Source != "Growth") return {};
    const NutrientBalance& b = run.Nutrition.Balance;
    std::string line = "Excreted per pig: ";
    if (b.NitrogenComputed)
        line += FixedText(b.NExcreted, 2) + " kg N (" + FixedText(b.NExcretedPerPlaceYear, 2) + " kg per place and year; " +
                (b.NExcretedPerPlaceYear > kBatNitrogenHigh ? "ABOVE the " : "") + "EU BAT 7.0-13.0)";
    else
        line += Utf8ToWindows1252(b.NitrogenMissing.empty() ? "no nitrogen balance" : b.NitrogenMissing);
    line += "; ";
    if (b.PhosphorusComputed)
        line += FixedText(b.PExcreted, 3) + " kg P (" + FixedText(b.P2O5ExcretedPerPlaceYear, 2) +
                " kg P2O5 per place and year; " + (b.P2O5ExcretedPerPlaceYear > kBatP2O5High ? "ABOVE the " : "") +
                "EU BAT 3.5-5.4)";
    else
        line += b.PhosphorusMissing.empty() ? "no phosphorus balance" : b.PhosphorusMissing;
    return line + ". Requirements: the Requirements button.";
}

void SetMinimumsFromRequirementsClick(SharedState& s, RestrictionsWindow& w) {
    Dialogs& dlg = DialogsOf(s);
    if (!s.LastRun.Nutrition.Requirements.Computed) {
        dlg.Message(kRequirementsNoRun);
        return;
    }
    const std::string answer = dlg.Input("Minimums as a percent of the highest requirement of the days each diet is fed (" +
                                             Percent(kLowestMargin) + " to " + Percent(kHighestMargin) + ")",
                                         "Set minimums from requirements", "100");
    if (answer.empty()) return;  // cancelled
    const double margin = NumVal(std::string_view(answer));
    if (!(margin >= kLowestMargin && margin <= kHighestMargin)) {
        dlg.Message("The margin must be from " + Percent(kLowestMargin) + " to " + Percent(kHighestMargin) +
                    " percent; the minimums are unchanged");
        return;
    }
    const MinimumsResult set = SetMinimumsFromRequirements(s, s.LastRun, margin);
    LoadRestrictionsWindow(s, w);
    std::string text = std::to_string(set.Changes.size()) + " minimums set for this session; save the restrictions to keep them. " +
                       set.Rule;
    for (const std::string& skipped : set.Skipped) text += "\n" + skipped;
    dlg.Message(text);
}

}  // namespace tarvisol
