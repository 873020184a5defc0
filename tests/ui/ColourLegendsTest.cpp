// Every colour a table is shaded with is named by the legend under it, on
// the demo's least-cost run: the diets (red is "at its minimum", the limit
// that sets the diet, not a fault), the formulas, the requirements and the
// balance, the mixing sheet, the market weights, the herd, the diet plot's
// table, the optimisation window and the restrictions editor.
#include <gtest/gtest.h>

#include "formulation/RestrictionsEditor.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/PlotSweep.h"
#include "support/DemoAfterGrowth.h"
#include "ui/ColourLegends.h"
#include "ui/DietChart.h"
#include "ui/HerdWindow.h"
#include "ui/MarketWeightWindow.h"
#include "ui/MixingSheetWindow.h"
#include "ui/RequirementsWindow.h"

namespace tarvisol {
namespace {

bool Uses(const Grid& g, Color colour) {
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            if (g.CellBackColor(r, c) == colour) return true;
    return false;
}

TEST(ColourLegends, EveryShadeOfEveryTableIsNamedUnderIt) {
    testing::DemoAfterGrowth x(kFormulationLeastCost);
    ASSERT_TRUE(x.s->GrowthResultsValid);
    const auto explained = [](const Grid& g, const ColourLegend& legend) {
        EXPECT_EQ(UnexplainedColours(g, legend), std::vector<Color>{}) << g.Name;
    };
    explained(x.w->Griddiets, DietsGridLegend());
    explained(x.w->GridFormula, FormulaGridLegend());
    ASSERT_TRUE(Uses(x.w->Griddiets, kLightRed));
    EXPECT_EQ(DietsGridLegend().front().Colour, kLightRed);
    EXPECT_EQ(DietsGridLegend().front().Meaning, "at its minimum: the limit sets the diet (not a fault)");

    RequirementsWindow req;
    ShowRequirementsWindow(*x.s, req);
    explained(req.GridPhases, RequirementPhasesLegend());
    explained(req.GridBalance, BalanceLegend());

    MixingSheetWindow mix;
    OpenMixingSheet(*x.s, mix, 1);
    explained(mix.GridIngredients, MixingSheetLegend());
    explained(mix.GridNutrients, MixingSheetLegend());

    MarketWeightWindow market;
    ShowMarketWeightWindow(*x.s, market);
    RunMarketWeights(*x.s, market, nullptr, 2);
    explained(market.GridMarket, MarketWeightLegend());

    HerdWindow herd;
    ShowHerdWindow(*x.s, herd);
    herd.Settings[0].Text = "100";
    SellHerdClick(*x.s, herd, nullptr, 2);
    explained(herd.GridHerd, HerdLegend());

    FrmOptP opt;
    ShowOptimisationWindow(*x.s, opt);
    ProgramMinMaxClick(*x.s, opt);
    explained(opt.GridOpt, OptimisationWindowLegend());

    RestrictionsWindow restrictions;
    LoadRestrictionsWindow(*x.s, restrictions);
    explained(restrictions.GridNuts, RestrictionsLegend());
    explained(restrictions.GridIngred, RestrictionsLegend());

    PlotOptions o;
    o.threads = 2;
    ASSERT_TRUE(PlotDiets(*x.s, o).finished);
    DietChartWindow chart;
    LoadDietChart(*x.s, chart);
    explained(chart.GridPlot, DietPlotTableLegend());
}

}  // namespace
}  // namespace tarvisol
