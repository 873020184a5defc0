#pragma once
// The pigs of a precision-feeding comparison: the location's genotype made
// to differ pig by pig with the herd's draws (the same seed, the same pigs as
// the herd of the documented curve). The growth-rate draw scales the mean
// potential protein deposition, the maintenance draw the intake at will (a
// pig that spends more eats more), the mature-size draw the Gompertz
// precocity inversely (a larger pig matures later). In a mixed herd every
// other pig is a gilt.
#include <vector>

#include "market/HerdPopulation.h"
#include "response/GenotypeCurves.h"
#include "shared/Genotype.h"

namespace tarvisol::precision {

struct PrecisionPig {
    double StartWeight = 0;  // kg
    bool Male = true;
    response::SexCurves Curves;
};

// Empty when the settings or the genotype cannot be grown.
std::vector<PrecisionPig> DrawPrecisionPigs(const HerdSettings& h, const Genotype& g, int herdSex, double startWeight);

}  // namespace tarvisol::precision
