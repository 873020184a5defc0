#include "optimisation/MarginSearch.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "shared/Numbers.h"
#include "shared/Progress.h"

namespace tarvisol {
namespace {

constexpr double kFirstStep = 8;      // the first steps, in finest steps
constexpr double kBetter = 1e-9;      // a move must pay this much more (money)

// The search's coordinates: per diet energy and lysine, the allotments of
// all diets but the last, then the sale weight.
struct Space {
    int diets = 0;
    bool saleWeight = false;
    std::vector<double> low, high, finest;
};

Space SpaceOf(const MarginBounds& box, bool saleWeight) {
    Space sp;
    sp.diets = box.Low.Count;
    sp.saleWeight = saleWeight;
    for (int d = 0; d < sp.diets; ++d) {
        const auto& l = box.Low.Diets[static_cast<std::size_t>(d)];
        const auto& h = box.High.Diets[static_cast<std::size_t>(d)];
        sp.low.insert(sp.low.end(), {l.Ne, l.SidLysine});
        sp.high.insert(sp.high.end(), {h.Ne, h.SidLysine});
        sp.finest.insert(sp.finest.end(), {kMarginNeStep, kMarginLysineStep});
    }
    for (int d = 0; d + 1 < sp.diets; ++d) {
        sp.low.push_back(box.Low.Diets[static_cast<std::size_t>(d)].Allotment);
        sp.high.push_back(box.High.Diets[static_cast<std::size_t>(d)].Allotment);
        sp.finest.push_back(kMarginAllotmentStep);
    }
    if (saleWeight) {
        sp.low.push_back(box.Low.SaleWeight);
        sp.high.push_back(box.High.SaleWeight);
        sp.finest.push_back(kMarginWeightStep);
    }
    return sp;
}

std::vector<double> Encode(const Space& sp, const MarginProgramme& p) {
    std::vector<double> x;
    for (int d = 0; d < sp.diets; ++d) {
        x.push_back(p.Diets[static_cast<std::size_t>(d)].Ne);
        x.push_back(p.Diets[static_cast<std::size_t>(d)].SidLysine);
    }
    for (int d = 0; d + 1 < sp.diets; ++d) x.push_back(p.Diets[static_cast<std::size_t>(d)].Allotment);
    if (sp.saleWeight) x.push_back(p.SaleWeight);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::clamp(x[i], sp.low[i], sp.high[i]);
    return x;
}

MarginProgramme Decode(const Space& sp, const std::vector<double>& x, MarginProgramme p) {
    std::size_t i = 0;
    for (int d = 0; d < sp.diets; ++d) {
        p.Diets[static_cast<std::size_t>(d)].Ne = x[i++];
        p.Diets[static_cast<std::size_t>(d)].SidLysine = x[i++];
    }
    for (int d = 0; d + 1 < sp.diets; ++d) p.Diets[static_cast<std::size_t>(d)].Allotment = x[i++];
    if (sp.saleWeight) p.SaleWeight = x[i++];
    return p;
}

std::string MoneyText(double v) { return std::isfinite(v) ? FormatPattern(v, "0.00") : std::string("-"); }

}  // namespace

MarginBounds MarginBoundsAround(const MarginProgramme& current, double startWeight) {
    MarginBounds b{current, current};
    for (int d = 0; d < current.Count; ++d) {
        const MarginDietLevels& c = current.Diets[static_cast<std::size_t>(d)];
        MarginDietLevels& l = b.Low.Diets[static_cast<std::size_t>(d)];
        MarginDietLevels& h = b.High.Diets[static_cast<std::size_t>(d)];
        l.Ne = std::max(1.0, c.Ne - 300);
        h.Ne = c.Ne + 300;
        l.SidLysine = 0.5 * c.SidLysine;
        h.SidLysine = 1.6 * c.SidLysine;
        l.Allotment = std::max(5.0, 0.3 * c.Allotment);
        h.Allotment = std::max(l.Allotment, 2.0 * c.Allotment);
    }
    b.Low.SaleWeight = std::max(startWeight + 10, current.SaleWeight - 25);
    b.High.SaleWeight = std::max(b.Low.SaleWeight, current.SaleWeight + 25);
    return b;
}

bool CompassSearch(const MarginEvaluator& ev, OptObjective o, const MarginProgramme& start, const MarginBounds& box,
                   bool saleWeight, double firstStepFactor, const MarginSearchOptions& options, const std::string& stage,
                   MarginProgramme& best, MarginOutcome& bestOutcome, int& evaluations) {
    const Space sp = SpaceOf(box, saleWeight);
    const std::size_t m = sp.low.size();
    std::map<std::vector<double>, MarginOutcome> seen;
    std::vector<double> x = Encode(sp, start);
    std::vector<double> step(m);
    for (std::size_t i = 0; i < m; ++i) step[i] = sp.finest[i] * firstStepFactor;
    int done = 0;
    const auto evaluate = [&](const std::vector<std::vector<double>>& points) {
        std::vector<MarginProgramme> todo;
        std::vector<std::vector<double>> keys;
        for (const auto& p : points)
            if (!seen.count(p) && std::find(keys.begin(), keys.end(), p) == keys.end()) {
                keys.push_back(p);
                todo.push_back(Decode(sp, p, start));
            }
        const std::vector<MarginOutcome> got = ev.EvaluateAll(todo, options.threads);
        for (std::size_t i = 0; i < keys.size(); ++i) seen.emplace(keys[i], got[i]);
        done += static_cast<int>(todo.size());
        evaluations += static_cast<int>(todo.size());
    };
    evaluate({x});
    double fx = seen.at(x).Value(o);
    Progress* progress = options.progress;
    for (;;) {
        if (progress) {
            progress->Report(stage, std::min(done, options.maxEvaluations), options.maxEvaluations,
                             (o == OptObjective::FeedCost ? "Lowest feed cost " : "Best margin ") +
                                 MoneyText(o == OptObjective::FeedCost ? -fx : fx));
            if (progress->Cancelled()) return false;
        }
        if (done >= options.maxEvaluations) break;
        std::vector<std::vector<double>> poll;
        for (std::size_t i = 0; i < m; ++i)
            for (double sign : {1.0, -1.0}) {
                std::vector<double> y = x;
                y[i] = std::clamp(x[i] + sign * step[i], sp.low[i], sp.high[i]);
                if (y[i] != x[i]) poll.push_back(std::move(y));
            }
        evaluate(poll);
        // The best of the poll, the first in its order on a tie.
        const std::vector<double>* move = nullptr;
        double fMove = fx;
        for (const auto& y : poll) {
            const double f = seen.at(y).Value(o);
            if (f > fMove + kBetter) {
                fMove = f;
                move = &y;
            }
        }
        if (move) {
            x = *move;
            fx = fMove;
            continue;
        }
        bool finer = false;
        for (std::size_t i = 0; i < m; ++i)
            if (step[i] > sp.finest[i]) {
                step[i] = std::max(sp.finest[i], step[i] / 2);
                finer = true;
            }
        if (!finer) break;
    }
    best = Decode(sp, x, start);
    bestOutcome = seen.at(x);
    return true;
}

MarginSearchResult SearchMargin(const SharedState& s, const MarketSettings& m, OptObjective o,
                                const MarginSearchOptions& options) {
    MarginSearchResult r;
    r.Objective = o;
    r.CarcassUnit = MarketWeightUnit(s.WeightUnit());
    r.Location = s.LocationBase;
    const auto stopped = [&]() {
        r.Cancelled = true;
        r.Message = kMarginCancelled;
        if (options.progress) options.progress->Finish();
        return r;
    };
    // The one pig: the feed-cost search's measure. On a herd, a smaller one
    // of the same draws weighs the programmes of the margin searches and the
    // whole herd the programmes shown.
    const MarginEvaluator ev(s, m);
    HerdSettings full, small;
    if (options.herd) {
        full = *options.herd;
        small = full;
        small.Pigs = std::clamp(options.herdSearchPigs, 1, full.Pigs);
        r.HerdPigs = full.Pigs;
        r.HerdSearchPigs = small.Pigs;
        r.HerdSeed = full.Seed;
    }
    std::unique_ptr<MarginEvaluator> onSmall, onFull;
    if (options.herd) {
        onSmall = std::make_unique<MarginEvaluator>(s, m, MarginPriceChange{}, &small);
        onFull = std::make_unique<MarginEvaluator>(s, m, MarginPriceChange{}, &full);
    }
    const MarginEvaluator& searched = options.herd ? *onSmall : ev;
    const MarginEvaluator& shown = options.herd ? *onFull : ev;
    r.CurrentLevels = ev.CurrentLevels();
    r.Current = shown.EvaluateAsIs(true);
    ++r.Evaluations;
    if (!r.Current.Sold) {
        r.Message = "The current programme has no sale to start from: " + r.Current.Message;
        if (options.progress) options.progress->Finish();
        return r;
    }
    const MarginBounds box = MarginBoundsAround(r.CurrentLevels, ev.StartWeight());

    // The cheapest programme to the current sale weight.
    MarginOutcome costOutcome;
    if (!CompassSearch(ev, OptObjective::FeedCost, r.CurrentLevels, box, false, kFirstStep, options,
                       "Feed cost minimum", r.CostMinimumLevels, costOutcome, r.Evaluations))
        return stopped();

    // The objective from both.
    MarginProgramme fromCurrent, fromCost;
    MarginOutcome outCurrent, outCost;
    if (!CompassSearch(searched, o, r.CurrentLevels, box, true, kFirstStep, options,
                       "Margin from the current programme", fromCurrent, outCurrent, r.Evaluations))
        return stopped();
    if (!CompassSearch(searched, o, r.CostMinimumLevels, box, true, kFirstStep, options,
                       "Margin from the cost minimum", fromCost, outCost, r.Evaluations))
        return stopped();
    r.BestLevels = outCost.Value(o) > outCurrent.Value(o) ? fromCost : fromCurrent;
    r.Best = shown.Evaluate(r.BestLevels, true);
    r.CostMinimum = shown.Evaluate(r.CostMinimumLevels, true);
    r.Evaluations += 2;
    r.BestFrom = "search";
    // The best programme seen: the two the search started from count too.
    if (r.CostMinimum.Value(o) > r.Best.Value(o)) {
        r.Best = r.CostMinimum;
        r.BestLevels = r.CostMinimumLevels;
        r.BestFrom = "cost minimum";
    }
    if (r.Current.Value(o) > r.Best.Value(o)) {
        r.Best = r.Current;
        r.BestLevels = r.CurrentLevels;
        r.BestFrom = "current";
    }
    if (!r.Best.Sold) {
        r.Message = "No programme of the search was sold";
        if (options.progress) options.progress->Finish();
        return r;
    }

    if (options.sensitivity) {
        struct Case {
            const char* key;
            const char* name;
            double MarginPriceChange::*factor;
        };
        const Case cases[] = {{"pig_price", "Pig price", &MarginPriceChange::PigPrice},
                              {"feed_prices", "Feed prices", &MarginPriceChange::FeedPrices},
                              {"day_cost", "Day cost", &MarginPriceChange::DayCost}};
        for (const Case& c : cases)
            for (double f : {0.9, 1.1}) {
                MarginPriceChange change;
                change.*(c.factor) = f;
                const MarginEvaluator moved(s, m, change, options.herd ? &small : nullptr);
                MarginSensitivity k;
                k.Key = c.key;
                k.Name = c.name;
                k.Factor = f;
                const std::string stage = std::string(c.name) + (f < 1 ? " -10 %" : " +10 %");
                if (!CompassSearch(moved, o, r.BestLevels, box, true, 2, options, stage, k.Levels, k.Optimum,
                                   r.Evaluations))
                    return stopped();
                if (options.herd) {
                    // Shown on the whole herd, as the three programmes are.
                    const MarginEvaluator movedFull(s, m, change, &full);
                    k.Optimum = movedFull.Evaluate(k.Levels, false);
                    ++r.Evaluations;
                }
                r.Sensitivity.push_back(std::move(k));
            }
    }
    r.Done = true;
    if (options.progress) options.progress->Finish();
    return r;
}

}  // namespace tarvisol
