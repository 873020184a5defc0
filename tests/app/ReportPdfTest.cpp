// The report drawn onto A4 and Letter pages and read back with pdftotext:
// the page size asked for, every page numbered "Page i of n", and every
// table cell and every long name whole on the page.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QAbstractTextDocumentLayout>

#include "pdf/ReportPdf.h"
#include "report/ReportDocument.h"
#include "shared/TextEncoding.h"
#include "support/DemoAfterGrowth.h"
#include "support/XlsxCells.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;
using tarvisol::testing::HaveProgram;
using tarvisol::testing::ProgramOutput;

namespace {

// Runs of blanks and line ends become one blank, so a name the page wrapped
// reads as one; the font's ligatures read as their letters.
std::string OneLine(std::string text) {
    for (const auto& [lig, letters] : {std::pair<std::string, std::string>{"\xEF\xAC\x80", "ff"}, {"\xEF\xAC\x81", "fi"},
                                       {"\xEF\xAC\x82", "fl"}, {"\xEF\xAC\x83", "ffi"}, {"\xEF\xAC\x84", "ffl"}})
        for (std::size_t at = text.find(lig); at != std::string::npos; at = text.find(lig, at)) text.replace(at, lig.size(), letters);
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
        if (blank) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

TEST(ReportPdf, PagesAreNumberedAndNoCellOrNameIsCut) {
    if (!HaveProgram("pdftotext") || !HaveProgram("pdfinfo"))
        GTEST_SKIP() << "pdftotext and pdfinfo are not installed (Debian package poppler-utils): the PDF cannot be read back";
    DemoAfterGrowth demo(kFormulationLeastCost);
    RunSnapshot run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    // Long names as producers type them, one without a blank to break on.
    run.Diets[0].Name = "Grower one for the early weeks on the farm at Saint-\xC9tienne, low protein";
    for (std::size_t i = 0; i < run.IngredientNames.size(); ++i)
        if (run.Diets[1].Formula[i] > 0) {
            run.IngredientNames[i] = "Soybeanmealdehulledsolventextracted48percentprotein";
            break;
        }
    RunSnapshot dearer = run;
    dearer.CostPerPig += 3;
    const std::vector<KeptRun> kept{{"Spring programme with the cheaper meal from the coast", "2025-03-14 09:30", run},
                                    {"Dearer \x80 programme", "2025-03-14 09:31", dearer},
                                    {"Third", "2025-03-14 09:32", run}};
    ReportRequest rq;
    rq.Run = &run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    rq.Kept = &kept;
    const ReportDocument doc = BuildReport(rq);
    ASSERT_FALSE(doc.Names.empty());

    for (const auto& [page, size] : {std::pair{ReportPage::A4, std::string("(A4)")}, std::pair{ReportPage::Letter, std::string("(letter)")}}) {
        SCOPED_TRACE(size);
        const std::string pdf = demo.folder.File("report.pdf");
        std::string error;
        ASSERT_TRUE(pdf::PdfReportRenderer().WritePdf(doc, page, pdf, error)) << error;
        const std::string info = ProgramOutput("pdfinfo '" + pdf + "'");
        EXPECT_NE(info.find(size), std::string::npos) << info;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(info, m, std::regex("Pages:\\s+([0-9]+)")));
        const int pages = std::stoi(m[1]);
        EXPECT_GE(pages, 3);

        const std::string layout = ProgramOutput("pdftotext -layout '" + pdf + "' -");
        for (int i = 1; i <= pages; ++i)
            EXPECT_NE(layout.find("Page " + std::to_string(i) + " of " + std::to_string(pages)), std::string::npos) << i;
        EXPECT_NE(layout.find("Feeding Programme Report"), std::string::npos);
        EXPECT_NE(layout.find("Kept runs compared"), std::string::npos);
        EXPECT_NE(layout.find("Growth model: documented curve"), std::string::npos) << "the report says which model ran";

        // In drawing order a cell's wrapped lines follow one another.
        const std::string text = OneLine(ProgramOutput("pdftotext -raw '" + pdf + "' -"));
        for (const std::string& name : doc.Names) EXPECT_NE(text.find(OneLine(name)), std::string::npos) << name;
        for (const std::string& cell : doc.Cells) EXPECT_NE(text.find(OneLine(cell)), std::string::npos) << cell;
    }
}

// Laid out on A4 as it is drawn: the bottom line on page 1, every table's
// head repeated on each page it runs onto, no heading alone at a page's foot.
TEST(ReportPdf, TheBottomLineComesFirstTablesRepeatTheirHeadAndHeadingsKeepWithTheirText) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    const RunSnapshot& run = demo.s->LastRun;
    ASSERT_TRUE(run.ResultsValid);
    const std::vector<KeptRun> kept{{"Spring", "2025-03-14 09:30", run}, {"Summer", "2025-03-14 09:31", run}};
    ReportRequest rq;
    rq.Run = &run;
    rq.Kept = &kept;
    const ReportDocument report = BuildReport(rq);
    for (const QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
    QPdfWriter writer(QString::fromStdString(demo.folder.File("laid.pdf")));
    writer.setPageSize(QPageSize(size));
    writer.setPageMargins(QMarginsF(16, 14, 16, 12), QPageLayout::Millimeter);
    writer.setResolution(300);
    const auto doc = pdf::LayOutReport(writer, report, 0.35 * writer.logicalDpiY());
    const double page = doc->pageSize().height();
    const auto pageOf = [&](const QTextBlock& b) { return static_cast<int>(doc->documentLayout()->blockBoundingRect(b).top() / page); };

    int tables = 0, headings = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (QTextTable* table = QTextCursor(b).currentTable(); table && table->cellAt(b.position()).row() == 0 &&
                                                                 table->cellAt(b.position()).column() == 0) {
            ++tables;
            EXPECT_EQ(table->format().headerRowCount(), 1) << b.text().toStdString();
        }
        if (b.blockFormat().headingLevel() == 0 || !b.next().isValid()) continue;
        ++headings;
        EXPECT_EQ(pageOf(b), pageOf(b.next())) << size << " heading alone at a page's foot: " << b.text().toStdString();
        if (b.text() == "Bottom line") EXPECT_EQ(pageOf(b), 0);
    }
    EXPECT_GE(tables, 8);
    EXPECT_GE(headings, 8);
    }
    const std::string text = QTextDocumentFragment::fromHtml(QString::fromStdString(report.Html)).toPlainText().toStdString();
    EXPECT_LT(text.find("Bottom line"), text.find("Herd and programme"));
    EXPECT_NE(text.find("Spring\nSummer\nDiff."), std::string::npos) << "the comparison heads its columns with the runs' names";
}

// Wherever the text before a heading ends, the heading goes with its table.
TEST(ReportPdf, AHeadingAtAPagesFootMovesToTheNextPage) {
    int moved = 0;
    for (int lines = 10; lines < 120; ++lines) {
        ReportDocument report;
        report.Html = "<html><body>";
        for (int i = 0; i < lines; ++i) report.Html += "<p>Line " + std::to_string(i) + "</p>";
        report.Html += "<h2>Costs</h2><table><thead><tr><th>Figure</th></tr></thead><tr><td>1</td></tr></table></body></html>";
        QPdfWriter writer(QString("/dev/null"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        const auto doc = pdf::LayOutReport(writer, report, 0.35 * writer.logicalDpiY());
        const double page = doc->pageSize().height();
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            if (b.blockFormat().headingLevel() == 0) continue;
            const auto top = [&](const QTextBlock& x) { return doc->documentLayout()->blockBoundingRect(x).top(); };
            EXPECT_EQ(static_cast<int>(top(b) / page), static_cast<int>(top(b.next()) / page)) << lines << " lines before";
            moved += b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore ? 1 : 0;
        }
    }
    EXPECT_GE(moved, 1);
}

}  // namespace
