#include <gtest/gtest.h>

#include "formulation/Formulate.h"
#include "formulation/Lprogr.h"
#include "shared/Numbers.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class FormulateTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    void SetUp() override { LoadToyMatrix(); }
    std::vector<std::string> Messages() const { return dialogs.Messages(); }
};

TEST_F(FormulateTest, FirstBuildHasFifteenNutrientRowsAndRowCount62) {
    int32_t d = 1;
    BuildLp(*s, d);
    EXPECT_EQ(s->LpNutrientRows, 15);
    EXPECT_EQ(s->LpRowCount, 62);
    EXPECT_EQ(s->LpTable(1, 0), 100);
    EXPECT_EQ(s->LpRowSense(1), 0);
    EXPECT_EQ(s->LpTable(2, 0), 2500);
    EXPECT_EQ(s->LpTable(2, 1), 30);  // energy per percent of A
    EXPECT_EQ(s->LpTable(3, 2), 0.4);
    EXPECT_EQ(s->LpRowSense(15), 1);
    EXPECT_EQ(s->LpTable(15, 0), 0);  // valine unrestricted
    EXPECT_EQ(s->LpTable(62, 0), 100);
    for (int r = 16; r <= 62; ++r)
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(s->LpTable(r, j), 0) << r;
    // The table is laid out column-major for the solver.
    EXPECT_EQ(s->LpTable.data()[(2 - 1) + 320 * 1], 30);
}

TEST_F(FormulateTest, ToyDietReachesTheHandComputedOptimum) {
    FormulateDiet(*s, 1);
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_NEAR(s->DietFormula(1, 1), 830.0 / 13, 1e-7);
    EXPECT_NEAR(s->DietFormula(1, 2), 290.0 / 13, 1e-7);
    EXPECT_NEAR(s->DietFormula(1, 3), 180.0 / 13, 1e-7);
    EXPECT_NEAR(s->DietPrice(1), 1790.0 / 13, 1e-7);
    EXPECT_EQ(s->DietNutrients(1, 0), s->DietPrice(1));
    EXPECT_NEAR(s->DietNutrients(1, 1), 2500, 1e-6);
    EXPECT_NEAR(s->DietNutrients(1, 2), 16, 1e-8);
    EXPECT_EQ(s->NutrientLimits(1, 1, 0), 100);
    EXPECT_EQ(s->NutrientLimits(1, 2, 0), 100);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FormulateTest, IngredientLimitsBecomeRowsAndMoveTheOptimum) {
    s->IngredientLimits(1, 2, 2) = 20;   // B at most 20 %
    s->IngredientLimits(1, 2, 3) = 100;  // 100 or more: no row
    s->IngredientLimits(1, 1, 1) = -5;   // negative minimum: none
    int32_t d = 1;
    BuildLp(*s, d);
    EXPECT_EQ(s->LpRowCount, 63);
    EXPECT_EQ(s->LpRowSense(63), -1);
    EXPECT_EQ(s->LpTable(63, 0), 20);
    EXPECT_EQ(s->LpTable(63, 2), 1);
    LPCOST(*s, d);
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_NEAR(s->DietFormula(1, 1), 80, 1e-7);
    EXPECT_NEAR(s->DietFormula(1, 2), 20, 1e-7);
    EXPECT_NEAR(s->DietPrice(1), 140, 1e-7);
}

TEST_F(FormulateTest, BlockedIngredientNeverEntersWhateverItsPrice) {
    s->IngredientPrices(3) = 0.01;
    s->IngredientLimits(1, 2, 3) = -1;
    int32_t d = 1;
    BuildLp(*s, d);
    EXPECT_EQ(s->LpRowCount, 63);
    EXPECT_EQ(s->LpTable(63, 0), 0);
    EXPECT_EQ(s->LpRowSense(63), -1);
    LPCOST(*s, d);
    EXPECT_EQ(s->DietFormula(1, 3), 0);
    EXPECT_NEAR(s->DietPrice(1), 140, 1e-7);
}

TEST_F(FormulateTest, FurtherNutrientWithOnlyAMaximumGetsBothRows) {
    s->NutrientCount = 17;
    s->NutrientNames(16) = "FIBRE";
    s->IngredientMatrix(16, 1) = 2;
    s->IngredientMatrix(16, 2) = 6;
    s->IngredientMatrix(16, 3) = 20;
    s->NutrientLimits(1, 2, 15) = 3;
    int32_t d = 1;
    BuildLp(*s, d);
    ASSERT_EQ(s->LpNutrientRows, 16);
    EXPECT_EQ(s->LpNutrientColumns(16), 16);
    EXPECT_EQ(s->LpTable(16, 0), 0);
    EXPECT_EQ(s->LpRowSense(16), 1);
    EXPECT_EQ(s->LpRowCount, 63);
    EXPECT_EQ(s->LpTable(63, 0), 3);
    EXPECT_EQ(s->LpTable(63, 3), 0.2);
    LPCOST(*s, d);
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_LE(s->DietNutrients(1, 15), 3 + 1e-9);
    EXPECT_GT(s->DietPrice(1), 1790.0 / 13);  // the fibre cap costs something
}

TEST_F(FormulateTest, SecondFormulationLaysOutTheSameRowsAndKeepsTheFormula) {
    int32_t d = 1;
    BuildLp(*s, d);
    const int rows = s->LpRowCount;
    LPCOST(*s, d);
    const double first = s->DietFormula(1, 1);
    BuildLp(*s, d);
    EXPECT_EQ(s->LpRowCount, rows);  // the weight's recorded 100 % adds no row
    LPCOST(*s, d);
    EXPECT_NEAR(s->DietFormula(1, 1), first, 1e-9);
}

TEST_F(FormulateTest, InfeasibleDietKeepsItsLastPriceAndShowsTheWeightSum) {
    FormulateDiet(*s, 1);
    const double price = s->DietPrice(1);
    s->IngredientLimits(1, 2, 2) = 10;  // protein 16 % no longer reachable
    FormulateDiet(*s, 1);
    EXPECT_GT(s->DietFaults(1), 0);
    EXPECT_EQ(s->DietPrice(1), price);
    EXPECT_EQ(s->DietNutrients(1, 0), 0);  // the weight sum of the empty solution
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(s->DietFormula(1, j), 0);
}

TEST_F(FormulateTest, LimitOrderReportsIngredientsAndRaisesNutrientMaxima) {
    s->IngredientLimits(1, 1, 2) = 10;
    s->IngredientLimits(1, 2, 2) = 5;
    s->NutrientLimits(1, 2, 2) = 12;  // protein maximum below the minimum 16
    int16_t answer = 0;
    CheckLimitOrder(*s, answer);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "B in diet 1 has a maximum limit less than its minimum");
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(s->IngredientLimits(1, 2, 2), 5);
    EXPECT_EQ(s->NutrientLimits(1, 2, 2), 16);
}

TEST_F(FormulateTest, OptimisationStagesTieTheProteinMaximum) {
    s->ProteinRange(1) = 1.5;
    s->OptimiseStage = 1;
    int32_t d = 1;
    BuildLp(*s, d);
    EXPECT_EQ(s->NutrientLimits(1, 2, 2), 17.5);
    s->ProteinRange(1) = 0;
    BuildLp(*s, d);
    EXPECT_EQ(s->NutrientLimits(1, 2, 2), 16.25);  // lifted 0.25 above the minimum
    s->OptimiseStage = 2;
    s->NutrientLimits(1, 2, 2) = 0;
    BuildLp(*s, d);
    EXPECT_EQ(s->NutrientLimits(1, 2, 2), 0);
}

// More nutrient minimum rows than the 61 the layout holds: refused and
// infeasible, nothing written past the block.
TEST_F(FormulateTest, TooManyNutrientRowsAreRefusedAsInfeasible) {
    s->NutrientCount = 70;
    for (int k = 15; k <= 61; ++k) s->NutrientLimits(1, 1, k) = 0.001;  // 47 further nutrients: 62 rows
    FormulateDiet(*s, 1);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages()[0], "Too many Restrictions for Diet 1");
    EXPECT_TRUE(s->LpRefused);
    EXPECT_GT(s->DietFaults(1), 0);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(s->LpTable(62, j), 0);
    // One fewer fits and formulates.
    dialogs.ClearLog();
    s->NutrientLimits(1, 1, 61) = 0;
    for (int k = 15; k <= 60; ++k) s->IngredientMatrix(k + 1, 1) = 1;
    FormulateDiet(*s, 1);
    EXPECT_FALSE(s->LpRefused);
    EXPECT_EQ(s->DietFaults(1), 0);
}

TEST_F(FormulateTest, MoreThan320RowsAreRefusedAndMoreThan150OnlyWarn) {
    s->IngredientCount = 100;
    for (int j = 4; j <= 100; ++j) {
        s->IngredientPrices(j) = 500;
        s->IngredientMatrix(1, j) = 100;
        s->IngredientMatrix(2, j) = 2500;
        s->IngredientMatrix(3, j) = 16;
    }
    for (int j = 1; j <= 100; ++j) s->IngredientLimits(1, 2, j) = 50;  // 100 rows: 162 in all
    FormulateDiet(*s, 1);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Too many Restrictions for Diet 1");
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_GT(s->LpRowCount, 150);

    dialogs.ClearLog();
    for (int j = 1; j <= 100; ++j) s->IngredientLimits(1, 1, j) = 0.1;
    for (int k = 1; k <= 14; ++k) s->NutrientLimits(1, 2, k) = 9999;  // 61 + 61 + 200 > 320
    s->NutrientCount = 60;
    for (int k = 15; k <= 59; ++k) s->NutrientLimits(1, 2, k) = 99;
    FormulateDiet(*s, 1);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(s->LpRefused);
    EXPECT_GT(s->DietFaults(1), 0);
}

// With every one of the 121 columns loaded, the last nutrient still formulates.
TEST_F(FormulateTest, AllMatrixColumnsCanBeUsed) {
    s->NutrientCount = 121;
    for (int j = 1; j <= 3; ++j) s->IngredientMatrix(121, j) = j;
    s->NutrientLimits(1, 2, 120) = 2.5;
    FormulateDiet(*s, 1);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_LE(s->DietNutrients(1, 120), 2.5 + 1e-9);
    EXPECT_GT(s->DietNutrients(1, 120), 0);
}

TEST_F(FormulateTest, RunLpShowsPricesAndNutrientsOrMarksInfeasibleDiets) {
    s->DietCount = 2;
    s->NutrientLimits(2, 1, 1) = 2500;
    s->NutrientLimits(2, 1, 2) = 16;
    s->NutrientLimits(2, 2, 2) = 14;  // maximum below minimum: ProteinRange 0
    s->IngredientLimits(2, 2, 2) = 10;
    w->Griddiets.SetTextMatrix(5, 2, "kept");
    RunLp(*s);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "Diet No2was Infeasible\nPROTEIN minimum 16.00: at most 13 reachable with these ingredients and limits");
    EXPECT_EQ(s->ProteinRange(2), 0);
    EXPECT_EQ(w->Griddiets.TextMatrix(2, 1), FormatAuto(1790.0 / 13));
    EXPECT_EQ(w->Griddiets.TextMatrix(4, 1), FormatAuto(s->DietNutrients(1, 1)));
    EXPECT_EQ(w->Griddiets.TextMatrix(5, 1), FormatAuto(s->DietNutrients(1, 2)));
    EXPECT_EQ(w->Griddiets.TextMatrix(17, 1), FormatAuto(s->DietNutrients(1, 14)));
    EXPECT_EQ(w->Griddiets.TextMatrix(2, 2), FormatAuto(0) + " Infeas");
    // The earlier contents stay, marked as the previous formulation's.
    EXPECT_EQ(w->Griddiets.TextMatrix(5, 2), "kept");
    EXPECT_EQ(w->Griddiets.CellBackColor(5, 2), kPreviousFormulation);
    EXPECT_EQ(w->Griddiets.CellBackColor(4, 2), kPreviousFormulation);
    EXPECT_NE(w->Griddiets.CellBackColor(5, 1), kPreviousFormulation);
    // Formulated again, the diet's cells lose the mark.
    s->IngredientLimits(2, 2, 2) = 0;
    RunLp(*s);
    EXPECT_EQ(w->Griddiets.CellBackColor(5, 2), kNoColor);
}

TEST_F(FormulateTest, RunLpNeedsThePriceOfTheFirstIngredientOnly) {
    s->IngredientPrices(1) = 0;
    RunLp(*s);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Prices are missing: A"});
    EXPECT_EQ(s->DietFormula(1, 1), 0);
    EXPECT_EQ(w->Griddiets.TextMatrix(2, 1), "");

    dialogs.ClearLog();
    s->IngredientPrices(1) = 100;
    s->IngredientPrices(3) = 0;
    RunLp(*s);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Diet 1 includes C without a price: its price leaves C out"});
    EXPECT_EQ(s->DietFaults(1), 0);
    EXPECT_NE(w->Griddiets.TextMatrix(2, 1), "");

    dialogs.ClearLog();
    s->DietCount = 0;
    w->Griddiets.Clear();
    RunLp(*s);
    EXPECT_EQ(w->Griddiets.TextMatrix(2, 1), "");
}

TEST_F(FormulateTest, RunningTwiceGivesTheSameFormulas) {
    LoadDemo();
    ASSERT_EQ(s->DietCount, 4);
    RunLp(*s);
    double first[5][19];
    for (int d = 1; d <= 4; ++d)
        for (int j = 1; j <= 18; ++j) first[d][j] = s->DietFormula(d, j);
    RunLp(*s);
    for (int d = 1; d <= 4; ++d)
        for (int j = 1; j <= 18; ++j) EXPECT_NEAR(s->DietFormula(d, j), first[d][j], 1e-7) << d << " " << j;
}

TEST_F(FormulateTest, EveryDemoDietFormulatesWithinItsLimits) {
    LoadDemo();
    RunLp(*s);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    for (int d = 1; d <= 4; ++d) {
        EXPECT_EQ(s->DietFaults(d), 0) << d;
        double sum = 0;
        for (int j = 1; j <= s->IngredientCount; ++j) sum += s->DietFormula(d, j);
        EXPECT_NEAR(sum, 100, 1e-6);
        for (int k = 1; k < s->NutrientCount; ++k) {
            EXPECT_GE(s->DietNutrients(d, k), s->NutrientLimits(d, 1, k) - 1e-6) << d << " " << k;
            if (s->NutrientLimits(d, 2, k) > 0) {
                EXPECT_LE(s->DietNutrients(d, k), s->NutrientLimits(d, 2, k) + 1e-6);
            }
        }
        EXPECT_NEAR(s->DietFormula(d, 18), 0.25, 1e-9);  // the fixed premix
    }
}

// Warm re-solves must agree with cold solves of the same diet.
TEST_F(FormulateTest, WarmStartAgreesWithAColdSolve) {
    LoadDemo();
    RunLp(*s);
    FormulateDiet(*s, 2);  // now with the weight maximum row that every later build has
    for (double energy : {2400.0, 2500.0, 2550.0, 2300.0}) {
        s->NutrientLimits(2, 1, 1) = energy;
        FormulateDiet(*s, 2);
        const LpSolveInfo info = LastLpSolve(s->LpCache);
        EXPECT_TRUE(info.warm) << energy;
        SharedState cold = *s;  // a copy starts without solver models
        EXPECT_EQ(cold.LpCache.Get(), nullptr);
        FormulateDiet(cold, 2);
        EXPECT_FALSE(LastLpSolve(cold.LpCache).warm);
        EXPECT_EQ(cold.DietFaults(2), s->DietFaults(2));
        EXPECT_NEAR(cold.DietPrice(2), s->DietPrice(2), 1e-7) << energy;
    }
}

TEST(Lprogr, DropsAllZeroRowsAndReturnsZerosWhenNotOptimal) {
    auto s = std::make_unique<SharedState>();
    // Two ingredients, prices 1 and 2: x1 + x2 = 100, x2 >= 30.
    s->IngredientPrices(1) = 1;
    s->IngredientPrices(2) = 2;
    s->LpTable(1, 0) = 100;
    s->LpTable(1, 1) = s->LpTable(1, 2) = 1;
    s->LpTable(2, 0) = 30;
    s->LpTable(2, 2) = 1;
    s->LpRowSense(2) = 1;
    s->LpTable(3, 0) = 500;  // no coefficients: constrains nothing
    s->LpRowSense(3) = 1;
    int32_t d = 1, status = 0, rows = 3, cols = 2;
    auto call = [&] {
        LPROGR(s->LpCache, &d, &status, &rows, &cols, &s->LpScratchValue, s->LpSolution.data(),
               s->LpRowResults.data(), s->IngredientPrices.data(), s->LpColumnResults.data(), s->LpTable.data(),
               s->LpRowSense.data(), s->LpWork1.data(), s->LpWork2.data(), s->LpWork3.data());
    };
    call();
    EXPECT_NEAR(s->LpSolution(1, 1), 70, 1e-9);
    EXPECT_NEAR(s->LpSolution(2, 1), 30, 1e-9);
    EXPECT_EQ(LastLpSolve(s->LpCache).keptRows, 2);

    s->LpTable(2, 0) = 130;  // infeasible
    call();
    EXPECT_TRUE(LastLpSolve(s->LpCache).warm);
    EXPECT_EQ(s->LpSolution(1, 1), 0);
    EXPECT_EQ(s->LpSolution(2, 1), 0);

    s->LpTable(2, 0) = 30;
    s->LpTable(1, 0) = 0;
    s->LpRowSense(1) = 1;  // x1 + x2 >= 0 with a negative price: unbounded
    s->IngredientPrices(1) = -1;
    call();
    EXPECT_FALSE(LastLpSolve(s->LpCache).optimal);
    EXPECT_EQ(s->LpSolution(1, 1), 0);

    rows = 400;  // outside the layout: a failed solve, not a crash
    s->LpSolution(1, 1) = 5;
    call();
    EXPECT_EQ(s->LpSolution(1, 1), 0);
    rows = 3;
    cols = -3;
    call();
    EXPECT_EQ(s->LpSolution(1, 1), 0);
}

// Only a right-hand side changes between these solves, but one change lifts
// a maximum beyond any limit and so drops its row, and the next brings it back.
TEST(Lprogr, ARightHandSideThatDropsARowOnAReSolveDropsIt) {
    auto s = std::make_unique<SharedState>();
    // Two ingredients, prices 2 and 1: x1 + x2 = 100, x2 <= 40.
    s->IngredientPrices(1) = 2;
    s->IngredientPrices(2) = 1;
    s->LpTable(1, 0) = 100;
    s->LpTable(1, 1) = s->LpTable(1, 2) = 1;
    s->LpTable(2, 0) = 40;
    s->LpTable(2, 2) = 1;
    s->LpRowSense(2) = -1;
    int32_t d = 1, status = 0, rows = 2, cols = 2;
    auto call = [&] {
        LPROGR(s->LpCache, &d, &status, &rows, &cols, &s->LpScratchValue, s->LpSolution.data(),
               s->LpRowResults.data(), s->IngredientPrices.data(), s->LpColumnResults.data(), s->LpTable.data(),
               s->LpRowSense.data(), s->LpWork1.data(), s->LpWork2.data(), s->LpWork3.data());
    };
    call();
    EXPECT_NEAR(s->LpSolution(2, 1), 40, 1e-9);
    s->LpTable(2, 0) = 2 * kLpNoLimit;
    call();
    EXPECT_EQ(LastLpSolve(s->LpCache).keptRows, 1);
    EXPECT_NEAR(s->LpSolution(2, 1), 100, 1e-9);
    s->LpTable(2, 0) = 60;
    call();
    EXPECT_EQ(LastLpSolve(s->LpCache).keptRows, 2);
    EXPECT_NEAR(s->LpSolution(2, 1), 60, 1e-9);
}

// After FreshUnlessRepeated a diet whose restrictions changed is solved as a
// new cache would solve it (cold, with the same figures), not from its kept basis.
TEST_F(FormulateTest, AChangedDietAfterFreshUnlessRepeatedSolvesAsANewCache) {
    LoadDemo();
    RunLp(*s);
    FormulateDiet(*s, 2);
    FreshUnlessRepeated(s->LpCache);
    LpSolvedDiet kept;
    EXPECT_FALSE(LastOptimalLpSolve(s->LpCache, 2, kept));
    s->NutrientLimits(2, 1, 1) += 60;
    SharedState fresh = *s;  // a copy starts without solver models
    FormulateDiet(*s, 2);
    FormulateDiet(fresh, 2);
    EXPECT_FALSE(LastLpSolve(s->LpCache).warm);
    EXPECT_EQ(s->DietPrice(2), fresh.DietPrice(2));
    for (int j = 1; j <= s->IngredientCount; ++j) EXPECT_EQ(s->DietFormula(2, j), fresh.DietFormula(2, j)) << j;
}

}  // namespace
