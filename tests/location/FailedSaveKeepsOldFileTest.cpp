// Every writer of the program, made to fail half way through its save (the
// process may not write more than a few bytes into any file): the file that
// was there before stays whole, byte for byte, no half-written scratch file is
// left beside it, and the failure is told, never taken for a save. A writer
// that rewrote its file in place would leave it cut short here.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "location/CalFile.h"
#include "cli/GrowthCommand.h"
#include "formulation/FormulationFiles.h"
#include "growth/RunSnapshotOf.h"
#include "growth/Temperature.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "location/WindowSize.h"
#include "optimisation/OptResultFile.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/PlotSweep.h"
#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "shared/TextFile.h"
#include "support/DemoAfterGrowth.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {
namespace fs = std::filesystem;
using testing::FileSizeCap;
using testing::Slurp;
using testing::Spit;

// Far shorter than anything a writer writes, so every save fails part way.
constexpr rlim_t kCap = 8;

// What stood in the file before the save: longer than the cap, unlike any
// text the program writes.
std::string OldBytes(const std::string& path) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "an older " + fs::path(path).filename().string() + " line\r\n";
    return text;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

struct FailedSave : ::testing::Test {
    testing::DemoAfterGrowth demo{kFormulationLeastCost};
    SharedState& s = *demo.s;

    void SetUp() override {
        ASSERT_FALSE(s.RunFailed);
        demo.dialogs.ClearLog();
    }

    // Puts the old bytes in every path, runs the save under the cap, and
    // checks that each file is as it was and nothing was added to its folder.
    // Returns what the save returned.
    bool SaveUnderCap(const std::vector<std::string>& paths, const std::function<bool()>& save) {
        for (const auto& p : paths) Spit(p, OldBytes(p));
        const auto before = Names(demo.folder.Str());
        bool saved = true;
        {
            FileSizeCap cap(kCap);
            saved = save();
        }
        for (const auto& p : paths) EXPECT_EQ(Slurp(p), OldBytes(p)) << p << " was not left whole";
        EXPECT_EQ(Names(demo.folder.Str()), before) << "a scratch file was left behind";
        return saved;
    }

    // The one message of a failed location-file save.
    void ExpectToldUnchanged() {
        const auto m = demo.dialogs.Messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_NE(m[0].find(". The old file is unchanged."), std::string::npos) << m[0];
        EXPECT_EQ(s.FailedSaves, 1);
    }
};

TEST_F(FailedSave, Matrix) {
    EXPECT_FALSE(SaveUnderCap({s.MatrixFile}, [&] { return SaveMatrix(s, false); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, IngredientRestrictions) {
    EXPECT_FALSE(SaveUnderCap({s.IngredientRestrictionFile}, [&] { return SaveIngredientRestrictions(s, false); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, NutrientRestrictions) {
    EXPECT_FALSE(SaveUnderCap({s.NutrientRestrictionFile}, [&] { return SaveNutrientRestrictions(s, false); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, Diets) {
    EXPECT_FALSE(SaveUnderCap({s.DietFile}, [&] { return SaveDiets(s, false); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, PigFile) {
    EXPECT_FALSE(SaveUnderCap({s.PigFile}, [&] { return SavePigTo(s, s.PigFile); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, MeasuredHerdTable) {
    EXPECT_FALSE(SaveUnderCap({s.CalFile}, [&] { return WriteCalFile(s); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, TemperatureFile) {
    ASSERT_FALSE(s.TempFileName.empty());
    EXPECT_FALSE(SaveUnderCap({s.TempFileName}, [&] { return WriteTempFile(s); }));
    ExpectToldUnchanged();
}

TEST_F(FailedSave, WindowSize) {
    demo.w->Height = 600;
    demo.w->Width = 900;
    s.ProgramFolder = demo.folder.Str();
    EXPECT_FALSE(SaveUnderCap({WindowSizePath(s)}, [&] { return WriteWindowSize(s); }));
}

TEST_F(FailedSave, OptimisationResultFile) {
    FrmOptP f;
    f.Text1.Text = "Farm";
    s.StartAge = 60;
    s.OptDayFeed(0, 61) = 1.5;
    const std::string date = "07/15/2026";  // month first, as this record reads dates
    const std::string path = OptResultPath(s, f, date);
    SaveUnderCap({path}, [&] {
        WriteOptResult(s, f, date);
        return !s.OptResultFile.empty();
    });
    const auto m = demo.dialogs.Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].rfind("The optimization result file could not be written: ", 0), 0u) << m[0];
    EXPECT_TRUE(s.OptResultFile.empty());
}

TEST_F(FailedSave, GridAsCsv) {
    const std::string path = demo.folder.File("days.csv");
    demo.dialogs.Text(path);
    EXPECT_FALSE(SaveUnderCap({path}, [&] { return SaveGridAsCsv(s, demo.w->Grid1); }));
    EXPECT_EQ(demo.dialogs.Messages().size(), 1u);
}

TEST_F(FailedSave, KeptRunsFile) {
    const std::vector<KeptRun> runs{{"First", "2026-07-15 10:00", RunSnapshotOf(s)}};
    const std::string path = demo.folder.File("Demo.runs");
    std::string error;
    EXPECT_FALSE(SaveUnderCap({path}, [&] { return SaveRunsFile(path, runs, error); }));
    EXPECT_FALSE(error.empty());
}

TEST_F(FailedSave, Workbook) {
    const RunSnapshot run = RunSnapshotOf(s);
    WorkbookRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2026-07-15";
    const std::string path = demo.folder.File("Demo.xlsx");
    std::string error;
    EXPECT_FALSE(SaveUnderCap({path}, [&] { return WriteWorkbook(path, rq, error); }));
    EXPECT_FALSE(error.empty());
}

TEST(FailedSaveOfTheCommandLine, DailyTableIsToldAndTheRunNotReportedAsWhole) {
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    cli::GrowthArgs a;
    a.location = folder.File("Demo");
    a.formulation = 1;
    a.dailyCsv = folder.File("daily.csv");
    Spit(a.dailyCsv, OldBytes(a.dailyCsv));
    nlohmann::json r;
    {
        FileSizeCap cap(kCap);
        r = cli::RunGrowthCommand(a, nullptr);
    }
    EXPECT_EQ(Slurp(a.dailyCsv), OldBytes(a.dailyCsv));
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_FALSE(r["csv_written"].get<bool>());
    ASSERT_EQ(r["messages"].size(), 1u) << r.dump();
    const std::string m = r["messages"][0].get<std::string>();
    EXPECT_NE(m.find(". The day table was not written."), std::string::npos) << m;
    EXPECT_EQ(cli::GrowthExitCode(r), 1);
}

// The sweep itself writes nothing; its two files at the end are saved whole
// or not at all, and a failure leaves the sweep unfinished.
TEST_F(FailedSave, DietPlotFiles) {
    const std::string dietPlot = demo.folder.File(kDietPlotFile), plot = demo.folder.File(kPlotFile);
    PlotOutcome outcome;
    SaveUnderCap({dietPlot, plot}, [&] {
        outcome = PlotDiets(s);
        return outcome.finished;
    });
    EXPECT_FALSE(outcome.finished);
    const auto m = demo.dialogs.Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find(dietPlot), std::string::npos) << m[0];
}

}  // namespace
}  // namespace tarvisol
