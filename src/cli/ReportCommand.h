#pragma once
// tarvisol-cli report: runs Growth as `growth` does and writes the report of
// the run (with the kept runs compared) as a PDF, and the workbook on request.
#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/GrowthCommand.h"
#include "ui/ReportExport.h"

namespace tarvisol::cli {

struct ReportArgs {
    GrowthArgs growth;
    std::string pdf;   // required
    std::string xlsx;  // optional
    ReportPage page = ReportPage::A4;
    std::string date;  // printed on the report; today when empty
    bool herd = false; // add the herd page (and the workbook's Herd sheet)
};

// Keys: "ran" (every file asked for was written from a run that stands),
// "location", "messages", "pdf", "xlsx" (the files written, or null),
// "cost_per_pig", "final_age", "refused" (Growth refused the input, or the
// herd or market settings of the herd page asked for), "herd_page".
// renderer: null when this program cannot draw
// pages (built without Qt); the PDF is then reported as not written.
nlohmann::json RunReportCommand(const ReportArgs& args, ReportRenderer* renderer, std::ostream* messages);

void PrintReportOutcome(const nlohmann::json& report, std::ostream& out);

// 0 every file written, 2 the input refused, 1 otherwise.
int ReportExitCode(const nlohmann::json& report);

}  // namespace tarvisol::cli
