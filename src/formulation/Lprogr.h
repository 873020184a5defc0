#pragma once
// The linear-programming solver behind LPCOST: the fourteen-argument contract
// of LPROGR, solved with COIN-OR CLP.
//
// Contract (every argument an address):
//   1 diet number (in)            2 status word (not read back)
//   3 row count (in)              4 column count = ingredients (in)
//   5 scratch value               6 solution, 260 x 2 column-major (out: (j, 1) = percent of ingredient j)
//   7 row results 420 x 3         8 prices, element 0 first (in: objective, ingredient j at position j)
//   9 column results 900          10 LP table from (1, 0), 320 x 261 column-major (in)
//  11 row senses, 320 (in: 1 at least, -1 at most, 0 equality)
//  12..14 work tables 3 x 260, 2 x 260, 2 x 320
// A row whose coefficients are all zero constrains nothing and is dropped. A
// solve that is not proven optimal (infeasible, unbounded, numerical trouble,
// a solver error) leaves an all-zero solution; the caller judges feasibility
// from the solution alone.
#include <cstdint>
#include <vector>

namespace tarvisol {

class LpSolverCache;

inline constexpr int kLpMaxRows = 320;
inline constexpr int kLpMaxColumns = 260;
// The largest coefficient or price the solver takes; BuildLp names a value
// beyond it. A right-hand side beyond kLpNoLimit on an "at most" row (or below
// its negative on an "at least" row) is no limit at all: the row is dropped.
inline constexpr double kLpMaxCoefficient = 1e12;
inline constexpr double kLpNoLimit = 1e15;

// Solves with the models kept in `cache`: re-solving the same diet with the
// same rows and coefficients but changed right-hand sides or prices starts the
// dual simplex from the previous optimal basis. Never throws.
void LPROGR(LpSolverCache& cache, int32_t* diet, int32_t* status, int32_t* rows, int32_t* cols, double* scratch,
            double* solution, double* rowResults, double* prices, double* colResults, double* table,
            int32_t* senses, double* work1, double* work2, double* work3);

// The bare contract: the same, with a cache private to the calling thread.
void LPROGR(int32_t* diet, int32_t* status, int32_t* rows, int32_t* cols, double* scratch, double* solution,
            double* rowResults, double* prices, double* colResults, double* table, int32_t* senses,
            double* work1, double* work2, double* work3);

// One diet's basis: a status for every row and column of the rows CLP kept.
struct LpBasis {
    std::vector<unsigned char> status;
    int rows = 0, cols = 0;
};

// The basis the last solve of `diet` ended on, when that solve was optimal.
bool SaveLpBasis(const LpSolverCache& cache, int diet, LpBasis& basis);

// The next solve of `diet` loads its rows afresh and starts from `basis` (from
// the slack basis when the rows kept differ in number), so its answer depends
// on its own rows, limits and prices and on `basis` alone, never on what was
// solved before. Work spread over threads stays identical to the sequential order.
void StartFromLpBasis(LpSolverCache& cache, int diet, const LpBasis& basis);

// The last optimal solve of a diet as the solver ended it, in the LP table's
// terms, for reading more out of that same solve (duals, reduced costs,
// ranges: see LpRanging.h). Only the rows handed to the solver are here (an
// all-zero row is dropped); each names its LP table row.
struct LpSolvedDiet {
    int cols = 0;                           // ingredients 1..cols
    std::vector<int> tableRows;             // LP table row (1-based) of each kept row
    std::vector<int> senses;                // 1 at least, -1 at most, 0 equality
    std::vector<double> rhs;                // right-hand side of each kept row
    std::vector<double> coef;               // kept rows x cols, row after row
    std::vector<double> prices;             // objective: price of ingredient j at j - 1
    std::vector<double> x;                  // percent of ingredient j at j - 1
    std::vector<unsigned char> basicColumn;  // 1 when ingredient j - 1 is in the final basis
    std::vector<unsigned char> basicRow;     // 1 when the row's activity is in the final basis
};

// Copies the last solve of `diet` when it ended optimal; false otherwise (never
// solved, not optimal, or the solver objects were forgotten). Reads only.
bool LastOptimalLpSolve(const LpSolverCache& cache, int diet, LpSolvedDiet& out);

// What the last solve through a cache did, for tests and benchmarks.
struct LpSolveInfo {
    bool warm = false;     // started from a kept basis
    bool optimal = false;  // proven optimal
    int keptRows = 0;      // rows handed to CLP after dropping all-zero rows
};
LpSolveInfo LastLpSolve(const LpSolverCache& cache);

// Keeps the solver objects but makes every answer that of a fresh cache: the
// next solve of a diet given the very table, senses and prices of its last
// solve repeats that solve's solution when it started on new solver objects
// from the slack basis; any other starts on new solver objects. Until then no
// solve of the diet is kept. A sequence of such repeats costs no solve.
void FreshUnlessRepeated(LpSolverCache& cache);

// Makes the next solve of every diet start cold (rows loaded again, slack
// basis) while keeping the solver objects, whose creation costs more than a
// small solve.
void ForgetLpBases(LpSolverCache& cache);

}  // namespace tarvisol
