// tarvisol-cli market on a copy of the demo: every row is what `growth
// --final-weight` reports at that weight put through the market's formulas,
// options override the market file without saving it, and the exit status
// says whether the figures stand.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

#include "cli/CliArgs.h"
#include "cli/GrowthCommand.h"
#include "cli/HerdCommand.h"
#include "cli/MarketCommand.h"
#include "location/LocationSettings.h"
#include "location/ScratchFolder.h"
#include "market/MarketFile.h"
#include "shared/Progress.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

struct DemoCopy {
    testing::ScratchFolder folder;
    DemoCopy() { testing::CopyDemoLocation(fs::path(folder.Str())); }
    std::string Location() const { return folder.File("Demo"); }
};

TEST(MarketCommand, EachRowIsTheGrowthCommandAtThatWeightThroughTheFormulas) {
    DemoCopy demo;
    MarketArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    a.carcassPrice = 2.2;
    a.leanBase = 59;
    a.leanPremium = 0.03;
    a.bandLow = 78;
    a.bandHigh = 84;
    a.discount = 0.25;
    a.pigCost = 55;
    a.dayCost = 0.3;
    a.emptyDays = 6;
    a.from = 110;
    a.to = 130;
    a.step = 10;
    a.threads = 2;
    const auto r = RunMarketCommand(a, nullptr);
    ASSERT_EQ(MarketExitCode(r), 0) << r.dump();
    ASSERT_EQ(r["rows"].size(), 3u);
    const auto& st = r["settings"];
    EXPECT_EQ(st["carcass_price"], 2.2);
    EXPECT_EQ(st["band_high"], 84);
    EXPECT_EQ(st["carcass_yield"], 74.9);
    bool inBand = false, outOfBand = false;
    for (const auto& row : r["rows"]) {
        for (const char* key : {"final_weight", "reached", "final_age", "days", "total_feed", "feed_gain", "feed_cost",
                                "carcass_weight", "lean", "price_per_kg", "value", "margin_per_pig",
                                "margin_per_place_year"})
            EXPECT_TRUE(row.contains(key)) << key;
        const double w = row["final_weight"].get<double>();
        GrowthArgs g;
        g.location = a.location;
        g.formulation = 1;
        g.finalWeight = w;
        const auto grown = RunGrowthCommand(g, nullptr);
        ASSERT_EQ(GrowthExitCode(grown), 0) << grown.dump();
        EXPECT_TRUE(row["reached"].get<bool>());
        const double age = grown["final_age"].get<double>(), cost = grown["cost_per_pig"].get<double>();
        // The demo's market file gives the packer's hot-carcass yield; the
        // Growth command's carcass figures keep the run's own.
        const double lean = grown["carcass_mixed"]["lean"].get<double>(), yield = 74.9;
        EXPECT_LT(grown["carcass_mixed"]["yield"].get<double>(), 70);
        EXPECT_EQ(row["yield"], yield);
        EXPECT_DOUBLE_EQ(row["final_age"].get<double>(), age);
        EXPECT_DOUBLE_EQ(row["lean"].get<double>(), lean);
        // The market counts feed to the fractional final age, as it counts the
        // days; the growth summary to the age rounded: at most half a day of
        // finishing feed (under 2 kg) and its cost apart, on the same side.
        const double feed = row["total_feed"].get<double>(), feedCost = row["feed_cost"].get<double>();
        EXPECT_NEAR(feed, grown["total_feed"].get<double>(), 2.0);
        EXPECT_NEAR(feedCost, cost, 2.0 * 0.3);
        EXPECT_EQ(feed > grown["total_feed"].get<double>(), feedCost > cost);
        EXPECT_NEAR(row["feed_gain"].get<double>() / feed, grown["feed_gain"].get<double>() / grown["total_feed"].get<double>(),
                    1e-5);
        const double days = age - st["start_age"].get<double>();
        EXPECT_DOUBLE_EQ(row["days"].get<double>(), days);
        const double carcass = w * yield / 100;
        const bool outside = carcass < 78 || carcass > 84;
        (outside ? outOfBand : inBand) = true;
        const double price = 2.2 + 0.03 * (lean - 59) - (outside ? 0.25 : 0);
        EXPECT_DOUBLE_EQ(row["carcass_weight"].get<double>(), carcass);
        EXPECT_NEAR(row["price_per_kg"].get<double>(), price, 1e-12);
        EXPECT_NEAR(row["value"].get<double>(), carcass * price, 1e-9);
        const double margin = carcass * price - feedCost - 55 - 0.3 * days;
        EXPECT_NEAR(row["margin_per_pig"].get<double>(), margin, 0.006);
        EXPECT_NEAR(row["margin_per_place_year"].get<double>(), margin * 365 / (days + 6), 0.006 * 365 / (days + 6));
    }
    EXPECT_TRUE(inBand && outOfBand) << "the band should split the three weights";
    // Each best is the weight of the highest of its own margin.
    for (const char* margin : {"margin_per_pig", "margin_per_place_year"}) {
        double best = -1e300;
        nlohmann::json bestWeight;
        for (const auto& row : r["rows"])
            if (row[margin].get<double>() > best) best = row[margin].get<double>(), bestWeight = row["final_weight"];
        EXPECT_EQ(r[std::string("best_per_") + (margin + 11)], bestWeight) << margin;
    }
    // No band and no costs besides feed: the heaviest weight pays best per
    // pig, the lightest per place and year (a place turns over sooner).
    a.bandLow = 0;
    a.bandHigh = 1000;
    a.pigCost = 0;
    a.dayCost = 0;
    a.emptyDays = 0;
    a.leanPremium = 0;
    const auto open = RunMarketCommand(a, nullptr);
    ASSERT_EQ(MarketExitCode(open), 0) << open.dump();
    EXPECT_EQ(open["best_per_pig"], 130);
    EXPECT_EQ(open["best_per_place_year"], 110);
}

TEST(MarketCommand, OptionsOverrideTheMarketFileWithoutSavingIt) {
    DemoCopy demo;
    MarketSettings m = DefaultMarketSettings(false);
    m.PigCost = 71.5;
    m.DayCost = 0.35;
    std::string error;
    ASSERT_TRUE(SaveAtomic(MarketFilePath(demo.Location()), MarketText(m), error)) << error;
    const auto files = testing::FolderContents(demo.folder.Str());
    MarketArgs a;
    a.location = demo.Location();
    a.dayCost = 0.1;
    a.from = 118;
    a.to = 122;
    a.step = 2;
    const auto r = RunMarketCommand(a, nullptr);
    EXPECT_EQ(MarketExitCode(r), 0) << r.dump();
    EXPECT_EQ(r["settings"]["pig_cost"], 71.5);  // from the file
    EXPECT_EQ(r["settings"]["day_cost"], 0.1);   // from the option
    EXPECT_EQ(testing::FolderContents(demo.folder.Str()), files);
}

// A value of the market file the run cannot use is refused with its line,
// not replaced by the default; an option that gives the value instead runs.
TEST(MarketCommand, AnUnusableMarketFileValueIsRefusedWithItsLine) {
    DemoCopy demo;
    std::string text = MarketText(DefaultMarketSettings(false));
    const std::string price = "Carcass price\t2.1";
    ASSERT_NE(text.find(price), std::string::npos);
    text.replace(text.find(price), price.size(), "Carcass price\t2.1 EUR");
    std::string error;
    ASSERT_TRUE(SaveAtomic(MarketFilePath(demo.Location()), text, error)) << error;
    MarketArgs a;
    a.location = demo.Location();
    a.from = 118;
    a.to = 122;
    a.step = 2;
    const auto r = RunMarketCommand(a, nullptr);
    EXPECT_EQ(MarketExitCode(r), 2) << r.dump();
    EXPECT_TRUE(r["rows"].empty());
    std::string said;
    for (const auto& m : r["messages"]) said += m.get<std::string>() + "\n";
    EXPECT_NE(said.find("line 2: Carcass price \"2.1 EUR\""), std::string::npos) << said;
    EXPECT_NE(said.find("Market weights were not run"), std::string::npos) << said;
    a.carcassPrice = 2.1;
    EXPECT_EQ(MarketExitCode(RunMarketCommand(a, nullptr)), 0);
}

// A settings file that is there but gives no text (a folder in its place, a
// link to nothing, a device) is not a missing file: the command says it could
// not be read and runs on no default the user did not choose (exit 2), unless
// the options give every setting. Nothing in the folder changes.
TEST(MarketCommand, ASettingsFileThatCannotBeReadIsNoMissingFile) {
    DemoCopy demo;
    const std::string mkt = MarketFilePath(demo.Location()), hrd = demo.Location() + ".hrd";
    fs::remove(mkt);
    MarketArgs a;
    a.location = demo.Location();
    a.from = 118;
    a.to = 120;
    a.step = 2;
    HerdArgs h;
    h.location = demo.Location();
    h.pigs = 20;
    const auto said = [](const nlohmann::json& r) {
        std::string all;
        for (const auto& m : r["messages"]) all += m.get<std::string>() + "\n";
        return all;
    };
    const std::pair<std::function<void(const std::string&)>, std::string> kinds[] = {
        {[](const std::string& p) { fs::create_directory(p); }, " is a folder, not a settings file"},
        {[&](const std::string& p) { fs::create_symlink(demo.folder.File("gone.mkt"), p); }, " is a link to "},
        {[](const std::string& p) { fs::create_symlink("/dev/null", p); }, " is not a plain file"}};
    for (const auto& [make, why] : kinds) {
        make(mkt);
        const auto files = testing::FolderContents(demo.folder.Str());
        const auto r = RunMarketCommand(a, nullptr);
        EXPECT_EQ(MarketExitCode(r), 2) << r.dump();
        EXPECT_TRUE(r["rows"].empty());
        EXPECT_NE(said(r).find(mkt + why), std::string::npos) << said(r);
        EXPECT_NE(said(r).find("the market settings in it were not used"), std::string::npos) << said(r);
        // Every setting given as an option: the file is not needed.
        MarketArgs all = a;
        all.carcassPrice = 2.1, all.leanBase = 58, all.leanPremium = 0.02, all.bandLow = 75, all.bandHigh = 95;
        all.discount = 0.15, all.pigCost = 60, all.dayCost = 0.2, all.emptyDays = 7, all.carcassYield = 75;
        EXPECT_EQ(MarketExitCode(RunMarketCommand(all, nullptr)), 0);
        EXPECT_EQ(testing::FolderContents(demo.folder.Str()), files);
        fs::remove(mkt);
        // The herd file alike.
        make(hrd);
        const auto herd = RunHerdCommand(h, nullptr);
        EXPECT_EQ(HerdExitCode(herd), 2) << herd.dump();
        EXPECT_NE(said(herd).find(hrd + why), std::string::npos) << said(herd);
        EXPECT_EQ(testing::FolderContents(demo.folder.Str()), files);
        fs::remove(hrd);
        // The location's own settings (its currency) alike.
        const std::string own = demo.Location() + kSettingsEnding;
        make(own);
        SharedState s;
        ScriptedDialogs dialogs;
        s.Dialog = &dialogs;
        ReadLocationSettings(s, demo.Location());
        EXPECT_EQ(s.Currency, "");
        ASSERT_EQ(dialogs.Messages().size(), 1u);
        EXPECT_EQ(dialogs.Messages()[0].rfind(own + why, 0), 0u) << dialogs.Messages()[0];
        fs::remove(own);
    }
}

// A market row and `growth --final-weight` at the same weight count feed on
// different bases (the fractional final age; whole days): each row carries
// the Growth command's own figures beside its own, so both are one answer.
TEST(MarketCommand, EachRowCarriesTheGrowthSummaryFiguresBesideItsOwn) {
    DemoCopy demo;
    MarketArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    a.from = 118;
    a.to = 118;
    const auto r = RunMarketCommand(a, nullptr);
    ASSERT_EQ(MarketExitCode(r), 0) << r.dump();
    GrowthArgs g;
    g.location = a.location;
    g.formulation = 1;
    g.finalWeight = 118;
    const auto grown = RunGrowthCommand(g, nullptr);
    ASSERT_EQ(GrowthExitCode(grown), 0) << grown.dump();
    const auto& row = r["rows"][0];
    ASSERT_TRUE(row.contains("growth_total_feed")) << row.dump();
    EXPECT_NEAR(row["growth_total_feed"].get<double>(), grown["total_feed"].get<double>(), 0.05);
    EXPECT_NEAR(row["growth_feed_cost"].get<double>(), grown["cost_per_pig"].get<double>(), 0.005);
    EXPECT_NE(row["total_feed"].get<double>(), row["growth_total_feed"].get<double>());
}

TEST(MarketCommand, ExitStatusSaysWhetherTheFiguresStand) {
    DemoCopy demo;
    MarketArgs a;
    a.location = demo.Location();
    a.from = 400;  // the demo pig reaches none of these by day 198
    a.to = 420;
    a.step = 10;
    const auto none = RunMarketCommand(a, nullptr);
    EXPECT_EQ(MarketExitCode(none), 1) << none.dump();
    EXPECT_TRUE(none["best_per_pig"].is_null());
    ASSERT_EQ(none["rows"].size(), 3u);
    EXPECT_FALSE(none["rows"][0]["reached"].get<bool>());
    EXPECT_TRUE(none["rows"][0]["margin_per_pig"].is_null());
    ASSERT_FALSE(none["messages"].empty());
    EXPECT_EQ(none["messages"].back(), "No final weight of the range is reached: there is no best weight");

    a.from = 130;  // a range upside down is refused
    a.to = 120;
    const auto upsideDown = RunMarketCommand(a, nullptr);
    EXPECT_EQ(MarketExitCode(upsideDown), 2);
    EXPECT_EQ(upsideDown["messages"].back(), "Market weights were not run: The last final weight must not be below the first");
    a.from = 120;
    a.to = 130;
    a.leanBase = 101;  // options the market cannot use are refused as the window refuses them
    const auto lean = RunMarketCommand(a, nullptr);
    EXPECT_EQ(MarketExitCode(lean), 2);
    EXPECT_EQ(lean["messages"].back(), "Market weights were not run: Lean base % must be a number from 0 to 100.0");
    a.leanBase.reset();
    RecordingProgress stop;  // a stop is no result
    stop.cancel = true;
    const auto stopped = RunMarketCommand(a, nullptr, &stop);
    EXPECT_EQ(MarketExitCode(stopped), 1);
    ASSERT_FALSE(stopped["messages"].empty());
    EXPECT_EQ(stopped["messages"].back(), "Market weights cancelled");
    EXPECT_TRUE(stopped["rows"].empty());

    for (const char* bad : {"--band=90", "--band=95:90", "--step=0", "--carcass-price=-1", "--empty-days=x",
                            "--yield=0", "--yield=150"}) {
        const std::string loc = a.location;
        const char* argv[] = {"tarvisol-cli", "market", loc.c_str(), bad};
        int code = 0;
        EXPECT_FALSE(ParseCommandLine(4, const_cast<char**>(argv), code).has_value()) << bad;
        EXPECT_EQ(code, 2) << bad;
    }
    const std::string loc = a.location;
    const char* argv[] = {"tarvisol-cli", "market", loc.c_str(), "--band", "80:95", "--grid-diets", "--json"};
    int code = 0;
    const auto req = ParseCommandLine(7, const_cast<char**>(argv), code);
    ASSERT_TRUE(req.has_value());
    EXPECT_EQ(req->kind, CliRequest::Kind::Market);
    EXPECT_EQ(req->market.bandLow, 80);
    EXPECT_EQ(req->market.bandHigh, 95);
    EXPECT_EQ(req->market.formulation, 2);
}

}  // namespace
}  // namespace tarvisol::cli
