#include <gtest/gtest.h>

#include <memory>

#include "shared/Numbers.h"
#include "ui/DietDisplay.h"

using namespace tarvisol;

TEST(DietDisplay, InclusionsThenContentsWithLoadedMinima) {
    auto s = std::make_unique<SharedState>();
    s->DietCount = 2;
    s->IngredientCount = 2;
    s->IngredientNames(1) = "Corn";
    s->IngredientNames(2) = "Soybean meal";
    s->NutrientCount = 3;
    s->NutrientNames(2) = "Net ENERGY";
    s->NutrientNames(3) = "PROTEIN";
    s->DietFormula(1, 1) = 80;
    s->DietFormula(1, 2) = 20;
    s->DietPrice(1) = 240;
    s->DietFaults(2) = 1;
    s->DietNutrients(1, 2) = 15.6;
    s->LoadedNutrientLimits(1, 1, 2) = 15.5;
    DietDisplayWindow w;
    LoadDietDisplay(*s, w);
    const Grid& g = w.GridDisplay;
    EXPECT_EQ(g.TextMatrix(0, 1), "Diet 1");
    EXPECT_EQ(g.TextMatrix(1, 1), FormatAuto(240));
    EXPECT_EQ(g.TextMatrix(1, 3), "Infeasible");
    EXPECT_EQ(g.TextMatrix(3, 0), "Corn");
    EXPECT_EQ(g.TextMatrix(3, 1), FormatAuto(80));
    EXPECT_EQ(g.TextMatrix(3, 3), "");  // not in diet 2
    EXPECT_EQ(g.TextMatrix(5, 0), "Nutrients");
    EXPECT_EQ(g.TextMatrix(7, 0), "PROTEIN");
    EXPECT_EQ(g.TextMatrix(7, 1), FormatAuto(15.6));
    EXPECT_EQ(g.TextMatrix(7, 2), FormatAuto(15.5));
}
