#pragma once
// The daily growth window: live weight and feed of the mixed herd, the males
// and the females for every day of the last Growth run, with a water estimate.
#include <string>

#include "shared/Controls.h"
#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kDailyGrowthCaption = "Tarvisol Estimated Daily Growth, Feed and Water Intake";

struct DailyGrowthWindow {
    std::string Caption = kDailyGrowthCaption;
    Grid GridDaily{"GridDaily", 2, 9};
    bool Visible = false;
};

// Fills the window from a finished Growth run: its day table as the results
// grid showed it and its day tables by sex. The rows follow the run's
// starting age and final age. The window keeps showing that run whatever
// runs after it.
void LoadDailyGrowth(const RunSnapshot& run, DailyGrowthWindow& w);

// "Finishing Report".
void FinishingReport(SharedState& s);

}  // namespace tarvisol
