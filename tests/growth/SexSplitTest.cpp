#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "growth/PigGrowth.h"
#include "growth/SexSplit.h"
#include "shared/MainWindowForm.h"
#include "support/Programme.h"

using namespace tarvisol;

TEST(SexSplit, WeightsOfMalesAndFemales) {
    double m = 0, f = 0;
    SplitWeight(100, m, f);
    EXPECT_NEAR(m, 101.81, 0.005);
    EXPECT_NEAR(f, 98.19, 0.005);
    SplitWeight(20, m, f);  // the split would make the female heavier
    EXPECT_EQ(m, 20);
    EXPECT_EQ(f, 20);
}

TEST(SexSplit, DaysOfTheGridAreSplitAndTheFractionalDayUsesTheNextWholeDay) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->DietCount = 1;
    Grid& g = form->Grid1;
    g.SetTextMatrix(1, 5, "100");
    g.SetTextMatrix(2, 5, "100.4");
    s->DayGrowth(0, 100) = 60;
    s->DayGrowth(0, 101) = 61;
    s->DayFeed(0, 100) = 2.0;
    s->DayFeed(0, 101) = 2.1;
    s->CumFeed(0) = 50;
    s->DietResults(1, 3) = 50;
    SplitSexes(*s);
    double m = 0, f = 0;
    SplitWeight(61, m, f);
    EXPECT_EQ(s->DayGrowth(1, 101), m);
    EXPECT_EQ(s->DayGrowth(2, 101), f);
    const double qm = IntakeCapacity(m), qf = FemaleIntakeCapacity(f);
    EXPECT_EQ(s->EnergyCap(1, 101), qm);
    EXPECT_NEAR(s->DayFeed(1, 101), 2.1 * qm / qf, 1e-12);
    EXPECT_NEAR(s->DayFeed(1, 101) + s->DayFeed(2, 101), 4.2, 1e-12);
    // Total feed split in the proportions of the days counted.
    const double s0 = 2.0 + 2.1;
    EXPECT_NEAR(s->CumFeed(1), 50 * (s->DayFeed(1, 100) + s->DayFeed(1, 101)) / s0, 1e-9);
    EXPECT_NEAR(s->CumFeed(1) + s->CumFeed(2), 100, 1e-9);
}

TEST(SexSplit, EqualCapacitiesSplitFeedEqually) {
    // Light pigs are not split (both sexes at the mixed weight); at equal
    // capacities the daily feed halves exactly.
    double m = 0, f = 0;
    SplitWeight(30, m, f);
    ASSERT_EQ(m, f);
    const double ratio = IntakeCapacity(m) / FemaleIntakeCapacity(f);
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    form->Grid1.SetTextMatrix(1, 5, "70");
    s->DayGrowth(0, 70) = 30;
    s->DayFeed(0, 70) = 1.6;
    SplitSexes(*s);
    EXPECT_NEAR(s->DayFeed(1, 70), 1.6 * ratio, 1e-12);
    EXPECT_NEAR(s->DayFeed(2, 70), 3.2 - 1.6 * ratio, 1e-12);
}

TEST(SexSplit, TotalEqualToTheDaysCountedIsStillSplit) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->DietCount = 1;
    form->Grid1.SetTextMatrix(1, 5, "120");
    s->DayGrowth(0, 120) = 100;
    s->DayFeed(0, 120) = 3;
    s->CumFeed(0) = 3;
    s->CumFeed(1) = 99;  // left by an earlier run
    SplitSexes(*s);
    EXPECT_EQ(s->CumFeed(0), 3);
    EXPECT_EQ(s->CumFeed(1), s->DayFeed(1, 120));
    EXPECT_NEAR(s->CumFeed(1) + s->CumFeed(2), 6, 1e-12);
}

TEST(SexSplit, NothingToSplitLeavesTotalsFinite) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->CumFeed(0) = 12;
    SplitSexes(*s);
    EXPECT_EQ(s->CumFeed(0), 12);
    EXPECT_EQ(s->CumFeed(1), 0);
}

TEST(SexSplit, AfterAFullRunTheSexesShareTheProgrammeFeed) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    tarvisol::testing::LoadStandardProgramme(*s);
    s->Main = form.get();
    s->ShowDailyProgress = true;
    GrowPig(*s);
    ASSERT_FALSE(s->RunFailed);
    s->DietResults(s->DietCount, 3) = s->CumFeed(0);  // as the Growth command leaves it
    SplitSexes(*s);
    EXPECT_NEAR(s->CumFeed(1) + s->CumFeed(2), 2 * s->CumFeed(0), 1e-6);
    EXPECT_GT(s->CumFeed(1), s->CumFeed(2));  // heavier males eat more
    const int last = static_cast<int>(std::ceil(s->FinalAge));
    EXPECT_GT(s->DayGrowth(1, last), s->DayGrowth(2, last));
}

TEST(SexSplit, TheLastRowUsesTheRunsFinalDayWhateverTheShownAge) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->DietCount = 1;
    s->FinalAge = 165.03;  // shown as "165.0"; the weight was reached on day 166
    s->ReachedFinalWeight = true;
    form->Grid1.SetTextMatrix(1, 5, "164");
    form->Grid1.SetTextMatrix(2, 5, "165.0");
    s->DayGrowth(0, 164) = 118;
    s->DayGrowth(0, 166) = 121;
    SplitSexes(*s);
    double m = 0, f = 0;
    SplitWeight(121, m, f);
    EXPECT_EQ(s->DayGrowth(1, 166), m);
    EXPECT_EQ(s->DayGrowth(2, 166), f);
}

// A run that recorded no feed leaves nothing to split by: the sexes' totals
// are cleared, never an earlier run's.
TEST(SexSplit, ARunWithoutFeedLeavesNoEarlierTotals) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    s->Main = form.get();
    s->DietCount = 1;
    s->CumFeed(1) = 250;
    s->CumFeed(2) = 240;
    form->Grid1.SetTextMatrix(1, 5, "100");
    s->DayGrowth(0, 100) = 60;
    SplitSexes(*s);
    EXPECT_EQ(s->CumFeed(1), 0);
    EXPECT_EQ(s->CumFeed(2), 0);
}
