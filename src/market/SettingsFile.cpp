#include "market/SettingsFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "market/SettingsText.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

// Why what is at path is no settings file to read, or empty when it is a
// plain file (or nothing is there).
std::string NotAFile(const std::string& path, bool& absent) {
    absent = false;
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        absent = errno == ENOENT || errno == ENOTDIR;
        return absent ? std::string() : "Cannot look at " + path + ": " + std::strerror(errno);
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return path + " is a link to " + SaveTarget(path) + ", which is not there";
    if (S_ISDIR(st.st_mode)) return path + " is a folder, not a settings file";
    if (!S_ISREG(st.st_mode)) return path + " is not a plain file (a device or a pipe)";
    return {};
}

}  // namespace

SettingsFileRead ReadSettingsFile(const std::string& locationBase, const std::string& path, const char* what,
                                  std::string& content, std::vector<std::string>& messages) {
    if (locationBase.empty()) return SettingsFileRead::Absent;
    bool absent = false;
    std::string error = NotAFile(path, absent);
    if (absent) return SettingsFileRead::Absent;
    if (error.empty() && ReadTextFile(path, content, error)) return SettingsFileRead::Read;
    content.clear();
    messages.push_back(error + "; the " + what + " in it were not used.");
    return SettingsFileRead::Unreadable;
}

std::vector<SettingsLine> ReadSettingsLines(std::string_view text, const char* header, const std::string& where) {
    using settings_text::Lower;
    using settings_text::Quoted;
    using settings_text::Trimmed;
    std::vector<SettingsLine> out;
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Trimmed(line).empty()) continue;
        if (i == 0 && Lower(Trimmed(line)) == Lower(header)) continue;
        SettingsLine l;
        l.line = i + 1;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            l.note = where + ", line " + std::to_string(l.line) + ": " + Quoted(line) + " is not a name and a value";
            out.push_back(std::move(l));
            continue;
        }
        l.name = Trimmed(std::string_view(line).substr(0, tab));
        l.key = Lower(l.name);
        l.value = Trimmed(std::string_view(line).substr(tab + 1));
        SettingsLine* earlier = nullptr;
        for (SettingsLine& e : out)
            if (e.note.empty() && e.key == l.key) {
                earlier = &e;
                break;
            }
        if (earlier) {
            l.note = where + ", lines " + std::to_string(earlier->line) + " and " + std::to_string(l.line) + ": " +
                     Quoted(l.name) + " is given twice";
            if (earlier->value == l.value) {
                l.note += ", both times " + Quoted(l.value) + "; line " + std::to_string(l.line) + " is left out";
            } else {
                l.note += ", as " + Quoted(earlier->value) + " and as " + Quoted(l.value) + "; neither is used";
                earlier->conflicting = true;
            }
        }
        out.push_back(std::move(l));
    }
    return out;
}

bool SaveSettingsFile(SharedState& s, const std::string& path, const std::string& text, const char* what) {
    if (s.LocationBase.empty()) {
        DialogsOf(s).Message(std::string("Open a location before saving its ") + what);
        return false;
    }
    return Holds(SaveLocationFile(s, path, text));
}

}  // namespace tarvisol
