// The Mixing Sheet window's form: boxes, refusals, copying and the document.
#include <gtest/gtest.h>

#include "formulation/Formulate.h"
#include "shared/Clipboard.h"
#include "support/FormulationFixture.h"
#include "ui/MixingSheetWindow.h"

using namespace tarvisol;

namespace {

class MixingSheetWindowTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    void SetUp() override {
        s->Clip = &clip;
        LoadDemo();
        RunLp(*s);
    }
    MemoryClipboard clip;
    MixingSheetWindow win;
};

TEST_F(MixingSheetWindowTest, OpensWithTheDefaultBatchAndCopiesBothTables) {
    OpenMixingSheet(*s, win, 1);
    EXPECT_EQ(win.TextBatch.Text, "1000");
    EXPECT_EQ(win.TextCoarse.Text, "0.500");
    ASSERT_TRUE(win.SheetReady);
    const Grid& g = win.GridIngredients;
    EXPECT_EQ(g.TextMatrix(1, 0), "Corn");
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 0), "Total");
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 2), "1000.00");
    CopyMixingSheet(*s, win);
    const std::string text = clip.GetText();
    EXPECT_EQ(text.rfind("Ingredient\tFormula, %\tWeight, Kg.\t", 0), 0u);
    EXPECT_NE(text.find("\n\nNutrient\tMinimum\t"), std::string::npos);
    const std::string html = MixingSheetHtml(win);
    EXPECT_NE(html.find("<td>Corn</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>Total</td>"), std::string::npos);
}

TEST_F(MixingSheetWindowTest, AnUnusableBatchIsRefusedAndClearsTheSheet) {
    OpenMixingSheet(*s, win, 1);
    ASSERT_TRUE(win.SheetReady);
    win.TextBatch.Text = "lots";
    MakeMixingSheet(*s, win);
    EXPECT_FALSE(win.SheetReady);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Batch size must be a number above 0"});
    EXPECT_EQ(win.GridIngredients.Rows(), 1);
    win.TextBatch.Text = "2000,5";  // a decimal comma is read as a point
    MakeMixingSheet(*s, win);
    ASSERT_TRUE(win.SheetReady);
    EXPECT_EQ(win.Sheet.total, 2000.5);
}

TEST_F(MixingSheetWindowTest, GramsGetTheirOwnDefaults) {
    s->WeightUnit() = 2;
    OpenMixingSheet(*s, win, 3);
    EXPECT_EQ(win.TextBatch.Text, "1000000");
    EXPECT_EQ(win.LabelUnit.Caption, "Grams");
    ASSERT_TRUE(win.SheetReady);
    EXPECT_EQ(win.Sheet.total, 1e6);
}

}  // namespace
