#include "ui/ReportExport.h"

#include <filesystem>

#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "shared/Dialogs.h"
#include "ui/KeepRun.h"

namespace tarvisol {
namespace {

// The kept runs to compare; a file that cannot be read is told, and the
// export goes on without the comparison.
std::vector<KeptRun> KeptRunsFor(SharedState& s) {
    std::vector<KeptRun> runs;
    std::string error;
    const std::string path = RunsFileOf(s);
    if (!path.empty() && !ReadRunsFile(path, runs, error))
        DialogsOf(s).Message(error + "; the export leaves the comparison out");
    return runs;
}

// The file the user chose for the export, with its ending; "" when cancelled.
std::string ChooseFile(SharedState& s, const std::string& title, const std::string& ending) {
    const std::string initial = LocationTitle(s) + ending;
    std::string path = DialogsOf(s).SaveFile(title, "*" + ending, s.LocationFolder, initial);
    if (path.empty() || path == initial) return {};
    if (std::filesystem::path(path).extension().empty()) path += ending;
    return path;
}

}  // namespace

std::string LocationTitle(const SharedState& s) {
    std::string name = std::filesystem::path(s.LocationBase).filename().string();
    return name.empty() ? "Tarvisol" : name;
}

bool CurrentReport(SharedState& s, const std::string& date, ReportDocument& doc, const HerdReport* herd,
                   const precision::PrecisionResult* precision, const MarginSearchResult* margin) {
    const RunSnapshot& run = CurrentRun(s);
    if (const std::string why = WhyRunCannotBeKept(run); !why.empty()) {
        DialogsOf(s).Message("No report: " + why);
        return false;
    }
    const std::vector<KeptRun> kept = KeptRunsFor(s);
    ReportRequest rq;
    rq.Run = &run;
    rq.Location = LocationTitle(s);
    rq.Date = date;
    rq.Kept = &kept;
    rq.Herd = herd;
    rq.Precision = precision;
    rq.Margin = margin;
    doc = BuildReport(rq);
    return true;
}

void ExportReport(SharedState& s, ReportRenderer& renderer, const std::string& date, ReportPage page,
                  const HerdReport* herd, const precision::PrecisionResult* precision, const MarginSearchResult* margin) {
    ReportDocument doc;
    if (!CurrentReport(s, date, doc, herd, precision, margin)) return;
    const std::string path = ChooseFile(s, "Export Report", ".pdf");
    if (path.empty()) return;
    std::string error;
    if (!renderer.WritePdf(doc, page, path, error)) {
        DialogsOf(s).Message("The report was not written: " + error);
        return;
    }
    DialogsOf(s).Note("Report written to " + path, "Export Report");
}

void ExportWorkbook(SharedState& s, const std::string& date, const HerdReport* herd,
                    const precision::PrecisionResult* precision, const MarginSearchResult* margin) {
    const RunSnapshot& run = CurrentRun(s);
    const std::string why = WhyRunCannotBeKept(run);
    const std::vector<KeptRun> kept = KeptRunsFor(s);
    if (!why.empty() && kept.empty()) {
        DialogsOf(s).Message("Nothing to export: " + why);
        return;
    }
    const std::string path = ChooseFile(s, "Export to Excel", ".xlsx");
    if (path.empty()) return;
    WorkbookRequest rq;
    rq.Run = why.empty() ? &run : nullptr;
    rq.Kept = &kept;
    rq.Herd = herd;
    rq.Precision = precision;
    rq.Margin = margin;
    rq.Location = LocationTitle(s);
    rq.Date = date;
    std::string error;
    if (!WriteWorkbook(path, rq, error)) {
        DialogsOf(s).Message("The workbook was not written: " + error);
        return;
    }
    std::string note = why.empty() ? "" : " (the kept runs only: " + why + ")";
    DialogsOf(s).Note("Workbook written to " + path + note, "Export to Excel");
}

}  // namespace tarvisol
