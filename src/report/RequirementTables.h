#pragma once
// The requirements and the nutrient balance of a run laid out as tables, the
// same for the report's page and the workbook's sheet: one table per diet
// phase (each nutrient's requirement and supply, % of the feed) and the
// balance beside the EU reference ranges.
#include <optional>
#include <string>
#include <vector>

#include "shared/RunSnapshot.h"

namespace tarvisol {

// A cell: a figure with the decimals it is shown with, or a text (UTF-8).
struct TableCell {
    std::string Text;
    std::optional<double> Number;
    int Decimals = 0;
    // An excretion above its EU BAT range: shaded wherever the table shows.
    bool AboveRange = false;
    std::string Shown() const;  // the figure as shown, or the text
};

struct FigureTable {
    std::string Title;                          // UTF-8
    std::vector<std::string> Header;            // UTF-8
    std::vector<std::vector<TableCell>> Rows;
};

// One table per diet phase of the run; empty when the run has no requirements.
std::vector<FigureTable> RequirementTablesOf(const RunSnapshot& run);

// The balance per pig and per place and year; what could not be computed
// says why in its row.
FigureTable BalanceTableOf(const RunSnapshot& run);

// The lines under the tables: the basis of the figures and the run's notes (UTF-8).
std::vector<std::string> RequirementNotesOf(const RunSnapshot& run);

}  // namespace tarvisol
