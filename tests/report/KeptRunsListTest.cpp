// Keeping, renaming, deleting and reordering kept runs: each change is in the
// location's kept-runs file at once, a save that fails leaves the list as the
// file holds it, and a file that cannot be read is never written over.
#include <gtest/gtest.h>

#include "location/ScratchFolder.h"
#include "report/RunsFile.h"
#include "support/DemoAfterGrowth.h"
#include "support/GridUnits.h"
#include "ui/CompareRuns.h"
#include "ui/KeepRun.h"
#include "ui/KeptRunsList.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;
using tarvisol::testing::FileSizeCap;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;

namespace {

std::vector<std::string> NamesInFile(const SharedState& s) {
    std::vector<KeptRun> runs;
    std::string error;
    EXPECT_TRUE(ReadRunsFile(RunsFileOf(s), runs, error)) << error;
    std::vector<std::string> names;
    for (const KeptRun& k : runs) names.push_back(k.Name);
    return names;
}

std::vector<std::string> NamesShown(const CompareRunsWindow& w) {
    std::vector<std::string> names;
    for (int r = 1; r < w.GridRuns.Rows(); ++r) names.push_back(w.GridRuns.TextMatrix(r, 1));
    return names;
}

void Choose(CompareRunsWindow& w, int row) { w.GridRuns.Row = w.GridRuns.RowSel = row; }

TEST(KeptRunsList, TheFiguresOfTheListNameTheirUnits) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    s.LastRun.Currency = "USD";
    std::string error;
    ASSERT_TRUE(KeepRunAs(s, s.LastRun, "A", "2025-03-14 09:30", false, error)) << error;
    CompareRunsWindow w;
    LoadCompareRuns(s, w);
    EXPECT_EQ(tarvisol::testing::HeadingsWithoutUnit(w.GridRuns, {"No.", "Kept"}), std::vector<std::string>{});
}

TEST(KeptRunsList, RenameMoveDeleteAreSavedAndTheBaseFollowsItsRun) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    std::string error;
    for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(KeepRunAs(s, s.LastRun, name, "2025-03-14 09:30", false, error)) << error;

    CompareRunsWindow w;
    LoadCompareRuns(s, w);
    ASSERT_EQ(NamesShown(w), (std::vector<std::string>{"A", "B", "C"}));
    w.ComboBase.ListIndex = 2;  // C is the base
    CompareBaseChosen(w);

    Choose(w, 2);
    // Typed (UTF-8): a TAB is refused, never turned into a blank; the blanks
    // around go and the accent is kept as the location's byte.
    const std::string before = Slurp(RunsFileOf(s));
    demo.dialogs.Text("B\xC3\xA9\tnew");
    RenameKeptRun(s, w);
    EXPECT_EQ(demo.dialogs.Messages().back(),
              "The run's name holds a TAB, which the location's files cannot carry; the run keeps its name");
    EXPECT_EQ(Slurp(RunsFileOf(s)), before);
    demo.dialogs.Text("  B\xC3\xA9 new  ");
    RenameKeptRun(s, w);
    EXPECT_EQ(demo.dialogs.Log().back().text, "New name of the run");
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"A", "B\xE9 new", "C"}));

    MoveKeptRun(s, w, -1);
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"B\xE9 new", "A", "C"}));
    Choose(w, 3);
    MoveKeptRun(s, w, -1);
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"B\xE9 new", "C", "A"}));
    EXPECT_EQ(w.Comparison.Names[static_cast<std::size_t>(w.Comparison.Base)], "C");

    Choose(w, 1);
    demo.dialogs.Answer(Answer::Yes);
    DeleteKeptRun(s, w);
    EXPECT_EQ(demo.dialogs.Log().back().text, "Delete the kept run B\xE9 new?");
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"C", "A"}));
    EXPECT_EQ(NamesShown(w), NamesInFile(s));
    EXPECT_EQ(w.Runs[static_cast<std::size_t>(w.Base)].Name, "C");

    // A name kept already is refused, the file unchanged.
    Choose(w, 2);
    demo.dialogs.Text("C");
    RenameKeptRun(s, w);
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"C", "A"}));
    EXPECT_EQ(demo.dialogs.Messages().back(), "A run named C is kept already");
}

TEST(KeptRunsList, AFailedSaveIsToldAndTheListStaysAsTheFileHasIt) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    std::string error;
    for (const char* name : {"A", "B"}) ASSERT_TRUE(KeepRunAs(s, s.LastRun, name, "2025-03-14 09:30", false, error)) << error;
    const std::string before = Slurp(RunsFileOf(s));
    CompareRunsWindow w;
    LoadCompareRuns(s, w);
    demo.dialogs.ClearLog();
    {
        FileSizeCap cap(64);
        Choose(w, 1);
        demo.dialogs.Text("Renamed");
        RenameKeptRun(s, w);
        Choose(w, 2);
        MoveKeptRun(s, w, -1);
        demo.dialogs.Answer(Answer::Yes);
        DeleteKeptRun(s, w);
    }
    EXPECT_EQ(Slurp(RunsFileOf(s)), before);
    EXPECT_EQ(NamesShown(w), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(demo.dialogs.Messages().size(), 3u);
    EXPECT_EQ(w.LabelStatus.Caption, "Not saved: the kept runs are as they were");
}

TEST(KeptRunsList, ARunKeptWhileTheWindowIsOpenIsNeverWrittenAway) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    std::string error;
    for (const char* name : {"A", "B"}) ASSERT_TRUE(KeepRunAs(s, s.LastRun, name, "2025-03-14 09:30", false, error)) << error;
    CompareRunsWindow w;
    LoadCompareRuns(s, w);
    // Kept from the main window (or the command line) with the window open.
    ASSERT_TRUE(KeepRunAs(s, s.LastRun, "C", "2025-03-14 09:40", false, error)) << error;
    demo.dialogs.ClearLog();
    for (int change = 0; change < 3; ++change) {
        Choose(w, 1);
        demo.dialogs.Text("Renamed").Answer(Answer::Yes);
        if (change == 0) RenameKeptRun(s, w);
        if (change == 1) DeleteKeptRun(s, w);
        if (change == 2) MoveKeptRun(s, w, 1);
        EXPECT_EQ(demo.dialogs.Messages(),
                  std::vector<std::string>{"The kept runs were changed elsewhere since this window showed them; it "
                                           "shows them now. Nothing was changed: choose the run again."})
            << change;
        EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"A", "B", "C"})) << change;
        EXPECT_EQ(NamesShown(w), NamesInFile(s)) << change;
        demo.dialogs = ScriptedDialogs{};
        // The file changes again before the next try.
        ASSERT_TRUE(KeepRunAs(s, s.LastRun, "C", "2025-03-14 09:5" + std::to_string(change), true, error)) << error;
    }
    LoadCompareRuns(s, w);
    Choose(w, 1);
    demo.dialogs.Text("Renamed");
    RenameKeptRun(s, w);  // the window is up to date: the rename is saved
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"Renamed", "B", "C"}));
}

TEST(KeepThisRun, AnUnreadableFileOrARefusedReplaceKeepsWhatIsThere) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    SharedState& s = *demo.s;
    const std::string path = RunsFileOf(s);

    // The offered name is the formulation and the time; a typed name (UTF-8)
    // is kept as the location's bytes.
    demo.dialogs.Text("Spring \xE2\x82\xAC programme");
    ASSERT_TRUE(KeepThisRun(s, "2025-03-14 09:30"));
    EXPECT_EQ(demo.dialogs.Log()[demo.dialogs.Log().size() - 2].kind, "input");
    EXPECT_EQ(NamesInFile(s), (std::vector<std::string>{"Spring \x80 programme"}));
    EXPECT_EQ(DefaultRunName(s.LastRun, "2025-03-14 09:30"), s.LastRun.FormulationName + " 2025-03-14 09:30");

    // The same name again: replaced only when the user says so.
    const std::string once = Slurp(path);
    EXPECT_EQ(demo.dialogs.Messages(), std::vector<std::string>{});
    EXPECT_EQ(demo.dialogs.Notes().back(), "Kept Spring \x80 programme in " + path);
    demo.dialogs.Text("Spring \xE2\x82\xAC programme").Answer(Answer::No);
    EXPECT_FALSE(KeepThisRun(s, "2025-03-14 10:00"));
    EXPECT_EQ(demo.dialogs.Log().back().text, "A run named Spring \x80 programme is kept already. Replace it?");
    EXPECT_EQ(Slurp(path), once);

    // A file the program cannot read holds runs it would lose: never overwritten.
    Spit(path, "{\"format\": \"tarvisol-runs\", \"version\": 99, \"runs\": []}");
    demo.dialogs.ClearLog();
    EXPECT_FALSE(KeepThisRun(s, "2025-03-14 10:05"));
    EXPECT_EQ(Slurp(path), "{\"format\": \"tarvisol-runs\", \"version\": 99, \"runs\": []}");
    EXPECT_EQ(demo.dialogs.Messages(),
              std::vector<std::string>{"The kept runs file " + path + " cannot be read: it was written by another "
                                       "version of the program (version 99); nothing was kept"});

    // A location not opened has nowhere to keep the run.
    std::remove(path.c_str());
    const std::string pig = s.PigFile;
    s.PigFile.clear();
    demo.dialogs.ClearLog();
    EXPECT_FALSE(KeepThisRun(s, "2025-03-14 10:05"));
    EXPECT_EQ(demo.dialogs.Messages(), std::vector<std::string>{"Open a location before keeping a run"});
    s.PigFile = pig;

    // A failed run is not kept at all.
    std::remove(path.c_str());
    RunSnapshot failed = s.LastRun;
    failed.ReachedFinalWeight = false;
    std::string error;
    EXPECT_FALSE(KeepRunAs(s, failed, "No", "2025-03-14 10:06", false, error));
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
