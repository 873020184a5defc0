#pragma once
// A location's plain settings file (.mkt, .hrd) as a whole: its text read
// when it is there, its "name<TAB>value" lines, and the settings saved beside
// the location.
#include <string>
#include <string_view>
#include <vector>

namespace tarvisol {

struct SharedState;

enum class SettingsFileRead { Absent, Unreadable, Read };

// The text of the settings file at path. Absent without a location or when
// nothing is at path; Unreadable when something is there but gives no text
// (a folder, a link to nothing, a device, a file that cannot be opened),
// said as "<why>; the <what> in it were not used.".
SettingsFileRead ReadSettingsFile(const std::string& locationBase, const std::string& path, const char* what,
                                  std::string& content, std::vector<std::string>& messages);

// One line of a settings file that is not blank.
struct SettingsLine {
    std::size_t line = 0;  // 1-based
    std::string name;      // as written, blanks around it dropped
    std::string key;       // the name lower-cased, as names are matched
    std::string value;     // blanks around it dropped
    // Not empty: the line gives nothing to use, and this says why (no TAB;
    // a name given again).
    std::string note;
    // The name is given again on a later line with another value: neither
    // value is used (the later line's note names both lines).
    bool conflicting = false;
};

// The lines of a settings file's text, in order: blank lines and a first
// line equal to header (any case) skipped. A line without a TAB has the note
// "<where>, line N: "..." is not a name and a value". A name given again has
// a note naming both lines: with the same value the first line stands; with
// another value the first line is marked conflicting. where starts each note
// ("Market settings"). Accepts any bytes.
std::vector<SettingsLine> ReadSettingsLines(std::string_view text, const char* header, const std::string& where);

// Saves text at path through the location's atomic save; without an open
// location says "Open a location before saving its <what>" and saves nothing.
bool SaveSettingsFile(SharedState& s, const std::string& path, const std::string& text, const char* what);

}  // namespace tarvisol
