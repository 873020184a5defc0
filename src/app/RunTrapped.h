#pragma once
// A window's procedure run from a button or a list: a run-time error it
// raises is shown as the trapped-error message instead of reaching Qt's
// event loop, and the window goes on.
#include <exception>

#include "shared/Dialogs.h"
#include "shared/RuntimeError.h"

namespace tarvisol::app {

template <class Procedure>
void RunTrapped(Dialogs& dialogs, Procedure&& procedure) {
    try {
        procedure();
    } catch (const std::exception& e) {
        dialogs.Message(TrappedErrorMessage(e, ")"));
    }
}

}  // namespace tarvisol::app
