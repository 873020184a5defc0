// The calibration window, CalibContinue's checks, the .cal file and the
// calibration test window.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "calibration/AdjustCal.h"
#include "location/CalFile.h"
#include "calibration/CalibrationFixture.h"
#include "calibration/CorCoef.h"
#include "growth/GrowthRun.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "shared/Numbers.h"
#include "support/DemoLocation.h"

using namespace tarvisol;
using tarvisol::testing::DemoCalibration;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
namespace fs = std::filesystem;

namespace {

const std::string kDemo = tarvisol::testing::DemoFolder(TARVISOL_SOURCE_DIR);

// A scratch copy of the demo location.
struct DemoCopy {
    ScratchFolder folder;
    DemoCopy() {
        tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    }
};

}  // namespace

TEST(CalFile, ReadsTabFieldsWithAMissingThirdAndACommaDecimal) {
    SharedState s;
    s.CalibWeightTable(0, 7) = 99;  // a row of an earlier location
    EXPECT_EQ(ReadCalText(s, "63\t25,2\r\n94\t51.4\n", "x.cal"), 2);
    EXPECT_EQ(s.CalibWeightTable(1, 1), 25.2);
    EXPECT_EQ(s.CalibWeightTable(2, 1), 0);
    EXPECT_EQ(s.CalibWeightTable(0, 2), 94);
    EXPECT_EQ(s.CalibWeightTable(2, 2), 0);
    EXPECT_EQ(s.CalibWeightTable(0, 7), 0);
}

TEST(CalFile, MoreThanFifteenLinesReadFifteenRowsAndSaySo) {
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    std::string text;
    for (int i = 1; i <= 17; ++i) text += std::to_string(60 + i) + "\t" + std::to_string(20 + i) + "\t1\r\n";
    EXPECT_EQ(ReadCalText(s, text, "big.cal"), 15);
    EXPECT_EQ(s.CalibWeightTable(0, 15), 75);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("more than 15 rows"), std::string::npos);
}

TEST(CalFile, TheDemoTableIsWhatTheWriterWritesAndAddsUpToTheHerdsFeed) {
    SharedState s;
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(kDemo + "/Demo.cal", text, error));
    ASSERT_EQ(ReadCalText(s, text, "Demo.cal"), 5);
    EXPECT_EQ(JoinCrlf(CalFileLines(s, CalLastRow(s))), text);
    double feed = 0;
    for (int r = 1; r <= 5; ++r) feed += s.CalibWeightTable(2, r);
    EXPECT_NEAR(feed, 254, 1e-9);
    EXPECT_NEAR(feed / (s.CalibWeightTable(1, 5) - s.CalibWeightTable(1, 1)), 2.54, 0.05);
}

TEST(CalFile, OpeningALocationReadsItsTableAndSwitchesOnTheOption) {
    DemoCalibration demo(kDemo);
    EXPECT_EQ(demo.s->CalibWeightTable(0, 5), 163);
    EXPECT_TRUE(demo.w->OptionCalibLoaded.Value);
    // The window shows the table the location holds.
    EXPECT_EQ(demo.form->GridCalibWts.TextMatrix(3, 1), "75.00");
    EXPECT_EQ(demo.form->GridCalibWts.TextMatrix(0, 1), "Weight,Kg");
    EXPECT_EQ(demo.form->LabelSex.Caption, "Calibrating  Mixed");
    EXPECT_EQ(demo.form->Text5.Text, "163.0");
}

TEST(CalibrationCommand, StopsWithoutSexOrDietsAndOnAnEmptyName) {
    DemoCalibration demo(kDemo);
    demo.form->Visible = false;
    demo.w->ComboSex.ListIndex = -1;
    CalibrationCommand(*demo.s, *demo.form);
    demo.w->ComboSex.ListIndex = 0;
    const std::string energy = demo.w->Griddiets.TextMatrix(4, 1);
    demo.w->Griddiets.SetTextMatrix(4, 1, "0");
    CalibrationCommand(*demo.s, *demo.form);
    demo.w->Griddiets.SetTextMatrix(4, 1, energy);
    demo.dialogs.Text("");  // an empty answer
    CalibrationCommand(*demo.s, *demo.form);
    EXPECT_EQ(demo.dialogs.Messages(),
              (std::vector<std::string>{"Set Herd Sex before Calibration", "Enter your Diets on The Diets Tab"}));
    EXPECT_FALSE(demo.form->Visible);
    EXPECT_EQ(demo.w->Text6.Text, "Demo");
}

TEST(CalibContinue, DietValuesOnTheBoundsPassAndJustOutsideStop) {
    struct Case {
        int row;
        const char* ok;
        const char* bad;
        const char* message;
    };
    const Case cases[] = {{4, "1800", "1799.9", "Look at the Energy Value of Diet 2"},
                          {4, "3000", "3000.1", "Look at the Energy Value of Diet 2"},
                          {5, "12", "11.9", "Look at the Protein Value of Diet 2"},
                          {5, "30", "30.1", "Look at the Protein Value of Diet 2"},
                          {8, "0.5", "0.49", "Look at the Lysine Value of Diet 2"},
                          {8, "3", "3.01", "Look at the Lysine Value of Diet 2"}};
    for (const Case& c : cases) {
        DemoCalibration demo(kDemo);
        demo.w->Griddiets.SetTextMatrix(c.row, 1, c.ok);  // diet 1 on the bound
        demo.w->Griddiets.SetTextMatrix(c.row, 2, c.bad);
        demo.s->DietCount = 2;
        CalibContinue(*demo.s, *demo.form);
        EXPECT_EQ(demo.dialogs.Messages(), std::vector<std::string>{c.message}) << c.ok;
    }
}

TEST(ContinueCalibration, ZeroInputsAreReportedAndTheTableIsSavedAsTyped) {
    DemoCopy copy;
    DemoCalibration demo(copy.folder.Str());
    // No feed anywhere: the last row with feed is none, the inputs come out 0.
    for (int r = 1; r <= 6; ++r) demo.form->GridCalibWts.SetTextMatrix(r, 2, "");
    demo.dialogs.Answer(Answer::No).Answer(Answer::No);  // not saved, the old curve kept
    ContinueCalibration(*demo.s, *demo.form);
    const auto m = demo.dialogs.Messages();
    ASSERT_GE(m.size(), 3u);
    EXPECT_EQ(m[0], "Final Weight is zero");
    EXPECT_EQ(m[1], "Final Age is zero");
    EXPECT_EQ(demo.s->CalibLastRow, 0);
    EXPECT_FALSE(demo.form->Visible);
    EXPECT_EQ(Slurp(copy.folder.File("Demo.cal")), "63.000\t25.000\t0\r\n92.000\t50.000\t0\r\n116.00\t75.000\t0\r\n"
                                                    "139.00\t100.00\t0\r\n163.00\t125.00\t0\r\n");
}

TEST(CalibContinue, TheDemoHerdFitsAndDecliningTheSaveKeepsTheCurveButNotTheFlag) {
    DemoCopy copy;
    DemoCalibration demo(copy.folder.Str());
    const std::string pig = Slurp(copy.folder.File("Demo.pig"));
    demo.dialogs.Answer(Answer::No).Answer(Answer::Yes);  // not saved, but used for this session
    ContinueCalibration(*demo.s, *demo.form);
    const auto& log = demo.dialogs.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back().kind, "ask");
    EXPECT_EQ(log.back().text, kUseCurveQuestion);
    const auto& save = log[log.size() - 2];
    EXPECT_EQ(save.kind, "ask");
    EXPECT_EQ(save.text.rfind("FInal Age ", 0), 0u);
    EXPECT_NE(save.text.find("  Save this Calibration Data Set to " + copy.folder.File("Demo") + " OK?"),
              std::string::npos);
    EXPECT_FALSE(demo.s->CalibrationLoaded);
    EXPECT_FALSE(demo.s->CalibPending);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(demo.s->GrowthCurve(0, k), demo.s->BestCurve(0, k + 1));
        EXPECT_EQ(NumVal(std::string_view(demo.w->GridWeight.TextMatrix(1, k + 1))), demo.s->BestCurve(0, k + 1));
    }
    // The fitted herd finishes when and on what the measured herd did.
    // Tighter than a day: a day more or less of growth moves the age by one
    // and the feed by about 3 kg.
    EXPECT_NEAR(demo.s->RunResults(1), 163, 0.5);
    EXPECT_NEAR(demo.s->SlotFeedTotal(0), 254, 1.0);
    EXPECT_EQ(Slurp(copy.folder.File("Demo.pig")), pig);
}

TEST(FillTest, MeasuredRowsBelowTheSummaryAndTheirCorrelations) {
    DemoCalibration demo(kDemo);
    demo.s->DietCount = 4;
    Grid& g = demo.w->Grid1;
    // Predicted per-diet rows: a little off the measured ones.
    const double weight[4] = {51, 76, 101, 125}, age[4] = {93, 117, 140, 164}, cum[4] = {52, 112, 180, 256};
    for (int i = 1; i <= 4; ++i) {
        g.SetTextMatrix(i, 1, FormatAuto(weight[i - 1]));
        g.SetTextMatrix(i, 2, FormatAuto(age[i - 1]));
        g.SetTextMatrix(i, 4, FormatAuto(cum[i - 1]));
    }
    FillTest(*demo.s);
    EXPECT_EQ(g.TextMatrix(kFillTestRow + 1, 1), "50.00");
    EXPECT_EQ(g.TextMatrix(kFillTestRow + 2, 2), "116.0");
    EXPECT_EQ(g.TextMatrix(kFillTestRow + 4, 4), "254.0");  // running total of the period feed
    EXPECT_EQ(g.TextMatrix(kFillTestRow + 5, 0), "Correl.");
    for (int c : {1, 2, 4}) {
        const double r = NumVal(std::string_view(g.TextMatrix(kFillTestRow + 5, c)));
        EXPECT_GT(r, 0.99);
        EXPECT_LE(r, 1.0);
    }
    EXPECT_TRUE(demo.dialogs.Messages().empty());
}

TEST(CorrelationCoefficient, AConstantColumnGivesZeroAndNoRowsGiveTheErrorBox) {
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    CorrelationPairs p{};
    s.DietCount = 3;
    for (int i = 1; i <= 3; ++i) {
        p(i, 1) = 0.1;  // the same value, which raw sums turn into a tiny negative variance
        p(i, 2) = i;
    }
    EXPECT_EQ(CorrelationCoefficient(s, p), 0);
    p(2, 1) = 0.3;
    p(3, 1) = 0.5;
    EXPECT_DOUBLE_EQ(CorrelationCoefficient(s, p), 1);
    s.DietCount = 0;
    EXPECT_EQ(CorrelationCoefficient(s, p), 0);
    s.DietCount = 40;  // more rows than the table
    EXPECT_EQ(CorrelationCoefficient(s, p), 0);
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[0].text, "Error in module CorrelationCoefficient!");
    EXPECT_EQ(dialogs.Log()[0].title, "Attention!");
}

TEST(AdjustCal, ATrialRowWithoutB0StartsFromTheNextAndTheCurveInForceReturns) {
    DemoCalibration demo(kDemo);
    SharedState& s = *demo.s;
    // The herd as CalibContinue leaves it, before a fit: diets read, start set.
    Growth(s);
    ASSERT_FALSE(s.RunFailed);
    AdjustCalWindow form;
    s.CalibError = 1e-9;  // nothing can beat it
    LoadAdjustCal(s, form);
    EXPECT_EQ(form.GridTest.TextMatrix(0, 0), "1");
    EXPECT_EQ(form.GridTest.TextMatrix(1, 6), "163.0");
    const std::string b3 = demo.w->GridWeight.TextMatrix(1, 4);
    EXPECT_EQ(form.GridTest.TextMatrix(1, 4), b3);
    // Row 1 emptied: the search starts from row 2.
    for (int c = 1; c <= 5; ++c) {
        form.GridTest.SetTextMatrix(2, c, form.GridTest.TextMatrix(1, c));
        form.GridTest.SetTextMatrix(1, c, "");
    }
    const double inForce = s.GrowthCurve(0, 3);
    long runs = 0;
    AdjustCalRun(s, form, FitOptions{0, nullptr, &runs});
    EXPECT_EQ(runs, 1 + 7776 + 1);
    EXPECT_EQ(form.Text1.Text, "Done");
    EXPECT_EQ(s.GrowthCurve(0, 3), inForce);
    EXPECT_EQ(demo.w->GridWeight.TextMatrix(1, 4), b3);
    EXPECT_EQ(form.GridTest.TextMatrix(4, 0), "");  // no point beat the error at load
    EXPECT_EQ(s.GrowthCurve(2, 3), NumVal(b3));     // the base of the search
    // With the error at load beatable, the best point goes to row 2 + 2.
    s.CheckError = 1e12;
    AdjustCalRun(s, form, FitOptions{0});
    EXPECT_FALSE(form.GridTest.TextMatrix(4, 0).empty());
    EXPECT_LT(NumVal(std::string_view(form.GridTest.TextMatrix(4, 0))), 1e8);  // a run that did not fail
    EXPECT_EQ(s.GrowthCurve(0, 3), inForce);
    // A test the user stops says it was stopped, not "Done", and the curve in force stays.
    RecordingProgress stop;
    stop.cancel = true;
    AdjustCalRun(s, form, FitOptions{0, &stop});
    EXPECT_EQ(form.Text1.Text, "Calibration test cancelled");
    EXPECT_EQ(s.GrowthCurve(0, 3), inForce);
}
