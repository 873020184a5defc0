#pragma once
// A finished run's figures as JSON under the keys of `growth --json`: the
// inputs ({start_weight, start_age, final_weight, sex, pigs, formulation,
// curve, diets: [{diet, name, price, energy, protein, lysine, allotment}],
// weight_unit}) and the results ({diets, males, females, cost_per_pig, ...}),
// and the difference of one run's JSON to another's.
#include <nlohmann/json.hpp>

#include "report/RunFigures.h"

namespace tarvisol::cli {

nlohmann::json RunInputsJson(const RunFigures& f);
nlohmann::json RunResultsJson(const RunFigures& f);

// Mirrors `value` where both hold numbers: {"abs", "percent" (null when the
// base is 0), "verdict" ("better", "worse", "same", or null for a figure that
// is not judged)}. Texts and values missing from either side are left out.
// results: judge the figures (the inputs are not judged).
nlohmann::json DifferenceJson(const nlohmann::json& value, const nlohmann::json& base, bool results);

}  // namespace tarvisol::cli
