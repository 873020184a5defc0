#include "growth/Carcass.h"

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

void CarcassOutputs(SharedState& s) {
    // The threshold is this run's weight at 125 days. A run that ends before
    // that day never passes it; a run that starts after it lies above it on
    // every day it grew (each of its weights is above the weight at 125 days,
    // which it never computed).
    const bool passes = s.StartAge <= kThresholdAge && s.RunLastDay >= kThresholdAge;
    const bool startsAfter = s.StartAge > kThresholdAge;
    const double threshold = passes        ? s.DayGrowth(0, kThresholdAge)
                             : startsAfter ? -std::numeric_limits<double>::infinity()
                                           : std::numeric_limits<double>::infinity();
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
            const CarcassTraits m = MaleCarcass(x, inches), f = FemaleCarcass(x, inches);
            const auto put = [&](int trait, double male, double female, int col) {
                const double mean = (male + female) / 2;
                s.CarcassTable(0, trait) = mean;
                s.CarcassTable(1, trait) = male;
                s.CarcassTable(2, trait) = female;
                // Back fat is in mm; the pound system's column is captioned in inches.
                const double shown = col == kColBackFat && inches ? mean / 25.4 : mean;
                if (col > 0) g.SetTextMatrix(row, col, FormatAuto(shown));
            };
            put(1, m.backFat, f.backFat, kColBackFat);
            put(2, m.loinArea, f.loinArea, kColArea);
            put(5, m.loinDepth, f.loinDepth, 0);
            put(3, m.lean, f.lean, kColLean);
            put(4, m.yield, f.yield, kColYield);
        }
    }
    if (!any) s.CarcassTable.Fill(0);
}

}  // namespace tarvisol
