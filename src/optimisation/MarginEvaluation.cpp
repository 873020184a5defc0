#include "optimisation/MarginEvaluation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

#include "growth/GrowthRun.h"
#include "market/HerdCuts.h"
#include "market/MarketAnalysis.h"
#include "response/NrcFactorial.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/RuntimeError.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {
namespace {

constexpr int kEnergy = 1, kProtein = 2, kFirstAmino = 3, kLastAmino = 14;
constexpr int kRowFeed = 3;  // the diets grid's feed-weight row

class Said : public SilentDialogs {
public:
    void Message(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// Whether any ingredient of the matrix holds nutrient k (matrix column k + 1).
bool MatrixHolds(const SharedState& s, int k) {
    for (int j = 1; j <= s.IngredientCount; ++j)
        if (s.IngredientMatrix(k + 1, j) > 0) return true;
    return false;
}

void SetMinimum(SharedState& s, int d, int k, double value) {
    s.NutrientLimits(d, 1, k) = value;
    // A maximum below the new minimum would make the diet infeasible for
    // the limit order alone; it is lifted to the minimum.
    if (s.NutrientLimits(d, 2, k) > 0 && s.NutrientLimits(d, 2, k) < value) s.NutrientLimits(d, 2, k) = value;
}

std::string FirstSaid(const std::vector<std::string>& said) {
    for (const std::string& m : said)
        if (!m.empty()) return m;
    return {};
}

}  // namespace

void PutMarginProgramme(SharedState& s, MainWindow& w, const MarginProgramme& p) {
    const int diets = std::clamp<int>(s.DietCount, 0, kMarginMaxDiets);
    for (int d = 1; d <= diets && d <= p.Count; ++d) {
        const MarginDietLevels& l = p.Diets[static_cast<std::size_t>(d - 1)];
        SetMinimum(s, d, kEnergy, ConvertEnergy(s, 2, l.Ne));
        SetMinimum(s, d, kLysineColumn, l.SidLysine);
        for (int k = kFirstAmino; k <= kLastAmino; ++k)
            if (k != kLysineColumn && MatrixHolds(s, k)) SetMinimum(s, d, k, IdealRatio(k - kFirstAmino) * l.SidLysine);
        s.NutrientLimits(d, 1, kProtein) = 0;
        // The last diet is fed to the sale weight whatever its allotment.
        if (d < diets) {
            w.Griddiets.EnsureCell(kRowFeed, d);
            w.Griddiets.SetTextMatrix(kRowFeed, d, FormatPrecise(ConvertWeight(s, 2, l.Allotment)));
        }
    }
    w.Text3.Text = FormatPrecise(ConvertWeight(s, 2, p.SaleWeight));
}

// The programme's herd grown on the record of its Growth run (one thread:
// the search runs programmes side by side) and the barn sold on the day the
// programme's pig reaches the sale weight, as `herd` sells it without cuts.
void MarginEvaluator::ValueOnHerd(SharedState& s, MarginOutcome& out) const {
    HerdOptions options;
    options.threads = 1;
    const Herd herd = GrowHerdOfRun(s, herdSettings_, options);
    HerdValue v;
    if (herd.Grown()) {
        const HerdStrategy cuts = OneDaySale(static_cast<int>(std::lround(herd.FinalAge)));
        if (const std::string problem = HerdStrategyProblem(herd, cuts); problem.empty()) v = ValueHerd(herd, market_, cuts);
        else v.Problem = problem;
    } else {
        v.Problem = herd.Problem;
    }
    if (!v.Valued()) {
        out.Sold = false;
        out.Message = "The herd was not sold: " + v.Problem;
        return;
    }
    out.HerdPigs = v.Pigs;
    out.SaleAge = v.Cuts.empty() ? 0 : v.Cuts.front().Age;
    out.HerdFeedCost = v.FeedCostPerPig;
    out.HerdRevenue = v.RevenuePerPig;
    out.SortLoss = v.SortLossPerPig;
    out.OutsideBand = v.Cuts.empty() ? 0 : v.Cuts.front().OutsideBand;
    out.BarnDays = v.BarnDays;
    out.MarginPerPig = v.MarginPerPig;
    out.MarginPerPlaceYear = v.MarginPerPlaceYear;
}

struct MarginEvaluator::Worker {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    Said said;
};

MarginEvaluator::MarginEvaluator(const SharedState& s, const MarketSettings& m, const MarginPriceChange& change,
                                 const HerdSettings* herd)
    : base_(std::make_unique<SharedState>(s)),
      baseWindow_(std::make_unique<MainWindow>(s.Main ? *s.Main : MainWindow{})),
      market_(m),
      herd_(herd != nullptr),
      herdSettings_(herd ? *herd : HerdSettings{}) {
    SharedState& b = *base_;
    b.Main = nullptr;
    b.Dialog = nullptr;
    b.Clip = nullptr;
    b.ActiveGrid = nullptr;
    b.OptProgress = nullptr;
    b.KeepFiles = true;  // a private copy never writes the location's files
    diets_ = std::clamp<int>(b.DietCount, 0, kMarginMaxDiets);
    startWeight_ = b.StartWeight;
    for (int j = 1; j <= b.IngredientCount; ++j) b.IngredientPrices(j) *= change.FeedPrices;
    for (const auto& [j, f] : change.Ingredients)
        if (j >= 1 && j <= b.IngredientCount) b.IngredientPrices(j) *= f;
    market_.CarcassPrice *= change.PigPrice;
    market_.LeanPremium *= change.PigPrice;
    market_.Discount *= change.PigPrice;
    market_.DayCost *= change.DayCost;
}

MarginEvaluator::~MarginEvaluator() = default;

MarginProgramme MarginEvaluator::CurrentLevels() const {
    const SharedState& b = *base_;
    MarginProgramme p;
    p.Count = diets_;
    for (int d = 1; d <= diets_; ++d) {
        MarginDietLevels& l = p.Diets[static_cast<std::size_t>(d - 1)];
        l.Ne = b.DietNutrients(d, kEnergy);
        l.SidLysine = b.DietNutrients(d, kLysineColumn);
        l.Allotment = b.DietFeedAmount(d);
    }
    p.SaleWeight = b.FinalWeight;
    return p;
}

MarginOutcome MarginEvaluator::Run(Worker& wk, const MarginProgramme* p, bool requirements) const {
    SharedState& s = *wk.s;
    s = *base_;
    *wk.w = *baseWindow_;
    s.Main = wk.w.get();
    wk.said.messages.clear();
    s.Dialog = &wk.said;
    if (!requirements) s.CompleteRunSnapshot = nullptr;
    MainWindow& w = *wk.w;

    MarginOutcome out;
    out.Count = diets_;
    double saleShown = NumVal(std::string_view(w.Text3.Text));
    if (p) {
        PutMarginProgramme(s, w, *p);
        saleShown = NumVal(std::string_view(w.Text3.Text));
    }
    MarketRow row;
    try {
        const GrowthOutcome outcome = Growth(s);
        row = MarketRowOfGrowth(s, market_, saleShown, outcome, FirstSaid(wk.said.messages));
    } catch (const std::exception& ex) {
        row = MarketRow{};
        row.Status = MarketRowStatus::Failed;
        row.Message = TrappedErrorMessage(ex, ") in procedure Growth");
    }
    out.SaleWeight = ConvertWeight(s, 1, saleShown);
    out.Sold = row.Sold();
    out.Message = row.Message;
    if (!out.Sold) return out;

    const RunRequirements& r = s.LastRun.Nutrition.Requirements;
    const int lysine = r.Computed ? r.IndexOf("lysine") : -1;
    for (int d = 1; d <= diets_; ++d) {
        MarginDiet& m = out.Diets[static_cast<std::size_t>(d - 1)];
        m.Ne = s.DietNutrients(d, kEnergy);
        m.SidLysine = s.DietNutrients(d, kLysineColumn);
        m.LysinePerMcal = m.Ne > 0 ? m.SidLysine * 10 / (m.Ne / 1000) : 0;
        m.Allotment = d < diets_ ? s.DietFeedAmount(d) : FeedEatenOfDiet(s, d);
        m.Price = ConvertPrice(s, 1, s.DietNutrients(d, 0));
        if (lysine >= 0)
            for (const RequirementPhase& ph : r.Phases)
                if (ph.Diet == d && static_cast<std::size_t>(lysine) < ph.Values.size() &&
                    ph.Values[static_cast<std::size_t>(lysine)].Requirement > 0)
                    m.LysineOfRequirement = m.SidLysine * 100 / ph.Values[static_cast<std::size_t>(lysine)].Requirement;
    }
    out.FeedCost = row.FeedCost;
    out.MarginPerPig = row.Sale.MarginPerPig;
    out.MarginPerPlaceYear = row.Sale.MarginPerPlaceYear;
    out.CarcassValue = row.Sale.Value;
    out.CarcassWeight = row.Sale.CarcassWeight;
    out.Lean = row.Lean;
    out.FeedGain = row.FeedGain;
    out.Days = row.Days;
    out.FinalAge = row.FinalAge;
    out.DailyGain = row.Days > 0 ? (out.SaleWeight - s.StartWeight) / row.Days : 0;
    if (herd_) ValueOnHerd(s, out);
    return out;
}

MarginOutcome MarginEvaluator::Evaluate(const MarginProgramme& p, bool requirements) const {
    if (workers_.empty()) workers_.push_back(std::make_unique<Worker>());
    return Run(*workers_.front(), &p, requirements);
}

MarginOutcome MarginEvaluator::EvaluateAsIs(bool requirements) const {
    if (workers_.empty()) workers_.push_back(std::make_unique<Worker>());
    return Run(*workers_.front(), nullptr, requirements);
}

std::vector<MarginOutcome> MarginEvaluator::EvaluateAll(const std::vector<MarginProgramme>& ps, int threads) const {
    std::vector<MarginOutcome> out(ps.size());
    if (ps.empty()) return out;
    const int n = std::clamp(WorkerThreads(threads), 1, static_cast<int>(ps.size()));
    while (static_cast<int>(workers_.size()) < n) workers_.push_back(std::make_unique<Worker>());
    std::atomic<std::size_t> next{0};
    auto work = [&](Worker& wk) {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= ps.size()) break;
            out[i] = Run(wk, &ps[i], false);
        }
    };
    std::vector<std::thread> pool;
    for (int i = 1; i < n; ++i) pool.emplace_back(work, std::ref(*workers_[static_cast<std::size_t>(i)]));
    work(*workers_.front());
    for (auto& t : pool) t.join();
    return out;
}

}  // namespace tarvisol
