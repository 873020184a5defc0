#pragma once
// The programme that pays best. A compass search over each diet's net
// energy and SID lysine, the allotments of every diet but the last and the
// sale weight: from a point it tries every variable a step up and a step
// down (all those programmes at once, on private copies), moves to the best
// that pays more, and halves the steps when none does, down to the finest
// steps. It runs from the current programme and from the cost minimum (the
// same search on the feed cost per pig at the current sale weight) and keeps
// the best programme seen, the two it started from included. Then, from the
// best, how the optimum moves when the pig price, the feed prices or the day
// cost change by 10 % either way.
#include <cstdint>
#include <string>
#include <vector>

#include "market/MarketSettings.h"
#include "optimisation/MarginEvaluation.h"
#include "optimisation/MarginProgramme.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr const char* kMarginCancelled = "Margin search cancelled";

struct MarginSearchOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // evaluations; may ask to stop
    bool sensitivity = true;       // the ±10 % cases
    int maxEvaluations = 6000;     // per search
    // The margin valued on this herd (the location's population, sold as a
    // whole barn on the day each programme's pig reaches its sale weight);
    // null: on the one pig. The search weighs each programme on the first
    // herdSearchPigs pigs' draws (the same seed, fewer pigs); the best, the
    // cost minimum, the current programme and each price change's optimum
    // are then valued on the whole herd.
    const HerdSettings* herd = nullptr;
    int herdSearchPigs = 200;
};

// The finest steps the search takes (and what the tests may expect it to
// resolve): net energy 5 kcal/kg, SID lysine 0.01 %, allotments 1 kg, sale
// weight 0.5 kg. It starts 8 times coarser.
inline constexpr double kMarginNeStep = 5, kMarginLysineStep = 0.01, kMarginAllotmentStep = 1, kMarginWeightStep = 0.5;

// The box the search stays in, around the current programme: net energy
// ±300 kcal/kg, SID lysine 50 to 160 %, allotments 30 to 200 % (at least
// 5 kg), sale weight ±25 kg (at least 10 kg above the start).
struct MarginBounds {
    MarginProgramme Low, High;
};
MarginBounds MarginBoundsAround(const MarginProgramme& current, double startWeight);

struct MarginSensitivity {
    std::string Key;    // "pig_price", "feed_prices", "day_cost"
    std::string Name;   // "Pig price", ...
    double Factor = 1;  // 0.9 or 1.1
    MarginProgramme Levels;
    MarginOutcome Optimum;
};

struct MarginSearchResult {
    bool Done = false;       // a best programme that was sold
    bool Cancelled = false;
    std::string Message;     // why not done
    OptObjective Objective = OptObjective::MarginPerPlaceYear;
    // The three programmes, each formulated, grown and sold the same way:
    // the best, the feed-cost minimum at the current sale weight, the
    // current one as it stands.
    MarginOutcome Best, CostMinimum, Current;
    MarginProgramme BestLevels, CostMinimumLevels, CurrentLevels;
    std::string BestFrom;    // "search", "cost minimum" or "current": which programme was best
    int Evaluations = 0;     // programmes formulated and grown, all searches
    // On a herd: its pigs (of every figure shown) and the smaller herd the
    // search weighed programmes on; 0 on the one pig.
    int HerdPigs = 0, HerdSearchPigs = 0;
    std::uint64_t HerdSeed = 0;
    std::vector<MarginSensitivity> Sensitivity;
    std::string CarcassUnit = "kg";
    std::string Location;  // the location base the search ran on  // of the carcass weights (lb in the pound system)
};

// The compass search on one evaluator from start, maximising the objective
// over the levels (the sale weight held when it is not searched). Returns
// the best programme and its outcome; evaluations are added to `evaluations`.
// False when stopped.
bool CompassSearch(const MarginEvaluator& ev, OptObjective o, const MarginProgramme& start, const MarginBounds& box,
                   bool saleWeight, double firstStepFactor, const MarginSearchOptions& options, const std::string& stage,
                   MarginProgramme& best, MarginOutcome& bestOutcome, int& evaluations);

// The whole margin search on s (after a Growth run, s.Main set); s and its
// window do not change.
MarginSearchResult SearchMargin(const SharedState& s, const MarketSettings& m, OptObjective o,
                                const MarginSearchOptions& options = {});

}  // namespace tarvisol
