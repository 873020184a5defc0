// The snapshot of a finished Growth run: what it keeps, and that the windows
// reading it keep showing their run.
#include <gtest/gtest.h>

#include <cmath>

#include "growth/DailyTable.h"
#include "growth/GrowthRun.h"
#include "growth/RunSnapshotOf.h"
#include "shared/Numbers.h"
#include "support/FolderContents.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

class RunSnapshotTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {};

TEST_F(RunSnapshotTest, TheGrowthCommandKeepsItsInputsAndEveryResultItShowed) {
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    const RunSnapshot& run = s->LastRun;
    EXPECT_EQ(run.Source, "Growth");
    EXPECT_EQ(run.StartAge, 60);
    EXPECT_DOUBLE_EQ(run.StartWeight, 25);
    EXPECT_DOUBLE_EQ(run.FinalWeight, 115);
    EXPECT_EQ(run.Formulation, 2);
    ASSERT_EQ(run.DietCount(), 3);
    EXPECT_EQ(run.Diets[0].Name, "Grower 1");
    EXPECT_DOUBLE_EQ(run.Diets[0].Allotment, 40);  // as allotted, not as the grid shows the eaten feed
    EXPECT_DOUBLE_EQ(run.Diets[2].Price, 270);
    EXPECT_DOUBLE_EQ(run.Diets[1].Nutrients[1], 2475);
    EXPECT_TRUE(run.Diets[0].Reached);
    EXPECT_NEAR(run.Diets[0].FeedEaten, 40, 1e-9);
    EXPECT_DOUBLE_EQ(run.FinalAge, s->FinalAge);
    EXPECT_EQ(FormatPattern(run.CostPerPig, "###.#0"), w->TextPrice.Text);
    EXPECT_EQ(FormatPattern(run.FeedGain, "###.##0"), w->TextF2G.Text);
    EXPECT_EQ(FormatPattern(run.Sexes[1].LiveWeight, "###.0"), w->Grid1.TextMatrix(20, 1));
    EXPECT_EQ(FormatPattern(run.Sexes[2].Feed, "###.0"), w->Grid1.TextMatrix(21, 2));
    ASSERT_GT(run.Days.size(), 50u);
    EXPECT_EQ(run.Days[0].Age, "60");
    EXPECT_EQ(run.Days.back().TotalFeed, w->Grid1.TextMatrix(static_cast<int>(run.Days.size()), 8));
    EXPECT_EQ(run.Days.size(), static_cast<std::size_t>(std::ceil(s->FinalAge)) - 60 + 1);
}

TEST_F(RunSnapshotTest, ItCarriesHowTheRunEndedAndARefusedRunLeavesNone) {
    Growth(*s);
    s->GrowthResultsValid = true;
    s->ReachedFinalWeight = true;
    const RunSnapshot run = RunSnapshotOf(*s);
    EXPECT_TRUE(run.ResultsValid);
    EXPECT_TRUE(run.ReachedFinalWeight);
    // Refused before the results are cleared: the grid and the snapshot
    // both keep the last run.
    w->Text1.Text = "19";
    Growth(*s);
    EXPECT_FALSE(s->LastRun.Empty());
    // Refused once the results grid is cleared: no run is kept either.
    w->Text1.Text = "25";
    w->Text2.Text = "0";
    Growth(*s);
    EXPECT_EQ(dialogs.Messages().back(), kStartAgeRange);
    EXPECT_TRUE(s->LastRun.Empty());
}

TEST_F(RunSnapshotTest, TheDailyWindowKeepsShowingTheRunItWasOpenedOn) {
    Growth(*s);
    const RunSnapshot first = s->LastRun;
    DailyGrowthWindow before, after;
    LoadDailyGrowth(first, before);
    w->Text3.Text = "100";
    Growth(*s);
    ASSERT_LT(s->FinalAge, first.FinalAge);
    LoadDailyGrowth(first, after);
    EXPECT_TRUE(tarvisol::testing::GridText(after.GridDaily) == tarvisol::testing::GridText(before.GridDaily));
}
