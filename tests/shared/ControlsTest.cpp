#include <gtest/gtest.h>

#include "shared/Controls.h"
#include "shared/RuntimeError.h"

using namespace tarvisol;

TEST(Grid, CellsColoursAndBounds) {
    Grid g("Grid1", 3, 4);
    g.SetTextMatrix(2, 3, "x");
    g.SetCellBackColor(2, 3, kLightRed);
    EXPECT_EQ(g.TextMatrix(2, 3), "x");
    EXPECT_EQ(g.CellBackColor(2, 3), Rgb(245, 152, 152));
    EXPECT_EQ(g.CellBackColor(0, 0), kNoColor);
    EXPECT_THROW(g.SetTextMatrix(3, 0, "y"), RuntimeError);
    EXPECT_THROW((void)g.TextMatrix(0, 4), RuntimeError);
    EXPECT_THROW((void)g.TextMatrix(-1, 0), RuntimeError);
}

TEST(Grid, ResizingKeepsTheCellsThatFit) {
    Grid g("g", 2, 2);
    g.SetTextMatrix(1, 1, "keep");
    g.SetTextMatrix(0, 1, "top");
    g.SetCols(5);
    g.SetRows(10);
    EXPECT_EQ(g.TextMatrix(1, 1), "keep");
    EXPECT_EQ(g.TextMatrix(0, 1), "top");
    EXPECT_EQ(g.TextMatrix(9, 4), "");
    g.SetCols(1);
    EXPECT_EQ(g.Cols(), 1);
    EXPECT_THROW((void)g.TextMatrix(1, 1), RuntimeError);
    g.EnsureCell(12, 3);
    EXPECT_EQ(g.Rows(), 13);
    EXPECT_EQ(g.Cols(), 4);
}

TEST(Grid, ClearEmptiesTextAndColoursButKeepsSize) {
    Grid g("g", 3, 3);
    g.SetTextMatrix(1, 1, "a");
    g.SetCellBackColor(1, 1, kBlue);
    const auto v = g.Version();
    g.Clear();
    EXPECT_GT(g.Version(), v);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.TextMatrix(1, 1), "");
    EXPECT_EQ(g.CellBackColor(1, 1), kNoColor);
}

TEST(ComboBox, ListIndexMinusOneIsNoSelection) {
    ComboBox c;
    c.AddItem("Mixed");
    c.AddItem("Males");
    EXPECT_EQ(c.Text(), "");
    c.ListIndex = 1;
    EXPECT_EQ(c.Text(), "Males");
    c.ListIndex = 5;
    EXPECT_EQ(c.Text(), "");
}
