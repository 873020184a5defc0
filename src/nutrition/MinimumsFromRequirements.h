#pragma once
// "Set minimums from requirements": each diet's amino-acid, STTD phosphorus
// and calcium minimums become what the pig needed where that diet started in
// a run, times a margin. The working limits change; the restriction file
// only when the user saves it.
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Margins below and above these are refused as typing slips.
inline constexpr double kLowestMargin = 50, kHighestMargin = 200;

struct MinimumChange {
    int Diet = 0;
    int Nutrient = 0;  // the restriction tables' k (diet column)
    std::string Name;
    double Before = 0, After = 0;
};

struct MinimumsResult {
    std::vector<MinimumChange> Changes;
    // One sentence each: diets the run never fed, minimums left because
    // they would pass the diet's maximum.
    std::vector<std::string> Skipped;
};

// The minimum each compared nutrient of diet d takes: the requirement (percent
// of the feed) on the first day diet d was in force, times marginPercent /
// 100, rounded to 3 decimals as the restrictions editor shows limits.
// Diets 1..min(DietCount of the run, 8) the run fed; nutrients the matrix
// has a column for. Nothing changes for a run without requirements.
MinimumsResult SetMinimumsFromRequirements(SharedState& s, const RunSnapshot& run, double marginPercent);

}  // namespace tarvisol
