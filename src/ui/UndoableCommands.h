#pragma once
// The desk's commands that can be taken back (Edit -> Undo): each is run
// between two snapshots of what it may change, and when anything changed the
// two snapshots become its undo step. A snapshot holds only what the user
// sets up (the boxes and grids of the inputs, the diets' limits and
// allotments, the growth curve and measured herd, the optimum transferred,
// and for a save the bytes of the location's files), never the results: the
// last run stays the last run, and says so when it is from before the undo.
#include <functional>
#include <string>

#include "shared/SharedState.h"
#include "ui/UndoHistory.h"

namespace tarvisol {

struct HerdWindow;

// Runs command; when it changed the main window's inputs, the diets' limits or
// allotments, the curve or the measured herd (and with files, the location's
// files), records it as `what`. Returns whether a step was recorded.
bool RecordDeskChange(SharedState& s, UndoHistory& history, const std::string& what, bool files,
                      const std::function<void()>& command);

// The same for the Herd and Marketing window: its settings, cuts and what it
// sold (Find the Best Cuts, an edit of the cuts).
bool RecordHerdChange(SharedState& s, UndoHistory& history, HerdWindow& f, const std::string& what,
                      const std::function<void()>& command);

// The names of the steps.
inline constexpr const char* kUndoDietsEdit = "Edit of the Diets";
inline constexpr const char* kUndoCurveEdit = "Edit of the Growth Curve";
inline constexpr const char* kUndoTransfer = "Transfer Optimum";
inline constexpr const char* kUndoBestCuts = "Find the Best Cuts";
inline constexpr const char* kUndoCutsEdit = "Edit of the Cuts";
inline constexpr const char* kUndoCalibration = "Calibration";

}  // namespace tarvisol
