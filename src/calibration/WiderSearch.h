#pragma once
// The wider search after the fit. The fit is local: from a poor start it can
// settle on a curve that meets the herd's feed and final age with an absurd
// shape (a mature weight near market weight, no potential gain left at the
// end, weighings missed by kilograms). When the fitted curve carries a
// warning, the same fit starts again from a set of starting curves and the
// best of the results without warnings, by the fit's own error, replaces it.
// When every result carries a warning the fit's own result stays.
//
// Every start is fitted on a private copy of the record, its grids one point
// after another, the starts spread over worker threads: the outcome is the
// same for any number of threads.
#include <string>
#include <vector>

#include "calibration/FitDiagnostics.h"
#include "calibration/SwineCalib.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct SearchStart {
    std::string name;
    CurvePoint curve{};
};

// A handful of typical modern curves of mature weights 200, 260, 330 and
// 450 kg, each with a potential gain of about 0.45 kg/d at 25 kg and 0.85 kg/d
// at 110 kg (B0 1.5 kg; B1 and B3 chosen for those two gains).
const std::vector<SearchStart>& TypicalCurves();

// The starts in the order they are tried: the default curve, the location's
// own curve (when it differs), then the typical curves.
std::vector<SearchStart> SearchStarts(const CurvePoint& locationCurve);

struct StartResult {
    SearchStart start;
    FitDiagnostics fitted;  // of the rounded fitted curve
};

struct SearchOutcome {
    FitDiagnostics documented;          // the documented fit's result
    bool widened = false;               // the wider search ran
    std::vector<StartResult> tried;     // in start order
    int won = -1;                       // index into tried; -1: the documented result is kept
    FitDiagnostics chosen;              // the curve the calibration keeps
    bool cancelled = false;

    std::string WonName() const { return won >= 0 ? tried[static_cast<std::size_t>(won)].start.name : "the fit's own result"; }
    // Warnings remained on every result, so the fit's own result was kept.
    bool NoneClean() const { return widened && won < 0; }
};

// After FitCalibration: takes the fit's result from BestCurve(0, 1..5),
// rounded to seven significant digits, and its diagnostics; when it carries a
// warning and documentedOnly is false, runs the wider search. Leaves the
// chosen curve in BestCurve(0, 1..5) and its error (the fit's error of the
// rounded curve) in BestError. options.threads spreads the starts;
// options.progress is reported to (and its stop honoured) from this thread.
SearchOutcome WidenFit(SharedState& s, const CurvePoint& locationCurve, bool documentedOnly,
                       const FitOptions& options = {});

// The outcome as text: which start won, the fit's own result beside it.
std::string SearchText(const SearchOutcome& o);

}  // namespace tarvisol
