// The margin search on the demo location grown on the nutrient-response
// model (reference genotype, least-cost diets, the demo's market): the cost
// minimum, the margin per pig place and year from the current programme and
// from the cost minimum, and the six ±10 % cases (BM_MarginSearchDemo/0 all
// cores, /1 one thread); and the margin surfaces of the best programme's
// diets, 441 programmes a diet (BM_MarginSurfaceDemo).
#include <benchmark/benchmark.h>

#include "optimisation/MarginSearch.h"
#include "optimisation/MarginSurface.h"
#include "support/ResponseDemo.h"

namespace {
using namespace tarvisol;

void BM_MarginSearchDemo(benchmark::State& state) {
    testing::ResponseDemo demo;
    MarginSearchOptions options;
    options.threads = static_cast<int>(state.range(0));
    int evaluations = 0;
    for (auto _ : state) {
        const MarginSearchResult r = SearchMargin(*demo.s, demo.market, OptObjective::MarginPerPlaceYear, options);
        if (!r.Done) state.SkipWithError("the margin search found no programme");
        evaluations = r.Evaluations;
    }
    state.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_MarginSearchDemo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_MarginSurfaceDemo(benchmark::State& state) {
    testing::ResponseDemo demo;
    const MarginEvaluator ev(*demo.s, demo.market);
    const MarginProgramme p = ev.CurrentLevels();
    for (auto _ : state) {
        const std::vector<MarginSurface> surfaces = MarginSurfaces(ev, OptObjective::MarginPerPlaceYear, p);
        if (surfaces.size() != static_cast<std::size_t>(p.Count)) state.SkipWithError("a surface is missing");
    }
}
BENCHMARK(BM_MarginSurfaceDemo)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
