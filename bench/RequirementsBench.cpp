// What the requirements and the nutrient balance add to the Growth command:
// the demo's least-cost Growth command with them (as the program runs it) and
// without (no completion installed), and the completion of a run on its own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "growth/GrowthRun.h"
#include "location/RunCompletion.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/ScratchDemo.h"

namespace fs = std::filesystem;
using namespace tarvisol;

namespace {

struct DemoWindow {
    const tarvisol::testing::ScratchDemo copy;
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    DemoWindow() {
        const fs::path dir = copy.Folder();
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, dir.string());
        s->LocationFolder = dir.string();
        w->Text6.Text = "Demo";
        dialogs.Answer(Answer::Yes);
        LocationName(*s);
        w->ComboSex.ListIndex = 0;
        w->Combo1.ListIndex = kFormulationLeastCost;
    }
};

void GrowthCommand(benchmark::State& state, bool nutrition) {
    DemoWindow demo;
    if (!nutrition) demo.s->CompleteRunSnapshot = nullptr;
    for (auto _ : state) {
        Growth(*demo.s);
        benchmark::DoNotOptimize(demo.s->LastRun.Nutrition.Balance.NExcreted);
    }
    if (demo.s->RunFailed || !demo.dialogs.Messages().empty()) state.SkipWithError("the Growth command did not run cleanly");
    if (nutrition && !demo.s->LastRun.Nutrition.Requirements.Computed) state.SkipWithError("no requirements");
}

}  // namespace

static void BM_GrowthCommandWithRequirements(benchmark::State& state) { GrowthCommand(state, true); }
static void BM_GrowthCommandWithoutRequirements(benchmark::State& state) { GrowthCommand(state, false); }
BENCHMARK(BM_GrowthCommandWithRequirements)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GrowthCommandWithoutRequirements)->Unit(benchmark::kMicrosecond);

// The completion alone on the record of a finished demo run.
static void BM_RunRequirementsAndBalance(benchmark::State& state) {
    DemoWindow demo;
    Growth(*demo.s);
    RunSnapshot run = demo.s->LastRun;
    for (auto _ : state) {
        CompleteGrowthSnapshot(*demo.s, run);
        benchmark::DoNotOptimize(run.Nutrition.Balance.NExcreted);
    }
}
BENCHMARK(BM_RunRequirementsAndBalance)->Unit(benchmark::kMicrosecond);

// Fixed counts for an instruction count under callgrind (repeatable whatever the load).
BENCHMARK(BM_GrowthCommandWithRequirements)->Name("BM_GrowthCommandWithRequirementsFixed")->Iterations(50);
BENCHMARK(BM_GrowthCommandWithoutRequirements)->Name("BM_GrowthCommandWithoutRequirementsFixed")->Iterations(50);
