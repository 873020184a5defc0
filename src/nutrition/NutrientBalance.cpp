#include "nutrition/NutrientBalance.h"

#include <algorithm>
#include <string>

#include "response/NrcFactorial.h"
#include "nutrition/NutrientBasis.h"
#include "nutrition/Requirements.h"

namespace tarvisol {

NutrientBalance BalanceOf(const RunSnapshot& run, double emptyDays) {
    return BalanceOf(run, emptyDays, FindNutrientColumns(run.NutrientNames));
}

NutrientBalance BalanceOf(const RunSnapshot& run, double emptyDays, const NutrientColumns& cols) {
    NutrientBalance b;
    const std::vector<RequirementDay>& days = run.Nutrition.Requirements.Days;
    if (run.RunFailed || days.empty()) {
        b.NitrogenMissing = b.PhosphorusMissing = "the run grew no day to balance";
        return b;
    }
    // Where the run ended: the final weight, or the weight the last diet reached.
    double endWeight = run.ReachedFinalWeight ? run.FinalWeight : 0.0;
    if (!run.ReachedFinalWeight)
        for (const RunDiet& d : run.Diets)
            if (d.Reached) endWeight = std::max(endWeight, d.EndWeight);
    b.Gain = endWeight - run.StartWeight;
    b.DaysOnFeed = run.FinalAge - run.StartAge;
    b.EmptyDays = std::max(0.0, emptyDays);
    if (b.DaysOnFeed + b.EmptyDays > 0) b.BatchesPerYear = 365.0 / (b.DaysOnFeed + b.EmptyDays);

    double protein = 0;  // g deposited over the run
    for (const RequirementDay& d : days) protein += d.ProteinDeposition * d.Share;

    // Eaten: each diet's feed times its content; a reached diet without the
    // figure leaves the balance out, saying which.
    const auto eaten = [&](int column, double& total, std::string& missing, const char* what) {
        total = 0;
        for (const RunDiet& d : run.Diets) {
            if (!d.Reached || !(d.FeedEaten > 0)) continue;
            const double v = DietValue(run, d.Number, column);
            if (!(v > 0)) {
                missing = d.Name + " states no " + what;
                return false;
            }
            total += d.FeedEaten * v / 100.0;
        }
        return true;
    };
    double crudeProtein = 0;
    if (eaten(cols.CrudeProtein, crudeProtein, b.NitrogenMissing, "crude protein")) {
        b.NitrogenComputed = true;
        b.NIntake = crudeProtein / kProteinPerNitrogen;
        b.NRetained = protein / 1000.0 / kProteinPerNitrogen;
        b.NExcreted = b.NIntake - b.NRetained;
        b.NExcretedPerPlaceYear = b.NExcreted * b.BatchesPerYear;
    }
    if (cols.TotalPhosphorus == 0) {
        b.PhosphorusMissing = "the matrix has no nutrient named total phosphorus";
    } else if (eaten(cols.TotalPhosphorus, b.PIntake, b.PhosphorusMissing, "total phosphorus")) {
        b.PhosphorusComputed = true;
        b.PRetained = PhosphorusRetainedGrams(protein) / 1000.0;
        b.PExcreted = b.PIntake - b.PRetained;
        b.P2O5ExcretedPerPlaceYear = b.PExcreted * kP2O5PerP * b.BatchesPerYear;
    }
    if (!b.NitrogenComputed) b.NitrogenMissing = "The nitrogen balance is not computed: " + b.NitrogenMissing;
    if (!b.PhosphorusComputed) b.PhosphorusMissing = "The phosphorus balance is not computed: " + b.PhosphorusMissing;
    return b;
}

}  // namespace tarvisol
