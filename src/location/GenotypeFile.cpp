#include "location/GenotypeFile.h"

#include <vector>

#include "location/LocationFiles.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/Numbers.h"

namespace tarvisol {

std::string GenotypeFilePath(const SharedState& s) {
    const std::string& pig = s.PigFile;
    if (pig.size() < 4 || pig.compare(pig.size() - 4, 4, ".pig") != 0) return {};
    return pig.substr(0, pig.size() - 4) + response::kGenotypeExtension;
}

std::string GenotypeFileText(const SharedState& s) { return response::GenotypeText(s.Model); }

void ReadGenotypeFile(SharedState& s) {
    s.Model = GrowthModelChoice{};
    s.Model.Pig = response::ReferenceGenotype();
    const std::string path = GenotypeFilePath(s);
    if (path.empty()) return;
    if (!FileExists(path)) {
        RememberAbsent(s, path, GenotypeFileText(s));
        return;
    }
    std::string content, why;
    if (!ReadLocationFile(path, content, why)) {
        RememberUnreadable(s, path, "genotype file", why);
        return;
    }
    std::vector<std::string> messages;
    response::ReadGenotypeText(content, s.Model, messages);
    for (const std::string& m : messages) DialogsOf(s).Message(m);
    RememberRead(s, path, std::move(content), NumberTexts{}, GenotypeFileText(s));
}

bool SaveGenotypeFile(SharedState& s) {
    const std::string path = GenotypeFilePath(s);
    if (path.empty()) {
        DialogsOf(s).Message("Open a location before saving its genotype");
        return false;
    }
    return Holds(SaveLocationFile(s, path, GenotypeFileText(s)));
}

}  // namespace tarvisol
