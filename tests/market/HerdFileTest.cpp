// The location's herd settings file: written and read back value for value,
// and any bytes read with a message for each value it cannot use.
#include <gtest/gtest.h>

#include "location/ScratchFolder.h"
#include "market/HerdFile.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

TEST(HerdFile, SavedSettingsReadBackExactlyAndNoFileGivesTheDefaults) {
    testing::ScratchFolder folder;
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.LocationBase = folder.File("Farm");
    HerdSettings h;
    h.Pigs = 640;
    h.Seed = 123456789012345;
    h.CvStartWeight = 0.1 + 0.2;
    h.CvGrowth = 1.0 / 3;
    h.CvMatureSize = 0;
    h.CvMaintenance = 9.5;
    h.CorrStartGrowth = -0.25;
    h.CorrGrowthMature = 0.1;
    h.CorrGrowthMaintenance = 0;
    ASSERT_TRUE(SaveHerdSettings(s, h));
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(folder.File("Farm.hrd"), text, error)) << error;
    EXPECT_EQ(text.rfind(std::string(kHerdFileHeader) + "\r\n", 0), 0u) << text;
    std::vector<std::string> messages;
    EXPECT_EQ(LoadHerdSettings(s.LocationBase, messages), h);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(LoadHerdSettings(folder.File("Other"), messages), HerdSettings{});
    EXPECT_TRUE(messages.empty());
}

TEST(HerdFile, UnusableLinesGiveAMessageEachAndKeepWhatWasThere) {
    HerdSettings h;
    std::vector<std::string> messages;
    std::string text = kHerdFileHeader;
    text += "\r\n"
            "  pigs \t 300 \r\n"             // case and blanks do not matter
            "Seed\t2.5\r\n"                  // not whole
            "CV growth rate, %\t31\r\n"      // above its range
            "Colour\tred\r\n"                // no such setting
            "Seed 7\r\n"                     // no TAB
            "Correlation starting weight and growth rate\t0.9\r\n"
            "Correlation growth rate and mature size\t-0.9\r\n"
            "Correlation growth rate and maintenance\t0.9\r\n";  // together no herd
    ReadHerdText(text, h, messages);
    EXPECT_EQ(h.Pigs, 300);
    EXPECT_EQ(h.CvGrowth, HerdSettings{}.CvGrowth);
    EXPECT_EQ(h.CorrStartGrowth, HerdSettings{}.CorrStartGrowth);
    EXPECT_EQ(h.CorrGrowthMaintenance, HerdSettings{}.CorrGrowthMaintenance);
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(h.Seed, HerdSettings{}.Seed);
    EXPECT_EQ(messages[0], "Herd settings, line 3: Seed \"2.5\" is not usable; it stays 2013");
    EXPECT_EQ(messages[1], "Herd settings, line 4: CV growth rate, % \"31\" is not usable; it stays 15");
    EXPECT_NE(messages[2].find("\"Colour\" is not a herd setting"), std::string::npos) << messages[2];
    EXPECT_NE(messages[3].find("is not a name and a value"), std::string::npos) << messages[3];
    EXPECT_EQ(messages[4], "Herd settings: the correlations together describe no possible herd; they stay as before");
    EXPECT_TRUE(HerdSettingsProblem(h).empty());
}

}  // namespace
}  // namespace tarvisol
