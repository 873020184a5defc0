#include "growth/SexSplit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "growth/PigGrowth.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {

void SplitWeight(double w, double& male, double& female) {
    male = 0.888330684 * std::pow(0.999681931, w) * std::pow(w, 1.036525935);
    female = 2 * w - male;
    if (female > male) male = female = w;
}

int SplitDay(double age, bool lastRow, bool reachedFinalWeight, double finalAge) {
    // An age with a fraction (the shortened last day) uses the next whole
    // day. The grid shows the final age to one decimal, so the last row
    // takes its day from the run's own final age.
    int d = static_cast<int>(std::ceil(age));
    if (lastRow && reachedFinalWeight && finalAge > 0 && std::fabs(age - finalAge) < 0.05 + 1e-9)
        d = static_cast<int>(finalAge) + 1;
    return std::clamp(d, 0, 200);
}

int SplitDayOfRow(const SharedState& s, const Grid& g, int row) {
    const auto age = [&](int r) {
        return r < g.Rows() && g.Cols() > 5 ? NumVal(std::string_view(g.TextMatrix(r, 5))) : 0.0;
    };
    return SplitDay(age(row), !(age(row + 1) > 0), s.ReachedFinalWeight, s.FinalAge);
}

void SplitSexes(SharedState& s) {
    double s0 = 0, s1 = 0, s2 = 0;
    if (s.Main) {
        const Grid& g = s.Main->Grid1;
        for (int row = 1; row < g.Rows() && g.Cols() > 5; ++row) {
            const double age = NumVal(std::string_view(g.TextMatrix(row, 5)));
            if (!(age > 0)) break;
            const int d = SplitDayOfRow(s, g, row);
            // The last row of a run that reached the final weight is the
            // final age: the herd weighs the final weight there, not what
            // it weighs at the next whole day.
            const bool finalRow = s.ReachedFinalWeight && s.FinalWeight > 0 &&
                                  !(row + 1 < g.Rows() && NumVal(std::string_view(g.TextMatrix(row + 1, 5))) > 0);
            const double w = finalRow ? s.FinalWeight : s.DayGrowth(0, d);
            double m = 0, f = 0;
            SplitWeight(w, m, f);
            s.DayGrowth(1, d) = m;
            s.DayGrowth(2, d) = f;
            const double qm = IntakeCapacity(m), qf = FemaleIntakeCapacity(f);
            s.EnergyCap(1, d) = qm;
            s.EnergyCap(2, d) = qf;
            s.DayFeed(1, d) = s.DayFeed(0, d) * qm / qf;
            s.DayFeed(2, d) = 2 * s.DayFeed(0, d) - s.DayFeed(1, d);
            s0 += s.DayFeed(0, d);
            s1 += s.DayFeed(1, d);
            s2 += s.DayFeed(2, d);
        }
    }
    // Without any feed counted there is nothing to split by. The total split
    // is the programme's feed (the feed of its diets); when the run has none
    // recorded, the run's own total. Either way the sexes always get their
    // shares, so the summary never shows an earlier run's figures.
    if (!(s0 > 0)) {
        s.CumFeed(1) = 0;
        s.CumFeed(2) = 0;
        return;
    }
    const double programme = s.DietResults(s.DietCount, 3);
    const double total = programme > 0 ? programme : s.CumFeed(0);
    s.CumFeed(0) = total;
    s.CumFeed(1) = total * s1 / s0;
    s.CumFeed(2) = total * s2 / s0;
}

}  // namespace tarvisol
