#pragma once
// Three ways to feed the same herd two feeds, each grown on the
// nutrient-response model: the location's phase programme; a daily blend of
// feeds A and B for the whole group (each day the mix that meets the herd's
// mean requirement, or the requirement of a chosen percentile of its pigs);
// and precision feeding (each pig its own daily mix for its own
// requirement). What each eats of SID lysine, crude protein and phosphorus,
// what it excretes of nitrogen and phosphorus, its feed cost, growth,
// carcass and margin. Value types in, results out; the same answer on any
// number of threads.
#include <array>
#include <string>
#include <vector>

#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"
#include "precision/BlendFeed.h"
#include "shared/Genotype.h"

namespace tarvisol {
class Progress;
}

namespace tarvisol::precision {

enum Strategy { kPhase = 0, kGroupBlend = 1, kPrecision = 2 };
inline constexpr int kStrategies = 3;
// "Phase programme", "Group blend", "Precision feeding".
const char* StrategyName(int strategy);
// "phase", "group_blend", "precision", as JSON names them.
const char* StrategyKey(int strategy);

// A pig not at the final weight after this many days leaves the barn then.
inline constexpr int kMostDaysOnFeed = 250;

struct PrecisionInputs {
    Genotype Pig;
    int HerdSex = 0;  // 0 mixed, 1 males, 2 females
    int StartAge = 0;
    double StartWeight = 0, FinalWeight = 0;  // kg
    std::vector<BlendFeed> Phase;  // the programme's diets in order, with their allotments
    BlendFeed A, B;
    MarketSettings Market;
    double MarketPerKg = 1;  // market weight unit per kg (lb in the pound system)
};

struct PrecisionSettings {
    HerdSettings Herd;
    // The group blend meets the requirement of the pig at this percentile of
    // the herd's daily requirements (1 to 100); 0: the herd's mean requirement.
    double Percentile = 0;
};

// Empty when the settings can be run; otherwise the message naming the first that cannot.
std::string PrecisionSettingsProblem(const PrecisionSettings& s);

struct PrecisionOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // may ask to stop
};

// One strategy over the herd: per pig (the mean of the herd) unless named otherwise.
struct StrategyResult {
    int Pigs = 0, Reached = 0;  // pigs grown, and those at the final weight within kMostDaysOnFeed
    double SidLysine = 0, CrudeProtein = 0, SttdPhosphorus = 0, TotalPhosphorus = 0;  // kg eaten
    double FeedEaten = 0, FeedSupplied = 0, FeedCost = 0;  // kg; money
    double NIntake = 0, NRetained = 0, NExcreted = 0;  // kg
    double PIntake = 0, PRetained = 0, PExcreted = 0;  // kg (total phosphorus)
    double BatchesPerYear = 0;                          // 365 / (days on feed + empty days)
    double NExcretedPerPlaceYear = 0, P2O5ExcretedPerPlaceYear = 0;  // kg per pig place and year
    double Days = 0, Gain = 0;             // days on feed; kg live weight gained
    double DailyGain = 0, FeedGain = 0;    // kg a day; feed supplied per kg gained
    double CarcassWeight = 0, Yield = 0, Lean = 0;  // kg (market unit); % of live; % lean of carcass
    double MarginPerPig = 0, MarginPerPlaceYear = 0;
    // Of the pig-days: supply below 95 % of the SID lysine requirement, below
    // 95 % of the STTD phosphorus requirement, and (blends) days on which
    // even feed A alone fell short of the pig's requirement.
    double ShareDaysBelow = 0, ShareDaysBelowPhosphorus = 0, ShareDaysShortOfA = 0;
    double ShareOfA = 0;  // of the feed eaten, feed A's share (blends)
};

// Day i at age StartAge + i, the mean of the pigs still on feed (0 when none).
struct RequirementSeries {
    // SID lysine, % of the feed: what the pigs needed and what their feed supplied.
    std::vector<double> NeedGroup, SupplyGroup, NeedLight, SupplyLight, NeedHeavy, SupplyHeavy;
    // The pigs each mean is of.
    std::vector<int> PigsGroup, PigsLight, PigsHeavy;
};
struct PrecisionSeries {
    int StartAge = 0;
    std::vector<int> PigsOnFeed;  // of the group blend
    std::vector<double> GroupShare;  // the group blend's share of feed A
    std::vector<double> PrecisionShare, PrecisionShareLight, PrecisionShareHeavy;  // mean of the pigs on feed
    std::array<RequirementSeries, kStrategies> Lysine;
};

struct PrecisionResult {
    bool Cancelled = false;
    std::string Problem;  // empty when the herd was grown
    bool PhosphorusComputed = false;  // both feeds and every phase diet state total phosphorus
    bool SttdPhosphorusStated = false;
    std::array<StrategyResult, kStrategies> Strategies;
    PrecisionSeries Series;
    std::vector<std::string> Notes;  // one sentence each
    bool Grown() const { return Problem.empty() && !Cancelled; }
};

PrecisionResult RunPrecision(const PrecisionInputs& in, const PrecisionSettings& settings,
                             const PrecisionOptions& options = {});

}  // namespace tarvisol::precision
