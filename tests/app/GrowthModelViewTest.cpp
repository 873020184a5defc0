// The growth model on the Inputs and Diets tab of the desktop program: the
// nutrient response chosen from the list shows the genotype editor, a typed
// parameter reaches the genotype, Growth says on the results which model
// ran, and the growth charts add the daily deposition; the documented curve
// chosen again hides the genotype and the deposition.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/DemoInMainWindow.h"
#include "app/GrowthChartsView.h"
#include "app/GridModel.h"
#include "app/RunMenus.h"
#include "response/GenotypePresets.h"

using namespace tarvisol;

namespace {

class GrowthModelViewTest : public tarvisol::testing::DemoInMainWindow {};

TEST_F(GrowthModelViewTest, TheResponseModelChosenShowsTheGenotypeAndTheRunSaysWhichModelGrewIt) {
    OpenDemo("model");
    view->tabs()->setCurrentIndex(1);
    auto* model = view->findChild<QComboBox*>("ComboModel");
    auto* grid = view->findChild<app::GridView*>("GridGenotype");
    auto* line = view->findChild<QLabel*>("ModelLine");
    ASSERT_TRUE(model && grid && line);
    EXPECT_FALSE(grid->isVisible());
    model->setCurrentIndex(1);
    emit model->activated(1);
    EXPECT_TRUE(grid->isVisible());
    EXPECT_EQ(s->Model.Kind, GrowthModelKind::Response);
    // Typed into the grid: the males' mean protein deposition.
    const QModelIndex cell = grid->model()->index(kGenotypeRowMales, kGenotypeColDeposition);
    ASSERT_TRUE(grid->model()->setData(cell, "150", Qt::EditRole));
    EXPECT_EQ(s->Model.Pig.Male.MeanProteinDeposition, 150);
    EXPECT_FALSE(view->findChild<QLabel*>("LabelGenotypeChanged")->text().isEmpty());

    view->findChild<QPushButton*>("Growth")->click();
    ASSERT_TRUE(s->LastRun.ResultsValid);
    EXPECT_TRUE(line->text().startsWith(QString::fromStdString("Growth model: nutrient response; genotype: " +
                                                               response::ReferenceGenotype().Name + ", edited")))
        << line->text().toStdString();
    view->runMenus()->OpenCharts();
    app::GrowthChartsView* charts = view->runMenus()->charts();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->depositionView()->isVisible());
    EXPECT_TRUE(charts->findChild<QLabel*>("LabelGainNote")->text().isEmpty());

    model->setCurrentIndex(0);
    emit model->activated(0);
    EXPECT_FALSE(grid->isVisible());
    view->findChild<QPushButton*>("Growth")->click();
    EXPECT_EQ(line->text().toStdString(), "Growth model: documented curve");
    view->runMenus()->OpenCharts();
    EXPECT_FALSE(charts->depositionView()->isVisible());
}

}  // namespace
