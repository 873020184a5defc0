// The nutrient-response model's genotype fitted to the demo herd (Demo.cal,
// the demo diets), as the calibration window's Fit Genotype and `calibrate
// --model response` run it: every start of the fit on 1 and 2 threads.
// Reports the growth runs of a fit as a counter. Works on a scratch copy of
// the demo location.
#include <benchmark/benchmark.h>

#include <string>

#include "calibration/CalibrationFixture.h"
#include "calibration/GenotypeFit.h"
#include "support/ScratchDemo.h"
#include "ui/GenotypeFitWindow.h"

using namespace tarvisol;

namespace {

void FitDemoGenotype(benchmark::State& state) {
    const tarvisol::testing::ScratchDemo copy;
    tarvisol::testing::DemoCalibration demo(copy.Folder());
    std::string problem;
    const GenotypeFitInputs in = GenotypeFitInputsOfWindow(*demo.s, *demo.form, problem);
    if (!problem.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    GenotypeFitOptions options;
    options.threads = static_cast<int>(state.range(0));
    int evaluations = 0;
    for (auto _ : state) {
        const GenotypeFit fit = FitGenotype(in, options);
        evaluations = fit.Evaluations;
        benchmark::DoNotOptimize(fit.Fitted.Error);
    }
    state.counters["growth_runs"] = evaluations;
}

}  // namespace

static void BM_GenotypeFitDemo(benchmark::State& state) { FitDemoGenotype(state); }
BENCHMARK(BM_GenotypeFitDemo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
