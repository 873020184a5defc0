#pragma once
// The ingredient library: common feed ingredients with their composition as
// fed and the public table each row comes from, shipped beside the demo
// location (IngredientLibrary.tsv). A new location takes its matrix from it.
//
// The file: notes on lines starting with '#'; the first other line names the
// columns (TAB separated, any order); then one ingredient a line. Energy in
// kcal/kg, everything else in % as fed; amino acids both total ("tot_lys")
// and standardized ileal digestible ("sid_lys"); phosphorus total ("p") and
// standardized total tract digestible ("sttd_p"). An empty field is a value
// the source does not give.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvisol {

inline constexpr const char* kLibraryFileName = "IngredientLibrary.tsv";

// The twelve amino acids in the engine's order (nutrients 3..14): arginine,
// histidine, lysine, tryptophan, phe + tyr, phenylalanine, met + cys,
// methionine, threonine, leucine, isoleucine, valine.
inline constexpr int kLibraryAminoAcids = 12;

struct LibraryIngredient {
    std::string name, group, source;
    // NaN where the source gives no value (allowed only for dm, me, the totals,
    // the limits and the price).
    double dm = 0, me = 0, ne = 0, cp = 0;
    std::array<double, kLibraryAminoAcids> total{}, sid{};
    double ca = 0, p = 0, sttdP = 0, na = 0, cl = 0, cf = 0, ee = 0;
    // Inclusion limits a new location starts from (% of the diet; NaN none);
    // maxFinish applies to diets that start at 100 kg or more.
    double minimum = 0, maximum = 0, maxFinish = 0;
    double price = 0;  // indicative, per tonne; NaN none
};

struct LibraryLineLeftOut {
    std::string name;  // the ingredient the line names
    std::string note;  // its note: the line and the value that kept it out
};

struct IngredientLibrary {
    std::vector<LibraryIngredient> rows;
    // What was not read, one line each ("line 12: ..."); rows with a missing
    // or unreadable required value are left out.
    std::vector<std::string> notes;
    // The named lines left out, with their notes.
    std::vector<LibraryLineLeftOut> leftOut;
};

// Reads the text of a library file; takes any bytes.
IngredientLibrary ReadIngredientLibrary(std::string_view text);

// Reads the file at path. False with a readable error when it cannot be read
// or holds no ingredient.
bool LoadIngredientLibrary(const std::string& path, IngredientLibrary& library, std::string& error);

// A name as names are compared: lower case, runs of blanks as one, no blanks
// at the ends.
std::string FoldedName(std::string_view name);

// The row named name (case, surrounding blanks and inner runs of blanks do not
// matter), or null.
const LibraryIngredient* FindLibraryIngredient(const IngredientLibrary& library, std::string_view name);

// Why the library holds no row named name although a line of its file names
// it (the line and its value that could not be read), or empty.
std::string WhyNotInLibrary(const IngredientLibrary& library, std::string_view name);

// The rows whose name or group holds every word of the query (any case), in
// library order; an empty query gives every row.
std::vector<const LibraryIngredient*> SearchLibrary(const IngredientLibrary& library, std::string_view query);

// The nutrient columns a matrix made from the library carries, in matrix
// order (nutrient 1 = energy ... 14 = valine, then the free columns), each
// name saying its basis: "NET ENERGY (NE)", "CRUDE PROTEIN", "SID LYSINE",
// ..., "CALCIUM", "STTD PHOSPHORUS", "SODIUM", "CHLORINE", "CRUDE FIBRE",
// "ETHER EXTRACT", "TOTAL PHOSPHORUS".
const std::vector<std::string>& LibraryNutrientNames();

// The row's values in the order of LibraryNutrientNames.
std::vector<double> LibraryMatrixValues(const LibraryIngredient& row);

// Nutrient indices (as the restriction files number them) of the free columns.
inline constexpr int kLibraryCalcium = 15;
inline constexpr int kLibrarySttdPhosphorus = 16;
inline constexpr int kLibrarySodium = 17;
inline constexpr int kLibraryChlorine = 18;
inline constexpr int kLibraryCrudeFibre = 19;
inline constexpr int kLibraryEtherExtract = 20;

}  // namespace tarvisol
