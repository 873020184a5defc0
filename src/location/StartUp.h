#pragma once
// Start-up of the main window, opening a location and saving all its files.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

// The question when the typed location already exists; the location's name
// and " (yes) or a New location (no)?" follow.
inline constexpr const char* kReopenQuestion = "Do you want to reopen this location ";

// Main window load: fills the lists, grids and captions, reads the window-size
// file from programFolder and fills the model tables. No location is open
// afterwards. The main window is s.Main.
void FormLoad(SharedState& s, const std::string& programFolder);

// Opens or creates the location named in Text6 (double click or Enter in it):
// asks whether to reopen it, or lets the user pick a .pig file, then loads its
// settings, measured herd, temperatures, diets, matrix and restrictions.
void LocationName(SharedState& s);

// Leaving Text6: a typed name becomes the location's base name.
void Text6LostFocus(SharedState& s);

// "Save all Files to Current Location".
void SaveAllToCurrentLocation(SharedState& s);
// "Save All Files to New Location/Folder": copies the location's files, under
// their old base name, to a folder the user picks.
void SaveAllToNewLocation(SharedState& s);
// A click on row `row` of the files grid.
void FilesGridClick(SharedState& s, int row);

}  // namespace tarvisol
