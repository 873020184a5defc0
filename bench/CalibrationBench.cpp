// Calibration speed: the full fit on the demo herd (Demo.pig inputs, Demo.cal
// measured table, the four demo diets from the grid), one point after another
// and on every core; and the calibration as it runs by default, the fit
// followed by the wider search when its curve carries a warning, from the
// default curve (whose fit on this herd does) and from the demo's own curve
// (whose fit does not). Reports the growth runs per fit as a counter. The fit
// works on a scratch copy of the demo location, removed at the end.
#include <benchmark/benchmark.h>

#include <memory>

#include "calibration/CalibrationFixture.h"
#include "calibration/SwineCalib.h"
#include "calibration/WiderSearch.h"
#include "support/ScratchDemo.h"

using namespace tarvisol;

namespace {

// The curve the demo fit starts from (the default curve, as an uncalibrated
// location has it).
constexpr double kStart[5] = {6.154, 1.5343, 3.5705, 0.0020532, 1.0};

void FitDemo(benchmark::State& state, int threads) {
    const tarvisol::testing::ScratchDemo copy;
    tarvisol::testing::DemoCalibration demo(copy.Folder());
    demo.dialogs.Answer(Answer::No).Answer(Answer::No);  // do not save, nor keep the curve for the session
    ContinueCalibration(*demo.s, *demo.form, FitOptions{threads, nullptr, nullptr});
    long runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<SharedState>(*demo.s);
        tarvisol::testing::PrepareRefit(*s, *demo.w, kStart);
        runs = 0;
        state.ResumeTiming();
        int16_t mode = 1;
        FitCalibration(*s, mode, FitOptions{threads, nullptr, &runs});
        benchmark::DoNotOptimize(s->BestError);
    }
    state.counters["growth_runs"] = static_cast<double>(runs);
}

// The fit and the wider search, as "Continue Calibration" runs them.
void CalibrateDemo(benchmark::State& state, int threads, bool fromDefault) {
    const tarvisol::testing::ScratchDemo copy;
    tarvisol::testing::DemoCalibration demo(copy.Folder());
    demo.dialogs.Answer(Answer::No).Answer(Answer::No);
    demo.form->CheckDocumentedOnly.Value = 1;
    ContinueCalibration(*demo.s, *demo.form, FitOptions{threads, nullptr, nullptr});
    double start[5];
    for (int k = 0; k < 5; ++k) start[k] = fromDefault ? kStart[k] : demo.s->GrowthCurve(0, k);
    const CurvePoint location{start[0], start[1], start[2], start[3], start[4]};
    long runs = 0;
    bool widened = false;
    for (auto _ : state) {
        state.PauseTiming();
        auto s = std::make_unique<SharedState>(*demo.s);
        tarvisol::testing::PrepareRefit(*s, *demo.w, start);
        runs = 0;
        state.ResumeTiming();
        int16_t mode = 1;
        FitOptions options{threads, nullptr, &runs};
        FitCalibration(*s, mode, options);
        const SearchOutcome o = WidenFit(*s, location, false, options);
        widened = o.widened;
        benchmark::DoNotOptimize(s->BestError);
    }
    state.counters["growth_runs"] = static_cast<double>(runs);
    state.counters["widened"] = widened ? 1 : 0;
}

void BM_CalibrationDefaultFromDefaultCurve(benchmark::State& state) { CalibrateDemo(state, static_cast<int>(state.range(0)), true); }
void BM_CalibrationDefaultFromDemoCurve(benchmark::State& state) { CalibrateDemo(state, static_cast<int>(state.range(0)), false); }

void BM_CalibrationFitSequential(benchmark::State& state) { FitDemo(state, 1); }
void BM_CalibrationFitParallel(benchmark::State& state) { FitDemo(state, 0); }

}  // namespace

BENCHMARK(BM_CalibrationFitSequential)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CalibrationFitParallel)->Unit(benchmark::kMillisecond)->Iterations(3);
// Argument: worker threads (0 = every core).
BENCHMARK(BM_CalibrationDefaultFromDefaultCurve)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CalibrationDefaultFromDemoCurve)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
