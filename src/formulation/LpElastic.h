#pragma once
// The elastic form of a diet's LP: every row may be violated at a cost per
// unit of violation, except the rows whose cost is 0, which must hold. Its
// optimum is the smallest weighted relaxation that makes the rows feasible.
// Solved on a model of its own: the diets' kept models and bases are never
// touched, so formulations and their warm starts stay as they were.
#include <vector>

namespace tarvisol {

struct ElasticRow {
    int sense = 0;                // 1 at least, -1 at most, 0 equality
    double rhs = 0;
    std::vector<double> coef;     // one per column
    double costPerUnit = 0;       // cost of one unit of violation; 0 = the row is never relaxed
};

struct ElasticResult {
    enum class Status { Solved, NoFeasiblePoint, Failed } status = Status::Failed;
    std::vector<double> x;          // the columns at the optimum
    std::vector<double> violation;  // per row, >= 0: how far the row's value lies beyond its rhs
    double cost = 0;                // sum of costPerUnit x violation
};

// Columns are amounts from 0 up. A row with a zero costPerUnit that cannot be
// met gives NoFeasiblePoint; a solver error or a solve not proven optimal
// gives Failed. Never throws.
ElasticResult SolveElasticLp(int cols, const std::vector<ElasticRow>& rows);

}  // namespace tarvisol
