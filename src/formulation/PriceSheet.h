#pragma once
// Prices from a spreadsheet: a two-column table (ingredient name, price) as a
// spreadsheet saves or copies it, put onto a location's matrix. CSV (comma or
// semicolon) or TAB separated, names quoted or not, a byte-order mark, a
// header line, currency signs, a decimal comma or point: the decimal
// separator is told from the grouping of thousands by the sheet as a whole
// ("1,350" is 1350 in a sheet whose other prices have decimal points, 1.35 in
// one with decimal commas, and not read at all when the sheet says neither).
#include <string>
#include <string_view>
#include <vector>

#include "formulation/MatrixEditor.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct PriceSheetRow {
    std::string name;
    double price = 0;
    std::size_t line = 0;  // 1-based
};

struct PriceSheet {
    std::vector<PriceSheetRow> rows;
    std::vector<std::string> notes;  // lines not read, and why
    std::size_t headerLine = 0;      // the line taken as the column names (1-based); 0 for none
    std::string header;              // that line as written
};

// Reads the text of a price sheet; takes any bytes. A first line without a
// price is the sheet's column names, unless its first field is one of
// ingredients (the names prices are put on, compared as MatchPrices compares
// them): then it is a line of data whose price cannot be read.
PriceSheet ReadPriceSheet(std::string_view text, const std::vector<std::string>& ingredients = {});
// The same, with the names of the matrix in s.
PriceSheet ReadPriceSheet(std::string_view text, const SharedState& s);

struct PriceChange {
    int ingredient = 0;  // matrix index, 1-based
    std::string name;    // as the matrix names it
    double before = 0, after = 0;
};

struct PriceMatch {
    std::vector<PriceChange> changes;    // matched names, in sheet order (unchanged prices too)
    std::vector<std::string> unmatched;  // sheet names the matrix does not hold
    // An ingredient the sheet prices twice at different prices, naming both
    // lines: the sheet is refused (nothing is put on the matrix).
    std::vector<std::string> conflicts;
    // Said with the prices: the same price given twice; a name that several
    // rows of the matrix carry (every one of them takes the price).
    std::vector<std::string> notes;
    bool Refused() const { return !conflicts.empty(); }
};

// Matches the sheet's names to the matrix's ingredients (case and runs of
// blanks do not matter). Every row of the matrix that carries a name takes
// its price.
PriceMatch MatchPrices(const SharedState& s, const PriceSheet& sheet);

// Puts the matched prices into the matrix (the session's tables; the file
// changes only when the matrix is saved); nothing for a refused match.
void ApplyPrices(SharedState& s, const PriceMatch& match);

// The text of a matrix file with the price lines of the matched ingredients
// rewritten (the number before the first TAB; the value written in the file
// number format when that reads back exactly, else in full) and every other
// byte as it was. Empty when the text is not a matrix of the counts its first
// line gives.
std::string MatrixTextWithPrices(std::string_view matrixText, const PriceMatch& match);

// The matrix editor's "Prices from a Sheet": the sheet's prices into the
// editor's price column for the names it matches (taken over and saved as any
// edit), then one message: how many prices changed and the names not found,
// or why nothing was read. A sheet that prices one ingredient twice at
// different prices changes nothing and the message names both lines.
// Returns the match.
PriceMatch PastePriceSheet(SharedState& s, MatrixEditorWindow& w, std::string_view text);

// The matrix editor's "Paste Prices" (the clipboard's two columns, as copied
// from a spreadsheet) and "Prices from File..." (a price sheet chosen in a
// file dialog; a cancelled dialog does nothing).
void PasteClipboardPrices(SharedState& s, MatrixEditorWindow& w);
void PricesFromFile(SharedState& s, MatrixEditorWindow& w);

}  // namespace tarvisol
