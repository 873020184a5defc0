#include "report/GrowthChartData.h"

#include <algorithm>
#include <cmath>

#include "report/RunModel.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

// The herd's daily deposition, and its limiting factors in stretches of days.
void DepositionOf(const RunSnapshot& run, GrowthChartData& c) {
    c.Protein.Name = "Protein deposition";
    c.Lipid.Name = "Lipid deposition";
    for (const ResponseDayFigures& d : run.ResponseDays) {
        const double age = d.Age;
        c.Protein.Points.push_back({age, d.ProteinDeposition});
        c.Lipid.Points.push_back({age, d.LipidDeposition});
        const double end = age + (d.Share > 0 && d.Share < 1 ? d.Share : 1.0);
        const std::string factor = LimitingFactorOf(d);
        if (!c.Limiting.empty() && c.Limiting.back().Factor == factor && c.Limiting.back().EndAge == age)
            c.Limiting.back().EndAge = end;
        else
            c.Limiting.push_back({factor, age, end});
    }
}

}  // namespace

GrowthChartData GrowthChartOf(const RunSnapshot& run) {
    GrowthChartData c;
    static const char* names[] = {"Mixed herd", "Males", "Females"};
    for (int k = 0; k < 3; ++k) {
        c.Weight[static_cast<std::size_t>(k)].Name = names[k];
        c.Gain[static_cast<std::size_t>(k)].Name = names[k];
        c.Feed[static_cast<std::size_t>(k)].Name = names[k];
    }
    static const char* units[] = {"kg", "lb", "g"};
    c.WeightUnit = units[WeightUnitValid(run.WeightUnit) ? run.WeightUnit : 0];
    if (run.Empty() || run.RunFailed || !(run.FinalAge > run.StartAge)) return c;
    c.Empty = false;
    const double wf = WeightFactor(run.WeightUnit);
    c.StartAge = run.StartAge;
    c.FinalAge = run.FinalAge;
    c.FinalWeight = run.FinalWeight / wf;

    // Whole days from the start up to the final age; the last, shortened day
    // ends at the final weight (the sexes take the next whole day's weights,
    // as the split of the herd does).
    const int first = std::clamp(run.StartAge, 0, 200);
    // The day tables end at 200; an age read from a file may be anything.
    const double finalAge = std::min(run.FinalAge, 200.0);
    const int lastWhole = std::clamp(static_cast<int>(std::floor(finalAge)), first, 200);
    const int next = std::clamp(static_cast<int>(std::ceil(finalAge)), first, 200);
    for (int slot = 0; slot < 3; ++slot) {
        auto& wl = c.Weight[static_cast<std::size_t>(slot)].Points;
        auto& gl = c.Gain[static_cast<std::size_t>(slot)].Points;
        auto& fl = c.Feed[static_cast<std::size_t>(slot)].Points;
        for (int d = first; d <= lastWhole; ++d) {
            if (d == lastWhole && static_cast<double>(d) == finalAge) break;
            wl.push_back({static_cast<double>(d), run.DayGrowth(slot, d) / wf});
            // Nothing is eaten before the first day: no line up from 0 at the start.
            if (d > first || run.DayFeed(slot, d) > 0) fl.push_back({static_cast<double>(d), run.DayFeed(slot, d) / wf});
            const int to = d + 1;
            const double w1 = to >= next ? (slot == 0 ? run.FinalWeight : run.DayGrowth(slot, next)) : run.DayGrowth(slot, to);
            // The herd ends at the final weight within the day; the sexes take
            // the next whole day's weight, so their gain is over the whole day.
            const double days = to >= next && slot == 0 ? finalAge - d : to >= next ? next - d : 1.0;
            if (days > 0) gl.push_back({static_cast<double>(d), (w1 - run.DayGrowth(slot, d)) / days / wf});
        }
        const double end = slot == 0 ? run.FinalWeight : run.DayGrowth(slot, next);
        wl.push_back({finalAge, end / wf});
    }

    // The documented engine's step to appetite (the nutrient-response pig
    // eats along its intake curve from the first day).
    const bool response = run.Model == "response";
    const double appetite = run.StartAge + kDaysBeforeAppetite + 1;
    const auto& gain = c.Gain[0].Points;
    for (std::size_t i = 1; i < gain.size() && !response; ++i)
        if (gain[i].X == appetite && gain[i - 1].X == appetite - 1) {
            c.AppetiteAge = appetite;
            c.GainBeforeAppetite = gain[i - 1].Y;
            c.GainAtAppetite = gain[i].Y;
        }

    double start = run.StartAge;
    for (const RunDiet& d : run.Diets) {
        if (!d.Reached) continue;
        const double end = d.EndAge > 0 ? std::min(d.EndAge, run.FinalAge) : run.FinalAge;
        if (end > start) c.Phases.push_back({d.Number, d.Name, start, end});
        start = std::max(start, end);
    }
    if (response) DepositionOf(run, c);
    for (const MeasuredPoint& p : run.MeasuredHerd)
        if (p.Age > 0 && p.Weight > 0) c.Measured.push_back({p.Age, p.Weight / wf});
    return c;
}

void ChartRange(const std::array<ChartLine, 3>& lines, const std::vector<XY>& extra, double& lo, double& hi) {
    bool any = false;
    lo = hi = 0;
    const auto take = [&](const XY& p) {
        if (!std::isfinite(p.Y)) return;
        lo = any ? std::min(lo, p.Y) : p.Y;
        hi = any ? std::max(hi, p.Y) : p.Y;
        any = true;
    };
    for (const ChartLine& l : lines)
        for (const XY& p : l.Points) take(p);
    for (const XY& p : extra) take(p);
}

}  // namespace tarvisol
