#include "market/HerdCuts.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "market/CarcassSale.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"

namespace tarvisol {

namespace {

// The margin of one pig sold at `age`, with its carcass and price.
struct PigSale {
    double Live = 0, Carcass = 0, PricePerKg = 0, Revenue = 0, Feed = 0, FeedCost = 0, Margin = 0;
    bool Outside = false;
};

PigSale SellPig(const Herd& herd, const MarketSettings& m, double yield, int pig, int age) {
    PigSale p;
    p.Live = herd.WeightAt(pig, age) * herd.MarketPerKg;
    p.Feed = herd.FeedAt(pig, age);
    p.FeedCost = herd.FeedCostAt(pig, age);
    const CarcassSale sale = SellCarcass(m, p.Live, yield, herd.LeanAt(pig, age), p.FeedCost, age - herd.StartAge);
    p.Carcass = sale.CarcassWeight;
    p.PricePerKg = sale.PricePerKg;
    p.Revenue = sale.Value;
    p.Margin = sale.MarginPerPig;
    p.Outside = p.Carcass < m.BandLow || p.Carcass > m.BandHigh;
    return p;
}

// The strategy's pigs cut by cut: which pig goes in which cut. Pigs left are
// kept in the herd's order; a share takes the heaviest, ties to the earlier pig.
std::vector<int> CutOfEachPig(const Herd& herd, const HerdStrategy& cuts) {
    const int n = static_cast<int>(herd.Pigs.size());
    std::vector<int> cutOf(static_cast<std::size_t>(n), -1);
    std::vector<int> left(static_cast<std::size_t>(n));
    std::iota(left.begin(), left.end(), 0);
    for (int c = 0; c < static_cast<int>(cuts.size()); ++c) {
        const HerdCut& cut = cuts[static_cast<std::size_t>(c)];
        const bool last = c + 1 == static_cast<int>(cuts.size());
        std::vector<int> kept;
        kept.reserve(left.size());
        if (last) {
            for (int p : left) cutOf[static_cast<std::size_t>(p)] = c;
        } else if (cut.MinWeight > 0) {
            for (int p : left) {
                if (herd.WeightAt(p, cut.Age) >= cut.MinWeight) cutOf[static_cast<std::size_t>(p)] = c;
                else kept.push_back(p);
            }
        } else {
            const int take = static_cast<int>(std::lround(cut.Share * static_cast<double>(left.size())));
            std::vector<int> order = left;
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return herd.WeightAt(a, cut.Age) > herd.WeightAt(b, cut.Age); });
            for (int i = 0; i < take; ++i) cutOf[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = c;
            for (int p : left)
                if (cutOf[static_cast<std::size_t>(p)] < 0) kept.push_back(p);
        }
        left = std::move(kept);
    }
    return cutOf;
}

double PlaceYear(const MarketSettings& m, double marginPerPig, double barnDays) {
    const double placeDays = barnDays + m.EmptyDays;
    return placeDays > 0 ? marginPerPig * 365 / placeDays : 0;
}

// Margin per pig place and year of weight-only cuts, without the details:
// the search's measure.
double QuickPlaceYear(const Herd& herd, const MarketSettings& m, double yield, const HerdStrategy& cuts) {
    const int n = static_cast<int>(herd.Pigs.size());
    double margin = 0;
    for (int p = 0; p < n; ++p) {
        int age = cuts.back().Age;
        for (std::size_t c = 0; c + 1 < cuts.size(); ++c)
            if (herd.WeightAt(p, cuts[c].Age) >= cuts[c].MinWeight) {
                age = cuts[c].Age;
                break;
            }
        margin += SellPig(herd, m, yield, p, age).Margin;
    }
    return PlaceYear(m, margin / n, cuts.back().Age - herd.StartAge);
}

}  // namespace

std::string HerdStrategyProblem(const Herd& herd, const HerdStrategy& cuts) {
    if (!herd.Grown()) return herd.Problem.empty() ? "There is no herd to sell" : herd.Problem;
    if (cuts.empty() || static_cast<int>(cuts.size()) > kHerdMaxCuts) return "Give one to four cuts";
    int before = herd.StartAge;
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        const HerdCut& cut = cuts[c];
        const std::string which = "Cut " + std::to_string(c + 1);
        if (cut.Age <= before)
            return c == 0 ? which + " must come after the starting age (" + std::to_string(herd.StartAge) + " days)"
                          : which + " must come after cut " + std::to_string(c) + ": cuts go in order of age";
        if (cut.Age > herd.LastAge)
            return which + " must come by day " + std::to_string(herd.LastAge) + ", the last day the pigs are grown";
        if (!std::isfinite(cut.MinWeight) || cut.MinWeight < 0) return which + ": the weight must be 0 or more";
        if (!std::isfinite(cut.Share) || cut.Share < 0 || cut.Share > 1)
            return which + ": the share must be from 0 to 100 %";
        before = cut.Age;
    }
    return {};
}

HerdValue ValueHerd(const Herd& herd, const MarketSettings& m, const HerdStrategy& cuts) {
    HerdValue v;
    v.Problem = HerdStrategyProblem(herd, cuts);
    if (v.Problem.empty()) v.Problem = MarketSettingsProblem(m);
    if (!v.Problem.empty()) return v;
    const double yield = SaleYield(m, herd.RunYield);
    const int n = static_cast<int>(herd.Pigs.size());
    const std::vector<int> cutOf = CutOfEachPig(herd, cuts);
    v.Cuts.resize(cuts.size());
    v.Sales.resize(static_cast<std::size_t>(n));
    std::vector<double> liveSum(cuts.size()), liveSq(cuts.size()), carcassSum(cuts.size()), carcassSq(cuts.size());
    std::vector<double> lossSum(cuts.size()), outside(cuts.size());
    double margin = 0;
    for (int p = 0; p < n; ++p) {
        const int c = cutOf[static_cast<std::size_t>(p)];
        const std::size_t ci = static_cast<std::size_t>(c);
        const int age = cuts[ci].Age;
        const PigSale sale = SellPig(herd, m, yield, p, age);
        HerdSale& out = v.Sales[static_cast<std::size_t>(p)];
        out = {p, c, age, sale.Live, sale.Carcass, sale.Feed, sale.FeedCost, sale.PricePerKg, sale.Revenue, sale.Outside};
        HerdCutResult& r = v.Cuts[ci];
        ++r.Sold;
        r.Revenue += sale.Revenue;
        r.FeedCost += sale.FeedCost;
        liveSum[ci] += sale.Live;
        liveSq[ci] += sale.Live * sale.Live;
        carcassSum[ci] += sale.Carcass;
        carcassSq[ci] += sale.Carcass * sale.Carcass;
        if (sale.Outside) {
            outside[ci] += 1;
            lossSum[ci] += m.Discount * sale.Carcass;
        }
        margin += sale.Margin;
    }
    auto sd = [](double sum, double sq, int count) {
        if (count < 2) return 0.0;
        const double mean = sum / count;
        return std::sqrt(std::max(0.0, (sq - count * mean * mean) / (count - 1)));
    };
    double loss = 0, revenue = 0, feedCost = 0;
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        HerdCutResult& r = v.Cuts[c];
        r.Age = cuts[c].Age;
        loss += lossSum[c];
        revenue += r.Revenue;
        feedCost += r.FeedCost;
        if (r.Sold == 0) continue;
        r.LiveMean = liveSum[c] / r.Sold;
        r.LiveSd = sd(liveSum[c], liveSq[c], r.Sold);
        r.CarcassMean = carcassSum[c] / r.Sold;
        r.CarcassSd = sd(carcassSum[c], carcassSq[c], r.Sold);
        r.OutsideBand = outside[c] / r.Sold;
        r.SortLossPerPig = lossSum[c] / r.Sold;
    }
    v.Pigs = n;
    v.FeedCostPerPig = feedCost / n;
    v.RevenuePerPig = revenue / n;
    v.SortLossPerPig = loss / n;
    v.MarginPerPig = margin / n;
    v.BarnDays = cuts.back().Age - herd.StartAge;
    v.MarginPerPlaceYear = PlaceYear(m, v.MarginPerPig, v.BarnDays);
    return v;
}

BestCuts FindBestCuts(const Herd& herd, const MarketSettings& m, Progress* progress) {
    BestCuts best;
    if (!herd.Grown() || !MarketSettingsProblem(m).empty()) return best;
    const double yield = SaleYield(m, herd.RunYield);
    const int first = herd.StartAge + 1, last = herd.LastAge;
    const std::string stage = "Finding the best cuts";
    auto stopped = [&] { return progress && progress->Cancelled(); };

    // The whole barn on one day: every day.
    HerdStrategy bestCuts = OneDaySale(last);
    double bestValue = QuickPlaceYear(herd, m, yield, bestCuts);
    for (int age = first; age <= last; ++age) {
        const double v = QuickPlaceYear(herd, m, yield, OneDaySale(age));
        if (v > bestValue) bestValue = v, bestCuts = OneDaySale(age);
    }
    best.OneDay = bestCuts;
    if (progress) progress->Report(stage, 1, kHerdMaxCuts, "one day");
    if (stopped()) {
        best.Cancelled = true;
        if (progress) progress->Finish();
        return best;
    }

    // The live weights the pigs span on a day, whole kg.
    auto weightRange = [&](int age) {
        double lo = 1e300, hi = 0;
        for (int p = 0; p < static_cast<int>(herd.Pigs.size()); ++p) {
            lo = std::min(lo, herd.WeightAt(p, age));
            hi = std::max(hi, herd.WeightAt(p, age));
        }
        return std::pair<int, int>{static_cast<int>(std::floor(lo)), static_cast<int>(std::ceil(hi))};
    };
    for (int k = 2; k <= kHerdMaxCuts; ++k) {
        // A new first cut a week before the present first, topping the
        // heaviest quarter of the pigs that day.
        HerdStrategy cuts = bestCuts;
        const int age = std::max(first, cuts.front().Age - 7);
        if (age >= cuts.front().Age) break;
        std::vector<double> weights;
        for (int p = 0; p < static_cast<int>(herd.Pigs.size()); ++p) weights.push_back(herd.WeightAt(p, age));
        std::sort(weights.begin(), weights.end());
        cuts.insert(cuts.begin(), HerdCut{age, std::ceil(weights[weights.size() * 3 / 4]), 0});
        double value = QuickPlaceYear(herd, m, yield, cuts);
        for (int pass = 0; pass < 20; ++pass) {
            bool better = false;
            for (std::size_t c = 0; c < cuts.size(); ++c) {
                const int lo = c == 0 ? first : cuts[c - 1].Age + 1;
                const int hi = c + 1 == cuts.size() ? last : cuts[c + 1].Age - 1;
                for (int a = lo; a <= hi; ++a) {
                    HerdStrategy trial = cuts;
                    trial[c].Age = a;
                    const double v = QuickPlaceYear(herd, m, yield, trial);
                    if (v > value + 1e-9) value = v, cuts = trial, better = true;
                }
                if (c + 1 == cuts.size()) continue;
                const auto [wlo, whi] = weightRange(cuts[c].Age);
                for (int w = std::max(1, wlo); w <= whi; ++w) {
                    HerdStrategy trial = cuts;
                    trial[c].MinWeight = w;
                    const double v = QuickPlaceYear(herd, m, yield, trial);
                    if (v > value + 1e-9) value = v, cuts = trial, better = true;
                }
            }
            if (!better || stopped()) break;
        }
        if (progress) progress->Report(stage, k, kHerdMaxCuts, std::to_string(k) + " cuts");
        if (stopped()) {
            best.Cancelled = true;
            if (progress) progress->Finish();
            return BestCuts{true, {}, {}, {}, {}};
        }
        if (value > bestValue + 1e-9) bestValue = value, bestCuts = cuts;
    }
    if (progress) progress->Finish();
    best.Cuts = bestCuts;
    best.Value = ValueHerd(herd, m, best.Cuts);
    best.OneDayValue = ValueHerd(herd, m, best.OneDay);
    return best;
}

}  // namespace tarvisol
