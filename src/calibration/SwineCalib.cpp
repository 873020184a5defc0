#include "calibration/SwineCalib.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "growth/PigGrowth.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {
namespace {

constexpr double kFailedScore = 100000000;  // 1e8
constexpr int kLastPhaseRow = 9;            // row r is compared with phase r - 1, phases 0..8

// A day of age from a measured or simulated age: nearest whole day (halves to
// even), kept inside the day tables so that no age from a file or grid can
// index past them.
int DayOf(double age, int hi) {
    double d = RoundHalfEven(age);
    if (!(d >= 0)) d = 0;
    if (d > hi) d = hi;
    return static_cast<int>(d);
}

// What one growth run of a trial point left that the scoring reads.
struct Trial {
    CurvePoint b{};         // the coefficients after the run (the engine may lift B0 or B3)
    double calibError = 0;  // the score before the best-so-far bookkeeping
    double finalAge = 0;
    double simFeed = 0;
    int day = 0;            // the run's day counter
    bool failed = false;
    bool what = false;      // the day counter ran more than a day past FinalAge
};

// Steps 1 to 8 of the evaluation: one growth run and its score, without the
// diagnostic message and without the best-so-far bookkeeping.
Trial RunTrial(SharedState& s) {
    Trial t;
    s.RunFailed = false;
    const double feed = MeasuredFeedKg(s), age = MeasuredFinalAge(s);
    s.FinalAge = 0;
    s.SimTotalFeed = 0;
    s.DayFeed(1, 199) = 0;
    if (s.StartAge >= 0 && s.StartAge <= 200) {
        s.DayGrowth(0, s.StartAge) = ConvertWeight(s, 1, s.CalibInputs(1));
        s.CurrentDietIndex = 1;
        // Phase results of an earlier trial must not be scored as this one's.
        for (int i = 1; i <= 8; ++i)
            for (int c = 1; c <= 3; ++c) s.DietResults(i, c) = 0;
        GrowPig(s);
    } else {
        s.RunFailed = true;
    }
    for (int k = 0; k < 5; ++k) t.b[static_cast<std::size_t>(k)] = s.GrowthCurve(0, k);
    if (s.RunFailed) {
        s.CalibError = kFailedScore;
        s.RunResults(0) = kFailedScore;
        s.RunFailed = false;
        t.failed = true;
        t.calibError = kFailedScore;
        t.finalAge = s.FinalAge;
        return t;
    }
    t.day = s.RunLastDay;
    t.what = t.day - 1 > s.FinalAge;
    s.SimTotalFeed = TotalFeedIntake(s);
    s.DayFeed(1, 199) = s.SimTotalFeed;
    if (s.FinalAge == 0) s.FinalAge = t.day;
    double w = 0;
    if (s.UseWeightTerm) WeightCurveError(s, w);
    s.CalibError = 80 * std::pow(feed - s.SimTotalFeed, 2) + 50 * std::pow(age - s.FinalAge, 2) + w / 10;
    if (age + 10 < s.FinalAge) s.CalibError *= 10;
    t.calibError = s.CalibError;
    t.finalAge = s.FinalAge;
    t.simFeed = s.SimTotalFeed;
    return t;
}

void WriteCurveRow(SharedState& s, const double* b) {
    if (!s.Main) return;
    Grid& g = s.Main->GridWeight;
    for (int k = 0; k < 5; ++k) {
        g.EnsureCell(1, k + 1);
        // Exact: the Growth command reads these cells back as the curve.
        g.SetTextMatrix(1, k + 1, FormatExact(b[k]));
    }
}

// Steps 4, 9 and 10 of the evaluation, for a run that did not fail.
void ScoreTrial(SharedState& s, const Trial& t) {
    if (t.what && !s.WhatShown) {
        s.WhatShown = true;
        DialogsOf(s).Message("What  " + std::to_string(t.day) + "  " + FormatExact(s.FinalAge));
    }
    if (s.BestError == 0) s.BestError = s.CalibError;
    if (s.CalibError < s.BestError) {
        s.BestError = s.CalibError;
        s.RunResults(0) = s.CalibError;
        s.RunResults(1) = s.FinalAge;
        s.RunResults(2) = s.SimTotalFeed;
        double b[5];
        for (int k = 0; k < 5; ++k) b[k] = s.GrowthCurve(0, k);
        WriteCurveRow(s, b);
        for (int k = 0; k < 5; ++k) s.BestCurve(0, k + 1) = b[k];
    }
}

// A trial computed elsewhere, applied to s as if it had run here.
void ApplyTrial(SharedState& s, const Trial& t) {
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = t.b[static_cast<std::size_t>(k)];
    s.RunFailed = false;
    s.CalibError = t.calibError;
    s.FinalAge = t.finalAge;
    s.SimTotalFeed = t.simFeed;
    s.DayFeed(1, 199) = t.simFeed;
    if (t.failed) {
        s.RunResults(0) = kFailedScore;
        return;
    }
    ScoreTrial(s, t);
}

void SetCurve(SharedState& s, const CurvePoint& p) {
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = p[static_cast<std::size_t>(k)];
}

// A trial run on the record with the engine's own messages silenced: within a
// grid they would come once per point.
Trial QuietTrial(SharedState& s) {
    struct Restore {
        SharedState& s;
        Dialogs* d;
        ~Restore() { s.Dialog = d; }
    } restore{s, s.Dialog};
    s.Dialog = nullptr;
    return RunTrial(s);
}

int ThreadCount(const FitOptions& o) { return WorkerThreads(o.threads); }

std::string ProgressDetail(const SharedState& s) { return "best error " + FormatAuto(s.BestError); }

void Count(const FitOptions& o, long n) {
    if (o.growthRuns) *o.growthRuns += n;
}

// Turns the daily grid off for a search and puts it back afterwards: the grid
// would otherwise be repainted by every trial run.
struct SearchScope {
    SharedState& s;
    bool daily;
    explicit SearchScope(SharedState& st) : s(st), daily(st.ShowDailyProgress) { s.ShowDailyProgress = false; }
    ~SearchScope() { s.ShowDailyProgress = daily; }
};

double SquaredFeedAgeError(const SharedState& s) {
    return 10 * std::pow(MeasuredFeedKg(s) - s.SimTotalFeed, 2) + 10 * std::pow(MeasuredFinalAge(s) - s.FinalAge, 2);
}

}  // namespace

double MeasuredFeedKg(const SharedState& s) { return ConvertWeight(s, 1, s.CalibInputs(4)); }

void EvaluateFit(SharedState& s) {
    const Trial t = RunTrial(s);
    if (!t.failed) ScoreTrial(s, t);
}

double TotalFeedIntake(const SharedState& s) {
    const int from = std::max<int>(0, s.StartAge);
    const int to = DayOf(s.FinalAge + 1, 200);
    double sum = 0;
    for (int d = from; d <= to; ++d) sum += s.DayFeed(0, d);
    return sum;
}

void WeightCurveError(const SharedState& s, double& sum) {
    const auto& t = s.CalibWeightTable;
    int n = 0;
    while (n + 1 <= 15 && t(0, n + 1) > 0) ++n;
    if (n < 2) return;
    // Days after the run's last day hold nothing of this run: the pig is
    // compared at the last weight it was grown to.
    const int lastDay = std::clamp<int>(s.RunLastDay, 0, 200);
    const int last = std::min(n, kLastPhaseRow);
    for (int r = 2; r <= last; ++r) {
        const double weight = ConvertWeight(s, 1, t(1, r));
        if (t(1, r) != 0) {
            const int d = std::min(DayOf(t(0, r), 200), lastDay);
            sum += std::pow(weight - s.DayGrowth(0, d), 2);
        } else {
            sum = 0;
        }
        double period = 0;
        for (int d = DayOf(t(0, r - 1) + 1, 200), e = DayOf(t(0, r), 200); d <= e; ++d) period += s.DayFeed(0, d);
        // A phase the pig did not end (it reached the final weight first)
        // ends at the final weight, as the Growth command reports it.
        double phaseEnd = s.DietResults(r - 1, 2);
        if (phaseEnd == 0 && s.DietResults(r - 1, 1) == 0) phaseEnd = s.FinalWeight;
        sum += std::pow(ConvertWeight(s, 1, t(2, r)) - period, 2) + std::pow(phaseEnd - weight, 2);
    }
}

void EvaluatePoints(SharedState& s, const std::vector<CurvePoint>& points, const FitOptions& options,
                    const std::string& stage, const std::function<void(SharedState&)>& afterEach) {
    const long total = static_cast<long>(points.size());
    if (total == 0) return;
    Progress* progress = options.progress;
    const int threads = std::min<long>(ThreadCount(options), total);

    const auto stopped = [&] { return progress && progress->Cancelled(); };
    if (threads <= 1) {
        for (long i = 0; i < total; ++i) {
            // A stop leaves the rest of the grid unevaluated; the caller
            // puts the record back.
            if (i % 64 == 0 && stopped()) return;
            SetCurve(s, points[static_cast<std::size_t>(i)]);
            const Trial t = QuietTrial(s);
            if (!t.failed) ScoreTrial(s, t);
            if (afterEach) afterEach(s);
            if (progress && (i + 1) % 512 == 0) progress->Report(stage, i + 1, total, ProgressDetail(s));
        }
        Count(options, total);
        if (progress) progress->Report(stage, total, total, ProgressDetail(s));
        return;
    }

    // Every worker grows its points on its own copy of the record, without a
    // window, messages or the daily grid.
    std::vector<std::unique_ptr<SharedState>> copies;
    copies.reserve(static_cast<std::size_t>(threads));
    for (int i = 0; i < threads; ++i) {
        auto c = std::make_unique<SharedState>(s);
        c->Main = nullptr;
        c->Dialog = nullptr;
        c->Clip = nullptr;
        c->ActiveGrid = nullptr;
        c->ShowDailyProgress = false;
        copies.push_back(std::move(c));
    }
    std::vector<Trial> trials(points.size());
    constexpr long kBlock = 48;
    std::atomic<long> next{0}, done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&](SharedState& c, bool reports) {
        try {
            long reported = 0;
            for (;;) {
                const long from = next.fetch_add(kBlock);
                if (from >= total) break;
                const long to = std::min(total, from + kBlock);
                for (long i = from; i < to; ++i) {
                    SetCurve(c, points[static_cast<std::size_t>(i)]);
                    trials[static_cast<std::size_t>(i)] = RunTrial(c);
                }
                const long now = done.fetch_add(to - from) + (to - from);
                if (reports && progress && now - reported >= 512) {
                    reported = now;
                    progress->Report(stage, now, total, ProgressDetail(s));
                }
                if (reports && stopped()) {
                    stop.store(true);
                    next.store(total);
                }
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            next.store(total);
        }
    };
    {
        std::vector<std::thread> pool;
        pool.reserve(static_cast<std::size_t>(threads - 1));
        for (int i = 1; i < threads; ++i) pool.emplace_back(work, std::ref(*copies[static_cast<std::size_t>(i)]), false);
        // This thread works too and keeps the progress display alive.
        work(*copies[0], true);
        for (auto& t : pool) t.join();
    }
    if (failure) std::rethrow_exception(failure);
    // Points no worker reached have no score: none is applied.
    if (stop.load()) return;

    // Apply in grid order. The last point is grown once more on the record
    // itself, so its day tables hold that run, as after the sequential order.
    for (long i = 0; i + 1 < total; ++i) {
        ApplyTrial(s, trials[static_cast<std::size_t>(i)]);
        if (afterEach) afterEach(s);
    }
    SetCurve(s, points.back());
    const Trial t = QuietTrial(s);
    if (!t.failed) ScoreTrial(s, t);
    if (afterEach) afterEach(s);
    Count(options, total + 1);
    if (progress) progress->Report(stage, total, total, ProgressDetail(s));
}

void CoarseGridSearch(SharedState& s, const FitOptions& options) {
    double b[5];
    for (int k = 0; k < 5; ++k) b[k] = s.BestCurve(0, k + 1);
    const double sc = s.BestError >= 100 ? 1.0 : 0.1;
    const double d[5] = {0.05 * sc, 0.05 * sc, 0.1 * sc, 0.0001 * sc, 0.005 * sc};
    std::vector<CurvePoint> points;
    points.reserve(7776);
    for (int i0 = 0; i0 <= 5; ++i0)
        for (int i1 = 0; i1 <= 5; ++i1)
            for (int i2 = 0; i2 <= 5; ++i2)
                for (int i3 = 0; i3 <= 5; ++i3)
                    for (int i4 = 0; i4 <= 5; ++i4) {
                        CurvePoint p{b[0] + (i0 - 3) * d[0], b[1] + (i1 - 3) * d[1], b[2] + (i2 - 3) * d[2],
                                     b[3] + (i3 - 3) * d[3], b[4] + (i4 - 3) * d[4]};
                        if (p[3] < 0) p[3] = 0.0001;
                        points.push_back(p);
                    }
    EvaluatePoints(s, points, options, "Calibration pass " + std::to_string(s.FitPass) + ", coarse grid");
    s.CheckError = s.BestError;
}

void RefineGridSearch(SharedState& s, const FitOptions& options) {
    const double f = 1.7 - 0.25 * s.FitPass;
    double b[5];
    for (int k = 0; k < 5; ++k) b[k] = s.BestCurve(0, k + 1);
    const std::string pass = "Calibration pass " + std::to_string(s.FitPass);
    auto grid = [&](double a0, double a1, double a2, double a3, double a4) {
        std::vector<CurvePoint> points;
        points.reserve(7776);
        for (int i0 = 0; i0 <= 5; ++i0)
            for (int i1 = 0; i1 <= 5; ++i1)
                for (int i2 = 0; i2 <= 5; ++i2)
                    for (int i3 = 0; i3 <= 5; ++i3)
                        for (int i4 = 0; i4 <= 5; ++i4)
                            points.push_back({b[0] + (i0 - 3) * a0, b[1] * (1 + (i1 - 3) * a1),
                                              b[2] * (1 + (i2 - 3) * a2), b[3] * (1 + (i3 - 3) * a3),
                                              b[4] * (1 + (i4 - 3) * a4)});
        return points;
    };
    if (s.BestError >= 60)
        EvaluatePoints(s, grid(0.5 * f, 0.07 * f, 0.1 * f, 0.1 * f, 0.05 * f), options, pass + ", wide grid");
    EvaluatePoints(s, grid(0.1 * f, 0.005 * f, 0.005 * f, 0.0005 * f, 0.005 * f), options, pass + ", fine grid");
    // The last point of the fine grid is scored once more on feed and age alone.
    s.CalibError = SquaredFeedAgeError(s);
    if (s.CalibError < s.BestError) {
        s.BestError = s.CalibError;
        double cur[5];
        for (int k = 0; k < 5; ++k) {
            cur[k] = s.GrowthCurve(0, k);
            s.BestCurve(0, k + 1) = cur[k];
        }
        s.BestCurve(1, 0) = s.BestError;
        WriteCurveRow(s, cur);
    }
    s.CheckError = s.BestError;
}

void FitCalibration(SharedState& s, int16_t& mode, const FitOptions& options) {
    SearchScope scope(s);
    s.WhatShown = false;
    s.UseWeightTerm = true;
    s.FitPass = mode;
    if (mode == 1) s.HerdSex = 0;
    s.SimSex = 0;
    for (int k = 0; k < 5; ++k) s.BestCurve(0, k + 1) = s.GrowthCurve(0, k);

    s.FitPass = 99;
    EvaluateFit(s);
    Count(options, 1);
    s.BestError = s.CalibError;
    s.CheckError = s.CalibError;
    s.BestCurve(1, 0) = s.CalibError;

    s.FitPass = 1;
    EvaluateFit(s);
    Count(options, 1);
    if (s.CalibError < s.CheckError) s.CheckError = s.CalibError;
    if (s.CalibError < s.BestError) s.BestError = s.CalibError;

    auto finish = [&] {
        double b[5];
        for (int k = 0; k < 5; ++k) b[k] = s.BestCurve(0, k + 1);
        WriteCurveRow(s, b);
    };

    bool first = true;
    double limit = 0;
    for (;;) {
        if (first) s.FitPass = 1;
        else ++s.FitPass;
        first = false;
        limit = s.BestError;
        CoarseGridSearch(s, options);
        if (options.progress && options.progress->Cancelled()) return;
        if (s.BestError < 5) return finish();
        s.FitPass = 1;
        if (!(s.CheckError > limit)) break;
    }

    for (;;) {
        limit = s.CheckError;
        s.BestError = s.CheckError;
        ++s.FitPass;
        RefineGridSearch(s, options);
        if (options.progress && options.progress->Cancelled()) return;
        for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = s.BestCurve(0, k + 1);
        if (s.BestError < 5 || s.FitPass == 6) break;
        if (s.CheckError - 1 > limit) continue;
        EvaluateFit(s);
        Count(options, 1);
        s.CheckError = SquaredFeedAgeError(s);
        if (!(s.CheckError > limit)) break;
        limit = s.CheckError;
        s.BestError = s.CheckError;
        if (!(limit > 100)) break;
    }
    finish();
}

}  // namespace tarvisol
