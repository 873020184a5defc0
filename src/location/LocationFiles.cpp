#include "location/LocationFiles.h"

namespace tarvisol {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty()) return std::string(name);
    if (out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

std::string MakeLocationPath(const LocationState& loc, std::string_view name) {
    if (!name.empty() && name.front() == '/') {
        const auto slash = name.find_last_of('/');
        return JoinPath(loc.LocationFolder, name.substr(slash + 1));
    }
    return JoinPath(loc.LocationFolder, name);
}

void SetLocationFiles(SharedState& s, const std::string& base) {
    s.MatrixFile = MakeLocationPath(s, base + "Matrix.txt");
    s.DietFile = MakeLocationPath(s, base + ".dts");
    s.PigFile = MakeLocationPath(s, base + ".pig");
    s.CalFile = MakeLocationPath(s, base + ".cal");
    s.TempFileName = MakeLocationPath(s, base + ".stg");
    s.NutrientRestrictionFile = MakeLocationPath(s, base + "Req.nut");
    s.IngredientRestrictionFile = MakeLocationPath(s, base + "Req.ing");
    s.OptRestrictionFile = MakeLocationPath(s, base + "Optrestrict.txt");
    for (int i = 1; i <= 10; ++i) s.FileFlags(i) = false;
}

}  // namespace tarvisol
