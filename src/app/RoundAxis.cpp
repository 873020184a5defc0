#include "app/RoundAxis.h"

#include <QValueAxis>
#include <algorithm>

#include "ui/AxisTicks.h"

namespace tarvisol::app {

QValueAxis* RoundAxis(QValueAxis* axis, double lo, double hi, int wanted) {
    if (hi <= lo) hi = lo + std::max(1.0, std::abs(lo) * 0.1);
    const AxisTicks t = RoundTicks(lo, hi, wanted);
    axis->setRange(lo, hi);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(t.First);
    axis->setTickInterval(t.Step);
    axis->setLabelFormat(QString("%.%1f").arg(t.Decimals));
    return axis;
}

}  // namespace tarvisol::app
