#pragma once
// The kept-runs list of the "Compare Runs" window: rename, delete and reorder
// the chosen run (each saved at once to the location's kept-runs file; a save
// that fails is told and the list stays as the file has it; a file changed
// since the window was filled is shown afresh first), and restore it into
// the main window to grow it again.
#include "shared/SharedState.h"
#include "ui/CompareRuns.h"

namespace tarvisol {

// Told instead of a rename, delete or move when the kept-runs file no longer
// holds what the window shows.
inline constexpr const char* kKeptRunsChangedElsewhere =
    "The kept runs were changed elsewhere since this window showed them; it shows them now. Nothing was changed: "
    "choose the run again.";

void RenameKeptRun(SharedState& s, CompareRunsWindow& w);
void DeleteKeptRun(SharedState& s, CompareRunsWindow& w);
// delta -1 moves the chosen run up, +1 down.
void MoveKeptRun(SharedState& s, CompareRunsWindow& w, int delta);
void RestoreKeptRun(SharedState& s, CompareRunsWindow& w);

}  // namespace tarvisol
