#pragma once
// When to sell: the location's programme grown to each of a range of final
// weights, each weight one Growth command on a private copy of the record and
// the main window, and every finished pig priced by the market.
#include <string>
#include <vector>

#include "growth/GrowthRun.h"
#include "market/CarcassSale.h"
#include "market/MarketSettings.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

// Final weights from From to To in steps of Step, in the display weight unit.
struct MarketRange {
    double From = 0, To = 0, Step = 1;
};
inline constexpr int kMarketMaxWeights = 401;

// The main window's final weight less 20 to plus 20, step 1 (display unit);
// all 0 when the box holds no weight.
MarketRange DefaultMarketRange(const SharedState& s);
// The weights of the range, each as the final-weight box reads it back.
std::vector<double> MarketWeights(const MarketRange& r);
// Empty when the range can be run; otherwise why not.
std::string MarketRangeProblem(const MarketRange& r);

enum class MarketRowStatus {
    Sold,        // grown to the weight and priced
    NotReached,  // the pig does not reach the weight within the day tables
    Failed,      // Growth ran but has no result to stand behind (see Message)
    Refused,     // Growth refused the inputs (see Message)
};

struct MarketRow {
    double FinalWeight = 0;  // display unit
    MarketRowStatus Status = MarketRowStatus::Failed;
    std::string Message;     // why there is no sale
    bool Reached = false;    // the pig grew to the weight within the day tables
    // Only for a sale:
    double FinalAge = 0;     // days
    double Days = 0;         // days on feed
    double TotalFeed = 0;    // feed per pig to the fractional final age, display unit
    // The Growth command's own summary at this weight, which counts whole
    // days to the final age rounded: its total feed (display unit) and feed
    // cost per pig.
    double GrowthTotalFeed = 0, GrowthFeedCost = 0;
    double FeedGain = 0;
    double FeedCost = 0;     // per pig, to the fractional final age
    double Lean = 0;         // carcass lean of the mixed herd, %
    double Yield = 0;        // carcass yield the sale used: the market's, or the mixed herd's own, %
    CarcassSale Sale;

    bool Sold() const { return Status == MarketRowStatus::Sold; }
};

struct MarketOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // weights done; may ask to stop
};

struct MarketAnalysis {
    bool Cancelled = false;
    MarketSettings Settings;
    MarketRange Range;
    int WeightUnit = 0;          // the location's, for the labels
    double CurrentFinalWeight = 0;  // the main window's, display unit
    std::vector<MarketRow> Rows;
    int BestPerPig = -1;         // row of the highest margin per pig; -1 when no weight sold
    int BestPerPlaceYear = -1;   // row of the highest margin per pig place and year

    bool Empty() const { return Rows.empty(); }
    // Every weight either sold or was not reached, and at least one sold.
    bool Stands() const;
};

// One weight's row from the Growth command that just ran on s (a private
// copy, its final-weight box at finalWeight, display unit): the sale and its
// margin, feed and days counted to the fractional final age. said: what
// Growth said, for a row without a sale.
MarketRow MarketRowOfGrowth(const SharedState& s, const MarketSettings& m, double finalWeight, GrowthOutcome outcome,
                            const std::string& said);

// Runs the range on s (its main window as the user left it, s.Main set).
// Neither s nor its window change. Rows are in the order of the weights and
// the same for any number of threads; ties go to the lighter weight.
MarketAnalysis AnalyseMarketWeights(const SharedState& s, const MarketSettings& m, const MarketRange& r,
                                    const MarketOptions& options = {});

}  // namespace tarvisol
