#pragma once
// The report of a finished run for a producer, built without a window system
// as rich text (HTML) for a page renderer: location and date, herd and
// programme, each diet with its formula and its nutrients against their
// limits, the growth summary, the per-sex and carcass figures, the costs, the
// weight chart and, when runs are kept, their comparison. The renderer draws
// the weight chart from WeightChart into the image named ChartImage and adds
// the page numbers.
#include <string>
#include <vector>

#include "report/GrowthChartData.h"
#include "report/KeptRun.h"

namespace tarvisol {
struct HerdReport;
struct MarginSearchResult;
namespace precision {
struct PrecisionResult;
}
}

namespace tarvisol {

struct ReportRequest {
    const RunSnapshot* Run = nullptr;
    std::string Location;  // the location's name (a file name: UTF-8, or single-byte text)
    std::string Date;      // the date printed on the report, e.g. "2025-03-14"
    const std::vector<KeptRun>* Kept = nullptr;  // compared when not empty
    int Base = 0;          // the base run of the comparison
    const HerdReport* Herd = nullptr;  // a herd sold in cuts: its page, when given
    // The three ways of feeding a herd compared: its section, when given.
    const precision::PrecisionResult* Precision = nullptr;
    // The margin search's result (the optimisation window's, or the
    // command line's run): its section, when it ran to its end.
    const MarginSearchResult* Margin = nullptr;
};

struct ReportDocument {
    std::string Title;   // UTF-8
    std::string Footer;  // UTF-8: location and date, for the foot of every page
    std::string Html;    // UTF-8
    GrowthChartData WeightChart;
    std::string ChartImage = "weight-chart.png";
    int ChartWidth = 680, ChartHeight = 340;  // in the document's pixels (1/96 inch)
    // Every table cell's text (UTF-8), and the names (diets, ingredients,
    // nutrients, kept runs) that must show whole.
    std::vector<std::string> Cells;
    std::vector<std::string> Names;
};

ReportDocument BuildReport(const ReportRequest& request);

// Text made safe for HTML (&, <, >, ").
std::string HtmlEscape(const std::string& utf8);

}  // namespace tarvisol
