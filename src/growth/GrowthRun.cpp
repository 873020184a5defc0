#include "growth/GrowthRun.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "formulation/Formulate.h"
#include "growth/Carcass.h"
#include "growth/MeasuredHerd.h"
#include "growth/PigGrowth.h"
#include "growth/RunSnapshotOf.h"
#include "growth/SexSplit.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kMaxGridDiets = 6;
constexpr int kRowName = 1, kRowPrice = 2, kRowFeed = 3, kRowEnergy = 4;

double CellNumber(Grid& g, int row, int col) {
    if (row >= g.Rows() || col >= g.Cols()) return 0.0;
    std::string t = g.TextMatrix(row, col);
    const double v = NumVal(t);
    if (t != g.TextMatrix(row, col)) g.SetTextMatrix(row, col, t);
    return v;
}

double BoxNumber(TextBox& box) { return NumVal(box.Text); }

void Put(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

// A diet the pig ate: one it finished, or the one in force at the final weight.
bool DietReached(const SharedState& s, int i) {
    if (i > s.CurrentDietIndex) return false;
    return i == s.CurrentDietIndex || s.DietResults(i, 1) > 0;
}

// The last diet before i that the pig finished (0, the start, when none).
int PreviousReached(const SharedState& s, int i) {
    int j = i - 1;
    while (j > 0 && !DietReached(s, j)) --j;
    return j;
}

void WriteHeaders(SharedState& s, Grid& g) {
    static const char* heads[] = {"Diet Name", "Live Wt.", "Age", "Daily Wt. Gain, kg", "", "Age", "Weight",
                                  "Daily Feed", "Tot FEED"};
    for (int c = 0; c <= 8; ++c) Put(g, 0, c, heads[c]);
    (void)s;
}

void WriteResultLabels(SharedState& s, Grid& g) {
    const bool pounds = s.WeightUnit() == 1;
    Put(g, 0, 9, "   No. of Pigs");
    Put(g, 1, 9, "   At Final Wt");
    Put(g, 2, 9, "   of " + std::to_string(s.PigCount) + " Pigs");
    Put(g, 0, 10, pounds ? "BackFat inch" : "BackFat mm");
    Put(g, 1, 10, "Depth 10th rib");
    Put(g, 0, 11, "Longissimus");
    Put(g, 1, 11, pounds ? "Area sq in" : "Area cm sq");
    Put(g, 0, 12, "Carcass");
    Put(g, 1, 12, "Lean %");
    Put(g, 0, 13, "Carcass");
    Put(g, 1, 13, "Yield %");
    Put(g, 18, 0, "At Finishing Wt");
    Put(g, 19, 1, "Males");
    Put(g, 19, 2, "Females");
    static const char* labels[] = {"Live Wt", "Feed In.", "Cost", "Feed/gain", "Back Fat at 10th Rib"};
    for (int r = 0; r < 5; ++r) Put(g, 20 + r, 0, labels[r]);
    Put(g, 25, 0, pounds ? "Longissimus Area sq in." : "Longissimus Area sq cm.");
    Put(g, 26, 0, "Carc. Lean %");
    Put(g, 27, 0, "Carc. Yield %");
}

// Back fat is computed in millimetres; the pound system shows inches.
double BackFatShown(const SharedState& s, double mm) { return s.WeightUnit() == 1 ? mm / 25.4 : mm; }

}  // namespace

int16_t FindDietCount(const MainWindow& w) {
    int16_t n = 0;
    const Grid& g = w.Griddiets;
    for (int d = 1; d <= kMaxGridDiets && d < g.Cols(); ++d)
        if (kRowEnergy < g.Rows() && NumVal(std::string_view(g.TextMatrix(kRowEnergy, d))) > 0) n = static_cast<int16_t>(d);
    return n;
}

double FeedEatenOfDiet(const SharedState& s, int i) {
    if (!DietReached(s, i)) return 0.0;
    return s.DietResults(i, 3) - s.DietResults(PreviousReached(s, i), 3);
}

void ReadDietColumn(SharedState& s, MainWindow& w, int d) {
    Grid& g = w.Griddiets;
    s.DietNutrients(d, 0) = CellNumber(g, kRowPrice, d);
    s.DietFeedAmount(d) = ConvertWeight(s, 1, CellNumber(g, kRowFeed, d));
    s.DietNutrients(d, 1) = ConvertEnergy(s, 1, CellNumber(g, kRowEnergy, d));
    for (int k = 2; k <= 14; ++k) s.DietNutrients(d, k) = CellNumber(g, k + 3, d);
}

double CostPerPig(const SharedState& s) {
    double cost = 0;
    for (int i = 1; i <= s.DietCount; ++i) cost += ConvertPrice(s, 1, s.DietNutrients(i, 0)) * FeedEatenOfDiet(s, i);
    return cost;
}

void FeedTonnage(SharedState& s) {
    MainWindow& w = *s.Main;
    Grid& f = w.GridFormula;
    const bool pounds = s.WeightUnit() == 1;
    // kg of feed per pig -> tonnes (or short tons) for the whole group.
    const double perTonne = pounds ? 2.205 / 2000.0 : 1.0 / 1000.0;
    const int n = s.DietCount;
    const int totalCol = n + 1;
    const bool formulas = w.Combo1.ListIndex == kFormulationLeastCost && s.IngredientCount > 0;
    const int ingredients = formulas ? s.IngredientCount : 0;
    f.Clear();
    f.SetCols(std::max(f.Cols(), totalCol + 1));
    f.SetRows(std::max(f.Rows(), ingredients + 5));
    Put(f, 0, 0, "Ingredient");
    for (int d = 1; d <= n; ++d) Put(f, 0, d, w.Griddiets.TextMatrix(kRowName, d));
    Put(f, 0, totalCol, std::string(pounds ? "Tons" : "Tonnes") + " for " + std::to_string(s.PigCount) + " Pigs");

    for (int i = 1; i <= ingredients; ++i) {
        Put(f, i, 0, s.IngredientNames(i));
        double tonnes = 0;
        for (int d = 1; d <= n; ++d) {
            Put(f, i, d, FormatAuto(s.DietFormula(d, i)));
            tonnes += s.DietFormula(d, i) / 100.0 * FeedEatenOfDiet(s, d) * s.PigCount * perTonne;
        }
        Put(f, i, totalCol, FormatAuto(tonnes));
    }
    const int rowFeed = ingredients + 1, rowPrice = ingredients + 2, rowCost = ingredients + 3;
    Put(f, rowFeed, 0, pounds ? "Feed, tons" : "Feed, tonnes");
    Put(f, rowPrice, 0, "Price");
    Put(f, rowCost, 0, "Total Cost");
    double feedAll = 0, costAll = 0;
    for (int d = 1; d <= n; ++d) {
        const double feedKg = FeedEatenOfDiet(s, d) * s.PigCount;
        const double cost = ConvertPrice(s, 1, s.DietNutrients(d, 0)) * feedKg;
        feedAll += feedKg * perTonne;
        costAll += cost;
        Put(f, rowFeed, d, FormatAuto(feedKg * perTonne));
        Put(f, rowPrice, d, FormatAuto(s.DietNutrients(d, 0)));
        Put(f, rowCost, d, FormatPattern(cost, "0.00"));
    }
    Put(f, rowFeed, totalCol, FormatAuto(feedAll));
    Put(f, rowCost, totalCol, FormatPattern(costAll, "0.00"));
}

void HerdDistribution(SharedState& s) {
    // Each day's weights are taken as normally spread around the simulated
    // weight W with a coefficient of variation of 0.14006 W + 1.8405 percent.
    // For the days with z = (W - final) / sd within +-1.5 the column shows
    // round(PigCount x Phi(z)) pigs at or above the final weight, Phi read from
    // the normal table at the nearest 0.05 step. The row above the first such
    // day carries "Starts at <age> Days".
    Grid& g = s.Main->Grid1;
    s.HerdStartRow = 0;
    for (int row = 3; row < g.Rows(); ++row) {
        const double age = NumVal(std::string_view(g.TextMatrix(row, 5)));
        if (!(age > 0)) break;
        const int d = static_cast<int>(std::ceil(age));
        if (d < 0 || d > 200) break;
        const double w = s.DayGrowth(0, d);
        const double cv = 0.14006 * w + 1.8405;
        const double sd = w * cv / 100.0;
        if (!(sd > 0)) continue;
        const double z = (w - s.FinalWeight) / sd;
        if (z < -1.5 || z > 1.5) continue;
        const int step = static_cast<int>(RoundHalfEven(std::fabs(z) / 0.05));
        const double phi = s.NormalTable(std::min(step, 30));
        const double share = z >= 0 ? phi : 1.0 - phi;
        const double pigs = RoundHalfEven(s.PigCount * share);
        if (s.HerdStartRow == 0) {
            s.HerdStartRow = static_cast<int16_t>(row);
            Put(g, row - 1, 9, "Starts at " + std::to_string(d) + " Days");
        }
        Put(g, row, 9, FormatPattern(pigs, "0"));
    }
}

void HighlightLimits(SharedState& s) {
    MainWindow& w = *s.Main;
    Grid& g = w.Griddiets;
    for (int d = 1; d <= s.DietCount && d < g.Cols(); ++d) {
        for (int k = 1; k <= s.NutrientCount && k <= 121; ++k) {
            const int row = k + 3;
            if (row >= g.Rows()) break;
            const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
            const double value = std::round(NumVal(std::string_view(g.TextMatrix(row, d))) * 1000.0) / 1000.0;
            if (lo > 0) g.SetCellBackColor(row, d, value == lo ? kLightRed : kLightCyan);
            if (hi > 0 && hi > lo && value == hi) g.SetCellBackColor(row, d, kBlue);
        }
    }
    g.Row = 0;
    g.Col = 0;
    Grid& f = w.GridFormula;
    for (int d = 1; d <= s.DietCount && d < f.Cols(); ++d)
        for (int i = 1; i <= s.IngredientCount && i < f.Rows(); ++i) {
            const double lo = s.IngredientLimits(d, 1, i), hi = s.IngredientLimits(d, 2, i);
            const double x = std::round(s.DietFormula(d, i) * 1000.0) / 1000.0;
            if (lo > 0 && x == lo) f.SetCellBackColor(i, d, kLightRed);
            else if (hi > 0 && x == hi) f.SetCellBackColor(i, d, kBlue);
        }
}

void Growth(SharedState& s) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    Grid& g = w.Grid1;

    // 1. Gate and checks.
    if (!s.PigDataReady) return;
    const double startShown = BoxNumber(w.Text1);
    if (startShown == 0) return;
    // The typed weights are in the display unit; the engine works in kg.
    const double startKg = ConvertWeight(s, 1, startShown);
    if (startKg < 20) return dlg.Message("Starting Weight must be 20 kg or more");
    if (w.ComboSex.ListIndex < 0) return dlg.Message("Set the Herd Sex before running");
    if (w.Combo1.ListIndex < kFormulationLeastCost)
        return dlg.Message("Choose Least Cost Feed or Feed from the Grid before running");
    if (CellNumber(w.Griddiets, kRowFeed, 1) == 0) return dlg.Message("Need Feed Intakes");

    // 2. Preparation.
    g.Clear();
    s.LastRun = RunSnapshot{};
    s.DietCount = FindDietCount(w);
    s.ShowDailyProgress = true;
    g.SetRows(200);
    if (g.Cols() < 14) g.SetCols(14);
    if (s.DefaultGrowthCurve(0, 0) == 0)
        for (int k = 0; k < 5; ++k) s.DefaultGrowthCurve(0, k) = kDefaultCurve[k];
    for (TextBox* box : {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5, &w.TextPrice, &w.TextF2G})
        box->ToolTip = box->Text;
    w.CommandCalibration.BackColor = kNoColor;
    WriteHeaders(s, g);
    w.OptionShowInput.Value = false;
    s.GainEnergyCost(1) = 9000;
    s.GainEnergyCost(2) = 1000;
    for (int k = 0; k < 5; ++k) {
        const double v = CellNumber(w.GridWeight, 1, k + 1);
        if (v == 0) {
            s.GrowthCurve(0, k) = s.DefaultGrowthCurve(0, k);
            Put(w.GridWeight, 1, k + 1, FormatExact(s.GrowthCurve(0, k)));
        } else {
            s.GrowthCurve(0, k) = v;
            s.DefaultGrowthCurve(0, k) = v;
        }
    }
    s.DietCount = FindDietCount(w);
    const double pigs = BoxNumber(w.TextPigNo);
    s.PigCount = pigs >= 1 && pigs < 2e9 ? static_cast<int32_t>(RoundHalfEven(pigs)) : 0;
    if (s.PigCount == 0) {
        s.PigCount = 20;
        w.TextPigNo.Text = "20";
    }
    if (s.GrowthCurve(0, 0) == 0) return dlg.Message("The calibration curve B0 is missing");
    if (s.GrowthCurve(0, 1) == 0) return dlg.Message("The calibration curve B1 is missing");
    if (w.Combo1.ListIndex == kFormulationLeastCost) RunLp(s);
    if (s.DietCount == 0) return dlg.Message(kNeedDiets);
    for (int i = 1; i <= s.DietCount; ++i) ReadDietColumn(s, w, i);
    const double ageTyped = BoxNumber(w.Text2);
    if (!(ageTyped >= 0.5 && ageTyped < 197.5))
        return dlg.Message(kStartAgeRange);
    s.StartAge = static_cast<int16_t>(RoundHalfEven(ageTyped));
    s.FinalWeight = ConvertWeight(s, 1, BoxNumber(w.Text3));
    s.StartWeight = startKg;
    if (!(s.FinalWeight > startKg)) return dlg.Message(kFinalAboveStart);

    // 3. Run. Results of an earlier run must not show as this run's.
    for (int i = 0; i <= 8; ++i)
        for (int c = 0; c <= 3; ++c) s.DietResults(i, c) = 0;
    s.FinalAge = 0;
    s.DayGrowth(0, s.StartAge) = startKg;
    s.RunFailed = false;
    s.CurrentDietIndex = 1;
    GrowPig(s);

    if (!s.RunFailed) {
        // 4. Per-diet results.
        const int n = s.DietCount;
        s.DietResults(0, 1) = s.StartAge;
        s.DietResults(0, 2) = startKg;
        s.DietResults(n, 2) = s.FinalWeight;
        s.DietResults(n, 1) = s.FinalAge;
        s.DietResults(n, 3) = s.CumFeed(s.SimSex);
        // A pig that reached the final weight before the last diet ends on the
        // diet in force then; the diets after it were never fed.
        const int endDiet = std::clamp<int>(s.CurrentDietIndex, 1, n);
        if (endDiet < n)
            for (int c = 1; c <= 3; ++c) s.DietResults(endDiet, c) = s.DietResults(n, c);
        Put(g, 0, 4, "Feed Wt.");
        FeedTonnage(s);
        for (int i = 1; i <= n; ++i) {
            Put(g, i, 0, w.Griddiets.TextMatrix(kRowName, i));
            if (!DietReached(s, i)) continue;  // the pig finished before this diet
            const int j = PreviousReached(s, i);
            Put(g, i, 1, FormatAuto(ConvertWeight(s, 2, s.DietResults(i, 2))));
            Put(g, i, 2, FormatAuto(s.DietResults(i, 1)));
            const double days = s.DietResults(i, 1) - s.DietResults(j, 1);
            if (days > 0) Put(g, i, 3, FormatPattern((s.DietResults(i, 2) - s.DietResults(j, 2)) / days, "#0.0##"));
            Put(g, i, 4, FormatAuto(ConvertWeight(s, 2, s.DietResults(i, 3))));
            Put(w.Griddiets, kRowFeed, i, FormatAuto(ConvertWeight(s, 2, FeedEatenOfDiet(s, i))));
        }
        const int upTo = std::min(200, static_cast<int>(RoundHalfEven(s.CalibInputs(5) + 1)));
        for (int j = 0; j <= 2; ++j) {
            double sum = 0;
            for (int d = s.StartAge; d <= upTo; ++d) sum += s.DayFeed(j, d);
            s.CumFeed(j) = sum;
        }
        WriteResultLabels(s, g);
        HerdDistribution(s);
        SplitSexes(s);
        CarcassOutputs(s);
        ShowPredictedHerd(s, ConvertWeight(s, 2, s.CumFeed(s.SimSex)), s.FinalAge);
    }

    // 5. After every run.
    w.MainTabs.Tab = 0;
    g.Row = 0;
    s.DayFeed(1, 199) = s.CumFeed(s.SimSex);
    if (!s.RunFailed) {
        // Comparison with the herd's measured feed and age, when typed.
        const double feedMeasured = ConvertWeight(s, 1, s.CalibInputs(4)), ageMeasured = s.CalibInputs(5);
        Put(w.GridWeight, 0, 6, "Fit Error");
        if (feedMeasured > 0 && ageMeasured > 0) {
            const double err = 80 * std::pow(feedMeasured - s.CumFeed(0), 2) + 50 * std::pow(ageMeasured - s.FinalAge, 2);
            Put(w.GridWeight, 1, 6, FormatAuto(err));
        } else {
            Put(w.GridWeight, 1, 6, "");
        }

        // 6. Summary block: males in column 1, females in column 2.
        const int end = std::min(200, static_cast<int>(s.FinalAge) + 1);
        const double cost = CostPerPig(s);
        for (int sex = 1; sex <= 2; ++sex) {
            Put(g, 20, sex, FormatPattern(ConvertWeight(s, 2, s.DayGrowth(sex, end)), "###.0"));
            Put(g, 21, sex, FormatPattern(ConvertWeight(s, 2, s.CumFeed(sex)), "###.0"));
            const double share = s.CumFeed(0) > 0 ? s.CumFeed(sex) / s.CumFeed(0) : 0;
            Put(g, 22, sex, FormatPattern(cost * share, "###.#0"));
            const double gain = s.DayGrowth(sex, end) - s.DayGrowth(sex, s.StartAge);
            Put(g, 23, sex, gain > 0 ? FormatPattern(s.CumFeed(sex) / gain, "###.##0") : "");
            // No carcass traits when the pig never grew past its weight at 125 days.
            const bool carcass = s.CarcassTable(0, 1) != 0;
            Put(g, 24, sex, carcass ? FormatAuto(BackFatShown(s, s.CarcassTable(sex, 1))) : "");
            for (int t = 2; t <= 4; ++t) Put(g, 23 + t, sex, carcass ? FormatAuto(s.CarcassTable(sex, t)) : "");
        }

        // 7. Cost block.
        Put(g, 10, 0, "COST PER");
        Put(g, 11, 0, "of PIG");
        Put(g, 12, 0, FormatPattern(cost, "###.#0"));
        double energy = 0;
        for (int i = 1; i <= s.DietCount; ++i) energy += s.DietNutrients(i, 1) * FeedEatenOfDiet(s, i);
        const double perKgGain = energy / (s.FinalWeight - startKg);
        if (s.WeightUnit() == 1) {
            Put(g, 10, 1, "TON");
            Put(g, 12, 1, FormatAuto(cost * 2000 / BoxNumber(w.Text3)));
            Put(g, 8, 0, "kcal /lb");
            Put(g, 8, 1, FormatAuto(perKgGain / 2.2));
        } else {
            Put(g, 10, 1, "TONNE");
            Put(g, 12, 1, FormatAuto(cost * 1000 / s.FinalWeight));
            Put(g, 8, 0, "kcal /kg");
            Put(g, 8, 1, FormatAuto(perKgGain));
        }
        w.TextPrice.Text = FormatPattern(cost, "###.#0");
        w.TextF2G.Text = FormatPattern(s.CumFeed(0) / (s.FinalWeight - startKg), "###.##0");
        HighlightLimits(s);
    }
    w.CommandOptimise.BackColor = kLightGreen;
    // How the run ended, for its snapshot: the pig reached the final weight,
    // and every least-cost diet was formulated.
    s.ReachedFinalWeight = !s.RunFailed && s.RunLastDay >= s.StartAge && s.DayGrowth(0, s.RunLastDay) >= s.FinalWeight;
    bool formulated = true;
    if (w.Combo1.ListIndex == kFormulationLeastCost)
        for (int d = 1; d <= s.DietCount; ++d) formulated = formulated && s.DietFaults(d) == 0;
    s.GrowthResultsValid = s.ReachedFinalWeight && formulated;
    s.LastRun = RunSnapshotOf(s);
}

}  // namespace tarvisol
