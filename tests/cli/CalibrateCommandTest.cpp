// tarvisol-cli calibrate: the runner on a scratch copy of the demo location.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CalibrateCommand.h"
#include "location/ScratchFolder.h"
#include "shared/Numbers.h"
#include "support/DemoLocation.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
namespace fs = std::filesystem;

TEST(CalibrateCommand, FitsTheDemoHerdAndSavesOnlyWhenAsked) {
    ScratchFolder folder;
    const fs::path demo = fs::path(TARVISOL_SOURCE_DIR) / "examples" / "demo";
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    // Start from the default curve, so that the fit has something to do.
    const std::string pig = Slurp(folder.File("Demo.pig"));
    std::string start = "6.15400\r\n1.53430\r\n3.57050\r\n0.0020532\r\n1.00000\r\n";
    start += pig.substr(pig.find("25.20"));
    {
        std::ofstream(folder.File("Demo.pig"), std::ios::binary) << start;
    }
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    std::ostringstream messages;
    const nlohmann::json r = cli::RunCalibrateCommand(args, &messages);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_FALSE(r["saved"].get<bool>());
    EXPECT_EQ(Slurp(folder.File("Demo.pig")), start);
    EXPECT_NEAR(r["final_age"].get<double>(), 165, 1.0);
    EXPECT_NEAR(r["total_feed"].get<double>(), 255.6, 3.0);
    EXPECT_GT(r["growth_runs"].get<long>(), 7776);
    EXPECT_GT(r["correlations"]["weight"].get<double>(), 0.95);
    EXPECT_NE(r["curve"][0].get<double>(), 6.154);
    EXPECT_NE(messages.str().find("Save this Calibration Data Set to "), std::string::npos);
    std::ostringstream printed;
    cli::PrintCalibrateReport(r, printed);
    EXPECT_NE(printed.str().find("Fitted curve  B0 "), std::string::npos);

    args.save = true;
    const nlohmann::json saved = cli::RunCalibrateCommand(args, nullptr);
    ASSERT_TRUE(saved["saved"].get<bool>());
    // The location now opens with the fitted curve, the table unchanged.
    const std::string written = Slurp(folder.File("Demo.pig"));
    EXPECT_NE(written, start);
    EXPECT_EQ(Slurp(folder.File("Demo.cal")), Slurp((demo / "Demo.cal").string()));
    EXPECT_EQ(Val(written), saved["curve"][0].get<double>());
}
