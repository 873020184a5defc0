#pragma once
// The demo location opened as the main window opens it (a scratch copy, its
// name typed into "Calibration Name", reopening answered Yes), after a Growth
// run on the chosen feed formulation for a mixed herd: on the demo's
// documented curve, or as the demo ships (its fitted genotype).
#include <filesystem>
#include <memory>

#include "growth/GrowthRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"

namespace tarvisol::testing {

struct DemoAfterGrowth {
    ScratchFolder folder;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    explicit DemoAfterGrowth(int formulation, DemoModel model = DemoModel::DocumentedCurve) {
        CopyDemoLocation(std::filesystem::path(folder.Str()), model);
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder.Str());
        s->LocationFolder = folder.Str();
        w->Text6.Text = "Demo";
        dialogs.Answer(Answer::Yes);  // reopen the location
        LocationName(*s);
        w->Combo1.ListIndex = formulation;
        if (w->ComboSex.ListIndex < 0) w->ComboSex.ListIndex = 0;
        Growth(*s);
    }
};

}  // namespace tarvisol::testing
