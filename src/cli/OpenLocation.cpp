#include "cli/OpenLocation.h"

#include <filesystem>

#include "location/StartUp.h"
#include "shared/MainWindowForm.h"

namespace tarvisol::cli {

void OpenLocationAsUser(SharedState& s, const std::string& location) {
    namespace fs = std::filesystem;
    FormLoad(s, fs::current_path().string());
    const fs::path path = fs::absolute(location);
    s.LocationFolder = path.parent_path().string();
    s.Main->Text6.Text = path.filename().string();
    LocationName(s);
}

}  // namespace tarvisol::cli
