// The "Precision Feeding" window on the demo: the table shows the run's own
// figures (its differences are the strategies' less the phase programme's),
// the charts draw the run's series, a box it cannot use gives a message and
// keeps the last comparison, and a stop leaves the window as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "precision/PrecisionFigures.h"
#include "shared/Progress.h"
#include "support/DemoAfterGrowth.h"
#include "ui/PrecisionWindow.h"

namespace tarvisol {
namespace {

TEST(PrecisionWindow, TheTableAndChartsShowTheRunAndABadBoxOrAStopKeepsTheLastComparison) {
    testing::DemoAfterGrowth demo(kFormulationLeastCost);
    PrecisionWindow f;
    ShowPrecisionWindow(*demo.s, f);
    EXPECT_TRUE(BlendShareChartOf(f).Lines.empty());
    f.Pigs.Text = "30";
    ComparePrecisionClick(*demo.s, f, nullptr, 2);
    ASSERT_TRUE(f.Result.has_value()) << (demo.dialogs.Messages().empty() ? "" : demo.dialogs.Messages().back());
    const precision::PrecisionResult& r = *f.Result;
    ASSERT_GT(f.GridResults.Rows(), 10);
    int row = 0;
    for (const precision::PrecisionFigure& fig : precision::kPrecisionFigures) {
        if (!precision::FigureShown(fig, r)) continue;
        ++row;
        EXPECT_EQ(f.GridResults.TextMatrix(row, 0), fig.Label);
        double shown = 0;
        ASSERT_TRUE(f.GridResults.Figure(row, 2, shown));
        EXPECT_EQ(shown, r.Strategies[precision::kGroupBlend].*fig.Value) << fig.Label;
        ASSERT_TRUE(f.GridResults.Figure(row, 5, shown));
        EXPECT_EQ(shown, r.Strategies[precision::kPrecision].*fig.Value - r.Strategies[precision::kPhase].*fig.Value)
            << fig.Label;
    }
    EXPECT_EQ(row + 1, f.GridResults.Rows());
    const PrecisionChart share = BlendShareChartOf(f);
    ASSERT_EQ(share.Lines.size(), 4u);
    // Drawn while a twentieth of the herd is on feed.
    const std::vector<int>& onFeed = r.Series.Lysine[precision::kGroupBlend].PigsGroup;
    EXPECT_EQ(share.Lines[0].Y.size(), static_cast<std::size_t>(std::count_if(
                                           onFeed.begin(), onFeed.end(), [](int n) { return 20 * n >= 30; })));
    EXPECT_EQ(share.Lines[0].X.front(), r.Series.StartAge);
    const PrecisionChart supply = SupplyChartOf(f);
    ASSERT_EQ(supply.Lines.size(), 6u);
    EXPECT_EQ(supply.Lines[0].Y.front(), r.Series.Lysine[precision::kPrecision].NeedGroup.front());

    const double lysine = r.Strategies[precision::kPrecision].SidLysine;
    f.Percentile.Text = "0";
    ComparePrecisionClick(*demo.s, f, nullptr, 2);
    EXPECT_EQ(demo.dialogs.Messages().back(), "The percentile must be from 1 to 100, or blank for the mean pig");
    f.Percentile.Text.clear();
    f.DietA.Text = "1";
    ComparePrecisionClick(*demo.s, f, nullptr, 2);
    EXPECT_NE(demo.dialogs.Messages().back().find("Feeds A and B must be two different diets"), std::string::npos);
    f.DietA.Text.clear();
    RecordingProgress stop;
    stop.cancel = true;
    ComparePrecisionClick(*demo.s, f, &stop, 2);
    EXPECT_EQ(demo.dialogs.Messages().back(), kPrecisionCancelled);
    EXPECT_EQ(f.Result->Strategies[precision::kPrecision].SidLysine, lysine);
}

}  // namespace
}  // namespace tarvisol
