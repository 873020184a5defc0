// What a calibration fits to and how it ends: the measured herd beside the
// Growth command's prediction, the same fit and correlations as the command
// line, declining the new curve, a stop, the rows of the window and the
// rows of Ctrl+R.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "location/CalFile.h"
#include "calibration/CalibrationFixture.h"
#include "calibration/CorCoef.h"
#include "cli/CalibrateCommand.h"
#include "growth/GrowthRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "support/DemoAfterGrowth.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"

namespace tarvisol {
namespace {
namespace fs = std::filesystem;
using testing::FolderContents;
using testing::GridText;

// The correlations row of Ctrl+R, as numbers.
std::array<double, 3> Correlations(const SharedState& s) {
    const Grid& g = s.Main->Grid1;
    const int row = kFillTestRow + s.DietCount + 1;
    return {NumVal(std::string_view(g.TextMatrix(row, 1))), NumVal(std::string_view(g.TextMatrix(row, 2))),
            NumVal(std::string_view(g.TextMatrix(row, 4)))};
}

TEST(MeasuredHerd, AfterGrowthTheCalibrationFitsTheMeasuredHerdAsTheCommandLineDoes) {
    // The desktop road: Growth first, then Calibration, not saved but used.
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    EXPECT_EQ(x.w->Text4.Text, FormatAuto(x.s->CumFeed(0)));  // the prediction where it always was
    EXPECT_NE(x.w->Text4.Text, "254.0");
    EXPECT_EQ(x.w->TextMeasuredFeed.Text, "254.0");  // and the measurement beside it
    EXPECT_EQ(x.w->TextMeasuredAge.Text, "163.0");
    x.dialogs.ClearLog();
    x.dialogs.Text("Demo");
    CalibrationWindow form;
    CalibrationCommand(*x.s, form);
    ASSERT_TRUE(form.Visible);
    EXPECT_DOUBLE_EQ(x.s->CalibInputs(4), 254);
    EXPECT_DOUBLE_EQ(x.s->CalibInputs(5), 163);
    x.dialogs.Answer(Answer::No).Answer(Answer::Yes);
    ContinueCalibration(*x.s, form);
    FillTest(*x.s);  // Ctrl+R
    const auto afterCalibration = Correlations(*x.s);

    // The command line on another copy of the demo.
    testing::ScratchFolder other;
    testing::CopyDemoLocation(fs::path(other.Str()));
    cli::CalibrateArgs args;
    args.location = other.File("Demo");
    const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
    ASSERT_TRUE(r["ran"].get<bool>());
    for (int k = 0; k < 5; ++k) EXPECT_EQ(x.s->GrowthCurve(0, k), r["curve"][k].get<double>()) << k;
    EXPECT_EQ(afterCalibration[0], r["correlations"]["weight"].get<double>());
    EXPECT_EQ(afterCalibration[1], r["correlations"]["age"].get<double>());
    EXPECT_EQ(afterCalibration[2], r["correlations"]["feed"].get<double>());

    // Ctrl+R right after the calibration compares the curve in force: the
    // same as after a Growth run of its own.
    Growth(*x.s);
    FillTest(*x.s);
    EXPECT_EQ(Correlations(*x.s), afterCalibration);
    EXPECT_GT(afterCalibration[0], 0.95);
}

TEST(MeasuredHerd, AValueTypedOverThePredictionIsTheNewMeasurement) {
    testing::DemoAfterGrowth x(kFormulationGridDiets);
    x.w->Text4.Text = "250";
    Growth(*x.s);
    EXPECT_DOUBLE_EQ(x.s->CalibInputs(4), 250);
    EXPECT_DOUBLE_EQ(x.s->CalibInputs(5), 163);
    EXPECT_EQ(x.w->TextMeasuredFeed.Text, FormatAuto(250));
    EXPECT_EQ(x.w->Text4.Text, FormatAuto(x.s->CumFeed(0)));
}

TEST(MeasuredHerd, SavingAfterGrowthKeepsTheMeasuredFeedAndAgeInTheSettingsFile) {
    testing::DemoAfterGrowth x(kFormulationGridDiets);
    x.s->FileFlags(2) = true;  // save where the location is
    SaveAllToCurrentLocation(*x.s);
    const std::string pig = testing::Slurp(x.folder.File("Demo.pig"));
    EXPECT_NE(pig.find("\r\n254.0\r\n163.0\r\n"), std::string::npos) << pig;
}

using CalibrationCopy = testing::DemoCalibrationCopy;

TEST(CalibContinue, DecliningTheNewCurveTwicePutsBackTheCurveInForce) {
    CalibrationCopy c;
    auto& d = *c.demo;
    const auto curve = d.s->GrowthCurve;
    std::vector<std::string> cells;
    for (int k = 1; k <= 5; ++k) cells.push_back(d.w->GridWeight.TextMatrix(1, k));
    const auto files = FolderContents(c.folder.Str());
    d.dialogs.Answer(Answer::No).Answer(Answer::No);
    ContinueCalibration(*d.s, *d.form);
    ASSERT_EQ(d.dialogs.Log().back().text, kUseCurveQuestion);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(d.s->GrowthCurve(0, k), curve(0, k)) << k;
        EXPECT_EQ(d.w->GridWeight.TextMatrix(1, k + 1), cells[static_cast<std::size_t>(k)]);
        EXPECT_EQ(d.s->DefaultGrowthCurve(0, k), curve(0, k));
    }
    EXPECT_FALSE(d.s->CalibrationLoaded);
    EXPECT_TRUE(FolderContents(c.folder.Str()) == files);  // the table was saved as it was
}

TEST(ContinueCalibration, AStopLeavesTheRecordTheWindowAndTheFilesAsTheyWere) {
    for (int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        CalibrationCopy c;
        auto& d = *c.demo;
        d.form->GridCalibWts.SetTextMatrix(5, 2, "61.0");  // typed, not yet saved
        const auto files = FolderContents(c.folder.Str());
        const auto curve = d.s->GrowthCurve;
        const auto table = d.s->CalibWeightTable;
        const auto inputs = d.s->CalibInputs;
        const auto diets = d.s->DietNutrients;
        const std::string weights = GridText(d.w->GridWeight), dietGrid = GridText(d.w->Griddiets),
                          results = GridText(d.w->Grid1);
        const std::string boxes = d.w->Text1.Text + d.w->Text4.Text + d.w->Text5.Text;
        RecordingProgress progress;
        progress.cancelAfter = 3;
        FitOptions options;
        options.threads = threads;
        options.progress = &progress;
        ContinueCalibration(*d.s, *d.form, options);
        ASSERT_FALSE(d.dialogs.Messages().empty());
        EXPECT_EQ(d.dialogs.Messages().back(), kCalibrationCancelled);
        for (const auto& shown : d.dialogs.Log()) EXPECT_NE(shown.kind, "ask") << shown.text;
        EXPECT_TRUE(FolderContents(c.folder.Str()) == files);
        EXPECT_TRUE(d.s->GrowthCurve == curve);
        EXPECT_TRUE(d.s->CalibWeightTable == table);
        EXPECT_TRUE(d.s->CalibInputs == inputs);
        EXPECT_TRUE(d.s->DietNutrients == diets);
        EXPECT_TRUE(GridText(d.w->GridWeight) == weights);
        EXPECT_TRUE(GridText(d.w->Griddiets) == dietGrid);
        EXPECT_TRUE(GridText(d.w->Grid1) == results);
        EXPECT_EQ(d.w->Text1.Text + d.w->Text4.Text + d.w->Text5.Text, boxes);
        EXPECT_TRUE(d.form->Visible);  // the window stays for another try
        EXPECT_EQ(d.form->GridCalibWts.TextMatrix(5, 2), "61.0");
    }
}

TEST(ContinueCalibration, TheWindowShowsExactlyTheRowsTheFitReads) {
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(fs::path(folder.Str()));
    {
        std::ofstream cal(folder.File("Demo.cal"), std::ios::binary);
        const double rows[9][3] = {{63, 25.2, 0},  {80, 40, 30},    {94, 51.4, 25},  {107, 63, 32},   {120, 76.4, 33},
                                   {133, 88, 37}, {146, 101.4, 38}, {155, 110, 30}, {165, 120.4, 30}};
        for (const auto& r : rows) cal << r[0] << "\t" << r[1] << "\t" << r[2] << "\r\n";
    }
    testing::DemoCalibration d(folder.Str());
    const auto messages = d.dialogs.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(),
              "The measured herd table has 9 rows; the calibration uses the first 7, the start and the end of each diet.");
    const Grid& g = d.form->GridCalibWts;
    EXPECT_EQ(g.Rows(), kCalWindowRows + 1);
    EXPECT_EQ(g.TextMatrix(kCalWindowRows, 0), FormatAuto(146));
    d.form->GridCalibWts.SetTextMatrix(7, 1, "102.0");  // the last row shown, corrected
    d.dialogs.ClearLog();
    ContinueCalibration(*d.s, *d.form);
    EXPECT_DOUBLE_EQ(d.s->CalibWeightTable(1, 7), 102);
    for (int r = 8; r <= kCalMaxRows; ++r)
        for (int c = 0; c <= 2; ++c) EXPECT_EQ(d.s->CalibWeightTable(c, r), 0) << r;
}

TEST(FillTest, APressClearsTheRowsOfTheLastPress) {
    testing::DemoCalibration demo(testing::DemoFolder(TARVISOL_SOURCE_DIR));
    Grid& g = demo.w->Grid1;
    demo.s->DietCount = 4;
    FillTest(*demo.s);
    ASSERT_EQ(g.TextMatrix(kFillTestRow + 5, 0), "Correl.");
    demo.s->DietCount = 2;
    FillTest(*demo.s);
    EXPECT_EQ(g.TextMatrix(kFillTestRow + 3, 0), "Correl.");
    for (int r = kFillTestRow + 4; r <= kFillTestRow + 5; ++r)
        for (int c = 0; c <= 4; ++c) EXPECT_EQ(g.TextMatrix(r, c), "") << r << " " << c;
}

}  // namespace
}  // namespace tarvisol
