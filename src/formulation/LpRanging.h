#pragma once
// Duals, reduced costs and ranges of the last optimal solve of a diet, read
// from the basis the solver ended on (the solve itself is not repeated and
// the kept model is not touched).
//
// Every range is the one within which the final basis stays optimal, so it is
// certain: inside it the formula keeps its ingredients and binding limits and
// the dual or price changes the objective linearly. Where the solve is
// degenerate (ties between ingredients, several limits meeting at the same
// point) such a range may be narrower than the widest true one, never wider.
#include <string>
#include <vector>

#include "shared/FormulationState.h"

namespace tarvisol {

// One row handed to the solver. Units: the objective is the sum of price x
// percent, so a dual is objective per unit of the right-hand side.
struct LpRowRange {
    int tableRow = 0;      // LP table row, 1-based
    int sense = 0;         // 1 at least, -1 at most, 0 equality
    double rhs = 0;
    double activity = 0;   // row value at the optimum
    bool basic = false;    // the row's activity is in the basis (the row does not bind through the basis)
    double dual = 0;       // change of the objective per unit increase of rhs
    double rhsLow = 0, rhsHigh = 0;  // rhs range within which `dual` holds; +-infinity when unbounded
};

// One ingredient column.
struct LpColumnRange {
    double x = 0;          // percent of the diet
    double price = 0;
    bool basic = false;
    double reducedCost = 0;          // price - dual value of the column; 0 for a basic one
    double priceLow = 0, priceHigh = 0;  // price range within which the basis stays optimal
};

struct LpRanging {
    std::vector<LpRowRange> rows;        // in the order the solver kept them
    std::vector<LpColumnRange> columns;  // ingredient j at j - 1
    double objective = 0;
};

// Fills `out` from the last optimal solve of `diet`. Returns an empty text on
// success, else why not (no optimal solve kept, or its basis could not be
// read back consistently, in which case no figure is given rather than a
// doubtful one).
std::string RangeLastLpSolve(const LpSolverCache& cache, int diet, LpRanging& out);

}  // namespace tarvisol
