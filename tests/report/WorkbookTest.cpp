// The workbook read back: one sheet per table, numbers as numbers equal to
// the run's figures, units in the headers; a workbook that cannot be written
// is told and leaves the target as it was.
#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>

#include "formulation/FormulationFiles.h"
#include "location/ScratchFolder.h"
#include "report/ReportDocument.h"
#include "report/RunComparison.h"
#include "report/Workbook.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"
#include "shared/Units.h"
#include "support/DemoAfterGrowth.h"
#include "support/XlsxCells.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;
using tarvisol::testing::HaveProgram;
using tarvisol::testing::XlsxCell;

namespace {

using Cells = std::map<std::string, XlsxCell>;

// The row (1-based) whose column A reads `label`, or 0.
int RowOf(const Cells& cells, const std::string& label, const std::string& column = "A") {
    for (const auto& [ref, cell] : cells)
        if (ref.rfind(column, 0) == 0 && std::isdigit(static_cast<unsigned char>(ref[column.size()])) && cell.text == label)
            return std::stoi(ref.substr(column.size()));
    return 0;
}

double NumberAt(const Cells& cells, const std::string& ref) {
    const auto it = cells.find(ref);
    if (it == cells.end()) {
        ADD_FAILURE() << "no cell " << ref;
        return NAN;
    }
    EXPECT_TRUE(it->second.number) << ref << " holds the text " << it->second.text;
    return it->second.value;
}

void ExpectClose(double got, double want, const std::string& what) {
    EXPECT_NEAR(got, want, 1e-12 * std::max(1.0, std::fabs(want))) << what;
}

TEST(Workbook, ReopensWithTheRunsNumbersAndTheComparison) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    RunSnapshot dearer = run;
    dearer.CostPerPig += 4.5;
    dearer.Diets[0].Name = "Grower \xE9t\xE9";
    const std::vector<KeptRun> kept{{"Base", "2025-03-14 09:30", run}, {"Dearer \x80", "2025-03-14 09:31", dearer}};
    WorkbookRequest rq;
    rq.Run = &run;
    rq.Kept = &kept;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const std::string path = demo.folder.File("run.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;

    const tarvisol::testing::Workbook book(path);
    EXPECT_EQ(book.Sheets(), WorkbookSheets(rq));
    EXPECT_EQ(book.Sheets(),
              (std::vector<std::string>{"Summary", "Sexes", "Diets", "Formulas", "Nutrients", "Days", "Requirements", "Comparison"}));
    const RunFigures f = FiguresOf(run, UnitsOf(run));

    const Cells summary = book.Cells(1);
    for (const auto& [label, want] : std::vector<std::pair<std::string, double>>{
             {"Feed cost per pig", f.CostPerPig},
             {"Age at final weight, days", f.FinalAge},
             {"Total feed, kg per pig", f.TotalFeed},
             {"Feed/gain", f.FeedGain},
             {"Final weight, kg", f.FinalWeight}}) {
        const int row = RowOf(summary, label);
        ASSERT_GT(row, 0) << label;
        ExpectClose(NumberAt(summary, "B" + std::to_string(row)), want, label);
    }

    const Cells formulas = book.Cells(4);
    bool anyFormula = false;
    for (std::size_t i = 0; i < run.IngredientNames.size(); ++i) {
        const int row = RowOf(formulas, Windows1252ToUtf8(run.IngredientNames[i]));
        if (run.Diets[1].Formula[i] > 0) {
            ASSERT_GT(row, 0) << run.IngredientNames[i];
            ExpectClose(NumberAt(formulas, "C" + std::to_string(row)), run.Diets[1].Formula[i], run.IngredientNames[i]);
            anyFormula = true;
        }
    }
    EXPECT_TRUE(anyFormula);

    // The day table: every day of the run, its weights as the grid showed them.
    const Cells days = book.Cells(6);
    EXPECT_EQ(days.at("B1").text, "Live weight, kg");
    ASSERT_FALSE(run.Days.empty());
    const std::string last = std::to_string(run.Days.size() + 1);
    ExpectClose(NumberAt(days, "A" + last), Val(run.Days.back().Age), "last age");
    ExpectClose(NumberAt(days, "B" + last), Val(run.Days.back().Weight), "last weight");
    EXPECT_EQ(days.count("A" + std::to_string(run.Days.size() + 2)), 0u);

    // The comparison: the second run's cost and its difference to the base.
    const Cells cmp = book.Cells(8);
    EXPECT_EQ(cmp.at("D1").text, "Base (base)");
    EXPECT_EQ(cmp.at("E1").text, "Dearer \xE2\x82\xAC");
    const int cost = RowOf(cmp, "Cost per pig", "B");
    ASSERT_GT(cost, 0);
    const std::string r = std::to_string(cost);
    ExpectClose(NumberAt(cmp, "D" + r), f.CostPerPig, "base cost");
    ExpectClose(NumberAt(cmp, "E" + r), f.CostPerPig + 4.5, "dearer cost");
    ExpectClose(NumberAt(cmp, "F" + r), 4.5, "difference");
    ExpectClose(NumberAt(cmp, "G" + r), 100 * 4.5 / f.CostPerPig, "difference in percent");
    const int name = RowOf(cmp, "Diet 1 name", "B");
    ASSERT_GT(name, 0);
    EXPECT_EQ(cmp.at("E" + std::to_string(name)).text, "Grower \xC3\xA9t\xC3\xA9");
}

// The Nutrients sheet: per diet its content, minimum and maximum of every
// nutrient. The limits are the location's nutrient file, read here; the
// contents what the diets grid and the formulas give.
TEST(Workbook, TheNutrientsSheetHoldsEachDietsContentAndTheLocationsLimits) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    WorkbookRequest rq;
    rq.Run = &run;
    const std::string path = demo.folder.File("run.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
    const tarvisol::testing::Workbook book(path);
    ASSERT_EQ(book.Sheets()[4], "Nutrients");
    const Cells sheet = book.Cells(5);

    // Nutrient k, diet d: minimum and maximum as the file states them.
    std::map<std::pair<int, int>, std::pair<double, double>> limits;
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadLines(demo.folder.File("DemoReq.nut"), lines, error)) << error;
    for (const std::string& line : lines) {
        const RestrictionLine r = ParseRestrictionLine(line);
        limits[{static_cast<int>(r.index), static_cast<int>(r.diet)}] = {r.minimum, r.maximum};
    }
    const double energy = EnergyFactor(UnitsOf(run).Energy);
    const auto column = [](std::size_t c) { return std::string(1, static_cast<char>('A' + c)); };
    ASSERT_EQ(run.Diets.size(), 4u);
    int minimums = 0, maximums = 0;
    for (std::size_t k = 1; k <= run.NutrientNames.size(); ++k) {
        const std::string row = std::to_string(k + 1);
        const double scale = k == 1 ? energy : 1.0;
        if (k > 1) EXPECT_EQ(sheet.at("A" + row).text, Windows1252ToUtf8(run.NutrientNames[k - 1])) << row;
        for (std::size_t c = 0; c < run.Diets.size(); ++c) {
            const RunDiet& d = run.Diets[c];
            const std::string what = run.NutrientNames[k - 1] + ", " + d.Name;
            // The protein and amino acids the pig was fed are the diets
            // grid's, as it shows them; the other nutrients the formula's.
            double content = 0;
            if (k >= 2 && k <= 14)
                content = NumVal(std::string_view(demo.w->Griddiets.TextMatrix(static_cast<int>(k) + 3, d.Number)));
            else
                for (std::size_t i = 0; i < d.Formula.size(); ++i) content += d.Formula[i] / 100 * run.IngredientMatrix[i][k - 1];
            ExpectClose(NumberAt(sheet, column(3 * c + 1) + row) * scale, content, what + " content");
            const auto limit = limits.find({static_cast<int>(k), d.Number});
            const double lo = limit == limits.end() ? 0 : limit->second.first;
            const double hi = limit == limits.end() ? 0 : limit->second.second;
            if (lo > 0) {
                ExpectClose(NumberAt(sheet, column(3 * c + 2) + row) * scale, lo, what + " minimum");
                ++minimums;
            } else {
                EXPECT_EQ(sheet.count(column(3 * c + 2) + row), 0u) << what << " minimum";
            }
            if (hi > lo) {
                ExpectClose(NumberAt(sheet, column(3 * c + 3) + row) * scale, hi, what + " maximum");
                ++maximums;
            } else {
                EXPECT_EQ(sheet.count(column(3 * c + 3) + row), 0u) << what << " maximum";
            }
        }
    }
    EXPECT_GT(minimums, 20);
    EXPECT_GT(maximums, 0);
}

// A cost that leaves out an ingredient without a price, in a formula the
// pig ate, is marked beside the cost in the workbook and in the report.
TEST(Workbook, ACostLeavingOutAnUnpricedIngredientIsMarkedThereAndInTheReport) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    RunSnapshot run = demo.s->LastRun;
    const auto premix = std::find(run.IngredientNames.begin(), run.IngredientNames.end(), "Vitamin-mineral premix");
    ASSERT_NE(premix, run.IngredientNames.end());
    const auto i = static_cast<std::size_t>(premix - run.IngredientNames.begin());
    ASSERT_GT(run.Diets[0].Formula[i], 0);
    run.IngredientPrices[i] = 0;
    WorkbookRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const std::string path = demo.folder.File("run.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
    const Cells summary = tarvisol::testing::Workbook(path).Cells(1);
    const int row = RowOf(summary, "Feed cost excludes unpriced");
    ASSERT_GT(row, 0);
    EXPECT_EQ(summary.at("B" + std::to_string(row)).text, "Vitamin-mineral premix");

    ReportRequest report;
    report.Run = &run;
    report.Location = "Demo";
    report.Date = "2025-03-14";
    const ReportDocument doc = BuildReport(report);
    EXPECT_NE(std::find(doc.Cells.begin(), doc.Cells.end(), "Feed cost excludes unpriced"), doc.Cells.end());
}

// Figures read as a user expects them in the spreadsheet: each with the
// decimals its kind takes (never General floats such as 0.4500000000000001),
// and a blank where a figure does not exist yet.
TEST(Workbook, FiguresShowTheirDecimalsAndCarcassFiguresBeforeTheFirstCarcassDayAreBlank) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    const std::vector<KeptRun> kept{{"Base", "2025-03-14 09:30", run}, {"Again", "2025-03-14 09:31", run}};
    WorkbookRequest rq;
    rq.Run = &run;
    rq.Kept = &kept;
    const std::string path = demo.folder.File("run.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
    const tarvisol::testing::Workbook book(path);

    const Cells summary = book.Cells(1);
    for (const auto& [label, format] : std::vector<std::pair<std::string, std::string>>{
             {"Feed/gain", "0.000"}, {"Feed cost per pig", "0.00"}, {"Final weight, kg", "0.00"}, {"Number of pigs", "0"}}) {
        const int row = RowOf(summary, label);
        ASSERT_GT(row, 0) << label;
        EXPECT_EQ(summary.at("B" + std::to_string(row)).format, format) << label;
    }
    for (const int sheet : {2, 3, 6}) {  // sexes, diets, days: no number in General
        for (const auto& [ref, cell] : book.Cells(sheet))
            if (cell.number) EXPECT_NE(cell.format, "General") << book.Sheets()[sheet - 1] << " " << ref;
    }
    const Cells days = book.Cells(6);
    EXPECT_EQ(days.count("I2") + days.count("J2") + days.count("K2") + days.count("L2"), 0u) << "carcass on day one";
    EXPECT_EQ(days.count("G2") + days.count("H2"), 0u) << "feed of the sexes before any feed";
    const auto comparison = std::find(book.Sheets().begin(), book.Sheets().end(), "Comparison");
    ASSERT_NE(comparison, book.Sheets().end());
    const Cells cmp = book.Cells(static_cast<int>(comparison - book.Sheets().begin()) + 1);
    const int cost = RowOf(cmp, "Cost per pig", "B");
    ASSERT_GT(cost, 0);
    EXPECT_EQ(cmp.at("D" + std::to_string(cost)).format, "0.00");
}

// Every figure to the decimals of its kind: the herd's daily feed is the
// run's own (the figure the males' and females' feeds are split from, not the
// day table's 0.1 kg text shown as 0.00), and each formula ends with its total.
TEST(Workbook, TheHerdsDailyFeedIsTheRunsOwnAndEachFormulaEndsWithItsTotal) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    WorkbookRequest rq;
    rq.Run = &run;
    const std::string path = demo.folder.File("decimals.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
    const tarvisol::testing::Workbook book(path);
    const Cells days = book.Cells(6);
    int compared = 0;
    for (std::size_t i = 2; i <= run.Days.size(); ++i) {
        const std::string row = std::to_string(i + 1);
        if (!days.count("C" + row)) continue;
        const double herd = NumberAt(days, "C" + row), males = NumberAt(days, "G" + row), females = NumberAt(days, "H" + row);
        EXPECT_NEAR(herd, (males + females) / 2, 1e-9) << "day row " << row;
        EXPECT_EQ(days.at("C" + row).format, "0.00") << row;
        ++compared;
    }
    EXPECT_GT(compared, 90);
    const Cells formulas = book.Cells(4);
    const int total = RowOf(formulas, "Total, %");
    ASSERT_GT(total, 0);
    for (std::size_t d = 0; d < run.Diets.size(); ++d) {
        const std::string ref = std::string(1, static_cast<char>('B' + d)) + std::to_string(total);
        EXPECT_NEAR(NumberAt(formulas, ref), 100.0, 0.1) << ref;
        EXPECT_EQ(formulas.at(ref).format, "0.00") << ref;
    }
}

// A run that reaches its final weight just after a whole day: the Days
// sheet's last day gives the males and females the Sexes sheet gives.
TEST(Workbook, TheLastDayShowsTheSexesOfTheSexesSheet) {
    if (!HaveProgram("unzip")) GTEST_SKIP() << "unzip is not installed (Debian package unzip): the workbook cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    demo.w->Text3.Text = FormatExact(demo.s->DayGrowth(0, demo.s->RunLastDay - 5) + 1e-4);
    ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
    const RunSnapshot& run = demo.s->LastRun;
    WorkbookRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    const std::string path = demo.folder.File("end.xlsx");
    std::string error;
    ASSERT_TRUE(WriteWorkbook(path, rq, error)) << error;
    const tarvisol::testing::Workbook book(path);
    const Cells sexes = book.Cells(2), days = book.Cells(6);
    const int weight = RowOf(sexes, "Live weight, kg");
    ASSERT_GT(weight, 0);
    const std::string last = std::to_string(run.Days.size() + 1), row = std::to_string(weight);
    EXPECT_NEAR(NumberAt(days, "B" + last), NumberAt(sexes, "B" + row), 0.05) << "herd, as the day table shows it";
    ExpectClose(NumberAt(days, "E" + last), NumberAt(sexes, "C" + row), "males");
    ExpectClose(NumberAt(days, "F" + last), NumberAt(sexes, "D" + row), "females");
}

TEST(Workbook, AWorkbookNotWrittenIsToldAndTheTargetStaysAsItWas) {
    DemoAfterGrowth demo(kFormulationGridDiets);
    WorkbookRequest rq;
    rq.Run = &demo.s->LastRun;
    const std::string path = demo.folder.File("kept.xlsx");
    tarvisol::testing::Spit(path, "what the user had");
    std::string error;
    {
        tarvisol::testing::FileSizeCap cap(1024);
        EXPECT_FALSE(WriteWorkbook(path, rq, error));
    }
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(tarvisol::testing::Slurp(path), "what the user had");
    // Nothing to write is refused, not written empty.
    WorkbookRequest none;
    EXPECT_FALSE(WriteWorkbook(path, none, error));
    EXPECT_EQ(error, "There is nothing to export: no finished run and no kept runs");
}

}  // namespace
