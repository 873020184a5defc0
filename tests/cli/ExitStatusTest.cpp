// tarvisol-cli end to end: 0 only when every figure printed holds, 1 when a
// result is missing or failed, 2 when the input was refused; --json output is
// always valid UTF-8 JSON, whatever bytes the location's names hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "location/ScratchFolder.h"
#include "support/BuildPaths.h"
#include "support/DemoLocation.h"
#include "support/ProgramRun.h"

namespace {

using tarvisol::testing::ProgramRun;
using tarvisol::testing::RunCli;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;

void Replace(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = Slurp(path);
    const auto at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    Spit(path, text);
}

class ExitStatusTest : public ::testing::Test {
protected:
    void SetUp() override { tarvisol::testing::CopyDemoLocation(std::filesystem::path(folder.Str())); }
    std::string Demo() const { return folder.File("Demo"); }
    ScratchFolder folder;
};

const std::string kDiet2 = "2475,16,0.4,0.3,0.95,0.17,0.9,0.51,0.55,0.28,0.6,0.96,0.52,0.65,90,0.29";

}  // namespace

TEST_F(ExitStatusTest, GrowthCommand) {
    ProgramRun r = RunCli("growth " + Demo() + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["reached_final_weight"].get<bool>());
    EXPECT_TRUE(j["results_valid"].get<bool>());

    r = RunCli("growth " + Demo() + " --grid-diets --final-weight 300 --json");
    EXPECT_EQ(r.status, 1);
    j = nlohmann::json::parse(r.out);
    EXPECT_FALSE(j["reached_final_weight"].get<bool>());
    EXPECT_FALSE(j["results_valid"].get<bool>());
    EXPECT_EQ(j["outcome"], "final_weight_not_reached");
    EXPECT_TRUE(j["ran"].get<bool>());  // what the run has is shown

    r = RunCli("growth " + Demo() + " --start-weight 15");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Starting Weight must be 20 kg or more"), std::string::npos) << r.out;

    r = RunCli("growth " + Demo() + " --daily-csv " + folder.File("no/such/folder/daily.csv"));
    EXPECT_EQ(r.status, 1);
}

TEST_F(ExitStatusTest, GrowCommand) {
    const std::string start = "grow --start-weight 25 --start-age 60 --diet " + kDiet2;
    EXPECT_EQ(RunCli(start + " --final-weight 115").status, 0);
    ProgramRun r = RunCli(start + " --final-weight 300 --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(nlohmann::json::parse(r.out)["reached_final_weight"].get<bool>());
    r = RunCli("grow --start-weight 25 --start-age 60 --final-weight 115 --diet 0" + kDiet2.substr(4) + " --json");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(nlohmann::json::parse(r.out)["messages"][0], "Look at the Energy Value of Diet 1");
    EXPECT_EQ(RunCli("grow --start-weight 25 --start-age 197 --final-weight 115 --diet " + kDiet2).status, 2);
}

TEST_F(ExitStatusTest, LpCommandNeverShowsAnUnformulatedDietAsFormulated) {
    Replace(Demo() + "Matrix.txt", "\n175.00\tCost\tCorn", "\n0\tCost\tCorn");
    ProgramRun r = RunCli("lp " + Demo());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("feasible"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Diet 1 (Grower 1, 25-50 kg): not formulated: prices are missing for Corn"), std::string::npos)
        << r.out;
    r = RunCli("lp " + Demo() + " --json");
    EXPECT_EQ(r.status, 1);
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["diets"].size(), 4u);
    for (const auto& d : j["diets"]) {
        EXPECT_FALSE(d["feasible"].get<bool>());
        EXPECT_EQ(d["reason"], "prices are missing for Corn");
        EXPECT_TRUE(d["price"].is_null());
        EXPECT_TRUE(d["formula"].empty());
    }
}

TEST_F(ExitStatusTest, SingleByteNamesPrintAsUtf8Json) {
    Replace(Demo() + "Matrix.txt", "\r\nCorn\r\n", "\r\nMa\xEFs\r\n");
    Replace(Demo() + ".dts", "Grower 1, 25-50 kg", "Croissance \xE9t\xE9");
    ProgramRun r = RunCli("lp " + Demo() + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["diets"][0]["name"], "Croissance \u00e9t\u00e9");
    EXPECT_EQ(j["diets"][0]["formula"][0]["name"], "Ma\u00efs") << j["diets"][0]["formula"].dump();

    r = RunCli("growth " + Demo() + " --least-cost --json");
    ASSERT_EQ(r.status, 0) << r.out;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["diets"][0]["name"], "Croissance \u00e9t\u00e9");
}

TEST_F(ExitStatusTest, RefusedInputExitsTwoOnEveryCommand) {
    const std::string nowhere = folder.File("Nowhere/Demo");
    for (const char* command : {"optimise", "plot"}) {
        const ProgramRun r = RunCli(std::string(command) + " " + nowhere + " --json");
        EXPECT_EQ(r.status, 2) << command << "\n" << r.out;
        EXPECT_TRUE(nlohmann::json::parse(r.out)["refused"].get<bool>()) << command;
    }
    // The location's absence is the reason told, not a value it would have held.
    for (const char* command : {"herd", "market", "calibrate"}) {
        const ProgramRun r = RunCli(std::string(command) + " " + nowhere + " --json");
        EXPECT_EQ(r.status, 2) << command << "\n" << r.out;
        EXPECT_NE(r.out.find("The location " + nowhere + " was not found"), std::string::npos) << command << "\n" << r.out;
    }
    // More pigs than the program can count is refused, not taken for 20.
    for (const char* pigs : {"1e12", "2000000000"}) {
        const ProgramRun r = RunCli("growth " + Demo() + " --pigs " + pigs);
        EXPECT_EQ(r.status, 2) << pigs;
    }
    EXPECT_EQ(RunCli("growth " + Demo() + " --pigs 1999999999 --json").status, 0);
}

// Every command on a location that does not exist says so, and nothing else:
// not a figure the location would have held.
TEST_F(ExitStatusTest, ALocationThatDoesNotExistIsSaidToBeMissing) {
    const std::string nowhere = folder.File("Nowhere/Demo");
    for (const char* command : {"plot", "optimise"}) {
        const ProgramRun r = RunCli(std::string(command) + " " + nowhere + " --json");
        EXPECT_EQ(r.status, 2) << command << "\n" << r.out;
        const auto j = nlohmann::json::parse(r.out);
        ASSERT_EQ(j["messages"].size(), 1u) << command << "\n" << r.out;
        EXPECT_EQ(j["messages"][0], "The location " + nowhere + " was not found: there is no " + nowhere + ".pig")
            << command;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("Nowhere")));
}

// Paths come out as names do: a folder named in Windows-1252 or in UTF-8
// reads the same in every --json object.
TEST_F(ExitStatusTest, SingleBytePathsPrintAsUtf8Json) {
    for (const char* cafe : {"Caf\xE9", "Caf\xC3\xA9"}) {
        const std::string dir = folder.File(cafe);
        std::filesystem::create_directories(dir);
        tarvisol::testing::CopyDemoLocation(std::filesystem::path(dir));
        for (const bool there : {true, false}) {
            const std::string base = dir + (there ? "/Demo" : "/Nowhere");
            std::vector<std::pair<std::string, std::string>> commands = {{"lp", ""}, {"mix", " --diet 1"}, {"growth", ""}};
            if (!there) commands.insert(commands.end(), {{"optimise", ""}, {"plot", ""}});
            for (const auto& [command, extra] : commands) {
                const ProgramRun r = RunCli(command + " '" + base + "'" + extra + " --json");
                EXPECT_EQ(r.status, there ? 0 : 2) << command << " " << base;
                ASSERT_TRUE(nlohmann::json::accept(r.out)) << command << " " << base;
                const auto j = nlohmann::json::parse(r.out);
                EXPECT_NE(j["location"].get<std::string>().find("Caf\u00e9"), std::string::npos)
                    << command << " " << j["location"];
            }
        }
    }
}

// The guide's command table lists every command the program has.
TEST(CommandLineHelp, TheGuideListsEveryCommand) {
    const std::string help = RunCli("--help").out;
    const std::string guide = Slurp(std::string(TARVISOL_SOURCE_DIR) + "/docs/guide.md");
    const std::size_t from = help.find("Subcommands:");
    ASSERT_NE(from, std::string::npos) << help;
    int commands = 0;
    for (std::size_t at = help.find('\n', from); at != std::string::npos && at + 3 < help.size(); at = help.find('\n', at + 1)) {
        if (help.compare(at + 1, 2, "  ") != 0) continue;
        const std::size_t start = help.find_first_not_of(' ', at + 1);
        const std::string name = help.substr(start, help.find(' ', start) - start);
        ++commands;
        EXPECT_NE(guide.find("`tarvisol-cli " + name + " "), std::string::npos) << name << " is missing from the guide";
    }
    EXPECT_GE(commands, 13);
}
