#include <gtest/gtest.h>

#include <memory>

#include "shared/Clipboard.h"
#include "ui/GridClipboard.h"

using namespace tarvisol;

class GridClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { s->Clip = &clip; }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    MemoryClipboard clip;
};

TEST_F(GridClipboardTest, CopyKeys) {
    Grid g("Griddiets", 4, 3);
    g.SetTextMatrix(1, 1, "a");
    g.SetTextMatrix(1, 2, "b");
    g.SetTextMatrix(2, 1, "c");
    g.Row = g.RowSel = 1;
    g.Col = g.ColSel = 1;
    EXPECT_TRUE(GridKeyDown(*s, g, kKeyC, kCtrl));
    EXPECT_EQ(clip.GetText(), "a\t");  // one cell, followed by a tab
    EXPECT_EQ(g.Row, 0);               // the current cell goes home

    g.Row = 2;
    g.RowSel = 1;
    g.Col = 2;
    g.ColSel = 1;  // selection made from the bottom right
    GridKeyDown(*s, g, kKeyInsert, kCtrl);
    EXPECT_EQ(clip.GetText(), "a\tb\t\nc\t\t");

    CopyRangeToClipboard(*s, g, {1, 1, 1, 9});  // beyond the last column
    EXPECT_EQ(clip.GetText(), "a\tb\t");

    g.Row = g.RowSel = 1;
    g.Col = 1;
    g.ColSel = 2;
    GridKeyDown(*s, g, kKeyX, kCtrl);
    EXPECT_EQ(clip.GetText(), "a\tb\t");
    EXPECT_EQ(g.TextMatrix(1, 1), "");
    EXPECT_EQ(g.TextMatrix(1, 2), "");

    g.SetTextMatrix(0, 0, "h");
    GridKeyDown(*s, g, kKeyA, kCtrl);  // every used cell: up to row 2, column 1
    EXPECT_EQ(clip.GetText(), "h\t\t\n\t\t\n\tc\t");
    EXPECT_FALSE(GridKeyDown(*s, g, kKeyV, kCtrl));  // Ctrl+V comes through the menu's paste
}

TEST_F(GridClipboardTest, BlockPasteWidensColumnsAndStopsAtAnEmptyLine) {
    Grid g("Griddiets", 4, 3);
    g.Row = 1;
    g.Col = 0;
    clip.SetText("1\t2\t3\r\n4\t5\t6\r\n\r\n7\t8\t9\r\n");
    PasteFromClipboard(*s, g, kKeyV, kCtrl);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(1, 2), "3");  // no carriage return left in the cell
    EXPECT_EQ(g.TextMatrix(2, 0), "4");
    EXPECT_EQ(g.TextMatrix(3, 0), "");    // the empty line ended the paste
    g.Col = 1;
    g.Row = 3;
    clip.SetText("x\ty\tz");
    PasteFromClipboard(*s, g, kKeyInsert, kShift);
    EXPECT_EQ(g.Cols(), 4);  // widened to take the whole line
    EXPECT_EQ(g.TextMatrix(3, 3), "z");  // the last row and the new column are written
    clip.SetText("p\nq\nr\ns\nt");
    g.Row = 2;
    g.Col = 0;
    PasteFromClipboard(*s, g, kKeyV, kCtrl);
    EXPECT_EQ(g.Rows(), 4);  // rows never grow
    EXPECT_EQ(g.TextMatrix(3, 0), "q");
    PasteFromClipboard(*s, g, kKeyC, kCtrl);  // not a paste key
    EXPECT_EQ(g.TextMatrix(2, 0), "p");
}

TEST_F(GridClipboardTest, TemperatureGridPastesIntoColumnOne) {
    Grid g("GridCurrTemp", 6, 3);
    g.Row = 1;
    g.Col = 2;
    clip.SetText("18\n19\n21");
    PasteFromClipboard(*s, g, kKeyV, kCtrl);
    EXPECT_EQ(g.TextMatrix(1, 1), "18");
    EXPECT_EQ(g.TextMatrix(3, 1), "21");
    EXPECT_EQ(g.TextMatrix(1, 2), "");
}

TEST_F(GridClipboardTest, PopupActsOnTheGridLastClicked) {
    Grid a("a", 3, 3), b("b", 3, 3);
    a.SetTextMatrix(0, 0, "head");
    a.SetTextMatrix(2, 2, "x");
    a.Row = 1;
    a.Col = 1;
    GridMouseDown(*s, b);
    GridMouseDown(*s, a);
    PopupCommand(*s, 1);  // Copy All
    EXPECT_EQ(clip.GetText(), "head\t\t\t\n\t\t\t\n\t\tx\t");
    EXPECT_EQ(a.Row, 1);
    PopupCommand(*s, 2);  // Clear: headers go too
    EXPECT_EQ(a.TextMatrix(0, 0), "");
    clip.SetText("v");
    a.Row = 2;
    a.Col = 0;
    PopupCommand(*s, 3);
    EXPECT_EQ(a.TextMatrix(2, 0), "v");
    EXPECT_EQ(std::string(kPopupCommands[0]), "Copy Highlighted Cells");
}

TEST_F(GridClipboardTest, SpreadsheetRoundTripGivesTheSameCells) {
    Grid from("Grid1", 4, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) from.SetTextMatrix(r, c, std::to_string(r * 10 + c));
    from.SetTextMatrix(2, 1, "");  // an empty cell inside the table
    GridKeyDown(*s, from, kKeyA, kCtrl);
    // A spreadsheet hands the rows back with CR LF and without the trailing tabs' empty column.
    std::string text = clip.GetText();
    std::string sheet;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\t' && (i + 1 == text.size() || text[i + 1] == '\n')) continue;
        if (text[i] == '\n') sheet += '\r';
        sheet += text[i];
    }
    clip.SetText(sheet + "\r\n");
    Grid to("GridDaily", 5, 1);
    PopupCommand(*s, 3);  // no active grid yet: nothing happens
    GridMouseDown(*s, to);
    PopupCommand(*s, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(to.TextMatrix(r, c), from.TextMatrix(r, c)) << r << "," << c;
}
