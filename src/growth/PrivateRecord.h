#pragma once
// A private copy of the record and of its main window, for the analyses that
// grow the location's pig many times (a herd, precision feeding, the margin
// search): the copy grows and formulates on its own, answers its own
// questions, never writes the location's files and never reaches the user's
// screen, clipboard or progress bar.
#include <memory>

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct PrivateRecord {
    PrivateRecord(const SharedState& from, Dialogs& dialogs);
    std::unique_ptr<MainWindow> window;  // before the record that points at it
    std::unique_ptr<SharedState> s;
};

}  // namespace tarvisol
