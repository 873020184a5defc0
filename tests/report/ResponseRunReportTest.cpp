// A run of the nutrient-response model as the workbook, the report, a kept
// run and the comparison give it: each says which model grew the pig and
// which genotype, the carcass is said to come from the pig's body, and the
// day table carries the day's deposition and what limited it. The documented
// run says so, without the response model's columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ReportDocument.h"
#include "report/RunComparison.h"
#include "report/RunModel.h"
#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "response/GenotypePresets.h"
#include "response/ResponsivePig.h"
#include "support/DemoAfterGrowth.h"
#include "support/XlsxCells.h"

namespace tarvisol {
namespace {

using testing::DemoAfterGrowth;
using testing::HaveProgram;
using Cells = std::map<std::string, testing::XlsxCell>;

std::string TextBeside(const Cells& cells, const std::string& label) {
    for (const auto& [ref, cell] : cells)
        if (ref[0] == 'A' && cell.text == label) {
            const auto it = cells.find("B" + ref.substr(1));
            return it == cells.end() ? std::string() : it->second.text;
        }
    return "(no row " + label + ")";
}

struct DemoBothModels {
    DemoAfterGrowth demo{kFormulationLeastCost};
    RunSnapshot documented, response;
    DemoBothModels() {
        documented = demo.s->LastRun;
        demo.s->Model.Kind = GrowthModelKind::Response;
        Growth(*demo.s);
        response = demo.s->LastRun;
    }
};

TEST(ResponseRunReport, TheWorkbookSaysTheModelAndGivesEachDaysDepositionAndLimitingFactor) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoBothModels x;
    const RunSnapshot& run = x.response;
    ASSERT_TRUE(run.ResultsValid);
    ASSERT_FALSE(run.ResponseDays.empty());
    const std::string genotype = response::ReferenceGenotype().Name;
    for (const RunSnapshot* r : {&x.response, &x.documented}) {
        WorkbookRequest rq;
        rq.Run = r;
        rq.Location = "Demo";
        rq.Date = "2025-03-14";
        const std::string path = x.demo.folder.File("run.xlsx");
        std::string error;
        ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
        const testing::Workbook book(path);
        const Cells summary = book.Cells(1), days = book.Cells(6);
        if (r == &x.documented) {
            EXPECT_EQ(TextBeside(summary, "Growth model"), "Documented curve");
            EXPECT_EQ(TextBeside(summary, "Genotype"), "(no row Genotype)");
            EXPECT_EQ(days.count("M1"), 0u);
            continue;
        }
        EXPECT_EQ(TextBeside(summary, "Growth model"), "Nutrient response");
        EXPECT_EQ(TextBeside(summary, "Genotype"), genotype);
        EXPECT_NE(TextBeside(summary, "Carcass").find("body composition"), std::string::npos);
        EXPECT_EQ(days.at("M1").text, "Protein deposition, g/d");
        EXPECT_EQ(days.at("N1").text, "Lipid deposition, g/d");
        EXPECT_EQ(days.at("O1").text, "Limiting");
        // Row 2 is the starting day; a day in the middle, as the run grew it.
        const std::size_t i = run.ResponseDays.size() / 2;
        const ResponseDayFigures& d = run.ResponseDays[i];
        const std::string row = std::to_string(i + 2);
        ASSERT_EQ(days.at("A" + row).value, d.Age);
        EXPECT_NEAR(days.at("M" + row).value, d.ProteinDeposition, 1e-9);
        EXPECT_NEAR(days.at("N" + row).value, d.LipidDeposition, 1e-9);
        // A mixed herd: the barrows' and the gilts' factors, or the one they share.
        const std::string males = response::LimitingName(d.LimitingMales), females = response::LimitingName(d.LimitingFemales);
        ASSERT_FALSE(males.empty());
        EXPECT_EQ(days.at("O" + row).text, males == females ? males : "males: " + males + ", females: " + females);
    }
}

TEST(ResponseRunReport, TheReportAndAKeptRunsComparisonSayWhichModelGrewEachRun) {
    DemoBothModels x;
    ReportRequest rq;
    rq.Run = &x.response;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const std::string html = BuildReport(rq).Html;
    EXPECT_NE(html.find("Growth model: nutrient response; genotype: " + response::ReferenceGenotype().Name),
              std::string::npos);
    EXPECT_NE(html.find("Carcass from the pig"), std::string::npos);
    EXPECT_NE(html.find("Protein and lipid deposition by diet"), std::string::npos);
    rq.Run = &x.documented;
    const std::string documented = BuildReport(rq).Html;
    EXPECT_NE(documented.find("Growth model: documented curve"), std::string::npos);
    EXPECT_EQ(documented.find("Carcass from the pig"), std::string::npos);
    EXPECT_EQ(documented.find("deposition by diet"), std::string::npos);

    // Kept in the location's runs file and read back, each run keeps its model.
    std::vector<KeptRun> read;
    std::string error;
    ASSERT_TRUE(ParseRunsText(RunsFileText({{"Response", "2025-03-14 09:30", x.response},
                                            {"Documented", "2025-03-14 09:31", x.documented}}),
                              read, error))
        << error;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].Run.Genotype, x.response.Genotype);
    ASSERT_EQ(read[0].Run.ResponseDays.size(), x.response.ResponseDays.size());
    EXPECT_EQ(read[0].Run.ResponseDays.back().LimitingFemales, x.response.ResponseDays.back().LimitingFemales);
    EXPECT_TRUE(read[1].Run.ResponseDays.empty());
    const RunComparison c = CompareRuns(read, 0);
    bool shown = false;
    for (const ComparedRow& row : c.Rows)
        if (row.Label == "Growth model") {
            shown = true;
            ASSERT_EQ(row.Values.size(), 2u);
            EXPECT_EQ(row.Values[0].Text, "Nutrient response");
            EXPECT_EQ(row.Values[1].Text, "Documented curve");
        }
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace tarvisol
