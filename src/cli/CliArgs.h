#pragma once
// Command-line requests of tarvisol-cli, parsed from argv.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cli/CalibrateCommand.h"
#include "cli/CompareCommand.h"
#include "cli/DemoCommand.h"
#include "cli/GrowthCommand.h"
#include "cli/HerdCommand.h"
#include "cli/PrecisionCommand.h"
#include "cli/MarketCommand.h"
#include "cli/MixCommand.h"
#include "cli/NewCommand.h"
#include "cli/OptimiseCommand.h"
#include "cli/PlotCommand.h"
#include "cli/PricesCommand.h"
#include "cli/ReportCommand.h"
#include "cli/RequirementsCommand.h"

namespace tarvisol::cli {

struct GrowArgs {
    double startWeight = 0;
    int startAge = 0;
    double finalWeight = 0;
    std::optional<std::array<double, 5>> curve;
    // Per diet: energy, protein, the twelve amino acids, feed allotment (kg), price.
    std::vector<std::array<double, 16>> diets;
    bool json = false;
};

struct LpArgs {
    std::string location;  // folder plus base name, e.g. examples/demo/Demo
    bool json = false;
    bool sensitivity = false;  // shadow prices and ranges, or why a diet is infeasible
};

struct CliRequest {
    enum class Kind { None, Grow, Lp, Growth, Calibrate, Optimise, Plot, Mix, Compare, Report, Demo, Market, New, Prices, Herd, Requirements, Genotypes, Precision } kind = Kind::None;
    GrowArgs grow;
    LpArgs lp;
    GrowthArgs growth;
    CalibrateArgs calibrate;
    OptimiseArgs optimise;
    PlotArgs plot;
    MixArgs mix;
    CompareArgs compare;
    ReportArgs report;
    DemoArgs demo;
    MarketArgs market;
    HerdArgs herd;
    NewArgs newLocation;
    PricesArgs prices;
    RequirementsArgs requirements;
    PrecisionArgs precision;
    bool genotypesJson = false;
};

// Parses argv. On --help prints usage and sets exitCode 0; on bad arguments
// prints a clear message to stderr and sets exitCode 2. Returns the request
// when there is something to run.
std::optional<CliRequest> ParseCommandLine(int argc, char** argv, int& exitCode);

// Parses one --diet value: 15 or 16 comma-separated numbers. Returns an error
// message, or an empty string on success.
std::string ParseDiet(const std::string& text, std::array<double, 16>& diet);

}  // namespace tarvisol::cli
