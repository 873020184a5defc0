#pragma once
// "Export Report..." and "Export to Excel...": the current run (and the
// comparison of the location's kept runs) as a PDF report or a workbook. The
// document is built here; drawing it onto pages needs a window system and is
// done by the front end's ReportRenderer.
#include <string>

#include "report/ReportDocument.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct HerdReport;
struct MarginSearchResult;
namespace precision {
struct PrecisionResult;
}

enum class ReportPage { A4, Letter };

// Draws report documents onto pages (Qt in the front ends).
class ReportRenderer {
public:
    virtual ~ReportRenderer() = default;
    // Writes the document as a PDF at path; false with a message on failure.
    virtual bool WritePdf(const ReportDocument& doc, ReportPage page, const std::string& path, std::string& error) = 0;
};

// The report of the current run (the last Growth run or the optimum
// transferred after it) with the kept runs compared. false with a message
// shown when there is no run the program stands behind.
// A herd sold in cuts (the Herd and Marketing window's) adds its page.
// A comparison of ways of feeding (the Precision Feeding window's) adds its section.
// A margin search (the optimisation window's) adds its section.
bool CurrentReport(SharedState& s, const std::string& date, ReportDocument& doc, const HerdReport* herd = nullptr,
                   const precision::PrecisionResult* precision = nullptr, const MarginSearchResult* margin = nullptr);

// The location's name for reports and default file names ("Demo").
std::string LocationTitle(const SharedState& s);

// "Export Report...": asks for the PDF file, writes it, tells the outcome.
void ExportReport(SharedState& s, ReportRenderer& renderer, const std::string& date, ReportPage page,
                  const HerdReport* herd = nullptr, const precision::PrecisionResult* precision = nullptr,
                  const MarginSearchResult* margin = nullptr);

// "Export to Excel...": asks for the workbook file, writes it, tells the outcome.
// A comparison of ways of feeding (the Precision Feeding window's) adds its sheet.
void ExportWorkbook(SharedState& s, const std::string& date, const HerdReport* herd = nullptr,
                    const precision::PrecisionResult* precision = nullptr, const MarginSearchResult* margin = nullptr);

}  // namespace tarvisol
