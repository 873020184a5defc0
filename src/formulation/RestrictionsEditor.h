#pragma once
// The restrictions editor: the nutrient and ingredient limits of all diets side
// by side, taken back into the working tables or written to the files.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kRestrictionsHelp =
    "Change Values and Reformulate.  0 means NO Restriction.  -1 In the Maximum Value Column "
    "BLOCKS the USE of an Ingredient.           SAVE to File when done.";
inline constexpr Color kLimitColor = Rgb(250, 225, 210);

struct RestrictionsWindow {
    std::string Caption = "Diet Restrictions";
    std::string Help = kRestrictionsHelp;
    // Column 0 the row labels; diet d's minimum in column 2d - 1, maximum in 2d.
    Grid GridNuts{"GridNuts", 2, 17};
    Grid GridIngred{"GridIngred", 2, 17};
    bool Visible = false;
};

// Fills both tables from the working limits (nutrient limits rounded to 3
// decimals, in the tables too) and shows the window.
void LoadRestrictionsWindow(SharedState& s, RestrictionsWindow& w);

// "Save For Session": reads a table back into the working limits for diets
// 1..DietCount. The nutrient read stops at the first minimum above its
// maximum, with a message; returns false then.
bool SaveNutrientsForSession(SharedState& s, RestrictionsWindow& w);
void SaveIngredientsForSession(SharedState& s, RestrictionsWindow& w);
// "Save to File": the session save, then the restriction file.
void SaveNutrientsToFile(SharedState& s, RestrictionsWindow& w);
void SaveIngredientsToFile(SharedState& s, RestrictionsWindow& w);
// "Save All to File": ingredients, then nutrients.
void SaveAllRestrictionsToFile(SharedState& s, RestrictionsWindow& w);

// A row of the ingredient table activated: says which ingredient it is.
void IngredientRowActivated(SharedState& s, RestrictionsWindow& w, int row);

}  // namespace tarvisol
