#include "cli/CommandMarketSettings.h"

#include <algorithm>

#include "market/MarketFile.h"

namespace tarvisol::cli {

MarketSettings CommandMarketSettings(const SharedState& s, Dialogs& dialogs, const std::vector<MarketOption>& options,
                                     std::string& problem) {
    std::vector<std::string> read;
    std::vector<double MarketSettings::*> unusable;
    MarketSettings m = LoadMarketSettings(s.LocationBase, s.WeightUnit(), read, &unusable);
    for (const std::string& text : read) dialogs.Message(text);
    for (const auto& [value, field] : options)
        if (value) {
            m.*field = *value;
            unusable.erase(std::remove(unusable.begin(), unusable.end(), field), unusable.end());
        }
    std::string names;
    for (const MarketField& f : kMarketFields)
        if (std::find(unusable.begin(), unusable.end(), f.Value) != unusable.end())
            names += (names.empty() ? "" : ", ") + std::string(f.Name);
    problem = names.empty() ? std::string()
                            : "the market settings file " + MarketFilePath(s.LocationBase) + " gives no usable " + names +
                                  " (see above); mend the file or give them as options";
    return m;
}

}  // namespace tarvisol::cli
