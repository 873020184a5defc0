#pragma once
// tarvisol-cli herd: opens a location as `growth` does, grows a herd of pigs
// that differ on its programme and sells it in cuts (or finds the best cuts),
// priced by the location's market settings; options override the settings
// for this run without saving them.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol {
class Progress;
}

namespace tarvisol::cli {

struct HerdArgs {
    std::string location;            // folder plus base name, e.g. examples/demo/Demo
    std::optional<int> formulation;  // 1 least cost, 2 diets on the grid; default as `growth` chooses
    std::optional<int> pigs;
    std::optional<std::uint64_t> seed;
    std::optional<double> cvWeight, cvGrowth, cvMatureSize, cvMaintenance;  // %
    std::string cuts;                    // "AGE:WEIGHT,AGE:SHARE%,AGE"; empty: the whole barn at the pig's final age
    bool best = false;                   // search the best cuts
    std::optional<double> carcassYield;  // %, overrides the market file's
    std::string pigsCsv;                 // one row per pig, written when given
    bool json = false;
    int threads = 0;  // 0: one per processor
    ModelArgs model;           // --model, --genotype: for this run only
    std::optional<int> sex;    // --sex: 0 mixed, 1 males (barrows), 2 females (gilts); default the location's
};

// The report as one JSON object: "settings", "cuts", "totals" (keys in the
// README), with "outcome" and "messages", and "one_day" with --best.
nlohmann::json RunHerdCommand(const HerdArgs& args, std::ostream* messages, Progress* progress = nullptr);

void PrintHerdReport(const nlohmann::json& report, std::ostream& out);

// 0 for a herd sold; 2 when the settings or the cuts were refused; 1
// otherwise (no Growth result, a pig that cannot be grown, a file not written).
int HerdExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
