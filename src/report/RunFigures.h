#pragma once
// The figures of a finished run as a user reads them, in chosen display units:
// what went in (herd, programme, diets) and what came out (growth, feed,
// costs, per-sex figures, carcass). The comparison, the report, the workbook
// and the command line all take their numbers from here.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "shared/RunSnapshot.h"
#include "shared/Units.h"  // PriceUnitLabel

namespace tarvisol {

// The location's display units: weight (0 kg, 1 lb, 2 g), energy and price
// (the indices of the settings file).
struct DisplayUnits {
    int Weight = 0, Energy = 0, Price = 0;
};

DisplayUnits UnitsOf(const RunSnapshot& run);

struct DietFigures {
    int Number = 0;
    std::string Name;
    double Price = 0;      // price unit
    double Energy = 0;     // energy unit
    double Protein = 0;    // %
    double Lysine = 0;     // %
    double Allotment = 0;  // weight unit per pig
    // A diet formulated at least cost: each ingredient's inclusion by name,
    // percent. Empty for a diet fed from the grid.
    std::vector<std::pair<std::string, double>> Formula;
    bool Infeasible = false;
    bool Reached = false;
    double EndWeight = 0;    // weight unit
    double EndAge = 0;       // days
    double DailyGainKg = 0;  // kg per day over the diet
    double CumFeed = 0;      // weight unit, at the diet's end
    double FeedEaten = 0;    // weight unit per pig
};

struct SexFigures {
    double LiveWeight = 0, Feed = 0, Cost = 0, FeedGain = 0;
    double BackFat = 0, LoinArea = 0, Lean = 0, Yield = 0;
};

struct RunFigures {
    DisplayUnits Units;
    std::string WeightLabel;    // "kg", "lb", "g"
    std::string EnergyLabel;    // "Kcal/Kg", ...
    std::string PriceLabel;     // "per kg", "per tonne", ..., after the currency ("USD per tonne")
    std::string Currency;       // of every money figure ("" none)
    std::string TonneLabel;     // "TONNE", or "TON" in the pound system
    std::string TonneName;      // "tonne", or "short ton (2000 lb)" in the pound system
    std::string BackFatLabel;   // "mm", or "inch" in the pound system
    std::string AreaLabel;      // "cm2", or "sq in"
    std::string EnergyGainLabel;  // "kcal /kg" or "kcal /lb"

    // Inputs.
    double StartWeight = 0, FinalWeight = 0;
    // The matrix's ingredient prices the run was made at, in these units' price
    // unit, by ingredient name.
    std::vector<std::pair<std::string, double>> IngredientPrices;
    int StartAge = 0;
    std::string Sex;  // "Mixed", "Males", "Females"
    int Pigs = 0;
    std::string Formulation;
    std::string Model;     // "Documented curve" or "Nutrient response"
    std::string ModelKey;  // "documented" or "response"
    std::string Genotype;  // the nutrient response's genotype ("" for the documented curve)
    std::array<double, 5> Curve{};
    std::vector<DietFigures> Diets;
    // The ingredients without a price in a formula the pig ate: every cost
    // figure leaves them out.
    std::vector<std::string> Unpriced;

    // Results.
    double FinalAge = 0;
    double DaysOnFeed = 0;
    double DailyGain = 0;  // weight unit per day, start to final weight
    double TotalFeed = 0;  // weight unit per pig
    double FeedGain = 0;
    double CostPerPig = 0;
    double CostPerTonne = 0;      // of live weight (per ton in the pound system)
    double CostPerTonneGain = 0;  // of live weight gained
    double EnergyPerGain = 0;     // kcal per weight unit of gain (kg, or lb)
    std::array<SexFigures, 3> Sexes{};  // 0 mixed herd, 1 males, 2 females
    double LoinDepth = 0;               // cm, or inch
    NutrientBalance Balance;            // nitrogen and phosphorus, kg (whatever the weight unit)
};

// The ingredients (numbers from 1) without a price in a least-cost formula of
// a diet the pig ate: the run's feed cost leaves them out.
std::vector<int> UnpricedInCost(const RunSnapshot& run);

// "Wheat middlings, Salt": the names of f.Unpriced, or empty.
std::string UnpricedList(const RunFigures& f);

// The run's figures in `units` (normally the run's own, UnitsOf(run)).
RunFigures FiguresOf(const RunSnapshot& run, const DisplayUnits& units);

// "Mixed", "Males", "Females" (or "" for no choice).
std::string SexName(int herdSex);

// Short weight label of a weight unit: "kg", "lb", "g".
std::string WeightShort(int unit);

}  // namespace tarvisol
