#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "location/PigFile.h"
#include "location/StartUp.h"
#include "location/UnitChoice.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "location/ScratchFolder.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"

using namespace tarvisol;
namespace fs = std::filesystem;

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, program.Str());
    }
    // A location with only its settings file, written as SavePig writes it.
    void MakePigOnly(const std::string& base) {
        for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = kDefaultCurve[k];
        s->CalibInputs(1) = 25;
        s->CalibInputs(2) = 63;
        s->CalibInputs(3) = 120;
        s->CalibInputs(4) = 255;
        s->CalibInputs(5) = 165;
        s->HerdSex = 0;
        ASSERT_TRUE(SavePigTo(*s, location.File(base + ".pig")));
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    tarvisol::testing::ScratchFolder program, location;
};

TEST_F(StartUpTest, FormLoadFillsTheWindow) {
    EXPECT_EQ(w->Caption, "Tarvisol for Swine 20 kg or More to Finish");
    EXPECT_EQ(s->DietCount, 6);
    EXPECT_EQ(w->Combo1.Items.size(), 3u);
    EXPECT_EQ(w->Combo1.Items[1], "Least Cost Formulas");
    EXPECT_EQ(w->ComboSex.Items, (std::vector<std::string>{"Mixed", "Males", "Females"}));
    EXPECT_EQ(w->ComboSex.ListIndex, -1);
    EXPECT_EQ(w->ComboDiets.Items.back(), "6");
    EXPECT_EQ(w->gridFILES.TextMatrix(0, 0), "Files in Use");
    EXPECT_EQ(w->gridFILES.TextMatrix(9, 0), "Save Ing. Restrict to this Location");
    EXPECT_EQ(w->gridFILES.TextMatrix(10, 0), "Not Open");
    EXPECT_EQ(w->Text6.ToolTip, "Type in a New Location Name then double click or just double click");
    EXPECT_FALSE(w->CommandData.Visible);
    EXPECT_EQ(w->MainTabs.Tab, 1);
    EXPECT_EQ(w->Width, 15420);
    EXPECT_EQ(s->PriceUnit(), 1);
    EXPECT_EQ(w->Grid1.TextMatrix(0, 8), "Tot FEED");
    EXPECT_DOUBLE_EQ(s->FatCurve(0, 2), 0.0039284);
    EXPECT_FALSE(s->PigDataReady);
}

TEST_F(StartUpTest, ReopeningALocationWithoutMatrixFallsBackToGridDiets) {
    MakePigOnly("Herd");
    s->LocationFolder = location.Str();
    w->Text6.Text = "Herd";
    dialogs.Answer(Answer::Yes);
    LocationName(*s);
    EXPECT_TRUE(s->CalibrationLoaded);
    EXPECT_TRUE(s->PigDataReady);
    EXPECT_EQ(w->Text6.Text, "Herd");
    EXPECT_EQ(Val(w->Text3.Text), 120);
    EXPECT_EQ(w->CommandGrowth.BackColor, kLightGreen);
    EXPECT_EQ(w->Combo1.ListIndex, 2);
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back(), "No Matrix File found named " + location.File("HerdMatrix.txt"));
    EXPECT_EQ(s->PigFile, location.File("Herd.pig"));
}

TEST_F(StartUpTest, NewLocationFromTheFileDialog) {
    s->LocationFolder = program.Str();
    dialogs.Text(location.File("NewFarm.pig")).Answer(Answer::Yes);
    LocationName(*s);  // no name typed: the dialog, then the path question
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[1].text, "You are using this path " + location.Str() + " Is this correct?");
    EXPECT_FALSE(s->CalibrationLoaded);
    EXPECT_EQ(w->Text6.Text, "NewFarm");
    EXPECT_EQ(s->LocationFolder, location.Str());
    EXPECT_EQ(w->Combo1.ListIndex, 2);
    EXPECT_DOUBLE_EQ(s->DefaultGrowthCurve(0, 0), 6.6);
}

TEST_F(StartUpTest, CancelledFileDialogChangesNothing) {
    const std::string folder = s->LocationFolder;
    dialogs.Text("*.pig");
    LocationName(*s);
    EXPECT_EQ(s->LocationFolder, folder);
    EXPECT_FALSE(s->PigDataReady);
    EXPECT_TRUE(s->PigFile.empty());
}

TEST_F(StartUpTest, CopyToANewFolderKeepsTheOldBaseName) {
    MakePigOnly("Herd");
    std::ofstream(location.File("Herd.stg")) << "0\t0\r\n";
    s->LocationFolder = location.Str();
    w->Text6.Text = "Herd";
    dialogs.Answer(Answer::Yes);
    LocationName(*s);
    tarvisol::testing::ScratchFolder target;
    dialogs.Text(target.File("Other"));
    SaveAllToNewLocation(*s);
    EXPECT_TRUE(fs::exists(target.File("Herd.pig")));
    EXPECT_TRUE(fs::exists(target.File("Herd.stg")));
    EXPECT_FALSE(fs::exists(target.File("Other.pig")));
    EXPECT_EQ(s->LocationFolder, location.Str());
}

TEST_F(StartUpTest, UnitListAndSetValuesDialog) {
    w->ComboUnits.ListIndex = 1;
    ComboUnitsClick(*s);
    EXPECT_EQ(s->EnergyUnit(), 1);
    EXPECT_EQ(s->WeightUnit(), 1);
    EXPECT_EQ(s->PriceUnit(), 3);
    EXPECT_EQ(w->LabelFinalWeight.Caption, "Final Weight, lb");

    SetValuesDialog d;
    ShowSetValues(*s, d);
    EXPECT_EQ(d.ComboCost.ListIndex, 1);
    d.ComboCost.ListIndex = 0;
    d.ComboEnergy.ListIndex = 0;
    d.ComboWeight.ListIndex = 0;
    SetValuesOk(*s, d);  // no location named: no question
    EXPECT_EQ(s->PriceUnit(), 1);
    EXPECT_EQ(w->LabelStartWeight.Caption, "Starting Weight, kg");
    EXPECT_TRUE(dialogs.Log().empty());

    // Price units 0, 2 and 4 only come from a settings file; the dialog keeps
    // units its lists do not offer when nothing is chosen.
    s->PriceUnit() = 4;
    s->EnergyUnit() = 4;
    ShowSetValues(*s, d);
    EXPECT_EQ(d.ComboEnergy.ListIndex, -1);
    w->Text6.Text = "Herd";
    dialogs.Answer(Answer::No);
    SetValuesOk(*s, d);
    EXPECT_EQ(s->EnergyUnit(), 4);
    EXPECT_EQ(s->PriceUnit(), 1);
    EXPECT_EQ(dialogs.Log().back().text.rfind("Do you want to save the changes to file?", 0), 0u);
}

// The files grid of the main window: each save row asks whether it goes to
// the location open now; Cancel writes nothing, and the rows between say nothing.
TEST(FilesGrid, EachSaveRowAsksAndCancelWritesNothing) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationGridDiets);
    const auto files = tarvisol::testing::FolderContents(demo.folder.Str());
    demo.dialogs.ClearLog();
    for (int row = 0; row <= 11; ++row) {
        demo.dialogs.Answer(Answer::Cancel);
        if (row == 10) continue;  // saves the ingredient restrictions at once
        FilesGridClick(*demo.s, row);
    }
    std::vector<std::string> texts;
    for (const auto& shown : demo.dialogs.Log()) texts.push_back(shown.kind + ": " + shown.text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{
                  "ask: Do you want to Save All Data to the existing location?",
                  "ask: Do you want to Save the Current Diets to the existing location?",
                  "ask: Do you want to Save the Current Matrix Data to the existing location?",
                  "ask: Do you want to Save the  Nutrition Restrictions to the existing location?",
                  "message: Click Below to Save Ingredient Restriction to to an Existing or New Location Name and "
                  "Folder Below"}));
    EXPECT_TRUE(tarvisol::testing::FolderContents(demo.folder.Str()) == files);
}
