// The requirements and the balance of a run where a finished run is read:
// the report's page, the workbook's sheet, the kept-runs file and Compare Runs.
#include <gtest/gtest.h>

#include <cmath>

#include "report/ReportDocument.h"
#include "report/RequirementTables.h"
#include "report/RunComparison.h"
#include "report/RunsFile.h"
#include "report/Workbook.h"
#include "support/DemoAfterGrowth.h"
#include "support/XlsxCells.h"
#include "ui/RequirementsWindow.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

namespace {

int RowWhereAReads(const std::map<std::string, tarvisol::testing::XlsxCell>& cells, const std::string& text) {
    for (const auto& [ref, cell] : cells)
        if (ref[0] == 'A' && std::isdigit(static_cast<unsigned char>(ref[1])) && cell.text == text)
            return std::stoi(ref.substr(1));
    return 0;
}

}  // namespace

TEST(RunNutritionReport, TheReportAndTheWorkbookShowTheSameFigures) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    const std::vector<FigureTable> tables = RequirementTablesOf(run);
    ASSERT_EQ(tables.size(), 4u);
    const TableCell& lysine = tables[1].Rows[2][1];  // diet 2's SID lysine requirement
    ASSERT_TRUE(lysine.Number);
    EXPECT_EQ(tables[1].Rows[2][0].Text, "SID LYSINE");

    ReportRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const ReportDocument doc = BuildReport(rq);
    EXPECT_NE(doc.Html.find("Requirements and nutrient balance"), std::string::npos);
    EXPECT_NE(doc.Html.find(tables[1].Title), std::string::npos);
    EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), lysine.Shown()), doc.Cells.end());
    const FigureTable balance = BalanceTableOf(run);
    EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), balance.Rows[0][5].Shown()), doc.Cells.end());

    if (!tarvisol::testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip)";
    WorkbookRequest wq;
    wq.Run = &run;
    wq.Location = "Demo";
    wq.Date = "2025-03-14";
    const std::string path = demo.folder.File("run.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, wq, error)) << error;
    const tarvisol::testing::Workbook book(path);
    const std::vector<std::string> sheets = book.Sheets();
    const auto at = std::find(sheets.begin(), sheets.end(), "Requirements");
    ASSERT_NE(at, sheets.end());
    const auto cells = book.Cells(static_cast<int>(at - sheets.begin()) + 1);
    const int title = RowWhereAReads(cells, tables[1].Title);
    ASSERT_GT(title, 0);
    const auto cell = cells.find("B" + std::to_string(title + 4));  // title, header, arginine, histidine, lysine
    ASSERT_NE(cell, cells.end());
    EXPECT_TRUE(tarvisol::testing::SameStoredFigure(cell->second.value, *lysine.Number));
    const int n = RowWhereAReads(cells, "Nitrogen (N)");
    ASSERT_GT(n, 0);
    EXPECT_TRUE(tarvisol::testing::SameStoredFigure(cells.at("F" + std::to_string(n)).value, run.Nutrition.Balance.NExcretedPerPlaceYear));
}

TEST(RunNutritionReport, AKeptRunReadsBackWithItsRequirementsAndBalance) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    std::vector<KeptRun> back;
    std::string error;
    ASSERT_TRUE(ParseRunsText(RunsFileText({{"Base", "2025-03-14 09:30", run}}), back, error)) << error;
    ASSERT_EQ(back.size(), 1u);
    const RunNutrition& a = run.Nutrition;
    const RunNutrition& b = back[0].Run.Nutrition;
    ASSERT_EQ(a.Requirements.Phases.size(), b.Requirements.Phases.size());
    for (std::size_t i = 0; i < a.Requirements.Phases.size(); ++i)
        for (std::size_t k = 0; k < a.Requirements.Nutrients.size(); ++k) {
            EXPECT_EQ(a.Requirements.Phases[i].Values[k].Requirement, b.Requirements.Phases[i].Values[k].Requirement);
            EXPECT_EQ(a.Requirements.Phases[i].Values[k].DaysAbove, b.Requirements.Phases[i].Values[k].DaysAbove);
        }
    EXPECT_EQ(a.Requirements.Notes, b.Requirements.Notes);
    EXPECT_EQ(a.Balance.NExcretedPerPlaceYear, b.Balance.NExcretedPerPlaceYear);
    EXPECT_EQ(a.Balance.P2O5ExcretedPerPlaceYear, b.Balance.P2O5ExcretedPerPlaceYear);
    EXPECT_EQ(a.Balance.PhosphorusMissing, b.Balance.PhosphorusMissing);
}

TEST(RunNutritionReport, CompareRunsSetsTheBalancesSideBySide) {
    DemoAfterGrowth least(kFormulationLeastCost);
    DemoAfterGrowth grid(kFormulationGridDiets);
    const std::vector<KeptRun> kept{{"Least cost", "1", least.s->LastRun}, {"Grid", "2", grid.s->LastRun}};
    const RunComparison c = CompareRuns(kept, 0);
    const ComparedRow* n = nullptr;
    const ComparedRow* p = nullptr;
    for (const ComparedRow& row : c.Rows) {
        if (row.Label == "N excreted per place and year") n = &row;
        if (row.Label == "P2O5 excreted per place and year") p = &row;
    }
    ASSERT_NE(n, nullptr);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(n->Values[0].Number, least.s->LastRun.Nutrition.Balance.NExcretedPerPlaceYear);
    EXPECT_EQ(n->Values[1].Number, grid.s->LastRun.Nutrition.Balance.NExcretedPerPlaceYear);
    EXPECT_TRUE(p->Values[0].Present);
    EXPECT_FALSE(p->Values[1].Present);  // the grid's diets state no total phosphorus
}

// The demo excretes more N and P2O5 per place and year than the EU BAT ranges
// allow: the figures are shaded as above the range wherever they are shown
// (the balance table of the report and of the Requirements window, the line
// under the main window's results), and a figure inside its range is not.
TEST(RunNutritionReport, ExcretionAboveItsBatRangeIsShadedWhereverItIsShown) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    RunSnapshot run = demo.s->LastRun;
    const FigureTable balance = BalanceTableOf(run);
    ASSERT_EQ(balance.Rows.size(), 2u);
    for (const auto& row : balance.Rows) {
        ASSERT_TRUE(row[5].Number);
        EXPECT_TRUE(row[5].AboveRange) << row[0].Text << " " << row[5].Shown();
        for (std::size_t c = 0; c < row.size(); ++c)
            if (c != 5) EXPECT_FALSE(row[c].AboveRange) << row[0].Text << " column " << c;
    }
    ReportRequest rq;
    rq.Run = &run;
    const ReportDocument doc = BuildReport(rq);
    EXPECT_NE(doc.Html.find("Shaded: above the EU BAT range."), std::string::npos);
    EXPECT_NE(doc.Html.find("#f6c8c8\">" + balance.Rows[0][5].Shown()), std::string::npos);

    RequirementsWindow w;
    ShowRequirementsWindow(*demo.s, w);
    EXPECT_EQ(w.GridBalance.CellBackColor(1, 5), kAboveRangeShade);
    EXPECT_EQ(w.GridBalance.CellBackColor(2, 5), kAboveRangeShade);
    EXPECT_EQ(w.GridBalance.CellBackColor(1, 3), kNoColor);
    EXPECT_TRUE(BalanceAboveRange(run));
    EXPECT_NE(BalanceLineOf(run).find("per place and year; ABOVE the EU BAT 7.0-13.0"), std::string::npos);

    // Within the range (a barn with many empty days): nothing shaded.
    run.Nutrition.Balance.NExcretedPerPlaceYear = 12.0;
    run.Nutrition.Balance.P2O5ExcretedPerPlaceYear = 5.0;
    EXPECT_FALSE(BalanceAboveRange(run));
    for (const auto& row : BalanceTableOf(run).Rows) EXPECT_FALSE(row[5].AboveRange) << row[0].Text;
    EXPECT_EQ(BalanceLineOf(run).find("ABOVE"), std::string::npos);
}
