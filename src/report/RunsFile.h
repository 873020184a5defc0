#pragma once
// The location's kept runs, "<base>.runs" beside its other files. One JSON
// document: {"format": "tarvisol-runs", "version": 1, "runs": [{"name",
// "kept", "run": {...}}]}, each run a whole snapshot (inputs and results)
// with numbers written so that they read back bit for bit. The location's
// single-byte names are stored as UTF-8, converted byte for byte.
//
// The file is written only when the user keeps, renames, deletes or reorders
// a run; always atomically.
#include <string>
#include <string_view>
#include <vector>

#include "report/KeptRun.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kRunsFormat = "tarvisol-runs";
inline constexpr int kRunsVersion = 1;
inline constexpr std::size_t kMaxKeptRuns = 500;

// The kept-runs file of the open location (its settings file's name with
// ".runs" for ".pig"), or empty when no location is open.
std::string RunsFileOf(const SharedState& s);

// The text of the file for these runs.
std::string RunsFileText(const std::vector<KeptRun>& runs);

// Reads the text of a kept-runs file. Empty text holds no runs. Anything the
// program cannot use (not JSON, another format, a newer version, a value of
// the wrong kind or outside its range) is refused: returns false with a
// message naming the place, and leaves runs empty.
bool ParseRunsText(std::string_view text, std::vector<KeptRun>& runs, std::string& error);

// Reads the file; a file that does not exist holds no runs.
bool ReadRunsFile(const std::string& path, std::vector<KeptRun>& runs, std::string& error);

// Saves the runs over the file, atomically; a failure is told in error.
bool SaveRunsFile(const std::string& path, const std::vector<KeptRun>& runs, std::string& error);

}  // namespace tarvisol
