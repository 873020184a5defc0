// Growth engine speed: the three-diet programme 25 -> 115 kg from age 60.
#include <benchmark/benchmark.h>

#include <memory>

#include "growth/PigGrowth.h"
#include "shared/MainWindowForm.h"
#include "support/Programme.h"

using namespace tarvisol;

static void BM_GrowPig(benchmark::State& state) {
    auto s = std::make_unique<SharedState>();
    tarvisol::testing::LoadStandardProgramme(*s);
    for (auto _ : state) {
        s->FinalAge = 0;
        for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = kDefaultCurve[k];
        GrowPig(*s);
        benchmark::DoNotOptimize(s->FinalAge);
    }
    if (s->RunFailed) state.SkipWithError("run failed");
}
BENCHMARK(BM_GrowPig);

// The same with the daily grid written, as the Growth command runs it.
static void BM_GrowPigWithDailyGrid(benchmark::State& state) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    tarvisol::testing::LoadStandardProgramme(*s);
    s->Main = form.get();
    s->ShowDailyProgress = true;
    for (auto _ : state) {
        form->Grid1.Clear();
        s->FinalAge = 0;
        GrowPig(*s);
        benchmark::DoNotOptimize(s->FinalAge);
    }
}
BENCHMARK(BM_GrowPigWithDailyGrid);

// A fixed number of runs, for instruction counts under callgrind
// (valgrind --tool=callgrind ... --benchmark_filter=BM_GrowPigFixed).
BENCHMARK(BM_GrowPig)->Name("BM_GrowPigFixed")->Iterations(1000);
