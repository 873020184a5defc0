// What the growth charts draw of a run: the lines end at the final weight and
// age, the diet phases follow one another from the start to the final age,
// and the measured herd is drawn in the run's own weight unit.
#include <gtest/gtest.h>

#include <cmath>

#include "report/GrowthChartData.h"
#include "shared/Units.h"
#include "support/DemoAfterGrowth.h"
#include "ui/GrowthCharts.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

namespace {

TEST(GrowthChartData, PhasesFollowOneAnotherAndTheLinesEndAtTheFinalMark) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    RunSnapshot run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    run.MeasuredHerd = {{80, 40, 0}, {120, 75, 90}, {150, 101, 80}};
    run.WeightUnit = 1;  // the figures shown in pounds
    const GrowthChartData c = GrowthChartOf(run);
    ASSERT_FALSE(c.Empty);
    EXPECT_EQ(c.WeightUnit, "lb");
    const double lb = WeightFactor(1);

    ASSERT_FALSE(c.Phases.empty());
    EXPECT_EQ(c.Phases.front().StartAge, run.StartAge);
    EXPECT_DOUBLE_EQ(c.Phases.back().EndAge, run.FinalAge);
    for (std::size_t i = 0; i < c.Phases.size(); ++i) {
        const RunDiet& diet = run.Diets[static_cast<std::size_t>(c.Phases[i].Number - 1)];
        EXPECT_EQ(c.Phases[i].Name, diet.Name);
        EXPECT_LT(c.Phases[i].StartAge, c.Phases[i].EndAge);
        if (i > 0) EXPECT_EQ(c.Phases[i].StartAge, c.Phases[i - 1].EndAge);
    }

    for (const auto* lines : {&c.Weight, &c.Gain, &c.Feed})
        for (const ChartLine& line : *lines) {
            ASSERT_GT(line.Points.size(), 10u) << line.Name;
            EXPECT_LE(line.Points.front().X, run.StartAge + (lines == &c.Feed ? 1 : 0)) << line.Name;
            for (std::size_t i = 1; i < line.Points.size(); ++i) EXPECT_GT(line.Points[i].X, line.Points[i - 1].X);
        }
    // The daily feed is drawn from the first day's feed on: no line up from 0.
    for (const ChartLine& feed : c.Feed)
        for (const XY& p : feed.Points) EXPECT_GT(p.Y, 0) << feed.Name << " at " << p.X;
    const XY end = c.Weight[0].Points.back();
    EXPECT_DOUBLE_EQ(end.X, run.FinalAge);
    EXPECT_DOUBLE_EQ(end.Y, run.FinalWeight / lb);
    EXPECT_DOUBLE_EQ(c.FinalWeight, run.FinalWeight / lb);
    EXPECT_DOUBLE_EQ(c.Weight[1].Points[5].Y, run.DayGrowth(1, run.StartAge + 5) / lb);
    // A pig gains well under 2 kg a day, on the last, shortened day too.
    ASSERT_NE(run.FinalAge, std::floor(run.FinalAge));
    for (const ChartLine& gain : c.Gain)
        for (const XY& p : gain.Points) {
            EXPECT_GT(p.Y, 0) << gain.Name << " at " << p.X;
            EXPECT_LT(p.Y, 2 / lb) << gain.Name << " at " << p.X;
        }

    ASSERT_EQ(c.Measured.size(), 3u);
    EXPECT_EQ(c.Measured[1].X, 120);
    EXPECT_DOUBLE_EQ(c.Measured[1].Y, 75 / lb);

    GrowthChartsWindow w;
    LoadGrowthCharts(run, w);
    EXPECT_TRUE(w.CommandSave.Enabled);
    EXPECT_NE(w.LabelTitle.Caption.find("measured herd: 3 weighings"), std::string::npos) << w.LabelTitle.Caption;
    EXPECT_EQ(w.LabelFinal.Caption, FinalMarkText(c));

    // A run that failed draws nothing and says why.
    run.RunFailed = true;
    LoadGrowthCharts(run, w);
    EXPECT_TRUE(w.Data.Empty);
    EXPECT_FALSE(w.CommandCopy.Enabled);
    EXPECT_EQ(w.LabelTitle.Caption, kNoRunToChart);
}


// The demo's daily gain jumps between days 68 and 69: the growth engine feeds
// the pig only what its curve's growth needs for the first five days after the
// start and to its appetite from the sixth, laying the spare energy down as
// fat. The chart names that day and the step, and it is the largest step of
// the whole run (the diet changes step far less).
TEST(GrowthChartData, TheDailyGainStepIsNamedOnTheFirstDayOfEatingToAppetite) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    GrowthChartsWindow w;
    LoadGrowthCharts(run, w);
    const GrowthChartData& c = w.Data;
    EXPECT_EQ(c.AppetiteAge, run.StartAge + 6);
    const std::vector<XY>& gain = c.Gain[0].Points;
    std::size_t largest = 1;
    for (std::size_t i = 1; i < gain.size(); ++i)
        if (std::fabs(gain[i].Y - gain[i - 1].Y) > std::fabs(gain[largest].Y - gain[largest - 1].Y)) largest = i;
    EXPECT_EQ(gain[largest].X, c.AppetiteAge);
    EXPECT_EQ(c.GainAtAppetite, gain[largest].Y);
    EXPECT_EQ(c.GainBeforeAppetite, gain[largest - 1].Y);
    EXPECT_GT(c.GainAtAppetite - c.GainBeforeAppetite, 0.1);
    EXPECT_EQ(w.LabelGainNote.Caption.rfind("Day 69: the daily gain steps from 0.49 to 0.73 kg per day.", 0), 0u)
        << w.LabelGainNote.Caption;
}

}  // namespace
