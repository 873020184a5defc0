#pragma once
// Help -> "Open the Demo Location": a fresh copy of the bundled demo location
// in a folder the user can write (the installed demo is read-only), opened as
// if the user had typed its name. An earlier copy, perhaps changed by the
// user, is never overwritten: each copy gets a folder of its own.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kDemoCopyFolder = "Tarvisol Demo";

// parent + "Tarvisol Demo", or "Tarvisol Demo 2", "Tarvisol Demo 3", ...: the
// first that does not exist yet.
std::string FreshDemoFolder(const std::string& parent);

struct DemoCopy {
    std::string base;   // folder plus base name of the copy ("<folder>/Demo"); empty on failure
    std::string error;  // why there is no copy
};

// Copies every Demo* file of demoFolder into a fresh folder under parent (made
// when missing), each copy writable by the user. A failed copy leaves no
// half-made folder behind.
DemoCopy CopyDemoToFreshFolder(const std::string& demoFolder, const std::string& parent);

// Copies and opens the copy; a failure is told in a message and nothing opens.
// Returns the copy's base, or empty.
std::string OpenDemoLocation(SharedState& s, const std::string& demoFolder, const std::string& parent);

}  // namespace tarvisol
