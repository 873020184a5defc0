// tarvisol-cli calibrate: the runner on a scratch copy of the demo location.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/CalibrateCommand.h"
#include "cli/GenotypeCalibration.h"
#include "calibration/CalibrationRun.h"
#include "location/ScratchFolder.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"
#include "support/ProgramRun.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
namespace fs = std::filesystem;

TEST(CalibrateCommand, FitsTheDemoHerdAndSavesOnlyWhenAsked) {
    ScratchFolder folder;
    const fs::path demo = fs::path(TARVISOL_SOURCE_DIR) / "examples" / "demo";
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    // Start a little off the herd's own curve, so that the fit has something to do.
    const std::string pig = Slurp(folder.File("Demo.pig"));
    std::string start = "2.82000\r\n0.976108\r\n4.463453\r\n0.00724\r\n0.912863\r\n";
    start += pig.substr(pig.find("25.00"));
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
    // Tighter than a day's growth (one day: 1 day, about 3 kg of feed).
    EXPECT_NEAR(r["final_age"].get<double>(), 163, 0.5);
    EXPECT_NEAR(r["total_feed"].get<double>(), 254, 1.0);
    EXPECT_GT(r["growth_runs"].get<long>(), 7776);
    EXPECT_GT(r["correlations"]["weight"].get<double>(), 0.95);
    EXPECT_NE(r["curve"][0].get<double>(), 2.82);
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

namespace {
const char* const kDemoEndings[] = {".pig", ".cal", ".stg", ".dts", "Matrix.txt", "Req.ing", "Req.nut"};
}

TEST(CalibrateCommand, WithoutSaveNoFileChangesOrAppears) {
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    // A measured table of 18 rows with values the file layout would round.
    std::string cal;
    for (int r = 0; r < 18; ++r)
        cal += std::to_string(63 + 7 * r) + ".125\t" + std::to_string(25 + 5 * r) + ".4567\t" +
               (r == 0 ? std::string("0") : "12.3456") + "\r\n";
    tarvisol::testing::Spit(folder.File("Demo.cal"), cal);
    std::map<std::string, std::string> before;
    for (const char* e : kDemoEndings) before[e] = Slurp(folder.File(std::string("Demo") + e));
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
    EXPECT_FALSE(r["saved"].get<bool>());
    for (const char* e : kDemoEndings) EXPECT_EQ(Slurp(folder.File(std::string("Demo") + e)), before[e]) << e;

    fs::remove(folder.File("Demo.cal"));
    const std::size_t files = folder.Count();
    cli::RunCalibrateCommand(args, nullptr);
    EXPECT_FALSE(fs::exists(folder.File("Demo.cal")));
    EXPECT_EQ(folder.Count(), files);
}

TEST(CalibrateCommand, SavingAfterAShortMeasuredTableKeepsEveryDietsRestrictions) {
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    tarvisol::testing::Spit(folder.File("Demo.cal"), "63.000\t25.200\t0\r\n94.000\t51.400\t55.000\r\n");
    const auto ing = tarvisol::SplitLines(Slurp(folder.File("DemoReq.ing")));
    const auto nut = tarvisol::SplitLines(Slurp(folder.File("DemoReq.nut")));
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    args.save = true;
    const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
    ASSERT_TRUE(r["saved"].get<bool>()) << r.dump();
    EXPECT_EQ(tarvisol::SplitLines(Slurp(folder.File("DemoReq.ing"))).size(), ing.size());
    EXPECT_EQ(tarvisol::SplitLines(Slurp(folder.File("DemoReq.nut"))).size(), nut.size());
}

TEST(CalibrateCommand, ASaveThatFailsIsNotReportedAsSaved) {
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    const std::string pig = Slurp(folder.File("Demo.pig"));
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    args.save = true;
    nlohmann::json r;
    {
        tarvisol::testing::FileSizeCap cap(100);  // smaller than the settings file
        r = cli::RunCalibrateCommand(args, nullptr);
    }
    EXPECT_TRUE(r["ran"].get<bool>());
    EXPECT_FALSE(r["saved"].get<bool>());
    EXPECT_EQ(cli::CalibrateExitCode(r), 1);
    EXPECT_EQ(Slurp(folder.File("Demo.pig")), pig);
    std::ostringstream printed;
    cli::PrintCalibrateReport(r, printed);
    EXPECT_EQ(printed.str().find("Saved to the location."), std::string::npos) << printed.str();
    EXPECT_NE(printed.str().find("NOT saved"), std::string::npos) << printed.str();
}

// Refused input exits 2 (nothing to calibrate: the location has no diets);
// a calibration that ran exits 0 and prints its diagnostics, the residuals
// beside the correlations.
TEST(CalibrateCommand, RefusedInputExitsTwoAndACalibrationPrintsItsDiagnostics) {
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    tarvisol::testing::ProgramRun ran = tarvisol::testing::RunCli("calibrate " + folder.File("Demo") + " --documented-only");
    EXPECT_EQ(ran.status, 0) << ran.out;
    EXPECT_LT(ran.out.find("Measured beside the curve"), ran.out.find("Correlations of measured with predicted"));

    // Without a first and a last weighing nothing is fitted and nothing saved.
    for (const std::string cal : {std::string(), std::string("63\t25\t0\r\n")}) {
        ScratchFolder short_;
        tarvisol::testing::CopyDemoLocation(fs::path(short_.Str()));
        if (cal.empty()) fs::remove(short_.File("Demo.cal"));
        else tarvisol::testing::Spit(short_.File("Demo.cal"), cal);
        const std::string pig = tarvisol::testing::Slurp(short_.File("Demo.pig"));
        const auto refused = tarvisol::testing::RunCli("calibrate " + short_.File("Demo") + " --save --json");
        EXPECT_EQ(refused.status, 2) << refused.out;
        EXPECT_NE(refused.out.find(tarvisol::kMeasuredHerdTooShort), std::string::npos) << refused.out;
        EXPECT_EQ(tarvisol::testing::Slurp(short_.File("Demo.pig")), pig);
        EXPECT_EQ(fs::exists(short_.File("Demo.cal")), !cal.empty());
    }

    fs::remove(folder.File("Demo.dts"));
    ran = tarvisol::testing::RunCli("calibrate " + folder.File("Demo") + " --json");
    EXPECT_EQ(ran.status, 2) << ran.out;
    const auto j = nlohmann::json::parse(ran.out);
    EXPECT_EQ(j["outcome"], "refused");
    EXPECT_FALSE(j.contains("diagnostics"));
}

// A measured total feed no curve comes near gives a fit error of Inf: the
// calibration fails for that reason, exits 1 and saves nothing.
TEST(CalibrateCommand, AnEndlessFitErrorIsToldAndNotSaved) {
    ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    std::string pig = Slurp(folder.File("Demo.pig"));
    const auto feed = pig.find("\r\n254.0\r\n");
    ASSERT_NE(feed, std::string::npos);
    pig.replace(feed, 9, "\r\n1e200\r\n");
    tarvisol::testing::Spit(folder.File("Demo.pig"), pig);
    const auto ran = tarvisol::testing::RunCli("calibrate " + folder.File("Demo") + " --documented-only --save");
    EXPECT_EQ(ran.status, 1) << ran.out;
    EXPECT_NE(ran.out.find("FAILED: the fit error is Inf"), std::string::npos) << ran.out;
    EXPECT_EQ(ran.out.find("Saved to the location."), std::string::npos) << ran.out;
    EXPECT_EQ(Slurp(folder.File("Demo.pig")), pig);
}

namespace {

// The demo location weighing a herd written from field figures, not from any
// curve: 25 to 128 kg from 63 to 170 days, feed/gain 2.0, 2.5, 2.85 and 3.2
// over the four quarters of the weight range (a current lean, efficient
// herd).
void WeighAFieldHerd(ScratchFolder& folder) {
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    tarvisol::testing::Spit(folder.File("Demo.cal"),
                            "63\t25\t0\r\n96\t50.75\t51.5\r\n123\t76.5\t64.375\r\n147\t102.25\t73.3875\r\n"
                            "170\t128\t82.4\r\n");
    std::string pig = Slurp(folder.File("Demo.pig"));
    const auto inputs = pig.find("25.00\r\n63.00\r\n125.0\r\n254.0\r\n163.0\r\n");
    ASSERT_NE(inputs, std::string::npos);
    pig.replace(inputs, 35, "25.00\r\n63.00\r\n128.0\r\n271.7\r\n170.0\r\n");
    tarvisol::testing::Spit(folder.File("Demo.pig"), pig);
}

}  // namespace

// A herd no growth curve represents: every start of the wider search ends
// with a warning, and the report says the herd lies outside the documented
// curve and names the genotype fit; the calibration still completed (exit
// 0). The demo's own herd, which a curve fits cleanly, is not told so.
TEST(CalibrateCommand, AHerdBeyondTheDocumentedCurveIsToldAndTheGenotypeFitNamed) {
    ScratchFolder folder;
    WeighAFieldHerd(folder);
    cli::CalibrateArgs args;
    args.location = folder.File("Demo");
    const nlohmann::json r = cli::RunCalibrateCommand(args, nullptr);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump();
    EXPECT_TRUE(r["search"]["widened"].get<bool>());
    for (const auto& t : r["search"]["tried"]) EXPECT_GT(t["warnings"].get<int>(), 0) << t["start"];
    EXPECT_TRUE(r["outside_documented_curve"].get<bool>());
    EXPECT_EQ(cli::CalibrateExitCode(r), 0);
    std::ostringstream printed;
    cli::PrintCalibrateReport(r, printed);
    EXPECT_NE(printed.str().find("outside what the documented growth curve can represent"), std::string::npos)
        << printed.str();
    EXPECT_NE(printed.str().find("calibrate " + folder.File("Demo") + " --model response"), std::string::npos);
    // The fit it names represents the herd: no warning, every weighing within
    // 3 kg and every period's feed within 5 %.
    cli::CalibrateArgs response = args;
    response.model.model = "response";
    const nlohmann::json g = cli::RunGenotypeCalibration(response, nullptr);
    ASSERT_TRUE(g["ran"].get<bool>()) << g.dump();
    EXPECT_TRUE(g["fitted"]["warnings"].empty()) << g["fitted"]["text"];
    for (const auto& w : g["fitted"]["weighings"]) {
        EXPECT_LT(std::fabs(w["residual_kg"].get<double>()), 3.0) << w["age"];
        EXPECT_LT(std::fabs(w["feed_residual_percent"].get<double>()), 5.0) << w["age"];
    }

    ScratchFolder demo;
    tarvisol::testing::CopyDemoLocation(fs::path(demo.Str()));
    args.location = demo.File("Demo");
    const nlohmann::json clean = cli::RunCalibrateCommand(args, nullptr);
    ASSERT_TRUE(clean["ran"].get<bool>());
    EXPECT_FALSE(clean["outside_documented_curve"].get<bool>());
}
