#pragma once
// The formulation files of a location: the ingredient matrix ("Matrix.txt"),
// the ingredient and nutrient restrictions ("Req.ing", "Req.nut") and the
// diets (".dts"). Readers take any bytes; a bad line is reported naming the
// file and the line, and a file that cannot be used leaves the tables as they
// were. Every save is atomic.
#include <string>
#include <string_view>

#include "shared/KnownFiles.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Rows of the main window's files grid showing the formulation files in use:
// each file's path sits below the row that saves it ("Save Diets to this
// Location" on row 3, the matrix on 5, the nutrient restrictions on 7, the
// ingredient restrictions on 9).
inline constexpr int kFilesRowDiets = 4;
inline constexpr int kFilesRowMatrix = 6;
inline constexpr int kFilesRowNutrients = 8;
inline constexpr int kFilesRowIngredients = 10;

// Endings appended to a location's base name.
inline constexpr const char* kMatrixEnding = "Matrix.txt";
inline constexpr const char* kDietEnding = ".dts";
inline constexpr const char* kNutrientEnding = "Req.nut";
inline constexpr const char* kIngredientEnding = "Req.ing";

// --- Reading.

// Opens a matrix file: on success the formulation tables are cleared and
// refilled, then the ingredient restrictions and their nutrient companion are
// read. A missing file does nothing; a file that does not hold what its counts
// promise is refused with a message and the previous tables stay. Returns
// true when the matrix was loaded.
bool LoadLP(SharedState& s, const std::string& path);

// The nutrient companion of an ingredient restriction file: the path with its
// last four characters replaced by ".Nut".
std::string NutrientCompanion(const std::string& ingredientPath);

// Reads an ingredient restriction file and its nutrient companion.
void ReadRestrictions(SharedState& s, const std::string& ingredientPath);
// Reads a nutrient restriction file alone (nothing is cleared first).
void ReadNutrientRestrictions(SharedState& s, const std::string& path);
// Reads a diet file in the tab layout into the diets grid and the diet tables.
void ReadDiets(SharedState& s, const std::string& path);

// --- Commands with a file chooser ("Open Matrix File", ...).
void OpenMatrixFile(SharedState& s);
void OpenIngredientRestrictions(SharedState& s);
void OpenNutrientRestrictions(SharedState& s);

// --- Writing. With ask = false the current path is used without a dialog.
// Each returns true when the file was written.
bool SaveMatrix(SharedState& s, bool ask);
bool SaveIngredientRestrictions(SharedState& s, bool ask);
bool SaveNutrientRestrictions(SharedState& s, bool ask);
bool SaveDiets(SharedState& s, bool ask);
// "Save the Diets": the diet file, then (with at least two ingredients loaded)
// both restriction files and the matrix, to their current paths. Stops at
// the first save that fails; returns whether every file holds the tables.
bool SaveTheDiets(SharedState& s);

// The texts the writers write, from the tables. numbers: the texts the
// numbers were read with (a number found there is written as it was read;
// the others in the file number format).
// The matrix holds ingredients up to the last one with a name or a value and
// columns up to the last one with a name or a value (at least 15): an index
// named only by a restriction line adds no blank ingredient or column.
std::string MatrixText(const SharedState& s, const NumberTexts* numbers);
// The restriction files keep every diet up to the number of diets in use or
// the last diet the files read name, whichever is more.
std::string IngredientRestrictionText(const SharedState& s, const NumberTexts* numbers);
std::string NutrientRestrictionText(const SharedState& s, const NumberTexts* numbers);
// The diet file of diets 1..count from the diets grid (empty labels read as
// the default labels).
std::string DietFileText(const SharedState& s, int count);
// The tables of the known file at path give text now (after the reads of a
// location have all been done).
void RememberTables(SharedState& s, const std::string& path, std::string text);

// --- Layout helpers, shared with the tests.

// A value in the file number format (period as decimal separator).
std::string FileNumber(double value);
// An integer as a print statement writes it: sign position, digits, blank.
std::string PrintInteger(long value);
// The field padded with blanks to the start of the next 14-character zone.
std::string ToNextPrintZone(std::string field);
// Default label of row r (1..18) of the diets grid as the diet file stores it.
std::string DefaultDietRowLabel(const SharedState& s, int r);
// Display label of matrix column c (1..15) when its name is missing.
std::string DefaultColumnLabel(int c);

// Parses one restriction line into diet, index, minimum and maximum.
struct RestrictionLine {
    double diet = 0, index = 0, minimum = 0, maximum = 0;
    std::string minimumText, maximumText;  // the fields as they stand
};
RestrictionLine ParseRestrictionLine(std::string_view line);

}  // namespace tarvisol
