// Saving a location where the disk says no, for real: a read-only folder and
// a full filesystem. The files keep their old contents (no temporary file
// left behind), the failure is told, and the command line exits 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "cli/CalibrateCommand.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"
#include "support/LocationSnapshot.h"
#include "support/SmallFilesystem.h"

using namespace tarvisol;
using tarvisol::testing::ChangedFiles;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::SmallFilesystem;
using tarvisol::testing::SnapshotFolder;
using tarvisol::testing::Slurp;
namespace fs = std::filesystem;

namespace {

// The demo location opened in the main window, with a changed box (the
// settings file) and a changed price (the matrix), so that a save-all has
// two files to write.
struct ChangedDemo {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    ScratchFolder program;
    explicit ChangedDemo(const std::string& folder) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, program.Str());
        s->LocationFolder = folder;
        w->Text6.Text = "Demo";
        dialogs.Answer(Answer::Yes);
        LocationName(*s);
        w->Text3.Text = "118.5";
        s->IngredientPrices(1) = 213.25;
        dialogs.ClearLog();
    }
};

TEST(SaveAllFaults, AReadOnlyFolderKeepsEveryFileAndTheFailureIsTold) {
    SmallFilesystem disk(1 << 20);
    if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
    tarvisol::testing::CopyDemoLocation(disk.Str());
    ChangedDemo o(disk.Str());
    if (!disk.MakeReadOnly()) GTEST_SKIP() << disk.Reason();
    const auto before = SnapshotFolder(disk.Str());

    EXPECT_FALSE(SaveAllToCurrentLocation(*o.s));
    EXPECT_EQ(ChangedFiles(before, SnapshotFolder(disk.Str())), std::set<std::string>{});
    EXPECT_GE(o.s->FailedSaves, 1);
    const auto m = o.dialogs.Messages();
    ASSERT_EQ(m.size(), 1u) << ::testing::PrintToString(m);
    EXPECT_NE(m[0].find("Cannot save " + disk.File("Demo.pig")), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("The location was not saved: none of its files was changed."), std::string::npos) << m[0];
    // Nothing was taken for saved: closing still asks.
    EXPECT_FALSE(UnsavedLocationFiles(*o.s).empty());
}

// All the location's files change, or none does: every file is written
// aside first, and only when all are written do they take their places.
TEST(SaveAllFaults, AFullDiskChangesNoFile) {
    SmallFilesystem disk(256 << 10);
    if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
    tarvisol::testing::CopyDemoLocation(disk.Str());
    ChangedDemo o(disk.Str());
    const std::string matrix = Slurp(disk.File("DemoMatrix.txt"));
    // Room for the settings file, not for the matrix.
    disk.Fill(1);
    const auto before = SnapshotFolder(disk.Str());

    EXPECT_FALSE(SaveAllToCurrentLocation(*o.s));
    const auto after = SnapshotFolder(disk.Str());
    EXPECT_EQ(after.at("DemoMatrix.txt"), matrix);
    // The settings file, which fitted, as it was too, and no temporary file left.
    EXPECT_EQ(ChangedFiles(before, after), std::set<std::string>{});
    EXPECT_EQ(o.s->FailedSaves, 1);
    const auto m = o.dialogs.Messages();
    ASSERT_EQ(m.size(), 1u) << ::testing::PrintToString(m);
    EXPECT_NE(m[0].find("Cannot save " + disk.File("DemoMatrix.txt")), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("The location was not saved: none of its files was changed."), std::string::npos) << m[0];
    EXPECT_FALSE(UnsavedLocationFiles(*o.s).empty());
}

// A measured herd or temperature file that could not be read (bytes that
// are not numbers, a folder in its place) is left as it was by every save of
// the tables it would have filled, and the user is told which file; the
// other files are saved.
TEST(SaveAllFaults, AFileThatCouldNotBeReadIsNeverWrittenOver) {
    using namespace std::string_literals;
    struct Case {
        std::string file, bytes;  // no bytes: a folder in its place
    };
    for (const Case& c : {Case{"Demo.cal", "63\t25\t0\r\n\x01\xff\xfe junk\r\n"s}, Case{"Demo.cal", ""s},
                          Case{"Demo.stg", "\0\xff\xfe garbage \x01\r\n"s}, Case{"Demo.stg", ""s}}) {
        SCOPED_TRACE(c.file + (c.bytes.empty() ? " a folder" : " of bad bytes"));
        ScratchFolder folder;
        tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
        fs::remove(folder.File(c.file));
        if (c.bytes.empty())
            fs::create_directory(folder.File(c.file));
        else
            tarvisol::testing::Spit(folder.File(c.file), c.bytes);
        ChangedDemo o(folder.Str());
        // The user then types a measured row and a temperature.
        o.s->CalibWeightTable(0, 1) = 60;
        o.s->CalibWeightTable(1, 1) = 24;
        o.s->TempTable(3) = 21;
        const std::string pig = Slurp(folder.File("Demo.pig"));

        EXPECT_TRUE(SaveAllToCurrentLocation(*o.s));
        if (c.bytes.empty())
            EXPECT_TRUE(fs::is_directory(folder.File(c.file)));
        else
            EXPECT_EQ(Slurp(folder.File(c.file)), c.bytes);
        EXPECT_NE(Slurp(folder.File("Demo.pig")), pig);
        const std::string told = ::testing::PrintToString(o.dialogs.Messages());
        EXPECT_NE(told.find(folder.File(c.file) + " could not be read"), std::string::npos) << told;
        EXPECT_NE(told.find("left as it was"), std::string::npos) << told;
        // Nor does closing ask to save it: no save can.
        EXPECT_EQ(UnsavedLocationFiles(*o.s), std::vector<std::string>{});
    }
    // Nor by a calibration saved to the location.
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    tarvisol::testing::Spit(folder.File("Demo.stg"), "twenty\tdegrees\r\n");
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    args.save = true;
    args.documentedOnly = true;
    const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
    EXPECT_TRUE(r["saved"].get<bool>()) << r.dump();
    EXPECT_EQ(Slurp(folder.File("Demo.stg")), "twenty\tdegrees\r\n");
    EXPECT_NE(r["messages"].dump().find("Demo.stg could not be read"), std::string::npos) << r["messages"].dump();
}

// One calibration per fault: the fit is the slow part.
TEST(SaveAllFaults, CalibrateWithSaveExitsOneOnAReadOnlyFolderAndOnAFullDisk) {
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full disk" : "read-only folder");
        SmallFilesystem disk(256 << 10);
        if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
        tarvisol::testing::CopyDemoLocation(disk.Str());
        if (full)
            disk.Fill(0);
        else if (!disk.MakeReadOnly())
            GTEST_SKIP() << disk.Reason();
        const auto before = SnapshotFolder(disk.Str());
        cli::CalibrateArgs args;
        args.location = disk.File("Demo");
        args.save = true;
        const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
        EXPECT_TRUE(r["ran"].get<bool>()) << r.dump();
        EXPECT_FALSE(r["saved"].get<bool>());
        EXPECT_EQ(cli::CalibrateExitCode(r), 1);
        EXPECT_EQ(ChangedFiles(before, SnapshotFolder(disk.Str())), std::set<std::string>{});
        std::ostringstream printed;
        cli::PrintCalibrateReport(r, printed);
        EXPECT_NE(printed.str().find("NOT saved"), std::string::npos) << printed.str();
        EXPECT_NE(printed.str().find("Message: Cannot save"), std::string::npos) << printed.str();
    }
}

}  // namespace
