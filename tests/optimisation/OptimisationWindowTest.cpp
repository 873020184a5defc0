// The optimisation window's grid rules, its pre-run check and the run on the
// demo location.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "formulation/Formulate.h"
#include "growth/GrowthRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "optimisation/FeedOpt.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "support/MainWindowFixture.h"
#include "support/DemoAfterGrowth.h"

namespace tarvisol {
namespace {
namespace fs = std::filesystem;

struct WindowFixture : testing::MainWindowFixture {
    FrmOptP f;
    WindowFixture() {
        s->DietCount = 3;
        ShowOptimisationWindow(*s, f);
    }
    std::string Cell(int row, int col) const { return f.GridOpt.TextMatrix(row, col); }
};

TEST(OptimisationWindow, LoadingTakesTheProgrammeAndChecksTheDietsInUse) {
    WindowFixture x;
    EXPECT_EQ(x.f.Caption, "Diet Optimization");
    EXPECT_EQ(x.Cell(0, 2), "Optimize");
    EXPECT_EQ(x.Cell(4, 0), "Diet 2");
    EXPECT_EQ(x.Cell(5, 1), "Net Energy");
    EXPECT_DOUBLE_EQ(Val(x.Cell(4, 3)), 90);    // feed from the diets grid
    EXPECT_DOUBLE_EQ(Val(x.Cell(5, 3)), 2475);  // no energy minimum: the grid's energy
    EXPECT_DOUBLE_EQ(Val(x.Cell(9, 3)), 14);    // protein likewise
    EXPECT_EQ(x.Cell(18, 3), "0");              // diet 6 has nothing
    EXPECT_TRUE(RowChecked(x.f, 9));
    EXPECT_FALSE(RowChecked(x.f, 10));
    EXPECT_EQ(x.f.GridOpt.CellBackColor(10, 0), kOptGreyed);
    EXPECT_EQ(x.f.GridOpt.CellBackColor(9, 5), kNoColor);
    EXPECT_DOUBLE_EQ(x.s->DietPrice(2), 290);
}

// The window prices a diet as the Growth run does: a grouped price is the
// price it groups, and said.
TEST(OptimisationWindow, AGroupedPriceIsThePriceTheGrowthRunReads) {
    testing::MainWindowFixture x;
    x.s->DietCount = 3;
    x.w->Griddiets.SetTextMatrix(2, 2, "1,150.00");
    FrmOptP f;
    ShowOptimisationWindow(*x.s, f);
    EXPECT_DOUBLE_EQ(x.s->DietPrice(2), 1150);
    ASSERT_EQ(x.dialogs.Messages().size(), 1u);
    EXPECT_NE(x.dialogs.Messages()[0].find("Grower 2"), std::string::npos) << x.dialogs.Messages()[0];
}

// Twenty variables are the most the search moves: six diets. The grid lists
// those six and the spin stays within them.
TEST(OptimisationWindow, TheSpinAndTheGridStayWithinTheSixDietsTheSearchMoves) {
    WindowFixture x;
    EXPECT_EQ(x.f.GridOpt.Rows(), 1 + 3 * 6);
    EXPECT_EQ(x.Cell(OptRow(6, 3), 0), "Diet 6");
    for (int i = 0; i < 10; ++i) OptDietSpin(*x.s, x.f, +1);
    EXPECT_EQ(x.f.TextOptDiet.Text, "6");
    EXPECT_EQ(x.s->DietCount, 6);
    EXPECT_TRUE(RowChecked(x.f, OptRow(6, 3)));
    for (int i = 0; i < 10; ++i) OptDietSpin(*x.s, x.f, -1);
    EXPECT_EQ(x.f.TextOptDiet.Text, "1");
    EXPECT_EQ(x.s->DietCount, 1);
    EXPECT_TRUE(RowChecked(x.f, 3));
    EXPECT_FALSE(RowChecked(x.f, 4));
    EXPECT_EQ(x.f.GridOpt.CellBackColor(4, 3), kOptGreyed);
}

TEST(OptimisationWindow, FeedWeightsOnlyUnchecksEnergyAndProteinAndBack) {
    WindowFixture x;
    x.f.Check3.Value = 1;
    UseFeedWeightsOnlyClick(*x.s, x.f);
    for (int d = 1; d <= 3; ++d) {
        EXPECT_TRUE(RowChecked(x.f, OptRow(d, 1)));
        EXPECT_FALSE(RowChecked(x.f, OptRow(d, 2)));
        EXPECT_FALSE(RowChecked(x.f, OptRow(d, 3)));
    }
    x.f.Check3.Value = 0;
    UseFeedWeightsOnlyClick(*x.s, x.f);
    for (int row = 1; row <= 9; ++row) EXPECT_TRUE(RowChecked(x.f, row));
}

TEST(OptimisationWindow, ProgramMinMaxFillsEveryDietOfTheGrid) {
    WindowFixture x;
    x.f.GridOpt.SetTextMatrix(OptRow(6, 1), 3, "50");
    ProgramMinMaxClick(*x.s, x.f);
    EXPECT_DOUBLE_EQ(Val(x.Cell(1, 4)), 32);  // 40 x 0.8
    EXPECT_DOUBLE_EQ(Val(x.Cell(1, 5)), 48);
    EXPECT_DOUBLE_EQ(Val(x.Cell(2, 4)), 2450 * 0.98);
    EXPECT_DOUBLE_EQ(Val(x.Cell(3, 5)), 18 * 1.05);
    EXPECT_DOUBLE_EQ(Val(x.Cell(OptRow(6, 1), 4)), 40);  // a diet beyond the count
    EXPECT_EQ(x.f.Command1.BackColor, kLightGreen);
}

TEST(OptimisationWindow, EditingRejectsNegativeValuesAndReportsAMaximumBelowTheCurrent) {
    WindowFixture x;
    ProgramMinMaxClick(*x.s, x.f);
    GridOptEdit(*x.s, x.f, 4, 3, "-5");
    EXPECT_EQ(x.Cell(4, 3), "0");
    GridOptEdit(*x.s, x.f, 7, 5, "150");  // below the current 200
    const std::vector<std::string> expected{"Value is not appropriate", "The value is not correct"};
    EXPECT_EQ(x.dialogs.Messages(), expected);
    GridOptClick(*x.s, x.f, 4, 2);
    EXPECT_FALSE(RowChecked(x.f, 4));
    EXPECT_EQ(x.f.GridOpt.CellBackColor(4, 1), kOptGreyed);
}

TEST(OptimisationWindow, MinmaxNamesTheDietAndTheRow) {
    WindowFixture x;
    int failed = 0;
    minmax(*x.s, x.f, failed);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(x.dialogs.Messages().back(), "Set Diet Minimum Values");

    ProgramMinMaxClick(*x.s, x.f);
    x.f.GridOpt.SetTextMatrix(OptRow(2, 3), 5, "13");  // diet 2 protein maximum below its current 16
    failed = 0;
    minmax(*x.s, x.f, failed);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(x.dialogs.Messages().back(), "Check Max Values on Diet2 Protein");

    x.f.GridOpt.SetTextMatrix(OptRow(2, 3), 5, "16");  // equal to the current: raised
    x.f.GridOpt.SetTextMatrix(OptRow(3, 2), 3, "2000");  // diet 3 energy below its minimum
    failed = 0;
    minmax(*x.s, x.f, failed);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(x.dialogs.Messages().back(), "Check Min Values on Diet3");
    EXPECT_EQ(x.Cell(OptRow(2, 3), 5), FormatAuto(16 * 1.001));

    x.f.GridOpt.SetTextMatrix(OptRow(3, 2), 3, "2500");
    failed = 0;
    minmax(*x.s, x.f, failed);
    EXPECT_EQ(failed, 0);
}

TEST(OptimisationWindow, TheRunStopsAtTheFirstMissingInput) {
    WindowFixture x;
    x.f.Text1.Text = "Loc";
    RunOptimisation(*x.s, x.f);  // no Growth run yet
    EXPECT_EQ(x.dialogs.Messages().back(), "Run Current Calc First");

    x.w->TextPrice.Text = "30.00";
    x.w->Combo1.ListIndex = kFormulationLeastCost;
    x.f.TextOptDiet.Text = "0";
    RunOptimisation(*x.s, x.f);
    EXPECT_EQ(x.dialogs.Messages().back(), "Set No. of Diets first");

    x.f.TextOptDiet.Text = "3";
    ProgramMinMaxClick(*x.s, x.f);
    x.f.Text2.Text = "";
    RunOptimisation(*x.s, x.f);
    EXPECT_EQ(x.dialogs.Messages().back(), "Set the Target Weight");
    EXPECT_FALSE(x.f.WorkingVisible);
    EXPECT_TRUE(x.f.CommandOpt.Enabled);

    // Diets on the grid: answering No ends the run with nothing changed.
    x.w->Combo1.ListIndex = kFormulationGridDiets;
    x.dialogs.Answer(Answer::No);
    x.dialogs.ClearLog();
    RunOptimisation(*x.s, x.f);
    EXPECT_EQ(x.dialogs.Log().size(), 1u);
    EXPECT_TRUE(RowChecked(x.f, 2));
}

TEST(OptimisationWindow, TransferWithoutAnOptimumChangesNothing) {
    WindowFixture x;
    x.s->NutrientLimits(1, 1, 1) = 2400;
    TransferOptimumClick(*x.s, x.f);
    EXPECT_DOUBLE_EQ(x.s->NutrientLimits(1, 1, 1), 2400);
    EXPECT_DOUBLE_EQ(Val(x.w->Griddiets.TextMatrix(3, 1)), 40);
}

// The demo after a Growth run, with the optimisation window open.
struct DemoRun : testing::DemoAfterGrowth {
    FrmOptP f;
    explicit DemoRun(int formulation) : DemoAfterGrowth(formulation) {
        ShowOptimisationWindow(*s, f);
        ProgramMinMaxClick(*s, f);
        dialogs.ClearLog();
    }
};

TEST(OptimisationRun, DietsOnTheGridOptimiseFeedWeightsOnlyAndCostNoMore) {
    DemoRun x(kFormulationGridDiets);
    const double start = Val(x.w->TextPrice.Text);
    ASSERT_GT(start, 0);
    const double formulaBefore = x.s->DietFormula(1, 1);
    bool shown = false;
    x.f.ShowReport = [&] { shown = true; };
    x.dialogs.Answer(Answer::Yes);
    RunOptimisation(*x.s, x.f);
    ASSERT_TRUE(x.s->OptimisationDone) << (x.dialogs.Messages().empty() ? "" : x.dialogs.Messages().back());
    EXPECT_EQ(x.dialogs.Log().front().text, kGridCostQuestion);
    for (int d = 1; d <= 4; ++d) {
        EXPECT_TRUE(RowChecked(x.f, OptRow(d, 1)));
        EXPECT_FALSE(RowChecked(x.f, OptRow(d, 2)));
        EXPECT_FALSE(RowChecked(x.f, OptRow(d, 3)));
    }
    EXPECT_EQ(x.s->DietFormula(1, 1), formulaBefore);  // nothing formulated
    double cost = 0;
    for (int d = 1; d <= 4; ++d) cost += x.s->DietPrice(d) / 1000 * x.s->DietFormula(d, 0);
    EXPECT_LE(cost, start + 1e-9);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(fs::exists(x.s->OptResultFile));
    EXPECT_FALSE(x.f.WorkingVisible);
    EXPECT_TRUE(x.f.CommandOpt.Enabled);

    // The transfer writes the optimum feed weights into the diets grid.
    TransferOptimumClick(*x.s, x.f);
    EXPECT_DOUBLE_EQ(Val(x.w->Griddiets.TextMatrix(3, 2)), Val(FormatAuto(x.s->DietFormula(2, 0))));
}

TEST(OptimisationRun, ARunThatFindsNothingCheaperLeavesTheRestrictionsAsTheyWere) {
    DemoRun x(kFormulationLeastCost);
    // Ranges too narrow to move: the programme cannot get cheaper than itself.
    x.f.Check3.Value = 1;
    UseFeedWeightsOnlyClick(*x.s, x.f);
    const auto before = x.s->NutrientLimits;
    RunOptimisation(*x.s, x.f);
    if (!x.s->OptimisationDone) {
        ASSERT_FALSE(x.dialogs.Messages().empty());
        EXPECT_EQ(x.dialogs.Messages().back(), kNoLowerAnswer);
    }
    EXPECT_TRUE(x.s->NutrientLimits == before);
    EXPECT_TRUE(x.f.CommandOpt.Enabled);
}

}  // namespace
}  // namespace tarvisol
