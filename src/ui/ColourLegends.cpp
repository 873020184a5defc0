#include "ui/ColourLegends.h"

#include <algorithm>

#include "formulation/Formulate.h"
#include "formulation/RestrictionsEditor.h"
#include "optimisation/OptimisationWindow.h"
#include "ui/CompareRuns.h"
#include "ui/DietChart.h"
#include "ui/HerdWindow.h"
#include "ui/MarketWeightWindow.h"
#include "ui/OptimisationReport.h"
#include "ui/RequirementsWindow.h"

namespace tarvisol {

ColourLegend DietsGridLegend() {
    return {{kLightRed, "at its minimum: the limit sets the diet (not a fault)"},
            {kLightCyan, "above its minimum"},
            {kBlue, "at its maximum"},
            {kPriceLeavesOut, "price leaves out an ingredient without a price"},
            {kPreviousFormulation, "from the last feasible formulation (the diet is infeasible now)"}};
}

ColourLegend FormulaGridLegend() {
    return {{kLightRed, "at the ingredient's minimum"}, {kBlue, "at the ingredient's maximum"}};
}

ColourLegend RequirementPhasesLegend() {
    return {{kShortShade, "supply below 95 % of the requirement"},
            {kMetShade, "within 95 to 115 %"},
            {kOverShade, "above 115 % of the requirement"}};
}

ColourLegend BalanceLegend() { return {{kAboveRangeShade, "above the EU BAT range"}}; }

ColourLegend MixingSheetLegend() {
    return {{kLightRed, "a limit the rounded batch breaks"}, {kLightCyan, "the batch's total"}};
}

ColourLegend CompareRunsLegend() {
    return {{kBaseShade, "the base run"},
            {kBetterShade, "better than the base run"},
            {kWorseShade, "worse than the base run"},
            {kSectionShade, "a section of the table"}};
}

ColourLegend MarketWeightLegend() {
    return {{kBestRow, "a best weight"}, {kNotReachedRow, "not reached by day 198"}};
}

ColourLegend HerdLegend() { return {{kTotalsRow, "the whole barn"}}; }

ColourLegend DietPlotTableLegend() {
    return {{kChartCurrentShade, "the marked centre"},
            {kChartShortShade, "amino acids below the requirement"},
            {kChartMissingShade, "infeasible, or dearer than 1.4 times the current cost"}};
}

ColourLegend OptimisationReportLegend() {
    return {{kLightGreen, "the optimum"}, {kLightCyan, "the starting programme"}, {kLimitShade, "a limit set, or below the requirement"}};
}

ColourLegend OptimisationWindowLegend() { return {{kOptGreyed, "not optimised: fixed at the current value"}}; }

ColourLegend RestrictionsLegend() { return {{kLimitColor, "a limit set (0 is none)"}}; }

std::vector<Color> UnexplainedColours(const Grid& g, const ColourLegend& legend) {
    std::vector<Color> out;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) {
            const Color colour = g.CellBackColor(r, c);
            if (colour == kNoColor || colour == kWhite) continue;
            const bool named = std::any_of(legend.begin(), legend.end(), [&](const LegendEntry& e) { return e.Colour == colour; });
            if (!named && std::find(out.begin(), out.end(), colour) == out.end()) out.push_back(colour);
        }
    return out;
}

std::string LegendText(const ColourLegend& legend) {
    std::string text;
    for (const LegendEntry& e : legend) text += (text.empty() ? "" : "; ") + e.Meaning;
    return text;
}

}  // namespace tarvisol
