#pragma once
// What a successful optimisation found, kept as a value by the run that found
// it: the starting programme, the optimum (its diets with their formulas and
// the restrictions that made them, feed weights, growth and cost), the
// search's grid and the best of every variable searched alone. The report and
// the transfer read this, never the live tables, so they always show the
// optimum they belong to.
#include <cstdint>
#include <string>

#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"
#include "shared/Table.h"

namespace tarvisol {

struct OptimisationResult {
    bool Done = false;
    RunSnapshot Start;    // the programme the search started from (the last Growth run)
    RunSnapshot Optimum;  // the best programme as the search formulated, grew and priced it
    // (diet, variable 0 feed / 1 energy / 2 protein, kind 0 current / 1 minimum / 2 maximum), user units.
    Table3<double, 8, 2, 2> Base;
    Array1<double, 0, 24> VariableOptimum;  // variable i searched alone: its best value, user units
    Array1<double, 0, 24> VariableCost;     // ... and the lowest cost seen
    int32_t Evaluations = 0;     // evaluations of the last search, as the report counts them
    int32_t AllEvaluations = 0;  // of the whole run, every stage
    double StartCost = 0;        // cost per pig of the starting programme, as the main window showed it
    double StartFeedGain = 0;    // its feed per gain ...
    double StartFinalAge = 0;    // ... and final age, days
    double TargetWeight = 0;     // kg
    bool MeetRequirements = false;  // amino-acid minimums held at the pigs' requirement
    std::string ResultFile;      // the dated result file written (empty when none)

    // The optimum's feed cost per pig: each diet's price times its feed weight.
    double OptimumCostPerPig() const;
};

// The optimisation's figures as the record holds them right after a
// successful search (the Opt* copies, the formulas, the search tables), with
// the main window's cost, feed per gain and final age as the starting
// programme's. Taken by the run when it succeeds.
OptimisationResult OptimisationResultOf(const SharedState& s);

}  // namespace tarvisol
