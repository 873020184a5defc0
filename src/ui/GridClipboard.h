#pragma once
// Copy and paste between any grid and the system clipboard, as plain text:
// cells separated by TAB, rows by a line feed. Every grid of every window
// forwards its keys and right clicks here.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Key codes and shift masks as the grids report them.
inline constexpr int kKeyA = 65, kKeyC = 67, kKeyV = 86, kKeyX = 88, kKeyInsert = 45;
inline constexpr int kShift = 1, kCtrl = 2;

struct CellRange {
    int firstRow, lastRow, firstCol, lastCol;
};

// Ctrl+C / Ctrl+Insert copy the selection, Ctrl+X copies and empties it,
// Ctrl+A copies every used cell, Shift+Insert pastes. Returns whether the key
// was one of these.
bool GridKeyDown(SharedState& s, Grid& grid, int keyCode, int shiftMask);

// Puts the text of the range on the clipboard (the last column clamped to
// the grid) and moves the grid's current cell to row 0, column 0.
void CopyRangeToClipboard(SharedState& s, Grid& grid, CellRange range);

// Writes the clipboard's text into the grid from its current cell (for
// Ctrl+V, key 86 with mask 2, and Shift+Insert, key 45 with mask 1).
void PasteFromClipboard(SharedState& s, Grid& grid, int keyCode, int shiftMask);

// Copies every used cell of the grid ("Copy All"), keeping its current cell.
void CopyAllToClipboard(SharedState& s, Grid& grid);

// A mouse button pressed on a grid: it becomes the active grid.
void GridMouseDown(SharedState& s, Grid& grid);

// The pop-up menu "Popup" and its commands on the active grid.
inline constexpr const char* kPopupName = "Popup";
inline constexpr const char* kPopupCommands[4] = {"Copy Highlighted Cells", "Copy All", "Clear", "Paste"};
// After the four clipboard commands, separated from them: the grid to a file.
inline constexpr const char* kPopupSaveCsv = "Save as CSV...";
inline constexpr int kPopupSaveCsvCommand = 4;
void PopupCommand(SharedState& s, int command);

// The grid's used cells (from row 0, column 0, as "Copy All" takes them) as
// comma-separated text: a field holding a comma, a quote or a line end is
// quoted, quotes doubled; CRLF after every row; the cells' bytes unchanged.
std::string GridCsvText(const Grid& grid);

// "Save as CSV...": asks for the file (".csv" added when the name has no
// ending) and writes the grid's used cells, atomically. Returns whether the
// file was written; a failure is told.
bool SaveGridAsCsv(SharedState& s, Grid& grid);

// The text of a range as it goes to the clipboard.
std::string RangeText(const Grid& grid, CellRange range);

}  // namespace tarvisol
