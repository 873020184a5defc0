#include "shared/Units.h"

#include "shared/SharedState.h"

namespace tarvisol {
namespace {

constexpr double kWeight[] = {1.0, 1.0 / 2.205, 1.0 / 1000.0};
constexpr double kEnergy[] = {1.0, 2.205, 1000.0, 2205.0, 1000.0 / 4.184};
constexpr double kPrice[] = {1.0, 1.0 / 1000.0, 2.205, 0.0011025, 0.02205};

template <std::size_t N>
double Factor(const double (&table)[N], int unit) {
    return (unit >= 0 && unit < static_cast<int>(N)) ? table[unit] : table[0];
}

double Convert(double factor, int direction, double value) {
    return direction == 1 ? value * factor : value / factor;
}

}  // namespace

double WeightFactor(int unit) { return Factor(kWeight, unit); }
double EnergyFactor(int unit) { return Factor(kEnergy, unit); }
double PriceFactor(int unit) { return Factor(kPrice, unit); }

bool WeightUnitValid(int unit) { return unit >= 0 && unit <= 2; }
bool EnergyUnitValid(int unit) { return unit >= 0 && unit <= 4; }
bool PriceUnitValid(int unit) { return unit >= 0 && unit <= 4; }

double ConvertWeight(const SharedState& s, int direction, double value) {
    return Convert(WeightFactor(s.WeightUnit()), direction, value);
}
double ConvertEnergy(const SharedState& s, int direction, double value) {
    return Convert(EnergyFactor(s.EnergyUnit()), direction, value);
}
double ConvertPrice(const SharedState& s, int direction, double value) {
    return Convert(PriceFactor(s.PriceUnit()), direction, value);
}

std::string WeightUnitLabel(int unit) {
    static const char* labels[] = {"Kg.", "Lbs.", "Grams"};
    return labels[WeightUnitValid(unit) ? unit : 0];
}

std::string EnergyUnitLabel(int unit) {
    static const char* labels[] = {"Kcal/Kg", "Kcal/lb", "Mcal/Kg", "Mcal/lb", "MJ/Kg"};
    return labels[EnergyUnitValid(unit) ? unit : 0];
}

std::string PriceUnitLabel(int unit) {
    static const char* labels[] = {"per kg", "per tonne", "per lb", "per short ton", "per cwt"};
    return labels[PriceUnitValid(unit) ? unit : 0];
}

std::string FeedPriceLabel(const std::string& currency, int priceUnit) {
    return (currency.empty() ? "" : currency + " ") + PriceUnitLabel(priceUnit);
}

std::string NutrientUnitLabel(int energyUnit, int k) { return k == 1 ? EnergyUnitLabel(energyUnit) : "%"; }

std::string WithUnit(const std::string& caption, const std::string& unit) {
    return unit.empty() ? caption : caption + ", " + unit;
}

}  // namespace tarvisol
