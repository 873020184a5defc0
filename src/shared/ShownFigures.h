#pragma once
// Figures the program writes into a box or grid cell in the location's
// display units. In the metric units (kg, kcal per kg, money per tonne) the
// text is the figure, as ever. In any other unit the text is the figure
// rounded for showing in that unit, and the figure kept behind it (until the
// cell is typed over) is the metric figure as the metric units show it, in
// the display unit: so a programme run in pounds, kcal per lb or per short
// ton uses exactly what the same programme run in kilograms uses, and the
// unit is only a way of showing it.
#include "shared/Controls.h"

namespace tarvisol {

struct SharedState;

// Display units per metric unit of each kind of figure: 1 in the metric units.
double WeightToMetric(const SharedState& s);
double EnergyToMetric(const SharedState& s);
double PriceToMetric(const SharedState& s);

// `shown` is the figure in the display unit, `toMetric` its kind's factor.
void ShowFigure(Grid& g, int row, int col, double shown, double toMetric);
void ShowFigure(TextBox& box, double shown, double toMetric);

// What a cell or box stands for in the display unit: the figure behind its
// text when the program wrote one, else the number its text reads as.
double FigureOf(const Grid& g, int row, int col);
double FigureOf(const TextBox& box);

}  // namespace tarvisol
