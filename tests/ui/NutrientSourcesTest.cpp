#include <gtest/gtest.h>

#include <memory>

#include "shared/Clipboard.h"
#include "shared/Numbers.h"
#include "ui/NutrientSources.h"

using namespace tarvisol;

class NutrientSourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Clip = &clip;
        s->IngredientCount = 3;
        s->NutrientCount = 4;  // weight, energy, protein, arginine
        const char* names[] = {"", "Corn", "Soybean meal", "Salt"};
        for (int i = 1; i <= 3; ++i) s->IngredientNames(i) = names[i];
        s->NutrientNames(2) = "Net ENERGY";
        s->NutrientNames(3) = "PROTEIN";
        s->NutrientNames(4) = "ARGININE";
        const double energy[] = {0, 2670, 2090, 0}, protein[] = {0, 8, 46, 0};
        const double price[] = {0, 180, 420, 0};
        for (int i = 1; i <= 3; ++i) {
            s->IngredientMatrix(1, i) = 100;
            s->IngredientMatrix(2, i) = energy[i];
            s->IngredientMatrix(3, i) = protein[i];
            s->IngredientPrices(i) = price[i];
        }
        s->DietFormula(1, 1) = 75;
        s->DietFormula(1, 2) = 24.5;
        s->DietFormula(1, 3) = 0.5;
        for (int n = 1; n <= 3; ++n) {
            double c = 0;
            for (int i = 1; i <= 3; ++i) c += s->IngredientMatrix(n + 1, i) * s->DietFormula(1, i) / 100;
            s->DietNutrients(1, n) = c;
        }
        s->DietPrice(1) = (75 * 180 + 24.5 * 420) / 100;
    }
    double Sum() const {
        double t = 0;
        for (int r = 1; r < w.GridSources.Rows(); ++r) t += Val(w.GridSources.TextMatrix(r, 1));
        return t;
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    MemoryClipboard clip;
    NutrientSourcesWindow w;
};

TEST_F(NutrientSourcesTest, SourcesOfANutrientAddUpTo100) {
    OpenFromDietsGrid(*s, w, 5, 1);  // row 5: protein
    EXPECT_EQ(w.SourceSelection[1], "2");
    MoreInfo(*s, w);
    ASSERT_TRUE(w.GridVisible);
    EXPECT_EQ(w.GridSources.TextMatrix(0, 0), "Diet # 1");
    EXPECT_EQ(w.GridSources.TextMatrix(0, 1), "PROTEIN");
    EXPECT_EQ(w.GridSources.Rows(), 3);  // salt carries no protein
    EXPECT_NEAR(Sum(), 100, 0.01);
    EXPECT_NE(w.LabelCaption.Caption.find("SOURCES OF THIS NUTRIENT, PERCENT"), std::string::npos);
    CopySources(*s, w);
    EXPECT_EQ(clip.GetText(), "Diet # 1\tPROTEIN\t\nCorn\t" + w.GridSources.TextMatrix(1, 1) + "\t\nSoybean meal\t" +
                                  w.GridSources.TextMatrix(2, 1) + "\t");
}

TEST_F(NutrientSourcesTest, NutrientAbsentFromTheDietOpensNoBreakdown) {
    OpenFromDietsGrid(*s, w, 6, 1);  // arginine, 0 in this diet
    MoreInfo(*s, w);
    EXPECT_FALSE(w.GridVisible);
}

TEST_F(NutrientSourcesTest, CostSharesLeaveOutUnpricedIngredients) {
    OpenFromDietsGrid(*s, w, 2, 1);  // the price row
    MoreInfo(*s, w);
    EXPECT_EQ(w.GridSources.TextMatrix(0, 1), "Feed Cost");
    EXPECT_EQ(w.GridSources.Rows(), 3);
    EXPECT_NEAR(Sum(), 100, 0.01);
}

TEST_F(NutrientSourcesTest, WhatOneIngredientContributes) {
    OpenForIngredient(*s, w, 1, 1);
    MoreInfo(*s, w);
    EXPECT_EQ(w.GridSources.TextMatrix(0, 1), "Corn");
    EXPECT_EQ(w.GridSources.TextMatrix(1, 0), "Net ENERGY");
    EXPECT_EQ(w.GridSources.TextMatrix(1, 1), FormatAuto(75 * 2670 / s->DietNutrients(1, 1)));
    // A diet of one ingredient gets all its nutrients from it.
    s->DietFormula(1, 1) = 100;
    s->DietFormula(1, 2) = s->DietFormula(1, 3) = 0;
    for (int n = 1; n <= 2; ++n) s->DietNutrients(1, n) = s->IngredientMatrix(n + 1, 1);
    OpenForIngredient(*s, w, 1, 1);
    MoreInfo(*s, w);
    EXPECT_EQ(w.GridSources.TextMatrix(1, 1), "100.0");
    EXPECT_EQ(w.GridSources.TextMatrix(2, 1), "100.0");
}
