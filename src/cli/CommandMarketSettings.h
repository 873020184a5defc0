#pragma once
// The market and herd settings a command runs with: the defaults of the location's
// weight unit, its market file over them, then the options given. A value of
// the file that cannot be used is not replaced by a default the user did not
// choose: the file or an option has to give it.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"
#include "shared/Dialogs.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

using MarketOption = std::pair<std::optional<double>, double MarketSettings::*>;

// The settings; the messages of reading the file are shown through dialogs.
// problem, when not empty, says which settings the file gives no usable
// value for (and no option gave).
MarketSettings CommandMarketSettings(const SharedState& s, Dialogs& dialogs, const std::vector<MarketOption>& options,
                                     std::string& problem);

// The herd settings a command runs with: the defaults, then the location's
// herd file. given lists the settings (indices in kHerdFields) the options
// give, which the caller sets; problem as above for the herd file.
HerdSettings CommandHerdSettings(const SharedState& s, Dialogs& dialogs, const std::vector<int>& given,
                                 std::string& problem);

}  // namespace tarvisol::cli
