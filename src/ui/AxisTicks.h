#pragma once
// Chart axes ticked on round numbers: every 1, 2 or 5 x 10^k units, from the
// first such number inside the range, with the decimals the step needs, so no
// two ticks read alike (20, 40, 60 ...; not 20, 47, 74, 101).

namespace tarvisol {

struct AxisTicks {
    double First = 0;  // the first tick at or above the range's start
    double Step = 1;
    int Decimals = 0;  // in each tick's label
};

// Ticks for lo..hi, about `wanted` of them (never fewer than half as many).
AxisTicks RoundTicks(double lo, double hi, int wanted = 6);

}  // namespace tarvisol
