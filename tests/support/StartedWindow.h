#pragma once
// The main window just started (FormLoad in a scratch program folder), no
// location open, the dialogs scripted.
#include <memory>

#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"

namespace tarvisol::testing {

struct StartedWindow {
    ScratchFolder folder;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    StartedWindow() {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder.Str());
    }
};

}  // namespace tarvisol::testing
