#include "location/RunCompletion.h"

#include <string>
#include <vector>

#include "market/MarketFile.h"
#include "nutrition/RunNutritionOf.h"

namespace tarvisol {

void CompleteGrowthSnapshot(const SharedState& s, RunSnapshot& run) {
    std::vector<std::string> unread;  // the market window reports these; the run takes the defaults
    const MarketSettings market = LoadMarketSettings(s.LocationBase, s.WeightUnit(), unread);
    AddRunNutrition(s, run, market.EmptyDays);
}

void InstallRunCompletion(SharedState& s) { s.CompleteRunSnapshot = &CompleteGrowthSnapshot; }

}  // namespace tarvisol
