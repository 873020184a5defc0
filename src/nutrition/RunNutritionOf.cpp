#include "nutrition/RunNutritionOf.h"

#include "nutrition/GrownDays.h"
#include "nutrition/NutrientBalance.h"
#include "nutrition/Requirements.h"

namespace tarvisol {

void AddRunNutrition(const SharedState& s, RunSnapshot& run, double emptyDays) {
    run.Nutrition = RunNutrition{};
    const NutrientColumns cols = FindNutrientColumns(run.NutrientNames);
    run.Nutrition.Requirements = RequirementsOf(run, GrownDays(s), cols);
    run.Nutrition.Balance = BalanceOf(run, emptyDays, cols);
}

}  // namespace tarvisol
