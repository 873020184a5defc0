#include "report/RunModel.h"

#include "response/ResponsivePig.h"

namespace tarvisol {

bool RanResponseModel(const RunSnapshot& run) { return run.Model == "response"; }

std::string ModelNameOf(const RunSnapshot& run) {
    return RanResponseModel(run) ? "Nutrient response" : "Documented curve";
}

std::string ModelLineOf(const RunSnapshot& run) {
    if (!RanResponseModel(run)) return "Growth model: documented curve";
    return "Growth model: nutrient response; genotype: " + (run.Genotype.empty() ? std::string("not named") : run.Genotype);
}

std::string CarcassBasisOf(const RunSnapshot& run) {
    if (!RanResponseModel(run)) return {};
    // The equations of response/CarcassFromBody.cpp.
    return "Carcass from the pig's body composition: lean % from body protein (fat-free lean 2.55 x protein, "
           "NRC 1998), yield from the empty body (Quiniou and Noblet 2012), back fat from the lean the carcass "
           "carries (NPPC 1991); longissimus area from the live weight, as the documented carcass gives it.";
}

std::string LimitingFactorOf(const ResponseDayFigures& day) {
    const std::string males = response::LimitingName(day.LimitingMales);
    const std::string females = response::LimitingName(day.LimitingFemales);
    if (males == females || females.empty()) return males;
    if (males.empty()) return females;
    return "males: " + males + ", females: " + females;
}

}  // namespace tarvisol
