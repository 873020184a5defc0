// "Plot Diets" on the demo location: four diets, 441 formulations and growth
// runs each, plus the reformulations between diets, and the two files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "cli/ConsoleDialogs.h"
#include "cli/OpenLocation.h"
#include "location/StartUp.h"
#include "growth/GrowthRun.h"
#include "optimisation/PlotSweep.h"
#include "shared/MainWindowForm.h"
#include "support/ScratchDemo.h"

namespace {
namespace fs = std::filesystem;
using namespace tarvisol;

void BM_PlotDietsDemo(benchmark::State& state) {
    const tarvisol::testing::ScratchDemo copy;
    const fs::path scratch = copy.Folder();
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    cli::ConsoleDialogs dialogs(nullptr, Answer::No);
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    dialogs.Preset(kPlotQuestion, Answer::Yes);
    s->Main = w.get();
    s->Dialog = &dialogs;
    cli::OpenLocationAsUser(*s, (scratch / "Demo").string());
    cli::ChooseMissingProgramme(*s);
    Growth(*s);
    PlotOptions options;
    options.threads = static_cast<int>(state.range(0));
    bool finished = false;
    for (auto _ : state) finished = PlotDiets(*s, options).finished;
    state.counters["points"] = 441.0 * s->SweepDietCount;
    state.counters["finished"] = finished ? 1 : 0;
}
BENCHMARK(BM_PlotDietsDemo)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
