#pragma once
// A command's own record and main window, with a location opened in them as
// the user opens it at the main window (Yes to reopening it) and the feed
// formulation chosen as `growth` chooses it.
#include <memory>
#include <optional>
#include <string>

#include "cli/ConsoleDialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

struct CommandSession {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    bool found = false;    // the location's settings file (.pig) was there
    std::string notFound;  // what the command tells when it was not
};

// Opens location with dialogs answering the program's questions. keepFiles:
// no file of the location is written (set before the location opens).
// formulation: the entry to choose (1 least cost, 2 the grid's diets); none:
// the location's own, else least cost when it has a matrix, else the grid's.
CommandSession OpenCommandSession(const std::string& location, ConsoleDialogs& dialogs,
                                  std::optional<int> formulation = std::nullopt, bool keepFiles = false);

}  // namespace tarvisol::cli
