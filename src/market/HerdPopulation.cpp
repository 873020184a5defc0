#include "market/HerdPopulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <random>
#include <thread>

#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/PrivateRecord.h"
#include "growth/ResponseRun.h"
#include "market/ResponseHerdPigs.h"
#include "market/MarketSettings.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/RuntimeError.h"
#include "shared/SharedState.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {

namespace {

using Matrix4 = std::array<std::array<double, 4>, 4>;

// The correlations of one pig's draws: start weight, growth rate, mature
// size, maintenance.
Matrix4 Correlations(const HerdSettings& h) {
    Matrix4 r{};
    for (int i = 0; i < 4; ++i) r[i][i] = 1;
    r[0][1] = r[1][0] = h.CorrStartGrowth;
    r[1][2] = r[2][1] = h.CorrGrowthMature;
    r[1][3] = r[3][1] = h.CorrGrowthMaintenance;
    return r;
}

// Lower triangle L with L L' = r; false when r describes no possible herd.
bool Cholesky(const Matrix4& r, Matrix4& l) {
    l = Matrix4{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j <= i; ++j) {
            double sum = r[i][j];
            for (int k = 0; k < j; ++k) sum -= l[i][k] * l[j][k];
            if (i == j) {
                if (!(sum > 1e-9)) return false;
                l[i][i] = std::sqrt(sum);
            } else {
                l[i][j] = sum / l[j][j];
            }
        }
    return true;
}

// Standard normal draws from the 64-bit Mersenne Twister by Box-Muller,
// written out so that a seed gives the same herd with any standard library.
class NormalDraws {
public:
    explicit NormalDraws(std::uint64_t seed) : engine_(seed) {}
    double Next() {
        if (hasSpare_) {
            hasSpare_ = false;
            return spare_;
        }
        const double u1 = Uniform(), u2 = Uniform();
        const double radius = std::sqrt(-2 * std::log(u1));
        const double angle = 2 * 3.14159265358979323846 * u2;
        spare_ = radius * std::sin(angle);
        hasSpare_ = true;
        return radius * std::cos(angle);
    }

private:
    // In (0, 1]: never 0, so its logarithm is finite.
    double Uniform() { return (static_cast<double>(engine_() >> 11) + 1) * (1.0 / 9007199254740992.0); }
    std::mt19937_64 engine_;
    double spare_ = 0;
    bool hasSpare_ = false;
};

// A draw at most three spreads from the mean, so no pig is absurd.
double Clamped(double z) { return std::clamp(z, -3.0, 3.0); }

// Keeps a private run's messages away from the user.
class Quiet : public SilentDialogs {};

}  // namespace

std::string HerdSettingsProblem(const HerdSettings& h) {
    if (h.Pigs < 1 || h.Pigs > kHerdMaxPigs) return "The number of pigs must be from 1 to 20,000";
    const std::pair<const char*, double> spreads[] = {{"The spread of the starting weight", h.CvStartWeight},
                                                      {"The spread of the growth rate", h.CvGrowth},
                                                      {"The spread of the mature size", h.CvMatureSize},
                                                      {"The spread of the maintenance", h.CvMaintenance}};
    for (const auto& [name, cv] : spreads)
        if (!std::isfinite(cv) || cv < 0 || cv > kHerdMaxCv) return std::string(name) + " must be from 0 to 30 %";
    const std::pair<const char*, double> correlations[] = {
        {"The correlation of starting weight and growth rate", h.CorrStartGrowth},
        {"The correlation of growth rate and mature size", h.CorrGrowthMature},
        {"The correlation of growth rate and maintenance", h.CorrGrowthMaintenance}};
    for (const auto& [name, c] : correlations)
        if (!std::isfinite(c) || c < -0.9 || c > 0.9) return std::string(name) + " must be from -0.9 to 0.9";
    Matrix4 l;
    if (!Cholesky(Correlations(h), l)) return "The correlations together describe no possible herd: make them smaller";
    return {};
}

std::vector<std::array<double, 4>> HerdDraws(const HerdSettings& h) {
    std::vector<std::array<double, 4>> out;
    Matrix4 l;
    if (!HerdSettingsProblem(h).empty() || !Cholesky(Correlations(h), l)) return out;
    NormalDraws draws(h.Seed);
    out.reserve(static_cast<std::size_t>(h.Pigs));
    for (int p = 0; p < h.Pigs; ++p) {
        double e[4];
        std::array<double, 4>& z = out.emplace_back();
        for (double& v : e) v = draws.Next();
        for (int i = 0; i < 4; ++i) {
            z[static_cast<std::size_t>(i)] = 0;
            for (int k = 0; k <= i; ++k) z[static_cast<std::size_t>(i)] += l[i][k] * e[k];
            z[static_cast<std::size_t>(i)] = Clamped(z[static_cast<std::size_t>(i)]);
        }
    }
    return out;
}

std::vector<HerdPig> DrawHerd(const HerdSettings& h, double startWeight, const std::array<double, 5>& curve) {
    std::vector<HerdPig> pigs;
    const double cv[4] = {h.CvStartWeight / 100, h.CvGrowth / 100, h.CvMatureSize / 100, h.CvMaintenance / 100};
    const double maintenance = curve[4] == 0 ? 1.0 : curve[4];
    const std::vector<std::array<double, 4>> draws = HerdDraws(h);
    pigs.reserve(draws.size());
    for (const std::array<double, 4>& z : draws) {
        HerdPig pig;
        pig.Curve = curve;
        pig.StartWeight = cv[0] == 0 ? startWeight : startWeight * (1 + cv[0] * z[0]);
        if (cv[1] != 0) pig.Curve[3] = curve[3] * (1 + cv[1] * z[1]);
        // The mature weight B0 e^B2 scales by (1 + cv z): B2 moves by its logarithm.
        if (cv[2] != 0) pig.Curve[2] = curve[2] + std::log(1 + cv[2] * z[2]);
        if (cv[3] != 0) pig.Curve[4] = maintenance * (1 + cv[3] * z[3]);
        pigs.push_back(pig);
    }
    return pigs;
}

Herd GrowHerd(const SharedState& s, const HerdSettings& h, const HerdOptions& options) {
    Herd herd;
    herd.Settings = h;
    herd.WeightUnit = s.WeightUnit();
    herd.MarketPerKg = MarketInPounds(herd.WeightUnit) ? ConvertWeight(s, 2, 1.0) : 1.0;
    if (const std::string problem = HerdSettingsProblem(h); !problem.empty()) {
        herd.Problem = problem;
        return herd;
    }
    if (!s.Main || !s.PigDataReady) {
        herd.Problem = "Open a location before growing a herd";
        return herd;
    }

    // The Growth command once, on a private copy, as the main window runs it:
    // the programme (formulated when least cost is chosen), the curve and the
    // starting weight and age every pig starts from.
    Quiet quiet;
    PrivateRecord copy(s, quiet);
    SharedState* const base = copy.s.get();
    GrowthOutcome outcome = GrowthOutcome::Refused;
    try {
        outcome = Growth(*base);
    } catch (const std::exception& ex) {
        herd.Problem = TrappedErrorMessage(ex, ") in procedure Growth");
        return herd;
    }
    if (outcome != GrowthOutcome::Results) {
        herd.Problem = kHerdNoGrowth;
        return herd;
    }
    return GrowHerdOfRun(*base, h, options);
}

Herd GrowHerdOfRun(SharedState& grown, const HerdSettings& h, const HerdOptions& options) {
    Herd herd;
    herd.Settings = h;
    herd.WeightUnit = grown.WeightUnit();
    herd.MarketPerKg = MarketInPounds(herd.WeightUnit) ? ConvertWeight(grown, 2, 1.0) : 1.0;
    if (const std::string problem = HerdSettingsProblem(h); !problem.empty()) {
        herd.Problem = problem;
        return herd;
    }
    if (!grown.LastRun.ResultsValid) {
        herd.Problem = kHerdNoGrowth;
        return herd;
    }
    SharedState* const base = &grown;
    const RunSnapshot& run = base->LastRun;
    herd.StartAge = run.StartAge;
    herd.FinalWeight = run.FinalWeight;
    herd.FinalAge = run.FinalAge;
    herd.RunLean = run.Carcass[3];
    herd.RunYield = run.Carcass[4];
    herd.RunCostPerPig = run.CostPerPig;
    herd.RunInputs = base->LastRunInputs;
    for (const RunDiet& d : run.Diets) herd.Programme.push_back({ConvertPrice(*base, 1, d.Price), d.Allotment});
    std::array<double, 5> curve{};
    for (int k = 0; k < 5; ++k) curve[static_cast<std::size_t>(k)] = base->GrowthCurve(0, k);
    // On the nutrient-response model each pig is a barrow or a gilt with a
    // genotype of its own, grown on the programme's values.
    herd.Response = RunsResponseModel(*base);
    const response::ResponseProgramme programme = herd.Response ? ResponseProgrammeOf(*base) : response::ResponseProgramme{};
    herd.Pigs = herd.Response ? DrawResponseHerd(h, run.StartWeight, base->Model.Pig, ResponseHerdSex(*base))
                              : DrawHerd(h, run.StartWeight, curve);

    // Each pig grows to the end of the day tables; the last age is the same
    // for every pig that the engine can grow (checked below).
    base->ShowDailyProgress = false;
    base->FinalWeight = 1e9;
    base->SimSex = 0;
    const int n = static_cast<int>(herd.Pigs.size());
    const int firstAge = herd.StartAge;
    std::vector<int> lastAge(static_cast<std::size_t>(n), 0);
    std::vector<std::string> failed(static_cast<std::size_t>(n));
    constexpr int kDaysKept = 200;
    herd.Weight.assign(static_cast<std::size_t>(n) * kDaysKept, 0.0);
    herd.Feed.assign(herd.Weight.size(), 0.0);
    herd.FeedCost.assign(herd.Weight.size(), 0.0);
    if (herd.Response) herd.Lean.assign(herd.Weight.size(), 0.0);

    struct Worker {
        std::unique_ptr<SharedState> state;
        Quiet quiet;
        response::HerdPigRun run;  // a response-model pig's days, reused from pig to pig
    };
    std::vector<Worker> workers(static_cast<std::size_t>(std::clamp(WorkerThreads(options.threads), 1, n)));
    std::atomic<int> next{0}, done{0};
    std::atomic<bool> stop{false};
    Progress* progress = options.progress;
    const std::string stage = "Growing the herd";
    auto work = [&](Worker& wk, bool reports) {
        // A record of its own for the documented engine; a response-model
        // pig grows on values only.
        if (!wk.state && !herd.Response) {
            wk.state = std::make_unique<SharedState>(*base);
            wk.state->Dialog = &wk.quiet;
        }
        for (;;) {
            if (reports && progress && progress->Cancelled()) stop.store(true);
            if (stop.load()) break;
            const int p = next.fetch_add(1);
            if (p >= n) break;
            // Only this thread touches pig p.
            HerdPig& pig = herd.Pigs[static_cast<std::size_t>(p)];
            if (herd.Response) {
                const std::size_t at = static_cast<std::size_t>(p) * kDaysKept;
                int grown = 0;
                try {
                    grown = GrowResponseHerdPig(base->Model.Pig, programme, pig, firstAge, wk.run,
                                                {&herd.Weight[at], &herd.Feed[at], &herd.Lean[at], kDaysKept});
                } catch (const std::exception& ex) {
                    failed[static_cast<std::size_t>(p)] = TrappedErrorMessage(ex, ") in procedure GrowHerdPig");
                }
                if (grown == 0 && failed[static_cast<std::size_t>(p)].empty())
                    failed[static_cast<std::size_t>(p)] = "the response model could not grow it";
                lastAge[static_cast<std::size_t>(p)] = firstAge + std::max(grown, 1) - 1;
                for (int i = 0; i < grown; ++i)
                    herd.FeedCost[at + static_cast<std::size_t>(i)] =
                        ProgrammeFeedCost(herd.Programme, herd.Feed[at + static_cast<std::size_t>(i)]);
            } else {
                SharedState& st = *wk.state;
                auto grow = [&] {
                    // What the engine reads before it writes, as a fresh run has it.
                    for (int k = 0; k < 5; ++k) st.GrowthCurve(0, k) = pig.Curve[static_cast<std::size_t>(k)];
                    for (int i = 0; i <= 8; ++i)
                        for (int c = 0; c <= 3; ++c) st.DietResults(i, c) = 0;
                    st.CumFeed(0) = 0;
                    st.FinalAge = 0;
                    st.RunFailed = false;
                    st.CurrentDietIndex = 1;
                    st.TempTable(0) = base->TempTable(0);
                    st.DayGrowth(0, firstAge) = pig.StartWeight;
                    GrowPig(st);
                };
                try {
                    grow();
                    // A pig drawn lighter than the engine grows from (it eats at
                    // least 1 kg a day) starts at the lightest weight it grows
                    // from, in steps of half a kilogram.
                    for (int tries = 0; st.RunFailed && st.RunLastDay <= firstAge && tries < 40; ++tries) {
                        pig.StartWeight += 0.5;
                        grow();
                    }
                } catch (const std::exception& ex) {
                    failed[static_cast<std::size_t>(p)] = TrappedErrorMessage(ex, ") in procedure GrowPig");
                }
                if (st.RunFailed && failed[static_cast<std::size_t>(p)].empty())
                    failed[static_cast<std::size_t>(p)] = "the engine could not grow it";
                const int last = std::min<int>(st.RunLastDay, firstAge + kDaysKept - 1);
                lastAge[static_cast<std::size_t>(p)] = last;
                const std::size_t at = static_cast<std::size_t>(p) * kDaysKept;
                double eaten = 0;
                for (int age = firstAge; age <= last; ++age) {
                    // DayFeed(0, d) is what the pig ate on its way from day d - 1 to day d.
                    if (age > firstAge) eaten += st.DayFeed(0, age);
                    const std::size_t i = at + static_cast<std::size_t>(age - firstAge);
                    herd.Weight[i] = st.DayGrowth(0, age);
                    herd.Feed[i] = eaten;
                    herd.FeedCost[i] = ProgrammeFeedCost(herd.Programme, eaten);
                }
            }
            const int finished = done.fetch_add(1) + 1;
            if (reports && progress) {
                if (finished % 50 == 0 || finished == n) progress->Report(stage, finished, n);
                if (progress->Cancelled()) stop.store(true);
            }
        }
    };
    std::vector<std::thread> pool;
    for (std::size_t i = 1; i < workers.size(); ++i) pool.emplace_back(work, std::ref(workers[i]), false);
    work(workers[0], true);
    for (auto& t : pool) t.join();
    if (progress && progress->Cancelled()) stop.store(true);
    if (progress) progress->Finish();
    if (stop.load()) {
        Herd cancelled;
        cancelled.Settings = h;
        cancelled.Cancelled = true;
        return cancelled;
    }
    for (int p = 0; p < n; ++p)
        if (!failed[static_cast<std::size_t>(p)].empty() || lastAge[static_cast<std::size_t>(p)] <= firstAge) {
            herd.Problem = "Pig " + std::to_string(p + 1) + " of the herd could not be grown (" +
                           (failed[static_cast<std::size_t>(p)].empty() ? std::string("no day grown")
                                                                        : failed[static_cast<std::size_t>(p)]) +
                           "): make the spreads smaller";
            return herd;
        }
    herd.LastAge = *std::min_element(lastAge.begin(), lastAge.end());
    // Keep the days every pig has, packed.
    const int days = herd.Days();
    if (days != kDaysKept) {
        for (std::vector<double>* table : {&herd.Weight, &herd.Feed, &herd.FeedCost, &herd.Lean}) {
            if (table->empty()) continue;
            std::vector<double> packed(static_cast<std::size_t>(n) * static_cast<std::size_t>(days));
            for (int p = 0; p < n; ++p)
                std::copy_n(table->begin() + static_cast<std::ptrdiff_t>(p) * kDaysKept, days,
                            packed.begin() + static_cast<std::ptrdiff_t>(p) * days);
            *table = std::move(packed);
        }
    }
    return herd;
}

}  // namespace tarvisol
