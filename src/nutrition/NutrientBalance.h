#pragma once
// The nitrogen and phosphorus balance of a run: eaten (feed of each diet x
// its crude protein / 6.25, or x its total phosphorus), retained (with the
// protein deposited), excreted (the difference), per pig and per pig place
// and year.
#include "nutrition/NutrientBasis.h"
#include "shared/RunNutrition.h"
#include "shared/RunSnapshot.h"

namespace tarvisol {

// EU best available techniques for fattening pigs, Commission Implementing
// Decision (EU) 2017/302 of 15 February 2017 (BAT 3 and BAT 4, Tables 1.1 and
// 1.2): total N and P2O5 excreted, kg per animal place and year.
inline constexpr double kBatNitrogenLow = 7.0, kBatNitrogenHigh = 13.0;
inline constexpr double kBatP2O5Low = 3.5, kBatP2O5High = 5.4;

// The balance of the run whose requirements days are filled; emptyDays
// between batches (the market settings') set the batches per place and year.
NutrientBalance BalanceOf(const RunSnapshot& run, double emptyDays);
// The same with the run's nutrient columns already found.
NutrientBalance BalanceOf(const RunSnapshot& run, double emptyDays, const NutrientColumns& cols);

}  // namespace tarvisol
