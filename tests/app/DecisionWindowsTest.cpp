// The Sensitivity and Mixing Sheet windows opened from the main window's
// buttons on the demo location, and the mixing sheet saved as PDF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/MainWindowView.h"
#include "app/MixingSheetView.h"
#include "app/SensitivityView.h"
#include "shared/ScriptedDialogs.h"
#include "app/DemoInMainWindow.h"
#include "support/DemoLocation.h"
#include "support/ProgramRun.h"

using namespace tarvisol;
namespace fs = std::filesystem;

namespace {

class DecisionWindowsTest : public tarvisol::testing::DemoInMainWindow {
protected:
    void SetUp() override {
        OpenDemo("decision");
        view->findChild<QPushButton*>("Run LP")->click();
        form->Griddiets.Col = 2;
    }
};

TEST_F(DecisionWindowsTest, SensitivityOpensOnTheSelectedDiet) {
    ASSERT_EQ(s->DietFaults(2), 0);
    view->findChild<QPushButton*>("Sensitivity")->click();
    auto* w = view->findChild<app::SensitivityView*>("SensitivityView");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->form().ComboDiet.ListIndex, 1);
    EXPECT_GT(w->form().GridLimits.Rows(), 5);
    auto* grid = w->findChild<QWidget*>("GridLimits");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->isVisible());
}

TEST_F(DecisionWindowsTest, MixingSheetSavesAsPdfAndReportsAFailedSave) {
    if (!tarvisol::testing::HaveProgram("pdftotext"))
        GTEST_SKIP() << "pdftotext (Debian package poppler-utils) is not installed";
    view->findChild<QPushButton*>("Mixing Sheet")->click();
    auto* w = view->findChild<app::MixingSheetView*>("MixingSheetView");
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->form().SheetReady);
    const std::string pdf = (scratch / "sheet.pdf").string();
    ASSERT_TRUE(w->SavePdf(pdf));
    const std::string text = tarvisol::testing::ProgramOutput("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.find("Corn DDGS"), std::string::npos);
    EXPECT_NE(text.find("Total"), std::string::npos);
    EXPECT_NE(text.find("Grower 2"), std::string::npos);
    for (const char* part : {"Location: ", "Date: ", "Batch number: ", "Weighed"})
        EXPECT_NE(text.find(part), std::string::npos) << part;

    dialogs.ClearLog();
    const std::string nowhere = (scratch / "missing" / "sheet.pdf").string();
    EXPECT_FALSE(w->SavePdf(nowhere));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].rfind("The mixing sheet could not be saved to " + nowhere, 0), 0u);
}

}  // namespace
