#include <gtest/gtest.h>

#include <memory>

#include "formulation/MatrixEditor.h"
#include "shared/ScriptedDialogs.h"
#include "support/GridUnits.h"

using namespace tarvisol;

class MatrixEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Dialog = &dialogs;
        s->IngredientCount = 3;
        s->NutrientCount = 3;
        s->NutrientNames(2) = "Net ENERGY";
        s->NutrientNames(3) = "PROTEIN";
        const char* names[] = {"", "Corn", "Soybean meal", "Limestone"};
        for (int i = 1; i <= 3; ++i) {
            s->IngredientNames(i) = names[i];
            s->IngredientPrices(i) = 100.0 * i;
            s->IngredientMatrix(1, i) = 100;
            s->IngredientMatrix(2, i) = 1000.0 * i;
            s->IngredientMatrix(3, i) = 10.0 * i;
            s->IngredientLimits(1, 2, i) = i;  // a maximum per ingredient
        }
        LoadMatrixEditor(*s, w);
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    MatrixEditorWindow w;
};

TEST_F(MatrixEditorTest, ThePriceAndEveryNutrientColumnNameTheirUnit) {
    s->Currency = "USD";
    LoadMatrixEditor(*s, w);
    EXPECT_EQ(tarvisol::testing::HeadingsWithoutUnit(w.GridMatrix), std::vector<std::string>{});
}

TEST_F(MatrixEditorTest, PriceChangesAreTakenIntoTheMatrix) {
    EXPECT_EQ(w.GridMatrix.TextMatrix(0, 2), "Net ENERGY, Kcal/Kg");
    EXPECT_EQ(w.GridMatrix.TextMatrix(2, 1), "200");
    w.GridMatrix.SetTextMatrix(2, 1, "415,5");
    ASSERT_TRUE(ApplyMatrixEditor(*s, w));
    EXPECT_EQ(s->IngredientPrices(2), 415.5);
    EXPECT_EQ(s->IngredientMatrix(3, 3), 30);
}

// A cell reads as the matrix file reads its numbers: grouped thousands as
// such, a lone comma before three digits as a decimal comma, each said.
TEST_F(MatrixEditorTest, CellsReadAsTheMatrixFileReadsItsNumbers) {
    w.GridMatrix.SetTextMatrix(1, 1, "1,150.00");
    w.GridMatrix.SetTextMatrix(2, 1, "1,150");
    w.GridMatrix.SetTextMatrix(3, 2, "7 000");
    ASSERT_TRUE(ApplyMatrixEditor(*s, w)) << ::testing::PrintToString(dialogs.Messages());
    EXPECT_EQ(s->IngredientPrices(1), 1150);
    EXPECT_EQ(s->IngredientPrices(2), 1.15);
    EXPECT_EQ(s->IngredientMatrix(2, 3), 7000);
    ASSERT_FALSE(dialogs.Messages().empty());
    const std::string said = dialogs.Messages().back();
    for (const char* part : {"Corn, Price, per kg: 1,150.00 groups thousands and was read as 1150",
                             "Soybean meal, Price, per kg: 1,150 has a decimal comma and was read as 1.150 (write 1150 if "
                             "thousands were meant)",
                             "Limestone, Net ENERGY, Kcal/Kg: 7 000 groups thousands and was read as 7000"})
        EXPECT_NE(said.find(part), std::string::npos) << said;
}

TEST_F(MatrixEditorTest, TextThatIsNotANumberIsRefusedAndNothingChanges) {
    w.GridMatrix.SetTextMatrix(1, 1, "cheap");
    w.GridMatrix.SetTextMatrix(2, 1, "999");
    EXPECT_FALSE(ApplyMatrixEditor(*s, w));
    EXPECT_EQ(s->IngredientPrices(2), 200);
    EXPECT_NE(dialogs.Messages().back().find("Corn, Price, per kg: 'cheap'"), std::string::npos);
    EXPECT_EQ(dialogs.Messages().back(), "These cells do not hold numbers; the matrix is unchanged:\nCorn, Price, per kg: 'cheap'");
}

TEST_F(MatrixEditorTest, AddingAndRemovingIngredientsKeepsLimitsWithTheirIngredient) {
    AddIngredientRow(*s, w);
    w.GridMatrix.SetTextMatrix(4, 0, "Wheat");
    w.GridMatrix.SetTextMatrix(4, 1, "190");
    ASSERT_TRUE(ApplyMatrixEditor(*s, w));
    EXPECT_EQ(s->IngredientCount, 4);
    EXPECT_EQ(s->IngredientMatrix(1, 4), 100);
    dialogs.Answer(Answer::Yes);
    RemoveIngredient(*s, w, 2);
    EXPECT_EQ(s->IngredientCount, 3);
    EXPECT_EQ(s->IngredientNames(2), "Limestone");
    EXPECT_EQ(s->IngredientLimits(1, 2, 2), 3);  // limestone's maximum moved with it
    EXPECT_EQ(s->IngredientNames(3), "Wheat");
    EXPECT_EQ(s->IngredientNames(4), "");
    EXPECT_EQ(w.GridMatrix.Rows(), 4);
    dialogs.Answer(Answer::No);
    RemoveIngredient(*s, w, 1);
    EXPECT_EQ(s->IngredientCount, 3);
}
