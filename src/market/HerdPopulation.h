#pragma once
// A barn of pigs that differ: N pigs around the location's growth curve, each
// with its own starting weight, growth rate (B3), mature size (B2) and
// maintenance (B4), drawn with correlations from a seeded generator, and each
// grown by the engine on the location's diet programme (its own allotments,
// so a pig that eats faster changes diet sooner) to the end of the day
// tables. On the nutrient-response model the same draws give each pig its
// own genotype instead (market/ResponseHerdPigs.h). Each pig's daily weight, cumulative feed and feed cost are kept, so
// that valuing a way of selling never grows a pig again.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "market/ProgrammeFeedCost.h"
#include "shared/Genotype.h"

namespace tarvisol {

struct SharedState;
class Progress;

// How the pigs differ. Spreads are coefficients of variation, % of the
// location's value; with every spread at 0 each pig is the Growth command's.
struct HerdSettings {
    int Pigs = 1000;
    std::uint64_t Seed = 2013;
    double CvStartWeight = 12;  // starting weight
    double CvGrowth = 15;       // growth rate, B3
    double CvMatureSize = 6;    // mature weight, B0 e^B2
    double CvMaintenance = 12;  // maintenance, B4
    // Correlations between the draws of one pig.
    double CorrStartGrowth = 0.3;        // heavier starters grow a little faster
    double CorrGrowthMature = -0.2;      // fast early growth, smaller mature size
    double CorrGrowthMaintenance = 0.3;  // faster growers spend more on maintenance

    bool operator==(const HerdSettings&) const = default;
};

inline constexpr int kHerdMaxPigs = 20000;
inline constexpr double kHerdMaxCv = 30;

// Empty when the settings can be grown; otherwise the message naming the
// first that cannot (pigs from 1 to 20,000, spreads from 0 to 30 %,
// correlations from -0.9 to 0.9 that together describe a possible herd).
std::string HerdSettingsProblem(const HerdSettings& h);

// One pig's draws.
struct HerdPig {
    double StartWeight = 0;         // kg
    std::array<double, 5> Curve{};  // B0..B4 as the engine takes them
    // On the nutrient-response model: the pig's sex (1 a barrow, 2 a gilt; 0
    // on the documented curve) and its genotype, drawn around the location's.
    int Sex = 0;
    SexGenotype Genotype;
};

// Each pig's four standard normal draws, correlated as the settings say and
// held within three spreads: starting weight, growth rate, mature size,
// maintenance. The same seed gives the same draws on any machine.
std::vector<std::array<double, 4>> HerdDraws(const HerdSettings& h);

// The pigs of a herd drawn from the settings around the location's starting
// weight (kg) and curve; the same seed gives the same pigs on any machine.
std::vector<HerdPig> DrawHerd(const HerdSettings& h, double startWeight, const std::array<double, 5>& curve);

struct Herd {
    bool Cancelled = false;
    std::string Problem;  // why there is no herd (empty when there is one)
    HerdSettings Settings;
    int StartAge = 0;     // days, every pig's
    int LastAge = 0;      // the last day every pig's tables hold
    int WeightUnit = 0;   // the location's
    double MarketPerKg = 1;  // market weight unit (kg, or lb in the pound system) per kg
    // The Growth command's pig on the same programme: its final weight (kg)
    // and age, and the carcass yield and lean of the mixed herd the run gave.
    double FinalWeight = 0, FinalAge = 0;
    double RunYield = 0, RunLean = 0;
    // That run's feed cost per pig, and the inputs it was made from (as the
    // main window's results are told from before a change), so that a report
    // can tell whether the herd is of the run it reports.
    double RunCostPerPig = 0;
    std::string RunInputs;
    std::vector<ProgrammeDiet> Programme;  // price per kg and allotment per diet
    bool Response = false;  // grown on the nutrient-response model (each pig its own genotype)
    std::vector<HerdPig> Pigs;
    // Per pig p and day d (age StartAge + d), at p * Days() + d: live weight
    // (kg), feed eaten since the starting day (kg) and its cost.
    std::vector<double> Weight, Feed, FeedCost;
    // On the nutrient-response model, the carcass lean of each pig's own body
    // on each day (%), laid out as above; empty on the documented curve,
    // where every pig sells at the run's lean.
    std::vector<double> Lean;

    bool Grown() const { return Problem.empty() && !Cancelled && !Pigs.empty(); }
    int Days() const { return LastAge - StartAge + 1; }
    std::size_t At(int pig, int age) const {
        return static_cast<std::size_t>(pig) * static_cast<std::size_t>(Days()) +
               static_cast<std::size_t>(age - StartAge);
    }
    double WeightAt(int pig, int age) const { return Weight[At(pig, age)]; }
    double FeedAt(int pig, int age) const { return Feed[At(pig, age)]; }
    double FeedCostAt(int pig, int age) const { return FeedCost[At(pig, age)]; }
    double LeanAt(int pig, int age) const { return Lean.empty() ? RunLean : Lean[At(pig, age)]; }
};

struct HerdOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // pigs grown; may ask to stop
};

// Runs the Growth command once on a private copy of s (its main window as the
// user left it) and grows every pig on that programme, in parallel on private
// copies; the herd is the same on any number of threads. Neither s nor its
// window change.
Herd GrowHerd(const SharedState& s, const HerdSettings& h, const HerdOptions& options = {});

inline constexpr const char* kHerdNoGrowth =
    "The herd was not grown: the Growth command has no result for the location's pig";

// The same on a record right after its Growth run (its last run the
// programme every pig is fed): no second Growth. The record is used as the
// herd's scratch (its final weight, sex slot and daily display change), so
// pass a private copy.
Herd GrowHerdOfRun(SharedState& grown, const HerdSettings& h, const HerdOptions& options = {});

}  // namespace tarvisol
