#pragma once
// The location's weekly house temperatures: twenty weeks from the herd's
// starting age, one column for the period of the calibration data and one for
// the future run. Stored and edited only; the growth equations do not read the
// temperatures (the engine fills the starting age when it is 0).
#include <string>
#include <string_view>
#include <vector>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// The temperature window as a form.
struct TemperatureWindow {
    std::string Caption = "Set Temperature";
    // Row 0 headers; rows 1..20 the weeks: column 0 the week's ages, column 1
    // "Calib. T, C", column 2 "Future T, C". Row 21 stays empty.
    Grid GridTemps{"GridTemps", 22, 3};
    Button CommandSave{"Save"};
    Button CommandSaveOnly{"Save Only"};
    Button CommandSaveAndClose{"Save and Close"};
    Button CommandClose{"Close"};
    bool Visible = false;
    // The grid as it was last shown or taken over: edits since are not in
    // the tables yet.
    mutable Grid Taken{"GridTemps", 22, 3};
};

// The question when the window closes with edits not taken over.
inline constexpr const char* kTempCloseQuestion =
    "The temperatures were changed and not taken over. Take them over before closing? (No discards the changes)";

// Defaults of the table: 20 in both columns for weeks 1..20, entry 21 of the
// future column 0. The starting ages (entry 0) are left as they are.
void SetTemps(SharedState& s);

// Opens the window: the weeks labelled from the starting age typed on the
// main window (Text2), or from 50 when that is empty or 0, and the table the
// location holds (20 degrees in every week until a file or the window gave
// others), so that a save from the window never replaces the stored table
// with defaults.
void ShowTemperatureWindow(SharedState& s, TemperatureWindow& w);

// True when the grid holds edits that were not taken over.
bool TempWindowHasEdits(const TemperatureWindow& w);
// Closing the window (its close box): with edits not taken over, asks
// kTempCloseQuestion: Yes takes them over, No discards them, Cancel keeps
// the window open. Returns whether the window closed.
bool TempWindowCloseAsked(SharedState& s, TemperatureWindow& w);

// Takes the grid over into the tables: column 1 of rows 1..20 into
// CalibTemps(1..20), column 2 into TempTable(1..20), the first age of row 1
// into TempTable(0) and CalibTemps(0). A cell that is empty or not a number is
// refused: it keeps the table's previous value and one message lists every
// refused cell. Returns false when any cell was refused.
bool ReadTemps(SharedState& s, const TemperatureWindow& w);

// Reads TempFileName into CalibTemps and TempTable: pairs of numbers separated
// by tabs, commas, blanks or line ends, entry 0 first, at most 25 entries; the
// entries the file does not reach keep their values. Any bytes are accepted.
// Returns false (after a message) only when the file cannot be read.
bool ReadTempFile(SharedState& s);
// The same on text already read (used by the file reader and the fuzz target).
void ReadTempText(SharedState& s, std::string_view text);

// Writes the 21 lines "CalibTemps(i) TAB TempTable(i)", i = 0..20, to
// TempFileName. A save that cannot be written says so and leaves the old file
// whole. Returns whether the file was written.
bool WriteTempFile(SharedState& s);
// The text WriteTempFile writes.
std::string TempFileText(const SharedState& s);

// The window's commands. Save: take the grid over and write the file (not
// when a cell was refused). Save only: take the grid over. Save and close:
// take the grid over, write the file and close (the window stays open when a
// cell was refused or the file could not be written, so it can be put right).
// Close: close without reading.
void TempWindowSave(SharedState& s, TemperatureWindow& w);
void TempWindowSaveOnly(SharedState& s, TemperatureWindow& w);
void TempWindowSaveAndClose(SharedState& s, TemperatureWindow& w);
void TempWindowClose(TemperatureWindow& w);

// Main window "Open Temperature File": the file chooser "Select a Temperature
// File" with the filter "*.stg"; a chosen file becomes TempFileName and is read.
void OpenTemperatureFile(SharedState& s);

// The items of a sequentially read text file: fields separated by commas,
// blanks, tabs or line ends; blanks around a comma are ignored and two commas
// in a row give an empty item. At most maxItems are returned.
std::vector<std::string> InputItems(std::string_view text, std::size_t maxItems);

// True when the text, blanks aside, is one plain number (sign, digits, one
// decimal point or comma, optional exponent) and nothing else.
bool IsPlainNumber(std::string_view text);

}  // namespace tarvisol
