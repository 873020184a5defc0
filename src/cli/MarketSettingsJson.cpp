#include "cli/MarketSettingsJson.h"

namespace tarvisol::cli {

void AddMarketSettings(nlohmann::json& settings, const MarketSettings& m, int weightUnit) {
    for (const MarketField& f : kMarketFields)
        settings[f.Key] = f.BlankAllowed && m.*f.Value == 0 ? nlohmann::json(nullptr) : nlohmann::json(m.*f.Value);
    settings["carcass_unit"] = MarketWeightUnit(weightUnit);
}

}  // namespace tarvisol::cli
