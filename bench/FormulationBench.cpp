// Least-cost formulation speed on the demo location: one diet cold (a fresh
// solver cache) and re-solved after an energy-minimum change (warm start),
// and the Run LP command over the four demo diets.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "formulation/Lprogr.h"
#include "shared/MainWindowForm.h"
#include "support/ScratchDemo.h"

using namespace tarvisol;

namespace {

struct Demo {
    const tarvisol::testing::ScratchDemo copy;  // the demo files, never examples/ itself
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    bool ok = false;
    Demo() {
        const std::string base = copy.Base();
        DataInit(*s);
        s->Main = w.get();
        s->MatrixFile = base + kMatrixEnding;
        s->IngredientRestrictionFile = base + kIngredientEnding;
        ReadDiets(*s, base + kDietEnding);
        ok = LoadLP(*s, s->MatrixFile) && s->DietCount == 4;
        if (ok) RunLp(*s);  // limits settle (weight maximum rows) as after a first run
    }
};

// Cold: the rows are loaded into the solver again and solved from the slack basis.
void BM_FormulateDietCold(benchmark::State& state) {
    Demo demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    SharedState& s = *demo.s;
    for (auto _ : state) {
        ForgetLpBases(s.LpCache);
        FormulateDiet(s, 1);
        benchmark::DoNotOptimize(s.DietPrice(1));
    }
    if (s.DietFaults(1) != 0 || LastLpSolve(s.LpCache).warm) state.SkipWithError("not a feasible cold solve");
}
BENCHMARK(BM_FormulateDietCold);

// The same on a fresh record copy: the solver objects are created too.
void BM_FormulateDietFreshCache(benchmark::State& state) {
    Demo demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    SharedState& s = *demo.s;
    for (auto _ : state) {
        s.LpCache.Reset();
        FormulateDiet(s, 1);
        benchmark::DoNotOptimize(s.DietPrice(1));
    }
    if (s.DietFaults(1) != 0 || LastLpSolve(s.LpCache).warm) state.SkipWithError("not a feasible cold solve");
}
BENCHMARK(BM_FormulateDietFreshCache);

void BM_FormulateDietWarm(benchmark::State& state) {
    Demo demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    SharedState& s = *demo.s;
    FormulateDiet(s, 1);
    const double energy = s.NutrientLimits(1, 1, 1);
    int64_t warm = 0;
    bool up = false;
    for (auto _ : state) {
        up = !up;
        s.NutrientLimits(1, 1, 1) = energy + (up ? 15 : 0);
        FormulateDiet(s, 1);
        warm += LastLpSolve(s.LpCache).warm ? 1 : 0;
        benchmark::DoNotOptimize(s.DietPrice(1));
    }
    if (warm != state.iterations() || s.DietFaults(1) != 0) state.SkipWithError("not every re-solve was warm");
}
BENCHMARK(BM_FormulateDietWarm);
// A fixed number of re-solves, for instruction counts under callgrind
// (valgrind --tool=callgrind ... --benchmark_filter=BM_FormulateDietWarmFixed).
BENCHMARK(BM_FormulateDietWarm)->Name("BM_FormulateDietWarmFixed")->Iterations(1000);

void BM_RunLpFourDemoDiets(benchmark::State& state) {
    Demo demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    for (auto _ : state) {
        RunLp(*demo.s);
        benchmark::DoNotOptimize(demo.s->DietPrice(4));
    }
}
BENCHMARK(BM_RunLpFourDemoDiets);

void BM_RunLpFourDemoDietsCold(benchmark::State& state) {
    Demo demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    for (auto _ : state) {
        ForgetLpBases(demo.s->LpCache);
        RunLp(*demo.s);
        benchmark::DoNotOptimize(demo.s->DietPrice(4));
    }
}
BENCHMARK(BM_RunLpFourDemoDietsCold);

}  // namespace
