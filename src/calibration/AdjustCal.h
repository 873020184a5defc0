#pragma once
// The calibration test window: a fine search of 6^5 growth runs around a set
// of coefficients typed into its grid, without changing the curve in force.
#include <string>

#include "calibration/SwineCalib.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

// The window (frmAdjustCal) as a form. GridTest: cell (0, 0) the number of the
// trial row to search around; each trial row column 0 the error, 1..5 B0..B4,
// 6 the final age, 7 the total feed. A run writes its best point into the
// trial row + 2 and leaves cell (0, 0) as it is: to search around that point,
// type its row number there and run again.
struct AdjustCalWindow {
    std::string Caption = "Velmorant Calibration Test";
    Grid GridTest{"GridTest", 24, 8};
    TextBox Text1;  // "Done" after a run
    Button CommandRun{"Run"};
    bool Visible = false;
};

// On load: trial row 1 from GridWeight row 1 and the herd's inputs; the curve
// in force is kept in GrowthCurve row 1.
void LoadAdjustCal(SharedState& s, AdjustCalWindow& form);

// The Run button: evaluates the trial row, searches the 7776 points around it,
// writes every point that beats the error so far into trial row + 2, and puts
// the curve in force (GrowthCurve and GridWeight row 1) back as it was.
void AdjustCalRun(SharedState& s, AdjustCalWindow& form, const FitOptions& options = {});

}  // namespace tarvisol
