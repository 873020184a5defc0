#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "location/UnitChoice.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoAfterGrowth.h"
#include "support/DemoLocation.h"

using namespace tarvisol;

// The weight captions say the unit the typed weights are read in: the weight
// unit, whatever the energy unit.
TEST(UnitChoice, WeightCaptionsFollowTheWeightUnit) {
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    s->Main = w.get();
    s->Dialog = &dialogs;
    const auto captions = [&] { return w->LabelStartWeight.Caption + " / " + w->LabelFinalWeight.Caption; };

    SetValuesDialog d;
    ShowSetValues(*s, d);
    d.ComboWeight.ListIndex = 1;  // pounds
    d.ComboEnergy.ListIndex = 0;  // kcal/kg
    SetValuesOk(*s, d);
    EXPECT_EQ(captions(), "Starting Weight, lb / Final Weight, lb");
    d.ComboWeight.ListIndex = 0;
    d.ComboEnergy.ListIndex = 1;
    SetValuesOk(*s, d);
    EXPECT_EQ(captions(), "Starting Weight, kg / Final Weight, kg");

    w->ComboUnits.ListIndex = 1;
    ComboUnitsClick(*s);
    EXPECT_EQ(captions(), "Starting Weight, lb / Final Weight, lb");
    w->ComboUnits.ListIndex = 0;
    ComboUnitsClick(*s);
    EXPECT_EQ(captions(), "Starting Weight, kg / Final Weight, kg");

    // A location whose settings keep pounds with kcal/kg opens with pound captions.
    tarvisol::testing::ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(std::filesystem::path(folder.Str()));
    std::string pig = tarvisol::testing::Slurp(folder.File("Demo.pig"));
    const auto at = pig.rfind(" 0 \r\n 1 \r\n");  // lines 13 and 14: weight kg, price per tonne
    ASSERT_NE(at, std::string::npos);
    pig.replace(at, 5, " 1 \r\n");
    tarvisol::testing::Spit(folder.File("Demo.pig"), pig);
    FormLoad(*s, folder.Str());
    s->LocationFolder = folder.Str();
    w->Text6.Text = "Demo";
    dialogs.Answer(Answer::Yes);
    LocationName(*s);
    ASSERT_EQ(s->WeightUnit(), 1);
    ASSERT_EQ(s->EnergyUnit(), 0);
    EXPECT_EQ(captions(), "Starting Weight, lb / Final Weight, lb");
}

// After a change of units the question says which files a Yes writes, in
// which folder; No writes none of them.
TEST(UnitChoice, TheQuestionAfterAChangeOfUnitsNamesTheFiles) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    const auto before = tarvisol::testing::Slurp(demo.folder.File("Demo.pig"));
    SetValuesDialog d;
    ShowSetValues(*demo.s, d);
    d.ComboWeight.ListIndex = 1;
    demo.dialogs.ClearLog();
    demo.dialogs.Answer(Answer::No);
    SetValuesOk(*demo.s, d);
    ASSERT_EQ(demo.dialogs.Log().size(), 1u);
    EXPECT_EQ(demo.dialogs.Log()[0].text,
              "Do you want to save the changes to file?\nYes saves the location in the new units: Demo.pig, Demo.cal, "
              "Demo.stg, Demo.dts, DemoReq.nut, DemoReq.ing, DemoMatrix.txt in " +
                  std::filesystem::path(demo.folder.File("Demo.pig")).parent_path().string() + ".");
    EXPECT_EQ(tarvisol::testing::Slurp(demo.folder.File("Demo.pig")), before);
}
