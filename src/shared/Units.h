#pragma once
// Conversions between the internal units (kg, kcal per kg of feed, money per
// kg of feed) and the display units chosen for the location.
// Direction 1: display -> internal (multiply by the unit's factor);
// any other direction: internal -> display (divide by it).
#include <string>

namespace tarvisol {

struct SharedState;

double ConvertWeight(const SharedState& s, int direction, double value);
double ConvertEnergy(const SharedState& s, int direction, double value);
double ConvertPrice(const SharedState& s, int direction, double value);

// Factors by unit index. An index outside a table is treated as unit 0, so a
// unit read from a damaged settings file never divides by zero.
double WeightFactor(int unit);
double EnergyFactor(int unit);
double PriceFactor(int unit);

bool WeightUnitValid(int unit);
bool EnergyUnitValid(int unit);
bool PriceUnitValid(int unit);

std::string WeightUnitLabel(int unit);  // "Kg.", "Lbs.", "Grams"
std::string EnergyUnitLabel(int unit);  // "Kcal/Kg", "Kcal/lb", "Mcal/Kg", "Mcal/lb", "MJ/Kg"
std::string PriceUnitLabel(int unit);   // "per kg", "per tonne", "per lb", "per short ton", "per cwt"

// The unit of the feed prices: "USD per tonne", or "per tonne" without a currency.
std::string FeedPriceLabel(const std::string& currency, int priceUnit);
// The unit of nutrient k of the matrix (matrix column k + 1): the energy unit
// for energy (k 1), else "%" of the feed.
std::string NutrientUnitLabel(int energyUnit, int k);
// A heading with its unit: "caption, unit", or the caption alone without one.
std::string WithUnit(const std::string& caption, const std::string& unit);

}  // namespace tarvisol
