#pragma once
// The market settings a command ran with, as its JSON gives them: each
// setting by its key (a blank carcass yield as null) and the carcass unit.
#include <nlohmann/json.hpp>

#include "market/MarketSettings.h"

namespace tarvisol::cli {

void AddMarketSettings(nlohmann::json& settings, const MarketSettings& m, int weightUnit);

}  // namespace tarvisol::cli
