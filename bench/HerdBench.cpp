// A herd on the demo location: 1,000 pigs drawn with the default spreads,
// grown on the least-cost programme and sold in one strategy of three cuts
// priced by the demo's market, on either growth model; and the search for the
// best cuts on that herd.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "cli/ConsoleDialogs.h"
#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "market/HerdCuts.h"
#include "market/HerdPopulation.h"
#include "market/MarketFile.h"
#include "response/GenotypePresets.h"
#include "shared/MainWindowForm.h"
#include "support/DemoLocation.h"

namespace {
namespace fs = std::filesystem;
using namespace tarvisol;

struct DemoHerd {
    fs::path scratch = fs::temp_directory_path() / ("tarvisol_herdbench_" + std::to_string(::getpid()));
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    cli::ConsoleDialogs dialogs{nullptr, Answer::No};
    MarketSettings market;
    DemoHerd() {
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
        market = LoadMarketSettings(s->LocationBase, s->WeightUnit(), messages);
    }
    ~DemoHerd() { fs::remove_all(scratch); }
};

void BM_HerdGrowAndValue(benchmark::State& state) {
    DemoHerd demo;
    HerdOptions options;
    options.threads = static_cast<int>(state.range(0));
    double margin = 0;
    for (auto _ : state) {
        const Herd herd = GrowHerd(*demo.s, HerdSettings{}, options);
        margin = ValueHerd(herd, demo.market, {{150, 128, 0}, {158, 0, 0.5}, {166, 0, 0}}).MarginPerPlaceYear;
    }
    state.counters["margin_per_place_year"] = margin;
}
BENCHMARK(BM_HerdGrowAndValue)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same herd on the nutrient-response model: 1,000 responsive pigs, each
// a barrow or a gilt with its own genotype around the reference pig, grown
// and sold in the same three cuts (the goal: 50 ms on two cores).
void BM_ResponseHerdGrowAndValue(benchmark::State& state) {
    DemoHerd demo;
    demo.s->Model.Kind = GrowthModelKind::Response;
    demo.s->Model.Pig = response::ReferenceGenotype();
    HerdOptions options;
    options.threads = static_cast<int>(state.range(0));
    const HerdStrategy cuts{{150, 128, 0}, {158, 0, 0.5}, {166, 0, 0}};
    double margin = 0;
    for (auto _ : state) {
        const Herd herd = GrowHerd(*demo.s, HerdSettings{}, options);
        if (!herd.Grown() || !herd.Response || !HerdStrategyProblem(herd, cuts).empty()) {
            state.SkipWithError("the response herd was not grown or cannot be sold in these cuts");
            return;
        }
        margin = ValueHerd(herd, demo.market, cuts).MarginPerPlaceYear;
    }
    state.counters["margin_per_place_year"] = margin;
}
BENCHMARK(BM_ResponseHerdGrowAndValue)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HerdBestCuts(benchmark::State& state) {
    DemoHerd demo;
    const Herd herd = GrowHerd(*demo.s, HerdSettings{}, {});
    std::size_t cuts = 0;
    for (auto _ : state) cuts = FindBestCuts(herd, demo.market).Cuts.size();
    state.counters["cuts"] = static_cast<double>(cuts);
}
BENCHMARK(BM_HerdBestCuts)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
