// Edit -> Undo over the desk's commands: an edit of the diets, Transfer
// Optimum, Find the Best Cuts and the calibration's Yes are taken back and
// done again, and a step is never taken back in another location or units.
#include <gtest/gtest.h>

#include "calibration/CalibrationRun.h"
#include "formulation/AminoRatio.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/Numbers.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "ui/HerdWindow.h"
#include "ui/UndoableCommands.h"

namespace tarvisol {
namespace {

TEST(Undo, AnEditOfTheDietsAndTransferOptimumAreTakenBackAndDoneAgain) {
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    UndoHistory undo;
    EXPECT_FALSE(undo.CanUndo(*x.s));
    EXPECT_EQ(undo.UndoCaption(*x.s), "Undo");

    // A lysine minimum typed on the diets grid, the restriction changed.
    const std::string shown = x.w->Griddiets.TextMatrix(8, 1);
    x.dialogs.Answer(Answer::Yes);
    EXPECT_TRUE(RecordDeskChange(*x.s, undo, kUndoDietsEdit, false, [&] { DietsGridEdit(*x.s, 8, 1, "1.1"); }));
    EXPECT_DOUBLE_EQ(x.s->NutrientLimits(1, 1, 5), 1.1);
    EXPECT_EQ(undo.UndoCaption(*x.s), "Undo Edit of the Diets");
    ASSERT_TRUE(undo.Undo(*x.s));
    EXPECT_DOUBLE_EQ(x.s->NutrientLimits(1, 1, 5), 1.08);
    EXPECT_EQ(x.w->Griddiets.TextMatrix(8, 1), shown);
    EXPECT_EQ(undo.RedoCaption(*x.s), "Redo Edit of the Diets");
    ASSERT_TRUE(undo.Redo(*x.s));
    EXPECT_DOUBLE_EQ(x.s->NutrientLimits(1, 1, 5), 1.1);
    EXPECT_EQ(x.w->Griddiets.TextMatrix(8, 1), "1.1");
    ASSERT_TRUE(undo.Undo(*x.s));
    // Nothing changed, nothing to take back.
    EXPECT_FALSE(RecordDeskChange(*x.s, undo, kUndoDietsEdit, false, [] {}));

    // Transfer Optimum: the optimum's limits and allotments, then the programme as it was.
    FrmOptP f;
    ShowOptimisationWindow(*x.s, f);
    ProgramMinMaxClick(*x.s, f);
    RunOptimisation(*x.s, f);
    ASSERT_TRUE(f.Result.Done);
    const auto limits = x.s->NutrientLimits;
    const std::string allotments = testing::GridText(x.w->Griddiets);
    ASSERT_TRUE(RecordDeskChange(*x.s, undo, kUndoTransfer, false, [&] { TransferOptimumClick(*x.s, f); }));
    EXPECT_FALSE(x.s->NutrientLimits == limits);
    EXPECT_NE(x.s->TransferredOptimum.Taken, 0u);
    const auto transferred = x.s->NutrientLimits;
    ASSERT_TRUE(undo.Undo(*x.s));
    EXPECT_TRUE(x.s->NutrientLimits == limits);
    EXPECT_EQ(testing::GridText(x.w->Griddiets), allotments);
    EXPECT_EQ(x.s->TransferredOptimum.Taken, 0u) << "no optimum is kept as transferred any more";
    ASSERT_TRUE(undo.Redo(*x.s));
    EXPECT_TRUE(x.s->NutrientLimits == transferred);

    // In other units the step is not offered; back in the same, it is.
    ASSERT_TRUE(undo.CanUndo(*x.s));
    x.s->WeightUnit() = 1;
    EXPECT_FALSE(undo.CanUndo(*x.s));
    EXPECT_FALSE(undo.Undo(*x.s));
    x.s->WeightUnit() = 0;
    EXPECT_TRUE(undo.CanUndo(*x.s));
    x.s->LocationBase += "Other";
    EXPECT_FALSE(undo.CanUndo(*x.s));
}

TEST(Undo, FindTheBestCutsIsTakenBack) {
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    HerdWindow f;
    ShowHerdWindow(*x.s, f);
    f.Settings[0].Text = "200";
    SellHerdClick(*x.s, f, nullptr, 2);
    const std::string cuts = testing::GridText(f.GridCuts), table = testing::GridText(f.GridHerd);
    const std::string totals = f.LabelTotals.Caption;
    UndoHistory undo;
    ASSERT_TRUE(RecordHerdChange(*x.s, undo, f, kUndoBestCuts, [&] { BestHerdCutsClick(*x.s, f, nullptr, 2); }));
    EXPECT_NE(testing::GridText(f.GridCuts), cuts);
    const std::string best = testing::GridText(f.GridCuts);
    ASSERT_TRUE(undo.Undo(*x.s));
    EXPECT_EQ(testing::GridText(f.GridCuts), cuts);
    EXPECT_EQ(testing::GridText(f.GridHerd), table);
    EXPECT_EQ(f.LabelTotals.Caption, totals);
    EXPECT_TRUE(f.LabelBest.Caption.empty());
    ASSERT_TRUE(undo.Redo(*x.s));
    EXPECT_EQ(testing::GridText(f.GridCuts), best);
}

// The calibration's Yes saves the new curve to the location: taken back, the
// curve in force and every file of the location are as before it.
TEST(Undo, TheCalibrationsYesIsTakenBackWithTheFilesItSaved) {
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    const auto files = testing::FolderContents(x.folder.Str());
    x.dialogs.ClearLog();
    x.dialogs.Text("Demo");
    CalibrationWindow form;
    CalibrationCommand(*x.s, form);
    ASSERT_TRUE(form.Visible);
    x.s->GrowthCurve(0, 3) *= 1.2;  // the fit starts elsewhere and ends on another curve
    for (int k = 0; k < 5; ++k) x.w->GridWeight.SetTextMatrix(1, k + 1, FormatExact(x.s->GrowthCurve(0, k)));
    const auto started = x.s->GrowthCurve;
    const std::string startedCells = testing::GridText(x.w->GridWeight);
    UndoHistory undo;
    x.dialogs.Answer(Answer::Yes);  // save this calibration
    ASSERT_TRUE(RecordDeskChange(*x.s, undo, kUndoCalibration, true, [&] { ContinueCalibration(*x.s, form); }));
    EXPECT_FALSE(x.s->GrowthCurve == started);
    const auto saved = testing::FolderContents(x.folder.Str());
    ASSERT_TRUE(undo.Undo(*x.s));
    EXPECT_TRUE(x.s->GrowthCurve == started);
    EXPECT_EQ(testing::GridText(x.w->GridWeight), startedCells);
    EXPECT_TRUE(testing::FolderContents(x.folder.Str()) == files);
    ASSERT_TRUE(undo.Redo(*x.s));
    EXPECT_TRUE(testing::FolderContents(x.folder.Str()) == saved);
}

}  // namespace
}  // namespace tarvisol
