#pragma once
// The calibration window over its form: the herd's five inputs, the measured
// table GridCalibWts and "Continue Calibration", which runs the calibration
// under a progress dialog; and "Fit Genotype (nutrient response)", which fits
// the nutrient-response model's genotype to the same herd and shows the fit
// beside the genotype in force before asking whether to save it.
#include <QDialog>
#include <functional>

#include "app/Binder.h"
#include "app/GridModel.h"
#include "calibration/CalibrationRun.h"
#include "ui/GenotypeFitWindow.h"
#include "shared/Dialogs.h"
#include "ui/UndoHistory.h"

class QLabel;
class QPlainTextEdit;

namespace tarvisol::app {

class CalibrationView : public QDialog {
    Q_OBJECT
public:
    CalibrationView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // The main window's "Calibration" button: runs its checks and the name
    // question, and shows the window when they pass.
    void Open();
    CalibrationWindow& form() { return form_; }
    GenotypeFitWindow& genotypeForm() { return genotype_; }
    // Fits the genotype under a progress dialog (the Fit Genotype button).
    void FitGenotype();
    // Called after a calibration ran, so the main window can show its results.
    std::function<void()> onFinished;
    // Edit -> Undo takes back what the calibration saved and the curve it set.
    UndoHistory* undo = nullptr;
    // Shows the main window's form again while the calibration runs (at each
    // progress report, and when the diagnostics come before the save
    // question), so its curve cells show the coefficients the fit reached.
    std::function<void()> onRunning;
    // Called once the window shows the fit's diagnostics, before the save question.
    std::function<void()> onDiagnosticsShown;

private:
    void Continue();
    void Refresh();
    void ShowGenotypePanel();
    SharedState& s_;
    Dialogs& dialogs_;
    CalibrationWindow form_;
    Binder binder_;
    GridView* grid_;
    QLabel* working_;
    QPlainTextEdit* diagnostics_;
    GenotypeFitWindow genotype_;
    QWidget* genotypePanel_;
    QLabel* genotypeTitle_;
    GridView* parameters_;
    GridView* weighings_;
    QPlainTextEdit* warnings_;
};

// The diagnostics of the curve in force in a window of their own (Ctrl+R on
// the results): fixed-width text, so that the residual table lines up.
void ShowFitDiagnostics(QWidget* parent, const std::string& text);

}  // namespace tarvisol::app
