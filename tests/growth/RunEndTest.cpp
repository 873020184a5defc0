// Where a Growth run ends: one last row of the day table at the final age,
// carrying the run's total feed, and the herd's, the males' and the
// females' finishing figures taken at that same age and weight.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "growth/DailyTable.h"
#include "growth/GrowthRun.h"
#include "growth/SexSplit.h"
#include "shared/Numbers.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

namespace {

class RunEndTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    // Runs the programme to `finalKg` typed in full precision.
    void RunTo(double finalKg) {
        std::ostringstream typed;
        typed.precision(12);
        typed << finalKg;
        w->Text3.Text = typed.str();
        ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    }
    // The last row of the results grid's day table.
    int LastDayRow() const {
        int last = 0;
        for (int r = 1; r < w->Grid1.Rows() && Val(w->Grid1.TextMatrix(r, 5)) > 0; ++r) last = r;
        return last;
    }
    // Final weights that end the run just after a whole day, half way
    // through one and just before the next.
    std::vector<double> FinalWeightsAroundADay() {
        Growth(*s);
        const int day = s->RunLastDay - 12;
        const double before = s->DayGrowth(0, day), after = s->DayGrowth(0, day + 1);
        return {before + 1e-4, (before + after) / 2, after - 1e-4};
    }
};

TEST_F(RunEndTest, TheDayTableEndsOnceAtTheFinalAgeWithTheRunsTotalFeed) {
    for (const double finalKg : FinalWeightsAroundADay()) {
        SCOPED_TRACE(finalKg);
        RunTo(finalKg);
        const Grid& g = w->Grid1;
        const int last = LastDayRow();
        ASSERT_GT(last, 2);
        for (int r = 2; r <= last; ++r) {
            EXPECT_GT(Val(g.TextMatrix(r, 5)), Val(g.TextMatrix(r - 1, 5))) << "row " << r;
            if (r > 2) EXPECT_GE(Val(g.TextMatrix(r, 8)), Val(g.TextMatrix(r - 1, 8))) << "row " << r;
        }
        EXPECT_EQ(g.TextMatrix(last, 5), FormatPattern(s->FinalAge, "###.0"));
        EXPECT_NEAR(Val(g.TextMatrix(last, 6)), finalKg, 0.05);
        EXPECT_NEAR(Val(g.TextMatrix(last, 8)), s->LastRun.TotalFeed, 0.05);
    }
}

TEST_F(RunEndTest, TheHerdAndTheSexesFinishAtTheFinalWeight) {
    for (const double finalKg : FinalWeightsAroundADay()) {
        SCOPED_TRACE(finalKg);
        RunTo(finalKg);
        const RunSnapshot& run = s->LastRun;
        double male = 0, female = 0;
        SplitWeight(finalKg, male, female);
        EXPECT_NEAR(run.Sexes[0].LiveWeight, finalKg, 1e-9);
        EXPECT_NEAR(run.Sexes[1].LiveWeight, male, 1e-9);
        EXPECT_NEAR(run.Sexes[2].LiveWeight, female, 1e-9);
        EXPECT_NEAR(run.Sexes[0].FeedGain, run.FeedGain, 1e-12);
        EXPECT_NEAR(run.Sexes[0].Feed, run.TotalFeed, 1e-9);
        EXPECT_EQ(w->Grid1.TextMatrix(20, 1), FormatPattern(male, "###.0"));
        EXPECT_EQ(w->Grid1.TextMatrix(20, 2), FormatPattern(female, "###.0"));
        // The daily window's last day shows the same sexes.
        DailyGrowthWindow daily;
        LoadDailyGrowth(run, daily);
        int last = 1;
        while (last + 1 < daily.GridDaily.Rows() && daily.GridDaily.TextMatrix(last + 1, 0) != "Total") ++last;
        EXPECT_EQ(daily.GridDaily.TextMatrix(last, 0), FormatPattern(s->FinalAge, "###.0"));
        EXPECT_EQ(daily.GridDaily.TextMatrix(last, 2), FormatPattern(male, "###.0"));
        EXPECT_EQ(daily.GridDaily.TextMatrix(last, 3), FormatPattern(female, "###.0"));
    }
}

}  // namespace
