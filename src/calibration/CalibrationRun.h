#pragma once
// The user's road through a calibration: the main window's "Calibration"
// button, the calibration window where the measured herd table is typed, the
// run of the growth command and the fit, and on consent the save of the
// calibrated location.
#include <functional>
#include <string>

#include "calibration/SwineCalib.h"
#include "calibration/WiderSearch.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Rows of the measured herd the calibration window shows and "Continue
// Calibration" reads: the start and the end of each of the programme's up to
// six diets. Exactly these rows enter the fit.
inline constexpr int kCalWindowRows = 7;

inline constexpr const char* kCalibrationCancelled = "Calibration cancelled";
// Where the window's genotype fit is run, as a herd beyond the documented
// curve is told.
inline constexpr const char* kFitGenotypeWhere =
    "the window offers it after this calibration's questions (Fit Genotype, nutrient response)";
inline constexpr const char* kUseCurveQuestion = "Use the new curve for this session without saving it?";

// The calibration window (frmCalibration) as a form.
struct CalibrationWindow {
    std::string Caption = "Calibration Inputs";
    Label LabelSex;  // "Calibrating " + the herd sex
    Label Label1{"Starting Weight, kg"};
    Label Label2{"Starting Age, Days"};
    Label Label3{"Final Weight, kg"};
    Label Label4{"Total Feed Intake"};
    Label Label5{"Final Age, Days"};
    TextBox Text1, Text2, Text3, Text4, Text5;  // CalibInputs(1..5)
    // Row 0 headers; row 1 the start, row r the end of diet r - 1: column 0
    // age (days), 1 live weight, 2 feed eaten per pig since the previous row.
    Grid GridCalibWts{"GridCalibWts", kCalWindowRows + 1, 3};
    Label LabelInstructions{
        "Enter Live Weights at an age and feed weight consumed in that period.  First weight should be starting "
        "with no feed consumed."};
    Label LabelGiveAll{"Give all the Data you can then click Continue Calibration"};
    TextBox TextNote{
        "Calibration takes time: every trial of the fit is a complete growth run. When it is done, the fit's "
        "diagnostics show here; later, Ctrl+R on the results grid shows the measured values beside the predicted "
        "ones, the residual of each weighing and the correlations."};
    // The fit alone, without the wider search from other starting curves.
    CheckBox CheckDocumentedOnly{"Fit from the location's curve only (no wider search)"};
    Button CommandContinue{"Continue Calibration"};
    // Filled when the fit has ended, before the save question: which start
    // won, the fit's own result beside it, and the diagnostics of the curve.
    SearchOutcome Outcome;
    TextBox TextDiagnostics;
    bool DiagnosticsShown = false;
    // Called once TextDiagnostics is filled, before the save question.
    std::function<void()> OnDiagnostics;
    Label LabelWorking{"WORKING..."};
    bool WorkingShown = false;  // LabelWorking moved into view
    bool Visible = false;

    CalibrationWindow() { Text4.ToolTip = "Total Feed Intake only needed for Calibration"; }
};

// The main window's "Calibration" button: checks the herd sex and the first
// diet, asks for the calibration name, takes the herd's measured inputs into
// CalibInputs (Text4 and Text5 only when they hold a measurement, not the
// last Growth's prediction) and opens the window.
inline constexpr const char* kMeasuredHerdTooShort =
    "The measured herd needs at least a first and a last weighing (age and weight): nothing was fitted.";

void CalibrationCommand(SharedState& s, CalibrationWindow& form);

// The window on load: captions by herd sex and units, the five inputs, and
// the measured table as the location holds it (its first kCalWindowRows rows;
// a longer table is reported).
void LoadCalibrationWindow(SharedState& s, CalibrationWindow& form);

// "Continue Calibration": stores the measured table as the window shows it,
// takes the start and end from it, reports zero inputs, then runs
// CalibContinue, saves the table (.cal) and closes the window. A stop from the
// progress leaves the record, the main window and the files as they were
// before the press, says "Calibration cancelled" and keeps the window open.
void ContinueCalibration(SharedState& s, CalibrationWindow& form, const FitOptions& options = {});

// Checks the diets, runs the growth command and the fit, grows the fitted
// curve once and asks whether to save the calibrated location. Declined, it
// asks whether to use the new curve for this session; declined again, the
// curve in force before the calibration is put back. Either way the Growth
// command then runs on the curve in force, so the results grid (and Ctrl+R)
// describe it. Returns false when the progress stopped the fit.
bool CalibContinue(SharedState& s, CalibrationWindow& form, const FitOptions& options = {});

// Reads the window's grid while the weight is above 0 (at most 15 rows) into
// the measured table and writes those rows to the .cal file.
void SaveCalFile(SharedState& s, CalibrationWindow& form);

// A coefficient as CalibContinue writes it to the .pig file: seven
// significant digits (the fitted curve is rounded to them before it is used).
std::string FormatCalibCoefficient(double value);

}  // namespace tarvisol
