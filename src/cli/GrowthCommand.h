#pragma once
// tarvisol-cli growth: opens a location as the main window does, sets the
// boxes a user would set, presses "Growth" and reports what the window shows.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol::cli {

struct GrowthArgs {
    std::string location;          // folder plus base name, e.g. examples/demo/Demo
    std::optional<int> formulation;  // 1 least cost, 2 diets on the grid; default: least cost when a matrix loaded
    std::optional<int> sex;        // 0 mixed, 1 males, 2 females; default: the location's
    std::optional<double> pigs;
    std::optional<double> startWeight, startAge, finalWeight;  // display units
    bool json = false;
    std::string dailyCsv;
    bool yes = false;  // answer to the other questions (default No)
    std::optional<std::string> keep;  // keep the run under this name (--keep)
    ModelArgs model;                  // --model, --genotype
};

// Runs the command; messages shown go to `messages` as they come. Returns the
// report as one JSON object (keys in the README).
nlohmann::json RunGrowthCommand(const GrowthArgs& args, std::ostream* messages);

void PrintGrowthReport(const nlohmann::json& report, std::ostream& out);

// 0 when the run's results stand (every figure printed holds and the day
// table, when asked for, was written), 2 when Growth refused the inputs,
// 1 otherwise (diets not formulated, run failed, final weight not reached,
// prices missing, day table not written).
int GrowthExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
