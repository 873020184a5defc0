#include <gtest/gtest.h>

#include <memory>

#include "formulation/RestrictionsEditor.h"
#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

class RestrictionsEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Dialog = &dialogs;
        s->DietCount = 3;
        s->NutrientCount = 4;
        s->NutrientNames(2) = "Net ENERGY";
        s->NutrientNames(3) = "PROTEIN";
        s->NutrientNames(4) = "ARGININE";
        s->IngredientCount = 2;
        s->IngredientNames(1) = "Corn";
        s->IngredientNames(2) = "Salt";
        s->NutrientLimits(1, 1, 2) = 3.14159;
        s->NutrientLimits(1, 2, 2) = 20;
        s->NutrientLimits(5, 1, 1) = 2400;  // a diet beyond DietCount
        s->IngredientLimits(2, 2, 2) = 0.5;
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    RestrictionsWindow w;
};

TEST_F(RestrictionsEditorTest, OpeningShowsAndRoundsTheLimits) {
    LoadRestrictionsWindow(*s, w);
    EXPECT_EQ(w.GridNuts.TextMatrix(0, 0), "Nutrient Restrictions");
    EXPECT_EQ(w.GridNuts.TextMatrix(0, 1), "Diet 1 Min Restrict");
    EXPECT_EQ(w.GridNuts.TextMatrix(0, 16), "Diet 8 Max Restrict");
    EXPECT_EQ(w.GridNuts.TextMatrix(1, 6), "100");
    EXPECT_EQ(w.GridNuts.TextMatrix(1, 7), "");
    EXPECT_EQ(w.GridNuts.TextMatrix(3, 0), "PROTEIN");
    EXPECT_EQ(s->NutrientLimits(1, 1, 2), 3.142);  // rounded in the table itself
    EXPECT_EQ(w.GridNuts.TextMatrix(3, 1), "3.142");
    EXPECT_EQ(w.GridNuts.CellBackColor(3, 1), Rgb(250, 225, 210));
    EXPECT_EQ(w.GridNuts.CellBackColor(4, 1), kNoColor);
    EXPECT_EQ(w.GridNuts.TextMatrix(2, 9), "2400");  // diet 5 is shown
    EXPECT_EQ(w.GridIngred.TextMatrix(0, 0), "Ing. Restrictions");
    EXPECT_EQ(w.GridIngred.TextMatrix(2, 0), "2 Salt");
    EXPECT_EQ(w.GridIngred.TextMatrix(2, 4), "0.5");
    IngredientRowActivated(*s, w, 2);
    EXPECT_EQ(dialogs.Messages().back(), "Ingredient # 2 is Salt");
}

TEST_F(RestrictionsEditorTest, SavingForTheSessionReadsDietsInUseOnly) {
    LoadRestrictionsWindow(*s, w);
    w.GridNuts.SetTextMatrix(3, 1, "");     // cleared: no restriction
    w.GridNuts.SetTextMatrix(2, 9, "2500");  // diet 5: not read back
    w.GridIngred.SetTextMatrix(1, 6, "-1");  // block corn in diet 3
    EXPECT_TRUE(SaveNutrientsForSession(*s, w));
    SaveIngredientsForSession(*s, w);
    EXPECT_EQ(s->NutrientLimits(1, 1, 2), 0);
    EXPECT_EQ(s->NutrientLimits(5, 1, 1), 2400);
    EXPECT_EQ(s->IngredientLimits(3, 2, 1), -1);
}

TEST_F(RestrictionsEditorTest, MinimumAboveMaximumStopsTheRead) {
    LoadRestrictionsWindow(*s, w);
    w.GridNuts.SetTextMatrix(3, 1, "25");   // protein min 25 > max 20 in diet 1
    w.GridNuts.SetTextMatrix(4, 1, "0.9");  // arginine after it
    EXPECT_FALSE(SaveNutrientsForSession(*s, w));
    EXPECT_EQ(dialogs.Messages().back(), "The Min Restriction on Diet 1 Nutrient PROTEIN is greater than the Maximum");
    EXPECT_EQ(s->NutrientLimits(1, 1, 2), 25);  // the pair read keeps its values
    EXPECT_EQ(s->NutrientLimits(1, 1, 3), 0);   // later pairs keep their previous values
}
