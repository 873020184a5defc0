#include "cli/CommandSession.h"

#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"

namespace tarvisol::cli {

CommandSession OpenCommandSession(const std::string& location, ConsoleDialogs& dialogs,
                                  std::optional<int> formulation, bool keepFiles) {
    CommandSession c;
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    c.s->Main = c.w.get();
    c.s->Dialog = &dialogs;
    c.s->KeepFiles = keepFiles;
    OpenLocationAsUser(*c.s, location);
    c.notFound = LocationNotFound(*c.s, location);
    c.found = c.notFound.empty();
    if (formulation)
        c.w->Combo1.ListIndex = *formulation;
    else if (c.w->Combo1.ListIndex < 1)
        c.w->Combo1.ListIndex = c.s->NutrientCount > 0 ? kFormulationLeastCost : kFormulationGridDiets;
    return c;
}

}  // namespace tarvisol::cli
