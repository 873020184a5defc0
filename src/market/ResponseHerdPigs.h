#pragma once
// A herd on the nutrient-response model: every pig a barrow or a gilt with a
// genotype of its own drawn around the location's, grown on the programme's
// values to the end of the day tables.
#include <vector>

#include "market/HerdPopulation.h"
#include "response/HerdPigRun.h"
#include "shared/Genotype.h"

namespace tarvisol {

// The pigs of a response-model herd from the settings' draws (HerdDraws),
// around the location's starting weight (kg) and genotype. herdSex 1 or 2:
// every pig of that sex; 0: barrows and gilts in turn, half the herd each.
std::vector<HerdPig> DrawResponseHerd(const HerdSettings& h, double startWeight, const Genotype& location, int herdSex);

// Where one pig's days go: at index i the day of age startAge + i.
struct HerdPigDays {
    double* Weight = nullptr;  // live weight at the start of the day, kg
    double* Feed = nullptr;    // feed supplied before it, kg
    double* Lean = nullptr;    // carcass lean of its body then, %
    int Capacity = 0;
};

// One pig of such a herd grown from startAge on the programme, to the end of
// the day tables. Writes days 0 .. the returned count - 1 (at most
// Capacity); returns 0 when no day could be grown. scratch keeps its vectors
// from pig to pig.
int GrowResponseHerdPig(const Genotype& location, const response::ResponseProgramme& programme, const HerdPig& pig,
                        int startAge, response::HerdPigRun& scratch, const HerdPigDays& out);

}  // namespace tarvisol
