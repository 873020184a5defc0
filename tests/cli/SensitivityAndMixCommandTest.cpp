// tarvisol-cli lp --sensitivity and tarvisol-cli mix, end to end.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include "cli/CliArgs.h"
#include "cli/LpCommand.h"
#include "cli/MixCommand.h"
#include "support/ProgramRun.h"

using namespace tarvisol::cli;
using tarvisol::testing::ProgramRun;
using tarvisol::testing::RunCli;

namespace {

const std::string kDemo = std::string(TARVISOL_SOURCE_DIR) + "/examples/demo/Demo";

// A scratch copy of the demo location; `edit` may change its files.
struct ScratchDemo {
    std::filesystem::path dir;
    std::string base;
    ScratchDemo() {
        dir = std::filesystem::temp_directory_path() / ("tarvisol-sens-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        base = (dir / "Demo").string();
        for (const char* e : {"Matrix.txt", "Req.ing", "Req.nut", ".dts"}) std::filesystem::copy_file(kDemo + e, base + e);
    }
    ~ScratchDemo() { std::filesystem::remove_all(dir); }
    void Append(const char* ending, const std::string& line) {
        std::ofstream(base + ending, std::ios::binary | std::ios::app) << line;
    }
    void Replace(const char* ending, const std::string& from, const std::string& to) {
        std::ifstream in(base + ending, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        std::ofstream(base + ending, std::ios::binary | std::ios::trunc) << text;
    }
};

TEST(LpSensitivityCommand, EveryDemoDietGetsShadowPricesAndRangesAsJson) {
    const ProgramRun json = RunCli("lp " + kDemo + " --sensitivity --json");
    const auto r = nlohmann::json::parse(json.out);
    EXPECT_EQ(json.status, 0);
    ASSERT_EQ(r["diets"].size(), 4u);
    for (const auto& d : r["diets"]) {
        ASSERT_TRUE(d.contains("sensitivity"));
        const auto& n = d["sensitivity"]["nutrients"];
        ASSERT_FALSE(n.empty());
        EXPECT_EQ(n[0]["nutrient"], 1);
        EXPECT_EQ(n[0]["name"], "NET ENERGY (NE)");
        EXPECT_EQ(n[0]["bound"], "min");
        for (const auto& e : n) {
            for (const char* key : {"nutrient", "name", "bound", "limit", "content", "binding", "shadow_price", "limit_low", "limit_high"})
                EXPECT_TRUE(e.contains(key)) << key;
            // A limit that does not bind holds its zero shadow price without end on its free side.
            if (!e["binding"].get<bool>()) EXPECT_TRUE((e["bound"] == "min" ? e["limit_low"] : e["limit_high"]).is_null());
        }
        const auto& ing = d["sensitivity"]["ingredients"];
        ASSERT_EQ(ing.size(), 19u);
        EXPECT_EQ(ing[4]["ingredient"], 5);
        EXPECT_EQ(ing[4]["name"], "Corn DDGS");
        for (const auto& e : ing)
            if (e["inclusion"].get<double>() == 0 && e["at_limit"].is_null()) EXPECT_TRUE(e["price_high"].is_null());
    }
    const ProgramRun plain = RunCli("lp " + kDemo + " --sensitivity");
    const std::string& text = plain.out;
    EXPECT_EQ(plain.status, 0);
    EXPECT_NE(text.find("shadow price"), std::string::npos);
    EXPECT_NE(text.find("reduced cost"), std::string::npos);
}

// Names are Windows-1252 bytes in the location files and UTF-8 in the JSON.
TEST(LpSensitivityCommand, NamesComeOutAsUtf8) {
    ScratchDemo demo;
    demo.Replace("Matrix.txt", "Corn DDGS", "Ma\xEFs DDGS");
    LpArgs args;
    args.location = demo.base;
    args.sensitivity = true;
    const auto r = RunLpCommand(args, nullptr);
    EXPECT_EQ(r["diets"][0]["sensitivity"]["ingredients"][4]["name"], "Ma\xC3\xAFs DDGS");
}

TEST(LpSensitivityCommand, AnInfeasibleDietGetsItsDiagnosisAndExitStatusOne) {
    ScratchDemo demo;
    demo.Append("Req.nut", " 2 \t 1 \t4000.0\t0\r\n");  // diet 2 asks for 4000 kcal
    LpArgs args;
    args.location = demo.base;
    args.sensitivity = true;
    const auto r = RunLpCommand(args, nullptr);
    EXPECT_EQ(LpExitCode(r), 1);
    const auto& g = r["diets"][1]["diagnosis"];
    ASSERT_EQ(g["relaxations"].size(), 1u);
    EXPECT_EQ(g["relaxations"][0]["kind"], "nutrient");
    EXPECT_EQ(g["relaxations"][0]["nutrient"], 1);
    EXPECT_EQ(g["relaxations"][0]["bound"], "min");
    EXPECT_EQ(g["relaxations"][0]["limit"], 4000);
    EXPECT_NEAR(g["relaxations"][0]["needed"].get<double>(), 2673.8, 1);
    EXPECT_NEAR(g["total_relative_violation"].get<double>(), (4000 - g["relaxations"][0]["needed"].get<double>()) / 4000, 1e-12);
    EXPECT_TRUE(r["diets"][0].contains("sensitivity"));
    // The same request again in this process gives the same answer.
    EXPECT_EQ(RunLpCommand(args, nullptr).dump(), r.dump());
}

TEST(MixCommand, DemoDietWeighsOutToTheBatch) {
    const ProgramRun run = RunCli("mix " + kDemo + " --diet 3 --batch 500 --json");
    const auto r = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(run.status, 0);
    const auto& m = r["sheet"];
    EXPECT_EQ(m["batch"], 500);
    double sum = 0, previous = 1e9;
    for (const auto& i : m["ingredients"]) {
        sum += i["weight"].get<double>();
        EXPECT_LE(i["weight"].get<double>(), previous);
        previous = i["weight"].get<double>();
    }
    EXPECT_NEAR(sum, 500, 1e-9);
    EXPECT_EQ(m["total"], 500);
    EXPECT_EQ(r["name"], "Finisher 1, 75-100 kg");
    EXPECT_FALSE(m["nutrients"].empty());

    MixArgs args;
    args.location = kDemo;
    args.diet = 3;
    args.batch = 500;
    const auto first = RunMixCommand(args, nullptr);
    EXPECT_EQ(RunMixCommand(args, nullptr).dump(), first.dump());
    EXPECT_EQ(first["sheet"].dump(), m.dump());
}

// The done test of the mill: every demo diet at its default batch and at
// 333 kg breaks no limit; what rounding cannot help is weighing tolerance.
TEST(MixCommand, DemoDietsAtTheirDefaultBatchAndAt333KgBreakNoLimit) {
    int tolerated = 0;
    for (int d = 1; d <= 4; ++d)
        for (const std::string batch : {"", " --batch 333"}) {
            const ProgramRun run = RunCli("mix " + kDemo + " --diet " + std::to_string(d) + batch + " --json");
            ASSERT_EQ(run.status, 0) << d << batch;
            const auto m = nlohmann::json::parse(run.out)["sheet"];
            EXPECT_EQ(m["broken_limits"], 0) << d << batch;
            for (const auto& i : m["ingredients"]) tolerated += i["within_tolerance"].get<bool>();
            for (const auto& n : m["nutrients"]) tolerated += n["within_tolerance"].get<bool>();
        }
    EXPECT_GT(tolerated, 0);  // the odd batch cannot meet every limit exactly
    const std::string text = RunCli("mix " + kDemo + " --diet 1 --batch 333").out;
    for (const char* part : {"Location: ", "Date: ", "Batch number: ", "weighed", "[  ]", "within weighing tolerance"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(MixCommand, RefusedRequestsExitTwoAndAnInfeasibleDietOne) {
    EXPECT_EQ(RunCli("mix " + kDemo + " --diet 7").status, 2);
    EXPECT_EQ(RunCli("mix " + kDemo + " --diet 1 --resolution 0").status, 2);
    EXPECT_EQ(RunCli("mix " + kDemo + " --diet 1 --resolution 5000").status, 2);
    ScratchDemo demo;
    demo.Append("Req.nut", " 2 \t 1 \t4000.0\t0\r\n");
    const ProgramRun run = RunCli("mix " + demo.base + " --diet 2");
    const std::string& text = run.out;
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(text.find("No mixing sheet: Diet 2 is infeasible"), std::string::npos);
}

}  // namespace
