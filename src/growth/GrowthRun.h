#pragma once
// The main window's "Growth" command: checks the inputs, reads the growth
// curve and the diet programme from the grids (formulating least-cost diets
// first when chosen), grows the pig, splits the sexes, estimates the carcass,
// prices the programme and lays the results out in Grid1.
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

struct MainWindow;

// Entries of the "Feed Formulation" list.
inline constexpr int kFormulationLeastCost = 1;
inline constexpr int kFormulationGridDiets = 2;

// The highest diet column 1..6 of the diets grid whose energy (row 4) is above 0.
int16_t FindDietCount(const MainWindow& w);

// What the Growth command ended with. Only Results is a run the program
// stands behind (GrowthResultsValid); the others name why not.
enum class GrowthOutcome {
    Refused,                // nothing was run: a check refused the inputs (its message says which)
    NotFormulated,          // a least-cost diet could not be formulated; no growth run
    RunFailed,              // the engine could not grow the pig
    FinalWeightNotReached,  // the pig falls short of the final weight within the day tables
    PriceMissing,           // grown, but a diet the pig ate has no price: no feed cost
    Results,
};

// The command. Runs on s.Main; does nothing without a window. Records its
// outcome in GrowthResultsValid and ReachedFinalWeight as well.
GrowthOutcome Growth(SharedState& s);

// Diet column d of the diets grid into the diet tables: price (row 2), feed
// allotment in kg (row 3), energy in kcal/kg (row 4) and nutrients 2..14
// (rows 5..17). The price reads as the matrix reads a price; how a price
// was read, when that could surprise, is added to priceNotes.
void ReadDietColumn(SharedState& s, MainWindow& w, int d, std::vector<std::string>* priceNotes = nullptr);

inline constexpr const char* kNeedDiets = "Need Diets";
// The heading of the score beside the curve: the curve's fit error while the
// programme feeds the measured herd's allotments, otherwise this programme's
// miss of the measured herd on the same curve.
inline constexpr const char* kFitErrorCaption = "Fit Error";
inline constexpr const char* kHerdMissCaption = "Herd Miss";
// The latest starting age that leaves a whole day of the day tables to grow
// and show (the daily grid's last age row is day 197).
inline constexpr int kLastStartAge = 196;
inline constexpr const char* kStartAgeRange = "Starting Age must be from 1 to 196 days";
inline constexpr const char* kFinalAboveStart = "Final Weight must be more than the Starting Weight";

// Feed cost of the programme per pig (money): the sum over diets of the
// diet's price per kg times the feed eaten of that diet.
double CostPerPig(const SharedState& s);

// The day of the day tables that holds the finishing figures of the sexes:
// the day after the whole final age of a run that reached the final weight
// (the split takes them at the final weight), else the run's last day.
int FinishingDay(const SharedState& s);

// Feed eaten of diet i in the last run, kg per pig (0 for a diet the pig
// never reached; never negative).
double FeedEatenOfDiet(const SharedState& s, int i);

// Per-diet feed and ingredient tonnages for PigCount pigs in the formula grid,
// with its "Total Cost" line.
void FeedTonnage(SharedState& s);

// Column 9 of Grid1: how many of PigCount pigs have reached the final weight
// on the days around it.
void HerdDistribution(SharedState& s);

// "Growth was not run: ..." naming the diets (1..DietCount) that the
// least-cost formulation left without a formula; empty when there are none.
std::string DietsNotFormulatedMessage(const SharedState& s);

// "The pig reaches only <w> <unit> by day <d>; the final weight is not
// reached", the weight in the display unit.
std::string FinalWeightNotReachedMessage(const SharedState& s, double weightKg, int day);

// Shades the diets-grid and formula-grid cells that sit exactly on a limit.
void HighlightLimits(SharedState& s);

}  // namespace tarvisol
