#pragma once
// The "Precision Feeding" window: the herd (pigs, seed), the pig the group
// blend is made for (the herd's mean requirement or a percentile), feeds A
// and B (formulated, or two of the location's diets), the table of the three
// ways of feeding with each blend's difference from the phase programme,
// and two charts: the daily share of feed A, and SID lysine supplied
// against required for the group and the lightest and heaviest tenth.
#include <optional>
#include <string>
#include <vector>

#include "precision/PrecisionLocation.h"
#include "precision/PrecisionRun.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr const char* kPrecisionCaption = "Precision Feeding";
inline constexpr const char* kPrecisionNoLocation = "Open a location before comparing ways of feeding";
inline constexpr const char* kPrecisionCancelled = "Precision Feeding cancelled";
inline constexpr int kPrecisionColumns = 6;  // figure, three ways, two differences

struct PrecisionWindow {
    std::string Caption = kPrecisionCaption;
    bool Visible = false;

    TextBox Pigs, Seed;
    TextBox Percentile;  // blank: the herd's mean requirement
    TextBox DietA, DietB;  // blank: formulate the feeds
    Label PigsLabel{}, SeedLabel{}, PercentileLabel{}, DietsLabel{};
    Button CommandCompare{"Compare", "Grow the herd three ways: the phase programme, the group's daily blend and "
                                     "each pig's own daily blend"};
    Grid GridResults{"GridPrecision", 2, kPrecisionColumns};
    Label LabelFeeds;  // the two feeds
    Label LabelNotes;  // what the comparison rests on, or why there is none

    // What the window last showed, and for which location.
    std::string Location;
    std::optional<precision::PrecisionLocation> Where;
    std::optional<precision::PrecisionResult> Result;
};

// Opening: the location's herd settings (pigs, seed), the percentile and the
// diets blank, the table empty when the location is not the one last shown.
void ShowPrecisionWindow(SharedState& s, PrecisionWindow& f);

// "Compare": reads the boxes (a box it cannot use gives a message and nothing
// runs), grows the herd the three ways and fills the table.
void ComparePrecisionClick(SharedState& s, PrecisionWindow& f, Progress* progress = nullptr, int threads = 0);

// One line of a chart: x is the age in days.
struct PrecisionLine {
    std::string Name;
    std::vector<double> X, Y;
    bool Dashed = false;
};
struct PrecisionChart {
    std::string Title, XAxis, YAxis;
    std::vector<PrecisionLine> Lines;  // empty before a comparison
};
// The share of feed A day by day: the group blend, and the mean of precision
// feeding's own shares for the herd and its lightest and heaviest tenth at
// the start; each line on the days at least a twentieth of its pigs are on feed.
PrecisionChart BlendShareChartOf(const PrecisionWindow& f);
// SID lysine, % of the feed: required by the group and its lightest and
// heaviest tenth at the start ("light", "heavy"; fed precisely), against what
// the phase programme, the group blend and precision feeding supplied the group.
PrecisionChart SupplyChartOf(const PrecisionWindow& f);

}  // namespace tarvisol
