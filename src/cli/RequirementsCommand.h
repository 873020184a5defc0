#pragma once
// tarvisol-cli requirements: opens a location and presses Growth as `growth`
// does, then reports what the pig needed day by day and per diet phase
// against what its diets supplied, with the nitrogen and phosphorus balance.
// --set-minimums puts the requirements into the diets' nutrient minimums
// (the file only with --save).
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

#include "shared/RunNutrition.h"

namespace tarvisol::cli {

struct RequirementsArgs {
    std::string location;            // folder plus base name, e.g. examples/demo/Demo
    std::optional<int> formulation;  // 1 least cost, 2 diets on the grid; default as `growth` chooses
    bool json = false;
    bool setMinimums = false;
    double margin = 100;  // percent of the requirement the minimums take
    double daysCovered = 100;  // percent of each diet's days its minimums cover (100: the highest requirement)
    bool save = false;    // write the nutrient restriction file after setting the minimums
    ModelArgs model;           // --model, --genotype: for this run only
    std::optional<int> sex;    // --sex: 0 mixed, 1 males (barrows), 2 females (gilts); default the location's
};

// {"location", "formulation", "outcome", "weight_unit", "phases": [...], "days": [...],
//  "balance": {...}, "notes": [...], "messages": [...]} (keys in the README), and
// "minimums" when they were set.
nlohmann::json RunRequirementsCommand(const RequirementsArgs& args, std::ostream* messages);

void PrintRequirementsReport(const nlohmann::json& report, std::ostream& out);

// 0 when the requirements were computed (and the minimums set and saved when
// asked); 2 when the inputs were refused; 1 otherwise.
int RequirementsExitCode(const nlohmann::json& report);

// The balance as `growth --json` and `requirements --json` give it: kg per
// pig, per place and year; null for what could not be computed.
nlohmann::json BalanceJson(const NutrientBalance& b);

}  // namespace tarvisol::cli
