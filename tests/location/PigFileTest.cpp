#include "location/PigFile.h"

#include <gtest/gtest.h>

#include <memory>

#include "location/LocationFiles.h"
#include "location/ScratchFolder.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"

using namespace tarvisol;
using tarvisol::testing::FileSizeCap;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;

namespace {

class PigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Main = form.get();
        s->Dialog = &dialogs;
        s->LocationFolder = folder.Str();
        SetLocationFiles(*s, "Herd");
        for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = kDefaultCurve[k];
        const double inputs[6] = {0, 25, 63, 120, 255, 165};
        for (int i = 1; i <= 5; ++i) s->CalibInputs(i) = inputs[i];
        s->HerdSex = 2;
        s->EnergyUnit() = 0;
        s->WeightUnit() = 0;
        s->PriceUnit() = 1;
    }
    // A fresh record with its own form, reading the same folder.
    void Fresh() {
        r = std::make_unique<SharedState>();
        rform = std::make_unique<MainWindow>();
        r->Main = rform.get();
        r->Dialog = &rdialogs;
        r->LocationFolder = folder.Str();
        SetLocationFiles(*r, "Herd");
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    std::unique_ptr<SharedState> r;
    std::unique_ptr<MainWindow> rform;
    ScriptedDialogs rdialogs;
    ScratchFolder folder;
};

const std::vector<std::string> kHerdLines{
    "6.15400", "1.53430", "3.57050", "0.0020532", "1.00000", "25.00", "63.00", "120.0", "255.0", "165.0", "2",
    std::string(" 0 \t") + kEnergyNote, " 0 ", " 1 "};

// --- The layout and the round trip.

TEST_F(PigFileTest, WritesTheFourteenLines) {
    ASSERT_TRUE(SavePigTo(*s, s->PigFile));
    EXPECT_EQ(Slurp(s->PigFile), JoinCrlf(kHerdLines));
    EXPECT_TRUE(dialogs.Log().empty());
}

TEST_F(PigFileTest, CoefficientsKeepFiveDecimalsAndGetMoreOnlyWhenTheyNeedThem) {
    EXPECT_EQ(FormatCoefficient(6.154), "6.15400");
    EXPECT_EQ(FormatCoefficient(1.0), "1.00000");
    EXPECT_EQ(FormatCoefficient(0.0020532), "0.0020532");
    EXPECT_EQ(FormatCoefficient(0.00205320102653), "0.00205320102653");
    EXPECT_EQ(FormatCoefficient(123.25), "123.25000");
    EXPECT_EQ(FormatCoefficient(-0.5), "-0.50000");
    EXPECT_EQ(FormatCoefficient(1e-25), "1e-25");  // not "0.00000", which would read back as the default
    EXPECT_EQ(PrintInteger(3), " 3 ");
    EXPECT_EQ(PrintInteger(-1), "-1 ");
}

TEST_F(PigFileTest, ReopeningGivesBackEveryValueAndTheHerdSex) {
    s->GrowthCurve(0, 3) = 0.00205320102653;  // a fitted rate constant, all its digits
    s->EnergyUnit() = 1;
    s->WeightUnit() = 1;
    s->PriceUnit() = 3;
    s->CalibInputs(1) = 55.5;
    ASSERT_TRUE(SavePigTo(*s, s->PigFile));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(r->GrowthCurve(0, k), s->GrowthCurve(0, k)) << k;
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(r->CalibInputs(i), s->CalibInputs(i)) << i;
    EXPECT_EQ(r->HerdSex, 2);
    EXPECT_EQ(rform->ComboSex.ListIndex, 2);
    EXPECT_EQ(r->EnergyUnit(), 1);
    EXPECT_EQ(r->WeightUnit(), 1);
    EXPECT_EQ(r->PriceUnit(), 3);
    EXPECT_TRUE(r->PigDataReady);
    EXPECT_TRUE(rdialogs.Log().empty());
    // A second save of what was read is byte for byte the first.
    const std::string first = Slurp(s->PigFile);
    ASSERT_TRUE(SavePigTo(*r, r->PigFile));
    EXPECT_EQ(Slurp(r->PigFile), first);
}

TEST_F(PigFileTest, ReadingFillsTheCoefficientGridAndTheInputBoxes) {
    Spit(s->PigFile, JoinCrlf(kHerdLines));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));
    const char* curve[5] = {"6.154", "1.5343", "3.5705", "0.0020532", "1"};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(rform->GridWeight.TextMatrix(1, k + 1), curve[k]);
    EXPECT_EQ(rform->Text1.Text, "25.00");
    EXPECT_EQ(rform->Text2.Text, "63.00");
    EXPECT_EQ(rform->Text3.Text, "120.0");
    EXPECT_EQ(rform->Text4.Text, "255.0");
    EXPECT_EQ(rform->Text5.Text, "165.0");
    EXPECT_EQ(rform->Text1.ToolTip, "Initial value was 25.00");
    EXPECT_EQ(rform->Text5.ToolTip, "Initial value was 165.0");
}

// --- Short and damaged files.

TEST_F(PigFileTest, ElevenLinesLeaveTheUnitsAndKeepTheHerdSex) {
    Spit(s->PigFile, JoinCrlf(std::vector<std::string>(kHerdLines.begin(), kHerdLines.begin() + 11)));
    Fresh();
    r->EnergyUnit() = 1;
    r->WeightUnit() = 2;
    r->PriceUnit() = 4;
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->EnergyUnit(), 1);
    EXPECT_EQ(r->WeightUnit(), 2);
    EXPECT_EQ(r->PriceUnit(), 4);
    EXPECT_EQ(r->HerdSex, 2);
    EXPECT_TRUE(rdialogs.Log().empty());
}

TEST_F(PigFileTest, AShortFileFillsWhatItHasAndSaysSo) {
    Spit(s->PigFile, "6.5\r\n1.4\r\n3\r\n0.002\r\n1.1\r\n30\r\n70\r\n");
    Fresh();
    r->CalibInputs(3) = 99;
    r->HerdSex = 1;
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->GrowthCurve(0, 0), 6.5);
    EXPECT_EQ(r->GrowthCurve(0, 4), 1.1);
    EXPECT_EQ(r->CalibInputs(2), 70);
    EXPECT_EQ(r->CalibInputs(3), 99);
    EXPECT_EQ(r->HerdSex, 0);
    EXPECT_EQ(rdialogs.Messages(),
              std::vector<std::string>{"The settings file " + r->PigFile +
                                       " holds only 7 of its 11 lines; the values it lacks were left as they were "
                                       "and the herd sex is Mixed."});
}

TEST_F(PigFileTest, ADecimalCommaIsReadAsTheOtherReadersReadItAndTold) {
    std::vector<std::string> lines = kHerdLines;
    lines[7] = "110,9";   // final weight
    lines[1] = "1,5343";  // a coefficient
    Spit(s->PigFile, JoinCrlf(lines));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->CalibInputs(3), 110.9);
    EXPECT_EQ(r->GrowthCurve(0, 1), 1.5343);
    EXPECT_EQ(rdialogs.Messages(),
              (std::vector<std::string>{"The settings file " + r->PigFile + ", line 2: 1,5343 has a decimal comma and was read as 1.5343",
                                        "The settings file " + r->PigFile + ", line 8: 110,9 has a decimal comma and was read as 110.9"}));
}

TEST_F(PigFileTest, AZeroCoefficientTakesTheDefaultCurve) {
    std::vector<std::string> lines = kHerdLines;
    lines[1] = "0";
    lines[3] = "not a number";
    Spit(s->PigFile, JoinCrlf(lines));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));  // an empty default table falls back to the built-in curve
    EXPECT_EQ(r->GrowthCurve(0, 1), kDefaultCurve[1]);
    EXPECT_EQ(r->GrowthCurve(0, 3), kDefaultCurve[3]);

    Fresh();
    const double other[5] = {6.6, 1.45, 2.7, 0.0011, 1.0};
    for (int k = 0; k < 5; ++k) r->DefaultGrowthCurve(0, k) = other[k];
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->GrowthCurve(0, 0), 6.154);
    EXPECT_EQ(r->GrowthCurve(0, 1), 1.45);
    EXPECT_EQ(r->GrowthCurve(0, 3), 0.0011);
    EXPECT_EQ(rform->GridWeight.TextMatrix(1, 2), "1.45");
}

TEST_F(PigFileTest, AUnitOutsideItsListIsReportedAndBecomesUnit0) {
    std::vector<std::string> lines = kHerdLines;
    lines[11] = " 7 \tEnergy";
    lines[12] = "-1 ";
    lines[13] = " 4 ";
    Spit(s->PigFile, JoinCrlf(lines));
    Fresh();
    r->WeightUnit() = 1;
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->EnergyUnit(), 0);
    EXPECT_EQ(r->WeightUnit(), 0);
    EXPECT_EQ(r->PriceUnit(), 4);
    EXPECT_EQ(rdialogs.Messages(),
              (std::vector<std::string>{
                  "The energy unit 7 in " + r->PigFile + " is not one of 0 to 4; unit 0 is used instead.",
                  "The weight unit -1 in " + r->PigFile + " is not one of 0 to 2; unit 0 is used instead."}));
}

TEST_F(PigFileTest, AHerdSexOutsideTheListIsReportedAndBecomesMixed) {
    std::vector<std::string> lines = kHerdLines;
    lines[10] = "99999999999";
    Spit(s->PigFile, JoinCrlf(lines));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->HerdSex, 0);
    EXPECT_EQ(rform->ComboSex.ListIndex, 0);
    EXPECT_EQ(rdialogs.Messages(),
              std::vector<std::string>{"The herd sex 99999999999 in " + r->PigFile +
                                       " is not 0 (Mixed), 1 (Males) or 2 (Females); Mixed is used instead."});
}

TEST_F(PigFileTest, AHerdSexNotYetChosenStaysUnchosen) {
    s->HerdSex = -1;
    ASSERT_TRUE(SavePigTo(*s, s->PigFile));
    Fresh();
    rform->ComboSex.ListIndex = 1;
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->HerdSex, -1);
    EXPECT_EQ(rform->ComboSex.ListIndex, -1);
    EXPECT_TRUE(rdialogs.Log().empty());
}

TEST_F(PigFileTest, ANumberAfterTheUnitLinesReplacesTheHerdSex) {
    std::vector<std::string> lines = kHerdLines;
    lines.push_back("1");
    Spit(s->PigFile, JoinCrlf(lines));
    Fresh();
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->HerdSex, 1);
    lines.back() = "remarks";
    Spit(s->PigFile, JoinCrlf(lines));
    ASSERT_TRUE(ReadPig(*r));
    EXPECT_EQ(r->HerdSex, 2);
}

TEST_F(PigFileTest, AMissingFileIsReportedAndNothingChanges) {
    Fresh();
    r->GrowthCurve(0, 0) = 7;
    EXPECT_FALSE(ReadPig(*r));
    EXPECT_EQ(r->GrowthCurve(0, 0), 7);
    EXPECT_FALSE(r->PigDataReady);
    ASSERT_EQ(rdialogs.Messages().size(), 1u);
    EXPECT_EQ(rdialogs.Messages()[0].rfind("Cannot open " + r->PigFile, 0), 0u);
}

// --- Saving.

TEST_F(PigFileTest, AFailedSaveSaysSoAndLeavesTheOldFileWhole) {
    const std::string old = JoinCrlf(kHerdLines);
    Spit(s->PigFile, old);
    s->HerdSex = 1;
    {
        FileSizeCap cap(32);
        EXPECT_FALSE(SavePigTo(*s, s->PigFile));
    }
    EXPECT_EQ(Slurp(s->PigFile), old);
    EXPECT_EQ(folder.Count(), 1u);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].rfind("Cannot save " + s->PigFile, 0), 0u);
    EXPECT_NE(dialogs.Messages()[0].find("The old file is unchanged."), std::string::npos);
}

TEST_F(PigFileTest, SavePigAsksWhereUnlessTheFileIsKnown) {
    dialogs.Text("*pig");  // cancelled
    EXPECT_FALSE(SavePig(*s));
    EXPECT_EQ(folder.Count(), 0u);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].kind, "save");
    EXPECT_EQ(dialogs.Log()[0].text,
              "CURRENT FILE IS " + s->CalFile + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");

    dialogs.Text(folder.File("Chosen"));  // no extension: ".pig" is added
    ASSERT_TRUE(SavePig(*s));
    EXPECT_EQ(s->PigFile, folder.File("Chosen.pig"));
    EXPECT_EQ(Slurp(s->PigFile), JoinCrlf(kHerdLines));

    s->FileFlags(2) = true;  // known: no dialog (an unexpected one would throw)
    s->HerdSex = 0;
    ASSERT_TRUE(SavePig(*s));
    EXPECT_EQ(SplitLines(Slurp(folder.File("Chosen.pig")))[10], "0");
    EXPECT_TRUE(dialogs.Exhausted());
}

TEST_F(PigFileTest, ClickingTheCoefficientGridSavesAtTheLocationsFullPath) {
    s->LocationBase = "Herd";
    dialogs.Answer(Answer::No);
    GridWeightClick(*s);
    EXPECT_EQ(folder.Count(), 0u);
    EXPECT_EQ(form->Text6.Text, kCalibrationNamePlaceholder);

    dialogs.Answer(Answer::Yes);
    GridWeightClick(*s);
    EXPECT_EQ(form->Text6.Text, folder.File("Herd"));
    EXPECT_EQ(Slurp(folder.File("Herd.pig")), JoinCrlf(kHerdLines));
    EXPECT_EQ(dialogs.Log()[1].text, "Do you want to save this calibration data?");

    s->LocationBase.clear();
    dialogs.Answer(Answer::Yes);
    GridWeightClick(*s);
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"There is no location to save to: type a Calibration Name first."});
}

// --- Saving the units.

TEST_F(PigFileTest, SavingTheUnitsRewritesOnlyTheUnitLines) {
    std::vector<std::string> lines = kHerdLines;
    lines[0] = "6.2";  // hand-edited lines stay as they are
    lines.push_back("15");
    lines.push_back("16");
    lines.push_back("17");
    Spit(s->PigFile, JoinCrlf(lines));
    s->GrowthCurve(0, 0) = 9;  // the record's curve is not written
    s->EnergyUnit() = 1;
    s->WeightUnit() = 1;
    s->PriceUnit() = 3;
    ASSERT_TRUE(SaveUnits(*s));
    std::vector<std::string> expected(lines.begin(), lines.begin() + 11);
    expected.push_back(std::string(" 1 \t") + kEnergyNote);
    expected.push_back(" 1 ");
    expected.push_back(" 3 ");
    EXPECT_EQ(Slurp(s->PigFile), JoinCrlf(expected));
}

TEST_F(PigFileTest, SavingTheUnitsWithoutASettingsFileSaysSoAndWritesNothing) {
    EXPECT_FALSE(SaveUnits(*s));
    EXPECT_EQ(folder.Count(), 0u);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("The units were not saved."), std::string::npos);
}

}  // namespace
