#include "cli/ReportCommand.h"

#include <ctime>
#include <ostream>

#include "cli/GrowthSession.h"
#include "cli/ReportHerd.h"
#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "shared/TextEncoding.h"
#include "ui/KeepRun.h"

namespace tarvisol::cli {
namespace {

std::string Today() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

}  // namespace

nlohmann::json RunReportCommand(const ReportArgs& args, ReportRenderer* renderer, std::ostream* messages) {
    auto g = GrowAsUser(args.growth, messages);
    SharedState& s = *g->s;
    nlohmann::json r;
    std::vector<std::string> notes = g->dialogs->Shown();
    r["location"] = Windows1252ToUtf8(s.LocationBase);
    r["pdf"] = nullptr;
    r["xlsx"] = nullptr;
    r["ran"] = false;
    // Input Growth refused (a starting weight out of range, ...) is refused
    // input, not a missing result.
    r["refused"] = g->outcome == GrowthOutcome::Refused;
    const auto finish = [&] {
        r["messages"] = nlohmann::json::array();
        for (const std::string& m : notes) r["messages"].push_back(Windows1252ToUtf8(m));
        return r;
    };
    const RunSnapshot& run = CurrentRun(s);
    if (const std::string why = WhyRunCannotBeKept(run); !why.empty()) {
        notes.push_back("No report: " + why);
        return finish();
    }
    r["cost_per_pig"] = run.CostPerPig;
    r["final_age"] = run.FinalAge;
    const std::string date = args.date.empty() ? Today() : args.date;
    // The comparison when runs are kept; an unreadable file is told.
    std::vector<KeptRun> kept;
    std::string error;
    if (!ReadRunsFile(RunsFileOf(s), kept, error)) notes.push_back(error + "; the report leaves the comparison out");

    // The herd page asked for: without it nothing is written.
    r["herd_page"] = false;
    CommandHerdPage herd;
    if (args.herd) {
        herd = CommandHerdReport(s, *g->dialogs, 0);
        if (!herd.herd) {
            notes.push_back("No report: the herd page cannot be made: " + herd.problem);
            r["refused"] = herd.refused;
            return finish();
        }
        r["herd_page"] = true;
    }

    bool written = true;
    if (!renderer) {
        notes.push_back("The report was not written: this tarvisol-cli was built without Qt and cannot draw pages");
        written = false;
    } else {
        ReportRequest rq;
        rq.Run = &run;
        rq.Location = LocationTitle(s);
        rq.Date = date;
        rq.Kept = &kept;
        rq.Herd = herd.herd ? &*herd.herd : nullptr;
        const ReportDocument doc = BuildReport(rq);
        if (!renderer->WritePdf(doc, args.page, args.pdf, error)) {
            notes.push_back("The report was not written: " + error);
            written = false;
        }
        if (written) r["pdf"] = args.pdf;
    }
    if (!args.xlsx.empty()) {
        WorkbookRequest rq;
        rq.Run = &run;
        rq.Kept = &kept;
        rq.Herd = herd.herd ? &*herd.herd : nullptr;
        rq.Location = LocationTitle(s);
        rq.Date = date;
        if (WriteWorkbook(args.xlsx, rq, error)) {
            r["xlsx"] = args.xlsx;
        } else {
            notes.push_back("The workbook was not written: " + error);
            written = false;
        }
    }
    r["ran"] = written;
    return finish();
}

void PrintReportOutcome(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r["pdf"].is_null()) out << "Report: " << r["pdf"].get<std::string>() << "\n";
    if (!r["xlsx"].is_null()) out << "Workbook: " << r["xlsx"].get<std::string>() << "\n";
    if (!r["ran"].get<bool>()) out << "Not every file asked for was written.\n";
}

int ReportExitCode(const nlohmann::json& r) {
    if (r.value("refused", false)) return 2;
    return r.value("ran", false) ? 0 : 1;
}

}  // namespace tarvisol::cli
