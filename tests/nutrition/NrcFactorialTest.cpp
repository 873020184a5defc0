// The factorial requirements against the NRC (2012) figures they come from.
#include <gtest/gtest.h>

#include <cmath>

#include "nutrition/NrcFactorial.h"

using namespace tarvisol;

// NRC (2012) ch. 8: the marginal efficiency of SID lysine for protein
// deposition is 68.2 % at 20 kg and 56.8 % at 120 kg body weight.
TEST(NrcFactorial, LysineEfficiencyHasTheNrcValuesAt20And120Kg) {
    EXPECT_NEAR(LysineEfficiency(20), 0.682, 0.0005);
    EXPECT_NEAR(LysineEfficiency(120), 0.568, 0.0005);
}

// Maintenance alone (no protein deposited): gut losses from dry matter
// intake and skin losses from metabolic weight; with deposition, lysine per
// gram of protein rises with body weight as the efficiency falls.
TEST(NrcFactorial, LysineGrowsWithDepositionAndCostsMoreInHeavierPigs) {
    const double maintenance = SidLysineGrams(100, 3.0, 0);
    EXPECT_NEAR(maintenance, 0.417 * 0.9 * 3.0 + 0.0045 * std::pow(100.0, 0.75), 1e-9);
    const double perGramLight = (SidLysineGrams(30, 2, 100) - SidLysineGrams(30, 2, 0)) / 100;
    const double perGramHeavy = (SidLysineGrams(110, 2, 100) - SidLysineGrams(110, 2, 0)) / 100;
    EXPECT_GT(perGramHeavy, perGramLight * 1.15);
}

// Calcium follows STTD phosphorus at NRC (2012)'s 2.15 : 1, and both scale
// with the phosphorus retained in protein.
TEST(NrcFactorial, CalciumIsTwoPointOneFiveTimesSttdPhosphorus) {
    const double p = SttdPhosphorusGrams(50, 2.2, 150);
    EXPECT_NEAR(CalciumGrams(p) / p, 2.15, 1e-12);
    EXPECT_GT(SttdPhosphorusGrams(50, 2.2, 150), SttdPhosphorusGrams(50, 2.2, 100));
}
