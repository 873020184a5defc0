#pragma once
// The "Precision Feeding" window over its form: the herd and the feeds on
// the left with Compare (a progress dialog that can cancel), the table of the
// three ways of feeding, and two charts: the daily share of feed A, and SID
// lysine supplied against required.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "shared/Dialogs.h"
#include "ui/PrecisionWindow.h"

class QChartView;

namespace tarvisol::app {

class PrecisionView : public QDialog {
    Q_OBJECT
public:
    PrecisionView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Shows the window for the location open now.
    void Open();
    PrecisionWindow& form() { return form_; }
    QChartView* shareChart() const { return share_; }
    QChartView* supplyChart() const { return supply_; }
    // Presses Compare as the button does (the screenshots and tests).
    void Compare();

private:
    void Run(const std::function<void()>& procedure);
    void Refresh();

    SharedState& s_;
    Dialogs& dialogs_;
    PrecisionWindow form_;
    Binder binder_;
    QChartView* share_ = nullptr;
    QChartView* supply_ = nullptr;
    GridView* table_ = nullptr;
};

}  // namespace tarvisol::app
