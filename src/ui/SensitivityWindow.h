#pragma once
// The "Sensitivity" window for one diet: its nutrient limits with their shadow
// prices and valid ranges (largest shadow price first) and its ingredients
// with reduced costs and price ranges, two copyable tables; for an infeasible
// diet, the limits to change instead.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Said under the tables when an ingredient's price range starts below 0.
inline constexpr const char* kPriceFromBelowZero =
    "A Price From below 0: the formula stays the same however far that ingredient's price falls, even to nothing; "
    "the diet's limits fix how much of it goes in (a mineral by the calcium or phosphorus limits, say).";

struct SensitivityWindow {
    std::string Caption = "Sensitivity";
    ComboBox ComboDiet;  // one entry per diet of the programme
    Label LabelSummary;  // the diet, its price, or why there are no figures
    Grid GridLimits{"GridLimits", 1, 8};
    Grid GridIngredients{"GridIngredients", 1, 7};
    Grid GridDiagnosis{"GridDiagnosis", 1, 5};
    bool FiguresVisible = false;    // the two tables
    bool DiagnosisVisible = false;  // the diagnosis table
    Button CommandCopyLimits{"Copy Limits"};
    Button CommandCopyIngredients{"Copy Ingredients"};
    Button CommandCopyDiagnosis{"Copy Diagnosis"};
    Button CommandClose{"Close"};
    bool Visible = false;
};

// Opens the window on diet d (clamped into the programme).
void OpenSensitivity(SharedState& s, SensitivityWindow& w, int d);
// Shows the diet chosen in ComboDiet.
void ShowSensitivity(SharedState& s, SensitivityWindow& w);

// Copy buttons: the whole table with its headings.
void CopySensitivityLimits(SharedState& s, SensitivityWindow& w);
void CopySensitivityIngredients(SharedState& s, SensitivityWindow& w);
void CopySensitivityDiagnosis(SharedState& s, SensitivityWindow& w);

}  // namespace tarvisol
