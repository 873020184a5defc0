#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliArgs.h"
#include "cli/GrowCommand.h"

using namespace tarvisol::cli;

namespace {
int Parse(std::vector<std::string> args, std::optional<CliRequest>& out) {
    args.insert(args.begin(), "tarvisol-cli");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    int code = -1;
    out = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), code);
    return code;
}

const std::vector<std::string> kProgramme = {
    "grow", "--start-weight", "25", "--start-age", "60", "--final-weight", "135",
    "--diet", "2450,18,0.462,0.352,1.10,0.198,1.045,0.594,0.638,0.319,0.693,1.111,0.605,0.748,40,0.31",
    "--diet", "2475,16,0.399,0.304,0.95,0.171,0.9025,0.513,0.551,0.2755,0.5985,0.9595,0.5225,0.646,90",
    "--diet", "2500,14,0.336,0.256,0.80,0.144,0.76,0.432,0.464,0.232,0.504,0.808,0.44,0.544,200"};
}  // namespace

TEST(CliArgs, ParsesTheGrowProgramme) {
    std::optional<CliRequest> req;
    ASSERT_EQ(Parse(kProgramme, req), 0);
    ASSERT_TRUE(req);
    EXPECT_EQ(req->grow.diets.size(), 3u);
    EXPECT_EQ(req->grow.diets[0][15], 0.31);
    EXPECT_EQ(req->grow.diets[2][15], 0.0);
    EXPECT_EQ(req->grow.diets[1][14], 90);
    EXPECT_FALSE(req->grow.curve);
}

TEST(CliArgs, BadArgumentsExitWithStatus2) {
    std::optional<CliRequest> req;
    EXPECT_EQ(Parse({"grow", "--start-weight", "25", "--start-age", "60", "--final-weight", "115", "--diet", "1,2,3"}, req), 2);
    EXPECT_EQ(Parse({"grow", "--start-weight", "x", "--start-age", "60", "--final-weight", "115", "--diet", "1"}, req), 2);
    auto args = kProgramme;
    args[4] = "199";
    EXPECT_EQ(Parse(args, req), 2);
    args = kProgramme;
    args[8] += ",7";  // 17 values
    EXPECT_EQ(Parse(args, req), 2);
    EXPECT_EQ(Parse({"frobnicate"}, req), 2);
    EXPECT_EQ(Parse({}, req), 2);
}

TEST(CliArgs, DietValuesMustBeNumbers) {
    std::array<double, 16> d{};
    EXPECT_EQ(ParseDiet("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", d), "");
    EXPECT_NE(ParseDiet("1,2,3,4,5,6,7,8,9,10,11,12,13,14,abc", d), "");
    EXPECT_NE(ParseDiet("1,2,3,4,5,6,7,8,9,10,11,12,13,14,nan", d), "");
    EXPECT_NE(ParseDiet("1,,3,4,5,6,7,8,9,10,11,12,13,14,15", d), "");
}

TEST(GrowCommand, JsonHasEveryKeyAndAConsistentRun) {
    std::optional<CliRequest> req;
    ASSERT_EQ(Parse(kProgramme, req), 0);
    const auto r = RunGrow(req->grow, nullptr);
    EXPECT_FALSE(r["run_failed"].get<bool>());
    EXPECT_GT(r["final_age"].get<double>(), 100);
    EXPECT_TRUE(r["messages"].empty());
    ASSERT_EQ(r["diet_results"].size(), 3u);
    EXPECT_EQ(r["diet_results"][1]["cum_feed"].get<double>(), 130);
    const auto& daily = r["daily"];
    EXPECT_EQ(daily[0]["age"].get<int>(), 60);
    EXPECT_EQ(daily[0]["live_weight"].get<double>(), 25);
    EXPECT_GE(daily.back()["live_weight"].get<double>(), 135);
    EXPECT_EQ(r["carcass_table"].size(), 3u);
    EXPECT_GT(r["carcass_table"][0][0].get<double>(), 15);
    EXPECT_FALSE(r["sex_split"].empty());
    EXPECT_GT(r["cum_feed_0"].get<double>(), 130);
    std::ostringstream table;
    PrintGrow(r, table);
    EXPECT_NE(table.str().find("Final age"), std::string::npos);
}

TEST(GrowCommand, EngineMessagesAreReported) {
    std::optional<CliRequest> req;
    auto args = kProgramme;
    args[2] = "1001";
    args[6] = "2000";
    ASSERT_EQ(Parse(args, req), 0);
    const auto r = RunGrow(req->grow, nullptr);
    EXPECT_TRUE(r["run_failed"].get<bool>());
    EXPECT_EQ(r["messages"][0].get<std::string>(), "alivewt ");
}
