#pragma once
// tarvisol-cli optimise: opens a location, runs Growth on it (the optimisation
// starts from the current cost per pig), opens the optimisation window, sets
// the ranges with "Program Add Min Max to Current", presses "Run Opt." and
// reports the optimum against the starting programme.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol {
class Progress;
class ReportRenderer;
}

namespace tarvisol::cli {

struct OptimiseArgs {
    std::string location;  // folder plus base name, e.g. examples/demo/Demo
    std::optional<double> targetWeight;  // display units; default: the final weight
    bool feedWeightsOnly = false;
    // Hold the amino-acid minimums at the pigs' requirement where each diet starts.
    bool meetRequirements = false;
    bool json = false;
    ModelArgs model;           // --model, --genotype: for this run only
    std::optional<int> sex;    // --sex: 0 mixed, 1 males (barrows), 2 females (gilts); default the location's
    // "cost" (the documented search), "margin-place-year" or "margin-pig".
    std::string objective = "cost";
    bool herd = false;  // value the margin on the location's herd (<base>.hrd)
    // The margin search's report (the current run with the margin section)
    // as a PDF, and its workbook; empty: not asked for.
    std::string pdf, xlsx;
    int threads = 0;    // 0: one per processor
};

// Runs the command; messages shown go to `messages` as they come; `progress`
// (optional) receives the search's reports; `renderer` draws the PDF a margin
// search was asked for (null: none can be drawn). Returns the report as one object.
nlohmann::json RunOptimiseCommand(const OptimiseArgs& args, std::ostream* messages, Progress* progress = nullptr,
                                  ReportRenderer* renderer = nullptr);

void PrintOptimiseReport(const nlohmann::json& report, std::ostream& out);

}  // namespace tarvisol::cli
