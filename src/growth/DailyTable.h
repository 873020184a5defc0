#pragma once
// The daily growth window: live weight and feed of the mixed herd, the males
// and the females for every day of the last Growth run, with a water estimate.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kDailyGrowthCaption = "Tarvisol Estimated Daily Growth, Feed and Water Intake";

struct DailyGrowthWindow {
    std::string Caption = kDailyGrowthCaption;
    Grid GridDaily{"GridDaily", 2, 9};
    bool Visible = false;
};

// Fills the window from the main results grid and the day tables. The rows
// follow the typed starting age and the final age the Growth run wrote back.
void LoadDailyGrowth(SharedState& s, DailyGrowthWindow& w);

// "Finishing Report".
void FinishingReport(SharedState& s);

}  // namespace tarvisol
