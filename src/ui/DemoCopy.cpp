#include "ui/DemoCopy.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "growth/GrowthRun.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "ui/ProgramData.h"
#include "ui/ReopenLocation.h"

namespace tarvisol {
namespace fs = std::filesystem;

std::string FreshDemoFolder(const std::string& parent) {
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string name = n == 1 ? std::string(kDemoCopyFolder) : std::string(kDemoCopyFolder) + " " + std::to_string(n);
        const fs::path candidate = fs::path(parent) / name;
        if (!fs::exists(candidate, ec) && !ec) return candidate.string();
    }
}

DemoCopy CopyDemoToFreshFolder(const std::string& demoFolder, const std::string& parent) {
    DemoCopy out;
    std::error_code ec;
    const std::string pig = std::string(kDemoBaseName) + ".pig";
    if (demoFolder.empty() || !fs::is_regular_file(fs::path(demoFolder) / pig, ec)) {
        out.error = "The demo location was not found beside the program" +
                    (demoFolder.empty() ? std::string() : " (no " + (fs::path(demoFolder) / pig).string() + ")") + ".";
        return out;
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(demoFolder, ec))
        if (e.is_regular_file() && e.path().filename().string().rfind(kDemoBaseName, 0) == 0) files.push_back(e.path());
    if (ec) {
        out.error = "Could not read the demo location " + demoFolder + ": " + ec.message();
        return out;
    }
    fs::create_directories(parent, ec);
    const fs::path target = FreshDemoFolder(parent);
    if (!fs::create_directory(target, ec) || ec) {
        out.error = "Could not make the folder " + target.string() + (ec ? ": " + ec.message() : std::string());
        return out;
    }
    for (const fs::path& f : files) {
        const fs::path to = target / f.filename();
        if (fs::copy_file(f, to, ec); !ec)
            fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        if (ec) {
            out.error = "Could not copy " + f.string() + " to " + target.string() + ": " + ec.message();
            std::error_code ignored;
            fs::remove_all(target, ignored);
            return out;
        }
    }
    out.base = (target / kDemoBaseName).string();
    return out;
}

std::string OpenDemoLocation(SharedState& s, const std::string& demoFolder, const std::string& parent) {
    const DemoCopy copy = CopyDemoToFreshFolder(demoFolder, parent);
    if (copy.base.empty()) {
        DialogsOf(s).Message(copy.error);
        return {};
    }
    if (!ReopenLocation(s, copy.base)) return {};
    // The demo opens ready for its first Growth: on least-cost diets, which
    // carry every nutrient the requirements and the N and P balance read.
    if (s.Main && s.NutrientCount > 0) s.Main->Combo1.ListIndex = kFormulationLeastCost;
    return copy.base;
}

}  // namespace tarvisol
