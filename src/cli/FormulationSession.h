#pragma once
// A location's diets, matrix and restrictions read into a fresh record, as
// the command-line formulation commands (lp, mix) open them: no growth
// inputs, prices per tonne.
#include <memory>
#include <string>

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

struct FormulationSession {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    bool loaded = false;  // the matrix (and with it the restrictions) was read
};

// `dialogs` must outlive the session: the record shows its messages there.
FormulationSession OpenFormulationFiles(const std::string& base, Dialogs& dialogs);

}  // namespace tarvisol::cli
