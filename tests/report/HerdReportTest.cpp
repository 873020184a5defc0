// A herd sold in cuts on the report's page and the workbook's sheet: the
// figures of the sale the Herd and Marketing window showed, and no page or
// sheet without one.
#include <gtest/gtest.h>

#include <algorithm>

#include "market/HerdCuts.h"
#include "report/ReportDocument.h"
#include "report/RunComparison.h"
#include "report/Workbook.h"
#include "support/DemoAfterGrowth.h"
#include "support/XlsxCells.h"
#include "ui/HerdWindow.h"

namespace tarvisol {
namespace {

TEST(HerdReport, ThePageAndTheSheetHoldTheSaleTheWindowShowed) {
    testing::DemoAfterGrowth demo(kFormulationLeastCost);
    HerdWindow f;
    ShowHerdWindow(*demo.s, f);
    f.Settings[0].Text = "120";
    EditHerdCut(f, 1, 1, "150");
    EditHerdCut(f, 1, 3, "25");
    EditHerdCut(f, 2, 1, "165");
    SellHerdClick(*demo.s, f, nullptr, 2);
    const std::optional<HerdReport> herd = HerdReportOf(*demo.s, f);
    ASSERT_TRUE(herd.has_value());
    ASSERT_EQ(herd->Value.Cuts.size(), 2u);
    EXPECT_EQ(herd->Value.Cuts[0].Sold, 30);
    const RunSnapshot& run = demo.s->LastRun;

    ReportRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    EXPECT_EQ(BuildReport(rq).Html.find("Herd and marketing"), std::string::npos);
    rq.Herd = &*herd;
    const ReportDocument doc = BuildReport(rq);
    EXPECT_NE(doc.Html.find("Herd and marketing"), std::string::npos);
    auto has = [&](const std::string& cell) { return std::find(doc.Cells.begin(), doc.Cells.end(), cell) != doc.Cells.end(); };
    EXPECT_TRUE(has("30"));
    EXPECT_TRUE(has(FixedText(herd->Value.MarginPerPlaceYear, 2)));
    EXPECT_TRUE(has(FixedText(herd->Value.Cuts[1].SortLossPerPig, 2)));

    if (!testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip)";
    WorkbookRequest wb;
    wb.Run = &run;
    wb.Herd = &*herd;
    const std::string path = demo.folder.File("herd.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, wb, error)) << error;
    const testing::Workbook book(path);
    ASSERT_EQ(book.Sheets().back(), "Herd");
    const auto cells = book.Cells(static_cast<int>(book.Sheets().size()));
    EXPECT_EQ(cells.at("C2").value, 30);
    EXPECT_EQ(cells.at("B3").value, 165);
    EXPECT_NEAR(cells.at("J3").value, herd->Value.Cuts[1].SortLossPerPig, 1e-12);
}

// The herd's money figures name the location's currency as the run's do.
TEST(HerdReport, MoneyFiguresNameTheCurrency) {
    testing::DemoAfterGrowth demo(kFormulationLeastCost);
    demo.s->Currency = "EUR";
    HerdWindow f;
    ShowHerdWindow(*demo.s, f);
    f.Settings[0].Text = "40";
    SellHerdClick(*demo.s, f, nullptr, 2);
    const std::optional<HerdReport> herd = HerdReportOf(*demo.s, f);
    ASSERT_TRUE(herd.has_value());
    ReportRequest rq;
    rq.Run = &demo.s->LastRun;
    rq.Herd = &*herd;
    const ReportDocument doc = BuildReport(rq);
    for (const char* cell : {"Sort loss per pig, EUR", "Sort loss, EUR"})
        EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), cell), doc.Cells.end()) << cell;

    if (!testing::HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip)";
    WorkbookRequest wb;
    wb.Herd = &*herd;
    const std::string path = demo.folder.File("herd.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, wb, error)) << error;
    const testing::Workbook book(path);
    const auto cells = book.Cells(static_cast<int>(book.Sheets().size()));
    EXPECT_EQ(cells.at("J1").text, "Sort loss per pig, EUR");
}

}  // namespace
}  // namespace tarvisol
