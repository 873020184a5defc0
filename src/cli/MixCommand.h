#pragma once
// tarvisol-cli mix: one formulated diet of a location as a batch for the mill.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

struct MixArgs {
    std::string location;             // folder plus base name
    int diet = 0;                     // 1-based
    std::optional<double> batch;      // kg; default 1000
    std::optional<double> resolution; // kg, ingredients above 2 %; default 0.5
    std::optional<double> fineResolution;  // kg, ingredients at 2 % or less; default 0.01
    bool json = false;
};

// Loads the location as `lp` does, runs Run LP and builds the diet's mixing
// sheet. Returns {"location", "loaded", "diet", "name", "sheet": {...} or null,
// "problem" (when there is no sheet), "messages"}; the sheet's keys are in the
// README. Messages are echoed to `messages` when given.
nlohmann::ordered_json RunMixCommand(const MixArgs& args, std::ostream* messages);

void PrintMix(const nlohmann::ordered_json& result, std::ostream& out);

// 0 with a sheet, 1 when the diet has no formula (infeasible), 2 when nothing
// was loaded or the diet or a size was refused.
int MixExitCode(const nlohmann::ordered_json& result);

}  // namespace tarvisol::cli
