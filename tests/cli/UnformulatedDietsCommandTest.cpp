// lp and mix on locations a user left half made: a diet that cannot be a feed
// is told as not formulated (exit 1), never printed as a formula or a batch.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/ProgramRun.h"

namespace {

using tarvisol::testing::ProgramRun;
using tarvisol::testing::RunCli;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Spit;

class UnformulatedDietsCommandTest : public ::testing::Test {
protected:
    void SetUp() override { tarvisol::testing::CopyDemoLocation(std::filesystem::path(folder.Str())); }
    std::string Demo() const { return folder.File("Demo"); }
    ScratchFolder folder;
};

}  // namespace

TEST_F(UnformulatedDietsCommandTest, NoNutrientRestrictionsIsNoDiet) {
    for (const bool missing : {false, true}) {
        if (missing)
            std::filesystem::remove(folder.File("DemoReq.nut"));
        else
            Spit(folder.File("DemoReq.nut"), "");
        ProgramRun r = RunCli("lp " + Demo() + " --json");
        EXPECT_EQ(r.status, 1) << missing;
        const auto j = nlohmann::json::parse(r.out);
        ASSERT_FALSE(j["diets"].empty());
        for (const auto& d : j["diets"]) {
            EXPECT_FALSE(d["feasible"].get<bool>()) << missing;
            EXPECT_TRUE(d["formula"].empty()) << missing;
            EXPECT_EQ(d["reason"], "no nutrient restrictions: nothing to formulate") << missing;
        }
        r = RunCli("mix " + Demo() + " --diet 1 --json");
        EXPECT_EQ(r.status, 1) << missing;
        const auto m = nlohmann::json::parse(r.out);
        EXPECT_TRUE(m["sheet"].is_null()) << missing;
        EXPECT_EQ(m["problem"], "Diet 1 was not formulated: no nutrient restrictions: nothing to formulate");
    }
}

TEST_F(UnformulatedDietsCommandTest, AMinimumOnANutrientOutsideTheMatrixIsNamedAndTheNutrientListed) {
    // The demo matrix has 22 columns: nutrients 1 to 21.
    {
        std::FILE* f = std::fopen(folder.File("DemoReq.nut").c_str(), "ab");
        std::fputs(" 1 \t 25 \t0.5\t0\r\n", f);
        std::fclose(f);
    }
    const ProgramRun r = RunCli("lp " + Demo() + " --json");
    EXPECT_EQ(r.status, 1);
    const auto j = nlohmann::json::parse(r.out);
    const auto& d1 = j["diets"][0];
    EXPECT_FALSE(d1["feasible"].get<bool>());
    EXPECT_EQ(d1["reason"], "the minimum of nutrient 25 (0.5) cannot be met: no ingredient holds it");
    EXPECT_TRUE(j["diets"][1]["feasible"].get<bool>());
    EXPECT_TRUE(j["diets"][1]["nutrients"].contains("Nutrient 25")) << j["diets"][1]["nutrients"].dump();
}
