// The margin search on the demo grown on the nutrient-response model: its
// figures are the market analysis's, it pays at least what the programmes it
// starts from pay, it answers the same on any number of threads, and its
// optimum moves as the economics of lysine, energy and days say it should.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "market/MarketAnalysis.h"
#include "optimisation/MarginSearch.h"
#include "optimisation/MarginSurface.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "support/ResponseDemo.h"

namespace tarvisol {
namespace {

double MeanLysine(const MarginOutcome& o) {
    double sum = 0;
    for (int d = 0; d < o.Count; ++d) sum += o.Diets[static_cast<std::size_t>(d)].SidLysine;
    return sum / o.Count;
}

double MeanNe(const MarginOutcome& o) {
    double sum = 0;
    for (int d = 0; d < o.Count; ++d) sum += o.Diets[static_cast<std::size_t>(d)].Ne;
    return sum / o.Count;
}

// The margin optimum of one evaluator from the current programme.
MarginOutcome OptimumOf(const testing::ResponseDemo& demo, const MarginPriceChange& change, OptObjective o) {
    const MarginEvaluator ev(*demo.s, demo.market, change);
    const MarginProgramme start = ev.CurrentLevels();
    MarginProgramme best;
    MarginOutcome out;
    int evaluations = 0;
    MarginSearchOptions options;
    EXPECT_TRUE(CompassSearch(ev, o, start, MarginBoundsAround(start, ev.StartWeight()), true, 8, options, "test", best,
                              out, evaluations));
    EXPECT_TRUE(out.Sold) << out.Message;
    return out;
}

class MarginSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo = new testing::ResponseDemo; }
    static void TearDownTestSuite() {
        delete demo;
        demo = nullptr;
    }
    static testing::ResponseDemo* demo;
};
testing::ResponseDemo* MarginSearchTest::demo = nullptr;

TEST_F(MarginSearchTest, TheCurrentProgrammeIsSoldAsTheMarketAnalysisSellsIt) {
    ASSERT_EQ(demo->grown, GrowthOutcome::Results);
    const MarginEvaluator ev(*demo->s, demo->market);
    const MarginOutcome current = ev.EvaluateAsIs();
    ASSERT_TRUE(current.Sold) << current.Message;
    const double shown = NumVal(std::string_view(demo->w->Text3.Text));
    const MarketAnalysis a = AnalyseMarketWeights(*demo->s, demo->market, {shown, shown, 1});
    ASSERT_EQ(a.Rows.size(), 1u);
    ASSERT_TRUE(a.Rows[0].Sold()) << a.Rows[0].Message;
    EXPECT_DOUBLE_EQ(current.MarginPerPig, a.Rows[0].Sale.MarginPerPig);
    EXPECT_DOUBLE_EQ(current.MarginPerPlaceYear, a.Rows[0].Sale.MarginPerPlaceYear);
    EXPECT_DOUBLE_EQ(current.FeedCost, a.Rows[0].FeedCost);
    // The current programme at its own levels is formulated anew (amino
    // acids by their ideal ratios, no protein minimum) and grown on the same
    // pig: it is sold at the same weight.
    const MarginOutcome atLevels = ev.Evaluate(ev.CurrentLevels());
    ASSERT_TRUE(atLevels.Sold) << atLevels.Message;
    EXPECT_NEAR(atLevels.SaleWeight, current.SaleWeight, 1e-9);
}

TEST_F(MarginSearchTest, AnInfeasibleFormulationIsAFailedProgramme) {
    const MarginEvaluator ev(*demo->s, demo->market);
    MarginProgramme p = ev.CurrentLevels();
    p.Diets[0].Ne = 4000;  // more net energy than any mix of the demo's ingredients holds
    const MarginOutcome o = ev.Evaluate(p);
    EXPECT_FALSE(o.Sold);
    EXPECT_FALSE(o.Message.empty());
    EXPECT_EQ(o.Value(OptObjective::MarginPerPig), -INFINITY);
}

TEST_F(MarginSearchTest, TheOptimumPaysAtLeastTheCostMinimumAndTheCurrentAndIsTheSameOnAnyThreads) {
    MarginSearchOptions one;
    one.threads = 1;
    one.sensitivity = false;
    MarginSearchOptions two = one;
    two.threads = 2;
    for (OptObjective o : {OptObjective::MarginPerPlaceYear, OptObjective::MarginPerPig}) {
        const MarginSearchResult r = SearchMargin(*demo->s, demo->market, o, two);
        ASSERT_TRUE(r.Done) << r.Message;
        EXPECT_GE(r.Best.Value(o), r.CostMinimum.Value(o));
        EXPECT_GE(r.Best.Value(o), r.Current.Value(o));
        // The cost minimum is the cheapest of the three to the current weight.
        EXPECT_LE(r.CostMinimum.FeedCost, r.Current.FeedCost + 1e-9);
        EXPECT_NEAR(r.CostMinimum.SaleWeight, r.Current.SaleWeight, 1e-9);
        if (o == OptObjective::MarginPerPlaceYear) {
            const MarginSearchResult single = SearchMargin(*demo->s, demo->market, o, one);
            ASSERT_TRUE(single.Done);
            EXPECT_EQ(single.BestLevels, r.BestLevels);
            EXPECT_EQ(single.Best.MarginPerPlaceYear, r.Best.MarginPerPlaceYear);
            EXPECT_EQ(single.Evaluations, r.Evaluations);
        }
    }
}

// Per pig place and year a dearer pig makes each day in the barn worth
// more, and the faster growth of the richer diet pays. (Per pig alone the
// sale weight moves up instead: the pig is sold heavier on the later,
// leaner diets.)
TEST_F(MarginSearchTest, ADearerPigMovesLysineAndEnergyUp) {
    MarginPriceChange cheap, dear;
    cheap.PigPrice = 0.7;
    dear.PigPrice = 1.3;
    const MarginOutcome low = OptimumOf(*demo, cheap, OptObjective::MarginPerPlaceYear);
    const MarginOutcome high = OptimumOf(*demo, dear, OptObjective::MarginPerPlaceYear);
    EXPECT_GT(MeanLysine(high), MeanLysine(low));
    EXPECT_GT(MeanNe(high), MeanNe(low));
}

TEST_F(MarginSearchTest, ADearerLysineSourceMovesLysineDown) {
    const int lysine = demo->Ingredient("L-Lysine HCl"), soy = demo->Ingredient("Soybean meal 47");
    ASSERT_GT(lysine, 0);
    ASSERT_GT(soy, 0);
    MarginPriceChange dear;
    dear.Ingredients = {{lysine, 3.0}, {soy, 1.5}};
    const MarginOutcome base = OptimumOf(*demo, {}, OptObjective::MarginPerPig);
    const MarginOutcome moved = OptimumOf(*demo, dear, OptObjective::MarginPerPig);
    EXPECT_LT(MeanLysine(moved), MeanLysine(base));
}

TEST_F(MarginSearchTest, ADearerDayMovesTheSaleWeightDown) {
    MarginPriceChange cheap, dear;
    cheap.DayCost = 0.5;
    dear.DayCost = 2.0;
    const MarginOutcome low = OptimumOf(*demo, cheap, OptObjective::MarginPerPig);
    const MarginOutcome high = OptimumOf(*demo, dear, OptObjective::MarginPerPig);
    EXPECT_LT(high.SaleWeight, low.SaleWeight);
}

TEST_F(MarginSearchTest, AStopLeavesNoResult) {
    RecordingProgress progress;
    progress.cancelAfter = 3;
    MarginSearchOptions options;
    options.progress = &progress;
    const MarginSearchResult r = SearchMargin(*demo->s, demo->market, OptObjective::MarginPerPig, options);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_FALSE(r.Done);
    EXPECT_EQ(r.Message, kMarginCancelled);
    EXPECT_EQ(progress.finished, 1);
}

TEST_F(MarginSearchTest, TheSurfaceHoldsTheProgrammeAtItsCentre) {
    const MarginEvaluator ev(*demo->s, demo->market);
    const MarginProgramme p = ev.CurrentLevels();
    const std::vector<MarginSurface> surfaces = MarginSurfaces(ev, OptObjective::MarginPerPig, p, 2);
    ASSERT_EQ(surfaces.size(), static_cast<std::size_t>(p.Count));
    const MarginOutcome centre = ev.Evaluate(p);
    for (const MarginSurface& s : surfaces) {
        EXPECT_DOUBLE_EQ(s.At(kSurfaceCentre, kSurfaceCentre), centre.MarginPerPig);
        EXPECT_DOUBLE_EQ(s.Ne[kSurfaceCentre], p.Diets[static_cast<std::size_t>(s.Diet - 1)].Ne);
    }
}

}  // namespace
}  // namespace tarvisol
