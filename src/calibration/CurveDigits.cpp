#include "calibration/CurveDigits.h"

#include <cmath>

#include "shared/Numbers.h"

namespace tarvisol {

std::string FormatCurveCoefficient(double value) { return FormatSignificant(value, kCurveDigits); }

double RoundCurveCoefficient(double value) {
    if (!std::isfinite(value)) return value;
    return Val(FormatCurveCoefficient(value));
}

CurvePoint RoundCurve(const CurvePoint& curve) {
    CurvePoint r{};
    for (std::size_t k = 0; k < r.size(); ++k) r[k] = RoundCurveCoefficient(curve[k]);
    return r;
}

}  // namespace tarvisol
