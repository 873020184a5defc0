#pragma once
// Choosing the unit system: the main window's starting-weight unit list and
// the set-values dialog.
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// "Starting Weight, kg" / "Final Weight, kg", or "lb" when the weight unit is
// pounds: the captions say the unit the typed weights are read in.
void SetWeightCaptions(MainWindow& w, int weightUnit);

// The main window's unit list: entry 0 metric (kcal/kg, kg, price per tonne),
// entry 1 imperial (kcal/lb, lb, price per short ton). The location's figures
// are converted to the units chosen (SwitchUnits).
void ComboUnitsClick(SharedState& s);

struct SetValuesDialog {
    ComboBox ComboWeight;  // "Kilograms", "Pounds"
    ComboBox ComboEnergy;  // "Kcal/Kg", "Kcal/lb"
    ComboBox ComboCost;    // "Cost/tonne", "Cost/sht ton"
    bool Visible = false;
};

// Opens the dialog with the lists preselected from the units in force.
void ShowSetValues(SharedState& s, SetValuesDialog& d);
// OK: takes the chosen units (converting the location's figures to them),
// offers to save the location in them and sets the main window's weight captions.
void SetValuesOk(SharedState& s, SetValuesDialog& d);

}  // namespace tarvisol
