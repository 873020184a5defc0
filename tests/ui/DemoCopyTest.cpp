// Help -> "Open the Demo Location": a fresh, writable copy, opened.
#include "ui/DemoCopy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/StartedWindow.h"

using namespace tarvisol;
namespace tt = tarvisol::testing;
namespace fs = std::filesystem;

namespace {

TEST(DemoCopy, EachCopyHasItsOwnFolderAndAnEarlierOneIsLeftAlone) {
    tt::ScratchFolder demo, docs;
    tt::CopyDemoLocation(demo.Str());
    const DemoCopy first = CopyDemoToFreshFolder(demo.Str(), docs.Str());
    ASSERT_EQ(first.error, "");
    EXPECT_EQ(fs::path(first.base), fs::path(docs.Str()) / "Tarvisol Demo" / "Demo");
    tt::Spit(first.base + ".pig", "changed by the user");
    const DemoCopy second = CopyDemoToFreshFolder(demo.Str(), docs.Str());
    ASSERT_EQ(second.error, "");
    EXPECT_EQ(fs::path(second.base), fs::path(docs.Str()) / "Tarvisol Demo 2" / "Demo");
    EXPECT_EQ(tt::Slurp(first.base + ".pig"), "changed by the user");
    EXPECT_EQ(tt::Slurp(second.base + ".pig"), tt::Slurp(demo.File("Demo.pig")));
    for (const char* f : {".dts", ".cal", ".stg", "Matrix.txt", "Req.nut", "Req.ing"})
        EXPECT_TRUE(fs::exists(second.base + f)) << f;
}

TEST(DemoCopy, AReadOnlyInstalledDemoGivesWritableCopies) {
    tt::ScratchFolder demo, docs;
    tt::CopyDemoLocation(demo.Str());
    for (const auto& e : fs::directory_iterator(demo.Str()))
        fs::permissions(e.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const DemoCopy copy = CopyDemoToFreshFolder(demo.Str(), (fs::path(docs.Str()) / "Documents").string());
    ASSERT_EQ(copy.error, "");
    for (const auto& e : fs::directory_iterator(fs::path(copy.base).parent_path()))
        EXPECT_NE(fs::status(e.path()).permissions() & fs::perms::owner_write, fs::perms::none) << e.path();
}

TEST(DemoCopy, NoDemoBesideTheProgramIsToldAndOpensNothing) {
    tt::StartedWindow win;
    tt::ScratchFolder docs;
    EXPECT_EQ(OpenDemoLocation(*win.s, "", docs.Str()), "");
    EXPECT_EQ(win.dialogs.Messages(), std::vector<std::string>{"The demo location was not found beside the program."});
    EXPECT_EQ(docs.Count(), 0u);
    EXPECT_FALSE(win.s->PigDataReady);
}

TEST(DemoCopy, TheCopyOpensWithoutTheReopenQuestion) {
    tt::StartedWindow win;
    tt::ScratchFolder demo, docs;
    tt::CopyDemoLocation(demo.Str());
    // No answer is queued: a question would fail the test.
    const std::string base = OpenDemoLocation(*win.s, demo.Str(), docs.Str());
    ASSERT_NE(base, "");
    EXPECT_TRUE(win.s->PigDataReady);
    EXPECT_EQ(win.w->Text6.Text, "Demo");
    EXPECT_EQ(fs::path(win.s->LocationBase), fs::path(base));
    EXPECT_FALSE(win.w->Griddiets.TextMatrix(1, 1).empty());
    EXPECT_EQ(win.s->Dialog, &win.dialogs);  // the user's dialogs are back
    EXPECT_TRUE(win.dialogs.Messages().empty());
}

}  // namespace
