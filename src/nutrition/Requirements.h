#pragma once
// Each day's requirements against what the diet in force supplied, and their
// sums per diet phase.
#include <vector>

#include "nutrition/NutrientBasis.h"
#include "shared/RunNutrition.h"
#include "shared/RunSnapshot.h"

namespace tarvisol {

// A day's supply below this share of its requirement counts as short, above
// the second as in excess.
inline constexpr double kShortOfRequirement = 0.95;
inline constexpr double kAboveRequirement = 1.15;

// The requirements of the run's days (from GrownDays) against the run's
// diets: every day's values, the phases, SID lysine per Mcal of energy and
// the notes on what cannot be compared.
RunRequirements RequirementsOf(const RunSnapshot& run, std::vector<RequirementDay> days);
// The same with the run's nutrient columns already found.
RunRequirements RequirementsOf(const RunSnapshot& run, std::vector<RequirementDay> days, const NutrientColumns& cols);

// Diet column k of diet d of the run (0 outside its nutrients).
double DietValue(const RunSnapshot& run, int d, int k);

// The diet in force on a day, column k: the changeover blend of the day's
// diet and the next one.
double SupplyOnDay(const RunSnapshot& run, const RequirementDay& day, int k);

// The energy the engine grows the pig on (kcal per kg): a figure above 3200
// is taken as kcal per lb and divided by 2.204, as the engine does.
double EngineEnergy(double kcal);

}  // namespace tarvisol
