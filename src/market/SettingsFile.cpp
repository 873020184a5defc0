#include "market/SettingsFile.h"

#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {

SettingsFileRead ReadSettingsFile(const std::string& locationBase, const std::string& path, const char* what,
                                  std::string& content, std::vector<std::string>& messages) {
    if (locationBase.empty() || !FileExists(path)) return SettingsFileRead::Absent;
    std::string error;
    if (!ReadTextFile(path, content, error)) {
        messages.push_back(error + ". The " + what + " are the defaults.");
        return SettingsFileRead::Unreadable;
    }
    return SettingsFileRead::Read;
}

bool SaveSettingsFile(SharedState& s, const std::string& path, const std::string& text, const char* what) {
    if (s.LocationBase.empty()) {
        DialogsOf(s).Message(std::string("Open a location before saving its ") + what);
        return false;
    }
    return Holds(SaveLocationFile(s, path, text));
}

}  // namespace tarvisol
