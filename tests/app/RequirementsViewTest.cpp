// The "Requirements" window opened from the main window on the demo location:
// no window before a run, then the chart and the table follow the nutrient
// chosen in the list.
#include <gtest/gtest.h>

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QPushButton>

#include "app/MainWindowView.h"
#include "app/RequirementsView.h"
#include "growth/GrowthRun.h"
#include "app/DemoInMainWindow.h"
#include "ui/RequirementsWindow.h"

using namespace tarvisol;

namespace {

class RequirementsViewTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override { OpenDemo("requirements"); }
};

TEST_F(RequirementsViewTest, ShowsTheLastRunAndFollowsTheChosenNutrient) {
    view->findChild<QPushButton*>("Requirements")->click();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back(), kRequirementsNoRun);
    EXPECT_TRUE(view->requirementsView() == nullptr || !view->requirementsView()->isVisible());

    form->ComboSex.ListIndex = 0;
    form->Combo1.ListIndex = kFormulationLeastCost;
    view->RunCommand([this] { Growth(*s); });
    view->findChild<QPushButton*>("Requirements")->click();
    app::RequirementsView* req = view->requirementsView();
    ASSERT_NE(req, nullptr);
    ASSERT_TRUE(req->isVisible());
    EXPECT_EQ(req->nutrientList()->currentText().toStdString(), "SID LYSINE");
    // Four phase bands, the requirement and the supply.
    EXPECT_EQ(req->chartView()->chart()->series().size(), 6);
    const std::string lysine = req->form().GridPhases.TextMatrix(1, 4);
    req->nutrientList()->setCurrentIndex(req->form().Run.Nutrition.Requirements.IndexOf("threonine"));
    EXPECT_EQ(req->form().ComboNutrient.Text(), "SID THREONINE");
    EXPECT_NE(req->form().GridPhases.TextMatrix(1, 4), lysine);
    EXPECT_NE(req->chartView()->chart()->title().toStdString().find("SID THREONINE"), std::string::npos);
}

}  // namespace
