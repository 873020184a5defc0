#pragma once
// How a figure is shown wherever a person reads it (the windows, the sheets,
// the workbook): a fixed number of decimals for each kind of figure, and the
// unit written beside it in the location's unit system (the unit names
// themselves are in shared/Units.h). Only what is shown is rounded; the files
// keep their full precision.
#include <string>

#include "shared/Units.h"

namespace tarvisol {

struct SharedState;

enum class Figure {
    Weight,       // kg or lb of pig or feed: 0.00
    FeedGain,     // feed per gain: 0.000
    Money,        // 0.00
    Percent,      // shares, and a formula's total: 0.00
    Inclusion,    // an ingredient's % of a diet: 0.000
    Nutrient,     // amino acids, minerals, protein, % of the feed: 0.000
    Energy,       // kcal per kg (or lb) of feed: whole
    ShadowPrice,  // shadow prices, reduced costs: 4 significant digits
};

// The decimals a figure of this kind is shown with (-1: significant digits).
int FigureDecimals(Figure kind);
// The value as a figure of this kind is shown.
std::string FigureText(Figure kind, double value);

// Energy in a unit of the location: whole kcal, Mcal to 0.001, MJ to 0.01.
int EnergyDecimals(int energyUnit);
// Nutrient k of the matrix as the matrix's unit is read: energy (k = 1) in
// the energy unit's decimals, the others to 0.001 % of the feed.
int NutrientDecimals(int energyUnit, int k);
std::string NutrientText(int energyUnit, int k, double value);

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
