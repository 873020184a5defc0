#pragma once
// The calibration test window over its form: the trial rows of GridTest and
// the Run button, which searches around the chosen row under a progress dialog.
#include <QDialog>

#include "app/GridModel.h"
#include "calibration/AdjustCal.h"
#include "shared/Dialogs.h"

class QLineEdit;

namespace tarvisol::app {

class AdjustCalibrationView : public QDialog {
    Q_OBJECT
public:
    AdjustCalibrationView(SharedState& s, Dialogs& dialogs, QWidget* parent);
    // Loads the window from the curve in force and shows it.
    void Open();
    AdjustCalWindow& form() { return form_; }

private:
    void Run();
    SharedState& s_;
    Dialogs& dialogs_;
    AdjustCalWindow form_;
    GridView* grid_;
    QLineEdit* text_;
};

}  // namespace tarvisol::app
