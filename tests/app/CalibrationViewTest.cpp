// The calibration window over its form: the documented-search box reaches
// the form, and the fit's diagnostics stand in the window before the save
// question is asked.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/CalibrationView.h"
#include "app/DemoInMainWindow.h"
#include "app/GridModel.h"
#include "shared/Numbers.h"

using namespace tarvisol;

class CalibrationViewTest : public tarvisol::testing::DemoInMainWindow {};

TEST_F(CalibrationViewTest, TheDiagnosticsStandInTheWindowWhenTheSaveQuestionComes) {
    OpenDemo("calibration_view");
    ASSERT_TRUE(s->PigDataReady);
    view->findChild<QComboBox*>("ComboSex")->setCurrentIndex(0);
    // The default curve, whose fit on the demo herd carries warnings.
    for (int k = 0; k < 5; ++k) form->GridWeight.SetTextMatrix(1, k + 1, FormatExact(kDefaultCurve[k]));
    dialogs.Text("Demo");
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Calibration") b->click();
    auto* calibration = view->findChild<app::CalibrationView*>();
    ASSERT_NE(calibration, nullptr);
    ASSERT_TRUE(calibration->isVisible());
    auto* panel = calibration->findChild<QPlainTextEdit*>("TextDiagnostics");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    QCheckBox* documentedOnly = nullptr;
    for (QCheckBox* c : calibration->findChildren<QCheckBox*>())
        if (c->text().toStdString() == calibration->form().CheckDocumentedOnly.Caption) documentedOnly = c;
    ASSERT_NE(documentedOnly, nullptr);
    documentedOnly->setChecked(true);

    bool seen = false;
    calibration->onDiagnosticsShown = [&] {
        seen = true;
        EXPECT_TRUE(calibration->isVisible());
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->toPlainText().toStdString(), calibration->form().TextDiagnostics.Text);
        for (const auto& shown : dialogs.Log()) EXPECT_NE(shown.kind, "ask") << shown.text;
    };
    dialogs.ClearLog();
    dialogs.Answer(Answer::No).Answer(Answer::No);
    for (QPushButton* b : calibration->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Continue Calibration") b->click();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(dialogs.Exhausted());
    // The box kept the fit alone: its warnings stand, no other start was tried.
    const SearchOutcome& o = calibration->form().Outcome;
    EXPECT_FALSE(o.widened);
    EXPECT_FALSE(o.documented.Clean());
    EXPECT_NE(panel->toPlainText().toStdString().find("Warnings:"), std::string::npos);
}

// While the calibration runs and when it asks whether to save, the main
// window's curve cells show the coefficients the fit has reached whole: the
// columns fit the new texts (no cell cut to "1....").
TEST_F(CalibrationViewTest, TheCurveCellsShowTheFittedCoefficientsWholeBeforeTheSaveQuestion) {
    OpenDemo("calibration_curve");
    view->findChild<QComboBox*>("ComboSex")->setCurrentIndex(0);
    for (int k = 0; k < 5; ++k) form->GridWeight.SetTextMatrix(1, k + 1, FormatExact(kDefaultCurve[k]));
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Growth") b->click();
    dialogs.Text("Demo");
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Calibration") b->click();
    auto* calibration = view->findChild<app::CalibrationView*>();
    ASSERT_NE(calibration, nullptr);
    app::GridView* curve = view->gridView("GridWeight");
    ASSERT_NE(curve, nullptr);
    bool seen = false;
    calibration->onDiagnosticsShown = [&] {
        seen = true;
        for (int c = 1; c <= 5; ++c) {
            const QModelIndex cell = curve->model()->index(1, c);
            EXPECT_TRUE(curve->ToolTipAt(cell).isEmpty()) << form->GridWeight.TextMatrix(1, c);
        }
    };
    dialogs.ClearLog();
    // From the default curve no curve fits the demo herd without a warning:
    // after the save questions the genotype fit is offered, and declined.
    dialogs.Answer(Answer::No).Answer(Answer::No).Answer(Answer::No);
    for (QPushButton* b : calibration->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Continue Calibration") b->click();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(dialogs.Exhausted());
}

// Fit Genotype: the fit stands in the window, the genotype in force beside
// the fitted one and a row per weighing, before the save question; declined,
// no genotype file appears.
TEST_F(CalibrationViewTest, AGenotypeFitStandsInTheWindowBeforeItsSaveQuestion) {
    OpenDemo("calibration_genotype");
    view->findChild<QComboBox*>("ComboSex")->setCurrentIndex(0);
    dialogs.Text("Demo");
    for (QPushButton* b : view->findChildren<QPushButton*>())
        if (b->text().remove(QChar('&')) == "Calibration") b->click();
    auto* calibration = view->findChild<app::CalibrationView*>();
    ASSERT_NE(calibration, nullptr);
    auto* panel = calibration->findChild<QWidget*>("GenotypeFit");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    bool seen = false;
    calibration->onDiagnosticsShown = [&] {
        seen = true;
        EXPECT_TRUE(panel->isVisible());
        EXPECT_GE(calibration->width(), 1250);
        auto* weighings = calibration->findChild<app::GridView*>("GridWeighings");
        ASSERT_NE(weighings, nullptr);
        EXPECT_EQ(weighings->model()->rowCount(), 5);  // the header and the demo's four diet ends
        for (const auto& shown : dialogs.Log()) EXPECT_NE(shown.kind, "ask") << shown.text;
    };
    dialogs.ClearLog();
    dialogs.Answer(Answer::No);
    auto* fit = calibration->findChild<QPushButton*>("CommandFitGenotype");
    ASSERT_NE(fit, nullptr);
    fit->click();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(dialogs.Exhausted());
    EXPECT_FALSE(std::filesystem::exists(scratch / "Demo.gen"));
}
