#pragma once
// The margin objectives' part of the optimisation window over its form: the
// best programme beside the cost minimum and the current one, the best
// programme's diets, how the optimum moves with the prices, and the margin
// surface of a chosen diet (margin against SID lysine, a line per energy
// level).
#include <QWidget>

#include "optimisation/MarginPanel.h"

class QChartView;
class QComboBox;
class QLabel;

namespace tarvisol::app {

class GridView;

class MarginPanelView : public QWidget {
    Q_OBJECT
public:
    MarginPanelView(SharedState& s, MarginPanel& panel, QWidget* parent);
    void Refresh();
    QChartView* chart() const { return chart_; }

private:
    void DrawSurface();
    MarginPanel& panel_;
    GridView* compare_ = nullptr;
    GridView* diets_ = nullptr;
    GridView* sensitivity_ = nullptr;
    QComboBox* diet_ = nullptr;
    QLabel* model_ = nullptr;
    QChartView* chart_ = nullptr;
};

}  // namespace tarvisol::app
