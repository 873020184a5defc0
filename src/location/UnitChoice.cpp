#include "location/UnitChoice.h"

#include <filesystem>
#include <string>
#include <vector>

#include "location/PigFile.h"
#include "location/StartUp.h"
#include "location/UnitSwitch.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"

namespace tarvisol {

namespace {

// The documented question, followed by the files a Yes writes.
std::string SaveChangesQuestion(const SharedState& s) {
    std::vector<std::string> files = {s.PigFile, s.CalFile, s.TempFileName, s.DietFile};
    if (s.NutrientCount > 0)
        for (const std::string* f : {&s.NutrientRestrictionFile, &s.IngredientRestrictionFile, &s.MatrixFile})
            files.push_back(*f);
    std::string names, folder;
    int n = 0;
    for (const std::string& f : files) {
        if (f.empty()) continue;
        const std::filesystem::path p(f);
        if (folder.empty()) folder = p.parent_path().string();
        names += (n++ ? ", " : "") + p.filename().string();
    }
    std::string text = "Do you want to save the changes to file?";
    if (n > 0) text += "\nYes saves the location in the new units: " + names + (folder.empty() ? "" : " in " + folder) + ".";
    return text;
}

}  // namespace

void SetWeightCaptions(MainWindow& w, int weightUnit) {
    const bool pounds = weightUnit == 1;
    w.LabelStartWeight.Caption = pounds ? "Starting Weight, lb" : "Starting Weight, kg";
    w.LabelFinalWeight.Caption = pounds ? "Final Weight, lb" : "Final Weight, kg";
    // The unit list is the starting weight's caption: it names the unit the
    // box is in, however the unit was chosen.
    w.ComboUnits.ListIndex = pounds ? 1 : 0;
}

void ComboUnitsClick(SharedState& s) {
    MainWindow& w = *s.Main;
    // The figures follow the units: the same herd and diets, described anew.
    if (w.ComboUnits.ListIndex == 0) SwitchUnits(s, 0, 0, 1);
    else if (w.ComboUnits.ListIndex == 1) SwitchUnits(s, 1, 1, 3);
    SetWeightCaptions(w, s.WeightUnit());
}

void ShowSetValues(SharedState& s, SetValuesDialog& d) {
    d.ComboWeight.Items = {"Kilograms", "Pounds"};
    d.ComboEnergy.Items = {"Kcal/Kg", "Kcal/lb"};
    d.ComboCost.Items = {"Cost/tonne", "Cost/sht ton"};
    // Units the lists do not offer (grams, Mcal, MJ) show no selection.
    d.ComboWeight.ListIndex = s.WeightUnit() <= 1 && s.WeightUnit() >= 0 ? s.WeightUnit() : -1;
    d.ComboEnergy.ListIndex = s.EnergyUnit() <= 1 && s.EnergyUnit() >= 0 ? s.EnergyUnit() : -1;
    d.ComboCost.ListIndex = s.PriceUnit() == 3 ? 1 : 0;
    d.Visible = true;
}

void SetValuesOk(SharedState& s, SetValuesDialog& d) {
    // A list left without a selection keeps the unit in force.
    // The figures follow the units: the same herd and diets, described anew.
    SwitchUnits(s, d.ComboEnergy.ListIndex >= 0 ? d.ComboEnergy.ListIndex : s.EnergyUnit(),
                d.ComboWeight.ListIndex >= 0 ? d.ComboWeight.ListIndex : s.WeightUnit(), d.ComboCost.ListIndex == 0 ? 1 : 3);
    MainWindow& w = *s.Main;
    // Saving the units alone would leave the location's figures in the old
    // ones: the location is saved whole.
    if (w.Text6.Text != kCalibrationNamePlaceholder &&
        DialogsOf(s).Ask(SaveChangesQuestion(s), Buttons::YesNo) == Answer::Yes)
        SaveAllToCurrentLocation(s);
    SetWeightCaptions(w, s.WeightUnit());
    d.Visible = false;
}

}  // namespace tarvisol
