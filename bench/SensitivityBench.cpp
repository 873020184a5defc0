// Reading a demo diet's sensitivity out of its solve (against a cold
// formulation of the same diet, BM_FormulateDietCold) and diagnosing an
// infeasible demo diet.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "formulation/DietDiagnosis.h"
#include "formulation/DietSensitivity.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "shared/MainWindowForm.h"
#include "support/ScratchDemo.h"

using namespace tarvisol;

namespace {

struct DemoRecord {
    const tarvisol::testing::ScratchDemo copy;  // the demo files, never examples/ itself
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    bool ok = false;
    DemoRecord() {
        const std::string base = copy.Base();
        DataInit(*s);
        s->Main = w.get();
        s->MatrixFile = base + kMatrixEnding;
        s->IngredientRestrictionFile = base + kIngredientEnding;
        ReadDiets(*s, base + kDietEnding);
        ok = LoadLP(*s, s->MatrixFile) && s->DietCount == 4;
    }
};

void BM_DietSensitivityDemo(benchmark::State& state) {
    DemoRecord demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    RunLp(*demo.s);
    FormulateDiet(*demo.s, 1);
    DietSensitivity r;
    for (auto _ : state) {
        if (!ComputeDietSensitivity(*demo.s, 1, r).empty()) return state.SkipWithError("no sensitivity");
        benchmark::DoNotOptimize(r.nutrients.data());
    }
}
BENCHMARK(BM_DietSensitivityDemo);

void BM_DiagnoseInfeasibleDemoDiet(benchmark::State& state) {
    DemoRecord demo;
    if (!demo.ok) return state.SkipWithError("demo location not loaded");
    demo.s->NutrientLimits(2, 1, 1) = 4000;  // more net energy than the ingredients reach
    FormulateDiet(*demo.s, 2);
    if (demo.s->DietFaults(2) == 0) return state.SkipWithError("diet 2 is feasible");
    for (auto _ : state) {
        const DietDiagnosis g = DiagnoseDiet(*demo.s, 2);
        if (g.relaxations.empty()) return state.SkipWithError("no relaxation found");
        benchmark::DoNotOptimize(g.totalRelativeViolation);
    }
}
BENCHMARK(BM_DiagnoseInfeasibleDemoDiet);

}  // namespace
