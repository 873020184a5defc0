#include "precision/PrecisionHerd.h"

#include <algorithm>
#include <cmath>

#include "response/HerdPigRun.h"

namespace tarvisol::precision {

std::vector<PrecisionPig> DrawPrecisionPigs(const HerdSettings& h, const Genotype& g, int herdSex, double startWeight) {
    std::vector<PrecisionPig> pigs;
    if (!HerdSettingsProblem(h).empty() || !response::GenotypeProblem(g).empty() || !(startWeight > 0)) return pigs;
    // Unit curve: the draws come back as factors (B2 as the logarithm of the
    // mature-size factor).
    const std::vector<HerdPig> draws = DrawHerd(h, startWeight, {1, 1, 0, 1, 1});
    const bool males = response::GrowsMales(herdSex), females = response::GrowsFemales(herdSex);
    pigs.reserve(draws.size());
    for (std::size_t p = 0; p < draws.size(); ++p) {
        const HerdPig& d = draws[p];
        PrecisionPig pig;
        pig.StartWeight = d.StartWeight;
        pig.Male = males && (!females || p % 2 == 0);
        SexGenotype sex = pig.Male ? g.Male : g.Female;
        sex.MeanProteinDeposition = std::clamp(sex.MeanProteinDeposition * d.Curve[3], 40.0, 400.0);
        sex.Precocity = std::clamp(sex.Precocity / std::exp(d.Curve[2]), 0.002, 0.05);
        sex.NeIntake50 *= d.Curve[4];
        sex.NeIntake100 *= d.Curve[4];
        pig.Curves = response::CurvesOf(sex, g.WastagePercent);
        pigs.push_back(pig);
    }
    return pigs;
}

}  // namespace tarvisol::precision
