// Readers fed numbers that index the tables: a negative one, 0 where the
// table starts at 1, one past the end, next to the first and the last that
// fit. Those that fit are stored; the others are skipped with the line told,
// and nothing outside the tables is touched (which would raise error 9).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "location/CalFile.h"
#include "formulation/FormulationFiles.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/FormulationFixture.h"

namespace tarvisol {
namespace {
using testing::Spit;

struct RestrictionIndices : ::testing::Test, testing::FormulationFixture {
    class testing::ScratchFolder folder;  // the class, not the fixture's function of that name
    std::string base = folder.File("Farm");
};

TEST_F(RestrictionIndices, DietsAndIngredientsOutsideTheTablesAreSkippedAndTold) {
    LoadToyMatrix();
    Spit(base + kIngredientEnding,
         " 1 \t 1 \t0\t40\r\n"      // fits
         "-1 \t 2 \t0\t5\r\n"       // diet below the first
         " 0 \t 2 \t0\t5\r\n"       // diet 0
         " 9 \t 2 \t0\t5\r\n"       // one diet past the last
         " 8 \t 2 \t0\t6\r\n"       // the last diet
         " 1 \t-1 \t0\t5\r\n"       // ingredient below the first
         " 1 \t 101 \t0\t5\r\n"     // one ingredient past the last
         " 2 \t 100 \t0\t0\r\n");   // the last ingredient, empty limits
    Spit(base + "Req.Nut", " 1 \t 1 \t2400\t0\r\n");
    ASSERT_NO_THROW(ReadRestrictions(*s, base + kIngredientEnding));
    const auto m = dialogs.Messages();
    ASSERT_GE(m.size(), 1u);
    EXPECT_EQ(m[0], base + kIngredientEnding + ": 5 lines skipped, outside the tables"
                                               "\nline 2: diet -1 (diets run from 1 to 8)"
                                               "\nline 3: diet 0 (diets run from 1 to 8)"
                                               "\nline 4: diet 9 (diets run from 1 to 8)"
                                               "\nline 6: ingredient -1 (at most 100)"
                                               "\nline 7: ingredient 101 (at most 100)");
    EXPECT_EQ(s->IngredientLimits(1, 2, 1), 40);
    EXPECT_EQ(s->IngredientLimits(8, 2, 2), 6);
    for (int d = 0; d <= 7; ++d) EXPECT_EQ(s->IngredientLimits(d, 2, 2), 0) << d;
    EXPECT_EQ(s->IngredientCount, 100);  // the last ingredient was read
}

TEST_F(RestrictionIndices, NutrientsOutsideTheTablesAreSkippedAndTold) {
    LoadToyMatrix();
    Spit(base + "Req.Nut",
         " 1 \t 1 \t2400\t0\r\n"
         " 1 \t-1 \t1\t2\r\n"      // nutrient below the first
         " 1 \t 122 \t1\t2\r\n"    // one past the last column
         " 1 \t 121 \t0\t0\r\n");  // the last column
    ASSERT_NO_THROW(ReadNutrientRestrictions(*s, base + "Req.Nut"));
    const auto m = dialogs.Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0], base + "Req.Nut: 2 lines skipped, outside the tables"
                           "\nline 2: nutrient -1 (at most 121)"
                           "\nline 3: nutrient 122 (at most 121)");
    EXPECT_EQ(s->NutrientLimits(1, 1, 1), 2400);
    EXPECT_EQ(s->NutrientCount, 121);
}

// Unit and herd-sex lines of a .pig one past either end of their lists.
TEST(PigFileIndices, UnitsAndHerdSexJustOutsideTheirListsFallBackAndAreTold) {
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    s->Main = w.get();
    s->Dialog = &dialogs;
    const std::string head = "7.45400\r\n1.497019\r\n2.41312\r\n0.0022532\r\n1.01000\r\n25.20\r\n63.00\r\n120.4\r\n"
                             "255.6\r\n165.0\r\n";
    ReadPigText(*s, head + "3\r\n 5 \r\n 3 \r\n 5 \r\n", "one-past.pig");
    EXPECT_EQ(dialogs.Messages(),
              (std::vector<std::string>{
                  "The energy unit 5 in one-past.pig is not one of 0 to 4; unit 0 is used instead.",
                  "The weight unit 3 in one-past.pig is not one of 0 to 2; unit 0 is used instead.",
                  "The price unit 5 in one-past.pig is not one of 0 to 4; unit 0 is used instead.",
                  "The herd sex 3 in one-past.pig is not 0 (Mixed), 1 (Males) or 2 (Females); Mixed is used instead."}));
    EXPECT_EQ(s->EnergyUnit(), 0);
    EXPECT_EQ(s->WeightUnit(), 0);
    EXPECT_EQ(s->PriceUnit(), 0);
    EXPECT_EQ(s->HerdSex, 0);

    dialogs.ClearLog();
    ReadPigText(*s, head + "-2\r\n 4 \r\n 2 \r\n 4 \r\n", "ends.pig");
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{
                  "The herd sex -2 in ends.pig is not 0 (Mixed), 1 (Males) or 2 (Females); Mixed is used instead."});
    EXPECT_EQ(s->EnergyUnit(), 4);  // the last of each list is kept
    EXPECT_EQ(s->WeightUnit(), 2);
    EXPECT_EQ(s->PriceUnit(), 4);
}

// A measured herd table one row longer than the table holds.
TEST(CalFileIndices, ASixteenthRowIsNotReadAndIsTold) {
    auto s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    std::string text;
    for (int r = 1; r <= kCalMaxRows + 1; ++r)
        text += std::to_string(60 + 7 * r) + "\t" + std::to_string(20 + 6 * r) + "\t0\r\n";
    EXPECT_EQ(ReadCalText(*s, text, "long.cal"), kCalMaxRows);
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"The measured herd file long.cal has more than 15 rows; only the first 15 were read."});
    EXPECT_EQ(s->CalibWeightTable(0, kCalMaxRows), 60 + 7 * kCalMaxRows);
    EXPECT_EQ(s->CalibWeightTable(1, kCalMaxRows), 20 + 6 * kCalMaxRows);
    EXPECT_EQ(s->CalibWeightTable(0, 0), 0);
}

}  // namespace
}  // namespace tarvisol
