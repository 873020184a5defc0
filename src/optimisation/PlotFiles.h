#pragma once
// The two text files of the diet plot sweep. DietPlot.txt lists every point
// of every diet, one row each; Plot.txt lays each measure out as a 21 x 21
// table per diet (energy steps down, lysine or protein steps across) and
// shows only the points at least as good as the current programme on both
// feed per gain and cost. Lines end with CR LF, cells with TAB.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

struct MainWindow;

// Labels of the measures of Plot.txt and their SweepResults fields.
struct PlotMeasure {
    const char* label;
    int field;
};
inline constexpr PlotMeasure kPlotMeasures[5] = {
    {"Feed Cost", 3}, {"Velmorant", 1}, {"Age, Days", 2}, {"Br. Meat Yield", 4}, {"Leg Thigh Yld", 5}};

// The heading line and the note line of DietPlot.txt.
std::string DietPlotHeader(const SharedState& s, bool leastCost);

// One point's row of DietPlot.txt and the empty line after it: diet number,
// swept energy, swept lysine (or protein), age, feed per gain, each diet's
// price (prices[1..DietCount]), the cost per pig with least-cost
// formulation, then back fat, longissimus area, lean and yield.
std::string DietPlotRow(const SharedState& s, int d, int e, int l, const double* prices, bool leastCost);

// A label, the gap to the next 14-column print zone, and a value.
std::string PrintZoneLine(const std::string& label, const std::string& value);

// The whole of Plot.txt: five lines of the current results of the main
// window, then each measure's table for each diet. A cell shows its value
// when the point's feed per gain is at most currentFeedGain and its cost at
// most currentCost, otherwise five blanks.
std::string PlotText(const SharedState& s, const MainWindow& w, double currentFeedGain, double currentCost);

}  // namespace tarvisol
