#include "nutrition/Requirements.h"

#include <algorithm>
#include <cmath>

#include "nutrition/NrcFactorial.h"

namespace tarvisol {
namespace {

// g per day of nutrient i (in the order of NutrientColumns::Compared).
double RequirementGrams(const RequirementNutrient& n, double lysine, double phosphorus) {
    if (n.Key == "sttd_phosphorus") return phosphorus;
    if (n.Key == "calcium") return CalciumGrams(phosphorus);
    return lysine * IdealRatio(n.Column - 3);
}

double PercentOfFeed(double grams, double feedKg) { return feedKg > 0 ? grams / (feedKg * 10.0) : 0.0; }

}  // namespace

double DietValue(const RunSnapshot& run, int d, int k) {
    if (d < 1 || d > run.DietCount() || k < 0) return 0;
    const std::vector<double>& v = run.Diets[static_cast<std::size_t>(d - 1)].Nutrients;
    return k < static_cast<int>(v.size()) && std::isfinite(v[static_cast<std::size_t>(k)]) ? v[static_cast<std::size_t>(k)] : 0;
}

double SupplyOnDay(const RunSnapshot& run, const RequirementDay& day, int k) {
    const double own = DietValue(run, day.Diet, k);
    if (day.NextDiet == 0 || day.DietShare >= 1) return own;
    return day.DietShare * own + (1 - day.DietShare) * DietValue(run, day.NextDiet, k);
}

double EngineEnergy(double kcal) { return kcal > 3200 ? kcal / 2.204 : kcal; }

RunRequirements RequirementsOf(const RunSnapshot& run, std::vector<RequirementDay> days) {
    RunRequirements r;
    const NutrientColumns cols = FindNutrientColumns(run.NutrientNames);
    r.Nutrients = cols.Compared;
    r.EnergyName = cols.EnergyName;
    r.EnergyIsNet = cols.EnergyIsNet;
    const std::size_t count = r.Nutrients.size();
    const int lysine = r.IndexOf("lysine");

    // Which of the compared nutrients some reached diet states at all.
    std::vector<bool> stated(count, false);
    for (const RunDiet& d : run.Diets)
        if (d.Reached)
            for (std::size_t i = 0; i < count; ++i)
                if (r.Nutrients[i].Column > 0 && DietValue(run, d.Number, r.Nutrients[i].Column) > 0) stated[i] = true;

    for (RequirementDay& day : days) {
        const double w = day.Weight;
        const double lys = SidLysineGrams(w, day.Feed, day.ProteinDeposition);
        const double p = SttdPhosphorusGrams(w, day.Feed, day.ProteinDeposition);
        day.EnergySupply = EngineEnergy(SupplyOnDay(run, day, 1));
        day.Values.assign(count, RequirementValue{});
        for (std::size_t i = 0; i < count; ++i) {
            RequirementValue& v = day.Values[i];
            v.RequirementGrams = RequirementGrams(r.Nutrients[i], lys, p);
            v.Requirement = PercentOfFeed(v.RequirementGrams, day.Feed);
            if (r.Nutrients[i].Column > 0) v.Supply = SupplyOnDay(run, day, r.Nutrients[i].Column);
            v.Stated = v.Supply > 0 && day.Feed > 0;
        }
    }

    // The phases: the feed of each diet. A changeover day counts for both
    // diets, its feed split where the old diet's allotment ran out; its shortfall or excess
    // (of the blend) counts for the diet in force at the start of the day.
    const RunDiet* previous = nullptr;
    for (const RunDiet& d : run.Diets) {
        RequirementPhase ph;
        ph.Diet = d.Number;
        ph.Name = d.Name;
        ph.Values.assign(count, PhaseValue{});
        std::vector<double> req(count, 0.0), sup(count, 0.0);
        double feed = 0, mcal = 0;
        bool any = false;
        for (const RequirementDay& day : days) {
            if (!(day.Feed > 0)) continue;
            double part = 0;
            if (day.Diet == d.Number) part = day.NextDiet ? day.FeedShare : 1.0;
            else if (day.NextDiet == d.Number) part = 1.0 - day.FeedShare;
            if (!(part > 0)) continue;
            if (!any) ph.FromAge = day.Age + (day.Diet == d.Number ? 0.0 : day.FeedShare);
            any = true;
            ph.ToAge = day.Age + day.Share;
            if (day.Diet == d.Number) ++ph.Days;
            const double f = day.Feed * day.Share * part;
            feed += f;
            mcal += f * EngineEnergy(DietValue(run, d.Number, 1)) / 1000.0;
            for (std::size_t i = 0; i < count; ++i) {
                const RequirementValue& v = day.Values[i];
                req[i] += v.RequirementGrams * day.Share * part;
                if (r.Nutrients[i].Column > 0) sup[i] += DietValue(run, d.Number, r.Nutrients[i].Column) * f * 10.0;
                if (day.Diet != d.Number || !v.Stated || !(v.Requirement > 0)) continue;
                const double ratio = v.Supply / v.Requirement;
                if (ratio < kShortOfRequirement) ++ph.Values[i].DaysBelow;
                if (ratio > kAboveRequirement) ++ph.Values[i].DaysAbove;
            }
        }
        if (!any) continue;
        // The weights of the per-diet table: from the previous diet's end.
        ph.FromWeight = previous ? previous->EndWeight : run.StartWeight;
        ph.ToWeight = d.EndWeight > 0 ? d.EndWeight : ph.FromWeight;
        previous = &d;
        ph.Feed = feed;
        for (std::size_t i = 0; i < count; ++i) {
            PhaseValue& v = ph.Values[i];
            v.Requirement = PercentOfFeed(req[i], feed);
            v.Stated = stated[i] && sup[i] > 0;
            v.Supply = v.Stated ? PercentOfFeed(sup[i], feed) : 0;
            v.Ratio = v.Stated && v.Requirement > 0 ? v.Supply / v.Requirement : 0;
        }
        if (lysine >= 0 && mcal > 0) {
            ph.LysinePerMcalRequirement = req[static_cast<std::size_t>(lysine)] / mcal;
            ph.LysinePerMcalSupply = sup[static_cast<std::size_t>(lysine)] / mcal;
        }
        r.Phases.push_back(std::move(ph));
    }
    r.Days = std::move(days);
    r.Computed = !r.Days.empty() && !r.Phases.empty();

    // What the comparison cannot show, or where it mixes bases.
    std::vector<std::string> total;
    for (const RequirementNutrient& n : r.Nutrients)
        if (n.TotalBasis && n.Key != "calcium") total.push_back(n.Name);
    if (!total.empty()) {
        std::string list;
        for (std::size_t i = 0; i < total.size(); ++i) list += (i ? ", " : "") + total[i];
        r.Notes.push_back("The matrix states " + list +
                          " on a total basis: the comparison with SID requirements mixes bases");
    }
    if (cols.SttdPhosphorus == 0)
        r.Notes.push_back("The matrix has no nutrient named for STTD or digestible phosphorus: the phosphorus "
                          "requirement is shown without its supply");
    if (cols.Calcium == 0)
        r.Notes.push_back("The matrix has no nutrient named calcium: the calcium requirement is shown without its supply");
    std::vector<std::string> unstated;
    for (std::size_t i = 0; i < count; ++i)
        if (r.Nutrients[i].Column > 0 && !stated[i]) unstated.push_back(r.Nutrients[i].Name);
    if (!unstated.empty()) {
        std::string list;
        for (std::size_t i = 0; i < unstated.size(); ++i) list += (i ? ", " : "") + unstated[i];
        r.Notes.push_back("The diets state no " + list + ": no supply to compare");
    }
    if (!cols.EnergyIsNet && !cols.EnergyName.empty())
        r.Notes.push_back("The energy column is " + cols.EnergyName + ", not net energy: lysine per Mcal is per Mcal of it");
    return r;
}

}  // namespace tarvisol
