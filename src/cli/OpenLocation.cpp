#include "cli/OpenLocation.h"

#include <filesystem>

#include "growth/GrowthRun.h"
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

std::string LocationNotFound(const SharedState& s, const std::string& location) {
    if (s.CalibrationLoaded) return {};
    return "The location " + location + " was not found: there is no " + location + ".pig";
}

void ChooseMissingProgramme(SharedState& s) {
    MainWindow& w = *s.Main;
    if (w.Combo1.ListIndex < 1) w.Combo1.ListIndex = s.NutrientCount > 0 ? kFormulationLeastCost : kFormulationGridDiets;
    if (w.ComboSex.ListIndex < 0) w.ComboSex.ListIndex = 0;
}

}  // namespace tarvisol::cli
