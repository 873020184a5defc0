#pragma once
// The restrictions an optimum changed: every nutrient minimum or maximum of
// every diet that the optimum was formulated with and that differs from the
// starting programme's. The search moves energy and protein; the amino-acid
// minimums follow protein in proportion, so they move too. The report, the
// optimisation window and the optimise command all list these.
#include <string>
#include <vector>

#include "optimisation/OptimisationResult.h"

namespace tarvisol {

struct RestrictionChange {
    int Diet = 0;      // 1..8
    int Nutrient = 0;  // k of the restriction tables (1 energy, 2 protein, 3..14 amino acids, ...)
    bool Minimum = true;
    std::string Name;  // the matrix's name of the nutrient
    std::string Unit;  // the energy unit for energy, "%" of the diet for the rest
    double Before = 0, After = 0;  // 0: no such limit
};

// The changes of result's optimum against its starting programme, by diet,
// then nutrient, the minimum before the maximum. Limits equal to display
// precision (one part in a million) are not changes. Nothing for a result
// that is not done.
std::vector<RestrictionChange> ChangedRestrictions(const OptimisationResult& result);

// A limit as the lists show it: "none" for 0, otherwise three decimals for
// a percentage and the energy unit's own precision for energy.
std::string LimitText(const RestrictionChange& change, double value);

// One line: "Diet 1  SID LYSINE minimum 1.150 % -> 1.116 % (-3.0 %)".
std::string RestrictionChangeLine(const RestrictionChange& change);

}  // namespace tarvisol
