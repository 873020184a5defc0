#pragma once
// "Set minimums from requirements": each diet's amino-acid, STTD phosphorus
// and calcium minimums become what the pig needed on the days that diet was
// fed in a run, times a margin: by default the highest requirement of those
// days, so the diet covers the pig on every one of them; or the requirement
// that a chosen share of the days stays at or below. The working limits
// change; the restriction file only when the user saves it.
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Margins below and above these are refused as typing slips.
inline constexpr double kLowestMargin = 50, kHighestMargin = 200;
// The share of a diet's days its minimums cover, percent.
inline constexpr double kLeastDaysCovered = 50, kAllDaysCovered = 100;

struct MinimumChange {
    int Diet = 0;
    int Nutrient = 0;  // the restriction tables' k (diet column)
    std::string Name;
    double Before = 0, After = 0;
};

struct MinimumsResult {
    std::vector<MinimumChange> Changes;
    // One sentence each: diets the run never fed, minimums left because
    // they would pass the diet's maximum, a lysine minimum raised to the
    // lowest the growth run takes.
    std::vector<std::string> Skipped;
    // The rule the minimums follow, as one sentence ("Each diet's minimum is
    // the highest requirement of the days it was fed, times 100 %.").
    std::string Rule;
};

// The rule as SetMinimumsFromRequirements states it in MinimumsResult::Rule.
std::string MinimumsRule(double marginPercent, double daysCoveredPercent);

// The minimum each compared nutrient of diet d takes: of the requirements
// (percent of the feed) on the days diet d was in force, the one that
// daysCoveredPercent of those days stay at or below (100: the highest), times
// marginPercent / 100, rounded up to 3 decimals as the restrictions editor
// shows limits (so the minimum still covers it). Diets 1..min(DietCount of
// the run, 8) the run fed; nutrients the matrix has a column for. Nothing
// changes for a run without requirements.
MinimumsResult SetMinimumsFromRequirements(SharedState& s, const RunSnapshot& run, double marginPercent,
                                           double daysCoveredPercent = kAllDaysCovered);

}  // namespace tarvisol
