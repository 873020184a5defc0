#pragma once
// The plausibility check of a diet's energy, protein and lysine before a
// growth run: a diet outside these ranges would grow the pig on figures no
// feed has (energy 0 grows it on no feed at all).
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

// Plausible ranges, inclusive: net energy in kcal per kg of feed (the
// program's unit, whatever unit the diets are typed in), crude protein and
// lysine in percent of the feed.
inline constexpr double kLowestEnergy = 1800, kHighestEnergy = 3000;
inline constexpr double kLowestProtein = 12, kHighestProtein = 30;
inline constexpr double kLowestLysine = 0.5, kHighestLysine = 3;
// The diet column the lysine check reads.
inline constexpr int kLysineColumn = 5;

// "Look at the Energy Value of Diet d" (then the protein and the lysine
// texts) for the first of diet d's values (DietNutrients columns 1, 2 and 5)
// that is not a number in its range; empty when all three are.
std::string DietValueFault(const SharedState& s, int d);

// The fault of the first diet 1..count that has one; empty when none has.
std::string ProgrammeValueFault(const SharedState& s, int count);

}  // namespace tarvisol
