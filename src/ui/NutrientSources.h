#pragma once
// The nutrient sources window: where a diet's nutrient comes from, what one
// ingredient contributes, or how the diet's cost divides among ingredients.
#include <array>
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct NutrientSourcesWindow {
    // 0 diet, 1 nutrient (-1 the price) or ingredient, 2 "0" nutrient mode,
    // anything else ingredient mode.
    std::array<std::string, 3> SourceSelection;
    Label LabelCaption;
    Grid GridSources{"GridSources", 2, 2};
    bool GridVisible = false;
    Button CommandMoreInfo{"More Info"};
    Button CommandCopy{"Copy to Clipboard"};
    Button CommandClose{"Close"};
    bool Visible = false;
};

// Opens the window for cell (row, col) of the diets grid: diet = column,
// nutrient = row - 3 (the price row gives the cost shares).
void OpenFromDietsGrid(SharedState& s, NutrientSourcesWindow& w, int row, int col);
// Opens it for ingredient i of diet d (the formula grid).
void OpenForIngredient(SharedState& s, NutrientSourcesWindow& w, int d, int i);

void MoreInfo(SharedState& s, NutrientSourcesWindow& w);
void CopySources(SharedState& s, NutrientSourcesWindow& w);

void SourcesOfNutrient(SharedState& s, NutrientSourcesWindow& w, int d, int n);
void NutrientsOfIngredient(SharedState& s, NutrientSourcesWindow& w, int d, int i);
void CostShares(SharedState& s, NutrientSourcesWindow& w, int d);

}  // namespace tarvisol
