#pragma once
// The restrictions editor: the nutrient and ingredient limits of all diets side
// by side, taken back into the working tables or written to the files.
#include <cstdint>
#include <string>
#include <vector>

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
    // The ingredients the rows of GridIngred stand for (their names and the
    // IngredientListVersion when filled), and both tables as filled or last
    // taken over.
    uint32_t IngredientListVersion = 0;
    std::vector<std::string> RowNames;
    Grid TakenNuts{"GridNuts", 2, 17};
    Grid TakenIngred{"GridIngred", 2, 17};
    // Whether "Save to File" already asked for the file in this window.
    bool NutrientFileAsked = false;
    bool IngredientFileAsked = false;
};

inline constexpr const char* kRestrictionsCloseQuestion =
    "The restrictions were changed and not taken over. Take them over for this session before closing? (No "
    "discards the changes)";
inline constexpr const char* kRestrictionsRefillQuestion =
    "Ingredients were added or removed in the matrix. Take over the restrictions changed in this window before it "
    "is filled again? (No discards those changes)";

// Fills both tables from the working limits (nutrient limits rounded to 3
// decimals, in the tables too) and shows the window.
void LoadRestrictionsWindow(SharedState& s, RestrictionsWindow& w);

// "Save For Session": reads a table back into the working limits for diets
// 1..DietCount. The nutrient read stops at the first minimum above its
// maximum, with a message; returns false then. When ingredients were added
// or removed since the table was filled, each row goes to the ingredient it
// was filled for (by name): no limit moves onto another ingredient; the
// table is then filled again.
bool SaveNutrientsForSession(SharedState& s, RestrictionsWindow& w);
void SaveIngredientsForSession(SharedState& s, RestrictionsWindow& w);
// "Save to File": the session save, then the restriction file; the first
// time in the window the save dialog asks where (the current file offered).
void SaveNutrientsToFile(SharedState& s, RestrictionsWindow& w);
void SaveIngredientsToFile(SharedState& s, RestrictionsWindow& w);
// "Save to File As...": the same, always with the save dialog.
void SaveNutrientsToFileAs(SharedState& s, RestrictionsWindow& w);
void SaveIngredientsToFileAs(SharedState& s, RestrictionsWindow& w);

// True when a table holds edits not taken over.
bool RestrictionsHaveEdits(const RestrictionsWindow& w);
// True when ingredients were added or removed since the window was filled.
bool RestrictionsOutOfDate(const SharedState& s, const RestrictionsWindow& w);
// An open window that is out of date is filled again; edits not taken over
// are asked about first (kRestrictionsRefillQuestion). Returns whether it
// was filled again.
bool SyncRestrictionsWindow(SharedState& s, RestrictionsWindow& w);
// Closing the window: edits not taken over are asked about (Yes takes them
// over for the session, No discards them, Cancel keeps the window open).
// Returns whether the window closed.
bool CloseRestrictionsWindow(SharedState& s, RestrictionsWindow& w);
// "Save All to File": ingredients, then nutrients.
void SaveAllRestrictionsToFile(SharedState& s, RestrictionsWindow& w);

// A row of the ingredient table activated: says which ingredient it is.
void IngredientRowActivated(SharedState& s, RestrictionsWindow& w, int row);

}  // namespace tarvisol
