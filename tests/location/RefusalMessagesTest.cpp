// The exact words of messages and questions the window shows when it refuses
// a step or warns before one: a file that is not what it should be, a save
// with nowhere to go, a measured table with a gap, an optimisation without
// its values, closing with unsaved changes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calibration/CalibrationFixture.h"
#include "cli/GrowthCommand.h"
#include "formulation/FormulationFiles.h"
#include "formulation/MatrixEditor.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "optimisation/OptimisationWindow.h"
#include "support/DemoAfterGrowth.h"
#include "support/DemoLocation.h"
#include "support/FormulationFixture.h"

namespace tarvisol {
namespace {
using testing::Spit;

TEST(RefusalMessages, AFileWithoutTabsIsNotReadAsDiets) {
    testing::FormulationFixture x;
    class testing::ScratchFolder folder;
    const std::string path = folder.File("Farm.dts");
    Spit(path, "Diet Name Grower\r\nFeed Cost 250\r\n");
    ReadDiets(*x.s, path);
    EXPECT_EQ(x.dialogs.Messages(),
              std::vector<std::string>{path + ", line 1: not a diet file in the tab layout (label, TAB, value); it was not read"});
    EXPECT_EQ(x.s->DietCount, 0);
}

TEST(RefusalMessages, SettingsWithNowhereToSaveAreTold) {
    auto s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    s->FileFlags(2) = true;  // the settings file's name is known: no file dialog
    EXPECT_FALSE(SavePig(*s));
    EXPECT_FALSE(SaveUnits(*s));
    class testing::ScratchFolder folder;
    s->PigFile = folder.File("Gone.pig");  // named, but not there to keep its first lines
    EXPECT_FALSE(SaveUnits(*s));
    const auto m = dialogs.Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0], "There is no settings file to save to: open or name a location first.");
    EXPECT_EQ(m[1], "There is no settings file to save the units to: open or name a location first.");
    EXPECT_NE(m[2].find("Gone.pig"), std::string::npos) << m[2];
    EXPECT_EQ(m[2].substr(m[2].size() - 27), ". The units were not saved.");
    EXPECT_FALSE(std::filesystem::exists(s->PigFile));
}

TEST(RefusalMessages, ALocationWhoseMatrixIsRefusedHasNoNutrients) {
    class testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    Spit(folder.File("DemoMatrix.txt"), " 0            5 \r\nA\r\n");
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    s->Main = w.get();
    s->Dialog = &dialogs;
    FormLoad(*s, folder.Str());
    s->LocationFolder = folder.Str();
    w->Text6.Text = "Demo";
    dialogs.Answer(Answer::Yes);
    LocationName(*s);
    ASSERT_FALSE(dialogs.Log().empty());
    EXPECT_EQ(dialogs.Log()[0].text, std::string(kReopenQuestion) + "Demo (yes) or a New location (no)?");
    const auto m = dialogs.Messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_NE(m[0].find("does not fit"), std::string::npos) << m[0];
    EXPECT_EQ(m[1], "No Nutrient File found");
    EXPECT_EQ(w->Combo1.ListIndex, kFormulationGridDiets);
}

TEST(RefusalMessages, ClosingWithUnsavedChangesNamesTheFiles) {
    testing::DemoAfterGrowth x(kFormulationGridDiets);
    x.s->IngredientPrices(1) += 10;
    x.dialogs.ClearLog();
    x.dialogs.Answer(Answer::Cancel);
    EXPECT_FALSE(MayCloseMainWindow(*x.s));
    ASSERT_EQ(x.dialogs.Log().size(), 1u);
    const std::string& q = x.dialogs.Log()[0].text;
    EXPECT_EQ(q.rfind("These files of the location have changes that are not saved: ", 0), 0u) << q;
    EXPECT_NE(q.find("DemoMatrix.txt. Save all files to the current location before closing?"), std::string::npos) << q;
    EXPECT_EQ(q.find("Demo.pig"), std::string::npos) << q;
}

TEST(RefusalMessages, AMeasuredRowAfterAGapIsRefused) {
    class testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    testing::DemoCalibration demo(folder.Str());
    Grid& g = demo.form->GridCalibWts;
    for (int c = 0; c <= 2; ++c) g.SetTextMatrix(3, c, "");
    demo.dialogs.ClearLog();
    ContinueCalibration(*demo.s, *demo.form);
    EXPECT_EQ(demo.dialogs.Messages(),
              std::vector<std::string>{
                  "Row 4 of the measured herd comes after the empty row 3: fill the rows from the start without a gap."});
}

TEST(RefusalMessages, AnOptimisationWithoutItsDietValuesIsRefused) {
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    FrmOptP f;
    ShowOptimisationWindow(*x.s, f);
    ProgramMinMaxClick(*x.s, f);
    const std::string current = f.GridOpt.TextMatrix(1, 3), max = f.GridOpt.TextMatrix(1, 5);
    x.dialogs.ClearLog();
    f.GridOpt.SetTextMatrix(1, 3, "");
    RunOptimisation(*x.s, f);
    f.GridOpt.SetTextMatrix(1, 3, current);
    f.GridOpt.SetTextMatrix(1, 5, "");
    RunOptimisation(*x.s, f);
    EXPECT_EQ(x.dialogs.Messages(), (std::vector<std::string>{"Set Diet Values", "Set Diet Values for MET_CYS"}));
    EXPECT_FALSE(x.s->OptimisationDone);
}

TEST(RefusalMessages, TheMatrixEditorHoldsAtMostOneHundredIngredients) {
    auto s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    s->IngredientCount = 100;
    s->NutrientCount = 3;
    for (int i = 1; i <= 100; ++i) s->IngredientNames(i) = "I" + std::to_string(i);
    MatrixEditorWindow w;
    LoadMatrixEditor(*s, w);
    const int rows = w.GridMatrix.Rows();
    AddIngredientRow(*s, w);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"The matrix holds at most 100 ingredients"});
    EXPECT_EQ(w.GridMatrix.Rows(), rows);
}

// A location without its settings file opens as a new one: no herd to grow.
TEST(RefusalMessages, TheCommandLineSaysWhyGrowthDidNotRun) {
    class testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    std::filesystem::remove(folder.File("Demo.pig"));
    cli::GrowthArgs a;
    a.location = folder.File("Demo");
    a.formulation = 2;
    const auto r = cli::RunGrowthCommand(a, nullptr);
    EXPECT_FALSE(r["ran"].get<bool>());
    ASSERT_FALSE(r["messages"].empty()) << r.dump();
    EXPECT_EQ(r["messages"].back(), "Growth did not run: no Starting Weight") << r.dump();
    EXPECT_EQ(cli::GrowthExitCode(r), 2);
}

}  // namespace
}  // namespace tarvisol
