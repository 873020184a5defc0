#include "ui/OptimisationReport.h"

#include <algorithm>
#include <string>

#include "optimisation/OptimisationWindow.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {

void Put(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

std::string PriceCaption(int unit) {
    static const char* const units[5] = {"/kg", "/tonne", "/lb", "/sht ton", "/100 lb"};
    return std::string("Cost ") + (unit >= 0 && unit <= 4 ? units[unit] : units[0]);
}

std::string EnergyCaption(int unit) {
    static const char* const units[3] = {"Kcal/kg", "Kcal/lb", "Mcal/kg"};
    return unit >= 0 && unit <= 2 ? units[unit] : units[0];
}

// "##" of a whole number: no leading zero, nothing for 0.
std::string Number2(int v) { return v == 0 ? std::string() : std::to_string(v); }

double MainNumber(const SharedState& s, const TextBox MainWindow::*box) {
    return s.Main ? NumVal(std::string_view((s.Main->*box).Text)) : 0.0;
}

void LoadSummary(SharedState& s, OptimisationReport& r) {
    Grid& g = r.Grid3;
    const int diets = std::max<int>(s.DietCount, 0);
    g.Clear();
    g.SetRows(6 * diets + 7);
    g.SetCols(9);
    g.FixedRows = 0;
    g.FixedCols = 1;
    g.SetColWidth(0, 1500);

    Put(g, 7, 1, "Optimized");
    g.SetCellBackColor(7, 1, kLightGreen);
    Put(g, 7, 2, "Initial");
    g.SetCellBackColor(7, 2, kLightCyan);
    Put(g, 7, 3, "Maximum");
    Put(g, 7, 4, "Minimum");
    Put(g, 7, 5, "LP Restrict.");
    g.SetCellBackColor(7, 5, kLightGreen);
    Put(g, 7, 6, "FEED COST");
    Put(g, 8, 1, EnergyCaption(s.EnergyUnit()));
    Put(g, 8, 6, PriceCaption(s.PriceUnit()));
    Put(g, 8, 7, s.PriceUnit() <= 1 ? "kg" : "lb");

    for (int d = 1; d <= diets; ++d) {
        const int top = 4 * (d - 1) + 8;
        Put(g, top, 0, "Diet " + std::string(d < 10 ? " " : "") + std::to_string(d));
        Put(g, top + 1, 0, "     ENERGY");
        Put(g, top + 2, 0, " Protein, %");
        Put(g, top + 3, 0, "    Feed Wt.");
        // Optimum, starting value, limits of the search and what the formulation used.
        const double optimum[3] = {ConvertEnergy(s, 2, s.OptDietNutrients(d, 1)), s.OptDietNutrients(d, 2),
                                   ConvertWeight(s, 2, s.DietFormula(d, 0))};
        const int var[3] = {1, 2, 0};  // energy, protein, feed weight
        for (int j = 0; j < 3; ++j) {
            const int row = top + 1 + j;
            Put(g, row, 1, FormatAuto(optimum[j]));
            Put(g, row, 2, FormatAuto(s.OptBase(d, var[j], 0)));
            Put(g, row, 3, FormatAuto(s.OptBase(d, var[j], 2)));
            Put(g, row, 4, FormatAuto(s.OptBase(d, var[j], 1)));
        }
        Put(g, top + 1, 5, FormatAuto(s.OptNutrientLimits(d, 1, 1)));
        Put(g, top + 2, 5, FormatAuto(s.OptNutrientLimits(d, 1, 2)));
        Put(g, top + 1, 6, FormatPrecise(s.DietPrice(d)));
    }

    // What the optimum saved.
    const double cost = OptimumCostPerPig(s);
    Put(g, 0, 4, "Optimized");
    Put(g, 0, 5, "Initial");
    Put(g, 1, 0, "COST/Pig");
    Put(g, 2, 0, "Feed/Gain");
    Put(g, 3, 0, " Age");
    Put(g, 4, 0, "Percent Saved");
    Put(g, 1, 4, FormatAuto(cost));
    Put(g, 1, 5, FormatAuto(s.CurrentCost));
    Put(g, 2, 4, FormatAuto(s.OptFeedGain));
    Put(g, 2, 5, FormatAuto(MainNumber(s, &MainWindow::TextF2G)));
    Put(g, 3, 4, FormatAuto(s.OptFinalAge));
    Put(g, 3, 5, FormatAuto(MainNumber(s, &MainWindow::Text5)));
    const double saved = s.CurrentCost != 0 ? (s.CurrentCost - cost) * 100 / s.CurrentCost : 0;
    Put(g, 4, 4, FormatAuto(saved));
    r.LabelEvaluations.Caption = "Number of Growouts run to find Optimum was " + std::to_string(s.EvalCount);

    // The best of each variable searched alone.
    Put(g, 6, 7, "Value of Single Change");
    Put(g, 7, 7, "Opt Point");
    Put(g, 7, 8, "Opt Cost");
    for (int d = 1; d <= diets; ++d) {
        const int vars[3] = {3 * (d - 1) + 2, 3 * (d - 1) + 3, 3 * (d - 1) + 1};
        for (int j = 0; j < 3; ++j) {
            const int row = 4 * (d - 1) + 9 + j;
            const int i = vars[j];
            Put(g, row, 7, FormatAuto(i <= 24 ? s.VariableOptimum(i) : 0.0));
            Put(g, row, 8, FormatAuto(i <= 24 ? s.VariableCost(i) : 0.0));
        }
    }
}

void LimitHeaders(Grid& g, const char* nameHeader, int diets) {
    Put(g, 0, 1, nameHeader);
    for (int c = 2; c <= 11; ++c) Put(g, 0, c, c % 2 == 0 ? "Minimum" : "Maximum");
    Put(g, 1, 1, "Diet");
    for (int d = 1; d <= diets; ++d) {
        Put(g, 1, 2 * d, Number2(d));
        Put(g, 1, 2 * d + 1, Number2(d));
    }
}

void SizeLimitGrid(Grid& g, int rows) {
    g.Clear();
    g.SetRows(rows);
    g.SetCols(20);
    g.FixedRows = 2;
    g.SetColWidth(0, 500);
    g.SetColWidth(1, 1800);
    g.SetColWidth(2, 1000);
    g.SetColWidth(3, 1000);
}

void PutLimit(Grid& g, int row, int col, double v, bool shadeAboveZero) {
    Put(g, row, col, FormatPrecise(v));
    if (shadeAboveZero ? v > 0 : v != 0) g.SetCellBackColor(row, col, kLimitShade);
}

void LoadIngredientLimits(SharedState& s, OptimisationReport& r) {
    Grid& g = r.GridIngred;
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    SizeLimitGrid(g, std::max(100, s.IngredientCount + 2));
    LimitHeaders(g, "Ingredient Name", diets);
    for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) {
        const int row = i + 1;
        Put(g, row, 0, Number2(i));
        Put(g, row, 1, s.IngredientNames(i));
        for (int d = 1; d <= diets; ++d) {
            PutLimit(g, row, 2 * d, s.IngredientLimits(d, 1, i), true);
            PutLimit(g, row, 2 * d + 1, s.IngredientLimits(d, 2, i), true);
        }
    }
}

void LoadNutrientLimits(SharedState& s, OptimisationReport& r) {
    Grid& g = r.GridNuts;
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    const int nutrients = std::clamp<int>(s.NutrientCount, 0, 120);
    SizeLimitGrid(g, std::max(123, nutrients + 3));
    LimitHeaders(g, "Restriction Name", diets);
    Put(g, 2, 1, "Feed Wt.");
    for (int d = 1; d <= diets; ++d) Put(g, 2, 2 * d, FormatPattern(ConvertWeight(s, 2, s.DietFormula(d, 0)), "###.0"));
    for (int k = 1; k <= nutrients; ++k) {
        const int row = k + 2;
        Put(g, row, 0, Number2(k));
        Put(g, row, 1, s.NutrientNames(k + 1));
        for (int d = 1; d <= diets; ++d) {
            PutLimit(g, row, 2 * d, s.OptNutrientLimits(d, 1, k), false);
            PutLimit(g, row, 2 * d + 1, s.OptNutrientLimits(d, 2, k), false);
        }
    }
}

void LoadIngredientWeights(SharedState& s, OptimisationReport& r) {
    Grid& g = r.GridInWt;
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    g.Clear();
    g.SetRows(std::max(2, s.IngredientCount + 1));
    g.SetCols(diets + 1);
    g.SetColWidth(0, 2500);
    for (int d = 1; d <= diets; ++d) Put(g, 0, d, "Diet " + std::to_string(d));
    for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) {
        Put(g, i, 0, s.IngredientNames(i));
        for (int d = 1; d <= diets; ++d) Put(g, i, d, FormatPattern(s.DietFormula(d, i), "###.#0"));
    }
}

}  // namespace

double OptimumCostPerPig(const SharedState& s) {
    double cost = 0;
    for (int d = 1; d <= s.DietCount && d <= 8; ++d) cost += ConvertPrice(s, 1, s.DietPrice(d)) * s.DietFormula(d, 0);
    return cost;
}

void LoadOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt) {
    double target = ConvertWeight(s, 2, s.OptTargetWeight);
    if (target == 0 && opt) target = NumVal(std::string_view(opt->Text2.Text));
    r.TextTargetWt.Text = FormatAuto(target);
    r.CommandShowCurrent.Visible = false;
    LoadSummary(s, r);
    LoadIngredientLimits(s, r);
    LoadNutrientLimits(s, r);
    LoadIngredientWeights(s, r);
    r.ReportTabs.Tab = 0;
}

void ShowOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt) {
    LoadOptimisationReport(s, r, opt);
    r.Visible = true;
}

void CopyReportToClipboard(SharedState& s, OptimisationReport& r) { CopyAllToClipboard(s, r.Grid3); }

}  // namespace tarvisol
