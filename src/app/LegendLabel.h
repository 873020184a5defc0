#pragma once
// A table's colour legend (ui/ColourLegends) as one line under it: a swatch
// of each colour and what it means.
#include <QLabel>

#include "ui/ColourLegends.h"

namespace tarvisol::app {

QLabel* LegendLabel(const ColourLegend& legend, QWidget* parent);

}  // namespace tarvisol::app
