// The "Precision Feeding" window opened from the main window's Run menu and
// from the Requirements window on the demo location: Compare fills the table
// and draws both charts, the share of feed A never outside 0 to 1.
#include <gtest/gtest.h>

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>

#include "app/DemoInMainWindow.h"
#include "app/MainWindowView.h"
#include "app/PrecisionView.h"
#include "app/RequirementsView.h"
#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

namespace {

class PrecisionViewTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override { OpenDemo("precision"); }
};

TEST_F(PrecisionViewTest, OpensFromTheRunMenuAndFromRequirementsAndDrawsBothCharts) {
    view->findChild<QAction*>("ActionPrecision")->trigger();
    app::PrecisionView* precision = view->precisionView();
    ASSERT_NE(precision, nullptr);
    EXPECT_TRUE(precision->isVisible());
    precision->findChild<QLineEdit*>("PrecisionPigs")->setText("40");
    precision->findChild<QPushButton*>("CommandCompare")->click();
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    ASSERT_TRUE(precision->form().Result.has_value());
    EXPECT_EQ(precision->form().Result->Strategies[precision::kPrecision].Pigs, 40);
    EXPECT_EQ(precision->shareChart()->chart()->series().size(), 4);
    EXPECT_EQ(precision->supplyChart()->chart()->series().size(), 6);
    for (QAbstractSeries* s : precision->shareChart()->chart()->series())
        for (const QPointF& p : static_cast<QLineSeries*>(s)->points()) {
            EXPECT_GE(p.y(), 0.0);
            EXPECT_LE(p.y(), 1.0);
        }
    precision->hide();
    view->findChild<QPushButton*>("Requirements")->click();
    ASSERT_NE(view->requirementsView(), nullptr);
    view->requirementsView()->findChild<QPushButton*>("OpenPrecision")->click();
    EXPECT_TRUE(precision->isVisible());
    EXPECT_TRUE(precision->form().Result.has_value()) << "the same location: the window keeps what it showed";
}

}  // namespace
