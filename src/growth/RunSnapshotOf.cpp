#include "growth/RunSnapshotOf.h"

#include <algorithm>
#include <limits>
#include <string>

#include "growth/GrowthRun.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

std::string CellText(const Grid& g, int row, int col) {
    return row >= 0 && col >= 0 && row < g.Rows() && col < g.Cols() ? g.TextMatrix(row, col) : std::string();
}

// A diet the pig ate: one it finished, or the one in force at the final weight.
bool Reached(const SharedState& s, int d) {
    if (d > s.CurrentDietIndex) return false;
    return d == s.CurrentDietIndex || s.DietResults(d, 1) > 0;
}

}  // namespace

int NutrientsOf(const SharedState& s) { return std::clamp<int>(s.NutrientCount - 1, 0, 120); }

std::string InfeasibleDietMessage(int d) { return "Diet No" + std::to_string(d) + "was Infeasible"; }

void TakeRunInputs(const SharedState& s, RunSnapshot& run) {
    run.Model = GrowthModelKey(s.Model.Kind);
    run.Genotype = s.Model.Kind == GrowthModelKind::Response ? s.Model.Pig.Name : std::string();
    run.StartWeight = s.StartWeight;
    run.StartAge = s.StartAge;
    run.FinalWeight = s.FinalWeight;
    run.HerdSex = s.Main ? s.Main->ComboSex.ListIndex : s.HerdSex;
    run.SimSex = s.SimSex;
    run.PigCount = s.PigCount;
    run.EnergyUnit = s.EnergyUnit();
    run.WeightUnit = s.WeightUnit();
    run.PriceUnit = s.PriceUnit();
    run.Currency = s.Currency;
    for (int k = 0; k < 5; ++k) run.Curve[static_cast<std::size_t>(k)] = s.GrowthCurve(0, k);
    if (s.Main) {
        run.Formulation = s.Main->Combo1.ListIndex;
        run.FormulationName = s.Main->Combo1.Text();
    }
    run.MeasuredTotalFeed = s.CalibInputs(4);
    run.MeasuredFinalAge = s.CalibInputs(5);
    // The measured table's leading rows with an age, in kg.
    run.MeasuredHerd.clear();
    for (int r = 1; r <= 15 && s.CalibWeightTable(0, r) > 0; ++r)
        run.MeasuredHerd.push_back({s.CalibWeightTable(0, r), ConvertWeight(s, 1, s.CalibWeightTable(1, r)),
                                    ConvertWeight(s, 1, s.CalibWeightTable(2, r))});
    run.IngredientNames.clear();
    run.IngredientPrices.clear();
    for (int i = 1; i <= std::min<int>(s.IngredientCount, 100); ++i) {
        run.IngredientNames.push_back(s.IngredientNames(i));
        run.IngredientPrices.push_back(s.IngredientPrices(i));
    }
    run.NutrientNames.clear();
    // Nutrient k is named by the matrix column k + 1; the matrix's first
    // column is the weight.
    for (int k = 1; k <= NutrientsOf(s); ++k) run.NutrientNames.push_back(s.NutrientNames(k + 1));
    run.IngredientMatrix.clear();
    for (int i = 1; i <= static_cast<int>(run.IngredientNames.size()); ++i) {
        std::vector<double>& contents = run.IngredientMatrix.emplace_back();
        for (int k = 1; k <= NutrientsOf(s); ++k) contents.push_back(s.IngredientMatrix(k + 1, i));
    }
}

RunDiet RunDietOf(const SharedState& s, int d, bool formulated) {
    RunDiet diet;
    diet.Number = d;
    if (s.Main) diet.Name = CellText(s.Main->Griddiets, 1, d);
    if (diet.Name.empty()) diet.Name = "Diet " + std::to_string(d);
    diet.Price = s.DietNutrients(d, 0);
    diet.Allotment = s.DietFeedAmount(d);
    const int nutrients = NutrientsOf(s);
    diet.Nutrients.assign(static_cast<std::size_t>(std::max(14, nutrients)) + 1, 0.0);
    for (int k = 0; k < static_cast<int>(diet.Nutrients.size()); ++k) diet.Nutrients[static_cast<std::size_t>(k)] = s.DietNutrients(d, k);
    // A diet fed from the grid has the further nutrients its column holds;
    // one it does not hold is not given (NaN), never an earlier formula's.
    if (!formulated)
        for (int k = 15; k < static_cast<int>(diet.Nutrients.size()); ++k) {
            const std::string cell = s.Main ? CellText(s.Main->Griddiets, k + 3, d) : std::string();
            const bool given = cell.find_first_of("0123456789") != std::string::npos;
            diet.Nutrients[static_cast<std::size_t>(k)] =
                given ? NumVal(std::string_view(cell)) : std::numeric_limits<double>::quiet_NaN();
        }
    diet.Formulated = formulated;
    diet.Infeasible = formulated && s.DietFaults(d) > 0;
    const int ingredients = std::min<int>(s.IngredientCount, 100);
    if (formulated)
        for (int i = 1; i <= ingredients; ++i) diet.Formula.push_back(s.DietFormula(d, i));
    for (int k = 1; k <= nutrients; ++k) {
        diet.NutrientMin.push_back(s.NutrientLimits(d, 1, k));
        diet.NutrientMax.push_back(s.NutrientLimits(d, 2, k));
        diet.LoadedNutrientMin.push_back(s.LoadedNutrientLimits(d, 1, k));
    }
    for (int i = 1; i <= ingredients; ++i) {
        diet.IngredientMin.push_back(s.IngredientLimits(d, 1, i));
        diet.IngredientMax.push_back(s.IngredientLimits(d, 2, i));
    }
    return diet;
}

RunSnapshot RunSnapshotOf(const SharedState& s) {
    RunSnapshot run;
    run.Source = "Growth";
    run.Taken = NextSnapshotOrder();
    TakeRunInputs(s, run);
    if (s.Response.Used) run.ResponseDays = s.Response.Days;
    const int n = std::clamp<int>(s.DietCount, 0, 8);
    const bool formulated = s.Main && s.Main->Combo1.ListIndex == kFormulationLeastCost;
    for (int d = 1; d <= n; ++d) {
        run.Diets.push_back(RunDietOf(s, d, formulated));
        if (run.Diets.back().Infeasible) run.Messages.push_back(InfeasibleDietMessage(d));
    }
    run.RunFailed = s.RunFailed;
    run.ReachedFinalWeight = s.ReachedFinalWeight;
    run.ResultsValid = s.GrowthResultsValid;
    run.DayGrowth = s.DayGrowth;
    run.DayFeed = s.DayFeed;
    if (s.Main) {
        const Grid& g = s.Main->Grid1;
        for (int row = 1; row < g.Rows() && g.Cols() > 8; ++row) {
            RunDayRow day;
            day.Age = g.TextMatrix(row, 5);
            if (day.Age.empty()) break;
            day.Weight = g.TextMatrix(row, 6);
            day.DailyFeed = g.TextMatrix(row, 7);
            day.TotalFeed = g.TextMatrix(row, 8);
            day.Pigs = CellText(g, row, 9);
            day.BackFat = CellText(g, row, 10);
            day.LoinArea = CellText(g, row, 11);
            day.Lean = CellText(g, row, 12);
            day.Yield = CellText(g, row, 13);
            run.Days.push_back(std::move(day));
        }
    }
    if (s.RunFailed || n == 0) return run;

    // Per-diet results.
    for (RunDiet& diet : run.Diets) {
        const int d = diet.Number;
        diet.Reached = Reached(s, d);
        if (!diet.Reached) continue;
        int j = d - 1;
        while (j > 0 && !Reached(s, j)) --j;
        diet.EndAge = s.DietResults(d, 1);
        diet.EndWeight = s.DietResults(d, 2);
        diet.TotalFeed = s.DietResults(d, 3);
        diet.FeedEaten = FeedEatenOfDiet(s, d);
        const double days = s.DietResults(d, 1) - s.DietResults(j, 1);
        diet.DailyGain = days > 0 ? (s.DietResults(d, 2) - s.DietResults(j, 2)) / days : 0;
    }

    // Summary and costs.
    run.FinalAge = s.FinalAge;
    run.TotalFeed = s.CumFeed(s.SimSex);
    run.CostPerPig = CostPerPig(s);
    const double gainKg = s.FinalWeight - s.StartWeight;
    const double finalShown = ConvertWeight(s, 2, s.FinalWeight);
    if (finalShown > 0) run.CostPerTonne = run.CostPerPig * (s.WeightUnit() == 1 ? 2000.0 : 1000.0) / finalShown;
    if (gainKg > 0) {
        run.FeedGain = s.CumFeed(0) / gainKg;
        double energy = 0;
        for (int d = 1; d <= n; ++d) energy += s.DietNutrients(d, 1) * FeedEatenOfDiet(s, d);
        run.EnergyPerGain = energy / gainKg;
    }
    // The finishing figures are taken where the run ended: the herd at the
    // final weight (or the last day's weight), the sexes as the split gave them there.
    const int end = FinishingDay(s);
    for (int sex = 0; sex <= 2; ++sex) {
        RunSexFigures& f = run.Sexes[static_cast<std::size_t>(sex)];
        f.LiveWeight = sex == 0 && s.ReachedFinalWeight ? s.FinalWeight : s.DayGrowth(sex, end);
        f.Feed = s.CumFeed(sex);
        const double share = s.CumFeed(0) > 0 ? s.CumFeed(sex) / s.CumFeed(0) : 0;
        f.Cost = run.CostPerPig * share;
        const double gain = f.LiveWeight - s.DayGrowth(sex, s.StartAge);
        f.FeedGain = gain > 0 ? s.CumFeed(sex) / gain : 0;
        f.BackFat = s.CarcassTable(sex, 1);
        f.LoinArea = s.CarcassTable(sex, 2);
        f.Lean = s.CarcassTable(sex, 3);
        f.Yield = s.CarcassTable(sex, 4);
    }
    for (int t = 1; t <= 5; ++t) run.Carcass[static_cast<std::size_t>(t)] = s.CarcassTable(0, t);
    return run;
}

}  // namespace tarvisol
