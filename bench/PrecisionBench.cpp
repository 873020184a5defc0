// The three ways of feeding on the demo location: 1,000 pigs with the
// default spreads, grown on the phase programme, on the group's daily blend
// (the herd's mean requirement and the 80th percentile) and each on its own
// daily blend of the two least-cost feeds.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "cli/ConsoleDialogs.h"
#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "market/MarketFile.h"
#include "precision/PrecisionLocation.h"
#include "precision/PrecisionRun.h"
#include "shared/MainWindowForm.h"
#include "support/DemoLocation.h"

namespace {
namespace fs = std::filesystem;
using namespace tarvisol;

struct DemoFeeds {
    fs::path scratch = fs::temp_directory_path() / ("tarvisol_precisionbench_" + std::to_string(::getpid()));
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    cli::ConsoleDialogs dialogs{nullptr, Answer::No};
    precision::PrecisionLocation where;
    DemoFeeds() {
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        testing::CopyDemoLocation(scratch);
        dialogs.Preset(kReopenQuestion, Answer::Yes);
        s->Main = w.get();
        s->Dialog = &dialogs;
        cli::OpenLocationAsUser(*s, (scratch / "Demo").string());
        cli::ChooseMissingProgramme(*s);
        w->Combo1.ListIndex = kFormulationLeastCost;
        std::vector<std::string> messages;
        where = precision::PrecisionLocationOf(*s, LoadMarketSettings(s->LocationBase, s->WeightUnit(), messages), {});
    }
    ~DemoFeeds() { fs::remove_all(scratch); }
};

// Arg 0: threads (0 all cores); arg 1: the group blend's percentile (0 the mean).
void BM_PrecisionThreeStrategies(benchmark::State& state) {
    DemoFeeds demo;
    precision::PrecisionSettings settings;
    settings.Herd.Pigs = 1000;
    settings.Percentile = static_cast<double>(state.range(1));
    precision::PrecisionOptions options;
    options.threads = static_cast<int>(state.range(0));
    double saved = 0;
    for (auto _ : state) {
        const precision::PrecisionResult r = precision::RunPrecision(demo.where.Inputs, settings, options);
        if (!r.Grown()) state.SkipWithError("the comparison was not made");
        saved = r.Strategies[precision::kPhase].SidLysine - r.Strategies[precision::kPrecision].SidLysine;
    }
    state.counters["lysine_saved_kg"] = saved;
}
BENCHMARK(BM_PrecisionThreeStrategies)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 80})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
