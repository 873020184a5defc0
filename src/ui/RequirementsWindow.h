#pragma once
// The "Requirements" window: for a nutrient chosen from the list, what the
// pig needed day by day against what its diets supplied (% of the feed), the
// diet phases shaded; under it the table per phase and the nitrogen and
// phosphorus balance. It shows the run it was opened on (the last Growth
// run), whatever the main window does afterwards.
#include <string>
#include <vector>

#include "formulation/RestrictionsEditor.h"
#include "shared/Controls.h"
#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kRequirementsCaption = "Requirements";
inline constexpr const char* kRequirementsNoRun = "Run Growth first: there are no requirements to show";
inline constexpr int kRequirementsPhaseColumns = 9;

// A phase's supply against its requirement: short of it (below 95 %), well
// above it (over 115 %), or about it.
inline constexpr Color kShortShade = Rgb(246, 200, 200);
inline constexpr Color kOverShade = Rgb(250, 230, 180);
inline constexpr Color kMetShade = Rgb(200, 240, 200);
// An excretion above the EU BAT range.
inline constexpr Color kAboveRangeShade = Rgb(246, 200, 200);

struct RequirementsWindow {
    std::string Caption = kRequirementsCaption;
    bool Visible = false;
    ComboBox ComboNutrient;  // the compared nutrients, by the matrix's names
    Grid GridPhases{"GridPhases", 2, kRequirementsPhaseColumns};
    Grid GridBalance{"GridBalance", 3, 7};
    Label LabelNotes;
    RunSnapshot Run;  // the run shown
};

// Opening the window on the record's last Growth run; lysine chosen. Without
// requirements (no run, a failed run) the window stays closed with kRequirementsNoRun.
void ShowRequirementsWindow(SharedState& s, RequirementsWindow& f);

// The nutrient list clicked: the table for the chosen nutrient.
void RequirementsNutrientClick(RequirementsWindow& f);

// What the chart draws for the chosen nutrient: requirement and supply by
// age (% of the feed), and one band per diet phase.
struct RequirementsChart {
    std::string Title, ValueAxis, AgeAxis = "Age, days";
    std::vector<std::pair<double, double>> Requirement, Supply;
    struct Band {
        double From = 0, To = 0;
        std::string Name;
    };
    std::vector<Band> Phases;
};
RequirementsChart RequirementsChartOf(const RequirementsWindow& f);

// One line under the main window's results: the run's nitrogen and
// phosphorus excreted per pig and per place and year beside the EU BAT
// ranges, or why they are missing; empty without a run.
std::string BalanceLineOf(const RunSnapshot& run);
// The run's nitrogen or P2O5 excreted per place and year is above its EU BAT
// range (the line is then shaded as the balance table's cell is).
bool BalanceAboveRange(const RunSnapshot& run);

// The restrictions editor's "Set minimums from requirements": asks for the
// margin (percent of the requirement, 100 offered), sets each diet's
// amino-acid, STTD phosphorus and calcium minimums from the last Growth run
// for this session, fills the editor's table again and says what changed.
// The restriction file changes only when the user saves it.
void SetMinimumsFromRequirementsClick(SharedState& s, RestrictionsWindow& w);

}  // namespace tarvisol
