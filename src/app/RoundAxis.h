#pragma once
// A chart's value axis over a range, ticked on round numbers (ui/AxisTicks).
#include <QString>

class QValueAxis;

namespace tarvisol::app {

// Sets the range lo..hi and round ticks on `axis`; returns it.
QValueAxis* RoundAxis(QValueAxis* axis, double lo, double hi, int wanted = 6);

}  // namespace tarvisol::app
