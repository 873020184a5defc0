// The nutrient-response model's speed beside the documented engine, on the
// same three-diet programme 25 -> 115 kg from age 60 (support/Programme.h).
#include <benchmark/benchmark.h>

#include <memory>

#include "growth/ResponseRun.h"
#include "response/GenotypePresets.h"
#include "support/Programme.h"

using namespace tarvisol;

namespace {

std::unique_ptr<SharedState> ResponseProgramme(int herdSex) {
    auto s = std::make_unique<SharedState>();
    tarvisol::testing::LoadStandardProgramme(*s);
    s->Model.Kind = GrowthModelKind::Response;
    s->Model.Pig = response::ReferenceGenotype();
    s->HerdSex = static_cast<int16_t>(herdSex);
    return s;
}

void GrowResponse(benchmark::State& state, int herdSex) {
    auto s = ResponseProgramme(herdSex);
    for (auto _ : state) {
        s->FinalAge = 0;
        s->DayGrowth(0, 60) = 25;
        GrowResponsePig(*s);
        benchmark::DoNotOptimize(s->FinalAge);
    }
    if (s->RunFailed || !(s->DayGrowth(0, s->RunLastDay) >= s->FinalWeight)) state.SkipWithError("run failed");
}

}  // namespace

// A mixed herd: a barrow and a gilt side by side (compare BM_GrowPig).
static void BM_ResponseRunMixed(benchmark::State& state) { GrowResponse(state, 0); }
BENCHMARK(BM_ResponseRunMixed);
// One sex.
static void BM_ResponseRunOneSex(benchmark::State& state) { GrowResponse(state, 2); }
BENCHMARK(BM_ResponseRunOneSex);
BENCHMARK(BM_ResponseRunMixed)->Name("BM_ResponseRunMixedFixed")->Iterations(1000);
