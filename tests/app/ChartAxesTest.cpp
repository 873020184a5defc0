// Every chart of the program, opened on the demo as a user opens it: each
// value axis is ticked on round numbers (1, 2 or 5 x 10^k from a multiple of
// its step), has a title, and the title fits the side of the plot it labels,
// a chart with two value axes at one side titling each.
#include <QAbstractAxis>
#include <QApplication>
#include <QChart>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QValueAxis>
#include <cmath>

#include "app/DietPlotView.h"
#include "app/GrowthChartsView.h"
#include "app/HerdView.h"
#include "app/MarketWeightView.h"
#include "app/RequirementsView.h"
#include "app/RunMenus.h"
#include "app/DemoInMainWindow.h"

using namespace tarvisol;

namespace {

class ChartAxesTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override { OpenDemo("axes"); }
};

bool Round(double step) {
    if (!(step > 0)) return false;
    const double decade = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = step / decade;
    for (double r : {1.0, 2.0, 5.0, 10.0})
        if (std::fabs(m - r) < 1e-6 * r) return true;
    return false;
}

void CheckAxes(QChartView* v, const std::string& what) {
    ASSERT_NE(v, nullptr) << what;
    QChart* chart = v->chart();
    const QRectF plot = chart->plotArea();
    int values = 0;
    for (QAbstractAxis* a : chart->axes()) {
        auto* axis = qobject_cast<QValueAxis*>(a);
        if (!axis || qobject_cast<QCategoryAxis*>(a)) continue;  // the diets' names along the top
        ++values;
        const std::string name = what + " / " + axis->titleText().toStdString();
        EXPECT_FALSE(axis->titleText().isEmpty()) << what << ": a value axis without a title";
        EXPECT_EQ(axis->tickType(), QValueAxis::TicksDynamic) << name;
        EXPECT_TRUE(Round(axis->tickInterval())) << name << ": ticks every " << axis->tickInterval();
        const double steps = axis->tickAnchor() / axis->tickInterval();
        EXPECT_NEAR(steps, std::round(steps), 1e-6) << name << ": ticks from " << axis->tickAnchor();
        const bool vertical = axis->orientation() == Qt::Vertical;
        const double room = vertical ? plot.height() : plot.width();
        EXPECT_LE(QFontMetrics(axis->titleFont()).horizontalAdvance(axis->titleText()), room) << name << " does not fit";
    }
    EXPECT_GT(values, 0) << what;
}

TEST_F(ChartAxesTest, EveryChartTicksOnRoundNumbersAndTitlesEachAxisWhereItFits) {
    view->findChild<QComboBox*>("ComboSex")->setCurrentIndex(0);
    view->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
    view->findChild<QPushButton*>("Growth")->click();
    ASSERT_TRUE(s->GrowthResultsValid);
    dialogs.ClearLog();

    view->runMenus()->OpenCharts();
    app::GrowthChartsView* charts = view->runMenus()->charts();
    ASSERT_NE(charts, nullptr);
    charts->resize(1280 - 16, 720 - 40);
    QApplication::processEvents();
    for (const char* name : {"WeightChart", "GainChart", "FeedChart"}) CheckAxes(charts->findChild<QChartView*>(name), name);

    const QSize screen(1280 - 16, 720 - 40);
    view->OpenRequirements();
    view->requirementsView()->resize(screen);
    QApplication::processEvents();
    CheckAxes(view->requirementsView()->chartView(), "Requirements");

    view->OpenMarketWeight();
    view->marketView()->findChild<QPushButton*>("CommandRun")->click();
    view->marketView()->resize(screen);
    QApplication::processEvents();
    CheckAxes(view->marketView()->chartView(), "Market Weight");

    view->OpenHerd();
    view->herdView()->findChild<QPushButton*>("CommandSell")->click();
    view->herdView()->resize(screen);
    QApplication::processEvents();
    CheckAxes(view->herdView()->chartView(), "Herd and Marketing");

    view->findChild<QPushButton*>("Plot Diets")->click();
    ASSERT_NE(view->plotView(), nullptr);
    view->plotView()->resize(screen);
    QApplication::processEvents();
    CheckAxes(view->plotView()->mapView(), "Diet plot map");
    CheckAxes(view->plotView()->lineView(), "Diet plot line");
    for (const auto& m : dialogs.Messages()) ADD_FAILURE() << "unexpected message: " << m;
}

}  // namespace
