#pragma once
// What the growth charts of a finished run draw: live weight, daily gain and
// daily feed against age for the mixed herd, the males and the females; each
// diet's phase along the age axis; the final weight and age; and the measured
// herd's weights when the run had one. Display units of the run.
#include <array>
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"

namespace tarvisol {

struct XY {
    double X = 0, Y = 0;
};

struct ChartLine {
    std::string Name;  // "Mixed herd", "Males", "Females"
    std::vector<XY> Points;
};

struct DietPhase {
    int Number = 0;
    std::string Name;  // the location's single-byte text
    double StartAge = 0, EndAge = 0;
};

// The growth engine eats only what the curve's growth needs for the first
// five days after the start; from the sixth it eats to the pig's energy-intake
// capacity, laying the energy beyond that need down as fat (or taking a
// shortfall from fat), so the daily gain steps on that day.
inline constexpr int kDaysBeforeAppetite = 5;

// A stretch of days on which one factor held the protein deposition of a
// nutrient-response pig.
struct LimitingStretch {
    // "potential", "energy", "lysine", ...; for a mixed herd whose sexes are
    // held apart, "males: lysine, females: energy".
    std::string Factor;
    double StartAge = 0, EndAge = 0;
};

struct GrowthChartData {
    bool Empty = true;
    std::string WeightUnit;  // "kg", "lb", "g"
    std::array<ChartLine, 3> Weight;  // live weight, weight unit
    std::array<ChartLine, 3> Gain;    // daily gain, weight unit per day
    std::array<ChartLine, 3> Feed;    // daily feed, weight unit per day
    std::vector<DietPhase> Phases;
    double StartAge = 0, FinalAge = 0, FinalWeight = 0;
    std::vector<XY> Measured;  // measured herd: age, live weight
    // The first day the pig eats to its appetite (StartAge + 6), and the
    // herd's daily gain the day before and on it; 0 when the run ends first.
    double AppetiteAge = 0, GainBeforeAppetite = 0, GainAtAppetite = 0;
    // A nutrient-response run: the herd's daily protein and lipid deposition
    // (g a day) against age, and the stretches of days each factor held
    // protein deposition. Empty for the documented curve.
    ChartLine Protein, Lipid;
    std::vector<LimitingStretch> Limiting;
};

GrowthChartData GrowthChartOf(const RunSnapshot& run);

// The lowest and highest Y of the lines (and points), with 0 when empty.
void ChartRange(const std::array<ChartLine, 3>& lines, const std::vector<XY>& extra, double& lo, double& hi);

}  // namespace tarvisol
