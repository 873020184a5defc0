// The optimise command end to end on a scratch copy of the demo location.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/OptimiseCommand.h"
#include "location/ScratchFolder.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

std::string CopyDemo(const testing::ScratchFolder& folder) {
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    return (fs::path(folder.Str()) / "Demo").string();
}

TEST(OptimiseCommand, DemoOnLeastCostDietsEndsCheaperOrSaysSo) {
    testing::ScratchFolder folder;
    OptimiseArgs args;
    args.location = CopyDemo(folder);
    std::ostringstream messages;
    RecordingProgress progress;
    const nlohmann::json r = RunOptimiseCommand(args, &messages, &progress);
    // The search ran its stages from the Growth run's cost per pig.
    EXPECT_GT(r["cost_per_pig_before"].get<double>(), 0);
    EXPECT_GT(r["evaluations"].get<int>(), 3 * 12);
    bool stage3 = false;
    for (const auto& e : progress.entries) stage3 = stage3 || e.stage.rfind("Stage 3", 0) == 0;
    EXPECT_TRUE(stage3);
    if (!r["ran"].get<bool>()) {
        // Nothing cheaper within the ranges: said so, and no result file.
        ASSERT_FALSE(r["messages"].empty());
        EXPECT_EQ(r["messages"].back().get<std::string>().rfind("This Optimization could not find a lower answer", 0), 0u);
        EXPECT_FALSE(r.contains("result_file"));
        std::size_t files = 0;
        for (auto& e : fs::directory_iterator(folder.Str())) files += e.path().filename().string().find("OPT") != std::string::npos;
        EXPECT_EQ(files, 0u);
        return;
    }
    const double before = r["cost_per_pig_before"].get<double>();
    const double after = r["cost_per_pig_after"].get<double>();
    EXPECT_GT(before, 0);
    EXPECT_GT(after, 0);
    EXPECT_LE(after, before + 1e-9);
    EXPECT_NEAR(r["percent_saved"].get<double>(), (before - after) * 100 / before, 1e-9);
    ASSERT_EQ(r["diets"].size(), 4u);
    for (const auto& d : r["diets"]) {
        EXPECT_GT(d["optimum"]["feed_weight"].get<double>(), 0);
        EXPECT_GT(d["optimum"]["energy"].get<double>(), 0);
        EXPECT_GT(d["optimum"]["price"].get<double>(), 0);
    }
    // The searched values stay inside the ranges "Program Add Min Max" set
    // around the starting programme (the last diet's feed is the rest of the pig's feed).
    for (int d = 0; d < 3; ++d) {
        const auto& st = r["diets"][d]["start"];
        const auto& op = r["diets"][d]["optimum"];
        EXPECT_GE(op["feed_weight"].get<double>(), 0.8 * st["feed_weight"].get<double>() - 1e-6);
        EXPECT_LE(op["feed_weight"].get<double>(), 1.2 * st["feed_weight"].get<double>() + 1e-6);
    }

    // The result file is in the location's folder under the location's name.
    const std::string file = r["result_file"].get<std::string>();
    EXPECT_EQ(fs::path(file).parent_path(), fs::path(folder.Str()));
    EXPECT_EQ(fs::path(file).filename().string().rfind("DemoOPT", 0), 0u);
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(ReadLines(file, lines, error)) << error;
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[1], "DIET Results:          Calculated Diet Contents");

    std::ostringstream printed;
    PrintOptimiseReport(r, printed);
    EXPECT_NE(printed.str().find("Result file: " + file), std::string::npos);
}

TEST(OptimiseCommand, AMissingLocationDoesNotRun) {
    testing::ScratchFolder folder;
    OptimiseArgs args;
    args.location = folder.File("Nowhere");
    std::ostringstream messages;
    const nlohmann::json r = RunOptimiseCommand(args, &messages);
    EXPECT_FALSE(r["ran"].get<bool>());
    EXPECT_TRUE(r["refused"].get<bool>());
    std::ostringstream printed;
    PrintOptimiseReport(r, printed);
    EXPECT_NE(printed.str().find("did not run"), std::string::npos) << printed.str();
}

}  // namespace
}  // namespace tarvisol::cli

