#pragma once
// tarvisol-cli plot: opens a location, runs Growth on it (the sweep starts
// from the current cost per pig), presses "Plot Diets" and reports where
// DietPlot.txt and Plot.txt went and, per diet, the cheapest feasible point.
#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/ModelChoice.h"

namespace tarvisol {
class Progress;
}

namespace tarvisol::cli {

struct PlotArgs {
    std::string location;  // folder plus base name, e.g. examples/demo/Demo
    int ratio = -1;        // 1 --lysine (amino acids follow lysine), 0 --protein; -1 as the location has it
    bool json = false;
    ModelArgs model;           // --model, --genotype: for this run only
    std::optional<int> sex;    // --sex: 0 mixed, 1 males (barrows), 2 females (gilts); default the location's
};

nlohmann::json RunPlotCommand(const PlotArgs& args, std::ostream* messages, Progress* progress = nullptr);

void PrintPlotReport(const nlohmann::json& report, std::ostream& out);

}  // namespace tarvisol::cli
