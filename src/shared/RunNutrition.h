#pragma once
// What a finished run means for the pig's nutrition, kept with the run: the
// day-by-day requirements against what the diets supplied, summed per diet
// phase, and the nitrogen and phosphorus balance. Plain data; the nutrition
// module fills it when a Growth run ends.
//
// Weights are kg, feed kg per pig and day, protein deposition g per day,
// requirements g per day or percent of the feed (as fed).
#include <string>
#include <vector>

namespace tarvisol {

// One nutrient the requirements compare: the diet column it is read from
// and how the matrix names it.
struct RequirementNutrient {
    std::string Key;    // "lysine", "sttd_phosphorus", "calcium", ...
    std::string Name;   // the matrix's name for the column ("SID LYSINE"); the key when the matrix has none
    int Column = 0;     // diet column (DietNutrients index); 0 when the matrix has no such column
    bool TotalBasis = false;  // the column is stated on a total (not digestible) basis
};

// One nutrient on one day.
struct RequirementValue {
    double RequirementGrams = 0;  // g per day
    double Requirement = 0;       // percent of the day's feed
    double Supply = 0;            // percent of the feed in force (changeover blend included)
    bool Stated = false;          // the diet in force states the nutrient (above 0)
};

// One day of the run.
struct RequirementDay {
    int Age = 0;                    // days, at the start of the day
    double Weight = 0;              // kg at the start of the day
    double Feed = 0;                // kg eaten that day
    double ProteinDeposition = 0;   // g per day (0.22 x the day's fat-free gain)
    double Share = 1;               // part of the day the run used (below 1 on the final, interpolated day)
    int Diet = 0;                   // diet in force at the start of the day
    double DietShare = 1;           // share of the day's feed from that diet (below 1 on a changeover day)
    int NextDiet = 0;               // the diet blended in on a changeover day, else 0
    double FeedShare = 1;           // share of the day's feed counted against Diet's allotment
    double EnergySupply = 0;        // kcal per kg of the feed in force
    std::vector<RequirementValue> Values;  // one per RunRequirements::Nutrients
};

// One nutrient over a diet phase.
struct PhaseValue {
    double Requirement = 0;  // percent of the phase's feed (sum of g over sum of feed)
    double Supply = 0;       // percent of the phase's feed, changeover blend included
    double Ratio = 0;        // Supply / Requirement; 0 when not stated
    bool Stated = false;
    int DaysBelow = 0;       // days whose supply is below 95 % of that day's requirement
    int DaysAbove = 0;       // days whose supply is above 115 % of it
};

// The days a diet was in force.
struct RequirementPhase {
    int Diet = 0;  // 1..8
    std::string Name;
    double FromWeight = 0, ToWeight = 0;  // kg
    double FromAge = 0, ToAge = 0;        // days
    int Days = 0;
    double Feed = 0;  // kg eaten in the phase
    std::vector<PhaseValue> Values;  // one per RunRequirements::Nutrients
    // SID lysine per Mcal of the diet's energy: the requirement's and the supply's.
    double LysinePerMcalRequirement = 0;
    double LysinePerMcalSupply = 0;
};

struct RunRequirements {
    bool Computed = false;
    std::vector<RequirementNutrient> Nutrients;
    std::vector<RequirementDay> Days;
    std::vector<RequirementPhase> Phases;
    std::string EnergyName;      // the matrix's name of the energy column
    bool EnergyIsNet = false;    // the energy column is named as net energy
    // What the comparison cannot show or where it mixes bases, one sentence each.
    std::vector<std::string> Notes;
    // Index of a nutrient in Nutrients by its key; -1 when absent.
    int IndexOf(const std::string& key) const {
        for (std::size_t i = 0; i < Nutrients.size(); ++i)
            if (Nutrients[i].Key == key) return static_cast<int>(i);
        return -1;
    }
};

// Nitrogen and phosphorus eaten, retained and excreted, kg per pig unless
// named otherwise.
struct NutrientBalance {
    bool NitrogenComputed = false;
    bool PhosphorusComputed = false;
    std::string NitrogenMissing;    // why the N balance is missing ("" when computed)
    std::string PhosphorusMissing;  // why the P balance is missing
    double NIntake = 0, NRetained = 0, NExcreted = 0;
    double PIntake = 0, PRetained = 0, PExcreted = 0;
    double Gain = 0;          // kg live weight gained
    double DaysOnFeed = 0;    // final age - starting age
    double EmptyDays = 0;     // between batches, from the market settings
    double BatchesPerYear = 0;  // 365 / (days on feed + empty days)
    double NExcretedPerPlaceYear = 0;     // kg N
    double P2O5ExcretedPerPlaceYear = 0;  // kg P2O5 (P x 2.291)
};

// Both, as the snapshot carries them.
struct RunNutrition {
    RunRequirements Requirements;
    NutrientBalance Balance;
};

}  // namespace tarvisol
