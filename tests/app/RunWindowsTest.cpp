// The finished-run commands of the desktop program on the demo location:
// Growth, the charts from the daily growth window, two runs kept, compared,
// and the report and the workbook exported from the File menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/CompareRunsView.h"
#include "app/GrowthChartsView.h"
#include "app/MainWindowView.h"
#include "app/RunMenus.h"
#include "shared/ScriptedDialogs.h"
#include "app/DemoInMainWindow.h"
#include "location/ScratchFolder.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"
#include "support/XlsxCells.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

class RunWindowsTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override {
        OpenDemo("runs");
    }
    QAction* Action(const QString& text) {
        for (QAction* a : view->findChildren<QAction*>())
            if (a->text().remove(QChar('&')) == text) return a;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return nullptr;
    }
    void Trigger(const QString& text) {
        if (QAction* a = Action(text)) a->trigger();
    }
    void Growth() { view->findChild<QPushButton*>("Growth")->click(); }
};

TEST_F(RunWindowsTest, ChartsKeepTwoRunsCompareThemAndExportBothFiles) {
    Growth();
    ASSERT_TRUE(s->LastRun.ResultsValid);

    // The charts from the daily growth window's button, saved as PNG.
    Trigger("Daily Growth");
    auto* chartsButton = view->findChild<QPushButton*>("Growth Charts");
    ASSERT_NE(chartsButton, nullptr);
    chartsButton->click();
    app::GrowthChartsView* charts = view->runMenus()->charts();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->isVisible());
    EXPECT_GE(charts->weightView()->chart()->series().size(), 3);  // the herd, males and females at least
    EXPECT_GE(charts->gainView()->chart()->series().size(), 3);
    const std::string png = (scratch / "charts").string();
    dialogs.Text(png);
    charts->findChild<QPushButton*>("CommandSave")->click();
    QImage picture((png + ".png").c_str());
    EXPECT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 300);
    // Saved again on a disk that takes only a few bytes: the picture there stays whole.
    const std::string saved = tarvisol::testing::Slurp(png + ".png");
    const auto files = tarvisol::testing::FolderContents(scratch.string());
    dialogs.ClearLog();
    dialogs.Text(png + ".png");
    {
        tarvisol::testing::FileSizeCap cap(8);
        charts->findChild<QPushButton*>("CommandSave")->click();
    }
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].rfind("Cannot save " + png + ".png", 0), 0u) << dialogs.Messages()[0];
    EXPECT_TRUE(tarvisol::testing::FolderContents(scratch.string()) == files);
    EXPECT_EQ(tarvisol::testing::Slurp(png + ".png"), saved);

    // Two runs kept, the second on other weights.
    dialogs.Text("First run");
    Trigger("Keep This Run");
    form->Text1.Text = "30";
    view->findChild<QLineEdit*>("Text1")->setText("30");
    Growth();
    ASSERT_TRUE(s->LastRun.ResultsValid);
    dialogs.Text("Second run");
    Trigger("Keep This Run");

    Trigger("Compare Runs");
    app::CompareRunsView* compare = view->runMenus()->comparison();
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isVisible());
    ASSERT_EQ(compare->form().Runs.size(), 2u);
    EXPECT_EQ(compare->form().Runs[1].Name, "Second run");
    EXPECT_EQ(compare->form().GridCompare.TextMatrix(0, 2), "First run (base)");
    EXPECT_EQ(compare->form().GridCompare.TextMatrix(0, 3), "Second run");

    // The report and the workbook of the current run with the comparison.
    const std::string pdf = (scratch / "report.pdf").string();
    dialogs.Text(pdf);
    Trigger("Export Report...");
    ASSERT_TRUE(fs::exists(pdf)) << dialogs.Messages().back();
    ASSERT_FALSE(dialogs.Notes().empty());
    EXPECT_EQ(dialogs.Notes().back(), "Report written to " + pdf);
    if (tarvisol::testing::HaveProgram("pdftotext")) {
        const std::string text = tarvisol::testing::ProgramOutput("pdftotext '" + pdf + "' -");
        EXPECT_NE(text.find("Kept runs compared"), std::string::npos);
        EXPECT_NE(text.find("Second run"), std::string::npos);
    }
    const std::string xlsx = (scratch / "run.xlsx").string();
    dialogs.Text(xlsx);
    Trigger("Export to Excel...");
    ASSERT_TRUE(fs::exists(xlsx)) << dialogs.Messages().back();
    if (tarvisol::testing::HaveProgram("unzip")) {
        const tarvisol::testing::Workbook book(xlsx);
        ASSERT_FALSE(book.Sheets().empty());
        EXPECT_EQ(book.Sheets().front(), "Summary");
        EXPECT_EQ(book.Sheets().back(), "Comparison");
    }
    // The documented entry stays with its message.
    EXPECT_NE(Action("Finishing Report"), nullptr);
}

}  // namespace
