// The whole Growth command on the demo location with least-cost diets, from
// the press to the last cell written (formulation of the four diets included).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"

namespace fs = std::filesystem;
using namespace tarvisol;

static void BM_GrowthCommandDemoLeastCost(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "tarvisol_bench_growth";
    fs::remove_all(dir);
    fs::create_directories(dir);
    tarvisol::testing::CopyDemoLocation(dir);
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
    fs::remove_all(dir);
}
BENCHMARK(BM_GrowthCommandDemoLeastCost)->Unit(benchmark::kMicrosecond);
