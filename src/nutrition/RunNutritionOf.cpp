#include "nutrition/RunNutritionOf.h"

#include <string_view>

#include "nutrition/GrownDays.h"
#include "nutrition/NutrientBalance.h"
#include "nutrition/Requirements.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

constexpr int kFormulationFromGrid = 2;

// The diets grid's rows below valine: nutrient k in row k + 3.
void TakeGridNutrients(const SharedState& s, RunSnapshot& run) {
    if (!s.Main || run.Formulation != kFormulationFromGrid) return;
    const Grid& g = s.Main->Griddiets;
    for (RunDiet& d : run.Diets)
        for (std::size_t k = 15; k < d.Nutrients.size(); ++k) {
            const int row = static_cast<int>(k) + 3;
            const bool there = row < g.Rows() && d.Number < g.Cols();
            d.Nutrients[k] = there ? NumVal(std::string_view(g.TextMatrix(row, d.Number))) : 0.0;
        }
}

}  // namespace

void AddRunNutrition(const SharedState& s, RunSnapshot& run, double emptyDays) {
    run.Nutrition = RunNutrition{};
    TakeGridNutrients(s, run);
    const NutrientColumns cols = FindNutrientColumns(run.NutrientNames);
    run.Nutrition.Requirements = RequirementsOf(run, GrownDays(s), cols);
    run.Nutrition.Balance = BalanceOf(run, emptyDays, cols);
}

}  // namespace tarvisol
