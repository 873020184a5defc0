// A run on the diets of the grid reports the nutrients the grid holds; one
// the grid does not hold is not given, never 0 "below minimum" and never the
// value an earlier formula left, so a second run equals a fresh one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "report/ReportDocument.h"
#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

namespace {

// The nutrient contents of every diet, a nutrient not given as -1.
std::vector<double> Contents(const RunSnapshot& run) {
    std::vector<double> out;
    for (const RunDiet& d : run.Diets)
        for (double x : d.Nutrients) out.push_back(std::isnan(x) ? -1 : x);
    return out;
}

TEST(GridDietNutrients, ANutrientTheGridDoesNotHoldIsNotGiven) {
    DemoAfterGrowth fresh(kFormulationGridDiets);
    // The grid's last nutrient row left empty: the grid does not hold it.
    Grid& grid = fresh.w->Griddiets;
    const int row = grid.Rows() - 1;
    const std::size_t missing = static_cast<std::size_t>(row - 3);
    for (int d = 1; d < grid.Cols(); ++d) grid.SetTextMatrix(row, d, "");
    ASSERT_EQ(Growth(*fresh.s), GrowthOutcome::Results);
    const RunSnapshot& run = fresh.s->LastRun;
    const RunDiet& first = run.Diets[0];
    ASSERT_GT(first.Nutrients.size(), missing);
    ASSERT_GT(missing, 15u);
    EXPECT_TRUE(std::isnan(first.Nutrients[missing]));

    // After least-cost formulas were made, a run on the grid reports the same.
    DemoAfterGrowth second(kFormulationLeastCost);
    second.w->Combo1.ListIndex = kFormulationGridDiets;
    second.w->Griddiets = fresh.w->Griddiets;
    ASSERT_EQ(Growth(*second.s), GrowthOutcome::Results);
    EXPECT_EQ(Contents(second.s->LastRun), Contents(run));

    // The report says so rather than judging a 0.
    ReportRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const ReportDocument doc = BuildReport(rq);
    EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), "not given"), doc.Cells.end());
    EXPECT_EQ(std::find(doc.Cells.begin(), doc.Cells.end(), "below minimum"), doc.Cells.end());
}

}  // namespace
