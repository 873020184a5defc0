// The mixing sheet: rounded weights that add up to the batch, largest first,
// and the limits the rounding breaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "formulation/Formulate.h"
#include "formulation/MixingSheet.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class MixingSheetTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    struct Part {
        const char* name;
        double protein, percent;
    };
    // Diet 1 formulated by hand: the parts' inclusions, their protein, and
    // the diet's contents from them.
    void SetFormula(std::initializer_list<Part> parts) {
        LoadToyMatrix();
        s->NutrientLimits(1, 1, 1) = 0;
        s->IngredientCount = static_cast<int16_t>(parts.size());
        int j = 0;
        double protein = 0;
        for (const Part& p : parts) {
            ++j;
            s->IngredientNames(j) = p.name;
            s->IngredientPrices(j) = 100;
            s->IngredientMatrix(1, j) = 100;
            s->IngredientMatrix(2, j) = 0;
            s->IngredientMatrix(3, j) = p.protein;
            s->DietFormula(1, j) = p.percent;
            protein += p.protein * p.percent / 100;
        }
        s->DietNutrients(1, 2) = protein;
        s->DietFaults(1) = 0;
        s->DietLpReason(1).clear();
    }
};

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
// One 10 kg step of B moves protein by 4: the scale cannot do better, so the
// half point is weighing tolerance, not a broken limit.
TEST_F(MixingSheetTest, CoarseRoundingWithinOneStepIsWeighingTolerance) {
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
    EXPECT_FALSE(m.nutrients[1].belowMinimum);
    EXPECT_TRUE(m.nutrients[1].withinTolerance);
    EXPECT_FALSE(m.nutrients[0].withinTolerance);
    EXPECT_EQ(m.broken, 0);
    EXPECT_EQ(m.withinTolerance, 1);
}

// Three protein sources of 14.4 % each weighed to whole kilograms in 100 kg:
// each rounds down, the filler takes the 1.2 kg left, and protein falls
// 0.48 below its minimum, more than one kilogram of any ingredient moves it
// (0.40): a real break, flagged.
TEST_F(MixingSheetTest, ANutrientMissedByMoreThanOneWeighingStepIsBroken) {
    SetFormula({{"P1", 40, 14.4}, {"P2", 40, 14.4}, {"P3", 40, 14.4}, {"Filler", 0, 56.8}});
    s->NutrientLimits(1, 1, 2) = 17.28;
    MixingSheet m;
    ASSERT_EQ(BuildMixingSheet(*s, 1, {100, 1, 1, 0}, m), "");
    ASSERT_EQ(m.nutrients.size(), 1u);
    EXPECT_NEAR(m.nutrients[0].batch, 16.8, 1e-9);
    EXPECT_TRUE(m.nutrients[0].belowMinimum);
    EXPECT_FALSE(m.nutrients[0].withinTolerance);
    EXPECT_EQ(m.broken, 1);
}

// An ingredient at its maximum rounds down when rounding up would pass it,
// and one at its minimum rounds up: 30 % of 333 kg is 99.9 kg, nearest 100 kg
// on a 0.5 kg scale (30.03 %), but 99.5 kg keeps the maximum.
TEST_F(MixingSheetTest, RoundingKeepsAnIngredientWithinItsOwnLimits) {
    SetFormula({{"Grain", 10, 55.05}, {"Meal", 40, 30}, {"Mineral", 0, 14.95}});
    s->NutrientLimits(1, 1, 2) = 17;
    s->IngredientLimits(1, 2, 2) = 30;
    s->IngredientLimits(1, 1, 3) = 14.95;
    MixingSheet m;
    ASSERT_EQ(BuildMixingSheet(*s, 1, {333, 0.5, 0.01, 2}, m), "");
    for (const MixedIngredient& i : m.ingredients) {
        if (i.name == "Meal") EXPECT_EQ(i.weight, 99.5);
        if (i.name == "Mineral") EXPECT_EQ(i.weight, 50);  // 49.78 kg: 50 meets the minimum, 49.5 not
        EXPECT_FALSE(i.broken) << i.name;
        EXPECT_FALSE(i.withinTolerance) << i.name;
    }
    EXPECT_EQ(m.total, 333);
    EXPECT_EQ(m.broken, 0);
}

// Every demo diet, at its default batch and at an odd 333 kg, weighs out
// with every ingredient inside its limits wherever the scale has a weight
// inside them, and no limit broken.
TEST_F(MixingSheetTest, DemoSheetsBreakNoLimit) {
    LoadDemo();
    RunLp(*s);
    for (int d = 1; d <= s->DietCount; ++d)
        for (double batch : {1000.0, 333.0}) {
            MixingOptions o = DefaultMixingOptions(0);
            o.batch = batch;
            MixingSheet m;
            ASSERT_EQ(BuildMixingSheet(*s, d, o, m), "");
            EXPECT_EQ(m.broken, 0) << d << " " << batch;
            for (const MixedIngredient& i : m.ingredients) {
                const double lo = i.minimum > 0 ? std::min(i.minimum, i.inclusion) : 0;
                const double hi = i.maximum > 0 ? std::max(i.maximum, i.inclusion) : 100;
                // The scale's weights nearest the limits from inside.
                const double up = std::ceil(lo / 100 * batch / i.step - 1e-9) * i.step;
                const double down = std::floor(hi / 100 * batch / i.step + 1e-9) * i.step;
                if (up > down) continue;  // no weight of the scale fits
                EXPECT_GE(i.batchPercent, lo - 1e-9) << d << " " << batch << " " << i.name;
                EXPECT_LE(i.batchPercent, hi + 1e-9) << d << " " << batch << " " << i.name;
            }
        }
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
