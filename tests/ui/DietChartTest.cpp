// The chart window's form on a hand-made sweep: what each point shows, the
// labels, the measure it records and the table it copies.
#include <gtest/gtest.h>

#include <memory>

#include "optimisation/PlotSweep.h"
#include "shared/Clipboard.h"
#include "shared/TextFile.h"
#include "ui/DietChart.h"

namespace tarvisol {
namespace {

struct ChartFixture : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    DietChartWindow w;
    MemoryClipboard clip;
    void SetUp() override {
        s->Clip = &clip;
        s->SweepDietCount = 2;
        for (int d = 1; d <= 2; ++d)
            for (int step = 0; step < 21; ++step) {
                s->SweepValues(d, step, kSweepEnergy) = 2400 + 20 * (step - 10);
                s->SweepValues(d, step, kSweepLysine) = d * (1 + 0.01 * (step - 10));
                s->SweepValues(d, step, kSweepProtein) = 16 * (1 + 0.01 * (step - 10));
            }
        for (int d = 1; d <= 2; ++d)
            for (int e = 0; e < 21; ++e)
                for (int l = 0; l < 21; ++l) {
                    // Cost falls with energy and rises with lysine; lean rises with lysine.
                    s->SweepResults(kSweepCost, d, e, l) = 60 - 0.1 * e + 0.05 * l;
                    s->SweepResults(kSweepFeedGain, d, e, l) = 2.7 - 0.01 * e;
                    s->SweepResults(kSweepLean, d, e, l) = 58 + 0.1 * l;
                }
        for (int f = 1; f <= kSweepLoinDepth; ++f) s->SweepResults(f, 1, 0, 0) = kSweepInfeasible;
        s->SweepResults(kSweepCost, 1, 20, 0) = 0;  // dearer than 1.4 times the current cost
    }
};

TEST_F(ChartFixture, NothingToShowBeforeASweep) {
    s->SweepDietCount = 0;
    LoadDietChart(*s, w);
    EXPECT_FALSE(w.Visible);
    EXPECT_TRUE(w.ComboDiet.Items.empty());
    EXPECT_EQ(s->ChartMeasure, 0);
}

TEST_F(ChartFixture, LoadingOffersTheDietsAndMeasuresAndShowsTheFirst) {
    s->RatioToLysine = true;
    LoadDietChart(*s, w);
    EXPECT_TRUE(w.Visible);
    EXPECT_EQ(w.ComboDiet.Items, (std::vector<std::string>{"Diet 1", "Diet 2"}));
    EXPECT_EQ(w.ComboMeasure.Items.size(), 7u);
    EXPECT_EQ(s->ChartMeasure, 4);  // list index + 4
    EXPECT_EQ(w.Field, kSweepCost);
    EXPECT_EQ(w.LabelTitle.Caption, "Diet 1: Feed Cost per Pig");
    EXPECT_EQ(w.Kind[0][0], ChartPoint::Infeasible);
    EXPECT_EQ(w.Kind[20][0], ChartPoint::OverCost);
    EXPECT_EQ(w.Kind[20][1], ChartPoint::Value);
    // The range and the best point leave out the points not shown as values.
    EXPECT_DOUBLE_EQ(w.Low, 60 - 2.0 + 0.05);
    EXPECT_DOUBLE_EQ(w.High, 60 - 0.0 + 1.0);
    EXPECT_TRUE(w.LowerIsBetter);
    EXPECT_EQ(w.LabelBest.Caption,
              "Lowest 58.05 at energy 2600, lysine 0.910, on the edge of the grid swept (highest energy): the lowest "
              "may lie beyond it");
    EXPECT_EQ(w.LabelCurrent.Caption, "Current diet (marked): energy 2400, lysine 1.000: 59.50");

    const Grid& g = w.GridPlot;
    EXPECT_EQ(g.TextMatrix(0, 0), "Energy, Kcal/Kg \\ Lysine, %");
    EXPECT_EQ(g.TextMatrix(0, 1), "0.900");
    EXPECT_EQ(g.TextMatrix(21, 0), "2600");
    EXPECT_EQ(g.TextMatrix(1, 1), kChartInfeasibleText);
    EXPECT_EQ(g.TextMatrix(21, 1), kChartOverCostText);
    EXPECT_EQ(g.CellBackColor(1, 1), kChartMissingShade);
    EXPECT_EQ(g.CellBackColor(11, 11), kChartCurrentShade);
}

// A best point inside the grid is bracketed and said plainly; on an edge the
// label says which, since the best may lie beyond the sweep.
TEST_F(ChartFixture, ABestPointOnTheEdgeOfTheGridSaysSo) {
    for (int e = 0; e < 21; ++e)
        for (int l = 0; l < 21; ++l) s->SweepResults(kSweepCost, 2, e, l) = 50 + (e - 12) * (e - 12) + (l - 7) * (l - 7) * 0.1;
    LoadDietChart(*s, w);
    w.ComboDiet.ListIndex = 1;
    DietChartSelect(*s, w);
    EXPECT_FALSE(w.BestOnEdge);
    EXPECT_EQ(w.LabelBest.Caption, "Lowest 50.00 at energy 2440, protein 15.52");
    for (int e = 0; e < 21; ++e)
        for (int l = 0; l < 21; ++l) s->SweepResults(kSweepCost, 2, e, l) = 50 + (e - 12) * (e - 12) + l * 0.1;
    DietChartSelect(*s, w);
    EXPECT_TRUE(w.BestOnEdge);
    EXPECT_EQ(w.LabelBest.Caption,
              "Lowest 50.00 at energy 2440, protein 14.40, on the edge of the grid swept (lowest protein): the lowest may "
              "lie beyond it");
}

TEST_F(ChartFixture, ChoosingADietAndMeasureRedraws) {
    LoadDietChart(*s, w);
    w.ComboDiet.ListIndex = 1;
    w.ComboMeasure.ListIndex = 5;  // carcass lean
    DietChartSelect(*s, w);
    EXPECT_EQ(s->ChartMeasure, 9);
    EXPECT_EQ(w.Field, kSweepLean);
    EXPECT_FALSE(w.LowerIsBetter);
    EXPECT_EQ(w.LevelAxis, "Protein, %");
    EXPECT_DOUBLE_EQ(w.Level[20], 16 * 1.1);
    EXPECT_EQ(w.Kind[0][0], ChartPoint::Value);  // diet 2 was feasible everywhere
    EXPECT_EQ(w.Kind[20][0], ChartPoint::Value);  // a zero cost says nothing about lean
    EXPECT_EQ(w.LabelBest.Caption.rfind("Highest 60", 0), 0u);
    EXPECT_EQ(w.GridPlot.TextMatrix(11, 21), "60.00");

    // An index out of the lists is brought back into them.
    w.ComboDiet.ListIndex = 7;
    w.ComboMeasure.ListIndex = -3;
    DietChartSelect(*s, w);
    EXPECT_EQ(w.Diet, 2);
    EXPECT_EQ(w.ComboMeasure.ListIndex, 0);
}

TEST_F(ChartFixture, CopyTablePutsTheWholeMapOnTheClipboard) {
    LoadDietChart(*s, w);
    CopyDietChartTable(*s, w);
    const std::vector<std::string> lines = SplitLines(clip.GetText());
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(SplitTabs(lines[0]).size(), 23u);  // every cell is followed by a TAB
    EXPECT_EQ(SplitTabs(lines[1])[1], kChartInfeasibleText);
    EXPECT_EQ(SplitTabs(lines[11])[0], "2400");
}

}  // namespace
}  // namespace tarvisol

