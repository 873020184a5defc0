// The run summary as the report, the workbook, the comparison and the command
// line show it, computed by hand from a small made-up run, in kilograms and in
// pounds.
#include <gtest/gtest.h>

#include "report/RunFigures.h"

namespace tarvisol {
namespace {

RunSnapshot SmallRun() {
    RunSnapshot run;
    run.StartWeight = 25;
    run.FinalWeight = 115;
    run.StartAge = 60;
    run.FinalAge = 150.5;
    run.TotalFeed = 250;
    run.FeedGain = 250.0 / 90;
    run.CostPerPig = 60;
    run.EnergyPerGain = 7000;
    run.PriceUnit = 1;                  // per tonne
    run.Carcass = {0, 20, 45, 55, 74, 6};  // back fat mm, loin cm2, lean %, yield %, loin depth cm
    return run;
}

TEST(RunFigures, TheSummaryIsWhatTheRunGivesByHand) {
    const RunSnapshot run = SmallRun();
    const RunFigures kg = FiguresOf(run, {0, 0, 1});
    EXPECT_DOUBLE_EQ(kg.DaysOnFeed, 90.5);
    EXPECT_DOUBLE_EQ(kg.DailyGain, 90 / 90.5);  // gain over the days on feed, not the age
    EXPECT_DOUBLE_EQ(kg.TotalFeed, 250);
    EXPECT_DOUBLE_EQ(kg.FeedGain, 250.0 / 90);
    EXPECT_DOUBLE_EQ(kg.CostPerTonne, 60 * 1000.0 / 115);      // per tonne of live weight
    EXPECT_DOUBLE_EQ(kg.CostPerTonneGain, 60 * 1000.0 / 90);   // per tonne gained
    EXPECT_DOUBLE_EQ(kg.EnergyPerGain, 7000);
    EXPECT_DOUBLE_EQ(kg.Sexes[0].BackFat, 20);
    EXPECT_DOUBLE_EQ(kg.Sexes[0].LoinArea, 45);
    EXPECT_DOUBLE_EQ(kg.Sexes[0].Lean, 55);
    EXPECT_DOUBLE_EQ(kg.Sexes[0].Yield, 74);
    EXPECT_DOUBLE_EQ(kg.LoinDepth, 6);

    const RunFigures lb = FiguresOf(run, {1, 1, 3});
    EXPECT_DOUBLE_EQ(lb.DaysOnFeed, 90.5);
    EXPECT_NEAR(lb.DailyGain, 90 * 2.205 / 90.5, 1e-12);
    EXPECT_NEAR(lb.TotalFeed, 250 * 2.205, 1e-9);
    EXPECT_NEAR(lb.CostPerTonne, 60 * 2000.0 / (115 * 2.205), 1e-9);  // per short ton
    EXPECT_NEAR(lb.CostPerTonneGain, 60 * 2000.0 / (90 * 2.205), 1e-9);
    EXPECT_NEAR(lb.EnergyPerGain, 7000 / 2.2, 1e-9);
    EXPECT_NEAR(lb.Sexes[0].BackFat, 20 / 25.4, 1e-12);
    EXPECT_NEAR(lb.Sexes[0].LoinArea, 45 * 0.155, 1e-12);
    EXPECT_NEAR(lb.LoinDepth, 6 * 0.3937, 1e-12);
    EXPECT_EQ(lb.TonneLabel, "TON");
    EXPECT_EQ(lb.EnergyGainLabel, "kcal /lb");
}

}  // namespace
}  // namespace tarvisol
