#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliArgs.h"
#include "cli/GrowthCommand.h"
#include "shared/TextFile.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"

using namespace tarvisol::cli;
namespace fs = std::filesystem;

namespace {
class GrowthCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tarvisol_growthcli_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        tarvisol::testing::CopyDemoLocation(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};
}  // namespace

TEST_F(GrowthCommandTest, LeastCostRunReportsWhatTheWindowShows) {
    GrowthArgs a;
    a.location = (dir / "Demo").string();
    a.formulation = 1;
    a.sex = 0;
    a.pigs = 100;
    a.dailyCsv = (dir / "daily.csv").string();
    const auto r = RunGrowthCommand(a, nullptr);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_EQ(r["formulation"], "Least Cost Formulas");
    EXPECT_TRUE(r["messages"].empty()) << r["messages"].dump();
    ASSERT_EQ(r["diets"].size(), 4u);
    // The feed eaten of the diets adds up to the total feed.
    double eaten = 0;
    for (const auto& d : r["diets"])
        if (!d["feed_eaten"].is_null()) eaten += d["feed_eaten"].get<double>();
    EXPECT_NEAR(eaten, r["total_feed"].get<double>(), 0.06);
    EXPECT_GT(r["cost_per_pig"].get<double>(), 10);
    EXPECT_GT(r["males"]["live_weight"].get<double>(), r["females"]["live_weight"].get<double>());
    std::vector<std::string> lines;
    std::string err;
    ASSERT_TRUE(tarvisol::ReadLines(a.dailyCsv, lines, err)) << err;
    EXPECT_EQ(lines[0].rfind("age,live_weight,daily_feed", 0), 0u);
    EXPECT_GT(lines.size(), 40u);
    std::ostringstream out;
    PrintGrowthReport(r, out);
    EXPECT_NE(out.str().find("Cost per pig"), std::string::npos);
}

// An ingredient without a price in the formulas the pig ate: the cost
// figures leave it out and say so.
TEST_F(GrowthCommandTest, ACostLeavingOutAnUnpricedIngredientIsMarked) {
    const std::string matrix = (dir / "DemoMatrix.txt").string();
    std::string text = tarvisol::testing::Slurp(matrix);
    const std::string price = "2500.0\tCost\tVitamin-mineral premix";
    ASSERT_NE(text.find(price), std::string::npos);
    text.replace(text.find(price), price.size(), "0\tCost\tVitamin-mineral premix");
    tarvisol::testing::Spit(matrix, text);
    GrowthArgs a;
    a.location = (dir / "Demo").string();
    a.formulation = 1;
    const auto r = RunGrowthCommand(a, nullptr);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_FALSE(r["price_complete"].get<bool>()) << r.dump();
    ASSERT_EQ(r["unpriced"].size(), 1u) << r.dump();
    EXPECT_EQ(r["unpriced"][0]["name"], "Vitamin-mineral premix");
    std::ostringstream out;
    PrintGrowthReport(r, out);
    EXPECT_NE(out.str().find("cost excludes unpriced: Vitamin-mineral premix"), std::string::npos) << out.str();
}

TEST_F(GrowthCommandTest, TypedValuesAreCheckedAsOnTheWindow) {
    GrowthArgs a;
    a.location = (dir / "Demo").string();
    a.formulation = 2;
    a.startWeight = 15;
    const auto r = RunGrowthCommand(a, nullptr);
    EXPECT_FALSE(r["ran"].get<bool>());
    ASSERT_FALSE(r["messages"].empty());
    EXPECT_EQ(r["messages"].back(), "Starting Weight must be 20 kg or more");
}

// The day table as a spreadsheet reads it: one header row, then numbers only,
// ending on the day the summary shows.
TEST_F(GrowthCommandTest, DailyCsvHoldsNumbersAndEndsOnTheSummarysDay) {
    for (double finalWeight : {118.0, 118.3, 118.6, 120.4}) {
        GrowthArgs a;
        a.location = (dir / "Demo").string();
        a.formulation = 2;
        a.finalWeight = finalWeight;
        a.dailyCsv = (dir / "daily.csv").string();
        const auto r = RunGrowthCommand(a, nullptr);
        ASSERT_TRUE(r["results_valid"].get<bool>()) << r.dump();
        std::vector<std::string> lines;
        std::string err;
        ASSERT_TRUE(tarvisol::ReadLines(a.dailyCsv, lines, err)) << err;
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        ASSERT_GT(lines.size(), 10u);
        std::vector<std::string> last;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::vector<std::string> fields;
            std::stringstream row(lines[i]);
            for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
            for (const auto& f : fields) {
                if (f.empty()) continue;
                std::size_t used = 0;
                EXPECT_NO_THROW((void)std::stod(f, &used)) << lines[i];
                EXPECT_EQ(used, f.size()) << "line " << i << ": " << lines[i];
            }
            last = fields;
        }
        ASSERT_GE(last.size(), 6u);
        EXPECT_NEAR(std::stod(last[4]), r["males"]["live_weight"].get<double>(), 0.05 + 1e-9) << finalWeight;
        EXPECT_NEAR(std::stod(last[5]), r["females"]["live_weight"].get<double>(), 0.05 + 1e-9) << finalWeight;
    }
}

TEST(GrowthArgs, ParsedFromTheCommandLine) {
    std::vector<std::string> args{"tarvisol-cli", "growth", "loc/Demo", "--grid-diets", "--sex", "Females", "--pigs", "50"};
    std::vector<char*> argv;
    for (auto& s : args) argv.push_back(s.data());
    int code = -1;
    auto req = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), code);
    ASSERT_TRUE(req);
    EXPECT_EQ(req->growth.formulation, 2);
    EXPECT_EQ(req->growth.sex, 2);
    EXPECT_EQ(req->growth.pigs, 50);
    std::vector<std::string> bad{"tarvisol-cli", "growth", "loc/Demo", "--least-cost", "--grid-diets"};
    argv.clear();
    for (auto& s : bad) argv.push_back(s.data());
    EXPECT_FALSE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), code));
    EXPECT_EQ(code, 2);
}
