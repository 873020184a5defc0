#pragma once
// The growth model and the genotype on the Inputs and Diets tab, as a form:
// "Growth model: documented curve | nutrient response", and for the
// nutrient response the genotype: a preset (with where its parameters come
// from) and its parameters per sex, edited in place. What is chosen or typed
// goes into the record's choice at once (the next Growth runs it) and marks
// the location changed; the location's genotype file is written only when
// the user saves the location.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Columns of the genotype grid: 1 mean protein deposition (g/d), 2 precocity
// (per day), 3 and 4 net energy eaten at 50 and at 100 kg (kcal/d). Rows:
// 1 the males, 2 the females.
inline constexpr int kGenotypeColDeposition = 1, kGenotypeColPrecocity = 2, kGenotypeColIntake50 = 3,
                     kGenotypeColIntake100 = 4;
inline constexpr int kGenotypeRowMales = 1, kGenotypeRowFemales = 2;

struct GrowthModelEditor {
    ComboBox ComboModel;     // "Documented curve", "Nutrient response"
    ComboBox ComboGenotype;  // the presets by name, and the location's own genotype when it is none of them
    TextBox TextWastage;     // feed wastage, % of the feed supplied
    Label LabelSource{""};   // where the genotype's parameters come from
    Label LabelChanged{""};  // says the choice is not saved in the location's genotype file yet
    Label LabelNote{""};     // what the chosen model grows the pig on
    Grid GridGenotype{"GridGenotype", 3, 5};
    // The genotype's controls show only for the nutrient-response model: the
    // documented curve shows the documented system as it always was.
    bool GenotypeShown = false;
};

// Shows the record's choice: the model, the genotype, its source and
// parameters, and whether the location's file holds it (the lists and
// labels in UTF-8, the grid in the location's single bytes).
void ShowGrowthModel(const SharedState& s, GrowthModelEditor& e);

// The model list was chosen from: the record takes the model (the genotype
// stays as it was, ready for a switch back).
void GrowthModelClick(SharedState& s, GrowthModelEditor& e);

// The genotype list was chosen from: the preset's genotype replaces the one
// in the record (the location's own stays when it is chosen again).
void GenotypePresetClick(SharedState& s, GrowthModelEditor& e);

// A parameter typed into the genotype grid. A figure the model cannot grow
// (not a number, or outside the ranges the genotype allows) is told and the
// genotype stays as it was. A genotype edited from a preset is named as
// edited, so that no run says it grew the preset.
void GenotypeCellEdited(SharedState& s, GrowthModelEditor& e, int row, int col, const std::string& text);

// What a cell of the genotype grid holds, for its tool tip.
std::string GenotypeCellToolTip(int row, int col);

// The feed wastage box was left after typing.
void GenotypeWastageEdited(SharedState& s, GrowthModelEditor& e);

}  // namespace tarvisol
