#include "calibration/WiderSearch.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>

#include "calibration/CurveDigits.h"
#include "shared/Numbers.h"
#include "shared/WorkerThreads.h"

namespace tarvisol {
namespace {

CurvePoint BestOf(const SharedState& s) {
    CurvePoint c{};
    for (int k = 0; k < 5; ++k) c[static_cast<std::size_t>(k)] = s.BestCurve(0, k + 1);
    return c;
}

// The fit from `start` on a private copy of s, as FitCalibration runs it in
// a calibration.
CurvePoint FitFrom(const SharedState& s, const CurvePoint& start, Progress* progress, long& runs) {
    auto copy = std::make_unique<SharedState>(s);
    SharedState& c = *copy;
    c.Main = nullptr;
    c.Dialog = nullptr;
    c.Clip = nullptr;
    c.ActiveGrid = nullptr;
    c.ShowDailyProgress = false;
    for (int k = 0; k < 5; ++k) {
        c.GrowthCurve(0, k) = start[static_cast<std::size_t>(k)];
        c.BestCurve(0, k + 1) = 0;
    }
    c.BestCurve(1, 0) = 0;
    c.BestError = c.CheckError = c.CalibError = 0;
    for (int i = 0; i <= 2; ++i) c.RunResults(i) = 0;
    int16_t mode = 1;
    FitCalibration(c, mode, FitOptions{1, progress, &runs});
    return BestOf(c);
}

std::string Fixed(double v, int decimals) {
    std::ostringstream o;
    o.setf(std::ios::fixed);
    o.precision(decimals);
    o << v;
    return o.str();
}

std::string CurveText(const CurvePoint& c) {
    std::string out;
    for (std::size_t k = 0; k < c.size(); ++k) out += (k ? ", " : "") + FormatCurveCoefficient(c[k]);
    return out;
}

}  // namespace

const std::vector<SearchStart>& TypicalCurves() {
    static const std::vector<SearchStart> curves = {
        {"typical curve, mature weight 200 kg", {1.5, 1.72, 4.8929, 0.0001284, 1.0}},
        {"typical curve, mature weight 260 kg", {1.5, 1.25, 5.1552, 0.0018, 1.0}},
        {"typical curve, mature weight 330 kg", {1.5, 1.04, 5.3936, 0.005407, 1.0}},
        {"typical curve, mature weight 450 kg", {1.5, 0.85, 5.7038, 0.01441, 1.0}},
    };
    return curves;
}

std::vector<SearchStart> SearchStarts(const CurvePoint& locationCurve) {
    std::vector<SearchStart> starts;
    CurvePoint def{};
    for (int k = 0; k < 5; ++k) def[static_cast<std::size_t>(k)] = kDefaultCurve[k];
    starts.push_back({"the default curve", def});
    if (locationCurve != def && locationCurve[0] > 0) starts.push_back({"the location's own curve", locationCurve});
    for (const SearchStart& t : TypicalCurves()) starts.push_back(t);
    return starts;
}

SearchOutcome WidenFit(SharedState& s, const CurvePoint& locationCurve, bool documentedOnly, const FitOptions& options) {
    SearchOutcome o;
    const CurvePoint documented = RoundCurve(BestOf(s));
    o.documented = DiagnoseFit(s, documented);
    o.chosen = o.documented;
    for (int k = 0; k < 5; ++k) s.BestCurve(0, k + 1) = documented[static_cast<std::size_t>(k)];
    // The error reported is that of the curve kept, as rounded.
    if (o.documented.grown) s.BestError = o.documented.error;
    if (documentedOnly || o.documented.Clean()) return o;

    o.widened = true;
    const std::vector<SearchStart> starts = SearchStarts(locationCurve);
    const long n = static_cast<long>(starts.size());
    std::vector<CurvePoint> fitted(starts.size());
    std::vector<long> runs(starts.size(), 0);
    Progress* progress = options.progress;
    const int threads = static_cast<int>(std::min<long>(WorkerThreads(options.threads), n));
    std::atomic<long> next{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    // This thread reports progress and reads the stop; the others only fit.
    auto work = [&](bool reports) {
        try {
            for (;;) {
                if (stop.load()) return;
                const long i = next.fetch_add(1);
                if (i >= n) return;
                const auto at = static_cast<std::size_t>(i);
                if (reports && progress)
                    progress->Report("Calibration: wider search from " + starts[at].name, i, n);
                fitted[at] = FitFrom(s, starts[at].curve, reports ? progress : nullptr, runs[at]);
                if (reports && progress && progress->Cancelled()) stop.store(true);
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            stop.store(true);
        }
    };
    {
        std::vector<std::thread> pool;
        for (int i = 1; i < threads; ++i) pool.emplace_back(work, false);
        work(true);
        for (auto& t : pool) t.join();
    }
    if (failure) std::rethrow_exception(failure);
    if (options.growthRuns)
        for (long r : runs) *options.growthRuns += r;
    if (stop.load()) {
        o.cancelled = true;
        return o;
    }

    for (long i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        o.tried.push_back({starts[at], DiagnoseFit(s, RoundCurve(fitted[at]))});
        const FitDiagnostics& d = o.tried.back().fitted;
        if (!d.Clean()) continue;
        if (o.won < 0 || d.error < o.tried[static_cast<std::size_t>(o.won)].fitted.error) o.won = static_cast<int>(i);
    }
    if (o.won >= 0) {
        o.chosen = o.tried[static_cast<std::size_t>(o.won)].fitted;
        for (int k = 0; k < 5; ++k) s.BestCurve(0, k + 1) = o.chosen.curve[static_cast<std::size_t>(k)];
        s.BestError = o.chosen.error;
    }
    if (progress) progress->Report("Calibration: wider search", n, n);
    return o;
}

std::string SearchText(const SearchOutcome& o) {
    std::ostringstream out;
    if (!o.widened) {
        out << "Curve of the fit (" << CurveText(o.documented.curve) << ")"
            << (o.documented.Clean() ? ", without warnings.\n" : ", the wider search not asked for.\n");
        return out.str();
    }
    out << "The fit's own result carried warnings (curve " << CurveText(o.documented.curve) << ", error "
        << FormatPattern(o.documented.error, "0.000") << ", mature weight " << Fixed(o.documented.matureWeight, 0)
        << " kg); the fit started again from " << o.tried.size() << " curves.\n";
    if (o.won >= 0) {
        out << "Kept: the fit started from " << o.WonName() << " (curve " << CurveText(o.chosen.curve) << ", error "
            << FormatPattern(o.chosen.error, "0.000") << ", mature weight " << Fixed(o.chosen.matureWeight, 0)
            << " kg), the best by the fit's error of the results without warnings.\n";
    } else {
        out << "No start gave a curve without warnings: the fit's own result is kept, with its warnings.\n";
    }
    return out.str();
}

}  // namespace tarvisol
