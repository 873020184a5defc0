// The File menu's recent locations: newest first, each once, at most five.
#include "ui/RecentLocations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/StartedWindow.h"
#include "ui/ReopenLocation.h"

using namespace tarvisol;
namespace tt = tarvisol::testing;
namespace fs = std::filesystem;

namespace {

TEST(RecentLocations, NewestFirstAndAReopenedOneMovesToTheFront) {
    RecentLocations r;
    r.Opened("/herds/North");
    r.Opened("/herds/South");
    EXPECT_EQ(r.Paths(), (std::vector<std::string>{"/herds/South", "/herds/North"}));
    r.Opened("/herds/North");
    EXPECT_EQ(r.Paths(), (std::vector<std::string>{"/herds/North", "/herds/South"}));
}

TEST(RecentLocations, TheSixthPushesOutTheOldest) {
    RecentLocations r;
    for (int i = 1; i <= 6; ++i) r.Opened("/herds/H" + std::to_string(i));
    EXPECT_EQ(r.Paths(), (std::vector<std::string>{"/herds/H6", "/herds/H5", "/herds/H4", "/herds/H3", "/herds/H2"}));
}

TEST(RecentLocations, OneLocationWrittenTwoWaysIsOneEntry) {
    RecentLocations r;
    r.Opened("/herds/./North.pig");
    r.Opened("/herds/North");
    r.Opened("/herds/sub/../North");
    EXPECT_EQ(r.Paths(), std::vector<std::string>{"/herds/North"});
}

TEST(RecentLocations, AStoredListIsCleanedWhenRead) {
    const RecentLocations r({"", "/a/A", "/a/A", "/a/B", "/a/C", "/a/D", "/a/E", "/a/F"});
    EXPECT_EQ(r.Paths(), (std::vector<std::string>{"/a/A", "/a/B", "/a/C", "/a/D", "/a/E"}));
}

TEST(RecentLocations, TheMenuOffersOnlyLocationsStillThere) {
    tt::ScratchFolder f;
    tt::Spit(f.File("Here.pig"), "");
    RecentLocations r;
    r.Opened(f.File("Gone"));
    r.Opened(f.File("Here"));
    EXPECT_EQ(r.Existing(), std::vector<std::string>{f.File("Here")});
    r.Forget(f.File("Gone.pig"));
    EXPECT_EQ(r.Paths(), std::vector<std::string>{f.File("Here")});
}

TEST(RecentLocations, AnOpenedLocationIsNotedANewOneIsNot) {
    tt::StartedWindow win;
    tt::CopyDemoLocation(win.folder.Str());
    RecentLocations r;
    EXPECT_FALSE(NoteLocationOpened(r, *win.s));  // nothing open yet
    ASSERT_TRUE(ReopenLocation(*win.s, win.folder.File("Demo")));
    EXPECT_TRUE(NoteLocationOpened(r, *win.s));
    EXPECT_EQ(r.Paths(), std::vector<std::string>{win.folder.File("Demo")});

    // A new location has no settings file yet: nothing to reopen later.
    win.w->Text6.Text = "Fresh";
    win.dialogs.Answer(Answer::Yes);                                        // reopen "Fresh"
    win.dialogs.Answer(Answer::Yes);                                        // "You are using this path ..."
    LocationName(*win.s);
    EXPECT_FALSE(NoteLocationOpened(r, *win.s));
    EXPECT_EQ(r.Paths().size(), 1u);
}

TEST(RecentLocations, AGoneLocationIsToldAndNothingOpens) {
    tt::StartedWindow win;
    EXPECT_FALSE(ReopenLocation(*win.s, win.folder.File("Gone")));
    EXPECT_EQ(win.dialogs.Messages(), std::vector<std::string>{LocationGoneMessage(win.folder.File("Gone"))});
    EXPECT_EQ(win.w->Text6.Text, kCalibrationNamePlaceholder);
}

TEST(RecentLocations, AnAmpersandInANameShowsAsItself) {
    EXPECT_EQ(RecentMenuCaption(0, "/farms/Smith & Sons/North"), "&1 North   /farms/Smith && Sons");
}

}  // namespace
