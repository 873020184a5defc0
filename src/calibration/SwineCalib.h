#pragma once
// The calibration fit: fits B0..B4 of the growth curve (GrowthCurve(0, 0..4))
// to one measured herd by a coarse additive grid and up to five shrinking
// multiplicative grids, every trial point one complete growth run.
//
// Speed: the points of a grid are independent growth runs, so they are
// evaluated on private copies of the record, one per worker thread, and then
// applied to the record in grid order. A point's score depends only on its
// coefficients (each trial starts from cleared phase results), so the best
// error, the best curve, the run results and every written cell are exactly
// what evaluating the points one after another gives.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shared/Progress.h"
#include "shared/SharedState.h"

namespace tarvisol {

// How a search runs. threads: 0 = every core of the machine, 1 = one point
// after another on the record itself (the reference order).
struct FitOptions {
    int threads = 0;
    Progress* progress = nullptr;
    long* growthRuns = nullptr;  // when set, counts the growth runs made
};

using CurvePoint = std::array<double, 5>;

// One evaluation of the coefficients in GrowthCurve(0, 0..4): a growth run
// from StartAge scored against the measured feed, final age and (when
// UseWeightTerm is set) the measured table. Sets CalibError; on improvement
// BestError, BestCurve, RunResults(0..2) and GridWeight row 1. A failed run
// scores 1e8 (also in RunResults(0)) and leaves BestError alone.
void EvaluateFit(SharedState& s);

// Feed of the run from StartAge to the day nearest FinalAge + 1, kg.
double TotalFeedIntake(const SharedState& s);

// Adds the measured-table term of the last run to sum: per measured row 2..9
// the squared weight, period-feed and phase-end weight differences (kg). A row
// of weight 0 resets the sum before its feed and phase terms. Rows beyond 9
// have no diet phase and are not read.
void WeightCurveError(const SharedState& s, double& sum);

// The fit. mode 1 (the calibration run) sets HerdSex to 0 first. Leaves the
// best coefficients in BestCurve(0, 1..5) and GridWeight row 1; the caller
// copies them into GrowthCurve. When options.progress is stopped the fit
// ends within a few dozen points and leaves no result: the caller puts the
// record back.
void FitCalibration(SharedState& s, int16_t& mode, const FitOptions& options = {});

// The passes of the fit.
void CoarseGridSearch(SharedState& s, const FitOptions& options = {});
void RefineGridSearch(SharedState& s, const FitOptions& options = {});

// Evaluates points in order as EvaluateFit would, one after another or in
// parallel by options.threads; after each point has been applied to s (its
// coefficients in GrowthCurve, CalibError, FinalAge, SimTotalFeed and the
// best-so-far bookkeeping), afterEach(s) runs, when given. Used by the fit's
// grids and by the calibration test window.
void EvaluatePoints(SharedState& s, const std::vector<CurvePoint>& points, const FitOptions& options,
                    const std::string& stage, const std::function<void(SharedState&)>& afterEach = {});

// The measured total feed (kg) and final age the fit aims at.
double MeasuredFeedKg(const SharedState& s);
inline double MeasuredFinalAge(const SharedState& s) { return s.CalibInputs(5); }

}  // namespace tarvisol
