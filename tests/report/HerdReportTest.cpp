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

// The demo after Growth on least-cost diets, its Herd and Marketing window
// open on a barn of 40 pigs.
struct DemoHerd : testing::DemoAfterGrowth {
    HerdWindow f;
    DemoHerd() : DemoAfterGrowth(kFormulationLeastCost) {
        ShowHerdWindow(*s, f);
        f.Settings[0].Text = "40";
    }
    void Sell() { SellHerdClick(*s, f, nullptr, 2); }
};

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
    DemoHerd demo;
    demo.s->Currency = "EUR";
    demo.Sell();
    const std::optional<HerdReport> herd = HerdReportOf(*demo.s, demo.f);
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

#include "ui/MarketWeightWindow.h"

namespace tarvisol {
namespace {

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The model's carcass yield and the packer's dressing of the market file are
// two figures: each is named for what it is, both windows' boxes say the same
// about a blank, and wherever a sale's money is shown the dressing it rests
// on is named beside it.
TEST(HerdReport, TheModelsYieldAndThePackersDressingAreNamedForWhatEachIs) {
    DemoHerd demo;
    HerdWindow& herd = demo.f;
    MarketWeightWindow market;
    ShowMarketWeightWindow(*demo.s, market);
    const std::string hint = herd.SettingLabels[6].Caption;
    EXPECT_EQ(market.SettingLabels[9].Caption, hint);
    EXPECT_TRUE(Holds(hint, "dressing")) << hint;
    EXPECT_EQ(herd.Settings[6].Text, "74.9");  // the market file's

    demo.Sell();
    EXPECT_TRUE(Holds(herd.LabelTotals.Caption, "packer's dressing 74.9 %")) << herd.LabelTotals.Caption;
    const std::optional<HerdReport> sold = HerdReportOf(*demo.s, herd);
    ASSERT_TRUE(sold.has_value());
    ReportRequest rq;
    rq.Run = &demo.s->LastRun;
    rq.Herd = &*sold;
    const ReportDocument doc = BuildReport(rq);
    EXPECT_TRUE(Holds(doc.Html, "packer's dressing 74.9 %"));
    EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), "Carcass yield (model), %"), doc.Cells.end());

    // A blank box in either window is the model's yield.
    herd.Settings[6].Text = "";
    demo.Sell();
    const std::string model = FixedText(demo.s->LastRun.Carcass[4], 1);
    EXPECT_TRUE(Holds(herd.LabelTotals.Caption, "the model's carcass yield " + model + " %")) << herd.LabelTotals.Caption;
    market.TextFrom.Text = "110";
    market.TextTo.Text = "120";
    market.TextStep.Text = "10";
    RunMarketWeights(*demo.s, market, nullptr, 1);
    ASSERT_FALSE(market.Analysis.Empty());
    EXPECT_TRUE(Holds(market.LabelBest.Caption, "packer's dressing 74.9 %")) << market.LabelBest.Caption;
    market.Settings[9].Text = "";
    RunMarketWeights(*demo.s, market, nullptr, 1);
    EXPECT_TRUE(Holds(market.LabelBest.Caption, "the model's carcass yield")) << market.LabelBest.Caption;
}

}  // namespace
}  // namespace tarvisol

namespace tarvisol {
namespace {

// A herd sold before the programme changed is another run's: the report and
// the workbook name it as an earlier run's beside the run they are of, and
// once the herd is sold again on this run it is this run's.
TEST(HerdReport, AHerdSoldOnAnEarlierRunIsNamedAsThatRunsAndMarkedOlder) {
    DemoHerd demo;
    HerdWindow& f = demo.f;
    demo.Sell();
    ASSERT_TRUE(HerdReportOf(*demo.s, f).has_value());
    EXPECT_TRUE(HerdReportOf(*demo.s, f)->OlderRun.empty());

    demo.w->Griddiets.SetTextMatrix(3, 1, "45");  // diet 1's allotment was 50
    ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
    const std::optional<HerdReport> older = HerdReportOf(*demo.s, f);
    ASSERT_TRUE(older.has_value());
    EXPECT_FALSE(older->OlderRun.empty());
    ReportRequest rq;
    rq.Run = &demo.s->LastRun;
    rq.Herd = &*older;
    const ReportDocument doc = BuildReport(rq);
    EXPECT_NE(doc.Html.find("Herd and marketing, an earlier run"), std::string::npos);
    EXPECT_NE(doc.Html.find(older->OlderRun), std::string::npos);
    WorkbookRequest wb;
    wb.Run = &demo.s->LastRun;
    wb.Herd = &*older;
    EXPECT_EQ(WorkbookSheets(wb).back(), "Herd, earlier run");

    demo.Sell();
    const std::optional<HerdReport> again = HerdReportOf(*demo.s, f);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(again->OlderRun.empty());
    rq.Herd = &*again;
    EXPECT_EQ(BuildReport(rq).Html.find("an earlier run"), std::string::npos);
}

}  // namespace
}  // namespace tarvisol
