#pragma once
// The main window's "Growth" command: checks the inputs, reads the growth
// curve and the diet programme from the grids (formulating least-cost diets
// first when chosen), grows the pig, splits the sexes, estimates the carcass,
// prices the programme and lays the results out in Grid1.
#include "shared/SharedState.h"

namespace tarvisol {

struct MainWindow;

// Entries of the "Feed Formulation" list.
inline constexpr int kFormulationLeastCost = 1;
inline constexpr int kFormulationGridDiets = 2;

// The highest diet column 1..6 of the diets grid whose energy (row 4) is above 0.
int16_t FindDietCount(const MainWindow& w);

// The command. Runs on s.Main; does nothing without a window.
void Growth(SharedState& s);

// Diet column d of the diets grid into the diet tables: price (row 2), feed
// allotment in kg (row 3), energy in kcal/kg (row 4) and nutrients 2..14
// (rows 5..17).
void ReadDietColumn(SharedState& s, MainWindow& w, int d);

inline constexpr const char* kNeedDiets = "Need Diets";
inline constexpr const char* kStartAgeRange = "Starting Age must be from 1 to 197 days";
inline constexpr const char* kFinalAboveStart = "Final Weight must be more than the Starting Weight";

// Feed cost of the programme per pig (money): the sum over diets of the
// diet's price per kg times the feed eaten of that diet.
double CostPerPig(const SharedState& s);

// Feed eaten of diet i in the last run, kg per pig (0 for a diet the pig
// never reached).
double FeedEatenOfDiet(const SharedState& s, int i);

// Per-diet feed and ingredient tonnages for PigCount pigs in the formula grid,
// with its "Total Cost" line.
void FeedTonnage(SharedState& s);

// Column 9 of Grid1: how many of PigCount pigs have reached the final weight
// on the days around it.
void HerdDistribution(SharedState& s);

// Shades the diets-grid and formula-grid cells that sit exactly on a limit.
void HighlightLimits(SharedState& s);

}  // namespace tarvisol
