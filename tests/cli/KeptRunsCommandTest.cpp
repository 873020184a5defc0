// growth --keep, compare and report on the command line: the kept runs
// compared under the keys of growth --json, and the exit status tells whether
// every file and figure asked for is there (0), missing (1) or refused (2).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/HerdCommand.h"
#include "cli/ReportCommand.h"
#include "location/ScratchFolder.h"
#include "report/RunComparison.h"
#include "support/DemoLocation.h"
#include "support/ProgramRun.h"

namespace {

using nlohmann::json;
using tarvisol::testing::ProgramRun;
using tarvisol::testing::RunCli;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;

class KeptRunsCommand : public ::testing::Test {
protected:
    void SetUp() override { tarvisol::testing::CopyDemoLocation(std::filesystem::path(folder.Str())); }
    std::string Demo() const { return folder.File("Demo"); }
    ScratchFolder folder;
};

TEST_F(KeptRunsCommand, GrowthKeepsAndCompareShowsTheDifferencesUnderTheGrowthKeys) {
    const ProgramRun grid = RunCli("growth " + Demo() + " --grid-diets --keep 'On the grid' --json");
    ASSERT_EQ(grid.status, 0) << grid.out;
    const json g = json::parse(grid.out);
    EXPECT_EQ(g["kept"], "On the grid");
    const ProgramRun lc = RunCli("growth " + Demo() + " --least-cost --start-weight 30 --keep 'Least cost' --json");
    ASSERT_EQ(lc.status, 0) << lc.out;

    // The same name again without --yes: not replaced, told by the status.
    const std::string file = folder.File("Demo.runs");
    const std::string kept = Slurp(file);
    EXPECT_EQ(RunCli("growth " + Demo() + " --keep 'On the grid' --json").status, 1);
    EXPECT_EQ(Slurp(file), kept);

    const ProgramRun cmp = RunCli("compare " + Demo() + " --base 'Least cost' --json");
    ASSERT_EQ(cmp.status, 0) << cmp.out;
    const json c = json::parse(cmp.out);
    EXPECT_EQ(c["base"], "Least cost");
    ASSERT_EQ(c["runs"].size(), 2u);
    const json& other = c["runs"][0];
    const json& base = c["runs"][1];
    EXPECT_EQ(other["name"], "On the grid");
    EXPECT_TRUE(base["difference"].is_null());

    // Every result key of growth --json, with the figures growth printed.
    for (const auto& [key, value] : g.items()) {
        if (key == "diets" || key == "males" || key == "females" || key.rfind("cost_per", 0) == 0 || key == "final_age" ||
            key == "total_feed" || key == "feed_gain" || key == "carcass_mixed" || key.rfind("energy_per_gain", 0) == 0)
            EXPECT_TRUE(other["results"].contains(key)) << key;
    }
    EXPECT_DOUBLE_EQ(other["results"]["final_age"].get<double>(), g["final_age"].get<double>());
    EXPECT_NEAR(other["results"]["cost_per_pig"].get<double>(), g["cost_per_pig"].get<double>(), 0.005);
    EXPECT_DOUBLE_EQ(base["inputs"]["start_weight"].get<double>(), 30);
    const double start = other["inputs"]["start_weight"].get<double>();

    const json& d = other["difference"];
    const double cost = other["results"]["cost_per_pig"].get<double>() - base["results"]["cost_per_pig"].get<double>();
    EXPECT_DOUBLE_EQ(d["results"]["cost_per_pig"]["abs"].get<double>(), cost);
    EXPECT_EQ(d["results"]["cost_per_pig"]["verdict"], cost < 0 ? "better" : "worse");
    EXPECT_DOUBLE_EQ(d["inputs"]["start_weight"]["abs"].get<double>(), start - 30);
    EXPECT_TRUE(d["inputs"]["start_weight"]["verdict"].is_null());  // inputs are not judged

    // The text report names both runs; a workbook that cannot be written is a missing result.
    const ProgramRun text = RunCli("compare " + Demo());
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("On the grid"), std::string::npos);
    EXPECT_EQ(RunCli("compare " + Demo() + " --xlsx " + folder.File("no/such/folder/c.xlsx")).status, 1);
    // An unknown base is refused input.
    EXPECT_EQ(RunCli("compare " + Demo() + " --base Nobody --json").status, 2);
}

TEST_F(KeptRunsCommand, NothingKeptOrAnUnreadableFileIsNoComparison) {
    const ProgramRun none = RunCli("compare " + Demo() + " --json");
    EXPECT_EQ(none.status, 1);
    EXPECT_FALSE(json::parse(none.out)["ran"].get<bool>());
    EXPECT_FALSE(std::filesystem::exists(folder.File("Demo.runs")));  // comparing wrote nothing

    tarvisol::testing::Spit(folder.File("Demo.runs"), "{ broken");
    const ProgramRun broken = RunCli("compare " + Demo() + " --json");
    EXPECT_NE(broken.status, 0);
    EXPECT_EQ(Slurp(folder.File("Demo.runs")), "{ broken");
    // Keeping beside a file it cannot read keeps nothing and says so.
    EXPECT_EQ(RunCli("growth " + Demo() + " --keep X --json").status, 1);
    EXPECT_EQ(Slurp(folder.File("Demo.runs")), "{ broken");
}

// Draws nothing: records the document and answers as told.
class RecordingRenderer : public tarvisol::ReportRenderer {
public:
    explicit RecordingRenderer(bool succeed) : succeed_(succeed) {}
    bool WritePdf(const tarvisol::ReportDocument& doc, tarvisol::ReportPage page, const std::string& path,
                  std::string& error) override {
        doc_ = doc;
        page_ = page;
        if (!succeed_) {
            error = "Cannot write " + path;
            return false;
        }
        tarvisol::testing::Spit(path, "%PDF-1.4");
        return true;
    }
    tarvisol::ReportDocument doc_;
    tarvisol::ReportPage page_ = tarvisol::ReportPage::A4;

private:
    bool succeed_;
};

TEST_F(KeptRunsCommand, ReportIsWrittenOnlyFromARunThatStands) {
    using namespace tarvisol::cli;
    ASSERT_EQ(RunCli("growth " + Demo() + " --grid-diets --keep Kept --json").status, 0);
    ReportArgs args;
    args.growth.location = Demo();
    args.growth.formulation = 2;
    args.pdf = folder.File("report.pdf");
    args.xlsx = folder.File("report.xlsx");
    args.page = tarvisol::ReportPage::Letter;
    args.date = "2025-03-14";
    RecordingRenderer ok(true);
    const json r = RunReportCommand(args, &ok, nullptr);
    EXPECT_EQ(ReportExitCode(r), 0) << r.dump();
    EXPECT_EQ(r["pdf"], args.pdf);
    EXPECT_EQ(r["xlsx"], args.xlsx);
    EXPECT_EQ(ok.page_, tarvisol::ReportPage::Letter);
    EXPECT_NE(ok.doc_.Html.find("2025-03-14"), std::string::npos);
    EXPECT_NE(ok.doc_.Html.find("Kept runs compared"), std::string::npos);  // the kept run is compared

    // The PDF not written: status 1, and the workbook asked for still told.
    RecordingRenderer failing(false);
    const json f = RunReportCommand(args, &failing, nullptr);
    EXPECT_EQ(ReportExitCode(f), 1);
    EXPECT_TRUE(f["pdf"].is_null());
    // No renderer at all (a build without Qt): never reported as written.
    EXPECT_EQ(ReportExitCode(RunReportCommand(args, nullptr, nullptr)), 1);
    // A starting weight Growth refuses is refused input, and draws no report.
    args.growth.startWeight = 5;
    RecordingRenderer unused(true);
    const json refused = RunReportCommand(args, &unused, nullptr);
    EXPECT_EQ(ReportExitCode(refused), 2) << refused.dump();
    EXPECT_TRUE(unused.doc_.Html.empty());
}

// --herd: the report gets the herd page of the herd `herd` sells on the same
// location and programme (one sale, the same figures); herd settings no herd
// can have are refused and nothing is drawn.
TEST_F(KeptRunsCommand, TheReportsHerdPageIsTheSaleOfTheHerdCommand) {
    using namespace tarvisol::cli;
    tarvisol::testing::Spit(folder.File("Demo.hrd"), "Tarvisol herd settings\r\nPigs\t40\r\nSeed\t7\r\n");
    ReportArgs args;
    args.growth.location = Demo();
    args.growth.formulation = 1;
    args.pdf = folder.File("report.pdf");
    args.xlsx = folder.File("report.xlsx");
    args.herd = true;
    RecordingRenderer ok(true);
    const json r = RunReportCommand(args, &ok, nullptr);
    ASSERT_EQ(ReportExitCode(r), 0) << r.dump();
    EXPECT_TRUE(r["herd_page"].get<bool>());
    const std::string& html = ok.doc_.Html;
    ASSERT_NE(html.find("Herd and marketing"), std::string::npos);
    EXPECT_NE(html.find("40 pigs (seed 7)"), std::string::npos);

    HerdArgs h;
    h.location = Demo();
    h.formulation = 1;
    const json sold = RunHerdCommand(h, nullptr);
    ASSERT_EQ(HerdExitCode(sold), 0) << sold.dump();
    ASSERT_EQ(sold["cuts"].size(), 1u);
    const auto shown = [&](double v) {
        return std::find(ok.doc_.Cells.begin(), ok.doc_.Cells.end(), tarvisol::FixedText(v, 2)) != ok.doc_.Cells.end();
    };
    EXPECT_TRUE(shown(sold["totals"]["margin_per_pig"].get<double>())) << sold["totals"].dump();
    EXPECT_TRUE(shown(sold["totals"]["margin_per_place_year"].get<double>())) << sold["totals"].dump();
    EXPECT_TRUE(shown(sold["cuts"][0]["sort_loss_per_pig"].get<double>())) << sold["cuts"].dump();

    tarvisol::testing::Spit(folder.File("Demo.hrd"), "Tarvisol herd settings\r\nCV growth rate, %\t31\r\n");
    std::filesystem::remove(args.pdf);
    RecordingRenderer unused(true);
    const json refused = RunReportCommand(args, &unused, nullptr);
    EXPECT_EQ(ReportExitCode(refused), 2) << refused.dump();
    EXPECT_TRUE(unused.doc_.Html.empty());
    EXPECT_FALSE(std::filesystem::exists(args.pdf));
}

}  // namespace
