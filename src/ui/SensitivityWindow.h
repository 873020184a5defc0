#pragma once
// The "Sensitivity" window for one diet: its nutrient limits with their shadow
// prices and valid ranges (largest shadow price first) and its ingredients
// with reduced costs and price ranges, two copyable tables; for an infeasible
// diet, the limits to change instead.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

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
