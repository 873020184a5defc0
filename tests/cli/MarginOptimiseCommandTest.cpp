// optimise --objective margin-*: the three programmes in one report, each
// diet's levels, the report and workbook written from the same run, and the
// margin valued on the location's herd.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/OptimiseCommand.h"
#include "location/ScratchFolder.h"
#include "report/RunComparison.h"
#include "support/DemoLocation.h"
#include "support/XlsxCells.h"
#include "ui/ReportExport.h"

namespace tarvisol::cli {
namespace {
namespace fs = std::filesystem;

TEST(MarginOptimiseCommand, ReportsTheBestBesideTheCostMinimumAndTheCurrentOnOneMeasure) {
    testing::ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    OptimiseArgs args;
    args.location = (fs::path(folder.Str()) / "Demo").string();
    args.objective = "margin-pig";
    std::ostringstream messages;
    const nlohmann::json r = RunOptimiseCommand(args, &messages);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump(1);
    EXPECT_EQ(r["objective"], "margin-pig");
    // The demo grows the documented curve: the search says which pig it grew.
    EXPECT_EQ(r["model"], "response");
    ASSERT_FALSE(r["messages"].empty());
    const double best = r["best"]["margin_per_pig"].get<double>();
    EXPECT_GE(best, r["cost_minimum"]["margin_per_pig"].get<double>());
    EXPECT_GE(best, r["current"]["margin_per_pig"].get<double>());
    EXPECT_EQ(r["sale_weight"], r["best"]["sale_weight"]);
    for (const char* which : {"best", "cost_minimum", "current"}) {
        const auto& diets = r[which]["diets"];
        ASSERT_EQ(diets.size(), 4u) << which;
        for (const auto& d : diets) {
            EXPECT_GT(d["ne"].get<double>(), 1500) << which;
            EXPECT_GT(d["sid_lysine"].get<double>(), 0) << which;
            EXPECT_GT(d["lysine_of_requirement"].get<double>(), 0) << which;
            EXPECT_GT(d["allotment"].get<double>(), 0) << which;
        }
    }
    EXPECT_EQ(r["sensitivity"].size(), 6u);
    // No file of the location was written.
    std::size_t files = 0;
    for (auto& e : fs::directory_iterator(folder.Str())) files += e.path().filename().string().find("OPT") != std::string::npos;
    EXPECT_EQ(files, 0u);
}

// The report and the workbook of a margin search are written from the run
// the JSON reports: the same best margin and the same lysine of each diet.
TEST(MarginOptimiseCommand, TheReportAndTheWorkbookHoldTheFiguresOfTheRun) {
    if (!tarvisol::testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip)";
    testing::ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    // Keeps the document it is given to draw.
    struct KeptDocument : ReportRenderer {
        ReportDocument doc;
        bool WritePdf(const ReportDocument& d, ReportPage, const std::string&, std::string&) override {
            doc = d;
            return true;
        }
    } renderer;
    OptimiseArgs args;
    args.location = (fs::path(folder.Str()) / "Demo").string();
    args.objective = "margin-place-year";
    args.pdf = folder.File("margin.pdf");
    args.xlsx = folder.File("margin.xlsx");
    const nlohmann::json r = RunOptimiseCommand(args, nullptr, nullptr, &renderer);
    ASSERT_TRUE(r["ran"].get<bool>()) << r.dump(1);
    ASSERT_EQ(r["xlsx"], args.xlsx);
    const nlohmann::json& best = r["best"];

    // The report's margin section: each figure in the row of its caption.
    const std::string& html = renderer.doc.Html;
    const std::size_t section = html.find("Margin optimisation");
    ASSERT_NE(section, std::string::npos);
    const auto rowOf = [&](const std::string& first, std::size_t from) {
        const std::size_t at = html.find(">" + first + "</td>", from);
        EXPECT_NE(at, std::string::npos) << first;
        return at == std::string::npos ? std::string() : html.substr(at, html.find("</tr>", at) - at);
    };
    const std::string marginRow = rowOf("Margin per pig place and year", section);
    for (const char* which : {"best", "cost_minimum", "current"})
        EXPECT_NE(marginRow.find(">" + FixedText(r[which]["margin_per_place_year"].get<double>(), 2) + "<"), std::string::npos)
            << which << ": " << marginRow;

    const testing::Workbook book(args.xlsx);
    const auto sheets = book.Sheets();
    const auto at = std::find(sheets.begin(), sheets.end(), "Margin optimisation");
    ASSERT_NE(at, sheets.end());
    const auto cells = book.Cells(static_cast<int>(at - sheets.begin()) + 1);
    const auto rowNamed = [&](const std::string& name) {
        for (const auto& [ref, cell] : cells)
            if (ref[0] == 'A' && cell.text == name) return std::stoi(ref.substr(1));
        ADD_FAILURE() << "no row " << name;
        return 0;
    };
    const std::string m = std::to_string(rowNamed("Margin per pig place and year"));
    EXPECT_TRUE(testing::SameStoredFigure(cells.at("B" + m).value, best["margin_per_place_year"].get<double>()));
    EXPECT_TRUE(testing::SameStoredFigure(cells.at("C" + m).value, r["cost_minimum"]["margin_per_place_year"].get<double>()));
    EXPECT_TRUE(testing::SameStoredFigure(cells.at("D" + m).value, r["current"]["margin_per_place_year"].get<double>()));

    // Each diet of the best: SID lysine, as % of the requirement and per Mcal NE.
    const int diets = rowNamed("Diet of the best");
    for (const auto& d : best["diets"]) {
        const int n = d["diet"].get<int>();
        const std::string row = std::to_string(diets + n);
        EXPECT_TRUE(testing::SameStoredFigure(cells.at("C" + row).value, d["sid_lysine"].get<double>())) << n;
        EXPECT_TRUE(testing::SameStoredFigure(cells.at("D" + row).value, d["lysine_of_requirement"].get<double>())) << n;
        EXPECT_TRUE(testing::SameStoredFigure(cells.at("E" + row).value, d["lysine_per_mcal_ne"].get<double>())) << n;
        const std::string reportRow = rowOf(std::to_string(n), html.find("The best programme's diets", section));
        EXPECT_NE(reportRow.find(">" + FixedText(d["sid_lysine"].get<double>(), 3) + "<"), std::string::npos) << reportRow;
        EXPECT_NE(reportRow.find(">" + FixedText(d["lysine_of_requirement"].get<double>(), 0) + "<"), std::string::npos)
            << reportRow;
    }
}

// On the location's herd the margin counts each pig's own weight on the day
// the barn is sold: the optimum pays at least the cost minimum and the
// current programme valued the same way, and the answer does not depend on
// the threads. A location without a herd file is refused.
TEST(MarginOptimiseCommand, OnTheHerdTheOptimumPaysAtLeastTheOthersOnAnyThreads) {
    testing::ScratchFolder folder;
    tarvisol::testing::CopyDemoLocation(fs::path(folder.Str()));
    OptimiseArgs args;
    args.location = (fs::path(folder.Str()) / "Demo").string();
    args.objective = "margin-place-year";
    args.herd = true;
    const nlohmann::json none = RunOptimiseCommand(args, nullptr);
    EXPECT_TRUE(none["refused"].get<bool>());
    ASSERT_EQ(none["messages"].size(), 1u);
    EXPECT_NE(none["messages"][0].get<std::string>().find("Demo.hrd"), std::string::npos);

    // More pigs than the search weighs: the three programmes on all of them.
    std::ofstream(folder.File("Demo.hrd"), std::ios::binary) << "Tarvisol herd settings\r\nPigs\t260\r\nSeed\t7\r\n";
    args.threads = 1;
    const nlohmann::json one = RunOptimiseCommand(args, nullptr);
    ASSERT_TRUE(one["ran"].get<bool>()) << one.dump(1);
    EXPECT_EQ(one["herd"]["pigs"], 260);
    EXPECT_EQ(one["herd"]["search_pigs"], 200);
    const double best = one["best"]["margin_per_place_year"].get<double>();
    for (const char* which : {"best", "cost_minimum", "current"}) {
        EXPECT_EQ(one[which]["herd"]["pigs"], 260) << which;
        EXPECT_GT(one[which]["herd"]["sort_loss_per_pig"].get<double>(), 0) << which;
    }
    EXPECT_GE(best, one["cost_minimum"]["margin_per_place_year"].get<double>());
    EXPECT_GE(best, one["current"]["margin_per_place_year"].get<double>());
    // Valued on the herd, not the one pig: the one-pig search's margins differ.
    args.herd = false;
    const nlohmann::json pig = RunOptimiseCommand(args, nullptr);
    ASSERT_TRUE(pig["ran"].get<bool>());
    EXPECT_NE(pig["current"]["margin_per_place_year"], one["current"]["margin_per_place_year"]);

    args.herd = true;
    args.threads = 2;
    nlohmann::json two = RunOptimiseCommand(args, nullptr);
    ASSERT_TRUE(two["ran"].get<bool>());
    EXPECT_EQ(two["best"], one["best"]);
    EXPECT_EQ(two["sensitivity"], one["sensitivity"]);
    EXPECT_EQ(two["evaluations"], one["evaluations"]);
}

}  // namespace
}  // namespace tarvisol::cli
