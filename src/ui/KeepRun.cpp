#include "ui/KeepRun.h"

#include "report/RunsFile.h"
#include "shared/Dialogs.h"
#include "shared/TextEncoding.h"

namespace tarvisol {

const RunSnapshot& CurrentRun(const SharedState& s) {
    if (!s.TransferredOptimum.Empty() && s.TransferredOptimum.Taken > s.LastRun.Taken) return s.TransferredOptimum;
    return s.LastRun;
}

std::string DefaultRunName(const RunSnapshot& run, const std::string& now) {
    std::string what = run.Source == "Optimum" ? "Optimum" : run.FormulationName;
    if (what.empty()) what = "Growth";
    return what + " " + now;
}

namespace {

std::string Trimmed(const std::string& t) {
    const auto first = t.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string KeptRunName(const std::string& typed, std::string& name) {
    std::string why = TypedToWindows1252(Trimmed(typed), "The run's name", name);
    if (why.empty() && name.empty()) why = "A kept run needs a name";
    if (!why.empty()) name.clear();
    return why;
}

bool KeepRunAs(SharedState& s, const RunSnapshot& run, const std::string& name, const std::string& now, bool replace,
               std::string& error) {
    if (const std::string why = WhyRunCannotBeKept(run); !why.empty()) {
        error = why;
        return false;
    }
    const std::string path = RunsFileOf(s);
    if (path.empty()) {
        error = kNoLocationToKeep;
        return false;
    }
    const std::string clean = Trimmed(name);
    if (clean.empty()) {
        error = "A kept run needs a name";
        return false;
    }
    for (char c : clean)
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
            error = "The run's name holds a TAB, a line break or another control character";
            return false;
        }
    std::vector<KeptRun> runs;
    if (!ReadRunsFile(path, runs, error)) {
        error += "; nothing was kept";
        return false;
    }
    KeptRun kept{clean, now, run};
    kept.Run.Taken = 0;
    const int at = FindKeptRun(runs, clean);
    if (at >= 0 && !replace) {
        error = "A run named " + clean + " is kept already";
        return false;
    }
    if (at >= 0) {
        runs[static_cast<std::size_t>(at)] = std::move(kept);
    } else {
        if (runs.size() >= kMaxKeptRuns) {
            error = "The location keeps " + std::to_string(kMaxKeptRuns) + " runs already: delete one first";
            return false;
        }
        runs.push_back(std::move(kept));
    }
    return SaveRunsFile(path, runs, error);
}

bool KeepThisRun(SharedState& s, const std::string& now) {
    Dialogs& dlg = DialogsOf(s);
    const RunSnapshot& run = CurrentRun(s);
    if (const std::string why = WhyRunCannotBeKept(run); !why.empty()) {
        dlg.Message(why);
        return false;
    }
    const std::string path = RunsFileOf(s);
    if (path.empty()) {
        dlg.Message(kNoLocationToKeep);
        return false;
    }
    // An unreadable file is never overwritten: the runs in it would be lost.
    std::vector<KeptRun> runs;
    std::string error;
    if (!ReadRunsFile(path, runs, error)) {
        dlg.Message(error + "; nothing was kept");
        return false;
    }
    const std::string typed = dlg.Input(kKeepRunPrompt, kKeepRunTitle, Windows1252ToUtf8(DefaultRunName(run, now)));
    if (Trimmed(typed).empty()) return false;  // cancelled
    std::string name;
    if (const std::string why = KeptRunName(typed, name); !why.empty()) {
        dlg.Message(why + "; nothing was kept");
        return false;
    }
    bool replace = false;
    if (FindKeptRun(runs, name) >= 0) {
        if (dlg.Ask("A run named " + name + " is kept already. Replace it?", Buttons::YesNo, kKeepRunTitle) != Answer::Yes)
            return false;
        replace = true;
    }
    if (!KeepRunAs(s, run, name, now, replace, error)) {
        dlg.Message(error);
        return false;
    }
    dlg.Note("Kept " + name + " in " + path, kKeepRunTitle);
    return true;
}

}  // namespace tarvisol
