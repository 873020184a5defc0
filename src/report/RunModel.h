#pragma once
// Which growth model grew a finished run, and for the nutrient response which
// genotype, as the results, the report, the workbook and the comparison name
// it; and where the run's carcass figures come from.
#include <string>

#include "shared/RunSnapshot.h"

namespace tarvisol {

// True when the run grew the nutrient-response pig.
bool RanResponseModel(const RunSnapshot& run);

// "Documented curve" or "Nutrient response".
std::string ModelNameOf(const RunSnapshot& run);

// "Growth model: documented curve", or "Growth model: nutrient response;
// genotype: NRC 2012 reference pig".
std::string ModelLineOf(const RunSnapshot& run);

// Empty for the documented curve, whose carcass equations take the live
// weight and sex; for the nutrient response, which carcass figures come from
// the pig's own body protein and lipid, and by which equations.
std::string CarcassBasisOf(const RunSnapshot& run);

// What held a nutrient-response day's protein deposition: "lysine",
// "energy", "potential"; for a mixed herd whose sexes are held apart,
// "males: lysine, females: energy".
std::string LimitingFactorOf(const ResponseDayFigures& day);

}  // namespace tarvisol
