// Calibration speed: the full fit on the demo herd (Demo.pig inputs, Demo.cal
// measured table, the four demo diets from the grid), one point after another
// and on every core. Reports the growth runs per fit as a counter. The fit
// works on a scratch copy of the demo location, removed at the end.
#include <benchmark/benchmark.h>

#include <memory>

#include "calibration/CalibrationFixture.h"
#include "calibration/SwineCalib.h"
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

void BM_CalibrationFitSequential(benchmark::State& state) { FitDemo(state, 1); }
void BM_CalibrationFitParallel(benchmark::State& state) { FitDemo(state, 0); }

}  // namespace

BENCHMARK(BM_CalibrationFitSequential)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CalibrationFitParallel)->Unit(benchmark::kMillisecond)->Iterations(3);
