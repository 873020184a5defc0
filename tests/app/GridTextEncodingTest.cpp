// Names in location files are Windows-1252 bytes: the grids show them as the
// characters they are, and an edit or a paste never changes a byte of them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <memory>

#include "app/GridModel.h"
#include "app/QtDialogs.h"

using namespace tarvisol;

TEST(GridTextEncoding, ASingleByteNameShowsAsItsCharacterAndEditsKeepItsBytes) {
    Grid g("GridMatrix", 3, 3);
    g.SetTextMatrix(1, 0, "Ma\xEFs");  // "Maïs" in Windows-1252
    g.SetTextMatrix(2, 0, "Bl\xE9");
    app::GridModel model(g, [&](int r, int c, const std::string& text) { g.SetTextMatrix(r, c, text); });
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QString::fromUtf8("Ma\xC3\xAFs"));

    // Another cell edited: the name keeps its byte; a typed accent arrives as
    // the single byte the files hold.
    ASSERT_TRUE(model.setData(model.index(1, 1), QString("199.5"), Qt::EditRole));
    ASSERT_TRUE(model.setData(model.index(2, 0), QString::fromUtf8("Bl\xC3\xA9 dur"), Qt::EditRole));
    EXPECT_EQ(g.TextMatrix(1, 0), "Ma\xEFs");
    EXPECT_EQ(g.TextMatrix(1, 1), "199.5");
    EXPECT_EQ(g.TextMatrix(2, 0), "Bl\xE9 dur");

    // A character the files have no byte for, or a TAB, is refused with the
    // reason, never stored as "?" or a blank.
    for (const char* typed : {"Soja \xCE\xA9", "Bl\xC3\xA9\tdur"}) {
        EXPECT_FALSE(model.setData(model.index(2, 0), QString::fromUtf8(typed), Qt::EditRole)) << typed;
        EXPECT_EQ(g.TextMatrix(2, 0), "Bl\xE9 dur");
        EXPECT_NE(model.LastRefusal().find("the cell keeps its text"), std::string::npos) << model.LastRefusal();
    }

    // The clipboard carries the character to other programs and back as the byte.
    app::QtClipboard clip;
    clip.SetText(g.TextMatrix(1, 0));
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("Ma\xC3\xAFs"));
    EXPECT_EQ(clip.GetText(), "Ma\xEFs");
}
