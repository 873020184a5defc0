// A diet the solver did not formulate is never shown as formulated, and the
// values that cannot reach the solver are named.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "formulation/DietDiagnosis.h"
#include "formulation/Formulate.h"
#include "shared/Numbers.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class FormulationFaultsTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    void SetUp() override { LoadToyMatrix(); }
    std::vector<std::string> Messages() const { return dialogs.Messages(); }
};

}  // namespace

TEST_F(FormulationFaultsTest, DietsLeftWithoutAFormulaSayWhy) {
    s->DietCount = 2;
    s->NutrientLimits(2, 1, 1) = 2500;
    s->NutrientLimits(2, 1, 2) = 16;
    RunLp(*s);
    ASSERT_TRUE(DietFormulated(*s, 1));
    ASSERT_TRUE(DietFormulated(*s, 2));
    EXPECT_TRUE(s->DietLpReason(1).empty());

    // Prices missing: nothing is formulated, and the earlier formulas are not
    // taken for this run's.
    dialogs.ClearLog();
    s->IngredientPrices(1) = 0;
    s->IngredientPrices(3) = 0;
    RunLp(*s);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Prices are missing: A, C"});
    for (int d = 1; d <= 2; ++d) {
        EXPECT_FALSE(DietFormulated(*s, d)) << d;
        EXPECT_EQ(s->DietLpReason(d), "prices are missing for A, C") << d;
    }

    // A diet that does not fit the table.
    dialogs.ClearLog();
    s->IngredientPrices(1) = 100;
    s->IngredientPrices(3) = 50;
    s->NutrientCount = 70;
    for (int k = 15; k <= 61; ++k) s->NutrientLimits(2, 1, k) = 0.001;
    RunLp(*s);
    EXPECT_TRUE(DietFormulated(*s, 1));
    EXPECT_FALSE(DietFormulated(*s, 2));
    EXPECT_EQ(s->DietLpReason(2).rfind("too many restrictions", 0), 0u) << s->DietLpReason(2);

    // A diet whose restrictions no mix meets.
    for (int k = 15; k <= 61; ++k) s->NutrientLimits(2, 1, k) = 0;
    s->NutrientLimits(2, 1, 2) = 45;
    RunLp(*s);
    EXPECT_FALSE(DietFormulated(*s, 2));
    EXPECT_FALSE(s->DietLpReason(2).empty());
    s->NutrientLimits(2, 1, 2) = 16;
    RunLp(*s);
    EXPECT_TRUE(DietFormulated(*s, 2));
    EXPECT_TRUE(s->DietLpReason(2).empty());
}

TEST_F(FormulationFaultsTest, ACoefficientTooLargeForTheSolverIsNamed) {
    s->IngredientMatrix(3, 2) = 5e14;  // protein of B
    FormulateDiet(*s, 1);
    EXPECT_GT(s->DietFaults(1), 0);
    EXPECT_FALSE(DietFormulated(*s, 1));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "The PROTEIN value of B (5e+14) is too large for the solver; Diet 1 was not formulated");
    EXPECT_EQ(s->DietLpReason(1), "the PROTEIN value of B (5e+14) is too large for the solver");
    // Back to a feed's value, the diet formulates again.
    s->IngredientMatrix(3, 2) = 40;
    FormulateDiet(*s, 1);
    EXPECT_TRUE(DietFormulated(*s, 1));
}

// A price the solver cannot take is the one reason given: the diet was never
// laid out, so it is not called infeasible and its limits are not diagnosed.
TEST_F(FormulationFaultsTest, APriceTooLargeForTheSolverIsTheOneReason) {
    s->DietCount = 2;
    s->NutrientLimits(2, 1, 1) = 2500;
    s->NutrientLimits(2, 1, 2) = 16;
    s->IngredientPrices(2) = 1e308;
    RunLp(*s);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The price of B (1e+308) is too large for the solver; Diet 1 was not formulated",
                              "The price of B (1e+308) is too large for the solver; Diet 2 was not formulated"}));
    for (int d = 1; d <= 2; ++d) {
        EXPECT_FALSE(DietFormulated(*s, d));
        const DietDiagnosis g = DiagnoseDiet(*s, d);
        EXPECT_FALSE(g.diagnosed);
        EXPECT_EQ(DiagnosisLines(g), std::vector<std::string>{
                                         "Not diagnosed: the price of B (1e+308) is too large for the solver"});
    }
}

TEST_F(FormulationFaultsTest, AVeryLargeMaximumIsNoLimit) {
    FormulateDiet(*s, 1);
    ASSERT_EQ(s->DietFaults(1), 0);
    const double a = s->DietFormula(1, 1), b = s->DietFormula(1, 2), price = s->DietPrice(1);
    for (double huge : {1e15, 1e20, 1e30, std::numeric_limits<double>::infinity()}) {
        s->NutrientLimits(1, 2, 1) = huge;  // energy at most "anything"
        s->NutrientLimits(1, 2, 2) = huge;
        FormulateDiet(*s, 1);
        EXPECT_EQ(s->DietFaults(1), 0) << huge;
        EXPECT_NEAR(s->DietFormula(1, 1), a, 1e-7) << huge;
        EXPECT_NEAR(s->DietFormula(1, 2), b, 1e-7) << huge;
        EXPECT_NEAR(s->DietPrice(1), price, 1e-7) << huge;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FormulationFaultsTest, ADietWithoutNutrientRestrictionsIsNotFormulated) {
    // Diet 2 is a new column with no restriction lines yet: the cheapest
    // "diet" would be whatever costs least, not a feed.
    s->DietCount = 2;
    RunLp(*s);
    EXPECT_TRUE(DietFormulated(*s, 1));
    EXPECT_FALSE(DietFormulated(*s, 2));
    EXPECT_EQ(s->DietLpReason(2), "no nutrient restrictions: nothing to formulate");
    const auto shown = Messages();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Diet 2 has no nutrient restrictions and was not formulated"),
              shown.end());
    EXPECT_EQ(shown.size(), 1u) << ::testing::PrintToString(shown);  // nothing to diagnose besides
    // Ingredient limits alone do not make a diet.
    s->IngredientLimits(2, 2, 3) = 10;
    FormulateDiet(*s, 2);
    EXPECT_FALSE(DietFormulated(*s, 2));
    // One nutrient limit does.
    s->NutrientLimits(2, 1, 2) = 16;
    FormulateDiet(*s, 2);
    EXPECT_TRUE(DietFormulated(*s, 2));
}

TEST_F(FormulationFaultsTest, AMinimumOnANutrientNoIngredientHoldsIsNotMet) {
    // Column 6 (nutrient 5) is zero in every ingredient of the toy matrix.
    s->NutrientLimits(1, 1, 5) = 0.9;
    FormulateDiet(*s, 1);
    EXPECT_FALSE(DietFormulated(*s, 1));
    EXPECT_EQ(s->DietLpReason(1), "the minimum of " + DefaultColumnLabel(6) +
                                      " (0.9) cannot be met: no ingredient holds it");
    // Beyond the matrix's columns, as a restriction file may name it.
    s->NutrientLimits(1, 1, 5) = 0;
    s->NutrientCount = 30;
    s->NutrientLimits(1, 1, 29) = 2;
    FormulateDiet(*s, 1);
    EXPECT_FALSE(DietFormulated(*s, 1));
    EXPECT_EQ(s->DietLpReason(1), "the minimum of nutrient 29 (2) cannot be met: no ingredient holds it");
    // A maximum on such a nutrient holds whatever the mix.
    s->NutrientLimits(1, 1, 29) = 0;
    s->NutrientLimits(1, 2, 29) = 2;
    FormulateDiet(*s, 1);
    EXPECT_TRUE(DietFormulated(*s, 1));
}

TEST_F(FormulationFaultsTest, AnIngredientWithoutAPriceIsNamedInEveryFormulaItEnters) {
    s->DietCount = 2;
    s->NutrientLimits(2, 1, 1) = 3000;  // A alone
    s->IngredientPrices(3) = 0;         // C, not the first ingredient, without a price
    RunLp(*s);
    ASSERT_TRUE(DietFormulated(*s, 1));
    ASSERT_GT(s->DietFormula(1, 3), 0);
    EXPECT_EQ(UnpricedIngredients(*s, 1), std::vector<int>{3});
    ASSERT_TRUE(DietFormulated(*s, 2));
    ASSERT_EQ(s->DietFormula(2, 3), 0);
    EXPECT_TRUE(UnpricedIngredients(*s, 2).empty());
    const auto shown = Messages();
    EXPECT_NE(std::find(shown.begin(), shown.end(),
                        "Diet 1 includes C without a price: its price leaves C out"),
              shown.end());
    EXPECT_EQ(shown.size(), 1u);
    // The diets grid marks the price that leaves an ingredient out.
    EXPECT_EQ(w->Griddiets.CellBackColor(2, 1), kPriceLeavesOut);
    EXPECT_NE(w->Griddiets.CellBackColor(2, 2), kPriceLeavesOut);
    // Priced again, the mark goes.
    s->IngredientPrices(3) = 50;
    RunLp(*s);
    EXPECT_TRUE(UnpricedIngredients(*s, 1).empty());
    EXPECT_NE(w->Griddiets.CellBackColor(2, 1), kPriceLeavesOut);
}

// 61 minimum rows, the weight's row, 58 nutrient maxima and 200 ingredient
// limits: exactly the 320 rows the table holds, on every Run LP (the weight's
// 100 % is no maximum to lay out the second time).
TEST_F(FormulationFaultsTest, ADietOfExactly320RowsFormulatesOnEveryRunLp) {
    s->IngredientCount = 100;
    for (int j = 4; j <= 100; ++j) {
        s->IngredientNames(j) = "Copy " + std::to_string(j);
        s->IngredientPrices(j) = s->IngredientPrices((j - 1) % 3 + 1) + j;
        for (int c = 1; c <= 3; ++c) s->IngredientMatrix(c, j) = s->IngredientMatrix(c, (j - 1) % 3 + 1);
    }
    for (int j = 1; j <= 100; ++j) {
        s->IngredientLimits(1, 1, j) = 0.001;
        s->IngredientLimits(1, 2, j) = 50;
    }
    s->NutrientCount = 59;
    for (int k = 1; k <= 58; ++k) s->NutrientLimits(1, 2, k) = 1e6;
    for (int run = 1; run <= 2; ++run) {
        RunLp(*s);
        EXPECT_TRUE(DietFormulated(*s, 1)) << "run " << run << ": " << s->DietLpReason(1);
        EXPECT_EQ(s->LpRowCount, 320) << "run " << run;
    }
}
