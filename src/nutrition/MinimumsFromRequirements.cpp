#include "nutrition/MinimumsFromRequirements.h"

#include <cmath>

#include "shared/Numbers.h"

namespace tarvisol {

MinimumsResult SetMinimumsFromRequirements(SharedState& s, const RunSnapshot& run, double marginPercent) {
    MinimumsResult result;
    const RunRequirements& r = run.Nutrition.Requirements;
    if (!r.Computed) return result;
    const int nutrients = std::min<int>(s.NutrientCount - 1, 120);
    for (const RunDiet& d : run.Diets) {
        if (d.Number < 1 || d.Number > 8) continue;
        const RequirementDay* first = nullptr;
        for (const RequirementDay& day : r.Days)
            if (day.Diet == d.Number && day.Feed > 0) {
                first = &day;
                break;
            }
        if (!first) {
            result.Skipped.push_back(d.Name + ": the run never fed it; its minimums stay");
            continue;
        }
        for (std::size_t i = 0; i < r.Nutrients.size() && i < first->Values.size(); ++i) {
            const RequirementNutrient& n = r.Nutrients[i];
            if (n.Column < 1 || n.Column > nutrients) continue;
            const double after = std::round(first->Values[i].Requirement * marginPercent / 100.0 * 1000.0) / 1000.0;
            const double before = s.NutrientLimits(d.Number, 1, n.Column);
            const double max = s.NutrientLimits(d.Number, 2, n.Column);
            if (max > 0 && after > max) {
                result.Skipped.push_back(d.Name + ": " + n.Name + " would need a minimum of " + FormatAuto(after) +
                                         ", above its maximum " + FormatAuto(max) + "; it stays " + FormatAuto(before));
                continue;
            }
            s.NutrientLimits(d.Number, 1, n.Column) = after;
            result.Changes.push_back({d.Number, n.Column, n.Name, before, after});
        }
    }
    return result;
}

}  // namespace tarvisol
