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

}  // namespace tarvisol
