#pragma once
// The "Requirements" window over its form: the nutrient list, the chart of
// requirement and supply by day with the diet phases shaded, the table per
// phase and the nitrogen and phosphorus balance.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/RequirementsWindow.h"

class QChartView;
class QComboBox;

namespace tarvisol::app {

class RequirementsView : public QDialog {
    Q_OBJECT
public:
    RequirementsView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Takes the last Growth run and shows the window (or says there is none).
    void Open();
    RequirementsWindow& form() { return form_; }
    QChartView* chartView() const { return chart_; }
    QComboBox* nutrientList() const { return nutrients_; }
    // Opens the "Precision Feeding" window (set by the main window).
    std::function<void()> openPrecision;

private:
    void Refresh();
    void DrawChart();

    SharedState& s_;
    Dialogs& dialogs_;
    RequirementsWindow form_;
    Binder binder_;
    QComboBox* nutrients_ = nullptr;
    QChartView* chart_ = nullptr;
    GridView* phases_ = nullptr;
    GridView* balance_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace tarvisol::app
