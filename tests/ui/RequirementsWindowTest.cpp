// The "Requirements" window as a form: it keeps its run, the table follows
// the chosen nutrient, and the restrictions editor's minimums come from it.
#include <gtest/gtest.h>

#include "support/DemoAfterGrowth.h"
#include "report/RunComparison.h"
#include "shared/Numbers.h"
#include "support/FolderContents.h"
#include "ui/RequirementsWindow.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

TEST(RequirementsWindow, ItKeepsTheRunItWasOpenedOnAndFollowsTheChosenNutrient) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    RequirementsWindow f;
    ShowRequirementsWindow(*demo.s, f);
    ASSERT_TRUE(f.Visible);
    EXPECT_EQ(f.ComboNutrient.Text(), "SID LYSINE");
    const RunRequirements& r = demo.s->LastRun.Nutrition.Requirements;
    ASSERT_EQ(f.GridPhases.Rows(), 5);
    const std::string lysine = f.GridPhases.TextMatrix(2, 4);
    EXPECT_EQ(lysine, FixedText(r.Phases[1].Values[2].Requirement, 3));
    const RequirementsChart c = RequirementsChartOf(f);
    EXPECT_EQ(c.Phases.size(), 4u);
    EXPECT_EQ(c.Requirement.size(), c.Supply.size());
    EXPECT_GT(c.Requirement.front().second, c.Requirement.back().second);

    f.ComboNutrient.ListIndex = r.IndexOf("calcium");
    RequirementsNutrientClick(f);
    EXPECT_NE(f.GridPhases.TextMatrix(2, 4), lysine);

    // Another run on the main window leaves the window's figures alone.
    demo.w->Combo1.ListIndex = kFormulationGridDiets;
    Growth(*demo.s);
    f.ComboNutrient.ListIndex = r.IndexOf("lysine");
    RequirementsNutrientClick(f);
    EXPECT_EQ(f.GridPhases.TextMatrix(2, 4), lysine);
    EXPECT_EQ(f.GridBalance.TextMatrix(1, 0), "Nitrogen (N)");
}

TEST(RequirementsWindow, NoRunNoWindow) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    demo.s->LastRun = RunSnapshot{};
    RequirementsWindow f;
    ShowRequirementsWindow(*demo.s, f);
    EXPECT_FALSE(f.Visible);
    EXPECT_EQ(demo.dialogs.Messages().back(), kRequirementsNoRun);
}

TEST(RequirementsWindow, TheRestrictionsEditorTakesTheMinimumsForTheSessionOnly) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    const auto files = tarvisol::testing::FolderContents(demo.folder.Str());
    RestrictionsWindow w;
    LoadRestrictionsWindow(*demo.s, w);
    demo.dialogs.Text("120");
    SetMinimumsFromRequirementsClick(*demo.s, w);
    EXPECT_EQ(demo.dialogs.Messages().back(),
              "55 minimums set for this session; save the restrictions to keep them. Each diet's minimum is the "
              "highest requirement of the days it was fed, times 120 %.\nGrower 1, 25-50 kg: CALCIUM would need a "
              "minimum of 0.852, above its maximum 0.800; it stays 0.660");
    // The editor shows the limits now in force (diet 1's minimum in column 1).
    int row = 0;
    for (int r = 1; r < w.GridNuts.Rows(); ++r)
        if (w.GridNuts.TextMatrix(r, 0) == "SID LYSINE") row = r;
    ASSERT_GT(row, 0);
    EXPECT_EQ(Val(w.GridNuts.TextMatrix(row, 1)), demo.s->NutrientLimits(1, 1, 5));
    EXPECT_EQ(tarvisol::testing::FolderContents(demo.folder.Str()), files);

    demo.dialogs.Text("5");
    const double before = demo.s->NutrientLimits(1, 1, 5);
    SetMinimumsFromRequirementsClick(*demo.s, w);
    EXPECT_EQ(demo.dialogs.Messages().back(), "The margin must be from 50 to 200 percent; the minimums are unchanged");
    EXPECT_EQ(demo.s->NutrientLimits(1, 1, 5), before);
}

// The line under the main window's results gives the figures the report's
// balance table gives, or says why there is none.
TEST(RequirementsWindow, TheResultsBalanceLineIsTheReportsFigures) {
    DemoAfterGrowth least(kFormulationLeastCost);
    const std::string line = BalanceLineOf(least.s->LastRun);
    const NutrientBalance& b = least.s->LastRun.Nutrition.Balance;
    EXPECT_NE(line.find(FixedText(b.NExcretedPerPlaceYear, 2) + " kg per place and year"), std::string::npos) << line;
    EXPECT_NE(line.find(FixedText(b.P2O5ExcretedPerPlaceYear, 2) + " kg P2O5"), std::string::npos) << line;
    DemoAfterGrowth grid(kFormulationGridDiets);
    EXPECT_NE(BalanceLineOf(grid.s->LastRun).find(grid.s->LastRun.Nutrition.Balance.PhosphorusMissing), std::string::npos);
    EXPECT_EQ(BalanceLineOf(RunSnapshot{}), "");
}
