// When to sell on the demo location: 41 final weights (the demo's final
// weight -20 to +20, step 1), each a Growth command on least-cost diets on a
// private copy of the record and the main window, priced by the default market.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "cli/ConsoleDialogs.h"
#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "market/MarketAnalysis.h"
#include "shared/MainWindowForm.h"
#include "support/DemoLocation.h"

namespace {
namespace fs = std::filesystem;
using namespace tarvisol;

void BM_MarketWeightsDemo(benchmark::State& state) {
    const fs::path scratch = fs::temp_directory_path() / ("tarvisol_marketbench_" + std::to_string(::getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    testing::CopyDemoLocation(scratch);
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    cli::ConsoleDialogs dialogs(nullptr, Answer::No);
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    s->Main = w.get();
    s->Dialog = &dialogs;
    cli::OpenLocationAsUser(*s, (scratch / "Demo").string());
    cli::ChooseMissingProgramme(*s);
    w->Combo1.ListIndex = kFormulationLeastCost;
    const MarketRange range = DefaultMarketRange(*s);
    const MarketSettings market = DefaultMarketSettings(MarketInPounds(s->WeightUnit()));
    MarketOptions options;
    options.threads = static_cast<int>(state.range(0));
    int sold = 0;
    for (auto _ : state) {
        const MarketAnalysis a = AnalyseMarketWeights(*s, market, range, options);
        sold = 0;
        for (const MarketRow& r : a.Rows) sold += r.Sold() ? 1 : 0;
    }
    state.counters["weights"] = static_cast<double>(MarketWeights(range).size());
    state.counters["sold"] = sold;
    fs::remove_all(scratch);
}
BENCHMARK(BM_MarketWeightsDemo)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
