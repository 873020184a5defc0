#pragma once
// The "Market Weight" window over its form: the market settings and the range
// of final weights, the chart of both margins against final weight with the
// best weights marked and the present final weight drawn, the table under
// it, and the buttons. "Run" shows a progress dialog that can cancel.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/MarketWeightWindow.h"

class QChartView;

namespace tarvisol::app {

class MarketWeightView : public QDialog {
    Q_OBJECT
public:
    MarketWeightView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Loads the location's market settings and shows the window.
    void Open();
    MarketWeightWindow& form() { return form_; }
    QChartView* chartView() const { return chart_; }
    GridView* table() const { return table_; }
    // Called after a best weight went into the main window's final weight.
    std::function<void()> onFinalWeightTaken;
    // Opens the Herd and Marketing window (the main window's).
    std::function<void()> openHerd;

private:
    void Run(const std::function<void()>& procedure);
    void Refresh();
    void DrawChart();

    SharedState& s_;
    Dialogs& dialogs_;
    MarketWeightWindow form_;
    Binder binder_;
    QChartView* chart_ = nullptr;
    GridView* table_ = nullptr;
};

}  // namespace tarvisol::app
