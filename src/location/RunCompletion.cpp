#include "location/RunCompletion.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "market/MarketFile.h"
#include "nutrition/RunNutritionOf.h"

namespace tarvisol {
namespace {

// The empty days of the location's market settings. The file is read again
// only when it changed (path, size or time of its last change), since the
// optimisation and the market sweep run the Growth command many times.
double EmptyDaysOf(const SharedState& s) {
    struct Seen {
        std::string path;
        int weightUnit = -1;
        bool exists = false;
        off_t size = 0;
        timespec changed{};
        double emptyDays = 0;
    };
    thread_local Seen seen;
    const std::string path = s.LocationBase.empty() ? std::string() : MarketFilePath(s.LocationBase);
    struct stat st {};
    const bool exists = !path.empty() && ::stat(path.c_str(), &st) == 0;
    if (seen.weightUnit == s.WeightUnit() && seen.path == path && seen.exists == exists &&
        (!exists || (seen.size == st.st_size && seen.changed.tv_sec == st.st_mtim.tv_sec &&
                     seen.changed.tv_nsec == st.st_mtim.tv_nsec)))
        return seen.emptyDays;
    std::vector<std::string> unread;  // the market window reports these; the run takes the defaults
    const MarketSettings market = LoadMarketSettings(s.LocationBase, s.WeightUnit(), unread);
    seen = {path, s.WeightUnit(), exists, exists ? st.st_size : 0, exists ? st.st_mtim : timespec{}, market.EmptyDays};
    return market.EmptyDays;
}

}  // namespace

void CompleteGrowthSnapshot(const SharedState& s, RunSnapshot& run) { AddRunNutrition(s, run, EmptyDaysOf(s)); }

void InstallRunCompletion(SharedState& s) { s.CompleteRunSnapshot = &CompleteGrowthSnapshot; }

}  // namespace tarvisol
