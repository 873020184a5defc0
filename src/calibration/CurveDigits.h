#pragma once
// A fitted growth-curve coefficient as the calibration keeps, shows and saves
// it: seven significant digits, in plain decimals. The curve in force is the
// rounded one, so the file, the curve grid and the runs hold one and the same
// number.
#include <string>

#include "calibration/SwineCalib.h"

namespace tarvisol {

inline constexpr int kCurveDigits = 7;

// e.g. 1.455342658 -> "1.455343", 0.00225320001 -> "0.002253200".
std::string FormatCurveCoefficient(double value);

// The value FormatCurveCoefficient's text reads back as.
double RoundCurveCoefficient(double value);
CurvePoint RoundCurve(const CurvePoint& curve);

}  // namespace tarvisol
