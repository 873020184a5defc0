#include <gtest/gtest.h>

#include <memory>

#include "shared/Numbers.h"
#include "support/GridUnits.h"
#include "ui/DietDisplay.h"

using namespace tarvisol;

// Each content stands beside the minimum the diet was formulated with (the
// protein ratio may have raised it above the restriction file's).
TEST(DietDisplay, InclusionsThenContentsWithTheMinimaFormulatedWith) {
    RunSnapshot run;
    run.Source = "Growth";
    run.IngredientNames = {"Corn", "Soybean meal"};
    run.NutrientNames = {"Net ENERGY", "PROTEIN"};
    RunDiet first, second;
    first.Number = 1;
    first.Name = "Diet 1";
    first.Formula = {80, 20};
    first.Price = 240;
    first.Nutrients[2] = 15.6;
    first.LoadedNutrientMin = {0, 15.5};
    first.NutrientMin = {0, 15.58};
    second.Number = 2;
    second.Infeasible = true;
    second.Formula = {0, 0};
    run.Diets = {first, second};
    DietDisplayWindow w;
    LoadDietDisplay(run, w);
    const Grid& g = w.GridDisplay;
    EXPECT_EQ(g.TextMatrix(0, 1), "Diet 1");
    EXPECT_EQ(g.TextMatrix(1, 1), FormatAuto(240));
    EXPECT_EQ(g.TextMatrix(1, 3), "Infeasible");
    EXPECT_EQ(g.TextMatrix(3, 0), "Corn");
    EXPECT_EQ(g.TextMatrix(3, 1), FormatAuto(80));
    EXPECT_EQ(g.TextMatrix(3, 3), "");  // not in diet 2
    EXPECT_EQ(g.TextMatrix(5, 0), "Nutrients");
    EXPECT_EQ(g.TextMatrix(7, 0), "PROTEIN, %");
    EXPECT_EQ(g.TextMatrix(7, 1), FormatAuto(15.6));
    EXPECT_EQ(g.TextMatrix(7, 2), FormatAuto(15.58));
}

// The price and every nutrient's row name their unit in the run's units.
TEST(DietDisplay, ThePriceAndEveryNutrientNameTheirUnit) {
    RunSnapshot run;
    run.IngredientNames = {"Corn"};
    run.NutrientNames = {"NET ENERGY", "SID LYSINE", "CALCIUM"};
    run.Currency = "USD";
    run.PriceUnit = 1;
    RunDiet diet;
    diet.Formula = {100};
    run.Diets = {diet};
    DietDisplayWindow w;
    LoadDietDisplay(run, w);
    const Grid& g = w.GridDisplay;
    EXPECT_NE(g.TextMatrix(1, 0).find("USD per tonne"), std::string::npos) << g.TextMatrix(1, 0);
    for (int r = 5; r < g.Rows(); ++r)
        EXPECT_TRUE(tarvisol::testing::NamesAUnit(g.TextMatrix(r, 0))) << g.TextMatrix(r, 0);
}
