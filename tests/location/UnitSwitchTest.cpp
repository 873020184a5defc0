// Switching a location's unit system describes the same herd, diets, matrix
// and restrictions in the new units; nothing is written by the switch, and
// switching back gives the location back as it was, file for file.
#include <gtest/gtest.h>

#include <memory>

#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "location/UnitChoice.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "support/DemoAfterGrowth.h"
#include "support/DemoAfterTransfer.h"
#include "support/FolderContents.h"
#include "ui/InputHelp.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;
using tarvisol::testing::DemoAfterTransfer;
using tarvisol::testing::FolderContents;

namespace {

void ChooseUnits(SharedState& s, int entry) {
    s.Main->ComboUnits.ListIndex = entry;
    ComboUnitsClick(s);
}

TEST(UnitSwitch, PoundsDescribeTheSameHerdAndGrowTheSamePig) {
    DemoAfterGrowth metric(kFormulationLeastCost);
    ASSERT_EQ(metric.s->LastRun.ResultsValid, true);
    DemoAfterGrowth imperial(kFormulationLeastCost);
    SharedState& s = *imperial.s;
    const double startKg = Val(imperial.w->Text1.Text), finalKg = Val(imperial.w->Text3.Text);
    const double allotmentKg = Val(imperial.w->Griddiets.TextMatrix(3, 1));
    const double matrixEnergy = s.IngredientMatrix(2, 1), energyMin = s.NutrientLimits(1, 1, 1);
    const double measuredKg = s.CalibWeightTable(1, 2);
    const auto files = FolderContents(imperial.folder.Str());

    ChooseUnits(s, 1);
    ASSERT_EQ(s.WeightUnit(), 1);
    EXPECT_NEAR(Val(imperial.w->Text1.Text) * WeightFactor(1), startKg, 0.01);
    EXPECT_NEAR(Val(imperial.w->Text3.Text) * WeightFactor(1), finalKg, 0.05);
    EXPECT_NEAR(Val(imperial.w->Griddiets.TextMatrix(3, 1)) * WeightFactor(1), allotmentKg, 0.05);
    EXPECT_NEAR(s.IngredientMatrix(2, 1) * EnergyFactor(1), matrixEnergy, 1e-9 * matrixEnergy);
    EXPECT_NEAR(s.NutrientLimits(1, 1, 1) * EnergyFactor(1), energyMin, 1e-9 * energyMin);
    EXPECT_NEAR(s.CalibWeightTable(1, 2) * WeightFactor(1), measuredKg, 1e-9 * measuredKg);
    EXPECT_EQ(FolderContents(imperial.folder.Str()), files) << "the switch wrote a file";

    // The same diets formulated and the same pig grown, shown in pounds and
    // per short ton (the boxes hold four digits).
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    const RunSnapshot &lb = s.LastRun, &kg = metric.s->LastRun;
    EXPECT_NEAR(lb.FinalAge, kg.FinalAge, 0.2);
    EXPECT_NEAR(lb.CostPerPig, kg.CostPerPig, 0.005 * kg.CostPerPig);
    EXPECT_NEAR(lb.TotalFeed, kg.TotalFeed, 0.005 * kg.TotalFeed);
}

TEST(UnitSwitch, ARoundTripLeavesEverySavedFileAsItWas) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    SharedState& s = *demo.s;
    ASSERT_TRUE(SaveAllToCurrentLocation(s));
    const auto saved = FolderContents(demo.folder.Str());
    const std::string start = demo.w->Text1.Text, price = demo.w->Griddiets.TextMatrix(2, 2);

    ChooseUnits(s, 1);
    EXPECT_NE(demo.w->Text1.Text, start);
    EXPECT_NE(demo.w->Griddiets.TextMatrix(2, 2), price);
    ChooseUnits(s, 0);
    EXPECT_EQ(demo.w->Text1.Text, start);
    EXPECT_EQ(demo.w->Griddiets.TextMatrix(2, 2), price);
    ASSERT_TRUE(SaveAllToCurrentLocation(s));
    const auto again = FolderContents(demo.folder.Str());
    for (const auto& [name, bytes] : saved) EXPECT_EQ(again.at(name), bytes) << name;
}

// The transferred optimum grown in kilograms and again after Set Values ->
// Pounds (energy and cost left as they were) and after the unit list's pound
// system: the same pig, to the precision the boxes show, and the starting
// weight's caption names the pound.
TEST(UnitSwitch, ATransferredOptimumGrowsTheSameInPounds) {
    DemoAfterTransfer x;
    SharedState& s = *x.s;
    ASSERT_TRUE(x.opt.Result.Done);
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    const std::string price = x.w->TextPrice.Text, f2g = x.w->TextF2G.Text, age = x.w->Text5.Text;
    const double feedKg = Val(x.w->Text4.Text);
    const auto same = [&] {
        ASSERT_EQ(Growth(s), GrowthOutcome::Results);
        EXPECT_EQ(x.w->TextPrice.Text, price);
        EXPECT_EQ(x.w->TextF2G.Text, f2g);
        EXPECT_EQ(x.w->Text5.Text, age);
        EXPECT_NEAR(Val(x.w->Text4.Text) * WeightFactor(1), feedKg, 0.05);
    };

    SetValuesDialog d;
    ShowSetValues(s, d);
    d.ComboWeight.ListIndex = 1;
    x.dialogs.Answer(Answer::No);  // not saved
    SetValuesOk(s, d);
    ASSERT_EQ(s.WeightUnit(), 1);
    EXPECT_EQ(x.w->ComboUnits.Text(), "Starting Weight, lb");
    same();
    same();  // the feed eaten written back is read as the same figure
    // The cost block's "TON" is the short ton of the pound system, and says so.
    EXPECT_NE(ResultsCellToolTip(s, 12, 1).find("short ton (2000 lb)"), std::string::npos) << ResultsCellToolTip(s, 12, 1);

    ChooseUnits(s, 0);
    ChooseUnits(s, 1);
    ASSERT_EQ(s.PriceUnit(), 3);
    same();
    same();
}

}  // namespace
