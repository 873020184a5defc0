#pragma once
// How a figure is shown in a window: a precision that fits what it measures,
// and the unit written beside it in the location's unit system. Only what is
// shown is rounded; the files keep their full precision.
#include <string>

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
// Its unit: the energy unit for energy, else "%".
std::string NutrientUnit(int energyUnit, int k);
std::string NutrientUnit(const SharedState& s, int k);

// The location's money: its currency ("USD"), or "" when it names none.
std::string MoneyUnit(const SharedState& s);
// Money per something: "USD per pig", or "per pig" without a currency.
std::string MoneyPer(const SharedState& s, const std::string& what);
// The unit of the feed prices: "USD per tonne", "per short ton", ...
std::string FeedPriceUnit(const std::string& currency, int priceUnit);
std::string FeedPriceUnit(const SharedState& s);
// The live-weight unit: "kg", "lb", "g".
std::string WeightUnitShort(const SharedState& s);

// "caption, unit", or the caption alone when the unit is empty.
std::string Captioned(const std::string& caption, const std::string& unit);

}  // namespace tarvisol
