#include "calibration/GenotypeFit.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <thread>

#include "growth/ResponseRun.h"
#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "shared/Progress.h"
#include "shared/SharedState.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {
namespace {

// The steps the fit scores a miss in: a weighing by the kg, a period's feed
// by 2 % of it, the final age by the day.
constexpr double kWeighingStep = 1.0, kFeedStep = 0.02, kAgeStep = 1.0;
// The misses that make a warning: a weighing beyond 3 kg or 5 % (as the
// documented fit's diagnostics), a period's feed beyond 5 %, the final weight
// more than a week off.
constexpr double kMissKg = 3.0, kMissShare = 0.05, kFeedMissShare = 0.05, kAgeMissDays = 7.0;
// Field ranges of the parameters (published genotypes deposit about 100 to
// 200 g protein a day on average: NRC 2012 Table 16-1A's pig 135 g/d).
constexpr double kLeastMeanDeposition = 90, kMostMeanDeposition = 210;
constexpr double kLeastPrecocity = 0.006, kMostPrecocity = 0.03;

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}
std::string Signed(double v, int decimals) { return (v > 0 ? "+" : "") + Fixed(v, decimals); }
std::string Percent(double share) { return Signed(100 * share, 1) + " %"; }

// The four parameters of the herd's mean pig, in a space the search may
// roam freely: logs, and for the intake at 100 kg its rise over the 50-kg
// intake as a logistic between none and double.
using Theta = std::array<double, 4>;

struct SexSplit {
    // Each sex's parameter over the mean of the two.
    std::array<double, 4> male{1, 1, 1, 1}, female{1, 1, 1, 1};
};

SexSplit SplitOf(const Genotype& g) {
    SexSplit s;
    const auto ratio = [](double a, double b, std::array<double, 4>& ma, std::array<double, 4>& fe, int k) {
        const double mean = 0.5 * (a + b);
        ma[static_cast<std::size_t>(k)] = mean > 0 ? a / mean : 1;
        fe[static_cast<std::size_t>(k)] = mean > 0 ? b / mean : 1;
    };
    ratio(g.Male.MeanProteinDeposition, g.Female.MeanProteinDeposition, s.male, s.female, 0);
    ratio(g.Male.Precocity, g.Female.Precocity, s.male, s.female, 1);
    ratio(g.Male.NeIntake50, g.Female.NeIntake50, s.male, s.female, 2);
    ratio(g.Male.NeIntake100, g.Female.NeIntake100, s.male, s.female, 3);
    return s;
}

Theta ThetaOf(const Genotype& g) {
    const double pd = 0.5 * (g.Male.MeanProteinDeposition + g.Female.MeanProteinDeposition);
    const double b = 0.5 * (g.Male.Precocity + g.Female.Precocity);
    const double i50 = 0.5 * (g.Male.NeIntake50 + g.Female.NeIntake50);
    const double i100 = 0.5 * (g.Male.NeIntake100 + g.Female.NeIntake100);
    const double rise = std::clamp(i100 / i50 - 1, 1e-6, 1 - 1e-6);
    return {std::log(pd), std::log(b), std::log(i50), std::log(rise / (1 - rise))};
}

Genotype GenotypeOf(const Theta& t, const Genotype& base, const SexSplit& split) {
    Genotype g = base;
    const double pd = std::exp(t[0]), b = std::exp(t[1]), i50 = std::exp(t[2]);
    const double i100 = i50 * (1 + 1 / (1 + std::exp(-t[3])));
    const auto sex = [&](SexGenotype& s, const std::array<double, 4>& r) {
        s.MeanProteinDeposition = pd * r[0];
        s.Precocity = b * r[1];
        s.NeIntake50 = i50 * r[2];
        s.NeIntake100 = i100 * r[3];
    };
    sex(g.Male, split.male);
    sex(g.Female, split.female);
    return g;
}

// The herd's pig grown past its last weighing.
struct Grown {
    response::HerdPigRun run;
    bool ok = false;
};

double LastMeasuredWeight(const GenotypeFitInputs& in) {
    double w = in.Start.FinalWeight;
    for (const MeasuredPoint& p : in.Weighings) w = std::max(w, p.Weight);
    return w;
}

void Grow(const GenotypeFitInputs& in, const Genotype& g, Grown& out) {
    response::HerdPigStart start = in.Start;
    // Grown on past the final weight, so that a slow genotype is still
    // scored at every weighing.
    start.FinalWeight = LastMeasuredWeight(in) * 1.15;
    response::GrowHerdPig(g, in.Programme, start, out.run);
    out.ok = !out.run.Failed && !out.run.Days.empty();
}

// The weight at a fractional age, between the days.
double WeightAt(const response::HerdPigRun& r, double age) {
    const int whole = static_cast<int>(std::floor(age));
    const double a = r.WeightAt(whole), b = r.WeightAt(whole + 1);
    return a + (age - whole) * (b - a);
}

// The feed of the days from one age to the next, as the documented fit
// counts a period: the days that start at or after the first and before the
// second.
double FeedBetween(const response::HerdPigRun& r, double from, double to) {
    double f = 0;
    for (const ResponseDayFigures& d : r.Days)
        if (d.Age >= std::lround(from) && d.Age < std::lround(to)) f += d.FeedSupplied;
    return f;
}

// The age the run's pig crosses w, and its feed to then; false when it never does.
bool CrossingOf(const response::HerdPigRun& r, double w, double& age, double& feed) {
    double fed = 0;
    for (std::size_t i = 0; i < r.Days.size(); ++i) {
        const double a = r.Days[i].Weight;
        const double b = i + 1 < r.Days.size() ? r.Days[i + 1].Weight : r.EndWeight;
        if (a <= w && b > w) {
            const double t = (w - a) / (b - a);
            age = r.Days[i].Age + t;
            feed = fed + t * r.Days[i].FeedSupplied;
            return true;
        }
        fed += r.Days[i].FeedSupplied;
    }
    return false;
}

// The misses the fit scores, in their steps.
void Residuals(const GenotypeFitInputs& in, const Grown& g, std::vector<double>& r) {
    r.clear();
    const std::size_t n = in.Weighings.size();
    if (!g.ok) {
        r.assign(2 * n + 1, 1e3);
        return;
    }
    for (std::size_t i = 1; i < n; ++i) {
        const MeasuredPoint& p = in.Weighings[i];
        r.push_back((WeightAt(g.run, p.Age) - p.Weight) / kWeighingStep);
        if (p.Feed > 0)
            r.push_back((FeedBetween(g.run, in.Weighings[i - 1].Age, p.Age) - p.Feed) / (kFeedStep * p.Feed));
    }
    if (in.MeasuredFinalAge > 0) {
        double age = 0, feed = 0;
        r.push_back(CrossingOf(g.run, in.Start.FinalWeight, age, feed) ? (age - in.MeasuredFinalAge) / kAgeStep : 1e3);
    }
}

double Cost(const std::vector<double>& r) {
    double c = 0;
    for (double v : r) c += v * v;
    return c;
}

// Solves the 4 x 4 system a x = b in place (b becomes x); false when singular.
bool Solve(std::array<std::array<double, 4>, 4>& a, std::array<double, 4>& b) {
    for (int c = 0; c < 4; ++c) {
        int p = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]) >
                std::fabs(a[static_cast<std::size_t>(p)][static_cast<std::size_t>(c)]))
                p = r;
        if (!(std::fabs(a[static_cast<std::size_t>(p)][static_cast<std::size_t>(c)]) > 1e-300)) return false;
        std::swap(a[static_cast<std::size_t>(c)], a[static_cast<std::size_t>(p)]);
        std::swap(b[static_cast<std::size_t>(c)], b[static_cast<std::size_t>(p)]);
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] / a[static_cast<std::size_t>(c)][static_cast<std::size_t>(c)];
            for (int k = c; k < 4; ++k)
                a[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] -= f * a[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(r)] -= f * b[static_cast<std::size_t>(c)];
        }
    }
    for (int c = 0; c < 4; ++c) b[static_cast<std::size_t>(c)] /= a[static_cast<std::size_t>(c)][static_cast<std::size_t>(c)];
    return true;
}

// One start of the search: Levenberg-Marquardt on the misses, the Jacobian
// by central differences wide enough to step over the day-by-day jumps of a
// diet change.
struct SearchResult {
    Theta theta{};
    double cost = 0;
    int evaluations = 0;
};

SearchResult Search(const GenotypeFitInputs& in, const Theta& from, const SexSplit& split) {
    Grown g;
    std::vector<double> r, rp, rm;
    SearchResult out;
    const auto evaluate = [&](const Theta& t, std::vector<double>& res) {
        ++out.evaluations;
        const Genotype pig = GenotypeOf(t, in.InForce, split);
        if (!response::GenotypeProblem(pig).empty()) {
            res.assign(2 * in.Weighings.size() + 1, 1e3);
            return;
        }
        Grow(in, pig, g);
        Residuals(in, g, res);
    };
    Theta t = from;
    evaluate(t, r);
    double cost = Cost(r), lambda = 1e-2;
    constexpr double kStep = 2e-3;
    for (int iteration = 0; iteration < 80 && cost > 0; ++iteration) {
        std::vector<std::array<double, 4>> jac(r.size());
        for (int k = 0; k < 4; ++k) {
            Theta up = t, down = t;
            up[static_cast<std::size_t>(k)] += kStep;
            down[static_cast<std::size_t>(k)] -= kStep;
            evaluate(up, rp);
            evaluate(down, rm);
            for (std::size_t i = 0; i < r.size() && i < rp.size() && i < rm.size(); ++i)
                jac[i][static_cast<std::size_t>(k)] = (rp[i] - rm[i]) / (2 * kStep);
        }
        std::array<std::array<double, 4>, 4> jtj{};
        std::array<double, 4> jtr{};
        for (std::size_t i = 0; i < r.size(); ++i)
            for (int a = 0; a < 4; ++a) {
                jtr[static_cast<std::size_t>(a)] += jac[i][static_cast<std::size_t>(a)] * r[i];
                for (int b = 0; b < 4; ++b)
                    jtj[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] +=
                        jac[i][static_cast<std::size_t>(a)] * jac[i][static_cast<std::size_t>(b)];
            }
        bool improved = false;
        for (int tries = 0; tries < 12 && !improved; ++tries) {
            auto m = jtj;
            std::array<double, 4> step{};
            for (int a = 0; a < 4; ++a) {
                m[static_cast<std::size_t>(a)][static_cast<std::size_t>(a)] *= 1 + lambda;
                m[static_cast<std::size_t>(a)][static_cast<std::size_t>(a)] += 1e-12;
                step[static_cast<std::size_t>(a)] = -jtr[static_cast<std::size_t>(a)];
            }
            if (!Solve(m, step)) {
                lambda *= 10;
                continue;
            }
            Theta next = t;
            for (int a = 0; a < 4; ++a)
                next[static_cast<std::size_t>(a)] += std::clamp(step[static_cast<std::size_t>(a)], -0.5, 0.5);
            std::vector<double> rn;
            evaluate(next, rn);
            const double c = Cost(rn);
            if (c < cost) {
                const double gain = cost - c;
                t = next;
                r = std::move(rn);
                cost = c;
                lambda = std::max(1e-7, lambda / 3);
                improved = true;
                if (gain < 1e-10 * std::max(1.0, cost)) iteration = 1000;
            } else {
                lambda *= 4;
            }
        }
        if (!improved) break;
    }
    out.theta = t;
    out.cost = cost;
    return out;
}

}  // namespace

std::string GenotypeFitProblem(const GenotypeFitInputs& in) {
    if (in.Programme.Count < 1) return "The location has no diets to grow the herd on";
    if (in.Weighings.size() < 2) return "The measured herd needs its start and at least one weighing after it";
    for (std::size_t i = 1; i < in.Weighings.size(); ++i)
        if (!(in.Weighings[i].Age > in.Weighings[i - 1].Age) || !(in.Weighings[i].Weight > 0))
            return "The measured herd's ages must rise from row to row, each with a weight";
    if (!(in.Start.Weight > 0) || !(in.Start.FinalWeight > in.Start.Weight)) return "The herd needs a starting and a final weight";
    if (const std::string p = response::GenotypeProblem(in.InForce); !p.empty()) return p;
    return {};
}

GenotypeDiagnostics DiagnoseGenotype(const GenotypeFitInputs& in, const Genotype& pig) {
    GenotypeDiagnostics d;
    d.Pig = pig;
    d.MeasuredFinalAge = in.MeasuredFinalAge;
    d.MeasuredTotalFeed = in.MeasuredTotalFeed;
    Grown g;
    if (!response::GenotypeProblem(pig).empty()) {
        d.Warnings.push_back("The genotype cannot be grown: " + response::GenotypeProblem(pig) + ".");
        return d;
    }
    Grow(in, pig, g);
    std::vector<double> r;
    Residuals(in, g, r);
    d.Error = Cost(r);
    const double last = in.Weighings.empty() ? 0 : in.Weighings.back().Age;
    d.Grown = g.ok && g.run.Days.back().Age + 1 >= last;
    if (!d.Grown) {
        d.Warnings.push_back("The genotype does not grow the herd to its last weighing on these diets.");
        return d;
    }
    double age = 0, feed = 0;
    if (CrossingOf(g.run, in.Start.FinalWeight, age, feed)) {
        d.FinalAge = age;
        d.TotalFeed = feed;
    }
    for (std::size_t i = 1; i < in.Weighings.size(); ++i) {
        const MeasuredPoint& p = in.Weighings[i];
        GenotypeWeighing w;
        w.Age = p.Age;
        w.Measured = p.Weight;
        w.Simulated = WeightAt(g.run, p.Age);
        w.Residual = w.Simulated - w.Measured;
        w.ResidualShare = w.Residual / w.Measured;
        w.MeasuredFeed = p.Feed;
        w.SimulatedFeed = FeedBetween(g.run, in.Weighings[i - 1].Age, p.Age);
        w.FeedResidual = w.SimulatedFeed - w.MeasuredFeed;
        w.FeedResidualShare = w.MeasuredFeed > 0 ? w.FeedResidual / w.MeasuredFeed : 0;
        w.Missed = std::fabs(w.Residual) > kMissKg || std::fabs(w.ResidualShare) > kMissShare ||
                   (w.MeasuredFeed > 0 && std::fabs(w.FeedResidualShare) > kFeedMissShare);
        d.Weighings.push_back(w);
    }
    // The herd's pig between its first and last weighing, and the make-up
    // of what it laid down in the last period.
    double pd = 0, lateProtein = 0, lateLipid = 0;
    int days = 0;
    const double lastFrom = in.Weighings.size() >= 2 ? in.Weighings[in.Weighings.size() - 2].Age : 0;
    for (const ResponseDayFigures& f : g.run.Days) {
        if (f.Age < in.Weighings.front().Age || f.Age >= last) continue;
        pd += f.ProteinDeposition;
        ++days;
        if (f.Age >= lastFrom) {
            lateProtein += f.ProteinDeposition;
            lateLipid += f.LipidDeposition;
        }
    }
    if (days > 0) d.MeanProteinDeposition = pd / days;
    if (lateProtein + lateLipid > 0) d.LateFatShare = lateLipid / (lateProtein + lateLipid);

    // Warnings, in a nutritionist's words.
    for (const GenotypeWeighing& w : d.Weighings) {
        if (std::fabs(w.Residual) > kMissKg || std::fabs(w.ResidualShare) > kMissShare)
            d.Warnings.push_back("The weighing at " + Fixed(w.Age, 0) + " days is missed by " + Signed(w.Residual, 1) + " kg (" +
                                 Percent(w.ResidualShare) + "): measured " + Fixed(w.Measured, 1) + " kg, the genotype gives " +
                                 Fixed(w.Simulated, 1) + " kg.");
        if (w.MeasuredFeed > 0 && std::fabs(w.FeedResidualShare) > kFeedMissShare)
            d.Warnings.push_back("The feed of the period to " + Fixed(w.Age, 0) + " days is missed by " +
                                 Percent(w.FeedResidualShare) + ": measured " + Fixed(w.MeasuredFeed, 1) +
                                 " kg, the genotype eats " + Fixed(w.SimulatedFeed, 1) + " kg.");
    }
    if (d.MeasuredFinalAge > 0 && d.FinalAge > 0 && std::fabs(d.FinalAge - d.MeasuredFinalAge) > kAgeMissDays)
        d.Warnings.push_back("The genotype reaches the final weight at " + Fixed(d.FinalAge, 1) + " days, measured " +
                             Fixed(d.MeasuredFinalAge, 1) + " days.");
    const double meanPd = 0.5 * (pig.Male.MeanProteinDeposition + pig.Female.MeanProteinDeposition);
    if (meanPd < kLeastMeanDeposition || meanPd > kMostMeanDeposition)
        d.Warnings.push_back("A mean protein deposition of " + Fixed(meanPd, 0) + " g a day lies outside what published "
                             "genotypes deposit (about 90 to 210 g; NRC 2012 Table 16-1A's pig 135 g): the weighings "
                             "and the feed may not belong together.");
    const double b = 0.5 * (pig.Male.Precocity + pig.Female.Precocity);
    if (b < kLeastPrecocity || b > kMostPrecocity)
        d.Warnings.push_back("The precocity of " + Fixed(b, 4) + " per day lies outside 0.006 to 0.03: the pig's "
                             "protein deposition would peak " + (b > kMostPrecocity ? "very early and fall away" : "hardly at all") + ".");
    return d;
}

GenotypeFit FitGenotype(const GenotypeFitInputs& in, const GenotypeFitOptions& options) {
    GenotypeFit fit;
    fit.Problem = GenotypeFitProblem(in);
    if (!fit.Problem.empty()) return fit;
    fit.InForce = DiagnoseGenotype(in, in.InForce);
    // The starts: the genotype in force, then each preset's mean pig with the
    // split of the sexes in force.
    const SexSplit split = SplitOf(in.InForce);
    std::vector<Theta> starts{ThetaOf(in.InForce)};
    for (const response::GenotypePreset& p : response::GenotypePresets()) starts.push_back(ThetaOf(p.Pig));
    std::vector<SearchResult> results(starts.size());
    std::atomic<std::size_t> next{0};
    std::atomic<long> done{0};
    std::atomic<bool> stop{false};
    std::mutex report;
    const int threads = std::clamp(WorkerThreads(options.threads), 1, static_cast<int>(starts.size()));
    const auto work = [&] {
        for (std::size_t i = next++; i < starts.size(); i = next++) {
            if (stop) return;
            results[i] = Search(in, starts[i], split);
            const long n = ++done;
            if (options.progress) {
                std::lock_guard<std::mutex> lock(report);
                options.progress->Report("Fitting the genotype", n, static_cast<long>(starts.size()));
                if (options.progress->Cancelled()) stop = true;
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    if (stop) {
        fit.Cancelled = true;
        return fit;
    }
    // The best start; a tie goes to the earlier.
    std::size_t best = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        fit.Evaluations += results[i].evaluations;
        if (results[i].cost < results[best].cost) best = i;
    }
    Genotype fitted = GenotypeOf(results[best].theta, in.InForce, split);
    fit.Fitted = DiagnoseGenotype(in, fitted);
    return fit;
}

GenotypeFitInputs GenotypeFitInputsOf(const SharedState& s) {
    GenotypeFitInputs in;
    in.Programme = ResponseProgrammeOf(s);
    in.Start.Age = static_cast<int>(std::lround(s.CalibInputs(2)));
    in.Start.Weight = ConvertWeight(s, 1, s.CalibInputs(1));
    in.Start.FinalWeight = ConvertWeight(s, 1, s.CalibInputs(3));
    in.Start.HerdSex = ResponseHerdSex(s);
    in.Start.LastDay = 198;
    for (int r = 1; r <= 15 && s.CalibWeightTable(0, r) > 0; ++r)
        in.Weighings.push_back({s.CalibWeightTable(0, r), ConvertWeight(s, 1, s.CalibWeightTable(1, r)),
                                ConvertWeight(s, 1, s.CalibWeightTable(2, r))});
    in.MeasuredFinalAge = s.CalibInputs(5);
    in.MeasuredTotalFeed = ConvertWeight(s, 1, s.CalibInputs(4));
    in.InForce = s.Model.Pig;
    return in;
}

std::string GenotypeDiagnosticsText(const GenotypeDiagnostics& d) {
    std::string out;
    for (const std::string& w : d.Warnings) out += "Warning: " + w + "\n";
    const auto sex = [&](const char* who, const SexGenotype& g) {
        out += std::string(who) + ": mean protein deposition " + Fixed(g.MeanProteinDeposition, 1) + " g/d, precocity " +
               Fixed(g.Precocity, 5) + " /d, NE intake " + Fixed(g.NeIntake50, 0) + " kcal/d at 50 kg and " +
               Fixed(g.NeIntake100, 0) + " at 100 kg\n";
    };
    sex(MaleTypeName(d.Pig.Males), d.Pig.Male);
    sex("gilts", d.Pig.Female);
    out += "Fit error " + Fixed(d.Error, 3) + "; the herd's pig deposits " + Fixed(d.MeanProteinDeposition, 0) +
           " g protein a day between its first and last weighing; " + Fixed(100 * d.LateFatShare, 0) +
           " % of what it lays down in the last period is lipid\n";
    if (d.FinalAge > 0)
        out += "Final weight at " + Fixed(d.FinalAge, 1) + " days (measured " + Fixed(d.MeasuredFinalAge, 1) + "), feed " +
               Fixed(d.TotalFeed, 1) + " kg (measured " + Fixed(d.MeasuredTotalFeed, 1) + ")\n";
    out += "Age, d   weight measured / genotype / miss, kg   period feed measured / genotype / miss\n";
    for (const GenotypeWeighing& w : d.Weighings)
        out += Fixed(w.Age, 0) + "   " + Fixed(w.Measured, 1) + " / " + Fixed(w.Simulated, 1) + " / " + Signed(w.Residual, 1) +
               "   " + Fixed(w.MeasuredFeed, 1) + " / " + Fixed(w.SimulatedFeed, 1) + " / " + Percent(w.FeedResidualShare) + "\n";
    return out;
}

}  // namespace tarvisol
