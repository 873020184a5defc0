#pragma once
// The three-diet grower-finisher programme used by tests and benchmarks:
// 25 -> 115 kg from age 60 on the default curve; energy 2450/2475/2500 kcal/kg,
// protein 18/16/14 %, lysine 1.10/0.95/0.80 % with the other amino acids in
// usual ideal ratios to lysine; allotments 40/90/200 kg.
#include "shared/SharedState.h"

namespace tarvisol::testing {

// Ideal ratios to lysine of the diet columns 3..14 (ARG, HIS, LYS, TRP,
// PHE+TYR, PHE, MET+CYS, MET, THR, LEU, ILE, VAL).
inline constexpr double kIdealRatio[12] = {0.42, 0.32, 1.00, 0.18, 0.95, 0.54,
                                           0.58, 0.29, 0.63, 1.01, 0.55, 0.68};

inline void SetDiet(SharedState& s, int d, double energy, double protein, double lysine, double feedKg,
                    double price = 0.30) {
    s.DietNutrients(d, 0) = price;
    s.DietNutrients(d, 1) = energy;
    s.DietNutrients(d, 2) = protein;
    for (int j = 0; j < 12; ++j) s.DietNutrients(d, 3 + j) = lysine * kIdealRatio[j];
    s.DietFeedAmount(d) = feedKg;
}

inline void LoadStandardProgramme(SharedState& s) {
    DataInit(s);
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = kDefaultCurve[k];
    s.DietCount = 3;
    SetDiet(s, 1, 2450, 18, 1.10, 40);
    SetDiet(s, 2, 2475, 16, 0.95, 90);
    SetDiet(s, 3, 2500, 14, 0.80, 200);
    s.SimSex = 0;
    s.StartAge = 60;
    s.FinalWeight = 115;
    s.FinalAge = 0;
    s.DayGrowth(0, 60) = 25;
    s.CurrentDietIndex = 1;
}

}  // namespace tarvisol::testing
