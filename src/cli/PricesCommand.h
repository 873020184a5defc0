#pragma once
// tarvisol-cli prices LOCATION FILE [--save] [--json]: a price sheet (two
// columns, ingredient and price, as a spreadsheet saves it) put onto the
// location's matrix. Prints what changes; saves the matrix only with --save
// and only when every line of the sheet was read and matched.
#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

struct PricesArgs {
    std::string location;  // folder plus base name
    std::string file;      // the price sheet
    bool save = false;
    bool json = false;
};

// {"location", "sheet", "loaded", "changes": [{"ingredient", "name", "before",
// "after"}], "unmatched": [...], "not_read": [...], "saved", "messages"}.
nlohmann::ordered_json RunPricesCommand(const PricesArgs& args, std::ostream* messages);

void PrintPrices(const nlohmann::ordered_json& result, std::ostream& out);

// 0 every line matched (and saved when asked), 1 a name not matched, a line
// not read or the save failed, 2 no matrix or no readable sheet.
int PricesExitCode(const nlohmann::ordered_json& result);

}  // namespace tarvisol::cli
