#include "market/MarketAnalysis.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

#include "formulation/Lprogr.h"
#include "growth/GrowthRun.h"
#include "market/ProgrammeFeedCost.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/RuntimeError.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {

namespace {

// Keeps what Growth says on a private copy, for the row's message.
class RowMessages : public SilentDialogs {
public:
    void Message(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::string Joined(const std::vector<std::string>& messages) {
    std::string all;
    for (const std::string& m : messages) {
        if (m.empty() || all.find(m) != std::string::npos) continue;
        if (!all.empty()) all += " ";
        all += m;
    }
    return all;
}

// A private record and main window for one weight at a time.
struct Worker {
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>();
    RowMessages messages;
    LpSolverCache lp;  // the solver objects, kept while the record is copied afresh
};

std::vector<ProgrammeDiet> ProgrammeOf(const SharedState& s, const RunSnapshot& run) {
    std::vector<ProgrammeDiet> diets;
    for (const RunDiet& d : run.Diets) diets.push_back({ConvertPrice(s, 1, d.Price), d.Allotment});
    return diets;
}

// Feed per pig to the final age, the final day counted for the share of it
// the pig needed to reach the final weight, as its days on feed count it (the
// run's total counts whole days to the final age rounded), priced diet by
// diet through the programme's allotments.

struct FeedToFinalAge {
    double Feed = 0;  // kg
    double Cost = 0;  // money
};
FeedToFinalAge FeedOnFinalAgeBasis(const SharedState& s, const RunSnapshot& run) {
    FeedToFinalAge f{run.TotalFeed, run.CostPerPig};
    // DayFeed(0, d) is what the pig ate on its way from day d - 1 to day d.
    const int last = static_cast<int>(std::ceil(run.FinalAge - 1e-9));
    if (last <= run.StartAge || last > 199 || run.Diets.empty()) return f;
    double eaten = 0;
    for (int d = run.StartAge + 1; d < last; ++d) eaten += run.DayFeed(0, d);
    eaten += (run.FinalAge - (last - 1)) * run.DayFeed(0, last);
    f.Feed = eaten;
    f.Cost = ProgrammeFeedCost(ProgrammeOf(s, run), eaten);
    return f;
}

}  // namespace

MarketRow MarketRowOfGrowth(const SharedState& s, const MarketSettings& m, double finalWeight, GrowthOutcome outcome,
                            const std::string& said) {
    MarketRow row;
    row.FinalWeight = finalWeight;
    row.Message = said;
    switch (outcome) {
        case GrowthOutcome::Refused:
            row.Status = MarketRowStatus::Refused;
            if (row.Message.empty()) row.Message = "Growth did not run";
            return row;
        case GrowthOutcome::FinalWeightNotReached: row.Status = MarketRowStatus::NotReached; return row;
        case GrowthOutcome::Results: break;
        case GrowthOutcome::PriceMissing:
            row.Reached = s.LastRun.ReachedFinalWeight;
            [[fallthrough]];
        default:
            row.Status = MarketRowStatus::Failed;
            if (row.Message.empty()) row.Message = "The growth run failed";
            return row;
    }
    const RunSnapshot& run = s.LastRun;
    if (!run.ResultsValid || !run.ReachedFinalWeight) {
        row.Status = MarketRowStatus::Failed;
        if (row.Message.empty()) row.Message = "The growth run has no result";
        return row;
    }
    row.Reached = true;
    row.Lean = run.Carcass[3];
    row.Yield = SaleYield(m, run.Carcass[4]);
    if (!(run.Carcass[4] > 0)) {
        row.Status = MarketRowStatus::Failed;
        row.Message = "No carcass estimate: the pig reaches " + FormatAuto(finalWeight) +
                      " before it is 125 days old";
        return row;
    }
    row.Status = MarketRowStatus::Sold;
    row.Message.clear();
    row.FinalAge = run.FinalAge;
    row.Days = run.FinalAge - run.StartAge;
    // Feed and days on one basis: to the fractional final age.
    const FeedToFinalAge fed = FeedOnFinalAgeBasis(s, run);
    row.TotalFeed = ConvertWeight(s, 2, fed.Feed);
    row.GrowthTotalFeed = ConvertWeight(s, 2, run.TotalFeed);
    row.GrowthFeedCost = run.CostPerPig;
    row.FeedGain = run.TotalFeed > 0 ? run.FeedGain * fed.Feed / run.TotalFeed : run.FeedGain;
    row.FeedCost = fed.Cost;
    const double live = MarketInPounds(s.WeightUnit()) ? finalWeight : ConvertWeight(s, 1, finalWeight);
    row.Sale = SellCarcass(m, live, row.Yield, row.Lean, row.FeedCost, row.Days);
    return row;
}

namespace {

// The row with the highest margin of those sold; the first (lightest) on a tie.
int BestRow(const std::vector<MarketRow>& rows, double CarcassSale::*margin) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const MarketRow& r = rows[static_cast<std::size_t>(i)];
        if (!r.Sold() || !std::isfinite(r.Sale.*margin)) continue;
        if (best < 0 || r.Sale.*margin > rows[static_cast<std::size_t>(best)].Sale.*margin) best = i;
    }
    return best;
}

}  // namespace

bool MarketAnalysis::Stands() const {
    if (Cancelled || Rows.empty() || BestPerPig < 0) return false;
    return std::all_of(Rows.begin(), Rows.end(), [](const MarketRow& r) {
        return r.Status == MarketRowStatus::Sold || r.Status == MarketRowStatus::NotReached;
    });
}

MarketRange DefaultMarketRange(const SharedState& s) {
    MarketRange r;
    if (!s.Main) return r;
    const double w = NumVal(std::string_view(s.Main->Text3.Text));
    if (!(w > 0) || !std::isfinite(w)) return r;
    r.From = std::max(1.0, w - 20);
    r.To = w + 20;
    r.Step = 1;
    return r;
}

std::vector<double> MarketWeights(const MarketRange& r) {
    std::vector<double> weights;
    if (!MarketRangeProblem(r).empty()) return weights;
    const double n = std::floor((r.To - r.From) / r.Step + 1e-9);
    for (int i = 0; i <= static_cast<int>(n); ++i) weights.push_back(Val(FormatPrecise(r.From + i * r.Step)));
    return weights;
}

std::string MarketRangeProblem(const MarketRange& r) {
    if (!std::isfinite(r.From) || !(r.From > 0)) return "The first final weight must be above 0";
    if (!std::isfinite(r.To) || r.To < r.From) return "The last final weight must not be below the first";
    if (!std::isfinite(r.Step) || !(r.Step > 0)) return "The step must be above 0";
    if ((r.To - r.From) / r.Step + 1 > kMarketMaxWeights + 1e-9)
        return "At most " + std::to_string(kMarketMaxWeights) + " final weights: take a larger step";
    return {};
}

MarketAnalysis AnalyseMarketWeights(const SharedState& s, const MarketSettings& m, const MarketRange& r,
                                    const MarketOptions& options) {
    MarketAnalysis a;
    a.Settings = m;
    a.Range = r;
    a.WeightUnit = s.WeightUnit();
    if (!s.Main) return a;
    a.CurrentFinalWeight = NumVal(std::string_view(s.Main->Text3.Text));
    const std::vector<double> weights = MarketWeights(r);
    if (weights.empty()) return a;

    // The record and window as the user left them, copied once: the weights
    // start from these and never from each other.
    auto base = std::make_unique<SharedState>(s);
    // A row takes the run's weight, age, feed and carcass only: the
    // requirements and balance the main window's runs carry are not worked
    // out for every weight.
    base->CompleteRunSnapshot = nullptr;
    base->CurveFitErrorText = nullptr;
    auto baseWindow = std::make_unique<MainWindow>(*s.Main);
    const int n = static_cast<int>(weights.size());
    std::vector<MarketRow> rows(static_cast<std::size_t>(n));
    std::vector<Worker> workers(static_cast<std::size_t>(std::clamp(WorkerThreads(options.threads), 1, n)));
    std::atomic<int> next{0}, done{0};
    std::atomic<bool> stop{false};
    Progress* progress = options.progress;
    const std::string stage = "Market weights";

    // Only the calling thread asks the progress whether to stop: before each
    // weight it takes, after each it finishes, and once the pool is done (the
    // other threads may have taken every weight before it took one).
    auto work = [&](Worker& wk, bool reports) {
        for (;;) {
            if (reports && progress && progress->Cancelled()) stop.store(true);
            if (stop.load()) break;
            const int i = next.fetch_add(1);
            if (i >= n) break;
            SharedState& w = *wk.state;
            // Every weight formulates the same diets from the same record: a
            // solve repeats the worker's last one, whose answer is the fresh
            // solve's, rather than being done again.
            wk.lp.Swap(w.LpCache);
            w = *base;
            w.LpCache.Swap(wk.lp);
            FreshUnlessRepeated(w.LpCache);
            *wk.window = *baseWindow;
            w.Main = wk.window.get();
            w.Dialog = &wk.messages;
            w.Clip = nullptr;
            w.ActiveGrid = nullptr;
            w.OptProgress = nullptr;
            w.KeepFiles = true;  // a private copy never writes the location's files
            wk.messages.messages.clear();
            const double weight = weights[static_cast<std::size_t>(i)];
            wk.window->Text3.Text = FormatPrecise(weight);
            MarketRow& row = rows[static_cast<std::size_t>(i)];
            try {
                const GrowthOutcome outcome = Growth(w);
                row = MarketRowOfGrowth(w, m, weight, outcome, Joined(wk.messages.messages));
            } catch (const std::exception& ex) {
                row = MarketRow{};
                row.FinalWeight = weight;
                row.Status = MarketRowStatus::Failed;
                row.Message = TrappedErrorMessage(ex, ") in procedure Growth");
            }
            const int finished = done.fetch_add(1) + 1;
            if (reports && progress) {
                progress->Report(stage, finished, n, "Final weight " + FormatAuto(weight));
                if (progress->Cancelled()) stop.store(true);
            }
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t i = 1; i < workers.size(); ++i) pool.emplace_back(work, std::ref(workers[i]), false);
    work(workers[0], true);
    for (auto& t : pool) t.join();
    if (progress && progress->Cancelled()) stop.store(true);
    if (progress) {
        if (!stop.load()) progress->Report(stage, n, n, {});
        progress->Finish();
    }
    if (stop.load()) {
        a.Cancelled = true;
        return a;
    }
    a.Rows = std::move(rows);
    a.BestPerPig = BestRow(a.Rows, &CarcassSale::MarginPerPig);
    a.BestPerPlaceYear = BestRow(a.Rows, &CarcassSale::MarginPerPlaceYear);
    return a;
}

}  // namespace tarvisol
