#pragma once
// tarvisol-cli calibrate on the nutrient-response model: the location's
// genotype fitted to its measured herd on its own diets, the fit's
// diagnostics beside those of the genotype in force, and with --save the
// fitted genotype kept in the location's genotype file.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "cli/CalibrateCommand.h"

namespace tarvisol::cli {

// Whether calibrate fits the genotype: --model response or --genotype, or
// the location runs the nutrient-response model and --model documented was
// not given.
bool CalibratesGenotype(const CalibrateArgs& args);

// The report as one JSON object: location, messages, outcome ("calibrated",
// "refused", "failed"), model "response", in_force and fitted (genotype,
// error, diagnostics with every weighing's and period's miss, warnings),
// evaluations, saved, save_failed.
nlohmann::json RunGenotypeCalibration(const CalibrateArgs& args, std::ostream* messages);

void PrintGenotypeCalibration(const nlohmann::json& report, std::ostream& out);

}  // namespace tarvisol::cli
