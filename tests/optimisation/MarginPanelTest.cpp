// The optimisation window's margin objective: "Run Opt." with a margin
// chosen fills the comparison, and "Transfer Optimum to Current" puts back
// the programme the Growth command then grows to the same margin.
#include <gtest/gtest.h>

#include "market/MarketAnalysis.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/Checkpoint.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "support/ResponseDemo.h"

namespace tarvisol {
namespace {

TEST(MarginPanel, TheTransferredOptimumGrowsToTheMarginTheWindowShows) {
    testing::ResponseDemo demo;
    ASSERT_EQ(demo.grown, GrowthOutcome::Results);
    FrmOptP f;
    ShowOptimisationWindow(*demo.s, f);
    f.Margin.ComboObjective.ListIndex = 2;  // margin per pig
    const std::string finalBefore = demo.w->Text3.Text;
    const auto limitsBefore = demo.s->NutrientLimits;
    RunOptimisation(*demo.s, f);
    ASSERT_TRUE(f.Margin.Result.Done) << f.Margin.Result.Message;
    // The search ran on a copy: the record and the window are as they were.
    EXPECT_EQ(demo.w->Text3.Text, finalBefore);
    EXPECT_TRUE(demo.s->NutrientLimits == limitsBefore);
    const MarginOutcome& best = f.Margin.Result.Best;
    EXPECT_EQ(f.Margin.GridCompare.TextMatrix(8, 1), FormatPattern(best.MarginPerPig, "0.00"));
    EXPECT_EQ(f.Margin.Surfaces.size(), static_cast<std::size_t>(best.Count));
    EXPECT_EQ(f.Margin.GridDiets.Rows(), 1 + best.Count);

    TransferOptimumClick(*demo.s, f);
    ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
    const double shown = NumVal(std::string_view(demo.w->Text3.Text));
    const MarketAnalysis a = AnalyseMarketWeights(*demo.s, demo.market, {shown, shown, 1});
    ASSERT_EQ(a.Rows.size(), 1u);
    ASSERT_TRUE(a.Rows[0].Sold()) << a.Rows[0].Message;
    EXPECT_NEAR(a.Rows[0].Sale.MarginPerPig, best.MarginPerPig, 1e-9);
}

}  // namespace
}  // namespace tarvisol
