#pragma once
// Splits the simulated (mixed) pig into an average male and an average female
// of a mixed herd: weights, intake capacities, daily feed and total feed.
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Male live weight of a mixed herd whose average pig weighs w kg; the female
// weighs 2w minus that. Below about 34.57 kg both are w.
void SplitWeight(double w, double& male, double& female);

// Energy-intake capacity of a female at live weight f (kg), kcal/day.
inline double FemaleIntakeCapacity(double f) {
    return -851.343 + f * (215.86493 + f * (-2.46838 + f * (0.01761605 + f * -0.0000550525)));
}

// The day of the day tables whose split figures belong to row `row` of the
// daily grid g (column 5, age): the age rounded up, and for the last row of
// a run that reached its final weight, which shows the final age to one
// decimal, the day after the whole final age. Every reader of the split
// (summary, daily table, CSV) uses this day.
int SplitDayOfRow(const SharedState& s, const Grid& g, int row);
// The same for a row whose age is given: lastRow says no day follows it.
int SplitDay(double age, bool lastRow, bool reachedFinalWeight, double finalAge);

// For every day of the daily grid (column 5, age): male and female weights
// (the last row of a run that reached the final weight split from the final
// weight itself) into
// DayGrowth rows 1 and 2, capacities into EnergyCap, daily feed into DayFeed
// rows 1 and 2; then splits the run's total feed between the sexes in CumFeed
// (the sexes' totals cleared when the grid holds no feed to split by).
void SplitSexes(SharedState& s);

}  // namespace tarvisol
