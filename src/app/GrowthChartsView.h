#pragma once
// The "Growth Charts" window over its form: live weight (with the diets'
// phases named along the top, the measured herd and the final mark), daily
// gain and daily feed against age, for the mixed herd, males and females;
// for a nutrient-response run also the daily protein and lipid deposition
// with what limited it; the picture to the clipboard or a PNG file.
#include <QDialog>

#include "app/Binder.h"
#include "shared/Dialogs.h"
#include "shared/SharedState.h"
#include "ui/GrowthCharts.h"

class QChartView;
class QLabel;
class QWidget;

namespace tarvisol::app {

class GrowthChartsView : public QDialog {
    Q_OBJECT
public:
    GrowthChartsView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Shows the window on a finished run.
    void Open(const RunSnapshot& run);
    GrowthChartsWindow& form() { return form_; }
    QChartView* weightView() const { return weight_; }
    QChartView* gainView() const { return gain_; }
    QChartView* feedView() const { return feed_; }
    // A nutrient-response run's daily protein and lipid deposition, the
    // limiting factor of each stretch of days shaded (hidden for the
    // documented curve).
    QChartView* depositionView() const { return deposition_; }
    // The three charts as one picture, as copied and saved.
    QImage Picture() const;

private:
    void Draw();
    void DrawDeposition(const GrowthChartData& c);
    void CopyImage();
    void SavePng();

    SharedState& s_;
    Dialogs& dialogs_;
    GrowthChartsWindow form_;
    Binder binder_;
    QWidget* charts_ = nullptr;
    QChartView* weight_ = nullptr;
    QChartView* gain_ = nullptr;
    QChartView* feed_ = nullptr;
    QChartView* deposition_ = nullptr;
    QLabel* depositionLegend_ = nullptr;  // the limiting factors' shades, under the deposition chart
};

}  // namespace tarvisol::app
