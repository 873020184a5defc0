// The location's market settings file: written and read back value for
// value, and any bytes read with a message for each value it cannot use.
#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>

#include "location/LocationSettings.h"
#include "market/HerdFile.h"
#include "market/MarketFile.h"
#include "location/ScratchFolder.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

MarketSettings Awkward() {
    MarketSettings m;
    m.CarcassPrice = 0.1 + 0.2;  // no short decimal reads back as this
    m.LeanBase = 57.25;
    m.LeanPremium = 1.0 / 3;
    m.BandLow = 81.5;
    m.BandHigh = 102;
    m.Discount = 0.125;
    m.PigCost = 64.99;
    m.DayCost = 0.0;
    m.EmptyDays = 5;
    return m;
}

TEST(MarketFile, SavedSettingsReadBackExactlyWithCrLfLines) {
    testing::ScratchFolder folder;
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.LocationBase = folder.File("Farm");
    ASSERT_TRUE(SaveMarketSettings(s, Awkward()));
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(folder.File("Farm.mkt"), text, error)) << error;
    EXPECT_EQ(text.rfind(std::string(kMarketFileHeader) + "\r\n", 0), 0u) << text;
    EXPECT_EQ(text.find("\n\n"), std::string::npos);
    std::vector<std::string> messages;
    EXPECT_EQ(LoadMarketSettings(s.LocationBase, 0, messages), Awkward());
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_TRUE(dialogs.Messages().empty());
    // No file: the defaults of the location's weight unit.
    EXPECT_EQ(LoadMarketSettings(folder.File("Other"), 1, messages), DefaultMarketSettings(true));
    EXPECT_TRUE(messages.empty());
}

TEST(MarketFile, UnusableLinesGiveAMessageEachAndKeepWhatWasThere) {
    const MarketSettings defaults = DefaultMarketSettings(false);
    MarketSettings m = defaults;
    std::vector<std::string> messages;
    std::string text = kMarketFileHeader;
    text += "\r\n"
            "Carcass price\t2,35\r\n"        // a decimal comma is read
            "  LEAN BASE %  \t 61 \n"        // case and blanks do not matter
            "Lean premium\tabc\r\n"          // not a number
            "Discount\t-0.5\r\n"             // below its range
            "Empty days\t1e400\r\n"          // not finite
            "Colour\tred\r\n"                // no such setting
            "Feeder pig cost 70\r\n"         // no TAB
            "Band low\t110\r\nBand high\t90\r\n";  // a band upside down
    ReadMarketText(text, m, messages);
    EXPECT_DOUBLE_EQ(m.CarcassPrice, 2.35);
    EXPECT_DOUBLE_EQ(m.LeanBase, 61);
    EXPECT_EQ(m.LeanPremium, defaults.LeanPremium);
    EXPECT_EQ(m.Discount, defaults.Discount);
    EXPECT_EQ(m.EmptyDays, defaults.EmptyDays);
    EXPECT_EQ(m.PigCost, defaults.PigCost);
    EXPECT_EQ(m.BandLow, defaults.BandLow);
    EXPECT_EQ(m.BandHigh, defaults.BandHigh);
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[0], "Market settings, line 4: Lean premium \"abc\" is not usable; it stays 0.02");
    EXPECT_NE(messages[3].find("\"Colour\" is not a market setting"), std::string::npos) << messages[3];
    EXPECT_NE(messages[4].find("is not a name and a value"), std::string::npos) << messages[4];
    EXPECT_NE(messages[5].find("the band stays 75 to 95"), std::string::npos) << messages[5];
    EXPECT_TRUE(MarketSettingsProblem(m).empty());
}

// The packer's carcass yield may be left blank (the run's own yield): a file
// written before the setting existed reads so, a blank is written as nothing
// after the TAB, and a yield no packer pays (0, 150 %) is refused.
TEST(MarketFile, CarcassYieldIsBlankByDefaultAndRefusedOutsideItsRange) {
    std::vector<std::string> messages;
    MarketSettings old = DefaultMarketSettings(false);
    old.CarcassYield = 74;
    ReadMarketText(std::string(kMarketFileHeader) + "\r\nCarcass price\t2.2\r\nCarcass yield, %\t\r\n", old, messages);
    EXPECT_EQ(old.CarcassYield, 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(MarketText(old).find("\r\nCarcass yield, %\t\r\n"), std::string::npos) << MarketText(old);
    MarketSettings m = DefaultMarketSettings(false);
    m.CarcassYield = 75.5;
    MarketSettings back = DefaultMarketSettings(false);
    ReadMarketText(MarketText(m), back, messages);
    EXPECT_EQ(back, m);
    for (const char* bad : {"0", "150"}) {
        ReadMarketText(std::string("Carcass yield, %\t") + bad, back, messages);
        EXPECT_EQ(back.CarcassYield, 75.5) << bad;
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Market settings, line 1: Carcass yield, % \"0\" is not usable; it stays 75.5");
    m.CarcassYield = 150;
    EXPECT_EQ(MarketSettingsProblem(m), "Carcass yield, % must be blank (the run's own) or a number from 40 to 100");
}

// A setting given twice: with two values neither is used (the setting counts
// as unusable, so no command runs on a value the user did not choose) and the
// message names both lines; with the same value the first stands, said too.
// The herd file reads the same way.
TEST(MarketFile, ASettingGivenTwiceIsNeverTakenSilently) {
    MarketSettings m = DefaultMarketSettings(false);
    std::vector<std::string> messages;
    std::vector<double MarketSettings::*> unusable;
    ReadMarketText(std::string(kMarketFileHeader) +
                       "\r\nCarcass price\t1.92\r\nLean base %\t58\r\ncarcass price \t9.99\r\nLean base %\t58\r\n",
                   m, messages, &unusable);
    EXPECT_EQ(m.CarcassPrice, DefaultMarketSettings(false).CarcassPrice);
    EXPECT_EQ(m.LeanBase, 58);
    EXPECT_EQ(unusable, std::vector<double MarketSettings::*>{&MarketSettings::CarcassPrice});
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "Market settings, lines 2 and 4: \"carcass price\" is given twice, as \"1.92\" and as \"9.99\"; neither "
              "is used");
    EXPECT_EQ(messages[1], "Market settings, lines 3 and 5: \"Lean base %\" is given twice, both times \"58\"; line 5 is "
                           "left out");

    HerdSettings h;
    messages.clear();
    std::vector<int> herdUnusable;
    ReadHerdText(std::string(kHerdFileHeader) + "\r\nPigs\t500\r\nSeed\t7\r\nPigs\t800\r\n", h, messages, &herdUnusable);
    EXPECT_EQ(h.Pigs, HerdSettings{}.Pigs);
    EXPECT_EQ(h.Seed, 7u);
    EXPECT_EQ(herdUnusable, std::vector<int>{0});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Herd settings, lines 2 and 4: \"Pigs\" is given twice, as \"500\" and as \"800\"; neither is used");

    // The location's own settings: two currencies are none, said.
    messages.clear();
    EXPECT_EQ(CurrencyIn("Currency\tUSD\r\nNote\tkept\r\nCurrency\tEUR\r\n", &messages), "");
    EXPECT_EQ(messages, std::vector<std::string>{"Location settings, lines 1 and 3: \"Currency\" is given twice, as "
                                                 "\"USD\" and as \"EUR\"; neither is used; the location shows no currency"});
    EXPECT_EQ(CurrencyIn("Currency\tUSD\r\nCurrency\tUSD\r\n"), "USD");
}

}  // namespace
}  // namespace tarvisol
