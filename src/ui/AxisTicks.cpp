#include "ui/AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace tarvisol {

AxisTicks RoundTicks(double lo, double hi, int wanted) {
    AxisTicks t;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return t;
    if (hi < lo) std::swap(lo, hi);
    const double span = hi - lo > 0 ? hi - lo : std::max(std::fabs(hi), 1.0);
    const double raw = span / std::max(wanted, 1);
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * decade;
        if (step >= raw) break;
    }
    t.Step = step;
    t.First = std::ceil(lo / step - 1e-9) * step;
    if (t.First == 0) t.First = 0;  // never "-0"
    t.Decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    return t;
}

}  // namespace tarvisol
