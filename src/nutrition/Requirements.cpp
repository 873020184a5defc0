#include "nutrition/Requirements.h"

#include <algorithm>
#include <cmath>

#include "response/NrcFactorial.h"

namespace tarvisol {
namespace {

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
    return RequirementsOf(run, std::move(days), FindNutrientColumns(run.NutrientNames));
}

RunRequirements RequirementsOf(const RunSnapshot& run, std::vector<RequirementDay> days, const NutrientColumns& cols) {
    RunRequirements r;
    r.Nutrients = cols.Compared;
    r.EnergyName = cols.EnergyName;
    r.EnergyIsNet = cols.EnergyIsNet;
    const std::size_t count = r.Nutrients.size();
    const int lysine = r.IndexOf("lysine");

    // Each diet's content of each compared nutrient (diet d at row d), and
    // the share of the requirement each nutrient's grams are of lysine's.
    std::vector<double> content(9 * count, 0.0), energy(9, 0.0), perLysine(count, 0.0);
    // A nutrient's grams a day: lysine's times perLysine, plus STTD phosphorus's times perPhosphorus.
    std::vector<double> perPhosphorus(count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        if (r.Nutrients[i].Key == "sttd_phosphorus") perPhosphorus[i] = 1.0;
        else if (r.Nutrients[i].Key == "calcium") perPhosphorus[i] = CalciumGrams(1.0);
        else perLysine[i] = IdealRatio(r.Nutrients[i].Column - 3);
    }
    for (int d = 1; d <= 8; ++d) {
        energy[static_cast<std::size_t>(d)] = DietValue(run, d, 1);
        for (std::size_t i = 0; i < count; ++i)
            if (r.Nutrients[i].Column > 0) content[static_cast<std::size_t>(d) * count + i] = DietValue(run, d, r.Nutrients[i].Column);
    }
    const auto in = [&](int d, std::size_t i) { return d >= 1 && d <= 8 ? content[static_cast<std::size_t>(d) * count + i] : 0.0; };
    // Which of the compared nutrients some reached diet states at all.
    std::vector<char> stated(count, 0);
    for (const RunDiet& d : run.Diets)
        if (d.Reached)
            for (std::size_t i = 0; i < count; ++i)
                if (in(d.Number, i) > 0) stated[i] = 1;

    for (RequirementDay& day : days) {
        const double w = day.Weight;
        const double lys = SidLysineGrams(w, day.Feed, day.ProteinDeposition);
        const double p = SttdPhosphorusGrams(w, day.Feed, day.ProteinDeposition);
        day.EnergySupply = EngineEnergy(SupplyOnDay(run, day, 1));
        day.Values.resize(count);
        const double perPercent = day.Feed > 0 ? 1.0 / (day.Feed * 10.0) : 0.0;
        const double* own = &content[static_cast<std::size_t>(std::clamp(day.Diet, 0, 8)) * count];
        const double* next = &content[static_cast<std::size_t>(std::clamp(day.NextDiet, 0, 8)) * count];
        const double share = day.NextDiet && day.DietShare < 1 ? day.DietShare : 1.0;
        for (std::size_t i = 0; i < count; ++i) {
            RequirementValue& v = day.Values[i];
            v.RequirementGrams = lys * perLysine[i] + p * perPhosphorus[i];
            v.Requirement = v.RequirementGrams * perPercent;
            v.Supply = share < 1 ? share * own[i] + (1 - share) * next[i] : own[i];
            v.Stated = v.Supply > 0 && day.Feed > 0;
        }
    }

    // The phases: the feed of each diet. A changeover day counts for both
    // diets, its feed split where the old diet's allotment ran out; its
    // shortfall or excess (of the blend) counts for the diet in force at the
    // start of the day. One pass over the days, summing into diets 1..8.
    struct Sum {
        bool any = false;
        RequirementPhase ph;
        std::vector<double> req, sup;
        double mcal = 0;
    };
    std::vector<Sum> sums(9);
    for (Sum& s : sums) {
        s.req.assign(count, 0.0);
        s.sup.assign(count, 0.0);
        s.ph.Values.assign(count, PhaseValue{});
    }
    const auto add = [&](const RequirementDay& day, int d, double part) {
        if (d < 1 || d > 8 || !(part > 0)) return;
        Sum& s = sums[static_cast<std::size_t>(d)];
        if (!s.any) s.ph.FromAge = day.Age + (day.Diet == d ? 0.0 : day.FeedShare);
        s.any = true;
        s.ph.ToAge = day.Age + day.Share;
        const double f = day.Feed * day.Share * part;
        s.ph.Feed += f;
        s.mcal += f * EngineEnergy(energy[static_cast<std::size_t>(d)]) / 1000.0;
        const double* c = &content[static_cast<std::size_t>(d) * count];
        for (std::size_t i = 0; i < count; ++i) {
            s.req[i] += day.Values[i].RequirementGrams * day.Share * part;
            s.sup[i] += c[i] * f * 10.0;
        }
    };
    for (const RequirementDay& day : days) {
        if (!(day.Feed > 0)) continue;
        const double own = day.NextDiet ? day.FeedShare : 1.0;
        add(day, day.Diet, own);
        if (day.NextDiet) add(day, day.NextDiet, 1.0 - own);
        if (day.Diet < 1 || day.Diet > 8) continue;
        Sum& s = sums[static_cast<std::size_t>(day.Diet)];
        ++s.ph.Days;
        for (std::size_t i = 0; i < count; ++i) {
            const RequirementValue& v = day.Values[i];
            if (!v.Stated || !(v.Requirement > 0)) continue;
            const double ratio = v.Supply / v.Requirement;
            if (ratio < kShortOfRequirement) ++s.ph.Values[i].DaysBelow;
            if (ratio > kAboveRequirement) ++s.ph.Values[i].DaysAbove;
        }
    }
    const RunDiet* previous = nullptr;
    for (const RunDiet& d : run.Diets) {
        if (d.Number < 1 || d.Number > 8 || !sums[static_cast<std::size_t>(d.Number)].any) continue;
        Sum& s = sums[static_cast<std::size_t>(d.Number)];
        RequirementPhase ph = std::move(s.ph);
        ph.Diet = d.Number;
        ph.Name = d.Name;
        // The weights of the per-diet table: from the previous diet's end.
        ph.FromWeight = previous ? previous->EndWeight : run.StartWeight;
        ph.ToWeight = d.EndWeight > 0 ? d.EndWeight : ph.FromWeight;
        previous = &d;
        for (std::size_t i = 0; i < count; ++i) {
            PhaseValue& v = ph.Values[i];
            v.Requirement = PercentOfFeed(s.req[i], ph.Feed);
            v.Stated = stated[i] && s.sup[i] > 0;
            v.Supply = v.Stated ? PercentOfFeed(s.sup[i], ph.Feed) : 0;
            v.Ratio = v.Stated && v.Requirement > 0 ? v.Supply / v.Requirement : 0;
        }
        if (lysine >= 0 && s.mcal > 0) {
            ph.LysinePerMcalRequirement = s.req[static_cast<std::size_t>(lysine)] / s.mcal;
            ph.LysinePerMcalSupply = s.sup[static_cast<std::size_t>(lysine)] / s.mcal;
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
