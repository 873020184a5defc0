#include "nutrition/GrownDays.h"

#include <algorithm>

namespace tarvisol {

namespace {

// A nutrient-response run keeps its days as it grew them: the feed eaten,
// the protein deposited and the diet in force by the feed counted against
// the allotments.
std::vector<RequirementDay> ResponseGrownDays(const SharedState& s) {
    std::vector<RequirementDay> days;
    days.reserve(s.Response.Days.size());
    for (const ResponseDayFigures& f : s.Response.Days) {
        RequirementDay day;
        day.Age = f.Age;
        day.Weight = f.Weight;
        day.Feed = f.FeedEaten;
        day.ProteinDeposition = std::max(0.0, f.ProteinDeposition);
        day.Share = f.Share;
        day.Diet = f.Diet;
        day.DietShare = std::clamp(f.DietShare, 0.0, 1.0);
        day.NextDiet = f.NextDiet;
        day.FeedShare = f.FeedShare;
        days.push_back(day);
    }
    return days;
}

}  // namespace

std::vector<RequirementDay> GrownDays(const SharedState& s) {
    std::vector<RequirementDay> days;
    if (s.RunFailed || s.DietCount < 1) return days;
    if (s.Response.Used) return ResponseGrownDays(s);
    const int n = std::min<int>(s.DietCount, 8);
    const int first = s.StartAge;
    // The run's last start-of-day weight; the days before it were grown.
    const int end = std::min<int>(s.RunLastDay, 199);
    if (first < 1 || end <= first) return days;
    days.reserve(static_cast<std::size_t>(end - first));
    int diet = 1;
    double eaten = 0;  // cumulative feed before the day, as the engine counts it
    for (int d = first; d < end; ++d) {
        RequirementDay day;
        day.Age = d;
        day.Weight = s.DayGrowth(0, d);
        day.Feed = s.DayFeed(0, d + 1);
        // The engine's changeover test: yesterday's feed on top of what was
        // eaten would cross the end of the diet's allotment.
        double budgetEnd = 0;
        for (int i = 1; i <= diet; ++i) budgetEnd += s.DietFeedAmount(i);
        const double yesterday = s.DayFeed(0, d);
        day.Diet = diet;
        if (yesterday > 0 && yesterday + eaten > budgetEnd && diet < n) {
            day.DietShare = std::clamp((budgetEnd - eaten) / yesterday, 0.0, 1.0);
            day.NextDiet = diet + 1;
        }
        if (day.Feed > 0) {
            const double fatGain = s.BodyFat(0, d + 1) - s.BodyFat(0, d);
            const double leanGain = s.DayGrowth(0, d + 1) - day.Weight - fatGain;
            day.ProteinDeposition = std::max(0.0, 0.22 * leanGain * 1000.0);
        }
        // The feed counts against the allotment until it is used up.
        if (day.NextDiet && day.Feed > 0) day.FeedShare = std::clamp((budgetEnd - eaten) / day.Feed, 0.0, 1.0);
        eaten += std::max(0.0, day.Feed);
        if (eaten >= budgetEnd) diet = std::min(diet + 1, n);
        days.push_back(day);
    }
    // The final day counts for the part the run needed.
    if (s.ReachedFinalWeight && !days.empty()) {
        const double part = s.FinalAge - days.back().Age;
        days.back().Share = std::clamp(part, 0.0, 1.0);
    }
    return days;
}

}  // namespace tarvisol
