#pragma once
// What each colour means wherever the program shades a table's cells: one
// legend per table, shown under it, so that no colour has to be guessed (red
// on the diets grid means "at its minimum", the limit that sets the diet, not
// a fault).
#include <string>
#include <vector>

#include "shared/Controls.h"

namespace tarvisol {

struct LegendEntry {
    Color Colour = kNoColor;
    std::string Meaning;
};
using ColourLegend = std::vector<LegendEntry>;

ColourLegend DietsGridLegend();          // main window, Inputs and Diets
ColourLegend FormulaGridLegend();        // main window, Formulas
ColourLegend RequirementPhasesLegend();  // Requirements, the phases
ColourLegend BalanceLegend();            // Requirements, the N and P balance
ColourLegend MixingSheetLegend();
ColourLegend CompareRunsLegend();
ColourLegend MarketWeightLegend();
ColourLegend HerdLegend();
ColourLegend DietPlotTableLegend();
ColourLegend OptimisationReportLegend();
ColourLegend OptimisationWindowLegend();
ColourLegend RestrictionsLegend();

// The colours of the grid's cells that the legend does not name.
std::vector<Color> UnexplainedColours(const Grid& g, const ColourLegend& legend);

// The legend as one line of text: "red: at its minimum; blue: at its maximum".
std::string LegendText(const ColourLegend& legend);

}  // namespace tarvisol
