#pragma once
// What a pig sold at a final weight earns: the carcass priced by the market
// and the margin over its feed, the feeder pig and its days on feed.
#include "market/MarketSettings.h"

namespace tarvisol {

struct CarcassSale {
    double CarcassWeight = 0;      // kg (lb in the pound system)
    double PricePerKg = 0;         // per kg (lb) of carcass
    double Value = 0;              // the carcass, per pig
    double MarginPerPig = 0;       // value less feed, feeder pig and daily costs
    double MarginPerPlaceYear = 0; // the margin per pig over the days a place takes per pig, times 365
};

// liveWeight in kg (lb in the pound system), yield and lean in %, feedCost
// per pig, daysOnFeed from the starting age to the final age. A carcass
// whose weight lies on either end of the band earns the base price.
CarcassSale SellCarcass(const MarketSettings& m, double liveWeight, double yieldPercent, double leanPercent,
                        double feedCost, double daysOnFeed);

}  // namespace tarvisol
