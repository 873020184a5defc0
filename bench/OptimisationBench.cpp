// A full "Run Opt." on the demo location: four diets at least cost, twelve
// variables, the ranges of "Program Add Min Max to Current".
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "cli/OptimiseCommand.h"
#include "support/ScratchDemo.h"

namespace {
namespace fs = std::filesystem;

void BM_RunOptDemo(benchmark::State& state) {
    const tarvisol::testing::ScratchDemo copy;
    const fs::path scratch = copy.Folder();
    tarvisol::cli::OptimiseArgs args;
    args.location = (scratch / "Demo").string();
    double evaluations = 0, saved = 0, found = 0;
    for (auto _ : state) {
        const nlohmann::json r = tarvisol::cli::RunOptimiseCommand(args, nullptr);
        // A search that finds nothing cheaper is a full run all the same.
        evaluations = r.value("evaluations", 0);
        found = r["ran"].get<bool>() ? 1 : 0;
        saved = found ? r["percent_saved"].get<double>() : 0.0;
    }
    state.counters["evaluations"] = evaluations;
    state.counters["percent_saved"] = saved;
    state.counters["found_lower"] = found;
}
BENCHMARK(BM_RunOptDemo)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
