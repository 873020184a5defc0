#pragma once
// Correlation of measured with predicted values, and the main results grid's
// quality-of-fit block (Ctrl+R on Grid1).
#include "calibration/FitDiagnostics.h"
#include "shared/SharedState.h"
#include "shared/Table.h"

namespace tarvisol {

// Pairs indexed (row, column): rows 1..n, column 1 x and column 2 y.
using CorrelationPairs = Table2<double, 16, 2>;

// Pearson's r over rows 1..DietCount of pairs; 0 when either variable does
// not vary. A run-time error (no rows, a row outside the table) shows
// "Error in module CorrelationCoefficient!" titled "Attention!" and gives 0.
double CorrelationCoefficient(SharedState& s, const CorrelationPairs& pairs);

// Where FillTest writes in Grid1: below the finishing summary (rows 18..27),
// so that no per-diet row, cost cell or summary cell is overwritten for any
// number of diets. The heading "Measured" is in row kFillTestRow, measured
// point k (the end of diet k, measured table row k + 1) in row
// kFillTestRow + k, and the correlations in row kFillTestRow + DietCount + 1.
// The block ends at row 37 (eight diets and the correlations) in columns
// 0..4; the optimisation's rows follow from row 38. A press clears the block
// before it writes.
inline constexpr int kFillTestRow = 28;
inline constexpr int kFillTestLastRow = kFillTestRow + 9;

// Puts the measured weights, ages and running feed totals beside the
// predicted per-diet rows 1..DietCount of Grid1 (columns 1, 2 and 4) and adds
// the row "Correl." with their correlations. A correlation is not the fit's
// quality: column 3 holds each weighing's residual (the curve's weight on the
// measured day minus the measured weight, kg and %) from the diagnostics of
// the curve in force, which are returned. Needs a window and at least one diet.
FitDiagnostics FillTest(SharedState& s);

}  // namespace tarvisol
