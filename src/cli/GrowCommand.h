#pragma once
// tarvisol-cli grow: the bare growth engine on a programme given as arguments.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "cli/CliArgs.h"

namespace tarvisol::cli {

// Fills a fresh record as the Growth command would, grows the pig with the
// daily grid on, splits the sexes and estimates the carcass. Returns the
// results as one JSON object (keys documented in the README).
nlohmann::json RunGrow(const GrowArgs& args, std::ostream* messages);

// 2 when the programme was refused (diet values outside their ranges), 1
// when the run failed or the pig did not reach the final weight, else 0.
int GrowExitCode(const nlohmann::json& result);

// A readable table of the same results.
void PrintGrow(const nlohmann::json& result, std::ostream& out);

}  // namespace tarvisol::cli
