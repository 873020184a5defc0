#include "cli/CompareCommand.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/ModelChoice.h"
#include "cli/OpenLocation.h"
#include "cli/RunJson.h"
#include "location/StartUp.h"
#include "report/RunComparison.h"
#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "shared/MainWindowForm.h"
#include "shared/TextEncoding.h"

namespace tarvisol::cli {

using nlohmann::json;

json RunCompareCommand(const CompareArgs& args, std::ostream* messages) {
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ConsoleDialogs dialogs(messages, Answer::No);
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    s->Main = w.get();
    s->Dialog = &dialogs;
    OpenLocationAsUser(*s, args.location);

    json r;
    r["ran"] = false;
    r["refused"] = false;
    r["location"] = MixedTextToUtf8(s->LocationBase);
    const std::string file = RunsFileOf(*s);
    r["runs_file"] = MixedTextToUtf8(file);
    r["xlsx"] = nullptr;
    r["base"] = nullptr;
    r["runs"] = json::array();
    std::vector<std::string> notes = dialogs.Shown();
    const auto finish = [&]() -> json {
        r["messages"] = json::array();
        for (const std::string& m : notes) r["messages"].push_back(MixedTextToUtf8(m));
        return r;
    };

    std::vector<KeptRun> runs;
    std::string error;
    if (file.empty() || !ReadRunsFile(file, runs, error)) {
        notes.push_back(error.empty() ? "No location to compare" : error);
        return finish();
    }
    if (runs.empty()) {
        notes.push_back("No runs are kept for this location (" + file + ")");
        return finish();
    }
    int base = 0;
    if (args.base) {
        base = FindKeptRun(runs, Utf8ToWindows1252(*args.base));
        if (base < 0) {
            notes.push_back("No kept run is named " + Utf8ToWindows1252(*args.base));
            r["refused"] = true;
            return finish();
        }
    }
    const RunComparison c = CompareRuns(runs, base);
    std::vector<json> inputs, results;
    for (const KeptRun& k : runs) {
        const RunFigures f = FiguresOf(k.Run, c.Units);
        inputs.push_back(RunInputsJson(f));
        results.push_back(RunResultsJson(f));
    }
    r["base"] = Windows1252ToUtf8(runs[static_cast<std::size_t>(base)].Name);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        json run{{"name", Windows1252ToUtf8(runs[i].Name)},
                 {"kept", runs[i].Kept},
                 {"source", runs[i].Run.Source},
                 {"inputs", inputs[i]},
                 {"results", results[i]}};
        if (static_cast<int>(i) == base) {
            run["difference"] = nullptr;
        } else {
            run["difference"] = {{"inputs", DifferenceJson(inputs[i], inputs[static_cast<std::size_t>(base)], false)},
                                 {"results", DifferenceJson(results[i], results[static_cast<std::size_t>(base)], true)}};
        }
        r["runs"].push_back(std::move(run));
    }
    // The table as the window shows it, for the text report.
    json table = json::array();
    for (const ComparedRow& row : c.Rows) {
        json cells = json::array();
        for (const ComparedValue& v : row.Values)
            cells.push_back({Windows1252ToUtf8(v.Text), v.DifferenceText, v.PercentText, VerdictName(v.Outcome)});
        table.push_back({{"section", row.Section}, {"label", Windows1252ToUtf8(row.Label)}, {"unit", Windows1252ToUtf8(row.Unit)}, {"values", cells}});
    }
    r["table"] = std::move(table);
    r["ran"] = true;
    if (!args.xlsx.empty()) {
        WorkbookRequest rq;
        rq.Kept = &runs;
        rq.Base = base;
        rq.Location = std::filesystem::path(s->LocationBase).filename().string();
        if (WriteWorkbook(args.xlsx, rq, error)) {
            r["xlsx"] = args.xlsx;
        } else {
            notes.push_back(error);
            r["ran"] = false;
        }
    }
    return finish();
}

void PrintCompareReport(const json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r.contains("table")) {
        if (!r["ran"].get<bool>()) out << "No comparison.\n";
        return;
    }
    const auto pad = [](std::string s, std::size_t n, bool right) {
        if (s.size() >= n) return s + " ";
        return right ? std::string(n - s.size(), ' ') + s : s + std::string(n - s.size(), ' ');
    };
    out << "Kept runs of " << r["location"].get<std::string>() << " against " << r["base"].get<std::string>() << "\n";
    std::size_t i = 0;
    for (const auto& run : r["runs"])
        out << "  " << ++i << ": " << run["name"].get<std::string>() << "  (kept " << run["kept"].get<std::string>()
            << "; " << ModelLineOf(run["inputs"]) << ")\n";
    out << "\n";
    std::string section;
    for (const auto& row : r["table"]) {
        if (row["section"] != section) {
            section = row["section"].get<std::string>();
            out << section << "\n";
        }
        std::string label = row["label"].get<std::string>();
        if (!row["unit"].get<std::string>().empty()) label += ", " + row["unit"].get<std::string>();
        out << "  " << pad(label, 34, false);
        std::size_t k = 0;
        for (const auto& v : row["values"]) {
            std::string cell = v[0].get<std::string>();
            if (!v[1].get<std::string>().empty()) cell += " (" + v[1].get<std::string>() + (v[2].get<std::string>().empty() ? "" : ", " + v[2].get<std::string>()) + ")";
            const std::string verdict = v[3].get<std::string>();
            if (verdict == "better" || verdict == "worse") cell += " " + verdict;
            out << pad(cell, k == 0 ? 14 : 30, true);
            ++k;
        }
        out << "\n";
    }
    if (!r["xlsx"].is_null()) out << "\nWorkbook: " << r["xlsx"].get<std::string>() << "\n";
}

int CompareExitCode(const json& r) {
    if (r.value("refused", false)) return 2;
    return r.value("ran", false) ? 0 : 1;
}

}  // namespace tarvisol::cli
