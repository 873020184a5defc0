#pragma once
// tarvisol-cli market: opens a location as `growth` does and grows its
// programme to each final weight of a range, pricing every pig by the
// location's market settings (<base>.mkt, or the defaults), with options that
// override them for this run without saving them.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol {
class Progress;
}

namespace tarvisol::cli {

struct MarketArgs {
    std::string location;            // folder plus base name, e.g. examples/demo/Demo
    std::optional<int> formulation;  // 1 least cost, 2 diets on the grid; default as `growth` chooses
    // Overrides of the market settings (money per kg or lb of carcass, weights of carcass).
    std::optional<double> carcassPrice, leanBase, leanPremium, bandLow, bandHigh, discount, pigCost, dayCost,
        emptyDays;
    // The carcass yield the packer pays on, %; none: the market file's (blank there: the run's own).
    std::optional<double> carcassYield;
    // Final weights, display unit; default: the location's final weight -20 to +20, step 1.
    std::optional<double> from, to, step;
    bool json = false;
    int threads = 0;  // 0: one per processor
    ModelArgs model;           // --model, --genotype: for this run only
    std::optional<int> sex;    // --sex: 0 mixed, 1 males (barrows), 2 females (gilts); default the location's
};

// The report as one JSON object: "settings", "rows", "best_per_pig",
// "best_per_place_year" (keys in the README), with "outcome" and "messages".
nlohmann::json RunMarketCommand(const MarketArgs& args, std::ostream* messages, Progress* progress = nullptr);

void PrintMarketReport(const nlohmann::json& report, std::ostream& out);

// 0 when every weight either sold or is listed as not reached and a best
// weight was found; 2 when the settings, the range or a weight was refused;
// 1 otherwise (no weight reached, a run failed).
int MarketExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
