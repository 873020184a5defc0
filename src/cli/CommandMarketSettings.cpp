#include "cli/CommandMarketSettings.h"

#include <algorithm>

#include "market/HerdFile.h"
#include "market/MarketFile.h"

namespace tarvisol::cli {
namespace {

// Why a command does not run on a settings file: the settings it gives no
// usable value for; empty when there are none.
std::string UnusableSettings(const std::string& file, const std::string& path, const std::string& names) {
    return names.empty() ? std::string()
                         : "the " + file + " file " + path + " gives no usable " + names +
                               " (see above); mend the file or give them as options";
}

}  // namespace

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
    problem = UnusableSettings("market settings", MarketFilePath(s.LocationBase), names);
    return m;
}

HerdSettings CommandHerdSettings(const SharedState& s, Dialogs& dialogs, const std::vector<int>& given,
                                 std::string& problem) {
    std::vector<std::string> read;
    std::vector<int> unusable;
    const HerdSettings h = LoadHerdSettings(s.LocationBase, read, &unusable);
    for (const std::string& text : read) dialogs.Message(text);
    std::string names;
    for (int f = 0; f < kHerdFieldCount; ++f)
        if (std::find(unusable.begin(), unusable.end(), f) != unusable.end() &&
            std::find(given.begin(), given.end(), f) == given.end())
            names += (names.empty() ? "" : ", ") + std::string(kHerdFields[f].Name);
    problem = UnusableSettings("herd settings", HerdFilePath(s.LocationBase), names);
    return h;
}

}  // namespace tarvisol::cli
