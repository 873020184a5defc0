#pragma once
// The program's own data: the demo location and the user's guide, found from
// the folder the running program sits in. Installed, they are in
// <prefix>/share/tarvisol beside <prefix>/bin; in a build tree they are the
// source tree's examples/demo and docs, a few folders above the program.
#include <string>

namespace tarvisol {

inline constexpr const char* kDemoBaseName = "Demo";

struct ProgramData {
    std::string demoFolder;  // holds Demo.pig and the demo's other files; empty when not found
    std::string guideFile;   // guide.md, its pictures in screenshots/ beside it; empty when not found
    std::string libraryFile; // the ingredient library beside the demo folder; empty when not found
};

// Looks in programFolder and the folders above it, nearest first, for the
// installed layout (share/tarvisol/demo, share/tarvisol/guide.md) and the
// source layout (examples/demo, docs/guide.md); the ingredient library sits
// beside the demo folder in both.
ProgramData FindProgramData(const std::string& programFolder);

// The folder of the running executable (symbolic links resolved); empty when
// the system does not tell.
std::string RunningProgramFolder();

}  // namespace tarvisol
