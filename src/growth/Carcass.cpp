#include "growth/Carcass.h"

#include <algorithm>
#include <limits>
#include <string>

#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {
constexpr int kThresholdAge = 125;
constexpr int kColWeight = 6, kColBackFat = 10, kColArea = 11, kColLean = 12, kColYield = 13;
}  // namespace

CarcassTraits MaleCarcass(double x, bool inches) {
    CarcassTraits t{};
    t.backFat = 0.1809 * x + 2.0;
    t.loinArea = 0.1949 * x + 21.2;
    t.loinDepth = 0.01066 * x + 4.07;
    t.lean = 72.0 - 0.1083 * x;
    t.yield = 60.8 + 0.0508 * x;
    if (inches) {
        t.loinArea *= 0.155;
        t.loinDepth *= 0.3937;
    }
    return t;
}

CarcassTraits FemaleCarcass(double x, bool inches) {
    CarcassTraits t{};
    t.backFat = 0.2022 * x - 4.5;
    t.loinArea = 0.6951 * x - 13.34 - 0.00169 * x * x;
    t.loinDepth = 0.06789 * x + 0.004;
    t.lean = 76.3 - 0.1265 * x;
    t.yield = 62.0 + 0.0419 * x;
    if (inches) {
        t.loinArea *= 0.155;
        t.loinDepth *= 0.3937;
    }
    return t;
}

namespace {

// Traits of the mixed herd, the males and the females at live weight x (kg) into CarcassTable.
void KeepTraits(SharedState& s, double x, bool inches) {
    const CarcassTraits m = MaleCarcass(x, inches), f = FemaleCarcass(x, inches);
    const auto keep = [&](int trait, double male, double female) {
        s.CarcassTable(0, trait) = (male + female) / 2;
        s.CarcassTable(1, trait) = male;
        s.CarcassTable(2, trait) = female;
    };
    keep(1, m.backFat, f.backFat);
    keep(2, m.loinArea, f.loinArea);
    keep(5, m.loinDepth, f.loinDepth);
    keep(3, m.lean, f.lean);
    keep(4, m.yield, f.yield);
}

// The threshold is this run's weight at 125 days. A run that ends before
// that day never passes it; a run that starts after it lies above it on
// every day it grew (each of its weights is above the weight at 125 days,
// which it never computed).
double ThresholdWeight(const SharedState& s) {
    const bool passes = s.StartAge <= kThresholdAge && s.RunLastDay >= kThresholdAge;
    const bool startsAfter = s.StartAge > kThresholdAge;
    return passes        ? s.DayGrowth(0, kThresholdAge)
           : startsAfter ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
}

}  // namespace

void CarcassOutputs(SharedState& s) {
    const bool startsAfter = s.StartAge > kThresholdAge;
    const double threshold = ThresholdWeight(s);
    const bool inches = s.WeightUnit() == 1;
    bool any = false;
    if (s.Main) {
        Grid& g = s.Main->Grid1;
        if (g.Cols() <= kColYield) g.SetCols(kColYield + 1);
        for (int row = 1; row < g.Rows(); ++row) {
            const double shown = NumVal(std::string_view(g.TextMatrix(row, kColWeight)));
            if (!(shown > 0)) break;
            // Row 1 is the starting day, before any growth, and holds the
            // second line of the columns' headers.
            if (row == 1 && startsAfter) continue;
            const double x = ConvertWeight(s, 1, shown);
            if (!(x > threshold)) continue;
            any = true;
            KeepTraits(s, x, inches);
            const auto put = [&](int trait, int col) {
                const double mean = s.CarcassTable(0, trait);
                // Back fat is in mm; the pound system's column is captioned in inches.
                g.SetTextMatrix(row, col, FormatAuto(col == kColBackFat && inches ? mean / 25.4 : mean));
            };
            put(1, kColBackFat);
            put(2, kColArea);
            put(3, kColLean);
            put(4, kColYield);
        }
    }
    if (!any) s.CarcassTable.Fill(0);
}

void RunCarcass(SharedState& s) {
    const bool startsAfter = s.StartAge > kThresholdAge;
    const double threshold = ThresholdWeight(s);
    const bool inches = s.WeightUnit() == 1;
    // The weights the daily grid shows, row by row: the days from the start
    // to the day before the last, then the last day when the pig reached the
    // final weight (the final weight itself, or the starting weight when the
    // pig started at or above it).
    const int start = s.StartAge, end = s.RunLastDay;
    const bool finished = s.DayGrowth(0, end) >= s.FinalWeight;
    const int rows = std::max(0, end - start) + (finished ? 1 : 0);
    const auto weightOf = [&](int row) {
        if (finished && row == rows) return end <= start ? s.DayGrowth(0, end) : s.FinalWeight;
        return s.DayGrowth(0, start + row - 1);
    };
    const auto shownOf = [&](int row) {
        const double w = ConvertWeight(s, 2, weightOf(row));
        return NumVal(std::string_view(FormatPattern(w, finished && row == rows ? "####.0" : "###.#")));
    };
    // Read as the grid is read: up to the first row without a weight above 0,
    // the last row heavier than the threshold giving the traits.
    int upTo = rows;
    bool allShown = true;
    for (int row = 1; row <= rows && allShown; ++row) allShown = ConvertWeight(s, 2, weightOf(row)) >= 0.1;
    if (!allShown) {
        upTo = 0;
        while (upTo < rows && shownOf(upTo + 1) > 0) ++upTo;
    }
    for (int row = upTo; row >= 1; --row) {
        if (row == 1 && startsAfter) continue;
        const double x = ConvertWeight(s, 1, shownOf(row));
        if (!(x > threshold)) continue;
        KeepTraits(s, x, inches);
        return;
    }
    s.CarcassTable.Fill(0);
}

}  // namespace tarvisol
