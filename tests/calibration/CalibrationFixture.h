#pragma once
// The demo location opened as a user opens it, with the calibration window
// filled from its measured herd table: ready for "Continue Calibration". Used
// by the calibration tests and the calibration benchmark.
#include <filesystem>
#include <memory>
#include <string>

#include "calibration/CalibrationRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "support/DemoLocation.h"

namespace tarvisol::testing {

struct DemoCalibration {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    std::unique_ptr<CalibrationWindow> form = std::make_unique<CalibrationWindow>();
    ScriptedDialogs dialogs;

    // folder: where Demo.pig, Demo.cal and the other demo files are.
    explicit DemoCalibration(const std::string& folder) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder);
        s->LocationFolder = folder;
        w->Text6.Text = "Demo";
        dialogs.Answer(Answer::Yes);  // reopen the location
        LocationName(*s);
        w->Combo1.ListIndex = 2;      // the diets on the grid: no LP in the tests
        dialogs.Text("Demo");         // keep the calibration name
        CalibrationCommand(*s, *form);
    }
};

// DemoCalibration on a scratch copy of the demo location, whose files the
// calibration may write; the log of the opening cleared.
struct DemoCalibrationCopy {
    ScratchFolder folder;
    std::unique_ptr<DemoCalibration> demo;
    DemoCalibrationCopy() {
        CopyDemoLocation(std::filesystem::path(folder.Str()));
        demo = std::make_unique<DemoCalibration>(folder.Str());
        demo->dialogs.ClearLog();
    }
};

// The record as the fit finds it in a calibration: runs the calibration once
// (declining the save), then puts the starting curve and the fit's
// bookkeeping back, so that FitCalibration can be run again from the start.
inline void PrepareRefit(SharedState& s, MainWindow& w, const double (&curve)[5]) {
    for (int k = 0; k < 5; ++k) {
        s.GrowthCurve(0, k) = curve[k];
        w.GridWeight.SetTextMatrix(1, k + 1, FormatExact(curve[k]));
        s.BestCurve(0, k + 1) = 0;
    }
    s.BestCurve(1, 0) = 0;
    s.BestError = s.CheckError = s.CalibError = 0;
    for (int i = 0; i <= 2; ++i) s.RunResults(i) = 0;
}

inline std::string DemoFolder(const std::string& sourceDir) {
    return (std::filesystem::path(sourceDir) / "examples" / "demo").string();
}

}  // namespace tarvisol::testing
