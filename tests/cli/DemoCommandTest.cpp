// tarvisol-cli demo: a fresh copy of the demo location, or a clear failure.
#include "support/BuildPaths.h"
#include "cli/DemoCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "location/ScratchFolder.h"
#include "shared/Numbers.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

TEST(DemoCommand, PrintsTheCopysLocationAndASecondRunMakesANewOne) {
    tarvisol::testing::ScratchFolder docs;
    std::ostringstream out, err;
    const std::string program = (fs::path(TARVISOL_SOURCE_DIR) / "build/any/src").string();
    ASSERT_EQ(cli::RunDemoCommand({docs.Str()}, program, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), (fs::path(docs.Str()) / "Tarvisol Demo" / "Demo").string() + "\n");
    EXPECT_TRUE(FileExists(docs.File("Tarvisol Demo/Demo.pig")));
    out.str("");
    ASSERT_EQ(cli::RunDemoCommand({docs.Str()}, program, out, err), 0);
    EXPECT_EQ(out.str(), (fs::path(docs.Str()) / "Tarvisol Demo 2" / "Demo").string() + "\n");
}

TEST(DemoCommand, NoDemoBesideTheProgramExitsOneWithTheReason) {
    tarvisol::testing::ScratchFolder docs, program;
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunDemoCommand({docs.Str()}, program.Str(), out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "tarvisol-cli demo: The demo location was not found beside the program.\n");
    EXPECT_EQ(docs.Count(), 0u);
}

}  // namespace
