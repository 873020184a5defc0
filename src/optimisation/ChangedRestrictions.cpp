#include "optimisation/ChangedRestrictions.h"

#include <algorithm>
#include <cmath>

#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kEnergy = 1;

double At(const std::vector<double>& v, int k) {
    return k >= 1 && k <= static_cast<int>(v.size()) ? v[static_cast<std::size_t>(k - 1)] : 0.0;
}

bool Differs(double a, double b) { return std::fabs(a - b) > 1e-6 * std::max({1.0, std::fabs(a), std::fabs(b)}); }

}  // namespace

std::vector<RestrictionChange> ChangedRestrictions(const OptimisationResult& result) {
    std::vector<RestrictionChange> changes;
    if (!result.Done) return changes;
    const RunSnapshot& start = result.Start;
    const RunSnapshot& optimum = result.Optimum;
    const std::string energyUnit = EnergyUnitLabel(optimum.EnergyUnit);
    for (const RunDiet& after : optimum.Diets) {
        const RunDiet* before = nullptr;
        for (const RunDiet& d : start.Diets)
            if (d.Number == after.Number) before = &d;
        const int nutrients = static_cast<int>(std::max(after.NutrientMin.size(), after.NutrientMax.size()));
        for (int k = 1; k <= nutrients; ++k)
            for (const bool minimum : {true, false}) {
                const double was = before ? At(minimum ? before->NutrientMin : before->NutrientMax, k) : 0.0;
                const double is = At(minimum ? after.NutrientMin : after.NutrientMax, k);
                if (!Differs(was, is)) continue;
                RestrictionChange c;
                c.Diet = after.Number;
                c.Nutrient = k;
                c.Minimum = minimum;
                c.Name = k <= static_cast<int>(optimum.NutrientNames.size())
                             ? optimum.NutrientNames[static_cast<std::size_t>(k - 1)]
                             : "Nutrient " + std::to_string(k);
                c.Unit = k == kEnergy ? energyUnit : "%";
                c.Before = was;
                c.After = is;
                changes.push_back(std::move(c));
            }
    }
    return changes;
}

std::string LimitText(const RestrictionChange& change, double value) {
    if (value == 0) return "none";
    return change.Nutrient == kEnergy ? FormatAuto(value) : FormatPattern(value, "0.000");
}

std::string RestrictionChangeLine(const RestrictionChange& c) {
    const auto withUnit = [&](double v) { return LimitText(c, v) + (v != 0 ? " " + c.Unit : std::string()); };
    std::string line = "Diet " + std::to_string(c.Diet) + "  " + c.Name + (c.Minimum ? " minimum " : " maximum ") +
                       withUnit(c.Before) + " -> " + withUnit(c.After);
    if (c.Before != 0 && c.After != 0)
        line += " (" + std::string(c.After >= c.Before ? "+" : "") +
                FormatPattern((c.After - c.Before) * 100 / c.Before, "0.0") + " %)";
    return line;
}

}  // namespace tarvisol
