#pragma once
// One programme of the margin search, priced as the market analysis prices a
// weight: on a private copy of the record and the main window, each diet's
// energy and SID lysine minimums set to the programme's levels (the other
// SID amino acids at their ideal ratios to lysine, the crude-protein minimum
// lifted), its allotments in the diets grid and its sale weight in the
// final-weight box; then the Growth command formulates the diets at least
// cost, grows the pig on the location's model, and the market sells it.
#include <memory>
#include <vector>

#include "market/HerdPopulation.h"
#include "market/MarketSettings.h"
#include "optimisation/MarginProgramme.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct MainWindow;

// Prices moved from the location's, as the sensitivity asks: factors on the
// carcass money (base price, lean premium and discount), on every ingredient
// price, on the day cost, and on single ingredients (matrix rows, 1-based).
struct MarginPriceChange {
    double PigPrice = 1, FeedPrices = 1, DayCost = 1;
    std::vector<std::pair<int, double>> Ingredients;
};

// Puts a programme's levels on a record and its main window: each diet's
// energy and SID lysine minimums, the other SID amino acids the matrix holds
// at their ideal ratios to lysine, no crude-protein minimum, a maximum below
// a new minimum lifted to it; the allotments of every diet but the last in
// the diets grid and the sale weight in the final-weight box. What each
// evaluation formulates and grows, and what "Transfer Optimum to Current"
// puts back for the Growth command.
void PutMarginProgramme(SharedState& s, MainWindow& w, const MarginProgramme& p);

class MarginEvaluator {
public:
    // s: the record after the Growth run of the programme the search starts
    // from (s.Main set, least-cost formulation). Neither is changed.
    // herd: each programme is also grown as this herd and its margins are
    // the herd's (MarginOutcome::HerdPigs); null: the one pig.
    MarginEvaluator(const SharedState& s, const MarketSettings& m, const MarginPriceChange& change = {},
                    const HerdSettings* herd = nullptr);
    ~MarginEvaluator();
    MarginEvaluator(const MarginEvaluator&) = delete;
    MarginEvaluator& operator=(const MarginEvaluator&) = delete;

    const MarketSettings& Market() const { return market_; }
    int Diets() const { return diets_; }
    double StartWeight() const { return startWeight_; }
    bool ValuesHerd() const { return herd_; }

    // The programme of the last Growth run as levels: each diet's energy and
    // lysine as formulated, its allotment, the final weight.
    MarginProgramme CurrentLevels() const;

    // The programme at these levels. requirements: also the pigs' lysine
    // requirement of each diet's phase (slower; for the programmes shown).
    MarginOutcome Evaluate(const MarginProgramme& p, bool requirements = false) const;
    // The location's programme as it stands, restrictions and all.
    MarginOutcome EvaluateAsIs(bool requirements = false) const;
    // Every programme, in order, on up to `threads` private copies (0: one
    // per processor); the same outcomes for any number of threads.
    std::vector<MarginOutcome> EvaluateAll(const std::vector<MarginProgramme>& ps, int threads) const;

    struct Worker;

private:
    MarginOutcome Run(Worker& wk, const MarginProgramme* p, bool requirements) const;
    void ValueOnHerd(SharedState& s, MarginOutcome& out) const;

    std::unique_ptr<SharedState> base_;
    std::unique_ptr<MainWindow> baseWindow_;
    MarketSettings market_;
    int diets_ = 0;
    double startWeight_ = 0;
    bool herd_ = false;
    HerdSettings herdSettings_;
    mutable std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace tarvisol
