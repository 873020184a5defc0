#pragma once
// A finished run kept as a value: what went in (herd, programme, diets with
// their formulas and restrictions, curve, units) and what came out (per-diet
// table, day table, summary by sex, costs, carcass, messages). The record is
// rewritten by every command; a window that reports a run reads one of these
// instead, so it keeps showing the run it was opened on.
//
// Masses are kilograms, energy kcal per kg of feed and prices as the diets
// grid holds them (the location's price unit) unless a field says otherwise.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/ResponseDays.h"
#include "shared/RunNutrition.h"
#include "shared/Table.h"

namespace tarvisol {

// One diet of the programme as the run used it.
struct RunDiet {
    int Number = 0;              // 1..8
    std::string Name;            // the diets grid's row 1
    double Price = 0;            // per the location's price unit, as the run priced it
    double Allotment = 0;        // feed per pig allotted to the diet, kg
    // Column k of the diet at index k: 0 the price again, 1 energy (kcal/kg),
    // 2 crude protein (%), 3..14 the twelve amino acids, then the further
    // nutrients of the matrix. At least 15 entries. A further nutrient that a
    // diet fed from the grid does not hold is not given: NaN.
    std::vector<double> Nutrients = std::vector<double>(15, 0.0);
    bool Formulated = false;     // formulated at least cost for this run
    bool Infeasible = false;     // the formulation failed (DietFaults above 0)
    std::vector<double> Formula;  // inclusion of ingredient i at index i - 1, percent
    // The restrictions the formula was made with: nutrient k at index k - 1,
    // ingredient i at index i - 1.
    std::vector<double> NutrientMin, NutrientMax;
    std::vector<double> IngredientMin, IngredientMax;
    // The nutrient minimums as the restriction files set them (nutrient k at k - 1).
    std::vector<double> LoadedNutrientMin;

    // Results of the diet in the run.
    bool Reached = false;   // the pig ate some of this diet
    double EndAge = 0;      // days, when the diet ran out (or the final age)
    double EndWeight = 0;   // kg
    double DailyGain = 0;   // kg per day over the diet
    double TotalFeed = 0;   // cumulative feed at the diet's end, kg
    double FeedEaten = 0;   // feed of this diet, kg per pig
};

// One row of the day table as the results grid showed it (display units).
struct RunDayRow {
    std::string Age, Weight, DailyFeed, TotalFeed;  // columns 5..8 of the results grid
    std::string Pigs;                               // column 9: pigs at the final weight
    std::string BackFat, LoinArea, Lean, Yield;     // columns 10..13
};

// One measured row of the herd (the calibration's table): age in days, live
// weight and the feed eaten since the previous row, both kg per pig.
struct MeasuredPoint {
    double Age = 0;
    double Weight = 0;
    double Feed = 0;
};

// The finishing figures of one sex slot (0 mixed herd, 1 males, 2 females).
struct RunSexFigures {
    double LiveWeight = 0;  // kg at the finishing day
    double Feed = 0;        // feed per pig, kg
    double Cost = 0;        // feed cost per pig (money)
    double FeedGain = 0;    // feed per gain
    double BackFat = 0;     // mm at the 10th rib
    double LoinArea = 0;    // longissimus area, cm2 (sq in in the pound system)
    double Lean = 0;        // carcass lean, %
    double Yield = 0;       // carcass yield, %
};

struct RunSnapshot {
    // --- What the snapshot holds: "Growth" (a Growth command), "Optimum" (the
    // best programme of an optimisation); empty for no run at all.
    std::string Source;

    // --- Which growth model grew the pig: "documented" (the curve) or
    // "response" (the nutrient-response model, with its genotype's name).
    std::string Model = "documented";
    std::string Genotype;

    // --- Inputs.
    double StartWeight = 0;  // kg
    int StartAge = 0;        // days
    double FinalWeight = 0;  // kg, the target
    int HerdSex = -1;        // 0 mixed, 1 males, 2 females
    int SimSex = 0;          // the sex slot the engine's cumulative feed used
    int PigCount = 0;
    int EnergyUnit = 0, WeightUnit = 0, PriceUnit = 0;
    std::string Currency;  // shown with the money figures ("" none)
    std::array<double, 5> Curve{};  // B0..B4
    int Formulation = -1;            // the "Feed Formulation" entry: 0 select, 1 least cost, 2 grid diets
    std::string FormulationName;
    // The herd's measured total feed (display unit) and final age as the
    // calibration takes them; 0 when none were given.
    double MeasuredTotalFeed = 0;
    double MeasuredFinalAge = 0;
    // The measured herd loaded with the location when the run was made (empty
    // when none), so a chart of the run shows how the curve fits the herd.
    std::vector<MeasuredPoint> MeasuredHerd;
    std::vector<RunDiet> Diets;
    std::vector<std::string> IngredientNames;  // ingredient i at index i - 1
    // The matrix's price of ingredient i at index i - 1 (the location's price
    // unit) when the run was made: what least-cost diets were formulated at.
    std::vector<double> IngredientPrices;
    std::vector<std::string> NutrientNames;    // nutrient k at index k - 1
    // The matrix's content of nutrient k in ingredient i at [i - 1][k - 1]
    // when the run was made (energy in the run's energy unit): what
    // least-cost diets were formulated from. Empty for a run kept without it.
    std::vector<std::vector<double>> IngredientMatrix;

    // --- Results.
    bool RunFailed = false;
    bool ReachedFinalWeight = false;
    bool ResultsValid = false;  // the command stands behind the figures below
    double FinalAge = 0;        // days, fractional
    double TotalFeed = 0;       // feed per pig of the simulated slot, kg
    double CostPerPig = 0;      // feed cost per pig (money)
    double CostPerTonne = 0;    // per tonne of live weight (per ton in the pound system)
    double FeedGain = 0;        // feed per gain of the mixed herd
    double EnergyPerGain = 0;   // kcal of net energy per kg of gain
    std::array<RunSexFigures, 3> Sexes{};
    std::array<double, 6> Carcass{};  // mixed herd: 1 back fat, 2 longissimus area, 3 lean %, 4 yield %, 5 loin depth
    std::vector<RunDayRow> Days;      // from the starting age, one row per day of the run
    // The day tables of the run by age (slot 0 mixed, 1 males, 2 females), kg.
    Table2<double, 2, 200> DayGrowth;
    Table2<double, 2, 200> DayFeed;
    std::vector<std::string> Messages;  // what the run reported about its results
    // The requirements day by day and per diet phase, and the nitrogen and
    // phosphorus balance (filled when a Growth run ends; empty otherwise).
    RunNutrition Nutrition;
    // The days of a nutrient-response run: deposition, limiting factor and
    // body (empty for the documented curve).
    std::vector<ResponseDayFigures> ResponseDays;

    // Order in which snapshots were taken in this process (larger is later);
    // tells the latest finished run. Not part of what a run is.
    uint64_t Taken = 0;

    bool Empty() const { return Source.empty(); }
    int DietCount() const { return static_cast<int>(Diets.size()); }
};

// A fresh, larger value of RunSnapshot::Taken on every call.
uint64_t NextSnapshotOrder();

}  // namespace tarvisol
