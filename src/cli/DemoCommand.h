#pragma once
// tarvisol-cli demo FOLDER: a fresh, writable copy of the bundled demo
// location under FOLDER ("Tarvisol Demo", "Tarvisol Demo 2", ...), the same
// copy Help -> "Open the Demo Location" makes, for the other commands to run on.
#include <ostream>
#include <string>

namespace tarvisol::cli {

struct DemoArgs {
    std::string folder;  // where the copy's own folder is made
};

// Prints the copy's location (folder plus base name) on out; a failure goes to
// err. programFolder is where the running program sits (the demo is found
// from there). Returns the exit status: 0 copied, 1 not.
int RunDemoCommand(const DemoArgs& args, const std::string& programFolder, std::ostream& out, std::ostream& err);

}  // namespace tarvisol::cli
