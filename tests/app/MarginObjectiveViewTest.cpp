// The optimisation window on a margin objective: the ranges give way to the
// margin results, "Run Opt." fills the three programmes and draws the first
// diet's margin surface, and View Optimization shows the same figures.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include "app/DemoInMainWindow.h"
#include "app/MainWindowView.h"
#include "app/MarginPanelView.h"
#include "app/OptimisationReportView.h"
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

    // View Optimization opens on the margin page, with the window's figures.
    opt->findChild<QPushButton*>("CommandView")->click();
    ASSERT_NE(opt->report(), nullptr);
    QTabWidget* tabs = opt->report()->tabs();
    EXPECT_TRUE(tabs->isTabVisible(kMarginReportTab));
    EXPECT_EQ(tabs->currentIndex(), kMarginReportTab);
    const Grid& page = opt->report()->form().GridMargin;
    int row = -1;
    for (int r = 0; r < page.Rows(); ++r)
        if (page.TextMatrix(r, 0) == "Margin per pig place and year") row = r;
    ASSERT_GE(row, 0);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(page.TextMatrix(row, c), panel.GridCompare.TextMatrix(9, c)) << c;
}

}  // namespace
