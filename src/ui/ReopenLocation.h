#pragma once
// Opening a location the program already knows (a recent one, the demo copy)
// as if the user had typed its name into "Calibration Name", pressed Enter and
// answered Yes to reopening it: the same LocationName, with every message it
// gives, only without that one question.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

// base: folder plus base name, e.g. "/home/ann/Tarvisol Demo/Demo". When the
// location's settings file (base + ".pig") is gone, says so and opens nothing.
// Returns whether the location was opened. The record's Main and Dialog must be set.
bool ReopenLocation(SharedState& s, const std::string& base);

// "The location " + base + " is no longer there (no " + pig file + ")."
std::string LocationGoneMessage(const std::string& base);

}  // namespace tarvisol
