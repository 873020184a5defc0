// Copy and paste with the keyboard on a real table view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <memory>

#include "app/GridModel.h"
#include "app/QtDialogs.h"

using namespace tarvisol;

TEST(GridView, CtrlCAndCtrlVGoThroughTheSharedClipboard) {
    auto s = std::make_unique<SharedState>();
    app::QtClipboard clip;
    s->Clip = &clip;
    Grid a("Griddiets", 3, 3), b("GridFormula", 3, 3);
    a.SetTextMatrix(1, 1, "12.5");
    a.SetTextMatrix(1, 2, "x");
    app::GridView va(*s, a, {}), vb(*s, b, {});
    va.show();
    vb.show();
    va.setCurrentIndex(va.model()->index(1, 1));
    va.selectionModel()->select(QItemSelection(va.model()->index(1, 1), va.model()->index(1, 2)),
                                QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(&va, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "12.5\tx\t");
    vb.setCurrentIndex(vb.model()->index(2, 0));
    QTest::keyClick(&vb, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.TextMatrix(2, 0), "12.5");
    EXPECT_EQ(b.TextMatrix(2, 1), "x");
    EXPECT_EQ(vb.model()->data(vb.model()->index(2, 1), Qt::DisplayRole).toString().toStdString(), "x");
}
