#pragma once
// A location's plain settings file (.mkt, .hrd) as a whole: its text read
// when it is there, and the settings saved beside the location.
#include <string>
#include <vector>

namespace tarvisol {

struct SharedState;

enum class SettingsFileRead { Absent, Unreadable, Read };

// The text of the settings file at path. Absent without a location or a
// file; Unreadable when the file could not be read, said as "<why>. The
// <what> are the defaults.".
SettingsFileRead ReadSettingsFile(const std::string& locationBase, const std::string& path, const char* what,
                                  std::string& content, std::vector<std::string>& messages);

// Saves text at path through the location's atomic save; without an open
// location says "Open a location before saving its <what>" and saves nothing.
bool SaveSettingsFile(SharedState& s, const std::string& path, const std::string& text, const char* what);

}  // namespace tarvisol
