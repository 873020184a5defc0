#include "growth/DailyTable.h"

#include <algorithm>
#include <cmath>

#include "growth/SexSplit.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {

void LoadDailyGrowth(const RunSnapshot& run, DailyGrowthWindow& w) {
    Grid& g = w.GridDaily;
    g.Clear();
    w.Visible = true;
    const double finalAge = run.FinalAge;
    const double startAge = run.StartAge;
    // One row per day of the run, a header row and a total row; a run that
    // has not been made yet (no final age) shows the headers only.
    const int days = finalAge > startAge ? static_cast<int>(std::ceil(finalAge - startAge)) + 1 : 0;
    const int rows = std::clamp(days, 0, static_cast<int>(run.Days.size())) + 2;
    g.SetRows(rows);
    g.SetCols(9);
    g.FixedCols = 0;
    for (int c = 0; c < 9; ++c) g.SetColWidth(c, 1250);
    static const char* heads[] = {"Age, Days",      "Mixed WT.",       "Male WT.",        "Female WT.",      "Mixed Feed In.",
                                  "Male Feed In.",  "Female Feed In.", "Lower Water In.", "Higher Water In."};
    for (int c = 0; c < 9; ++c) g.SetTextMatrix(0, c, heads[c]);
    // Row r, column c (5 age, 6 weight, 7 daily feed, 8 cumulative feed) of the results grid as the run showed it.
    const auto cell = [&](int r, int c) {
        if (r < 1 || r > static_cast<int>(run.Days.size())) return std::string();
        const RunDayRow& day = run.Days[static_cast<std::size_t>(r - 1)];
        return c == 5 ? day.Age : c == 6 ? day.Weight : c == 7 ? day.DailyFeed : c == 8 ? day.TotalFeed : std::string();
    };
    const auto shown = [&](double kg) { return kg / WeightFactor(run.WeightUnit); };
    double mixedFeed = 0;
    int last = 0;
    for (int r = 1; r <= rows - 2; ++r) {
        const std::string age = cell(r, 5);
        if (!(Val(age) > 0)) break;
        // The day whose male and female figures the split wrote for this row.
        const int d = SplitDay(Val(age), !(Val(cell(r + 1, 5)) > 0), run.ReachedFinalWeight, run.FinalAge);
        g.SetTextMatrix(r, 0, age);
        g.SetTextMatrix(r, 1, cell(r, 6));
        g.SetTextMatrix(r, 2, FormatPattern(shown(run.DayGrowth(1, d)), "###.0"));
        g.SetTextMatrix(r, 3, FormatPattern(shown(run.DayGrowth(2, d)), "###.0"));
        g.SetTextMatrix(r, 4, cell(r, 7));
        g.SetTextMatrix(r, 5, FormatPattern(shown(run.DayFeed(1, d)), "###.0"));
        g.SetTextMatrix(r, 6, FormatPattern(shown(run.DayFeed(2, d)), "###.0"));
        const double cum = Val(cell(r, 8));
        g.SetTextMatrix(r, 7, FormatPattern(2.5 * cum, "###.0"));
        g.SetTextMatrix(r, 8, FormatPattern(3.5 * cum, "###.0"));
        mixedFeed += Val(cell(r, 7));
        last = r;
    }
    // The totals sit in the row below the last day: the mixed herd's feed and
    // the water over the whole run, the last day's cumulative values (the
    // run's total feed, which counts the final part-day as the run did).
    const int total = last + 1;
    if (total < g.Rows()) {
        g.SetTextMatrix(total, 0, "Total");
        g.SetTextMatrix(total, 4, FormatPattern(last > 0 && !cell(last, 8).empty() ? Val(cell(last, 8)) : mixedFeed, "###.0"));
        if (last > 0) {
            g.SetTextMatrix(total, 7, g.TextMatrix(last, 7));
            g.SetTextMatrix(total, 8, g.TextMatrix(last, 8));
        }
    }
}

void FinishingReport(SharedState& s) { DialogsOf(s).Message("Report Not ready, Suggestions welcome"); }

}  // namespace tarvisol
