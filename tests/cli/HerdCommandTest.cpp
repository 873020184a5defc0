// tarvisol-cli herd on a copy of the demo: the JSON layout and the pigs'
// file tell the same sale, a second run gives the same answer, and settings
// no herd can have are refused with a message and exit status 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cli/CliArgs.h"
#include "cli/HerdCommand.h"
#include "location/ScratchFolder.h"
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

TEST(HerdCommand, JsonAndThePigsFileTellOneSaleAndASecondRunIsTheSame) {
    DemoCopy demo;
    HerdArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    a.pigs = 300;
    a.cuts = "150:128,158:50%,166";
    a.pigsCsv = demo.folder.File("pigs.csv");
    a.threads = 2;
    const auto r = RunHerdCommand(a, nullptr);
    ASSERT_EQ(HerdExitCode(r), 0) << r.dump();
    ASSERT_EQ(r["cuts"].size(), 3u);
    int sold = 0;
    double revenue = 0, loss = 0;
    for (const auto& c : r["cuts"]) {
        for (const char* key : {"age", "sold", "live_mean", "live_sd", "carcass_mean", "carcass_sd", "outside_band",
                                "revenue", "sort_loss_per_pig"})
            EXPECT_TRUE(c.contains(key)) << key;
        sold += c["sold"].get<int>();
        revenue += c["revenue"].get<double>();
        loss += c["sort_loss_per_pig"].get<double>() * c["sold"].get<int>();
    }
    const auto& t = r["totals"];
    EXPECT_EQ(sold, 300);
    EXPECT_EQ(t["pigs"], 300);
    EXPECT_NEAR(t["revenue_per_pig"].get<double>(), revenue / 300, 1e-9);
    EXPECT_NEAR(t["sort_loss_per_pig"].get<double>(), loss / 300, 1e-9);
    EXPECT_EQ(t["barn_days"], 166 - r["settings"]["start_age"].get<int>());
    EXPECT_EQ(r["settings"]["carcass_yield"], 74.9);
    // The pigs' file: one row per pig, whose revenues add up to the cuts'.
    std::string csv, error;
    ASSERT_TRUE(ReadTextFile(a.pigsCsv, csv, error)) << error;
    const std::vector<std::string> rows = SplitLines(csv);
    ASSERT_GE(rows.size(), 301u);
    double fromFile = 0;
    for (std::size_t i = 1; i <= 300; ++i) fromFile += std::stod(rows[i].substr(rows[i].rfind(',') + 1));
    EXPECT_NEAR(fromFile, revenue, 300 * 0.005);
    // Again in the same process: the same answer.
    EXPECT_EQ(RunHerdCommand(a, nullptr), r);
}

// A value of the market file the herd cannot be sold at is refused, not
// replaced by its default.
TEST(HerdCommand, AnUnusableMarketFileValueIsRefused) {
    DemoCopy demo;
    testing::Spit(demo.folder.File("Demo.mkt"), "Tarvisol market settings\r\nDiscount\t-0.15\r\n");
    HerdArgs a;
    a.location = demo.Location();
    a.pigs = 20;
    const auto r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 2) << r.dump();
    ASSERT_FALSE(r["messages"].empty());
    EXPECT_EQ(r["messages"].back().get<std::string>().rfind("The herd was not sold: the market settings file ", 0), 0u)
        << r.dump();
}

// A value of the herd file that cannot be used is refused with its line,
// not replaced by a default; an option that gives the setting stands for it.
TEST(HerdCommand, AnUnusableHerdFileValueIsRefusedWithItsLine) {
    DemoCopy demo;
    testing::Spit(demo.folder.File("Demo.hrd"), "Tarvisol herd settings\r\nPigs\t40\r\nCV growth rate, %\t31\r\n");
    HerdArgs a;
    a.location = demo.Location();
    auto r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 2) << r.dump();
    ASSERT_GE(r["messages"].size(), 2u);
    EXPECT_NE(r["messages"][0].get<std::string>().find("line 3: CV growth rate, % \"31\""), std::string::npos) << r.dump();
    const std::string refused = r["messages"].back().get<std::string>();
    EXPECT_EQ(refused.rfind("The herd was not sold: the herd settings file ", 0), 0u) << refused;
    EXPECT_NE(refused.find("CV growth rate, %"), std::string::npos) << refused;
    a.cvGrowth = 12;
    r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 0) << r.dump();
}

TEST(HerdCommand, SettingsNoHerdCanHaveAreRefusedWithAMessage) {
    DemoCopy demo;
    // The location's herd file is read; the options override it unsaved.
    testing::Spit(demo.folder.File("Demo.hrd"), "Tarvisol herd settings\r\nPigs\t40\r\nCV growth rate, %\t9\r\n");
    const auto files = testing::FolderContents(demo.folder.Str());
    HerdArgs a;
    a.location = demo.Location();
    a.cuts = "160";
    const auto fromFile = RunHerdCommand(a, nullptr);
    ASSERT_EQ(HerdExitCode(fromFile), 0) << fromFile.dump();
    EXPECT_EQ(fromFile["settings"]["pigs"], 40);
    EXPECT_EQ(fromFile["settings"]["cv_growth"], 9);
    a.cuts.clear();
    a.pigs = 0;
    auto r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 2);
    EXPECT_EQ(r["messages"].back(), "The herd was not sold: The number of pigs must be from 1 to 20,000");
    a.pigs = 50;
    a.cvGrowth = -1;
    r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 2);
    EXPECT_EQ(r["messages"].back(), "The herd was not sold: The spread of the growth rate must be from 0 to 30 %");
    a.cvGrowth.reset();
    a.cuts = "160:120,150";
    r = RunHerdCommand(a, nullptr);
    EXPECT_EQ(HerdExitCode(r), 2);
    EXPECT_EQ(r["messages"].back(), "The herd was not sold: Cut 2 must come after cut 1: cuts go in order of age");
    EXPECT_EQ(testing::FolderContents(demo.folder.Str()), files);
    for (const char* bad : {"--yield=0", "--yield=150", "--pigs=x"}) {
        const std::string loc = a.location;
        const char* argv[] = {"tarvisol-cli", "herd", loc.c_str(), bad};
        int code = 0;
        EXPECT_FALSE(ParseCommandLine(4, const_cast<char**>(argv), code).has_value()) << bad;
        EXPECT_EQ(code, 2) << bad;
    }
}

// With every spread at 0 from the command line, the location's herd file
// notwithstanding (it spreads the mature size by 6 %), every pig starts and
// grows alike and is sold alike.
TEST(HerdCommand, WithEverySpreadAtZeroFromTheCommandLineThePigsAreIdentical) {
    DemoCopy demo;
    testing::Spit(demo.folder.File("Demo.hrd"), "Tarvisol herd settings\r\nCV mature size, %\t6\r\n");
    const std::string loc = demo.Location(), csv = "--pigs-csv=" + demo.folder.File("pigs.csv");
    const char* argv[] = {"tarvisol-cli", "herd", loc.c_str(), "--pigs=12", "--cv-weight=0", "--cv-growth=0",
                          "--cv-mature=0", "--cv-maintenance=0", "--cuts=160", csv.c_str()};
    int code = 0;
    const std::optional<CliRequest> rq = ParseCommandLine(10, const_cast<char**>(argv), code);
    ASSERT_TRUE(rq.has_value()) << code;
    const auto r = RunHerdCommand(rq->herd, nullptr);
    ASSERT_EQ(HerdExitCode(r), 0) << r.dump();
    EXPECT_EQ(r["settings"]["cv_mature_size"], 0.0);
    std::string text, error;
    ASSERT_TRUE(ReadTextFile(rq->herd.pigsCsv, text, error)) << error;
    const std::vector<std::string> rows = SplitLines(text);
    ASSERT_GE(rows.size(), 13u);
    for (std::size_t i = 2; i <= 12; ++i)
        EXPECT_EQ(rows[i].substr(rows[i].find(',')), rows[1].substr(rows[1].find(','))) << "pig " << i;
}

}  // namespace
}  // namespace tarvisol::cli
