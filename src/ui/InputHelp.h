#pragma once
// Tool tips of the main window's input boxes and of the diets grid's rows:
// what each holds, in the units of the open location (energy in its energy
// unit, protein and amino acids in %, prices per its price unit, weights and
// feed allotments in its weight unit).
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// "kg", "lb", "g" for weight units 0, 1, 2 (unit 0 for any other).
std::string WeightUnitName(int unit);
// "kg", "tonne", "lb", "short ton", "hundredweight (100 lb)": the amount of
// feed a price is given for, by price unit.
std::string PriceUnitName(int unit);

// What the main window's box holds ("" for a box not described here).
std::string BoxHelp(const SharedState& s, const TextBox& box);
// The tool tip shown on the box: its help, and on the line below the box's
// own tip when it has one (the initial value read from the settings file).
std::string BoxToolTip(const SharedState& s, const TextBox& box);
// The same for the main window's lists.
std::string ComboHelp(const SharedState& s, const ComboBox& combo);

// The tool tip of row `row` of the diets grid (every cell of the row).
std::string DietRowToolTip(const SharedState& s, int row);

// The tool tip of a cell of the results grid: what the column's figures are,
// in their unit, for the per-diet table and the day table ("" elsewhere).
std::string ResultsCellToolTip(const SharedState& s, int row, int col);
// The tool tip of the score beside the growth curve (column 6 of the curve
// grid): what the figure is under its heading ("" for the other cells).
std::string CurveCellToolTip(const SharedState& s, int row, int col);
// The same for a column of the daily growth table.
std::string DailyColumnToolTip(const SharedState& s, int col);
// The tool tip of row `row` of the optimisation window's grid (three rows a
// diet: feed allotment, net energy, protein), in the location's units.
std::string OptimisationRowToolTip(const SharedState& s, int row);

}  // namespace tarvisol
