// optimise --objective margin-*: the three programmes in one report, each
// diet's levels, and the herd refused until it is valued.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/OptimiseCommand.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

TEST(MarginOptimiseCommand, ReportsTheBestBesideTheCostMinimumAndTheCurrentOnOneMeasure) {
    testing::ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    OptimiseArgs args;
    args.location = (fs::path(folder.Str()) / "Demo").string();
    args.objective = "margin-pig";
    std::ostringstream messages;
    const nlohmann::json r = RunOptimiseCommand(args, &messages);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump(1);
    EXPECT_EQ(r["objective"], "margin-pig");
    // The demo grows the documented curve: the search says which pig it grew.
    EXPECT_EQ(r["model"], "response");
    ASSERT_FALSE(r["messages"].empty());
    const double best = r["best"]["margin_per_pig"].get<double>();
    EXPECT_GE(best, r["cost_minimum"]["margin_per_pig"].get<double>());
    EXPECT_GE(best, r["current"]["margin_per_pig"].get<double>());
    EXPECT_EQ(r["sale_weight"], r["best"]["sale_weight"]);
    for (const char* which : {"best", "cost_minimum", "current"}) {
        const auto& diets = r[which]["diets"];
        ASSERT_EQ(diets.size(), 4u) << which;
        for (const auto& d : diets) {
            EXPECT_GT(d["ne"].get<double>(), 1500) << which;
            EXPECT_GT(d["sid_lysine"].get<double>(), 0) << which;
            EXPECT_GT(d["lysine_of_requirement"].get<double>(), 0) << which;
            EXPECT_GT(d["allotment"].get<double>(), 0) << which;
        }
    }
    EXPECT_EQ(r["sensitivity"].size(), 6u);
    // No file of the location was written.
    std::size_t files = 0;
    for (auto& e : fs::directory_iterator(folder.Str())) files += e.path().filename().string().find("OPT") != std::string::npos;
    EXPECT_EQ(files, 0u);
}

TEST(MarginOptimiseCommand, TheHerdIsRefusedWithItsReason) {
    OptimiseArgs args;
    args.location = "nowhere/Demo";
    args.objective = "margin-place-year";
    args.herd = true;
    const nlohmann::json r = RunOptimiseCommand(args, nullptr);
    EXPECT_TRUE(r["refused"].get<bool>());
    ASSERT_EQ(r["messages"].size(), 1u);
    EXPECT_NE(r["messages"][0].get<std::string>().find("--herd"), std::string::npos);
}

}  // namespace
}  // namespace tarvisol::cli
