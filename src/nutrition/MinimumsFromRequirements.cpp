#include "nutrition/MinimumsFromRequirements.h"

#include <algorithm>
#include <cmath>

#include "growth/DietValues.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// The value that share (percent) of the values stay at or below: the
// highest for 100.
double Covering(std::vector<double>& values, double share) {
    std::sort(values.begin(), values.end());
    const double n = static_cast<double>(values.size());
    const auto at = static_cast<std::size_t>(std::clamp(std::ceil(n * share / 100.0 - 1e-9), 1.0, n)) - 1;
    return values[at];
}

}  // namespace

std::string MinimumsRule(double marginPercent, double daysCoveredPercent) {
    const std::string margin = FormatPattern(marginPercent, "0.##");
    if (daysCoveredPercent >= kAllDaysCovered)
        return "Each diet's minimum is the highest requirement of the days it was fed, times " + margin + " %.";
    return "Each diet's minimum is the requirement that " + FormatPattern(daysCoveredPercent, "0.##") +
           " % of the days it was fed stay at or below, times " + margin + " %.";
}

MinimumsResult SetMinimumsFromRequirements(SharedState& s, const RunSnapshot& run, double marginPercent,
                                           double daysCoveredPercent) {
    MinimumsResult result;
    const RunRequirements& r = run.Nutrition.Requirements;
    if (!r.Computed) return result;
    result.Rule = MinimumsRule(marginPercent, daysCoveredPercent);
    const int nutrients = std::min<int>(s.NutrientCount - 1, 120);
    for (const RunDiet& d : run.Diets) {
        if (d.Number < 1 || d.Number > 8) continue;
        std::vector<const RequirementDay*> days;
        for (const RequirementDay& day : r.Days)
            if (day.Diet == d.Number && day.Feed > 0) days.push_back(&day);
        if (days.empty()) {
            result.Skipped.push_back(d.Name + ": the run never fed it; its minimums stay");
            continue;
        }
        for (std::size_t i = 0; i < r.Nutrients.size(); ++i) {
            const RequirementNutrient& n = r.Nutrients[i];
            if (n.Column < 1 || n.Column > nutrients) continue;
            std::vector<double> needed;
            for (const RequirementDay* day : days)
                if (i < day->Values.size()) needed.push_back(day->Values[i].Requirement);
            if (needed.empty()) continue;
            const double wanted = Covering(needed, daysCoveredPercent) * marginPercent / 100.0;
            double after = std::ceil(wanted * 1000.0 - 1e-6) / 1000.0;
            // The growth run refuses a diet under the lowest lysine it takes, so
            // a finisher's minimum set below it would stop the next Growth.
            if (n.Column == kLysineColumn && after < kLowestLysine) {
                result.Skipped.push_back(d.Name + ": " + n.Name + " would need a minimum of only " + FormatAuto(after) +
                                         "; the growth run takes no diet under " + FormatAuto(kLowestLysine) +
                                         ", so the minimum is " + FormatAuto(kLowestLysine));
                after = kLowestLysine;
            }
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
