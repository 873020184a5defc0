#pragma once
// The herd page of tarvisol-cli report (--herd): the herd of the location's
// herd settings grown on the run's programme and sold on its market settings
// as `tarvisol-cli herd` sells it without --cuts (the whole barn on the day
// the run's pig reaches its final weight), the page the window's report
// gets from a herd sold in Herd and Marketing.
#include <optional>
#include <string>

#include "market/HerdCuts.h"
#include "shared/Dialogs.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

struct CommandHerdPage {
    std::optional<HerdReport> herd;  // the sold herd, when there is one
    bool refused = false;  // the herd or market settings are none a herd can be sold on
    std::string problem;   // why there is no herd
};

// threads: 0 one per processor.
CommandHerdPage CommandHerdReport(const SharedState& s, Dialogs& dialogs, int threads);

}  // namespace tarvisol::cli
