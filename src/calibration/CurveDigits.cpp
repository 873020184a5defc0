#include "calibration/CurveDigits.h"

#include <cmath>
#include <cstdio>

#include "shared/Numbers.h"

namespace tarvisol {

std::string FormatCurveCoefficient(double value) {
    if (!std::isfinite(value)) return FormatExact(value);
    if (value == 0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int decimals = kCurveDigits - 1 - magnitude;
    if (decimals < 0) decimals = 0;
    if (decimals > 20) decimals = 20;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    // Rounding can carry into a new digit (9.9999999 -> 10.000000): one
    // decimal fewer keeps seven significant digits.
    const double back = Val(buf);
    if (decimals > 0 && std::fabs(back) >= std::pow(10.0, magnitude + 1)) std::snprintf(buf, sizeof buf, "%.*f", decimals - 1, value);
    return buf;
}

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
