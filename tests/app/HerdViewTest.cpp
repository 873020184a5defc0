// The "Herd and Marketing" window opened from the main window and from the
// Market Weight window on the demo location: typed cuts are sold and drawn
// as one area per cut with the band's two ends.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QPushButton>

#include "app/DemoInMainWindow.h"
#include "app/HerdView.h"
#include "app/MainWindowView.h"
#include "app/MarketWeightView.h"
#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

namespace {

class HerdViewTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override { OpenDemo("herd"); }
};

TEST_F(HerdViewTest, SellsTheTypedCutsAndDrawsEachCutWithTheBand) {
    view->findChild<QPushButton*>("Herd and Marketing")->click();
    app::HerdView* herd = view->herdView();
    ASSERT_NE(herd, nullptr);
    EXPECT_TRUE(herd->isVisible());
    herd->findChild<QLineEdit*>("HerdSetting0")->setText("200");
    EditHerdCut(herd->form(), 1, 1, "150");
    EditHerdCut(herd->form(), 1, 2, "125");
    EditHerdCut(herd->form(), 2, 1, "165");
    herd->findChild<QPushButton*>("CommandSell")->click();
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Messages().front();
    ASSERT_EQ(herd->form().Value.Cuts.size(), 2u);
    EXPECT_EQ(herd->form().Value.Pigs, 200);
    // Two cuts and the band's two ends.
    EXPECT_EQ(herd->chartView()->chart()->series().size(), 4);
    // The Market Weight window opens the same window.
    herd->hide();
    view->findChild<QPushButton*>("Market Weight")->click();
    ASSERT_NE(view->marketView(), nullptr);
    view->marketView()->findChild<QPushButton*>("CommandHerd")->click();
    EXPECT_TRUE(herd->isVisible());
    EXPECT_EQ(herd->form().Value.Pigs, 200) << "the same location: the window keeps what it showed";
}

}  // namespace
