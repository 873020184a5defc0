#include "ui/DietChart.h"

#include <algorithm>
#include <cmath>

#include "optimisation/PlotSweep.h"
#include "optimisation/RequirementShortfall.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {

std::string Diet(int d) { return "Diet " + std::to_string(d); }

std::string PointText(const DietChartWindow& w, int e, int l) {
    switch (w.Kind[e][l]) {
        case ChartPoint::Infeasible: return kChartInfeasibleText;
        case ChartPoint::OverCost: return kChartOverCostText;
        default: return FormatAuto(w.Value[e][l]);
    }
}

void FillTable(DietChartWindow& w) {
    Grid& g = w.GridPlot;
    g.Clear();
    g.SetRows(kSweepSteps + 1);
    g.SetCols(kSweepSteps + 1);
    g.SetTextMatrix(0, 0, w.EnergyAxis + " \\ " + w.LevelAxis);
    for (int l = 0; l < kSweepSteps; ++l) g.SetTextMatrix(0, l + 1, FormatAuto(w.Level[l]));
    for (int e = 0; e < kSweepSteps; ++e) {
        g.SetTextMatrix(e + 1, 0, FormatAuto(w.Energy[e]));
        for (int l = 0; l < kSweepSteps; ++l) {
            g.SetTextMatrix(e + 1, l + 1, PointText(w, e, l) + (w.Short[e][l] ? kChartShortMark : ""));
            if (w.Kind[e][l] != ChartPoint::Value) g.SetCellBackColor(e + 1, l + 1, kChartMissingShade);
            else if (w.Short[e][l]) g.SetCellBackColor(e + 1, l + 1, kChartShortShade);
        }
    }
    g.SetCellBackColor(kSweepCentre + 1, kSweepCentre + 1, kChartCurrentShade);
}

}  // namespace

void LoadDietChart(SharedState& s, DietChartWindow& w) {
    if (s.SweepDietCount < 1) return;
    w.ComboDiet.Clear();
    for (int d = 1; d <= s.SweepDietCount; ++d) w.ComboDiet.AddItem(Diet(d));
    w.ComboDiet.ListIndex = 0;
    w.ComboMeasure.Clear();
    for (const ChartMeasureInfo& m : kChartMeasures) w.ComboMeasure.AddItem(m.caption);
    w.ComboMeasure.ListIndex = 0;
    w.Visible = true;
    DietChartSelect(s, w);
}

void DietChartSelect(SharedState& s, DietChartWindow& w) {
    if (s.SweepDietCount < 1) return;
    const int d = std::clamp(w.ComboDiet.ListIndex + 1, 1, static_cast<int>(s.SweepDietCount));
    const int m = std::clamp(w.ComboMeasure.ListIndex, 0, kChartMeasureCount - 1);
    w.ComboDiet.ListIndex = d - 1;
    w.ComboMeasure.ListIndex = m;
    s.ChartMeasure = static_cast<int16_t>(m + 4);
    w.Diet = d;
    w.Field = kChartMeasures[m].field;
    w.MeasureCaption = kChartMeasures[m].caption;
    w.LowerIsBetter = w.Field <= kSweepBackFat;
    w.EnergyAxis = "Energy, " + EnergyUnitLabel(s.EnergyUnit());
    w.LevelAxis = s.RatioToLysine ? "Lysine, %" : "Protein, %";
    const int level = s.RatioToLysine ? kSweepLysine : kSweepProtein;
    const bool priced = w.Field == kSweepCost;
    w.AnyValue = false;
    for (int step = 0; step < kSweepSteps; ++step) {
        w.Energy[step] = s.SweepValues(d, step, kSweepEnergy);
        w.Level[step] = s.SweepValues(d, step, level);
    }
    int bestE = -1, bestL = -1;
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l) {
            const double v = s.SweepResults(w.Field, d, e, l);
            w.Value[e][l] = v;
            ChartPoint kind = ChartPoint::Value;
            if (v == kSweepInfeasible) kind = ChartPoint::Infeasible;
            else if (priced && v == 0) kind = ChartPoint::OverCost;
            w.Kind[e][l] = kind;
            if (kind != ChartPoint::Value) continue;
            if (!w.AnyValue) {
                w.Low = w.High = v;
                w.AnyValue = true;
            }
            w.Low = std::min(w.Low, v);
            w.High = std::max(w.High, v);
            const bool better = bestE < 0 || (w.LowerIsBetter ? v < w.Value[bestE][bestL] : v > w.Value[bestE][bestL]);
            if (better) {
                bestE = e;
                bestL = l;
            }
        }
    // Each feasible point against the requirement of the run the sweep
    // started from, on the first day the diet was fed.
    const RunRequirements& req = s.LastRun.Nutrition.Requirements;
    const RequirementDay* start = DietStartDay(req, d);
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l) {
            w.Short[e][l] = false;
            w.ShortText[e][l].clear();
            if (!start || s.SweepResults(kSweepFeedGain, d, e, l) == kSweepInfeasible) continue;
            const auto list = AminoShortfalls(req, d, [&](int k) { return s.SweepAmino(k, d, e, l); });
            w.Short[e][l] = !list.empty();
            w.ShortText[e][l] = ShortfallsSentence(list);
        }
    if (!start) {
        w.LabelRequirement.Caption = "No requirement to mark against: the run the plot started from has none for " + Diet(d);
    } else {
        std::string needs;
        for (std::size_t i = 0; i < req.Nutrients.size() && i < start->Values.size(); ++i) {
            const int k = req.Nutrients[i].Column;
            if (k >= 3 && k <= 14 && req.Nutrients[i].Key == "lysine")
                needs = req.Nutrients[i].Name + " " + FormatPattern(start->Values[i].Requirement, "0.000") + " %";
        }
        w.LabelRequirement.Caption = std::string("Marked") + kChartShortMark + ": amino acids below this herd's requirement where " +
                                     Diet(d) + " starts (" + FormatPattern(start->Weight, "0.0") + " kg" +
                                     (needs.empty() ? std::string() : ", " + needs) + ")";
    }
    FillTable(w);

    w.LabelTitle.Caption = Diet(d) + ": " + w.MeasureCaption;
    const int c = kSweepCentre;
    const std::string levelName = s.RatioToLysine ? "lysine " : "protein ";
    const double ratio = SweepCentreRatio(s, d);
    w.CentreIsCurrent = s.RatioToLysine || std::fabs(ratio - 1) < 1e-6;
    if (w.CentreIsCurrent) {
        w.CentreName = kChartCurrentDiet;
        w.LabelCurrent.Caption = std::string(kChartCurrentDiet) + " (marked): energy " + FormatAuto(w.Energy[c]) + ", " +
                                 levelName + FormatAuto(w.Level[c]) + ": " + PointText(w, c, c);
    } else {
        // Centred on the restriction minimums, the point is formulated with
        // every amino-acid minimum times protein minimum / protein content:
        // not the diet the main window grew, so not its cost per pig.
        w.CentreName = kChartProteinMinimums;
        w.LabelCurrent.Caption = std::string(kChartProteinMinimums) + " (marked): energy " + FormatAuto(w.Energy[c]) +
                                 ", protein minimum " + FormatAuto(w.Level[c]) + ", amino-acid minimums x " +
                                 FormatPattern(ratio, "0.000") + " (protein minimum / content): " + PointText(w, c, c) +
                                 ". Not the current programme, whose cost per pig is " +
                                 FormatPattern(s.PlotCostLimit, "0.00");
    }
    w.LabelBest.Caption = bestE < 0 ? std::string("No feasible point")
                                    : (w.LowerIsBetter ? "Lowest " : "Highest ") + FormatAuto(w.Value[bestE][bestL]) +
                                          " at energy " + FormatAuto(w.Energy[bestE]) + ", " +
                                          (s.RatioToLysine ? "lysine " : "protein ") + FormatAuto(w.Level[bestL]);
    // A best point on the grid's edge is not bracketed: the sweep did not go
    // far enough to show the best, which may lie beyond it.
    w.BestOnEdge = bestE >= 0 && (bestE == 0 || bestE == kSweepSteps - 1 || bestL == 0 || bestL == kSweepSteps - 1);
    if (w.BestOnEdge) {
        std::vector<std::string> edges;
        if (bestE == 0) edges.push_back("lowest energy");
        if (bestE == kSweepSteps - 1) edges.push_back("highest energy");
        if (bestL == 0) edges.push_back(std::string("lowest ") + (s.RatioToLysine ? "lysine" : "protein"));
        if (bestL == kSweepSteps - 1) edges.push_back(std::string("highest ") + (s.RatioToLysine ? "lysine" : "protein"));
        std::string where = edges[0];
        for (std::size_t i = 1; i < edges.size(); ++i) where += " and " + edges[i];
        w.LabelBest.Caption += ", on the edge of the grid swept (" + where + "): the " +
                               (w.LowerIsBetter ? "lowest" : "highest") + " may lie beyond it";
    }
    // A point below the requirement says so, with its shortfalls.
    if (w.Short[c][c]) w.LabelCurrent.Caption += "; " + w.ShortText[c][c];
    if (bestE >= 0 && w.Short[bestE][bestL]) w.LabelBest.Caption += "; " + w.ShortText[bestE][bestL];
}

void CopyDietChartTable(SharedState& s, DietChartWindow& w) { CopyAllToClipboard(s, w.GridPlot); }

}  // namespace tarvisol
