#pragma once
// tarvisol-cli calibrate: opens a location as the main window does, takes its
// measured herd table (.cal) and the herd inputs of its .pig, and runs the
// calibration as the calibration window's "Continue Calibration" would.
#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol::cli {

struct CalibrateArgs {
    std::string location;  // folder plus base name, e.g. examples/demo/Demo
    bool save = false;     // answer Yes to "Save this Calibration Data Set ..."
    bool json = false;
    bool documentedOnly = false;  // the fit alone, without the wider search
    int threads = 0;              // 0: every core
    ModelArgs model;              // --model, --genotype: the nutrient-response model fits the genotype
};

// Runs the command; messages shown go to `messages` as they come. Returns the
// report as one JSON object: location, messages, outcome ("calibrated",
// "refused" when the location or its measured herd could not be calibrated,
// "failed" when the fitted curve does not grow the herd), ran, curve
// (B0..B4), error, final_age / measured_final_age, total_feed /
// measured_total_feed, correlations (weight, age, feed) with the residuals
// beside them in "diagnostics", "search" (which start won, the fit's own
// result beside it), growth_runs, saved, weight_unit, and
// "outside_documented_curve" (every start of the wider search ended with a
// warning; "outside_documented_curve_text" then names the genotype fit).
nlohmann::json RunCalibrateCommand(const CalibrateArgs& args, std::ostream* messages);

void PrintCalibrateReport(const nlohmann::json& report, std::ostream& out);

// The exit status of a report: 0 when the calibration ran (and, with
// --save, every file was saved); 2 when the input was refused; 1 otherwise.
int CalibrateExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
