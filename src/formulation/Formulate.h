#pragma once
// Least-cost formulation of the diets: the LP layout of one diet (BuildLp),
// the solver call and the check of its solution (LPCOST), and the Run LP
// command over the main window's diets grid.
#include <cstdint>
#include <string>
#include <vector>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Lays out the LP of diet d in LpTable / LpRowSense / LpRowCount. May raise
// the limit-order messages and "Too many Restrictions for Diet ". A diet that
// does not fit the table (more than 61 nutrient minimum rows or more than 320
// rows) or that restricts no nutrient is refused: nothing is laid out and LpRefused is set, so that LPCOST
// counts it infeasible.
void BuildLp(SharedState& s, int32_t& d);

// Ties the protein maximum of diet d to its minimum plus ProteinRange(d) (or
// lifts it when the range is 0).
void TieProteinMaximum(SharedState& s, int16_t& d);

// Reports ingredients whose maximum is below their minimum and raises nutrient
// maxima below their minimum to the minimum, for every diet in use. `answer`
// receives the button of the last message box (1 = OK).
void CheckLimitOrder(SharedState& s, int16_t& answer);

// Solves the LP laid out by BuildLp for diet d and writes DietFormula,
// DietNutrients, DietPrice and DietFaults. Run-time errors are reported as
// "... in procedure {LPCOST} of Calculations" and end the procedure.
void LPCOST(SharedState& s, int d);

// The last formulation of diet d gave a formula the program stands behind:
// no faults and no reason recorded in DietLpReason(d).
bool DietFormulated(const SharedState& s, int d);

// The ingredients of diet d's formula that have no price (0 or blank): the
// diet's price leaves them out. Matrix rows, 1-based, in matrix order.
std::vector<int> UnpricedIngredients(const SharedState& s, int d);
// Their names, comma separated.
std::string UnpricedNames(const SharedState& s, int d);

// BuildLp then LPCOST for diet d.
void FormulateDiet(SharedState& s, int d);

// The "Run LP" command: formulates diets 1..DietCount and shows them in the
// main window's diets grid.
void RunLp(SharedState& s);

// Writes diet d's column of the diets grid: price and nutrient contents, or
// the weight sum followed by " Infeas" for an infeasible diet, whose nutrient
// cells, still showing an earlier formulation, are shaded kPreviousFormulation.
inline constexpr Color kPreviousFormulation = Rgb(200, 200, 200);
// The price cell of a diet whose formula holds an ingredient without a price.
inline constexpr Color kPriceLeavesOut = Rgb(255, 230, 140);
inline constexpr const char* kInfeasibleMark = " Infeas";
void NUTVALS(SharedState& s, int16_t& d);

// Clears the formulation tables before a matrix is loaded.
void ClearFormulationTables(SharedState& s);

// The message texts of formulation.
inline constexpr const char* kTooManyRestrictions = "Too many Restrictions for Diet ";
inline constexpr const char* kPricesMissing = "Prices are missing";
inline constexpr const char* kNoNutrientRestrictions = "no nutrient restrictions: nothing to formulate";
// The start of the reason of a minimum on a nutrient no ingredient holds.
inline constexpr const char* kNoIngredientHoldsStart = "the minimum of ";
inline constexpr const char* kLpcostTail = ") in procedure {LPCOST} of Calculations";
// The end of the reason of a matrix value or price the solver cannot take.
inline constexpr const char* kTooLargeForSolverEnd = " is too large for the solver";

// True for the reason of a diet that was not laid out for the solver because
// of what that reason names (no nutrient restrictions, a minimum no
// ingredient holds, a value the solver cannot take): its message said so,
// and there is no infeasibility to report or diagnose.
bool NotLaidOutFor(const std::string& reason);

}  // namespace tarvisol
