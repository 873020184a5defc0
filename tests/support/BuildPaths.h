#pragma once
// Where this build's source tree and command-line program are. The paths live in
// one generated source per test program, so that no test file's compiled form
// depends on where the tree is checked out (the compiler cache shares them).
namespace tarvisol::testing {
extern const char* const kBuildSourceDir;
extern const char* const kBuildCliPath;
}  // namespace tarvisol::testing

#define TARVISOL_SOURCE_DIR (::tarvisol::testing::kBuildSourceDir)
#define TARVISOL_CLI (::tarvisol::testing::kBuildCliPath)
