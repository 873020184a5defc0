#pragma once
// tarvisol-cli lp --sensitivity: per formulated diet its shadow prices and
// ranges, per infeasible diet the limits to change, as JSON and as text.
#include <iosfwd>

#include <nlohmann/json.hpp>

#include "shared/SharedState.h"

namespace tarvisol::cli {

// Adds to `diet` (one entry of the lp command's "diets"):
// - a feasible diet: "sensitivity": {"nutrients": [{"nutrient", "name", "bound",
//   "limit", "content", "binding", "shadow_price", "limit_low", "limit_high"}],
//   "ingredients": [{"ingredient", "name", "price", "inclusion", "at_limit",
//   "reduced_cost", "price_low", "price_high"}]}, null for an unbounded end; or,
//   when it cannot be read, "sensitivity": null and "sensitivity_problem";
// - an infeasible diet: "diagnosis": {"relaxations": [{"kind", "nutrient" or
//   "ingredient", "name", "bound", "limit", "needed"}], "total_relative_violation"},
//   with "reason" when there is nothing to relax.
// Names are UTF-8. Returns false when a figure asked for could not be given.
bool AddSensitivity(const SharedState& s, int d, nlohmann::ordered_json& diet);

// The same as readable tables, under the diet's own lines.
void PrintSensitivity(const nlohmann::ordered_json& diet, std::ostream& out);

}  // namespace tarvisol::cli
