#include "calibration/BeyondTheCurve.h"

namespace tarvisol {

bool HerdBeyondDocumentedCurve(const SearchOutcome& o) { return !o.cancelled && o.NoneClean(); }

std::string BeyondDocumentedCurveText(const SearchOutcome& o, const std::string& howToFit) {
    return "This herd lies outside what the documented growth curve can represent: the fit and all " +
           std::to_string(o.tried.size()) +
           " starts of the wider search end with a warning, so no curve both passes the weighings and grows a "
           "believable pig. Fit the nutrient-response model's genotype to the same herd instead: " +
           howToFit + ".";
}

}  // namespace tarvisol
