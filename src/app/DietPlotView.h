#pragma once
// The chart window of the diet plot over its form: the diet and measure
// lists, a heat map of the measure over energy and lysine (or protein) with
// the current diet marked, the measure along lysine at the current energy,
// and the table under them.
#include <QDialog>
#include <vector>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/DietChart.h"

class QChart;
class QChartView;
class QScatterSeries;

namespace tarvisol::app {

class DietPlotView : public QDialog {
    Q_OBJECT
public:
    DietPlotView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Loads the last sweep and shows the window.
    void Open();
    DietChartWindow& form() { return form_; }
    QChartView* mapView() const { return mapView_; }
    QChartView* lineView() const { return lineView_; }
    GridView* table() const { return table_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Select();
    void Refresh();
    void DrawMap();
    void DrawLine();
    void SizeMarkers();

    SharedState& s_;
    Dialogs& dialogs_;
    DietChartWindow form_;
    Binder binder_;
    QChartView* mapView_ = nullptr;
    QChartView* lineView_ = nullptr;
    GridView* table_ = nullptr;
    std::vector<QScatterSeries*> cells_;  // the map's squares, resized with the plot
    bool loading_ = false;
};

}  // namespace tarvisol::app
