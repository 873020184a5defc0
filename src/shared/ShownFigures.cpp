#include "shared/ShownFigures.h"

#include <cmath>
#include <string>

#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kMetricPriceUnit = 1;  // per tonne

// The metric figure as the metric units show it, back in the display unit.
double MetricShown(double shown, double toMetric) {
    return Val(FormatAuto(shown * toMetric)) / toMetric;
}

}  // namespace

double WeightToMetric(const SharedState& s) { return WeightFactor(s.WeightUnit()); }
double EnergyToMetric(const SharedState& s) { return EnergyFactor(s.EnergyUnit()); }
double PriceToMetric(const SharedState& s) { return PriceFactor(s.PriceUnit()) / PriceFactor(kMetricPriceUnit); }

void ShowFigure(Grid& g, int row, int col, double shown, double toMetric) {
    std::string text = FormatAuto(shown);
    if (toMetric == 1 || !std::isfinite(shown) || !(toMetric > 0)) return g.SetTextMatrix(row, col, std::move(text));
    g.SetFigure(row, col, std::move(text), MetricShown(shown, toMetric));
}

void ShowFigure(TextBox& box, double shown, double toMetric) {
    std::string text = FormatAuto(shown);
    if (toMetric == 1 || !std::isfinite(shown) || !(toMetric > 0)) {
        box.Text = std::move(text);
        return;
    }
    SetBoxFigure(box, std::move(text), MetricShown(shown, toMetric));
}

double FigureOf(const Grid& g, int row, int col) {
    double v = 0;
    if (g.Figure(row, col, v)) return v;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

double FigureOf(const TextBox& box) {
    double v = 0;
    if (BoxFigure(box, v)) return v;
    return NumVal(std::string_view(box.Text));
}

}  // namespace tarvisol
