#pragma once
// File -> "New Location from Library": choose ingredients from the library
// (type to search), set their prices, the number of diets and the weight each
// diet ends at, the folder and name, the genotype the nutrient-response model
// grows (a preset) or another location whose model it keeps; "Make Location"
// writes the new location and opens it.
#include <string>
#include <vector>

#include "formulation/IngredientLibrary.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct NewLocationWindow {
    std::string Caption = "New Location from Library";
    TextBox TextSearch;                     // words to find in a name or group
    Grid GridLibrary{"GridLibrary", 1, 7};  // the rows found: name, group, NE, CP, SID Lys, STTD P, source
    Grid GridChosen{"GridChosen", 1, 3};    // the chosen: name, price per tonne (editable), group
    Button CommandAdd{"Add"};
    Button CommandRemove{"Remove"};
    TextBox TextFolder;  // the folder the location's files go in (made when missing)
    TextBox TextName;    // the base name
    ComboBox ComboDiets;  // "1".."6"
    Grid GridWeights{"GridWeights", 2, 8};  // row 1, from column 1: the starting weight, then where each diet ends, kg
    TextBox TextStartAge;
    // The genotype preset the location grows on the nutrient-response model,
    // in the order of the presets; its source shows in LabelGenotypeSource.
    ComboBox ComboGenotype;
    Label LabelGenotypeSource;
    // Another location (folder plus base name) whose growth model and genotype
    // are kept, or its curve when it runs the documented one; empty: the
    // preset chosen.
    TextBox TextCurveFrom;
    TextBox TextCurrency;   // shown with the location's money figures; empty: none
    Button CommandMake{"Make Location"};
    Button CommandClose{"Close"};
    Label LabelLibrary;  // the library's file and size, or why there is none
    IngredientLibrary Library;
    std::vector<int> Shown;  // library row of each row of GridLibrary
    bool Visible = false;
};

inline constexpr const char* kNewLocationCaption = "New Location from Library";

// Reads the library and fills the window: every ingredient listed, none
// chosen, four diets from 25 to 125 kg, the starting age 63 days, the
// current commercial herd's genotype, the folder given (the documents
// folder).
void OpenNewLocationWindow(SharedState& s, NewLocationWindow& w, const std::string& libraryFile,
                           const std::string& folder);

// Lists the library rows holding every word typed in TextSearch.
void SearchNewLocationLibrary(NewLocationWindow& w);

// Adds the library row on the current row of GridLibrary to the chosen, with
// the library's indicative price (an ingredient already chosen is not added
// twice).
void AddChosenIngredient(SharedState& s, NewLocationWindow& w);
// Removes the chosen ingredient on the current row of GridChosen.
void RemoveChosenIngredient(SharedState& s, NewLocationWindow& w);

// The number of diets chosen: the weights become equal steps from the
// starting to the final weight shown.
void NewLocationDietsChanged(NewLocationWindow& w);

// A genotype chosen: its source shown under it.
void NewLocationGenotypeChanged(NewLocationWindow& w);

// Makes the location from the window; a refusal or failure is told in one
// message and nothing is written. On success says what was made, hides the
// window and opens the new location in the main window. Returns its base.
std::string MakeLocationFromWindow(SharedState& s, NewLocationWindow& w);

}  // namespace tarvisol
