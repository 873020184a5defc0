// The optimisation window on a margin objective: the ranges give way to the
// margin results, "Run Opt." fills the three programmes and draws the first
// diet's margin surface.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QPushButton>

#include "app/DemoInMainWindow.h"
#include "app/MainWindowView.h"
#include "app/MarginPanelView.h"
#include "app/OptimisationView.h"
#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

namespace {

class MarginObjectiveViewTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override { OpenDemo("margin"); }
};

TEST_F(MarginObjectiveViewTest, RunOptOnAMarginShowsTheProgrammesAndTheSurface) {
    view->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);  // least cost: the search formulates
    view->findChild<QPushButton*>("Growth")->click();
    view->findChild<QPushButton*>("Run Optimization")->click();
    auto* opt = view->findChild<app::OptimisationView*>();
    ASSERT_NE(opt, nullptr);
    auto* objective = opt->findChild<QComboBox*>("ComboObjective");
    ASSERT_NE(objective, nullptr);
    ASSERT_EQ(objective->count(), 3);
    EXPECT_EQ(objective->currentIndex(), 0);
    EXPECT_FALSE(opt->margin()->isVisibleTo(opt));
    objective->setCurrentIndex(1);
    emit objective->activated(1);
    EXPECT_TRUE(opt->margin()->isVisibleTo(opt));
    EXPECT_FALSE(opt->grid()->isVisibleTo(opt));

    opt->findChild<QPushButton*>("CommandOpt")->click();
    const MarginPanel& panel = opt->form().Margin;
    ASSERT_TRUE(panel.Result.Done) << (dialogs.Messages().empty() ? "" : dialogs.Messages().back());
    // The demo grows the documented curve: the window said which pig it searched on.
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_NE(dialogs.Messages().back().find("nutrient-response model"), std::string::npos);
    // Five energy levels and the best programme.
    EXPECT_EQ(opt->margin()->chart()->chart()->series().size(), 6);
}

}  // namespace
