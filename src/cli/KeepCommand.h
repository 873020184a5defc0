#pragma once
// `growth ... --keep NAME`: the run just grown kept in the location's
// kept-runs file under NAME (a kept run of that name is replaced only with
// --yes).
#include <string>

#include <nlohmann/json.hpp>

#include "shared/SharedState.h"

namespace tarvisol::cli {

// Adds "kept" (the name, or null when the run was not kept) and "runs_file"
// to the report, and the reason to its "messages" when not kept.
void KeepGrownRun(SharedState& s, const std::string& name, bool replace, nlohmann::json& report);

// The date and time now, "YYYY-MM-DD HH:MM" (local time).
std::string NowText();

}  // namespace tarvisol::cli
