#pragma once
// Taking a finished run out of the live record as a RunSnapshot.
#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// The run the Growth command has just made: its inputs as it read them, the
// diets as it formulated or read them, and every result it laid out in the
// results grid. Called by the command itself when it ends.
RunSnapshot RunSnapshotOf(const SharedState& s);

// Diet d of the programme as the record holds it now: name (from the diets
// grid), price, allotment, nutrients, formula and the restrictions in force;
// no results. formulated: the diets were formulated at least cost.
RunDiet RunDietOf(const SharedState& s, int d, bool formulated);

// The inputs common to every snapshot: herd, units, curve, formulation,
// measured herd and the names of the ingredients and nutrients.
void TakeRunInputs(const SharedState& s, RunSnapshot& run);

// The nutrients of the matrix (1..NutrientCount - 1; its first column is the weight).
int NutrientsOf(const SharedState& s);

// The message of an infeasible diet, as Run LP shows it.
std::string InfeasibleDietMessage(int d);

}  // namespace tarvisol
