#pragma once
// A location opened and grown from the command line as `growth` does it: the
// window starts, the location is reopened, the boxes given are typed, Growth
// is pressed. The record, the window and the dialogs stay for what follows
// (the report, keeping the run).
#include <iosfwd>
#include <memory>

#include "cli/ConsoleDialogs.h"
#include "cli/GrowthCommand.h"
#include "growth/GrowthRun.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

struct GrowthSession {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    std::unique_ptr<ConsoleDialogs> dialogs;
    GrowthOutcome outcome = GrowthOutcome::Refused;  // what Growth gave
    std::string refused;  // why the command line's choice of model could not be taken (nothing then runs)
};

// The location opened and the boxes given typed, as `growth` does, before
// Growth is pressed. A formulation not chosen is least cost when the
// location has a matrix, the grid's diets otherwise.
std::unique_ptr<GrowthSession> OpenForGrowth(const GrowthArgs& args, std::ostream* messages);

// OpenForGrowth, a herd sex not chosen taken as mixed, then Growth (not
// pressed when the model chosen was refused).
std::unique_ptr<GrowthSession> GrowAsUser(const GrowthArgs& args, std::ostream* messages);

}  // namespace tarvisol::cli
