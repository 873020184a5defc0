// Kept runs side by side: differences to the base, absolute and in percent,
// better or worse by the figure's direction, in the base run's units.
#include <gtest/gtest.h>

#include "report/RunComparison.h"

using namespace tarvisol;

namespace {

RunSnapshot MadeRun(double costPerPig, double finalAge, double backFat, double lean, int pigs) {
    RunSnapshot r;
    r.Source = "Growth";
    r.StartWeight = 25;
    r.StartAge = 60;
    r.FinalWeight = 115;
    r.HerdSex = 0;
    r.PigCount = pigs;
    r.PriceUnit = 1;
    r.FormulationName = "Use Diets on Grid";
    RunDiet d;
    d.Number = 1;
    d.Name = "Grower";
    d.Price = 300;
    d.Allotment = 250;
    d.Nutrients[1] = 2450;
    d.Nutrients[5] = 1.0;
    r.Diets.push_back(d);
    r.FinalAge = finalAge;
    r.TotalFeed = 250;
    r.FeedGain = 250 / 90.0;
    r.CostPerPig = costPerPig;
    r.Carcass[1] = backFat;
    r.Carcass[3] = lean;
    r.ResultsValid = r.ReachedFinalWeight = true;
    return r;
}

const ComparedRow& RowOf(const RunComparison& c, const std::string& key) {
    for (const ComparedRow& r : c.Rows)
        if (r.Key == key) return r;
    static ComparedRow none;
    ADD_FAILURE() << "no row " << key;
    return none;
}

TEST(RunComparison, DifferencesAndVerdictsAgainstTheBase) {
    const std::vector<KeptRun> runs{{"Base", "", MadeRun(60, 160, 20, 60, 20)},
                                    {"Cheaper, slower, fatter", "", MadeRun(57, 164, 21, 60, 40)}};
    const RunComparison c = CompareRuns(runs, 0);
    ASSERT_EQ(c.Names.size(), 2u);

    const ComparedValue& cost = RowOf(c, "cost_per_pig").Values[1];
    EXPECT_DOUBLE_EQ(cost.Difference, -3);
    EXPECT_DOUBLE_EQ(cost.Percent, -5);
    EXPECT_EQ(cost.DifferenceText, "-3.00");
    EXPECT_EQ(cost.PercentText, "-5.0 %");
    EXPECT_EQ(cost.Outcome, Verdict::Better);  // lower cost is better

    const ComparedValue& age = RowOf(c, "final_age").Values[1];
    EXPECT_EQ(age.DifferenceText, "+4.0");
    EXPECT_EQ(age.Outcome, Verdict::Worse);  // older at the final weight
    EXPECT_EQ(RowOf(c, "days_on_feed").Values[1].Outcome, Verdict::Worse);
    EXPECT_EQ(RowOf(c, "daily_gain").Values[1].Outcome, Verdict::Worse);  // slower gain
    EXPECT_EQ(RowOf(c, "back_fat").Values[1].Outcome, Verdict::Worse);
    EXPECT_EQ(RowOf(c, "lean").Values[1].Outcome, Verdict::Same);
    EXPECT_EQ(RowOf(c, "lean").Values[1].DifferenceText, "0.00");

    // Inputs differ without being better or worse.
    const ComparedValue& pigs = RowOf(c, "pigs").Values[1];
    EXPECT_EQ(pigs.DifferenceText, "+20");
    EXPECT_EQ(pigs.Outcome, Verdict::None);
    // The base itself carries no difference; a base of 0 gives no percent.
    EXPECT_FALSE(RowOf(c, "cost_per_pig").Values[0].HasDifference);
    EXPECT_FALSE(RowOf(c, "males.cost").Values[1].HasPercent);

    // Against the other base everything turns round.
    const RunComparison back = CompareRuns(runs, 1);
    EXPECT_EQ(RowOf(back, "cost_per_pig").Values[0].Outcome, Verdict::Worse);
    EXPECT_EQ(RowOf(back, "cost_per_pig").Values[0].PercentText, "+5.3 %");
    EXPECT_EQ(RowOf(back, "final_age").Values[0].Outcome, Verdict::Better);
}

TEST(RunComparison, ARunKeptInPoundsIsShownInTheBaseUnits) {
    RunSnapshot pounds = MadeRun(60, 160, 20, 60, 20);
    pounds.WeightUnit = 1;
    pounds.PriceUnit = 3;  // per short ton
    pounds.Diets[0].Price = 300 * 0.001 / 0.0011025;  // the same feed priced per short ton
    const std::vector<KeptRun> runs{{"kg", "", MadeRun(60, 160, 20, 60, 20)}, {"lb", "", pounds}};
    const RunComparison c = CompareRuns(runs, 0);
    EXPECT_EQ(RowOf(c, "start_weight").Unit, "kg");
    EXPECT_EQ(RowOf(c, "start_weight").Values[1].Text, "25.0");
    EXPECT_EQ(RowOf(c, "start_weight").Values[1].Outcome, Verdict::Same);
    EXPECT_EQ(RowOf(c, "diet1.price").Values[1].Text, "300.00");
    EXPECT_EQ(RowOf(c, "cost_per_tonne").Values[1].Outcome, Verdict::Same);

    const RunComparison lb = CompareRuns(runs, 1);
    EXPECT_EQ(RowOf(lb, "start_weight").Unit, "lb");
    EXPECT_EQ(RowOf(lb, "start_weight").Values[0].Text, "55.1");
}

}  // namespace

namespace {

// The ingredient prices a run was made at show where they differ between
// the runs, in the base run's price unit; prices alike stay out of the way.
TEST(RunComparison, IngredientPricesThatDifferAreShown) {
    RunSnapshot a = MadeRun(60, 160, 20, 60, 20), b = MadeRun(61, 160, 20, 60, 20);
    a.IngredientNames = b.IngredientNames = {"Corn", "Soybean meal"};
    a.IngredientPrices = {180, 420};
    b.IngredientPrices = {180, 450};
    const RunComparison c = CompareRuns({{"Base", "", a}, {"Dearer meal", "", b}}, 0);
    const ComparedRow& meal = RowOf(c, "ingredient.Soybean meal.price");
    EXPECT_EQ(meal.Section, "Inputs");
    EXPECT_DOUBLE_EQ(meal.Values[0].Number, 420);
    EXPECT_DOUBLE_EQ(meal.Values[1].Difference, 30);
    for (const ComparedRow& r : c.Rows) EXPECT_NE(r.Key, "ingredient.Corn.price");
}

}  // namespace

namespace {

// The formulas of the runs show, diet by diet, the inclusions that differ,
// with each run's percentage; inclusions alike stay out of the way.
TEST(RunComparison, InclusionsThatDifferAreShownPerDiet) {
    RunSnapshot a = MadeRun(60, 160, 20, 60, 20), b = MadeRun(61, 160, 20, 60, 20);
    a.IngredientNames = b.IngredientNames = {"Corn", "Soybean meal", "Salt"};
    a.Diets[0].Formulated = b.Diets[0].Formulated = true;
    a.Diets[0].Formula = {70, 29.6, 0.4};
    b.Diets[0].Formula = {72.5, 27.1, 0.4};
    const RunComparison c = CompareRuns({{"Base", "", a}, {"Less meal", "", b}}, 0);
    const ComparedRow& meal = RowOf(c, "diet1.formula.Soybean meal");
    EXPECT_EQ(meal.Section, "Inputs");
    EXPECT_EQ(meal.Unit, "%");
    EXPECT_EQ(meal.Values[0].Text, "29.60");
    EXPECT_EQ(meal.Values[1].Text, "27.10");
    EXPECT_DOUBLE_EQ(RowOf(c, "diet1.formula.Corn").Values[1].Difference, 2.5);
    for (const ComparedRow& r : c.Rows) EXPECT_NE(r.Key, "diet1.formula.Salt");
}

}  // namespace
