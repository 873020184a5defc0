#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include "cli/CliArgs.h"
#include "cli/LpCommand.h"
#include "support/ProgramRun.h"

using namespace tarvisol::cli;
using tarvisol::testing::ProgramRun;
using tarvisol::testing::RunCli;

namespace {

const std::string kDemo = std::string(TARVISOL_SOURCE_DIR) + "/examples/demo/Demo";

TEST(LpCommand, DemoLocationFormulatesEveryDietAsJson) {
    const ProgramRun run = RunCli("lp " + kDemo + " --json");
    const auto r = nlohmann::json::parse(run.out);
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(r["diets"].size(), 4u);
    EXPECT_TRUE(r["messages"].empty());
    double previous = 1e9;
    for (const auto& d : r["diets"]) {
        EXPECT_TRUE(d["feasible"].get<bool>());
        double sum = 0, premix = 0, lysine = 0;
        for (const auto& i : d["formula"]) {
            sum += i["percent"].get<double>();
            if (i["name"] == "Vitamin-mineral premix") premix = i["percent"].get<double>();
        }
        for (const auto& n : d["nutrients"])
            if (n["name"] == "SID LYSINE") lysine = n["content"].get<double>();
        EXPECT_NEAR(sum, 100, 1e-6);
        EXPECT_NEAR(premix, 0.25, 1e-9);
        EXPECT_GE(lysine, 0.67 - 1e-9);
        // Later phases need less lysine and cost less per tonne.
        EXPECT_LT(d["price"].get<double>(), previous);
        previous = d["price"].get<double>();
    }
    EXPECT_EQ(r["diets"][0]["name"], "Grower 1, 25-50 kg");
}

TEST(LpCommand, InfeasibleDietsAndMissingLocationsSetTheExitStatus) {
    const auto dir = std::filesystem::temp_directory_path() / ("tarvisol-lpcli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string base = (dir / "Hard").string();
    for (const char* e : {"Matrix.txt", "Req.ing", ".dts"}) std::filesystem::copy_file(kDemo + e, base + e);
    // Diet 2 asks for 4000 kcal net energy.
    std::filesystem::copy_file(kDemo + "Req.nut", base + "Req.nut");
    {
        std::FILE* f = std::fopen((base + "Req.nut").c_str(), "ab");
        std::fputs(" 2 \t 1 \t4000.0\t0\r\n", f);
        std::fclose(f);
    }
    LpArgs args;
    args.location = base;
    const auto r = RunLpCommand(args, nullptr);
    EXPECT_EQ(LpExitCode(r), 1);
    EXPECT_FALSE(r["diets"][1]["feasible"].get<bool>());
    EXPECT_TRUE(r["diets"][1]["price"].is_null());
    EXPECT_TRUE(r["diets"][0]["feasible"].get<bool>());
    EXPECT_EQ(r["messages"], nlohmann::ordered_json::array({"Diet No2was Infeasible\nNET ENERGY (NE) minimum 4000: at most "
                                                             "2673 reachable with these ingredients and limits"}));

    const ProgramRun run = RunCli("lp " + (dir / "Nowhere").string());
    const std::string& text = run.out;
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(text.find("Nothing formulated"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
