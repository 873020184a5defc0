#pragma once
// The demo location on least-cost diets after an optimisation whose optimum
// was transferred to the main window ("Program Add Min Max to Current",
// "Run Opt.", "Transfer Optimum to Current"), before Growth is pressed again.
#include "optimisation/OptimisationWindow.h"
#include "support/DemoAfterGrowth.h"

namespace tarvisol::testing {

struct DemoAfterTransfer : DemoAfterGrowth {
    FrmOptP opt;
    RunSnapshot before;  // the Growth run the optimisation started from
    DemoAfterTransfer() : DemoAfterGrowth(kFormulationLeastCost) {
        before = s->LastRun;
        ShowOptimisationWindow(*s, opt);
        ProgramMinMaxClick(*s, opt);
        RunOptimisation(*s, opt);
        TransferOptimumClick(*s, opt);
        dialogs.ClearLog();
    }
};

}  // namespace tarvisol::testing
