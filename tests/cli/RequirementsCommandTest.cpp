// tarvisol-cli requirements on a copy of the demo: the JSON layout, the
// balance shared with `growth --json`, minimums set in the session and
// written only on --save, refused margins.
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli/GrowthCommand.h"
#include "cli/RequirementsCommand.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"
#include "support/ProgramRun.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

struct DemoCopy {
    testing::ScratchFolder folder;
    explicit DemoCopy(testing::DemoModel model = testing::DemoModel::DocumentedCurve) {
        testing::CopyDemoLocation(fs::path(folder.Str()), model);
    }
    std::string Location() const { return folder.File("Demo"); }
};

std::vector<std::string> Keys(const nlohmann::json& o) {
    std::vector<std::string> k;
    for (auto it = o.begin(); it != o.end(); ++it) k.push_back(it.key());
    return k;
}

TEST(RequirementsCommand, TheJsonHoldsPhasesAndDaysInTheirLayout) {
    DemoCopy demo;
    RequirementsArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    const auto r = RunRequirementsCommand(a, nullptr);
    ASSERT_EQ(RequirementsExitCode(r), 0) << r.dump();
    ASSERT_EQ(r["phases"].size(), 4u);
    const auto& p = r["phases"][0];
    for (const char* key : {"diet", "from_weight", "to_weight", "days", "nutrients"}) EXPECT_TRUE(p.contains(key)) << key;
    ASSERT_EQ(p["nutrients"].size(), 14u);
    EXPECT_EQ(Keys(p["nutrients"][2]), (std::vector<std::string>{"days_above", "days_below", "name", "nutrient", "ratio",
                                                                 "requirement_percent", "supply_percent"}));
    EXPECT_EQ(p["nutrients"][2]["nutrient"], "lysine");
    EXPECT_EQ(p["nutrients"][2]["name"], "SID LYSINE");
    const auto& d = r["days"][10];
    for (const char* key : {"age", "weight", "feed", "protein_deposition", "nutrients"}) EXPECT_TRUE(d.contains(key)) << key;
    EXPECT_GT(d["protein_deposition"].get<double>(), 50);
    // The phase's figure is the days' requirements over the phase's feed.
    double grams = 0, feed = 0;
    for (const auto& day : r["days"]) {
        if (day["age"].get<int>() >= p["days"].get<int>() + r["days"][0]["age"].get<int>() - 1) break;
        grams += day["nutrients"][2]["requirement_g"].get<double>();
        feed += day["feed"].get<double>();
    }
    EXPECT_NEAR(p["nutrients"][2]["requirement_percent"].get<double>(), grams / feed / 10, 0.01);
}

TEST(RequirementsCommand, TheBalanceIsTheOneGrowthReports) {
    DemoCopy demo;
    RequirementsArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    const auto req = RunRequirementsCommand(a, nullptr);
    GrowthArgs g;
    g.location = demo.Location();
    g.formulation = 1;
    g.sex = 0;
    const auto growth = RunGrowthCommand(g, nullptr);
    ASSERT_TRUE(growth.contains("balance")) << growth.dump();
    const auto& b = growth["balance"];
    for (const char* key : {"n_intake_kg", "n_retained_kg", "n_excreted_kg", "p_intake_kg", "p_retained_kg",
                            "p_excreted_kg", "n_excreted_per_place_year_kg", "p2o5_excreted_per_place_year_kg"}) {
        ASSERT_TRUE(b[key].is_number()) << key;
        EXPECT_EQ(b[key], req["balance"][key]) << key;
    }
    EXPECT_DOUBLE_EQ(b["n_excreted_kg"].get<double>(), b["n_intake_kg"].get<double>() - b["n_retained_kg"].get<double>());
}

// On the bundled genotype: the documented curve's last-phase lysine, plus 5 %,
// lies below the 0.5 % the documented engine takes, and it refuses the diet.
TEST(RequirementsCommand, MinimumsChangeTheFileOnlyOnSave) {
    DemoCopy demo(testing::DemoModel::AsBundled);
    const auto files = testing::FolderContents(demo.folder.Str());
    RequirementsArgs a;
    a.location = demo.Location();
    a.formulation = 1;
    a.setMinimums = true;
    a.margin = 105;
    const auto set = RunRequirementsCommand(a, nullptr);
    EXPECT_EQ(RequirementsExitCode(set), 0) << set.dump();
    ASSERT_EQ(set["minimums"]["changes"].size(), 56u);
    EXPECT_FALSE(set["minimums"]["saved"].get<bool>());
    EXPECT_EQ(testing::FolderContents(demo.folder.Str()), files);

    a.save = true;
    const auto saved = RunRequirementsCommand(a, nullptr);
    EXPECT_EQ(RequirementsExitCode(saved), 0) << saved.dump();
    EXPECT_TRUE(saved["minimums"]["saved"].get<bool>());
    EXPECT_NE(testing::FolderContents(demo.folder.Str()), files);
    // The next run formulates with the saved minimums: its lysine minimum is
    // the requirement where diet 1 starts, times 1.05.
    a.save = false;
    a.setMinimums = false;
    const auto after = RunRequirementsCommand(a, nullptr);
    ASSERT_EQ(RequirementsExitCode(after), 0) << after.dump();
    const double want = saved["minimums"]["changes"][2]["after"].get<double>();
    EXPECT_EQ(saved["minimums"]["changes"][2]["name"], "SID LYSINE");
    EXPECT_GE(after["phases"][0]["nutrients"][2]["supply_percent"].get<double>(), want - 1e-9);
}

#ifdef TARVISOL_CLI
TEST(RequirementsCommand, ExitStatus) {
    DemoCopy demo;
    EXPECT_EQ(testing::RunCli("requirements " + demo.Location() + " --json").status, 0);
    EXPECT_EQ(testing::RunCli("requirements " + demo.Location() + " --set-minimums --margin 10").status, 2);
    EXPECT_EQ(testing::RunCli("requirements " + demo.Location() + " --save").status, 2);
    EXPECT_EQ(testing::RunCli("requirements " + demo.folder.File("Nowhere")).status, 2);  // as growth refuses it
}
#endif

}  // namespace
}  // namespace tarvisol::cli
