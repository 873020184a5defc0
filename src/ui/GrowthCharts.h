#pragma once
// The "Growth Charts" window as a form: for a finished run, live weight, daily
// gain and daily feed against age for the mixed herd, the males and the
// females, each diet's phase shaded and named along the age axis, the final
// weight and age marked, and the measured herd's weights when it has one.
// The Qt window draws GrowthChartData; the picture goes to the clipboard or a
// PNG file.
#include <string>

#include "report/GrowthChartData.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kGrowthChartsCaption = "Growth Charts";
inline constexpr const char* kNoRunToChart = "No finished run to chart: run Growth first";

struct GrowthChartsWindow {
    std::string Caption = kGrowthChartsCaption;
    bool Visible = false;
    GrowthChartData Data;
    Label LabelTitle{""};
    Label LabelFinal{""};
    // Why the daily gain steps a few days after the start.
    Label LabelGainNote{""};
    Button CommandCopy{"Copy Image"};
    Button CommandSave{"Save PNG..."};
};

// Opens the window on the run; it keeps showing that run.
void LoadGrowthCharts(const RunSnapshot& run, GrowthChartsWindow& w);

// "Save PNG...": the file to write, asked from the user ("" when cancelled),
// with ".png" added when the name has no ending.
std::string ChooseChartFile(SharedState& s);

// What the step of the daily gain on the first day of eating to appetite is
// ("" when the run ends before it).
std::string AppetiteNoteText(const GrowthChartData& c);

// The title of the final mark: "Final 120.4 kg at 165.3 days".
std::string FinalMarkText(const GrowthChartData& c);

}  // namespace tarvisol
