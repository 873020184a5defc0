// The optimisation report window: its summary layout and restriction tables.
#include <gtest/gtest.h>

#include <memory>

#include "optimisation/OptimisationWindow.h"
#include "shared/Clipboard.h"
#include "shared/Numbers.h"
#include "ui/OptimisationReport.h"

namespace tarvisol {
namespace {

struct ReportFixture : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    OptimisationReport r;
    MemoryClipboard clip;
    void SetUp() override {
        s->Clip = &clip;
        s->PriceUnit() = 1;
        s->DietCount = 1;
        s->IngredientCount = 2;
        s->IngredientNames(1) = "Corn";
        s->IngredientNames(2) = "Salt";
        s->IngredientLimits(1, 2, 1) = 80;
        s->DietPrice(1) = 250;
        s->DietFormula(1, 0) = 100;  // kg of the diet per pig
        s->DietFormula(1, 1) = 99.5;
        s->OptDietNutrients(1, 1) = 2430;
        s->OptDietNutrients(1, 2) = 16.2;
        s->OptBase(1, 0, 0) = 100;
        s->OptBase(1, 1, 0) = 2425;
        s->OptBase(1, 2, 0) = 16;
        s->CurrentCost = 25;  // 250 per tonne x 100 kg: nothing saved
        s->EvalCount = 321;
        for (int i = 1; i <= 3; ++i) {
            s->VariableOptimum(i) = 10 * i;
            s->VariableCost(i) = 20 + i;
        }
        s->OptTargetWeight = 120;
    }
};

TEST_F(ReportFixture, OneDietGivesThirteenRowsWithEnergyProteinAndFeedWeight) {
    LoadOptimisationReport(*s, r, nullptr);
    const Grid& g = r.Grid3;
    EXPECT_EQ(r.Caption, "OPTIMIZATION REPORT");
    EXPECT_EQ(g.Rows(), 13);
    EXPECT_EQ(g.Cols(), 9);
    EXPECT_EQ(g.TextMatrix(8, 0), "Diet  1");
    EXPECT_EQ(g.TextMatrix(9, 0), "     ENERGY");
    EXPECT_EQ(g.TextMatrix(10, 0), " Protein, %");
    EXPECT_EQ(g.TextMatrix(11, 0), kFeedEatenCaption);  // the only diet runs to market
    EXPECT_EQ(g.TextMatrix(9, 1), FormatAuto(2430));
    EXPECT_EQ(g.TextMatrix(11, 2), FormatAuto(100));
    EXPECT_EQ(g.TextMatrix(9, 6), FormatPrecise(250));
    EXPECT_EQ(g.TextMatrix(8, 6), "Cost /tonne");
    EXPECT_EQ(g.CellBackColor(7, 1), kLightGreen);
    EXPECT_EQ(g.CellBackColor(7, 2), kLightCyan);
    // Single changes: energy (variable 2), protein (3), feed weight (1).
    EXPECT_EQ(g.TextMatrix(9, 7), FormatAuto(20));
    EXPECT_EQ(g.TextMatrix(10, 7), FormatAuto(30));
    EXPECT_EQ(g.TextMatrix(11, 7), FormatAuto(10));
    EXPECT_EQ(g.TextMatrix(11, 8), FormatAuto(21));
    EXPECT_EQ(g.TextMatrix(4, 0), "Percent Saved");
    EXPECT_EQ(g.TextMatrix(4, 4), FormatAuto(0));
    EXPECT_EQ(r.LabelEvaluations.Caption, "Number of Growouts run to find Optimum was 321");
    EXPECT_EQ(r.TextTargetWt.Text, FormatAuto(120));
    EXPECT_FALSE(r.CommandShowCurrent.Visible);
}

TEST_F(ReportFixture, PercentSavedComparesTheStartingCost) {
    s->CurrentCost = 50;
    LoadOptimisationReport(*s, r, nullptr);
    EXPECT_EQ(r.Grid3.TextMatrix(4, 4), FormatAuto(50));
}

TEST_F(ReportFixture, TheTargetFallsBackToTheWindowsBox) {
    s->OptTargetWeight = 0;
    FrmOptP f;
    f.Text2.Text = "115,5";
    LoadOptimisationReport(*s, r, &f);
    EXPECT_EQ(r.TextTargetWt.Text, FormatAuto(115.5));
}

TEST_F(ReportFixture, IngredientsWithoutLimitsStillGetTheirRowUnshaded) {
    LoadOptimisationReport(*s, r, nullptr);
    const Grid& g = r.GridIngred;
    EXPECT_EQ(g.TextMatrix(0, 1), "Ingredient Name");
    EXPECT_EQ(g.TextMatrix(0, 2), "Minimum");
    EXPECT_EQ(g.TextMatrix(0, 3), "Maximum");
    EXPECT_EQ(g.TextMatrix(1, 2), "1");
    EXPECT_EQ(g.TextMatrix(2, 1), "Corn");
    EXPECT_EQ(g.CellBackColor(2, 3), kLimitShade);
    EXPECT_EQ(g.TextMatrix(3, 1), "Salt");
    EXPECT_EQ(g.CellBackColor(3, 2), kNoColor);
    EXPECT_EQ(g.CellBackColor(3, 3), kNoColor);
    EXPECT_EQ(r.GridNuts.TextMatrix(2, 1), "Feed Wt.");
    EXPECT_EQ(r.GridNuts.TextMatrix(2, 2), "100.0");
    EXPECT_EQ(r.GridInWt.TextMatrix(0, 1), "Diet 1");
    EXPECT_EQ(r.GridInWt.TextMatrix(1, 1), "99.50");
}

TEST_F(ReportFixture, AHundredIngredientsFitTheRestrictionTable) {
    s->IngredientCount = 100;
    s->IngredientNames(100) = "Last";
    LoadOptimisationReport(*s, r, nullptr);
    EXPECT_EQ(r.GridIngred.TextMatrix(101, 1), "Last");
}

TEST_F(ReportFixture, CopyToClipboardTakesTheWholeSummaryAndKeepsTheCurrentCell) {
    LoadOptimisationReport(*s, r, nullptr);
    r.Grid3.Row = 5;
    r.Grid3.Col = 3;
    CopyReportToClipboard(*s, r);
    const std::string text = clip.GetText();
    EXPECT_NE(text.find("COST/Pig"), std::string::npos);
    EXPECT_NE(text.find("Opt Cost"), std::string::npos);
    EXPECT_EQ(r.Grid3.Row, 5);
    EXPECT_EQ(r.Grid3.Col, 3);
}

}  // namespace
}  // namespace tarvisol
