#include "ui/ProgramData.h"

#include "formulation/IngredientLibrary.h"

#include <filesystem>
#include <system_error>

namespace tarvisol {
namespace fs = std::filesystem;

namespace {

// Folders above the program that may hold its data: bin/ under the prefix is
// one level, a build tree's src/app/ under build/<preset>/ four.
constexpr int kLevelsUp = 5;

bool IsFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

ProgramData FindProgramData(const std::string& programFolder) {
    ProgramData found;
    if (programFolder.empty()) return found;
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(programFolder, ec), ec);
    if (ec) folder = fs::path(programFolder);
    const std::string demoPig = std::string(kDemoBaseName) + ".pig";
    for (int level = 0; level <= kLevelsUp; ++level) {
        const fs::path installed = folder / "share" / "tarvisol";
        const fs::path source = folder;
        if (found.demoFolder.empty()) {
            if (IsFile(installed / "demo" / demoPig))
                found.demoFolder = (installed / "demo").string();
            else if (IsFile(source / "examples" / "demo" / demoPig))
                found.demoFolder = (source / "examples" / "demo").string();
        }
        if (found.libraryFile.empty()) {
            if (IsFile(installed / kLibraryFileName))
                found.libraryFile = (installed / kLibraryFileName).string();
            else if (IsFile(source / "examples" / kLibraryFileName))
                found.libraryFile = (source / "examples" / kLibraryFileName).string();
        }
        if (found.guideFile.empty()) {
            if (IsFile(installed / "guide.md"))
                found.guideFile = (installed / "guide.md").string();
            else if (IsFile(source / "docs" / "guide.md"))
                found.guideFile = (source / "docs" / "guide.md").string();
        }
        if (!found.demoFolder.empty() && !found.guideFile.empty() && !found.libraryFile.empty()) break;
        if (!folder.has_parent_path() || folder.parent_path() == folder) break;
        folder = folder.parent_path();
    }
    return found;
}

std::string RunningProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace tarvisol
