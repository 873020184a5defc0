#pragma once
// "Keep This Run": the finished run (after Growth, or the optimum after its
// transfer to the main window) kept with the location under a name, in the
// location's kept-runs file.
#include <string>

#include "report/KeptRun.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kKeepRunTitle = "Keep This Run";
inline constexpr const char* kKeepRunPrompt = "Name of this run";
inline constexpr const char* kNoLocationToKeep = "Open a location before keeping a run";

// The run "Keep This Run", the report and the workbook take: the last Growth
// run, or the optimum transferred to the main window after it.
const RunSnapshot& CurrentRun(const SharedState& s);

// The name a run is offered under: its feed formulation and the date and time.
std::string DefaultRunName(const RunSnapshot& run, const std::string& now);

// Asks for the name (offering the default), then keeps the run: a name kept
// already is replaced only when the user says so. `now` is the date and time
// of keeping, "YYYY-MM-DD HH:MM". Returns whether the run was kept.
bool KeepThisRun(SharedState& s, const std::string& now);

// Keeps `run` under `name` (the location's bytes, as KeptRunName gives it)
// without asking; replace: a run of the same name is replaced (otherwise that
// is refused). Returns false with a message.
bool KeepRunAs(SharedState& s, const RunSnapshot& run, const std::string& name, const std::string& now, bool replace,
               std::string& error);

// A run's name as the user typed it (UTF-8, from a window or the command
// line) as the kept-runs file holds it: the location's single-byte text, the
// blanks around it dropped. Returns why it cannot be kept as typed (no name,
// a TAB or line break, a character the location's text has no byte for),
// empty when it can.
std::string KeptRunName(const std::string& typed, std::string& name);

}  // namespace tarvisol
