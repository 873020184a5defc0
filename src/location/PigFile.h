#pragma once
// The location's settings and calibration file (.pig): the growth-curve
// coefficients, the herd's calibration inputs, the herd sex and the units.
// Fourteen CRLF lines:
//   1..5   B0..B4 (GrowthCurve(0, 0..4)), pattern "###.00000"
//   6..10  CalibInputs(1..5) in the display units, as the main window shows them
//   11     HerdSex
//   12     EnergyUnit, TAB, the note "Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg"
//   13, 14 WeightUnit, PriceUnit
// Integers are in the printed form: a blank where a sign would go, and a
// trailing blank.
#include <string>
#include <string_view>
#include <vector>

#include "shared/KnownFiles.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kEnergyNote = "Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg";

// An integer as the print operation writes it: " 3 ", "-1 ".
std::string PrintInteger(int value);

// A coefficient with the pattern "###.00000", given further decimals only
// when five would not give the value back exactly (the default rate constant
// 0.0020532 is written in full, not as 0.00205); a value too small for any
// of those decimals is written in its shortest exact form (1e-25).
std::string FormatCoefficient(double value);

// The fourteen lines SavePig writes, from GrowthCurve, CalibInputs, HerdSex
// and UnitTable. An input is written as the window shows it (FormatAuto)
// unless that would not read back as the same value (a starting weight of
// 0.0002 is not written "0.000"); an input found in numbers is written as it
// was read.
std::vector<std::string> PigFileLines(const SharedState& s, const NumberTexts* numbers = nullptr);

// Reads PigFile. Returns false (after a message) when it cannot be read;
// otherwise sets PigDataReady. See ReadPigText for what is read.
bool ReadPig(SharedState& s);

// Reads the text of a .pig file named name (for the messages):
// - lines 1..5 into B0..B4; a 0 is replaced by DefaultGrowthCurve(0, k) (the
//   default curve when that table is empty); shown in GridWeight row 1;
// - lines 6..10 into CalibInputs(1..5), shown in Text1..Text5 with the tool
//   tips "Initial value was " + the value;
// - line 11 HerdSex, set in the herd-sex list (-1, no selection, is kept as
//   such); a file without it gives 0, and a further number on line 15
//   replaces it;
// - lines 12..14, when present: the whole number of their first two
//   characters as EnergyUnit, WeightUnit and PriceUnit.
// The main window's controls are written only when s.Main is set. A file
// shorter than 11 lines fills what it has and says so; a unit or herd sex
// outside its list gets a message and 0. Any bytes are accepted.
// numbers, when given, takes the text each input was read with.
void ReadPigText(SharedState& s, std::string_view text, const std::string& name, NumberTexts* numbers = nullptr);

// Writes the .pig layout to path, replacing the file. A save that cannot be
// written leaves the old file whole and says so. Returns whether it was written.
bool SavePigTo(SharedState& s, const std::string& path);

// Saves the .pig file. Unless FileFlags(2) is set it first asks where, with a
// save dialog starting in LocationFolder; a cancelled dialog writes nothing.
// A chosen name that does not end in ".pig" gets it; it becomes PigFile.
bool SavePig(SharedState& s);

// A click on the coefficient grid GridWeight: asks "Do you want to save this
// calibration data?"; on Yes, Text6 becomes the full path of the location's
// base name and the .pig is written at Text6 + ".pig".
void GridWeightClick(SharedState& s);

// Saves the units to PigFile: its first eleven lines as they are, then lines
// 12..14 with EnergyUnit (and its note), WeightUnit and PriceUnit; later lines
// are dropped. A file that cannot be read is reported and left alone.
bool SaveUnits(SharedState& s);

}  // namespace tarvisol
