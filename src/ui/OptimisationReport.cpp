#include "ui/OptimisationReport.h"

#include <algorithm>
#include <string>

#include "optimisation/ChangedRestrictions.h"
#include "optimisation/MarginFigures.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/RequirementShortfall.h"
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

double At(const std::vector<double>& v, int i) {
    return i >= 0 && i < static_cast<int>(v.size()) ? v[static_cast<std::size_t>(i)] : 0.0;
}

int DietsOf(const OptimisationResult& x) { return std::clamp<int>(x.Optimum.DietCount(), 0, 8); }

const RunDiet& DietOf(const OptimisationResult& x, int d) { return x.Optimum.Diets[static_cast<std::size_t>(d - 1)]; }

double WeightShown(const RunSnapshot& run, double kg) { return kg / WeightFactor(run.WeightUnit); }

void LoadSummary(const OptimisationResult& x, OptimisationReport& r) {
    Grid& g = r.Grid3;
    const RunSnapshot& run = x.Optimum;
    const int diets = DietsOf(x);
    const std::vector<RestrictionChange> changes = ChangedRestrictions(x);
    const std::vector<AminoShortfall> shortfalls = OptimumShortfalls(x);
    const int changesTop = 4 * diets + 9;
    const int shortTop = changes.empty() ? changesTop : changesTop + 2 + static_cast<int>(changes.size());
    const int used = shortfalls.empty() ? (changes.empty() ? 0 : shortTop - 1) : shortTop + 1 + static_cast<int>(shortfalls.size());
    g.Clear();
    g.SetRows(std::max(6 * diets + 7, used));
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
    Put(g, 8, 1, EnergyCaption(run.EnergyUnit));
    Put(g, 8, 6, PriceCaption(run.PriceUnit));
    Put(g, 8, 7, run.PriceUnit <= 1 ? "kg" : "lb");

    for (int d = 1; d <= diets; ++d) {
        const RunDiet& diet = DietOf(x, d);
        const int top = 4 * (d - 1) + 8;
        Put(g, top, 0, "Diet " + std::string(d < 10 ? " " : "") + std::to_string(d));
        Put(g, top + 1, 0, "     ENERGY");
        Put(g, top + 2, 0, " Protein, %");
        Put(g, top + 3, 0, "    Feed Wt.");
        // Optimum, starting value, limits of the search and what the formulation used.
        const double optimum[3] = {diet.Nutrients[1] / EnergyFactor(run.EnergyUnit), diet.Nutrients[2],
                                   WeightShown(run, diet.Allotment)};
        const int var[3] = {1, 2, 0};  // energy, protein, feed weight
        for (int j = 0; j < 3; ++j) {
            const int row = top + 1 + j;
            Put(g, row, 1, FormatAuto(optimum[j]));
            Put(g, row, 2, FormatAuto(x.Base(d, var[j], 0)));
            Put(g, row, 3, FormatAuto(x.Base(d, var[j], 2)));
            Put(g, row, 4, FormatAuto(x.Base(d, var[j], 1)));
        }
        if (d == diets) {
            // The last diet is fed to the market weight whatever its
            // allotment: its figure is the feed it was eaten, not a point
            // of the search's range.
            Put(g, top + 3, 0, kFeedEatenCaption);
            Put(g, top + 3, 3, kToMarketText);
            Put(g, top + 3, 4, "");
        }
        Put(g, top + 1, 5, FormatAuto(At(diet.NutrientMin, 0)));
        Put(g, top + 2, 5, FormatAuto(At(diet.NutrientMin, 1)));
        Put(g, top + 1, 6, FormatPrecise(diet.Price));
    }

    // Every restriction the optimum was formulated with that differs from
    // the starting programme's.
    if (!changes.empty()) {
        Put(g, changesTop, 0, kChangedRestrictionsCaption);
        Put(g, changesTop, 3, "Initial");
        Put(g, changesTop, 4, "Optimized");
        Put(g, changesTop, 5, "Unit");
        Put(g, changesTop, 6, "Change, %");
        int row = changesTop + 1;
        for (const RestrictionChange& c : changes) {
            Put(g, row, 0, "Diet " + std::to_string(c.Diet));
            Put(g, row, 1, c.Name);
            Put(g, row, 2, c.Minimum ? "min." : "max.");
            Put(g, row, 3, LimitText(c, c.Before));
            Put(g, row, 4, LimitText(c, c.After));
            Put(g, row, 5, c.Unit);
            if (c.Before != 0 && c.After != 0) Put(g, row, 6, FormatPattern((c.After - c.Before) * 100 / c.Before, "0.0"));
            ++row;
        }
    }

    // The optimum's amino acids below what its pigs need where each diet starts.
    if (!shortfalls.empty()) {
        Put(g, shortTop, 0, kBelowRequirementCaption);
        Put(g, shortTop, 3, "Optimized");
        Put(g, shortTop, 4, "Required");
        Put(g, shortTop, 5, "at kg");
        Put(g, shortTop, 6, "Short, %");
        int row = shortTop + 1;
        for (const AminoShortfall& a : shortfalls) {
            Put(g, row, 0, "Diet " + std::to_string(a.Diet));
            Put(g, row, 1, a.Name);
            Put(g, row, 2, kBelowRequirementMark);
            Put(g, row, 3, FormatPattern(a.Content, "0.000"));
            Put(g, row, 4, FormatPattern(a.Requirement, "0.000"));
            Put(g, row, 5, FormatPattern(a.StartWeight, "0.0"));
            Put(g, row, 6, FormatPattern(a.Percent(), "0.0"));
            for (int c = 1; c <= 6; ++c) g.SetCellBackColor(row, c, kLimitShade);
            ++row;
        }
    }

    // What the optimum saved.
    const double cost = x.OptimumCostPerPig();
    Put(g, 0, 4, "Optimized");
    Put(g, 0, 5, "Initial");
    Put(g, 1, 0, "COST/Pig");
    Put(g, 2, 0, "Feed/Gain");
    Put(g, 3, 0, " Age");
    Put(g, 4, 0, "Percent Saved");
    Put(g, 1, 4, FormatAuto(cost));
    Put(g, 1, 5, FormatAuto(x.StartCost));
    Put(g, 2, 4, FormatAuto(run.FeedGain));
    Put(g, 2, 5, FormatAuto(x.StartFeedGain));
    Put(g, 3, 4, FormatAuto(run.FinalAge));
    Put(g, 3, 5, FormatAuto(x.StartFinalAge));
    const double saved = x.StartCost != 0 ? (x.StartCost - cost) * 100 / x.StartCost : 0;
    Put(g, 4, 4, FormatAuto(saved));
    if (x.MeetRequirements) Put(g, 5, 0, kHeldAtRequirement);
    r.LabelEvaluations.Caption = "Number of Growouts run to find Optimum was " + std::to_string(x.Evaluations);

    // The best of each variable searched alone.
    Put(g, 6, 7, "Value of Single Change");
    Put(g, 7, 7, "Opt Point");
    Put(g, 7, 8, "Opt Cost");
    for (int d = 1; d <= diets; ++d) {
        const int vars[3] = {3 * (d - 1) + 2, 3 * (d - 1) + 3, 3 * (d - 1) + 1};
        for (int j = 0; j < 3; ++j) {
            const int row = 4 * (d - 1) + 9 + j;
            const int i = vars[j];
            Put(g, row, 7, FormatAuto(i <= 24 ? x.VariableOptimum(i) : 0.0));
            Put(g, row, 8, FormatAuto(i <= 24 ? x.VariableCost(i) : 0.0));
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

void LoadIngredientLimits(const OptimisationResult& x, OptimisationReport& r) {
    Grid& g = r.GridIngred;
    const int diets = DietsOf(x);
    const int ingredients = std::min<int>(static_cast<int>(x.Optimum.IngredientNames.size()), 100);
    SizeLimitGrid(g, std::max(100, ingredients + 2));
    LimitHeaders(g, "Ingredient Name", diets);
    for (int i = 1; i <= ingredients; ++i) {
        const int row = i + 1;
        Put(g, row, 0, Number2(i));
        Put(g, row, 1, x.Optimum.IngredientNames[static_cast<std::size_t>(i - 1)]);
        for (int d = 1; d <= diets; ++d) {
            PutLimit(g, row, 2 * d, At(DietOf(x, d).IngredientMin, i - 1), true);
            PutLimit(g, row, 2 * d + 1, At(DietOf(x, d).IngredientMax, i - 1), true);
        }
    }
}

void LoadNutrientLimits(const OptimisationResult& x, OptimisationReport& r) {
    Grid& g = r.GridNuts;
    const int diets = DietsOf(x);
    const int nutrients = std::min<int>(static_cast<int>(x.Optimum.NutrientNames.size()), 120);
    SizeLimitGrid(g, std::max(123, nutrients + 3));
    LimitHeaders(g, "Restriction Name", diets);
    Put(g, 2, 1, "Feed Wt.");
    for (int d = 1; d <= diets; ++d) Put(g, 2, 2 * d, FormatPattern(WeightShown(x.Optimum, DietOf(x, d).Allotment), "###.0"));
    for (int k = 1; k <= nutrients; ++k) {
        const int row = k + 2;
        Put(g, row, 0, Number2(k));
        Put(g, row, 1, x.Optimum.NutrientNames[static_cast<std::size_t>(k - 1)]);
        for (int d = 1; d <= diets; ++d) {
            PutLimit(g, row, 2 * d, At(DietOf(x, d).NutrientMin, k - 1), false);
            PutLimit(g, row, 2 * d + 1, At(DietOf(x, d).NutrientMax, k - 1), false);
        }
    }
}

void LoadIngredientWeights(const OptimisationResult& x, OptimisationReport& r) {
    Grid& g = r.GridInWt;
    const int diets = DietsOf(x);
    const int ingredients = std::min<int>(static_cast<int>(x.Optimum.IngredientNames.size()), 100);
    g.Clear();
    g.SetRows(std::max(2, ingredients + 1));
    g.SetCols(diets + 1);
    g.SetColWidth(0, 2500);
    for (int d = 1; d <= diets; ++d) Put(g, 0, d, "Diet " + std::to_string(d));
    for (int i = 1; i <= ingredients; ++i) {
        Put(g, i, 0, x.Optimum.IngredientNames[static_cast<std::size_t>(i - 1)]);
        for (int d = 1; d <= diets; ++d) Put(g, i, d, FormatPattern(At(DietOf(x, d).Formula, i - 1), "###.#0"));
    }
}

}  // namespace

std::vector<AminoShortfall> OptimumShortfalls(const OptimisationResult& x) {
    std::vector<AminoShortfall> all;
    const RunSnapshot& run = x.Optimum;
    for (const RunDiet& diet : run.Diets) {
        const auto list = AminoShortfalls(run.Nutrition.Requirements, diet.Number, [&](int k) {
            return k < static_cast<int>(diet.Nutrients.size()) ? diet.Nutrients[static_cast<std::size_t>(k)] : 0.0;
        });
        all.insert(all.end(), list.begin(), list.end());
    }
    return all;
}

double OptimumCostPerPig(const SharedState& s) {
    double cost = 0;
    for (int d = 1; d <= s.DietCount && d <= 8; ++d) cost += ConvertPrice(s, 1, s.DietPrice(d)) * s.DietFormula(d, 0);
    return cost;
}

void LoadOptimisationReport(const OptimisationResult& result, OptimisationReport& r, const FrmOptP* opt) {
    double target = WeightShown(result.Optimum, result.TargetWeight);
    if (target == 0 && opt) target = NumVal(std::string_view(opt->Text2.Text));
    r.TextTargetWt.Text = FormatAuto(target);
    r.CommandShowCurrent.Visible = false;
    LoadSummary(result, r);
    LoadIngredientLimits(result, r);
    LoadNutrientLimits(result, r);
    LoadIngredientWeights(result, r);
    r.MarginShown = false;
    r.ReportTabs.Tab = 0;
}

void LoadOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt) {
    LoadOptimisationReport(OptimisationResultOf(s), r, opt);
}

void LoadMarginReport(const MarginSearchResult* result, OptimisationReport& r) {
    Grid& g = r.GridMargin;
    g.Clear();
    g.SetRows(2);
    g.SetCols(7);
    r.MarginShown = result && result->Done;
    if (!r.MarginShown) return;
    const MarginSearchResult& x = *result;
    const bool herd = x.HerdPigs > 0;
    // The figures as every table of the search writes them.
    const auto figure = [](double v, int decimals) { return FormatPattern(v, decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0"); };
    int row = 0;
    Put(g, row, 0, std::string("Objective: ") + ObjectiveCaption(x.Objective));
    Put(g, row++, 3, "Best from the " + x.BestFrom);
    if (herd)
        Put(g, row++, 0, "Margins of a herd of " + std::to_string(x.HerdPigs) + " pigs (seed " + std::to_string(x.HerdSeed) +
                             ") sold as one barn; the search weighed programmes on " + std::to_string(x.HerdSearchPigs));
    ++row;
    Put(g, row, 1, "Best");
    Put(g, row, 2, "Cost minimum");
    Put(g, row++, 3, "Current");
    for (const MarginFigure& f : kMarginFigures) {
        if (f.HerdOnly && !herd) continue;
        Put(g, row, 0, MarginFigureLabel(f, x.CarcassUnit));
        int col = 1;
        for (const MarginOutcome* o : {&x.Best, &x.CostMinimum, &x.Current})
            Put(g, row, col++, o->Sold ? figure(o->*f.Value, f.Decimals) : std::string("not sold"));
        ++row;
    }
    ++row;
    Put(g, row, 0, "Diet of the best");
    int col = 1;
    for (const MarginDietFigure& f : kMarginDietFigures) Put(g, row, col++, f.Label);
    ++row;
    for (int d = 1; d <= x.Best.Count; ++d) {
        const MarginDiet& m = x.Best.Diets[static_cast<std::size_t>(d - 1)];
        Put(g, row, 0, "Diet " + std::to_string(d) + (d == x.Best.Count ? " (to sale)" : ""));
        col = 1;
        for (const MarginDietFigure& f : kMarginDietFigures)
            Put(g, row, col++,
                f.Value == &MarginDiet::LysineOfRequirement && m.*f.Value <= 0 ? std::string("-") : figure(m.*f.Value, f.Decimals));
        ++row;
    }
    if (x.Sensitivity.empty()) return;
    ++row;
    const char* heads[] = {"Price change", "Sale weight, kg", "SID lysine, % by diet", "NE, kcal/kg by diet",
                           "Margin per pig", "Margin per pig place and year"};
    for (int c = 0; c < 6; ++c) Put(g, row, c, heads[c]);
    ++row;
    for (const MarginSensitivity& k : x.Sensitivity) {
        Put(g, row, 0, k.Name + (k.Factor < 1 ? " -10 %" : " +10 %"));
        if (!k.Optimum.Sold) {
            Put(g, row++, 1, "not sold");
            continue;
        }
        std::string lys, ne;
        for (int d = 0; d < k.Optimum.Count; ++d) {
            lys += (d ? " " : "") + figure(k.Optimum.Diets[static_cast<std::size_t>(d)].SidLysine, 3);
            ne += (d ? " " : "") + figure(k.Optimum.Diets[static_cast<std::size_t>(d)].Ne, 0);
        }
        Put(g, row, 1, figure(k.Optimum.SaleWeight, 1));
        Put(g, row, 2, lys);
        Put(g, row, 3, ne);
        Put(g, row, 4, figure(k.Optimum.MarginPerPig, 2));
        Put(g, row++, 5, figure(k.Optimum.MarginPerPlaceYear, 2));
    }
}

void ShowOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt) {
    if (opt && opt->Result.Done) LoadOptimisationReport(opt->Result, r, opt);
    else LoadOptimisationReport(s, r, opt);
    const bool margin = opt && ChosenObjective(opt->Margin) != OptObjective::FeedCost;
    LoadMarginReport(margin ? &opt->Margin.Result : nullptr, r);
    if (r.MarginShown) r.ReportTabs.Tab = kMarginReportTab;
    r.Visible = true;
}

void CopyReportToClipboard(SharedState& s, OptimisationReport& r) { CopyAllToClipboard(s, r.Grid3); }

}  // namespace tarvisol
