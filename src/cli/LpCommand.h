#pragma once
// tarvisol-cli lp: the Run LP command on a location's formulation files.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "cli/CliArgs.h"

namespace tarvisol::cli {

// Loads the location's diets (for the number of diets), matrix and
// restrictions into a fresh record and its main window, runs Run LP and
// returns {"location", "loaded", "diets": [{"diet", "name", "feasible",
// "price", "reason" (only when not feasible), "formula": {ingredient:
// percent}, "nutrients": {name: value}}], "messages": [...]}, names and
// messages in UTF-8. A diet without a formula has a null price and empty
// formula and nutrients. Messages are echoed to `messages` when given.
nlohmann::ordered_json RunLpCommand(const LpArgs& args, std::ostream* messages);

// A readable report of the same.
void PrintLp(const nlohmann::ordered_json& result, std::ostream& out);

// 0 when every diet formulated, 1 when one did not, 2 when nothing was loaded.
int LpExitCode(const nlohmann::ordered_json& result);

}  // namespace tarvisol::cli
