// When to sell: the carcass priced by the market, and the demo's programme
// grown to a range of final weights as the Growth command grows it.
#include <gtest/gtest.h>

#include <cmath>

#include "growth/GrowthRun.h"
#include "market/CarcassSale.h"
#include "market/MarketAnalysis.h"
#include "shared/Checkpoint.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/Units.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"

namespace tarvisol {
namespace {

MarketSettings HandMarket() {
    MarketSettings m;
    m.CarcassPrice = 2.0;
    m.LeanBase = 60;
    m.LeanPremium = 0.05;
    m.BandLow = 80;
    m.BandHigh = 100;
    m.Discount = 0.3;
    m.PigCost = 50;
    m.DayCost = 0.25;
    m.EmptyDays = 10;
    return m;
}

TEST(CarcassSale, PricesTheCarcassByBandAndLeanAndTakesEveryCost) {
    const MarketSettings m = HandMarket();
    // 125 kg live at 80 % yield is 100 kg of carcass: the band's top end earns the base price.
    CarcassSale top = SellCarcass(m, 125, 80, 60, 70, 90);
    EXPECT_DOUBLE_EQ(top.CarcassWeight, 100);
    EXPECT_DOUBLE_EQ(top.PricePerKg, 2.0);
    EXPECT_DOUBLE_EQ(top.Value, 200);
    EXPECT_DOUBLE_EQ(top.MarginPerPig, 200 - 70 - 50 - 0.25 * 90);        // 57.5
    EXPECT_DOUBLE_EQ(top.MarginPerPlaceYear, 57.5 * 365 / (90 + 10.0));  // 209.875
    // The bottom end earns it too; just outside either end is discounted.
    EXPECT_DOUBLE_EQ(SellCarcass(m, 100, 80, 60, 0, 1).PricePerKg, 2.0);
    EXPECT_DOUBLE_EQ(SellCarcass(m, 99.99, 80, 60, 0, 1).PricePerKg, 1.7);
    EXPECT_DOUBLE_EQ(SellCarcass(m, 125.01, 80, 60, 0, 1).PricePerKg, 1.7);
    // Lean below the base takes the premium off; above it adds it.
    EXPECT_NEAR(SellCarcass(m, 110, 80, 57, 0, 1).PricePerKg, 2.0 - 0.15, 1e-12);
    EXPECT_NEAR(SellCarcass(m, 110, 80, 62.5, 0, 1).PricePerKg, 2.0 + 0.125, 1e-12);
    // Lean below the base and a light carcass: both come off.
    const CarcassSale light = SellCarcass(m, 90, 75, 58, 40, 60);
    EXPECT_DOUBLE_EQ(light.CarcassWeight, 67.5);
    EXPECT_NEAR(light.PricePerKg, 2.0 - 0.1 - 0.3, 1e-12);
    EXPECT_NEAR(light.MarginPerPig, 67.5 * 1.6 - 40 - 50 - 15, 1e-9);  // a loss: 3.0
    EXPECT_NEAR(light.MarginPerPlaceYear, 3.0 * 365 / 70, 1e-9);
}

TEST(MarketRange, WeightsRunFromFirstToLastAndBadRangesAreRefused) {
    EXPECT_EQ(MarketWeights({100.4, 102.4, 1}), (std::vector<double>{100.4, 101.4, 102.4}));
    EXPECT_EQ(MarketWeights({100, 101, 0.3}), (std::vector<double>{100, 100.3, 100.6, 100.9}));
    EXPECT_FALSE(MarketRangeProblem({100, 99, 1}).empty());
    EXPECT_FALSE(MarketRangeProblem({100, 110, 0}).empty());
    EXPECT_FALSE(MarketRangeProblem({0, 110, 1}).empty());
    EXPECT_FALSE(MarketRangeProblem({100, 1000, 0.5}).empty());  // too many weights
    EXPECT_TRUE(MarketWeights({100, 110, -1}).empty());
}

// The demo after a least-cost Growth run, as the user opens the window.
struct Demo : testing::DemoAfterGrowth {
    Demo() : DemoAfterGrowth(kFormulationLeastCost) {}
    MarketAnalysis Analyse(const MarketRange& r, int threads = 1, Progress* p = nullptr,
                           const MarketSettings& m = HandMarket()) {
        MarketOptions o;
        o.threads = threads;
        o.progress = p;
        return AnalyseMarketWeights(*s, m, r, o);
    }
};

TEST(MarketAnalysis, EachRowIsTheGrowthCommandAtThatWeightPutThroughTheMarket) {
    Demo x;
    const MarketSettings m = HandMarket();
    const MarketAnalysis a = x.Analyse({110, 130, 10}, 2);
    ASSERT_EQ(a.Rows.size(), 3u);
    Checkpoint before(*x.s);
    for (const MarketRow& row : a.Rows) {
        ASSERT_TRUE(row.Sold()) << row.Message;
        before.Restore(*x.s);
        x.w->Text3.Text = FormatPrecise(row.FinalWeight);
        ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
        const RunSnapshot& run = x.s->LastRun;
        EXPECT_DOUBLE_EQ(row.FinalAge, run.FinalAge);
        EXPECT_DOUBLE_EQ(row.Days, run.FinalAge - x.s->StartAge);
        // Feed is counted to the fractional final age, as the days are: the
        // whole days before it and the share of the final day the pig needed;
        // the difference from the run's total is the last diet's, at its price.
        const int last = static_cast<int>(std::ceil(run.FinalAge));
        double eaten = (run.FinalAge - (last - 1)) * run.DayFeed(0, last);
        for (int d = run.StartAge + 1; d < last; ++d) eaten += run.DayFeed(0, d);
        EXPECT_NEAR(row.TotalFeed, ConvertWeight(*x.s, 2, eaten), 1e-9);
        const RunDiet& lastDiet = run.Diets[static_cast<std::size_t>(x.s->CurrentDietIndex - 1)];
        EXPECT_NEAR(row.FeedCost, CostPerPig(*x.s) + (eaten - run.TotalFeed) * ConvertPrice(*x.s, 1, lastDiet.Price),
                    1e-9);
        EXPECT_NEAR(row.FeedGain, run.FeedGain * eaten / run.TotalFeed, 1e-12);
        EXPECT_DOUBLE_EQ(row.Lean, x.s->CarcassTable(0, 3));
        EXPECT_DOUBLE_EQ(row.Yield, x.s->CarcassTable(0, 4));
        const CarcassSale sale = SellCarcass(m, row.FinalWeight, x.s->CarcassTable(0, 4), x.s->CarcassTable(0, 3),
                                             row.FeedCost, x.s->FinalAge - x.s->StartAge);
        EXPECT_DOUBLE_EQ(row.Sale.Value, sale.Value);
        EXPECT_DOUBLE_EQ(row.Sale.MarginPerPig, sale.MarginPerPig);
        EXPECT_DOUBLE_EQ(row.Sale.MarginPerPlaceYear, sale.MarginPerPlaceYear);
    }
    // A packer's yield replaces the run's own in every carcass weight, and
    // the run's carcass figures are left as they were.
    MarketSettings paid = m;
    paid.CarcassYield = 75;
    const MarketAnalysis b = x.Analyse({110, 130, 10}, 2, nullptr, paid);
    ASSERT_EQ(b.Rows.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(b.Rows[i].Sale.CarcassWeight, b.Rows[i].FinalWeight * 0.75);
        EXPECT_EQ(b.Rows[i].Yield, 75);
        EXPECT_LT(a.Rows[i].Yield, 70) << "the run's own yield";
        EXPECT_EQ(b.Rows[i].Lean, a.Rows[i].Lean);
    }
    // Heavier pigs are older and have eaten more.
    EXPECT_LT(a.Rows[0].FinalAge, a.Rows[2].FinalAge);
    EXPECT_LT(a.Rows[0].TotalFeed, a.Rows[2].TotalFeed);
}

// The best weight is a property of the pig and the market, not of where the
// range of weights starts: feed and days both run to the fractional final age.
TEST(MarketAnalysis, BestWeightDoesNotDependOnWhereTheRangeStarts) {
    Demo x;
    const MarketSettings m = DefaultMarketSettings(false);
    const MarketAnalysis a = x.Analyse({100, 130, 0.5}, 2, nullptr, m);
    const MarketAnalysis b = x.Analyse({100.25, 130.25, 0.5}, 2, nullptr, m);
    ASSERT_TRUE(a.Stands());
    ASSERT_TRUE(b.Stands());
    auto weight = [](const MarketAnalysis& r, int i) { return r.Rows[static_cast<std::size_t>(i)].FinalWeight; };
    EXPECT_NEAR(weight(a, a.BestPerPig), weight(b, b.BestPerPig), 0.5);
    EXPECT_NEAR(weight(a, a.BestPerPlaceYear), weight(b, b.BestPerPlaceYear), 0.5);
    // Feed rises with the weight by about the same amount per step: no
    // whole days' feed jumping in at some steps and not at others.
    for (std::size_t i = 2; i < a.Rows.size(); ++i) {
        const double before = a.Rows[i - 1].TotalFeed - a.Rows[i - 2].TotalFeed;
        const double step = a.Rows[i].TotalFeed - a.Rows[i - 1].TotalFeed;
        EXPECT_NEAR(step, before, 0.15 * before) << a.Rows[i].FinalWeight;
    }
}

// With no band and no costs besides feed, a heavier pig always earns more
// per head, while a place turns over faster with lighter pigs: the two bests
// sit at the two ends of the range, each the maximum of its own margin.
TEST(MarketAnalysis, EachBestIsTheMaximumOfItsOwnMargin) {
    Demo x;
    MarketSettings m = HandMarket();
    m.BandLow = 0;
    m.BandHigh = 1000;
    m.LeanPremium = 0;
    m.DayCost = 0;
    m.PigCost = 0;
    m.EmptyDays = 0;
    m.CarcassPrice = 2.5;
    const MarketAnalysis a = x.Analyse({100, 130, 5}, 2, nullptr, m);
    ASSERT_TRUE(a.Stands());
    EXPECT_EQ(a.BestPerPig, static_cast<int>(a.Rows.size()) - 1);
    EXPECT_EQ(a.BestPerPlaceYear, 0);
    for (const MarketRow& r : a.Rows) {
        EXPECT_LE(r.Sale.MarginPerPig, a.Rows[static_cast<std::size_t>(a.BestPerPig)].Sale.MarginPerPig);
        EXPECT_LE(r.Sale.MarginPerPlaceYear, a.Rows[static_cast<std::size_t>(a.BestPerPlaceYear)].Sale.MarginPerPlaceYear);
    }
}

TEST(MarketAnalysis, WeightsThePigNeverReachesAreListedAndNeverBest) {
    Demo x;
    // A market where every extra kilogram pays: the heaviest weight sold is best.
    MarketSettings m = HandMarket();
    m.BandLow = 0;
    m.BandHigh = 1000;
    m.LeanPremium = 0;
    m.DayCost = 0;
    m.CarcassPrice = 50;
    const MarketAnalysis a = x.Analyse({100, 220, 20}, 2, nullptr, m);
    ASSERT_EQ(a.Rows.size(), 7u);
    int lastSold = -1;
    for (int i = 0; i < 7; ++i)
        if (a.Rows[static_cast<std::size_t>(i)].Sold()) lastSold = i;
    ASSERT_GE(lastSold, 0);
    ASSERT_LT(lastSold, 6) << "the demo pig should not reach 220 kg by day 198";
    for (std::size_t i = static_cast<std::size_t>(lastSold) + 1; i < a.Rows.size(); ++i)
        EXPECT_EQ(a.Rows[i].Status, MarketRowStatus::NotReached) << a.Rows[i].FinalWeight;
    EXPECT_EQ(a.BestPerPig, lastSold);
    EXPECT_TRUE(a.Stands());

    // Nothing reached at all: no best weight, and the analysis does not stand.
    const MarketAnalysis none = x.Analyse({420, 440, 10}, 2, nullptr, m);
    ASSERT_EQ(none.Rows.size(), 3u);
    EXPECT_EQ(none.BestPerPig, -1);
    EXPECT_EQ(none.BestPerPlaceYear, -1);
    EXPECT_FALSE(none.Stands());
}

void ExpectSameRows(const MarketAnalysis& a, const MarketAnalysis& b) {
    ASSERT_EQ(a.Rows.size(), b.Rows.size());
    for (std::size_t i = 0; i < a.Rows.size(); ++i) {
        const MarketRow &p = a.Rows[i], &q = b.Rows[i];
        EXPECT_EQ(p.Status, q.Status) << p.FinalWeight;
        EXPECT_EQ(p.FinalWeight, q.FinalWeight);
        EXPECT_EQ(p.FinalAge, q.FinalAge) << p.FinalWeight;
        EXPECT_EQ(p.TotalFeed, q.TotalFeed) << p.FinalWeight;
        EXPECT_EQ(p.FeedCost, q.FeedCost) << p.FinalWeight;
        EXPECT_EQ(p.Sale.MarginPerPig, q.Sale.MarginPerPig) << p.FinalWeight;
        EXPECT_EQ(p.Sale.MarginPerPlaceYear, q.Sale.MarginPerPlaceYear) << p.FinalWeight;
    }
    EXPECT_EQ(a.BestPerPig, b.BestPerPig);
    EXPECT_EQ(a.BestPerPlaceYear, b.BestPerPlaceYear);
}

TEST(MarketAnalysis, ThreadsAndEarlierRunsChangeNothingAndTheLocationIsLeftAlone) {
    Demo x;
    const auto files = testing::FolderContents(x.folder.Str());
    const std::string finalWeight = x.w->Text3.Text, diets = testing::GridText(x.w->Griddiets),
                      results = testing::GridText(x.w->Grid1);
    const uint64_t lastRun = x.s->LastRun.Taken;
    const MarketRange r{100, 140, 4};
    const MarketAnalysis one = x.Analyse(r, 1);
    const MarketAnalysis three = x.Analyse(r, 3);
    const MarketAnalysis again = x.Analyse(r, 1);
    ExpectSameRows(one, three);
    ExpectSameRows(one, again);
    ASSERT_EQ(one.Rows.size(), 11u);
    EXPECT_TRUE(one.Stands());
    // The window, the record's last run and the files are as before.
    EXPECT_EQ(x.w->Text3.Text, finalWeight);
    EXPECT_EQ(testing::GridText(x.w->Griddiets), diets);
    EXPECT_EQ(testing::GridText(x.w->Grid1), results);
    EXPECT_EQ(x.s->LastRun.Taken, lastRun);
    EXPECT_EQ(testing::FolderContents(x.folder.Str()), files);
    EXPECT_TRUE(x.dialogs.Messages().empty());  // the private runs speak to no one
}

TEST(MarketAnalysis, CancelGivesNoRowsAndReportsEachWeight) {
    Demo x;
    RecordingProgress p;
    p.cancelAfter = 2;
    const MarketAnalysis a = x.Analyse({100, 140, 1}, 1, &p);
    EXPECT_TRUE(a.Cancelled);
    EXPECT_TRUE(a.Rows.empty());
    EXPECT_EQ(a.BestPerPig, -1);
    ASSERT_EQ(p.entries.size(), 2u);
    EXPECT_EQ(p.entries[1].done, 2);
    EXPECT_EQ(p.entries[1].total, 41);
    EXPECT_EQ(p.finished, 1);

    // A stop asked for before the first weight, with threads that could take
    // every weight before the calling one does: nothing is grown.
    RecordingProgress before;
    before.cancel = true;
    const MarketAnalysis none = x.Analyse({100, 104, 2}, 4, &before);
    EXPECT_TRUE(none.Cancelled);
    EXPECT_TRUE(none.Rows.empty());
    EXPECT_TRUE(before.entries.empty());
}

}  // namespace
}  // namespace tarvisol
