// A new location from the ingredient library: its diets end near the chosen
// weights, the requirement template is NRC (2012) Table 16-1A's, and nothing
// existing is touched, nor anything left behind when it cannot be made.
#include "support/BuildPaths.h"
#include "location/NewLocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "formulation/FormulationFiles.h"
#include "formulation/RequirementTemplate.h"
#include "location/ScratchFolder.h"
#include "shared/TextFile.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

const IngredientLibrary& Library() {
    static const IngredientLibrary lib = [] {
        IngredientLibrary l;
        std::string error;
        LoadIngredientLibrary(std::string(TARVISOL_SOURCE_DIR) + "/examples/" + kLibraryFileName, l, error);
        return l;
    }();
    return lib;
}

NewLocationPlan Plan(const std::string& base, std::vector<std::string> names) {
    NewLocationPlan p;
    p.base = base;
    for (const std::string& n : names) p.ingredients.push_back(*FindLibraryIngredient(Library(), n));
    p.weights = {25, 50, 75, 100, 125};
    return p;
}

const std::vector<std::string> kTen = {"Corn",       "Soybean meal 47", "Corn DDGS",    "Soybean oil",   "Limestone",
                                       "Monocalcium phosphate", "Salt", "L-Lysine HCl", "DL-Methionine", "L-Threonine"};

TEST(NewLocation, EachDietEndsNearItsChosenWeightOnTheTemplatesMinimums) {
    tarvisol::testing::ScratchFolder dir;
    const std::string base = dir.File("North/North");
    const NewLocationOutcome made = MakeNewLocation(Plan(base, kTen));
    ASSERT_TRUE(made.made) << made.error;
    EXPECT_EQ(made.files.size(), 5u);
    ASSERT_EQ(made.diets.size(), 4u);
    // A diet ends on the day its allotment runs out, at that day's starting
    // weight: within half a day's gain (under 1 kg) of the chosen weight.
    for (int d = 0; d < 3; ++d) EXPECT_NEAR(made.diets[d].endWeight, made.diets[d].toKg, 1.0) << d;
    EXPECT_NEAR(made.diets[3].endWeight, 125, 1e-6);
    EXPECT_EQ(made.diets[0].name, "25-50 kg");
    std::vector<std::string> matrix, nut;
    std::string error;
    ASSERT_TRUE(ReadLines(base + "Matrix.txt", matrix, error));
    EXPECT_EQ(matrix[0], " 10            22 ");
    EXPECT_EQ(matrix[1], "Corn");
    EXPECT_EQ(matrix[11], "NET ENERGY (NE)");
    EXPECT_EQ(matrix[31], "TOTAL PHOSPHORUS");
    ASSERT_TRUE(ReadLines(base + "Req.nut", nut, error));
    // Diet 1 (25-50 kg): SID lysine (nutrient 5), STTD phosphorus (16) within its range.
    EXPECT_NE(std::find(nut.begin(), nut.end(), " 1 \t 5 \t0.9800\t0"), nut.end());
    EXPECT_NE(std::find(nut.begin(), nut.end(), " 1 \t 16 \t0.3100\t0.4100"), nut.end());
}

// The ingredient maximum each diet of a new location is written with, by
// its diet and the ingredient's place in the matrix: none when the file has
// no line for it.
double WrittenMaximum(const std::vector<std::string>& ing, int diet, int ingredient) {
    for (const std::string& line : ing) {
        const RestrictionLine r = ParseRestrictionLine(line);
        if (r.diet == diet && r.index == ingredient) return r.maximum;
    }
    return NAN;
}

// Corn DDGS may make 30 % of a diet, 15 % of one that starts at 100 kg or
// more (the library's max and max_finish); soybean oil 5 and 3 %. A diet
// that starts below 100 kg keeps the growing maximum even when it ends
// above; one starting at 100 kg takes the finishing one.
TEST(NewLocation, ADietTakesTheFinishingMaximumsOnlyWhenItStartsAt100KgOrMore) {
    const int ddgs = 3, oil = 4;  // places in kTen
    // 95-110 kg straddles the boundary, 100-125 kg starts on it; in both
    // plans only the last diet is a finishing one.
    for (const std::vector<double>& weights : {std::vector<double>{25, 60, 95, 110, 125}, std::vector<double>{25, 50, 75, 100, 125}}) {
        tarvisol::testing::ScratchFolder dir;
        NewLocationPlan plan = Plan(dir.File("North"), kTen);
        plan.weights = weights;
        const NewLocationOutcome made = MakeNewLocation(plan);
        ASSERT_TRUE(made.made) << made.error;
        ASSERT_EQ(made.diets.size(), 4u);
        std::vector<std::string> ing;
        std::string error;
        ASSERT_TRUE(ReadLines(dir.File("NorthReq.ing"), ing, error)) << error;
        const double ddgsMax[4] = {30, 30, 30, 15}, oilMax[4] = {5, 5, 5, 3};
        for (int d = 1; d <= 4; ++d) {
            EXPECT_EQ(WrittenMaximum(ing, d, ddgs), ddgsMax[d - 1]) << made.diets[static_cast<std::size_t>(d - 1)].name;
            EXPECT_EQ(WrittenMaximum(ing, d, oil), oilMax[d - 1]) << made.diets[static_cast<std::size_t>(d - 1)].name;
        }
    }
}

TEST(NewLocation, AFolderHoldingALocationOrAnyOfTheFilesIsRefusedUntouched) {
    tarvisol::testing::ScratchFolder dir;
    { std::ofstream(dir.File("Old.pig")) << "x"; }
    NewLocationOutcome r = MakeNewLocation(Plan(dir.File("North"), kTen));
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.error, dir.Str() + " already holds a location (Old.pig); choose an empty folder or a new one");
    EXPECT_EQ(dir.Count(), 1u);
    fs::remove(dir.File("Old.pig"));
    { std::ofstream(dir.File("NorthReq.ing")) << "kept"; }
    r = MakeNewLocation(Plan(dir.File("North"), kTen));
    EXPECT_EQ(r.error, dir.File("NorthReq.ing") + " already exists; nothing was written");
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_EQ(CheckNewLocation(Plan(dir.File("North.v2"), kTen)), "The base name of a location holds no period: North.v2");
}

TEST(NewLocation, IngredientsThatMeetNoDietLeaveNothingBehind) {
    tarvisol::testing::ScratchFolder dir;
    const NewLocationOutcome r = MakeNewLocation(Plan(dir.File("New/Herd/Herd"), {"Corn", "Salt"}));
    EXPECT_FALSE(r.made);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.error.rfind("The chosen ingredients give no diet that meets the minimums: ", 0), 0u) << r.error;
    EXPECT_EQ(dir.Count(), 0u);
}

TEST(NewLocation, TheTemplateIsNrcTable16_1AReadAtTheMiddleOfTheDietsRange) {
    const TemplateMinimums grower = NutrientTemplate(25, 50), finisher = NutrientTemplate(100, 135);
    EXPECT_DOUBLE_EQ(grower.sid[2], 0.98);
    EXPECT_DOUBLE_EQ(grower.calcium, 0.66);
    EXPECT_DOUBLE_EQ(grower.sttdPhosphorus, 0.31);
    EXPECT_DOUBLE_EQ(finisher.sid[2], 0.61);
    EXPECT_DOUBLE_EQ(finisher.calcium, 0.46);
    EXPECT_DOUBLE_EQ(finisher.sttdPhosphorus, 0.21);
    EXPECT_DOUBLE_EQ(NutrientTemplate(50, 75).sid[2], 0.85);
    EXPECT_DOUBLE_EQ(NutrientTemplate(40, 60).sid[2], 0.915);  // half-way between 25-50 and 50-75
    EXPECT_DOUBLE_EQ(grower.sid[8], 0.588);                    // threonine 60 % of lysine
    EXPECT_DOUBLE_EQ(finisher.sid[8], 0.403);                  // 66 % in the last range
    EXPECT_DOUBLE_EQ(grower.sodium, 0.10);
}

}  // namespace
