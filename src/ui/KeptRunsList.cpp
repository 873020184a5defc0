#include "ui/KeptRunsList.h"

#include "shared/TextEncoding.h"

#include <algorithm>

#include "report/RunsFile.h"
#include "shared/Dialogs.h"
#include "ui/KeepRun.h"
#include "ui/RestoreRun.h"

namespace tarvisol {
namespace {

// Saves the changed list; on failure the window goes back to what the file holds.
bool Save(SharedState& s, CompareRunsWindow& w, std::vector<KeptRun> before, const std::string& baseName) {
    std::string error;
    if (!SaveRunsFile(w.RunsFile, w.Runs, error)) {
        DialogsOf(s).Message(error);
        w.Runs = std::move(before);
        w.LabelStatus.Caption = "Not saved: the kept runs are as they were";
    }
    const int base = FindKeptRun(w.Runs, baseName);
    w.Base = base >= 0 ? base : 0;
    ShowCompareRuns(w);
    return error.empty();
}

std::string BaseName(const CompareRunsWindow& w) {
    return w.Base >= 0 && w.Base < static_cast<int>(w.Runs.size()) ? w.Runs[static_cast<std::size_t>(w.Base)].Name : "";
}

void Choose(CompareRunsWindow& w, int i) {
    w.GridRuns.Row = w.GridRuns.RowSel = i + 1;
    w.GridRuns.Col = 0;
    w.GridRuns.ColSel = w.GridRuns.Cols() - 1;
}

// Whether the window still shows what the file holds. Another window or the
// command line may have kept, renamed or deleted a run since it was filled;
// saving the window's list then would write those changes away. A changed
// list is shown afresh and nothing is changed.
bool ListIsCurrent(SharedState& s, CompareRunsWindow& w) {
    std::vector<KeptRun> now;
    std::string error;
    if (!ReadRunsFile(w.RunsFile, now, error)) {
        DialogsOf(s).Message(error + "; nothing was changed");
        return false;
    }
    if (RunsFileText(now) == RunsFileText(w.Runs)) return true;
    const std::string base = BaseName(w);
    w.Runs = std::move(now);
    const int b = FindKeptRun(w.Runs, base);
    w.Base = b >= 0 ? b : 0;
    ShowCompareRuns(w);
    w.LabelStatus.Caption = "The list was changed elsewhere and is shown afresh";
    DialogsOf(s).Message(kKeptRunsChangedElsewhere);
    return false;
}

}  // namespace

void RenameKeptRun(SharedState& s, CompareRunsWindow& w) {
    const int i = ChosenRun(w);
    if (i < 0) return;
    if (!ListIsCurrent(s, w)) return;
    Dialogs& dlg = DialogsOf(s);
    const std::string old = w.Runs[static_cast<std::size_t>(i)].Name;
    const std::string typed = dlg.Input("New name of the run", "Rename Run", Windows1252ToUtf8(old));
    if (typed.find_first_not_of(' ') == std::string::npos) return;  // cancelled
    std::string name;
    if (const std::string why = KeptRunName(typed, name); !why.empty()) {
        dlg.Message(why + "; the run keeps its name");
        return;
    }
    if (name == old) return;
    if (FindKeptRun(w.Runs, name) >= 0) {
        dlg.Message("A run named " + name + " is kept already");
        return;
    }
    const std::string base = BaseName(w) == old ? name : BaseName(w);
    std::vector<KeptRun> before = w.Runs;
    w.Runs[static_cast<std::size_t>(i)].Name = name;
    if (Save(s, w, std::move(before), base)) w.LabelStatus.Caption = "Renamed " + old + " to " + name;
    Choose(w, i);
}

void DeleteKeptRun(SharedState& s, CompareRunsWindow& w) {
    const int i = ChosenRun(w);
    if (i < 0) return;
    if (!ListIsCurrent(s, w)) return;
    const std::string name = w.Runs[static_cast<std::size_t>(i)].Name;
    if (DialogsOf(s).Ask("Delete the kept run " + name + "?", Buttons::YesNo, "Delete Run") != Answer::Yes) return;
    const std::string base = BaseName(w);
    std::vector<KeptRun> before = w.Runs;
    w.Runs.erase(w.Runs.begin() + i);
    if (Save(s, w, std::move(before), base)) w.LabelStatus.Caption = "Deleted " + name;
    if (!w.Runs.empty()) Choose(w, std::min(i, static_cast<int>(w.Runs.size()) - 1));
}

void MoveKeptRun(SharedState& s, CompareRunsWindow& w, int delta) {
    const int i = ChosenRun(w);
    const int j = i + delta;
    if (i < 0 || j < 0 || j >= static_cast<int>(w.Runs.size())) return;
    if (!ListIsCurrent(s, w)) return;
    const std::string base = BaseName(w);
    std::vector<KeptRun> before = w.Runs;
    std::swap(w.Runs[static_cast<std::size_t>(i)], w.Runs[static_cast<std::size_t>(j)]);
    Choose(w, Save(s, w, std::move(before), base) ? j : i);
}

void RestoreKeptRun(SharedState& s, CompareRunsWindow& w) {
    const int i = ChosenRun(w);
    if (i < 0) return;
    const KeptRun& k = w.Runs[static_cast<std::size_t>(i)];
    const std::vector<std::string> notes = RestoreRun(s, k.Run);
    for (const std::string& n : notes) DialogsOf(s).Message(n);
    w.LabelStatus.Caption = "Restored " + k.Name + " to the main window: press Growth to grow it again";
}

}  // namespace tarvisol
