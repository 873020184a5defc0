#pragma once
// The optimisation window's margin objectives as a form: the objective
// chosen, the search run on a private copy of the location's last Growth
// run, and what it shows: the best programme beside the feed-cost minimum
// and the current one, the best programme's diets, how the optimum moves
// with the prices, and the margin surface of each diet over energy and SID
// lysine. "Transfer Optimum to Current" puts the best programme's levels on
// the record for the Growth command.
#include <string>
#include <vector>

#include "optimisation/MarginSearch.h"
#include "optimisation/MarginSurface.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr const char* kMarginNeedsGrowth =
    "Please run Growth first: the margin search starts from the last Growth run's programme";
inline constexpr const char* kMarginNeedsLeastCost =
    "The margin search formulates every programme at least cost: choose Least Cost Feed";

struct MarginPanel {
    // Items in the order of OptObjective: the documented search first.
    ComboBox ComboObjective;
    // Rows: headings, sale weight, feed cost per pig, ADG, F/G, carcass,
    // lean, days on feed, margin per pig, margin per place and year.
    // Columns: the figure, best, cost minimum, current.
    Grid GridCompare{"GridMarginCompare", 10, 4};
    // The best programme: a row per diet; diet, NE, SID lysine, g per Mcal
    // NE, % of requirement, allotment, price.
    Grid GridDiets{"GridMarginDiets", 2, 7};
    // A row per ±10 % case: change, sale weight, SID lysine and NE of each
    // diet, margin.
    Grid GridSensitivity{"GridMarginSensitivity", 7, 5};
    Label LabelModel;  // the pig grown, and which programme was best

    MarginSearchResult Result;  // the last search that ran to its end
    std::vector<MarginSurface> Surfaces;
    std::string WeightUnit = "kg";  // of the carcass figures
    MarginPanel();
};

// The objective the combo chooses (the documented search for none).
OptObjective ChosenObjective(const MarginPanel& p);

// Runs the chosen margin objective from the record's last Growth run (s.Main
// set): a private copy is grown again (on the reference genotype when the
// location grows the documented curve, saying so), searched, and the best
// programme's surfaces worked out. The record and its window do not change.
// A stop leaves the panel as it was; messages go through the record's
// dialogs. True when a new result stands.
bool RunMarginOptimisation(SharedState& s, MarginPanel& p, const MarginSearchOptions& options);

// Fills the grids from p.Result.
void ShowMarginResult(MarginPanel& p);

// The best programme's levels on the record and the main window (a search
// must have run); the Growth command then grows it.
void TransferMarginOptimum(SharedState& s, const MarginPanel& p);

}  // namespace tarvisol
