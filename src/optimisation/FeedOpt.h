#pragma once
// The feed-weight optimisation search: a bounded simplex search over the feed
// weight, net-energy minimum and protein minimum of every diet, in normalised
// coordinates (every variable runs from 7 to 15). Every trial point is priced
// by formulating the diets and growing one pig.
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr int kMaxOptVariables = 20;
inline constexpr int kMaxOptEvaluations = 1200;
inline constexpr double kOutOfBoundsCost = 1e35;
inline constexpr double kOptLower = 7.0;
inline constexpr double kOptUpper = 15.0;

// The optimisation's block of the main window's results grid, below the
// measured-against-predicted rows of Ctrl+R (rows 28..37): row 38 the current
// cost, 39 the best cost so far, 40 the headings and 41..46 the best point's
// feed weight, energy and protein of diets 1..6, in columns 0..3. A run
// clears the block before it writes.
inline constexpr int kOptResultsRow = 38;
inline constexpr int kOptResultsLastRow = kOptResultsRow + 8;
inline constexpr int kOptResultsLastCol = 3;

// Number of search variables of the programme: three per diet.
inline int OptVariableCount(const SharedState& s) { return 3 * s.DietCount; }

// The user value of variable i at normalised x.
double OptUserValue(const SharedState& s, int i, double x);

// OptScale and the starting OptPoint of variables 1..3 DietCount. A variable
// whose minimum equals its maximum has no scale: it starts at 7 (its minimum)
// and is held there.
void SetOptScales(SharedState& s);

// Steps and tolerances, the starting evaluation and the search from OptPoint.
void SearchSetup(SharedState& s);

// Minimises the cost over the free variables of OptPoint; leaves OptPoint at
// the best vertex and TrialCost at its cost.
void SimplexSearch(SharedState& s);

// Validates the variables and builds and evaluates the starting simplex.
// Returns the number of free variables m (vertices 1..m+1), 0 when the search
// gives up.
int BuildSimplex(SharedState& s);

// The cost of OptPoint: 1e35 without evaluating when a free variable is out
// of its bounds, otherwise EvaluateProgramme, counted in EvalCount.
double EvaluatePoint(SharedState& s);

// Prices OptPoint: formulates each diet at the trial energy and protein
// minimums, grows one pig on the trial feed budget and sums the feed cost per
// pig into TrialCost; keeps BestCost and BestPoint.
void EvaluateProgramme(SharedState& s);

}  // namespace tarvisol
