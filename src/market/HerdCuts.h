#pragma once
// Selling a herd in cuts: up to four days of age, each taking the heaviest
// pigs at or above a live weight, or a share of the pigs left, the last cut
// emptying the barn. Every pig is sold at its own weight that day; carcass =
// live x the market's yield (or the run's own), priced on the market's grid.
// Also the search for the cuts that pay best per pig place and year.
#include <string>
#include <vector>

#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"

namespace tarvisol {

class Progress;

inline constexpr int kHerdMaxCuts = 4;

struct HerdCut {
    int Age = 0;           // day of age
    double MinWeight = 0;  // kg live: the pigs at or above it; 0: a share
    double Share = 0;      // of the pigs left, 0 to 1, heaviest first (when MinWeight is 0)

    bool operator==(const HerdCut&) const = default;
};
using HerdStrategy = std::vector<HerdCut>;

// The whole barn on one day.
inline HerdStrategy OneDaySale(int age) { return {HerdCut{age, 0, 1}}; }

// Empty when the strategy can be valued on the herd; otherwise why not (one
// to four cuts, days in order within the herd's days, weights 0 or more,
// shares from 0 to 1).
std::string HerdStrategyProblem(const Herd& herd, const HerdStrategy& cuts);

// One pig as it was sold. Live and carcass weights in the market's unit (kg,
// or lb in the pound system); money per pig.
struct HerdSale {
    int Pig = 0;
    int Cut = 0;
    int Age = 0;
    double Live = 0, Carcass = 0;
    double Feed = 0;      // kg eaten since the start
    double FeedCost = 0;
    double PricePerKg = 0;  // per kg (lb) of carcass
    double Revenue = 0;
    bool OutsideBand = false;
};

struct HerdCutResult {
    int Age = 0;
    int Sold = 0;
    double LiveMean = 0, LiveSd = 0, CarcassMean = 0, CarcassSd = 0;  // market unit
    double OutsideBand = 0;     // share of the pigs sold, 0 to 1
    double Revenue = 0;         // the cut's pigs together
    double FeedCost = 0;        // the cut's pigs together
    double SortLossPerPig = 0;  // against the same pigs all inside the band, per pig of the cut
};

struct HerdValue {
    std::string Problem;  // why there is no value (empty when there is one)
    std::vector<HerdCutResult> Cuts;
    std::vector<HerdSale> Sales;  // one per pig, in the herd's order
    int Pigs = 0;
    double FeedCostPerPig = 0, RevenuePerPig = 0, SortLossPerPig = 0, MarginPerPig = 0;
    double MarginPerPlaceYear = 0;  // margin per pig x 365 / (barn days + empty days)
    double BarnDays = 0;            // from the starting age to the last cut

    bool Valued() const { return Problem.empty() && Pigs > 0; }
};

// The strategy on the herd and the market (checked first: a problem gives no value).
HerdValue ValueHerd(const Herd& herd, const MarketSettings& m, const HerdStrategy& cuts);

// A sold herd as a report page and a workbook sheet show it.
struct HerdReport {
    HerdSettings Settings;
    double Yield = 0;  // the carcass yield used, %
    bool YieldFromMarket = false;  // the market's (the packer's) rather than the run's own
    double BandLow = 0, BandHigh = 0;
    std::string CarcassUnit = "kg";
    std::string Currency;  // of the money figures ("" none)
    HerdValue Value;
    // Empty when the herd was grown on the run the report or workbook is
    // of; otherwise the earlier run it was grown on, named.
    std::string OlderRun;
};

struct BestCuts {
    bool Cancelled = false;
    HerdStrategy Cuts;      // the best found, by margin per pig place and year
    HerdValue Value;
    HerdStrategy OneDay;    // the best single day for the whole barn
    HerdValue OneDayValue;
};

// Searches one to four cuts: every day for the whole barn, then, cut by cut,
// the days and the weights of the earlier cuts (whole days, whole kg) by
// turns until nothing pays more. Deterministic; ties keep the earlier find.
BestCuts FindBestCuts(const Herd& herd, const MarketSettings& m, Progress* progress = nullptr);

}  // namespace tarvisol
