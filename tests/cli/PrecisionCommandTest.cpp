// tarvisol-cli precision on a copy of the demo: the JSON report's differences
// are its strategies' own figures less the phase programme's, a second run in
// the same process gives the same answer and leaves the location's files as
// they were, and options no comparison can take are refused with status 2.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliArgs.h"
#include "cli/PrecisionCommand.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

TEST(PrecisionCommand, DifferencesAreTheStrategiesLessThePhaseAndASecondRunIsTheSame) {
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(fs::path(folder.Str()));
    const auto files = testing::FolderContents(folder.Str());
    PrecisionArgs a;
    a.location = folder.File("Demo");
    a.formulation = 1;
    a.pigs = 40;
    a.threads = 2;
    const auto r = RunPrecisionCommand(a, nullptr);
    ASSERT_EQ(PrecisionExitCode(r), 0) << r.dump();
    const auto& phase = r["strategies"]["phase"];
    for (const char* k : {"group_blend", "precision"}) {
        const auto& s = r["strategies"][k];
        for (const char* f : {"sid_lysine_kg", "n_excreted_kg", "feed_cost", "margin_per_place_year"})
            EXPECT_DOUBLE_EQ(r["differences"][k][f]["change"].get<double>(), s[f].get<double>() - phase[f].get<double>())
                << k << " " << f;
    }
    EXPECT_EQ(r["series"]["group_share"].size(), r["series"]["sid_lysine_percent"]["phase"]["need_group"].size());
    const auto again = RunPrecisionCommand(a, nullptr);
    EXPECT_EQ(again["strategies"], r["strategies"]);
    EXPECT_EQ(testing::FolderContents(folder.Str()), files);

    // Two of the location's diets as the feeds: the report names them.
    a.dietA = 1;
    a.dietB = 3;
    const auto diets = RunPrecisionCommand(a, nullptr);
    ASSERT_EQ(PrecisionExitCode(diets), 0) << diets.dump();
    EXPECT_FALSE(diets["feeds"]["formulated"].get<bool>());
    EXPECT_NE(diets["feeds"]["a"]["name"].get<std::string>().find("Feed A ("), std::string::npos);

    a.dietB = 9;
    EXPECT_EQ(PrecisionExitCode(RunPrecisionCommand(a, nullptr)), 2);
    a.dietA = a.dietB = 0;
    a.location = folder.File("Nowhere");
    EXPECT_EQ(PrecisionExitCode(RunPrecisionCommand(a, nullptr)), 2);
    const std::string loc = folder.File("Demo");
    for (const char* bad : {"--percentile=0", "--percentile=101", "--diets=1,1", "--diets=2", "--pigs=x", "--threads=0"}) {
        const char* argv[] = {"tarvisol-cli", "precision", loc.c_str(), bad};
        int code = 0;
        EXPECT_FALSE(ParseCommandLine(4, const_cast<char**>(argv), code).has_value()) << bad;
        EXPECT_EQ(code, 2) << bad;
    }
}

}  // namespace
}  // namespace tarvisol::cli
