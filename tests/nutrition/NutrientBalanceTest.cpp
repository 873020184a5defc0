// The nitrogen and phosphorus balance of the demo's Growth run.
#include <gtest/gtest.h>

#include "market/MarketFile.h"
#include "nutrition/NutrientBalance.h"
#include "shared/TextFile.h"
#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

TEST(NutrientBalance, NitrogenEatenIsTheDietsFeedTimesProteinAndRetainedIsAFewTenths) {
    DemoAfterGrowth demo(1);
    const RunSnapshot& run = demo.s->LastRun;
    const NutrientBalance& b = run.Nutrition.Balance;
    ASSERT_TRUE(b.NitrogenComputed) << b.NitrogenMissing;
    double eaten = 0;
    for (const RunDiet& d : run.Diets) eaten += d.FeedEaten * d.Nutrients[2] / 625.0;
    EXPECT_NEAR(b.NIntake, eaten, 1e-9);
    EXPECT_GT(b.NRetained / b.NIntake, 0.25);
    EXPECT_LT(b.NRetained / b.NIntake, 0.45);
    EXPECT_EQ(b.NExcreted, b.NIntake - b.NRetained);
    ASSERT_TRUE(b.PhosphorusComputed) << b.PhosphorusMissing;
    EXPECT_EQ(b.PExcreted, b.PIntake - b.PRetained);
    EXPECT_GT(b.PRetained / b.PIntake, 0.2);
    EXPECT_LT(b.PRetained / b.PIntake, 0.5);
}

// The places' year: days on feed plus the market settings' empty days.
TEST(NutrientBalance, TheMarketSettingsEmptyDaysSetTheBatchesOfAPlace) {
    DemoAfterGrowth demo(1);
    const NutrientBalance before = demo.s->LastRun.Nutrition.Balance;
    MarketSettings m = DefaultMarketSettings(false);
    m.EmptyDays = before.EmptyDays + 30;
    std::string error;
    ASSERT_TRUE(SaveAtomic(MarketFilePath(demo.s->LocationBase), MarketText(m), error)) << error;
    Growth(*demo.s);
    const NutrientBalance& after = demo.s->LastRun.Nutrition.Balance;
    EXPECT_EQ(after.EmptyDays, m.EmptyDays);
    EXPECT_EQ(after.NExcreted, before.NExcreted);
    EXPECT_NEAR(after.NExcretedPerPlaceYear * (after.DaysOnFeed + after.EmptyDays),
                before.NExcretedPerPlaceYear * (before.DaysOnFeed + before.EmptyDays), 1e-9);
    EXPECT_LT(after.P2O5ExcretedPerPlaceYear, before.P2O5ExcretedPerPlaceYear);
}

TEST(NutrientBalance, WithoutATotalPhosphorusFigureThePhosphorusBalanceSaysWhy) {
    DemoAfterGrowth grid(2);  // the diets grid states no total phosphorus
    const NutrientBalance& b = grid.s->LastRun.Nutrition.Balance;
    EXPECT_TRUE(b.NitrogenComputed);
    EXPECT_FALSE(b.PhosphorusComputed);
    EXPECT_EQ(b.PhosphorusMissing,
              "The phosphorus balance is not computed: Grower 1, 25-50 kg states no total phosphorus");
    EXPECT_EQ(b.PExcreted, 0);

    RunSnapshot noColumn = grid.s->LastRun;
    noColumn.NutrientNames.resize(20);  // the matrix without its TOTAL PHOSPHORUS column
    EXPECT_EQ(BalanceOf(noColumn, 7).PhosphorusMissing,
              "The phosphorus balance is not computed: the matrix has no nutrient named total phosphorus");
    RunSnapshot noProtein = grid.s->LastRun;
    noProtein.Diets[1].Nutrients[2] = 0;
    const NutrientBalance n = BalanceOf(noProtein, 7);
    EXPECT_FALSE(n.NitrogenComputed);
    EXPECT_EQ(n.NitrogenMissing, "The nitrogen balance is not computed: Grower 2, 50-75 kg states no crude protein");
}

// A pig that falls short of the final weight gained what it reached by the
// run's last day.
TEST(NutrientBalance, ARunShortOfTheFinalWeightGainsWhatItReached) {
    DemoAfterGrowth demo(1);
    demo.w->Text3.Text = "300";
    Growth(*demo.s);
    ASSERT_FALSE(demo.s->ReachedFinalWeight);
    const NutrientBalance& b = demo.s->LastRun.Nutrition.Balance;
    EXPECT_NEAR(b.Gain, demo.s->DayGrowth(0, demo.s->RunLastDay) - demo.s->StartWeight, 1e-9);
    EXPECT_TRUE(b.NitrogenComputed);
}
