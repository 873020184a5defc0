#pragma once
// The current run and the comparison of the kept runs as a spreadsheet
// workbook (.xlsx): one sheet per table, numbers as numbers, the units in
// the headers. Written through libxlsxwriter into a scratch file, then saved
// over the target atomically.
#include <string>
#include <vector>

#include "report/KeptRun.h"

namespace tarvisol {
struct HerdReport;
struct MarginSearchResult;
namespace precision {
struct PrecisionResult;
}
}  // namespace tarvisol

namespace tarvisol {

struct WorkbookRequest {
    const RunSnapshot* Run = nullptr;            // the current run's sheets, when given
    const std::vector<KeptRun>* Kept = nullptr;  // the comparison sheet, when not empty
    int Base = 0;
    const HerdReport* Herd = nullptr;  // a herd sold in cuts: its sheet, when given
    // The three ways of feeding a herd compared (the Precision Feeding
    // window's): its sheet, when given.
    const precision::PrecisionResult* Precision = nullptr;
    // The margin search's result: its sheet, when it ran to its end.
    const MarginSearchResult* Margin = nullptr;
    std::string Location;  // single-byte text
    std::string Date;
};

// The sheets the workbook will hold, in order.
std::vector<std::string> WorkbookSheets(const WorkbookRequest& request);

// Writes the workbook; false with a message when it could not be written
// (the target is then as it was).
bool WriteWorkbook(const std::string& path, const WorkbookRequest& request, std::string& error);

}  // namespace tarvisol
