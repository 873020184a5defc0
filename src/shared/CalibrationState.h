#pragma once
// The herd's calibration inputs and the fit's working tables.
#include <cstdint>
#include <string>

#include "shared/Table.h"

namespace tarvisol {

struct CalibrationState {
    // --- Inputs of the herd, as typed in Text1..Text5 (display units):
    // 1 starting weight, 2 starting age (days), 3 final weight, 4 total feed
    // intake per pig, 5 final age (days). 0 and 6 are not used.
    Array1<double, 0, 6> CalibInputs;
    // What the Growth command last wrote into Text4 and Text5 (its predicted
    // total feed and final age). A box still showing it holds no measurement,
    // so the measured value stays in CalibInputs.
    std::string PredictedFeedText, PredictedAgeText;

    // Measured herd table, indexed (column, row): column 0 age in days,
    // 1 live weight, 2 feed eaten in the period ending at this row, 3 not read
    // by the fit; row 1 the start, row r >= 2 the end of diet phase r - 1.
    // Rows in use are the leading rows from 1 whose age is above 0.
    Table2<double, 3, 15> CalibWeightTable;

    // --- The fit.
    // (0, k + 1) best value so far of coefficient k (B0..B4); (1, 0) the best error.
    Table2<double, 2, 5> BestCurve;
    double CalibError = 0;  // error of the last evaluation
    double BestError = 0;   // lowest error so far
    double CheckError = 0;  // auxiliary error of the stopping rule
    int16_t FitPass = 0;    // 99 for the first evaluation, then 1, 2, ...
    bool UseWeightTerm = false;  // add the measured-table term; once set, stays set
    // 0 error, 1 simulated final age, 2 simulated total feed of the best
    // evaluation so far; the other entries belong to the optimisation.
    Array1<double, 0, 24> RunResults;
    double SimTotalFeed = 0;  // simulated feed per pig of the last run
    // The "What  " diagnostic of the evaluation has been shown; a fit or a
    // test run clears it, so it shows at most once per search.
    bool WhatShown = false;

    // --- The calibration run.
    // A location's calibration is loaded, or a calibration is being run.
    bool CalibrationLoaded = false;
    // Set by "Continue Calibration", cleared once the growth command has run.
    bool CalibPending = false;
    int16_t DietsInUse = 0;     // last diet column 1..8 of the diets grid with energy above 0
    Array1<double, 0, 2> SlotFeedTotal;  // feed per pig of each sex slot over the measured period
    int16_t CalibLastRow = 0;   // last row 1..6 of the calibration grid with feed above 0
};

}  // namespace tarvisol
