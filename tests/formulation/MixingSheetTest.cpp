// The mixing sheet: rounded weights that add up to the batch, largest first,
// and the limits the rounding breaks.
#include <gtest/gtest.h>

#include <cmath>

#include "formulation/Formulate.h"
#include "formulation/MixingSheet.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class MixingSheetTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {};

TEST_F(MixingSheetTest, DemoWeightsAreOnTheScaleAndAddUpToTheBatch) {
    LoadDemo();
    RunLp(*s);
    for (int d = 1; d <= s->DietCount; ++d) {
        MixingSheet m;
        ASSERT_EQ(BuildMixingSheet(*s, d, DefaultMixingOptions(0), m), "");
        EXPECT_EQ(m.total, 1000);
        double sum = 0, previous = 1e9, fineOff = 0;
        int fine = 0;
        for (const MixedIngredient& i : m.ingredients) {
            sum += i.weight;
            if (i.step == 0.01) {
                fineOff += std::fabs(i.weight - i.exact);
                ++fine;
            }
            EXPECT_EQ(i.step, i.inclusion > 2 ? 0.5 : 0.01) << i.name;
            EXPECT_NEAR(i.weight / i.step, std::round(i.weight / i.step), 1e-6) << i.name;
            if (i.step == 0.5) EXPECT_LE(std::fabs(i.weight - i.exact), 0.5) << i.name;
            EXPECT_LE(i.weight, previous);
            previous = i.weight;
        }
        EXPECT_NEAR(sum, 1000, 1e-9);
        // The small ingredients take up what the 0.5 kg steps leave: at most
        // a quarter of a kilogram, plus their own rounding.
        EXPECT_LE(fineOff, 0.25 + 0.01 * fine + 1e-9);
        EXPECT_FALSE(m.nutrients.empty());
    }
    MixingSheet m;
    ASSERT_EQ(BuildMixingSheet(*s, 1, DefaultMixingOptions(0), m), "");
    const auto premix = std::find_if(m.ingredients.begin(), m.ingredients.end(),
                                     [](const MixedIngredient& i) { return i.name == "Vitamin-mineral premix"; });
    ASSERT_NE(premix, m.ingredients.end());
    EXPECT_NEAR(premix->weight, 2.5, 1e-12);
}

// A batch that is no multiple of the fine step comes as close as the scale allows.
TEST_F(MixingSheetTest, ABatchOffTheScaleComesWithinOneFineStep) {
    LoadDemo();
    RunLp(*s);
    MixingOptions o = DefaultMixingOptions(0);
    o.batch = 1234.567;
    MixingSheet m;
    ASSERT_EQ(BuildMixingSheet(*s, 2, o, m), "");
    EXPECT_LT(std::fabs(m.total - o.batch), o.fineStep);
}

// The toy diet (A 830/13 %, B 290/13 %, C 180/13 %) in 100 kg on a 10 kg
// scale: 60/20/10 by nearest steps, the missing 10 kg on A (harm 2.31, tied
// with C, A the larger): 70/20/10, whose protein is 15.5 < 16 and energy 2600.
TEST_F(MixingSheetTest, CoarseRoundingFlagsTheLimitItBreaks) {
    LoadToyMatrix();
    FormulateDiet(*s, 1);
    MixingSheet m;
    ASSERT_EQ(BuildMixingSheet(*s, 1, {100, 10, 10, 2}, m), "");
    ASSERT_EQ(m.ingredients.size(), 3u);
    EXPECT_EQ(m.ingredients[0].name, "A");
    EXPECT_EQ(m.ingredients[0].weight, 70);
    EXPECT_EQ(m.ingredients[1].weight, 20);
    EXPECT_EQ(m.ingredients[2].weight, 10);
    ASSERT_EQ(m.nutrients.size(), 2u);
    EXPECT_NEAR(m.nutrients[0].batch, 2600, 1e-9);
    EXPECT_FALSE(m.nutrients[0].belowMinimum);
    EXPECT_NEAR(m.nutrients[1].batch, 15.5, 1e-12);
    EXPECT_TRUE(m.nutrients[1].belowMinimum);
    EXPECT_EQ(m.broken, 1);
}

TEST_F(MixingSheetTest, UnusableSizesAndDietsWithoutAFormulaAreRefused) {
    LoadToyMatrix();
    MixingSheet m;
    EXPECT_EQ(BuildMixingSheet(*s, 1, DefaultMixingOptions(0), m), "Diet 1 has no formula: press Run LP first");
    FormulateDiet(*s, 1);
    for (double bad : {0.0, -5.0, std::nan(""), 1e12})
        EXPECT_EQ(BuildMixingSheet(*s, 1, {bad, 0.5, 0.01, 2}, m), "The batch size must be a number above 0 (at most 1000000000)");
    EXPECT_EQ(BuildMixingSheet(*s, 1, {1000, 0, 0.01, 2}, m), "A scale resolution must be a number from 0.000001 up to the batch size");
    EXPECT_EQ(BuildMixingSheet(*s, 1, {1000, 0.5, 2000, 2}, m), "A scale resolution must be a number from 0.000001 up to the batch size");
    s->NutrientLimits(1, 1, 2) = 60;
    FormulateDiet(*s, 1);
    EXPECT_EQ(BuildMixingSheet(*s, 1, DefaultMixingOptions(0), m), "Diet 1 is infeasible: it has no formula to weigh out");
}

}  // namespace
