// lp and mix on locations a user left half made: a diet that cannot be a feed
// is told as not formulated (exit 1), never printed as a formula or a batch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "location/ScratchFolder.h"
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
    const auto& listed = j["diets"][1]["nutrients"];
    ASSERT_EQ(listed.size(), 25u);
    EXPECT_EQ(listed[24], nlohmann::json::parse(R"({"nutrient": 25, "name": "Nutrient 25", "content": 0.0})"));
}

TEST_F(UnformulatedDietsCommandTest, AFormulaWithAnIngredientWithoutAPriceNamesIt) {
    Replace(folder.File("DemoMatrix.txt"), "140.00\tCost\tWheat middlings", "0\tCost\tWheat middlings");
    ProgramRun r = RunCli("lp " + Demo() + " --json");
    const auto j = nlohmann::json::parse(r.out);
    int named = 0;
    for (const auto& d : j["diets"]) {
        ASSERT_TRUE(d["feasible"].get<bool>());
        bool in = false;
        for (const auto& i : d["formula"]) in = in || i["name"] == "Wheat middlings";
        EXPECT_EQ(d["price_complete"].get<bool>(), !in);
        if (in) {
            ++named;
            EXPECT_EQ(d["unpriced"], nlohmann::json::parse(R"([{"ingredient": 6, "name": "Wheat middlings"}])"));
        } else {
            EXPECT_TRUE(d["unpriced"].empty());
        }
    }
    ASSERT_GT(named, 0);
    EXPECT_EQ(r.status, 1);  // a price that leaves an ingredient out does not hold
    r = RunCli("lp " + Demo());
    EXPECT_NE(r.out.find("(leaves out Wheat middlings: no price)"), std::string::npos) << r.out;
}

TEST_F(UnformulatedDietsCommandTest, IngredientsThatShareANameOrHaveNoneAreKeptApartByRow) {
    // Wheat (row 3) renamed Corn, as a copied matrix row would be, and Barley
    // (row 4) left without a name.
    Replace(folder.File("DemoMatrix.txt"), "\r\nWheat\r\n", "\r\nCorn\r\n");
    Replace(folder.File("DemoMatrix.txt"), "\r\nBarley\r\n", "\r\n\r\n");
    const ProgramRun r = RunCli("lp " + Demo() + " --json");
    const auto j = nlohmann::json::parse(r.out);
    bool bothCorns = false;
    for (const auto& d : j["diets"]) {
        ASSERT_TRUE(d["feasible"].get<bool>());
        double sum = 0;
        std::set<int> rows;
        for (const auto& i : d["formula"]) {
            sum += i["percent"].get<double>();
            rows.insert(i["ingredient"].get<int>());
            if (i["ingredient"] == 4) EXPECT_EQ(i["name"], "Ingredient 4");
        }
        EXPECT_EQ(rows.size(), d["formula"].size());
        EXPECT_NEAR(sum, 100, 1e-6);
        bothCorns = bothCorns || (rows.count(1) && rows.count(3));
    }
    const auto& m = j["messages"];
    EXPECT_NE(std::find(m.begin(), m.end(), "Ingredients 1, 3 of the matrix share the name Corn; the formulas keep them "
                                              "apart by their row"),
              m.end())
        << m.dump();
    EXPECT_NE(std::find(m.begin(), m.end(), "Ingredient 4 of the matrix has no name; it is shown as \"Ingredient 4\""),
              m.end());
    if (bothCorns) EXPECT_NE(RunCli("lp " + Demo()).out.find("Corn (row 3)"), std::string::npos);
}

TEST_F(UnformulatedDietsCommandTest, NoDietFileOrAnUnreadableOneIsRefused) {
    for (const bool missing : {true, false}) {
        if (missing)
            std::filesystem::remove(folder.File("Demo.dts"));
        else
            Spit(folder.File("Demo.dts"), std::string("\xff\xfe\0garbage", 10));
        ProgramRun r = RunCli("lp " + Demo() + " --json");
        EXPECT_EQ(r.status, 2) << missing;
        const auto j = nlohmann::json::parse(r.out);
        EXPECT_TRUE(j["diets"].empty());
        EXPECT_EQ(j["problem"], "No diets to formulate: " + Demo() + ".dts " +
                                    (missing ? "is missing" : "could not be read"));
        r = RunCli("lp " + Demo());
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.out.find("Nothing formulated: no diets"), std::string::npos) << r.out;
    }
}
