#include "optimisation/PlotFiles.h"

#include "growth/Carcass.h"
#include "optimisation/PlotSweep.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kPrintZone = 14;

std::string Auto(double v) { return FixDecimalComma(FormatAuto(v)); }

const std::string& Cell(const Grid& g, int row, int col) {
    static const std::string empty;
    return row < g.Rows() && col < g.Cols() ? g.TextMatrix(row, col) : empty;
}

}  // namespace

std::string DietPlotHeader(const SharedState& s, bool leastCost) {
    std::string h = "Diet No.\tEnergy.\t";
    h += s.RatioToLysine ? "Lysine," : "Protein.";
    h += "\tAge,days.\tVelmorant\t";
    for (int d = 1; d <= s.DietCount; ++d) h += "Diet  " + std::to_string(d) + "\t";
    if (leastCost) h += "Cost/Pig.\t";
    h += "Back Fat at 10th Rib\t";
    h += LoinAreaCaption(s.WeightUnit());  // the unit the sweep's areas are in
    h += "\tCarc. Lean %\tCarc. Yield % ";
    h += kCrLf;
    h += "Values of -1 indicate one of the diets was infeasible.";
    h += kCrLf;
    return h;
}

std::string DietPlotRow(const SharedState& s, int d, int e, int l, const double* prices, bool leastCost) {
    const int level = s.RatioToLysine ? kSweepLysine : kSweepProtein;
    std::string r = std::to_string(d);
    const auto add = [&r](double v) {
        r += '\t';
        r += Auto(v);
    };
    add(s.SweepValues(d, e, kSweepEnergy));
    add(s.SweepValues(d, l, level));
    add(s.SweepResults(kSweepAge, d, e, l));
    add(s.SweepResults(kSweepFeedGain, d, e, l));
    for (int j = 1; j <= s.DietCount; ++j) add(prices[j]);
    if (leastCost) add(s.SweepResults(kSweepCost, d, e, l));
    for (int f = kSweepBackFat; f <= kSweepYield; ++f) add(s.SweepResults(f, d, e, l));
    r += kCrLf;
    r += kCrLf;
    return r;
}

std::string PrintZoneLine(const std::string& label, const std::string& value) {
    const std::size_t pad = kPrintZone - label.size() % kPrintZone;
    return label + std::string(pad, ' ') + value + kCrLf;
}

std::string PlotText(const SharedState& s, const MainWindow& w, double currentFeedGain, double currentCost) {
    const Grid& g = w.Grid1;
    // The last diet row of the results that the pig reached (its age is shown).
    int last = 1;
    for (int i = 1; i <= s.DietCount; ++i)
        if (!Cell(g, i, 2).empty()) last = i;
    std::string t;
    t += PrintZoneLine(Cell(g, 0, 1), Cell(g, last, 1));    // final live weight
    t += PrintZoneLine(Cell(g, 0, 2), Cell(g, last, 2));    // age at the final weight
    t += PrintZoneLine(Cell(g, 0, 4), Cell(g, last, 4));    // feed eaten
    t += PrintZoneLine(Cell(g, 8, 0), Cell(g, 8, 1));       // energy per unit of gain
    t += PrintZoneLine(Cell(g, 10, 0), Cell(g, 12, 0));     // cost per pig

    for (const PlotMeasure& m : kPlotMeasures) {
        for (int d = 1; d <= s.DietCount; ++d) {
            t += "Diet No. " + std::to_string(d) + "     " + m.label + kCrLf;
            t += kCrLf;
            for (int e = 0; e < kSweepSteps; ++e) {
                for (int l = 0; l < kSweepSteps; ++l) {
                    const bool shown = s.SweepResults(kSweepFeedGain, d, e, l) <= currentFeedGain &&
                                       s.SweepResults(kSweepCost, d, e, l) <= currentCost;
                    t += shown ? Auto(s.SweepResults(m.field, d, e, l)) : std::string("     ");
                    t += '\t';
                }
                t += ' ';
                t += kCrLf;
            }
        }
    }
    return t;
}

}  // namespace tarvisol
