#pragma once
// Start-up of the main window, opening a location and saving all its files.
#include <string>
#include <vector>

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

// "Save all Files to Current Location": the .pig (without asking where), the
// .cal, the .stg, the diets and, with nutrients loaded, the restrictions and
// the matrix. Files whose tables did not change are left as they are. Stops
// at the first file that cannot be saved and says, in one message, why and
// which files were saved and which were not. Returns whether every file
// holds the tables.
bool SaveAllToCurrentLocation(SharedState& s);

// One location file and the text its writer gives from the tables now.
struct LocationFile {
    std::string path;
    std::string text;
};
// The files a save-all writes, in its order.
std::vector<LocationFile> LocationFiles(SharedState& s);
// After a location is opened: remembers the tables as they stand against
// every file read (and the files that were not there).
void RememberOpenedLocation(SharedState& s);
// The files a save-all would change (the boxes' inputs taken as it takes
// them): empty when everything the user has is in the files.
std::vector<std::string> UnsavedLocationFiles(SharedState& s);

// Closing the main window: when the location has changes not saved, asks
// whether to save them (Yes saves all files to the current location and
// closes only when that worked, No closes without saving, Cancel stays).
// Returns whether the window may close.
bool MayCloseMainWindow(SharedState& s);
// "Save All Files to New Location/Folder": copies the location's files, under
// their old base name, to a folder the user picks.
void SaveAllToNewLocation(SharedState& s);
// A click on row `row` of the files grid.
void FilesGridClick(SharedState& s, int row);

}  // namespace tarvisol
