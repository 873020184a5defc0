// The whole Growth command on the demo location with least-cost diets, from
// the press to the last cell written (formulation of the four diets included).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/ScratchDemo.h"

namespace fs = std::filesystem;
using namespace tarvisol;

static void BM_GrowthCommandDemoLeastCost(benchmark::State& state) {
    const tarvisol::testing::ScratchDemo copy;
    const fs::path dir = copy.Folder();
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    s->Main = w.get();
    s->Dialog = &dialogs;
    FormLoad(*s, dir.string());
    s->LocationFolder = dir.string();
    w->Text6.Text = "Demo";
    dialogs.Answer(Answer::Yes);
    LocationName(*s);
    w->ComboSex.ListIndex = 0;
    w->Combo1.ListIndex = kFormulationLeastCost;
    for (auto _ : state) {
        Growth(*s);
        benchmark::DoNotOptimize(s->FinalAge);
    }
    if (s->RunFailed || !dialogs.Messages().empty()) state.SkipWithError("the Growth command did not run cleanly");
}
BENCHMARK(BM_GrowthCommandDemoLeastCost)->Unit(benchmark::kMicrosecond);
