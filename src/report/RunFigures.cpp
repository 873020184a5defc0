#include "report/RunFigures.h"

#include <cmath>

#include "report/RunModel.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

// Loin area and depth are held in cm2 and cm, or in square inches and inches
// when the run was made in the pound system.
constexpr double kSqInPerCm2 = 0.155;
constexpr double kInchPerCm = 0.3937;

double At(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

}  // namespace

std::string SexName(int herdSex) {
    static const char* names[] = {"Mixed", "Males", "Females"};
    return herdSex >= 0 && herdSex <= 2 ? names[herdSex] : "";
}

std::string WeightShort(int unit) {
    static const char* labels[] = {"kg", "lb", "g"};
    return labels[WeightUnitValid(unit) ? unit : 0];
}

std::vector<int> UnpricedInCost(const RunSnapshot& run) {
    std::vector<int> out;
    for (std::size_t i = 0; i < run.IngredientNames.size(); ++i) {
        if (At(run.IngredientPrices, i) != 0) continue;
        for (const RunDiet& d : run.Diets)
            if (d.Formulated && !d.Infeasible && d.FeedEaten > 0 && At(d.Formula, i) > 0) {
                out.push_back(static_cast<int>(i) + 1);
                break;
            }
    }
    return out;
}

std::string UnpricedList(const RunFigures& f) {
    std::string names;
    for (const std::string& n : f.Unpriced) names += (names.empty() ? "" : ", ") + n;
    return names;
}

DisplayUnits UnitsOf(const RunSnapshot& run) { return {run.WeightUnit, run.EnergyUnit, run.PriceUnit}; }

RunFigures FiguresOf(const RunSnapshot& run, const DisplayUnits& units) {
    RunFigures f;
    f.Units = units;
    const bool pounds = units.Weight == 1;
    const double wf = WeightFactor(units.Weight);
    const auto weight = [&](double kg) { return kg / wf; };
    const auto price = [&](double shown) { return shown * PriceFactor(run.PriceUnit) / PriceFactor(units.Price); };
    const auto area = [&](double v) {
        const double cm2 = run.WeightUnit == 1 ? v / kSqInPerCm2 : v;
        return pounds ? cm2 * kSqInPerCm2 : cm2;
    };
    const auto depth = [&](double v) {
        const double cm = run.WeightUnit == 1 ? v / kInchPerCm : v;
        return pounds ? cm * kInchPerCm : cm;
    };
    const auto backFat = [&](double mm) { return pounds ? mm / 25.4 : mm; };

    f.WeightLabel = WeightShort(units.Weight);
    f.EnergyLabel = EnergyUnitLabel(units.Energy);
    f.Currency = run.Currency;
    f.PriceLabel = (run.Currency.empty() ? "" : run.Currency + " ") + PriceUnitLabel(units.Price);
    f.TonneLabel = pounds ? "TON" : "TONNE";
    f.TonneName = pounds ? "short ton (2000 lb)" : "tonne";
    f.BackFatLabel = pounds ? "inch" : "mm";
    f.AreaLabel = pounds ? "sq in" : "cm2";
    f.EnergyGainLabel = pounds ? "kcal /lb" : "kcal /kg";

    for (std::size_t i = 0; i < run.IngredientPrices.size() && i < run.IngredientNames.size(); ++i)
        f.IngredientPrices.emplace_back(run.IngredientNames[i], price(run.IngredientPrices[i]));
    f.StartWeight = weight(run.StartWeight);
    f.FinalWeight = weight(run.FinalWeight);
    f.StartAge = run.StartAge;
    f.Sex = SexName(run.HerdSex);
    f.Pigs = run.PigCount;
    f.Formulation = run.FormulationName;
    f.ModelKey = RanResponseModel(run) ? "response" : "documented";
    f.Model = ModelNameOf(run);
    if (RanResponseModel(run)) f.Genotype = run.Genotype;
    f.Curve = run.Curve;
    for (const RunDiet& d : run.Diets) {
        DietFigures x;
        x.Number = d.Number;
        x.Name = d.Name;
        x.Price = price(d.Price);
        x.Energy = At(d.Nutrients, 1) / EnergyFactor(units.Energy);
        x.Protein = At(d.Nutrients, 2);
        x.Lysine = At(d.Nutrients, 5);
        x.Allotment = weight(d.Allotment);
        if (d.Formulated)
            for (std::size_t i = 0; i < d.Formula.size() && i < run.IngredientNames.size(); ++i)
                x.Formula.emplace_back(run.IngredientNames[i], d.Formula[i]);
        x.Infeasible = d.Infeasible;
        x.Reached = d.Reached;
        x.EndWeight = weight(d.EndWeight);
        x.EndAge = d.EndAge;
        x.DailyGainKg = d.DailyGain;
        x.CumFeed = weight(d.TotalFeed);
        x.FeedEaten = weight(d.FeedEaten);
        f.Diets.push_back(std::move(x));
    }

    for (int i : UnpricedInCost(run)) f.Unpriced.push_back(run.IngredientNames[static_cast<std::size_t>(i) - 1]);
    f.FinalAge = run.FinalAge;
    f.DaysOnFeed = run.FinalAge - run.StartAge;
    const double gainKg = run.FinalWeight - run.StartWeight;
    if (f.DaysOnFeed > 0) f.DailyGain = weight(gainKg) / f.DaysOnFeed;
    f.TotalFeed = weight(run.TotalFeed);
    f.FeedGain = run.FeedGain;
    f.CostPerPig = run.CostPerPig;
    // Per tonne (1000 kg) of live weight, or per short ton (2000 lb).
    const auto perTonne = [&](double kg) {
        if (!(kg > 0)) return 0.0;
        return pounds ? run.CostPerPig * 2000.0 / weight(kg) : run.CostPerPig * 1000.0 / kg;
    };
    f.CostPerTonne = perTonne(run.FinalWeight);
    f.CostPerTonneGain = perTonne(gainKg);
    f.EnergyPerGain = pounds ? run.EnergyPerGain / 2.2 : run.EnergyPerGain;
    for (int sex = 0; sex <= 2; ++sex) {
        const RunSexFigures& r = run.Sexes[static_cast<std::size_t>(sex)];
        SexFigures& x = f.Sexes[static_cast<std::size_t>(sex)];
        x.LiveWeight = weight(r.LiveWeight);
        x.Feed = weight(r.Feed);
        x.Cost = r.Cost;
        x.FeedGain = r.FeedGain;
        x.BackFat = backFat(r.BackFat);
        x.LoinArea = area(r.LoinArea);
        x.Lean = r.Lean;
        x.Yield = r.Yield;
    }
    // The mixed herd's carcass is the run's own (the average of the sexes).
    SexFigures& mixed = f.Sexes[0];
    mixed.BackFat = backFat(run.Carcass[1]);
    mixed.LoinArea = area(run.Carcass[2]);
    mixed.Lean = run.Carcass[3];
    mixed.Yield = run.Carcass[4];
    f.LoinDepth = depth(run.Carcass[5]);
    f.Balance = run.Nutrition.Balance;
    return f;
}

}  // namespace tarvisol
