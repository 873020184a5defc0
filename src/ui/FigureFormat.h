#pragma once
// How a figure is shown in a window: a precision that fits what it measures,
// and the unit written beside it in the location's unit system (the unit names
// themselves are in shared/Units.h). Only what is shown is rounded; the files
// keep their full precision.
#include <string>

#include "shared/Units.h"

namespace tarvisol {

struct SharedState;

enum class Figure {
    Weight,       // kg or lb: 0.0
    FeedGain,     // feed per gain: 0.000
    Money,        // 0.00
    Percent,      // shares: 0.00
    Inclusion,    // an ingredient's % of a diet to be weighed: 0.000
    Nutrient,     // amino acids, minerals, protein, % of the feed: 0.000
    Energy,       // kcal per kg (or lb) of feed: whole
    ShadowPrice,  // shadow prices, reduced costs: 4 significant digits
};

// The value as a figure of this kind is shown.
std::string FigureText(Figure kind, double value);

// Nutrient k of the matrix (1 is energy, the others are % of the feed).
Figure NutrientFigure(int k);
// Its unit in the location's energy unit.
std::string NutrientUnit(const SharedState& s, int k);

// The location's money: its currency ("USD"), or "" when it names none.
std::string MoneyUnit(const SharedState& s);
// Money per something: "USD per pig", or "per pig" without a currency.
std::string MoneyPer(const SharedState& s, const std::string& what);
// The unit of the location's feed prices: "USD per tonne", "per short ton", ...
std::string FeedPriceUnit(const SharedState& s);

}  // namespace tarvisol
