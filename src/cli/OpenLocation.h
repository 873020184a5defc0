#pragma once
// Opening a location from the command line as a user does at the main window:
// the window starts up, the location's name is typed into "Calibration Name"
// and Enter runs LocationName. The record's Main and Dialog must be set.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol::cli {

void OpenLocationAsUser(SharedState& s, const std::string& location);

// After OpenLocationAsUser: "The location <location> was not found: there is
// no <location>.pig" when the location has no settings file, else empty.
std::string LocationNotFound(const SharedState& s, const std::string& location);

// What the location left unchosen: least-cost formulation when it has a
// matrix (the grid's diets otherwise) and a mixed herd.
void ChooseMissingProgramme(SharedState& s);

}  // namespace tarvisol::cli
