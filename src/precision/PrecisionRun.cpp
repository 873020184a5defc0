#include "precision/PrecisionRun.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "growth/Carcass.h"
#include "market/CarcassSale.h"
#include "nutrition/NutrientBalance.h"
#include "nutrition/Requirements.h"
#include "precision/DailyBlend.h"
#include "precision/PrecisionHerd.h"
#include "response/CarcassFromBody.h"
#include "response/NrcFactorial.h"
#include "shared/Progress.h"
#include "shared/WorkerThreads.h"

namespace tarvisol::precision {
namespace {

using response::GrownDay;
using response::ResponsivePig;

constexpr std::size_t kLysine = 2;  // lysine among the twelve SID amino acids

// One pig's day as the series keep it.
struct DayRecord {
    double Need = 0, Supply = 0;  // SID lysine, % of the feed
    double Share = 0;             // of feed A
};

// What one pig of one strategy ate, grew and earned.
struct PigOutcome {
    bool Failed = false, Reached = false;
    double Days = 0, Gain = 0, EndWeight = 0;
    double Eaten = 0, Supplied = 0, Cost = 0, FeedA = 0;
    double Lysine = 0, Protein = 0, Sttd = 0, TotalP = 0;  // g eaten
    double Deposited = 0;                                   // g protein
    int PigDays = 0, Below = 0, BelowP = 0, ShortOfA = 0;
    double Yield = 0, Lean = 0, CarcassWeight = 0, Margin = 0;
    std::vector<DayRecord> Record;
};

// A pig on its way: the model pig and what it has eaten so far.
struct Track {
    const PrecisionPig* Pig = nullptr;
    ResponsivePig Model;
    PigOutcome Out;
    int Age = 0;
    bool Done = false;
    Track(const PrecisionPig& p, const response::ResponseProgramme& programme)
        : Pig(&p), Model(p.Curves, programme, p.StartWeight) {}
};

// Grows the pig one day on feed f (phase: the programme's diet in force,
// counted against its allotments); share of feed A and whether even A fell
// short, for the blends.
void GrowDay(Track& t, const PrecisionInputs& in, const BlendFeed& f, bool phase, double share, bool shortOfA) {
    ResponsivePig& pig = t.Model;
    const LysineDay need = LysineDayOn(pig, f.Diet);
    const response::DayNeed day = pig.NeedOn(f.Diet.Ne);
    GrownDay g;
    const bool grown = phase ? pig.Grow(g) : pig.GrowOn(f.Diet, g);
    if (!grown) {
        t.Out.Failed = t.Done = true;
        return;
    }
    const double w0 = g.Weight, w1 = pig.Weight();
    double part = 1;
    if (w1 >= in.FinalWeight) {
        part = w1 > w0 ? std::clamp((in.FinalWeight - w0) / (w1 - w0), 0.0, 1.0) : 1.0;
        t.Done = t.Out.Reached = true;
    }
    PigOutcome& o = t.Out;
    o.Eaten += part * g.FeedEaten;
    o.Supplied += part * g.FeedSupplied;
    o.Cost += part * g.FeedSupplied * f.PricePerKg;
    o.FeedA += part * g.FeedEaten * share;
    o.Lysine += part * g.FeedEaten * f.Diet.Amino[kLysine] * 10;
    o.Protein += part * g.FeedEaten * f.CrudeProtein * 10;
    o.Sttd += part * g.FeedEaten * f.SttdPhosphorus * 10;
    o.TotalP += part * g.FeedEaten * f.TotalPhosphorus * 10;
    o.Deposited += part * g.ProteinDeposition;
    ++o.PigDays;
    if (need.Supply < kShortOfRequirement * need.Need) ++o.Below;
    const double sttdNeed = SttdPhosphorusGrams(w0, day.FeedEaten, day.ProteinDeposition);
    if (g.FeedEaten * f.SttdPhosphorus * 10 < kShortOfRequirement * sttdNeed) ++o.BelowP;
    if (shortOfA) ++o.ShortOfA;
    const double eaten = need.FeedEaten > 0 ? need.FeedEaten : 1;
    o.Record.push_back({need.Need / eaten / 10, need.Supply / eaten / 10, share});
    ++t.Age;
    o.Days = t.Age - in.StartAge - 1 + part;
    if (t.Done || o.Days >= kMostDaysOnFeed) {
        t.Done = true;
        // The body at the end: the final weight's share of the last day.
        const response::PigBody& b1 = pig.Body();
        const response::PigBody body{g.Body.Protein + part * (b1.Protein - g.Body.Protein),
                                     g.Body.Lipid + part * (b1.Lipid - g.Body.Lipid)};
        o.EndWeight = w0 + part * (w1 - w0);
        o.Gain = o.EndWeight - t.Pig->StartWeight;
        const CarcassTraits documented = t.Pig->Male ? MaleCarcass(o.EndWeight, false) : FemaleCarcass(o.EndWeight, false);
        const response::BodyCarcass k = response::CarcassOfBody(t.Pig->Curves, o.EndWeight, body, documented.loinArea);
        o.Yield = SaleYield(in.Market, k.Yield);
        o.Lean = k.Lean;
        const CarcassSale sale = SellCarcass(in.Market, o.EndWeight * in.MarketPerKg, o.Yield, o.Lean, o.Cost, o.Days);
        o.CarcassWeight = sale.CarcassWeight;
        o.Margin = sale.MarginPerPig;
    }
}

// The phase programme's diet in force today, as the allotments give it.
BlendFeed PhaseFeedToday(const Track& t, const PrecisionInputs& in, const response::ResponseProgramme& programme) {
    const response::DayDiet d = t.Model.Feed().Today(programme);
    const std::size_t own = static_cast<std::size_t>(std::clamp(d.Diet, 1, programme.Count) - 1);
    if (d.Next < 1 || d.Next > programme.Count) return in.Phase[own];
    return MixOf(in.Phase[own], in.Phase[static_cast<std::size_t>(d.Next - 1)], d.Share);
}

// Runs work(i) for i in 0..n-1 on threads, the calling thread among them;
// each i once, whatever the number of threads.
template <class Work>
void ParallelFor(int n, int threads, const Work& work) {
    std::atomic<int> next{0};
    auto run = [&] {
        for (int i = next.fetch_add(1); i < n; i = next.fetch_add(1)) work(i);
    };
    std::vector<std::thread> pool;
    const int extra = std::clamp(threads, 1, std::max(1, n)) - 1;
    for (int t = 0; t < extra; ++t) pool.emplace_back(run);
    run();
    for (auto& t : pool) t.join();
}

StrategyResult Summed(const std::vector<PigOutcome>& pigs, const PrecisionInputs& in) {
    StrategyResult r;
    r.Pigs = static_cast<int>(pigs.size());
    double pigDays = 0, below = 0, belowP = 0, shortOfA = 0, feedA = 0, eaten = 0;
    for (const PigOutcome& o : pigs) {
        if (o.Reached) ++r.Reached;
        r.SidLysine += o.Lysine / 1000;
        r.CrudeProtein += o.Protein / 1000;
        r.SttdPhosphorus += o.Sttd / 1000;
        r.TotalPhosphorus += o.TotalP / 1000;
        r.FeedEaten += o.Eaten;
        r.FeedSupplied += o.Supplied;
        r.FeedCost += o.Cost;
        r.NRetained += o.Deposited / 1000 / kProteinPerNitrogen;
        r.PRetained += PhosphorusRetainedGrams(o.Deposited) / 1000;
        r.Days += o.Days;
        r.Gain += o.Gain;
        r.CarcassWeight += o.CarcassWeight;
        r.Yield += o.Yield;
        r.Lean += o.Lean;
        r.MarginPerPig += o.Margin;
        pigDays += o.PigDays;
        below += o.Below;
        belowP += o.BelowP;
        shortOfA += o.ShortOfA;
        feedA += o.FeedA;
        eaten += o.Eaten;
    }
    const double n = std::max(1, r.Pigs);
    for (double* v : {&r.SidLysine, &r.CrudeProtein, &r.SttdPhosphorus, &r.TotalPhosphorus, &r.FeedEaten,
                      &r.FeedSupplied, &r.FeedCost, &r.NRetained, &r.PRetained, &r.Days, &r.Gain, &r.CarcassWeight,
                      &r.Yield, &r.Lean, &r.MarginPerPig})
        *v /= n;
    r.NIntake = r.CrudeProtein / kProteinPerNitrogen;
    r.NExcreted = r.NIntake - r.NRetained;
    r.PIntake = r.TotalPhosphorus;
    r.PExcreted = r.PIntake - r.PRetained;
    const double placeDays = r.Days + std::max(0.0, in.Market.EmptyDays);
    r.BatchesPerYear = placeDays > 0 ? 365 / placeDays : 0;
    r.NExcretedPerPlaceYear = r.NExcreted * r.BatchesPerYear;
    r.P2O5ExcretedPerPlaceYear = r.PExcreted * kP2O5PerP * r.BatchesPerYear;
    r.MarginPerPlaceYear = r.MarginPerPig * r.BatchesPerYear;
    r.DailyGain = r.Days > 0 ? r.Gain / r.Days : 0;
    r.FeedGain = r.Gain > 0 ? r.FeedSupplied / r.Gain : 0;
    if (pigDays > 0) {
        r.ShareDaysBelow = below / pigDays;
        r.ShareDaysBelowPhosphorus = belowP / pigDays;
        r.ShareDaysShortOfA = shortOfA / pigDays;
    }
    r.ShareOfA = eaten > 0 ? feedA / eaten : 0;
    return r;
}

// The pigs of the lightest and the heaviest tenth at the start.
void Tenths(const std::vector<PrecisionPig>& pigs, std::vector<char>& light, std::vector<char>& heavy) {
    const std::size_t n = pigs.size();
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return pigs[a].StartWeight < pigs[b].StartWeight; });
    const std::size_t tenth = std::max<std::size_t>(1, n / 10);
    light.assign(n, 0);
    heavy.assign(n, 0);
    for (std::size_t i = 0; i < tenth && i < n; ++i) {
        light[order[i]] = 1;
        heavy[order[n - 1 - i]] = 1;
    }
}

void SeriesOf(const std::vector<PigOutcome>& pigs, const std::vector<char>& light, const std::vector<char>& heavy,
              std::size_t days, RequirementSeries& s, std::vector<double>* share, std::vector<double>* shareLight,
              std::vector<double>* shareHeavy) {
    for (std::vector<double>* v : {&s.NeedGroup, &s.SupplyGroup, &s.NeedLight, &s.SupplyLight, &s.NeedHeavy, &s.SupplyHeavy})
        v->assign(days, 0.0);
    std::vector<double> group(days, 0), lightN(days, 0), heavyN(days, 0), sh(days, 0), shL(days, 0), shH(days, 0);
    for (std::size_t p = 0; p < pigs.size(); ++p)
        for (std::size_t i = 0; i < pigs[p].Record.size() && i < days; ++i) {
            const DayRecord& d = pigs[p].Record[i];
            s.NeedGroup[i] += d.Need;
            s.SupplyGroup[i] += d.Supply;
            sh[i] += d.Share;
            group[i] += 1;
            if (light[p]) {
                s.NeedLight[i] += d.Need;
                s.SupplyLight[i] += d.Supply;
                shL[i] += d.Share;
                lightN[i] += 1;
            }
            if (heavy[p]) {
                s.NeedHeavy[i] += d.Need;
                s.SupplyHeavy[i] += d.Supply;
                shH[i] += d.Share;
                heavyN[i] += 1;
            }
        }
    const auto mean = [](std::vector<double>& v, const std::vector<double>& n) {
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = n[i] > 0 ? v[i] / n[i] : 0.0;
    };
    const auto counts = [](const std::vector<double>& n) { return std::vector<int>(n.begin(), n.end()); };
    s.PigsGroup = counts(group);
    s.PigsLight = counts(lightN);
    s.PigsHeavy = counts(heavyN);
    mean(s.NeedGroup, group);
    mean(s.SupplyGroup, group);
    mean(s.NeedLight, lightN);
    mean(s.SupplyLight, lightN);
    mean(s.NeedHeavy, heavyN);
    mean(s.SupplyHeavy, heavyN);
    if (share) {
        mean(sh, group);
        mean(shL, lightN);
        mean(shH, heavyN);
        *share = sh;
        *shareLight = shL;
        *shareHeavy = shH;
    }
}

}  // namespace

const char* StrategyName(int strategy) {
    switch (strategy) {
        case kGroupBlend: return "Group blend";
        case kPrecision: return "Precision feeding";
        default: return "Phase programme";
    }
}

const char* StrategyKey(int strategy) {
    switch (strategy) {
        case kGroupBlend: return "group_blend";
        case kPrecision: return "precision";
        default: return "phase";
    }
}

std::string PrecisionSettingsProblem(const PrecisionSettings& s) {
    if (std::string problem = HerdSettingsProblem(s.Herd); !problem.empty()) return problem;
    if (!std::isfinite(s.Percentile) || (s.Percentile != 0 && (s.Percentile < 1 || s.Percentile > 100)))
        return "The percentile of the group blend must be from 1 to 100 (or none: the herd's mean requirement)";
    return {};
}

PrecisionResult RunPrecision(const PrecisionInputs& in, const PrecisionSettings& settings, const PrecisionOptions& options) {
    PrecisionResult result;
    if (std::string problem = PrecisionSettingsProblem(settings); !problem.empty()) {
        result.Problem = problem;
        return result;
    }
    if (in.Phase.empty() || in.Phase.size() > static_cast<std::size_t>(response::kMaxDiets)) {
        result.Problem = "The location has no diet programme to compare with";
        return result;
    }
    for (const BlendFeed* f : {&in.A, &in.B})
        if (!(f->Diet.Ne > 0) || !(LysineEquivalent(f->Diet) > 0)) {
            result.Problem = f->Name + " states no energy or no SID amino acid";
            return result;
        }
    if (LysineEquivalent(in.A.Diet) < LysineEquivalent(in.B.Diet))
        result.Notes.push_back(in.A.Name + " supplies less SID lysine than " + in.B.Name +
                               ": the blends then feed " + in.B.Name + " where more is needed");
    if (!(in.FinalWeight > in.StartWeight)) {
        result.Problem = "The final weight must be above the starting weight";
        return result;
    }
    const std::vector<PrecisionPig> pigs = DrawPrecisionPigs(settings.Herd, in.Pig, in.HerdSex, in.StartWeight);
    if (pigs.empty()) {
        result.Problem = "The herd cannot be drawn: " + (response::GenotypeProblem(in.Pig).empty()
                                                              ? std::string("check the herd settings")
                                                              : response::GenotypeProblem(in.Pig));
        return result;
    }
    response::ResponseProgramme programme;
    programme.Count = static_cast<int>(in.Phase.size());
    for (std::size_t d = 0; d < in.Phase.size(); ++d) programme.Diets[d] = in.Phase[d].Diet;
    response::ResponseProgramme none;  // the blends count no allotments

    result.SttdPhosphorusStated = in.A.SttdPhosphorus > 0 && in.B.SttdPhosphorus > 0;
    result.PhosphorusComputed = in.A.TotalPhosphorus > 0 && in.B.TotalPhosphorus > 0;
    for (const BlendFeed& f : in.Phase) {
        result.SttdPhosphorusStated = result.SttdPhosphorusStated && f.SttdPhosphorus > 0;
        result.PhosphorusComputed = result.PhosphorusComputed && f.TotalPhosphorus > 0;
    }
    if (!result.PhosphorusComputed)
        result.Notes.push_back("The phosphorus balance is not computed: a feed states no total phosphorus");
    if (!result.SttdPhosphorusStated)
        result.Notes.push_back("STTD phosphorus eaten is not compared: a feed states none");

    const int n = static_cast<int>(pigs.size());
    const int threads = WorkerThreads(options.threads);
    Progress* progress = options.progress;
    std::atomic<bool> stop{false};
    std::atomic<int> done{0};
    const long total = 3L * n;
    const auto cancelled = [&] {
        if (progress && progress->Cancelled()) stop.store(true);
        return stop.load();
    };
    const std::thread::id caller = std::this_thread::get_id();
    const auto report = [&](const char* stage) {
        const int k = done.fetch_add(1) + 1;
        if (progress && std::this_thread::get_id() == caller && (k % 50 == 0)) {
            progress->Report(stage, k, total);
            cancelled();
        }
    };
    std::array<std::vector<PigOutcome>, kStrategies> outcomes;
    for (auto& o : outcomes) o.resize(static_cast<std::size_t>(n));

    // Each pig on its own: the phase programme and precision feeding.
    const auto alone = [&](int strategy) {
        ParallelFor(n, threads, [&](int p) {
            if (stop.load()) return;
            Track t(pigs[static_cast<std::size_t>(p)], strategy == kPhase ? programme : none);
            t.Age = in.StartAge;
            while (!t.Done) {
                if (strategy == kPhase) {
                    GrowDay(t, in, PhaseFeedToday(t, in, programme), true, 0, false);
                } else {
                    const BlendShare s = ShareFor(t.Model, in.A, in.B);
                    GrowDay(t, in, MixOf(in.A, in.B, s.Share), false, s.Share, s.Short);
                }
            }
            outcomes[static_cast<std::size_t>(strategy)][static_cast<std::size_t>(p)] = std::move(t.Out);
            report(StrategyName(strategy));
        });
    };
    alone(kPhase);
    if (cancelled()) {
        result.Cancelled = true;
        if (progress) progress->Finish();
        return result;
    }

    // The group blend: every pig on feed gets the day's one mix.
    std::vector<Track> group;
    group.reserve(static_cast<std::size_t>(n));
    for (const PrecisionPig& p : pigs) {
        group.emplace_back(p, none);
        group.back().Age = in.StartAge;
    }
    std::vector<BlendShare> own(static_cast<std::size_t>(n));
    std::vector<int> active;
    std::vector<double> shares;
    for (int day = 0; day < kMostDaysOnFeed + 1; ++day) {
        active.clear();
        for (int p = 0; p < n; ++p)
            if (!group[static_cast<std::size_t>(p)].Done) active.push_back(p);
        if (active.empty() || cancelled()) break;
        BlendShare s;
        if (settings.Percentile > 0) {
            // The share that covers the chosen percentile of the pigs on feed.
            ParallelFor(static_cast<int>(active.size()), threads, [&](int i) {
                const int p = active[static_cast<std::size_t>(i)];
                own[static_cast<std::size_t>(p)] = ShareFor(group[static_cast<std::size_t>(p)].Model, in.A, in.B);
            });
            shares.clear();
            bool anyShort = false;
            for (int p : active) {
                const BlendShare& o = own[static_cast<std::size_t>(p)];
                shares.push_back(o.Short ? 1.0 + 1e-9 : o.Share);  // a short pig needs more than any share
            }
            const double m = static_cast<double>(shares.size());
            const auto at = static_cast<std::size_t>(std::clamp(std::ceil(m * settings.Percentile / 100.0 - 1e-9), 1.0, m)) - 1;
            std::nth_element(shares.begin(), shares.begin() + static_cast<std::ptrdiff_t>(at), shares.end());
            anyShort = shares[at] > 1;
            s.Share = std::min(shares[at], 1.0);
            s.Short = anyShort;
        } else {
            // The share at which the pigs on feed together get the SID lysine they together need.
            s = SolveShare([&](double x) {
                const response::ResponseDiet mix = MixOf(in.A, in.B, x).Diet;
                double surplus = 0;
                for (int p : active) {
                    const LysineDay d = LysineDayOn(group[static_cast<std::size_t>(p)].Model, mix);
                    surplus += d.Supply - d.Need;
                }
                return surplus;
            });
        }
        result.Series.GroupShare.push_back(s.Share);
        result.Series.PigsOnFeed.push_back(static_cast<int>(active.size()));
        const BlendFeed mix = MixOf(in.A, in.B, s.Share);
        ParallelFor(static_cast<int>(active.size()), threads, [&](int i) {
            Track& t = group[static_cast<std::size_t>(active[static_cast<std::size_t>(i)])];
            // Short for this pig: even A alone would not have met its own requirement.
            bool shortOfA = false;
            if (s.Share >= 1) {
                const LysineDay d = LysineDayOn(t.Model, in.A.Diet);
                shortOfA = d.Supply < d.Need;
            }
            GrowDay(t, in, mix, false, s.Share, shortOfA);
            if (t.Done) report(StrategyName(kGroupBlend));
        });
    }
    if (cancelled()) {
        result.Cancelled = true;
        if (progress) progress->Finish();
        return result;
    }
    for (int p = 0; p < n; ++p) {
        Track& t = group[static_cast<std::size_t>(p)];
        if (!t.Done) t.Out.Failed = true;
        outcomes[kGroupBlend][static_cast<std::size_t>(p)] = std::move(t.Out);
    }

    alone(kPrecision);
    if (progress) progress->Finish();
    if (stop.load() || (progress && progress->Cancelled())) {
        result.Cancelled = true;
        return result;
    }
    for (int k = 0; k < kStrategies; ++k)
        for (int p = 0; p < n; ++p)
            if (outcomes[static_cast<std::size_t>(k)][static_cast<std::size_t>(p)].Failed) {
                result.Problem = "Pig " + std::to_string(p + 1) + " could not be grown on the " +
                                 std::string(StrategyName(k)) + ": make the herd's spreads smaller";
                return result;
            }
    for (int k = 0; k < kStrategies; ++k) result.Strategies[static_cast<std::size_t>(k)] = Summed(outcomes[static_cast<std::size_t>(k)], in);

    std::vector<char> light, heavy;
    Tenths(pigs, light, heavy);
    std::size_t days = 0;
    for (const auto& strategy : outcomes)
        for (const PigOutcome& o : strategy) days = std::max(days, o.Record.size());
    result.Series.StartAge = in.StartAge;
    result.Series.GroupShare.resize(days, 0.0);
    result.Series.PigsOnFeed.resize(days, 0);
    SeriesOf(outcomes[kPhase], light, heavy, days, result.Series.Lysine[kPhase], nullptr, nullptr, nullptr);
    SeriesOf(outcomes[kGroupBlend], light, heavy, days, result.Series.Lysine[kGroupBlend], nullptr, nullptr, nullptr);
    SeriesOf(outcomes[kPrecision], light, heavy, days, result.Series.Lysine[kPrecision], &result.Series.PrecisionShare,
             &result.Series.PrecisionShareLight, &result.Series.PrecisionShareHeavy);
    if (result.Strategies[kPrecision].ShareDaysShortOfA > 0)
        result.Notes.push_back(in.A.Name + " alone falls short of some pigs' requirement on some days (the share of "
                               "pig-days below 95 % says how often it falls that far)");
    return result;
}

}  // namespace tarvisol::precision
