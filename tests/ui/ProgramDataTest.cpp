// Finding the demo location and the guide from the program's own folder.
#include "support/BuildPaths.h"
#include "ui/ProgramData.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "location/ScratchFolder.h"

using namespace tarvisol;
namespace tt = tarvisol::testing;
namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    tt::Spit(p.string(), "x");
}

TEST(ProgramData, InstalledPrefixBesideTheProgramsFolder) {
    tt::ScratchFolder f;
    const fs::path prefix = fs::path(f.Str()) / "usr";
    Touch(prefix / "share/tarvisol/demo/Demo.pig");
    Touch(prefix / "share/tarvisol/guide.md");
    Touch(prefix / "share/tarvisol/IngredientLibrary.tsv");
    fs::create_directories(prefix / "bin");
    const ProgramData d = FindProgramData((prefix / "bin").string());
    EXPECT_EQ(fs::path(d.demoFolder), prefix / "share/tarvisol/demo");
    EXPECT_EQ(fs::path(d.guideFile), prefix / "share/tarvisol/guide.md");
    EXPECT_EQ(fs::path(d.libraryFile), prefix / "share/tarvisol/IngredientLibrary.tsv");
}

TEST(ProgramData, SourceTreeAboveABuildTreesProgram) {
    tt::ScratchFolder f;
    const fs::path source = fs::path(f.Str()) / "tarvisol";
    Touch(source / "examples/demo/Demo.pig");
    Touch(source / "docs/guide.md");
    const fs::path app = source / "build/default/src/app";
    fs::create_directories(app);
    const ProgramData d = FindProgramData(app.string());
    EXPECT_EQ(fs::path(d.demoFolder), source / "examples/demo");
    EXPECT_EQ(fs::path(d.guideFile), source / "docs/guide.md");
}

TEST(ProgramData, NothingFoundIsEmptyNotAGuess) {
    tt::ScratchFolder f;
    // A demo folder without its settings file is not the demo.
    fs::create_directories(fs::path(f.Str()) / "share/tarvisol/demo");
    fs::create_directories(fs::path(f.Str()) / "bin");
    const ProgramData d = FindProgramData((fs::path(f.Str()) / "bin").string());
    EXPECT_EQ(d.demoFolder, "");
    EXPECT_EQ(d.guideFile, "");
}

// The build tree holds the installed layout, so a build tree outside the
// sources finds the data as well as one inside them.
TEST(ProgramData, TheTestProgramFindsThisSourceTreeThroughItsBuildTree) {
    const ProgramData d = FindProgramData(RunningProgramFolder());
    const fs::path buildData = fs::path(RunningProgramFolder()).parent_path() / "share/tarvisol";
    EXPECT_EQ(d.demoFolder, (buildData / "demo").string());
    EXPECT_EQ(d.guideFile, (buildData / "guide.md").string());
    EXPECT_EQ(d.libraryFile, (buildData / "IngredientLibrary.tsv").string());
    EXPECT_EQ(fs::canonical(d.demoFolder), fs::canonical(fs::path(TARVISOL_SOURCE_DIR) / "examples/demo"));
    EXPECT_EQ(fs::canonical(d.guideFile), fs::canonical(fs::path(TARVISOL_SOURCE_DIR) / "docs/guide.md"));
}

}  // namespace
