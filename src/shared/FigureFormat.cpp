#include "shared/FigureFormat.h"

#include "shared/Numbers.h"
#include "shared/SharedState.h"

namespace tarvisol {
namespace {

std::string Fixed(double value, int decimals) {
    return FormatPattern(value, decimals <= 0 ? std::string("0") : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
}

}  // namespace

int FigureDecimals(Figure kind) {
    switch (kind) {
    case Figure::Weight:
    case Figure::Money:
    case Figure::Percent: return 2;
    case Figure::FeedGain:
    case Figure::Inclusion:
    case Figure::Nutrient: return 3;
    case Figure::Energy: return 0;
    case Figure::ShadowPrice: return -1;
    }
    return 2;
}

std::string FigureText(Figure kind, double value) {
    if (kind == Figure::ShadowPrice) return FormatSignificant(value, 4);
    return Fixed(value, FigureDecimals(kind));
}

int EnergyDecimals(int energyUnit) {
    switch (energyUnit) {
    case 2:
    case 3: return 3;  // Mcal: 2.475
    case 4: return 2;  // MJ: 10.36
    default: return 0;  // kcal: 2475
    }
}

int NutrientDecimals(int energyUnit, int k) {
    return k == 1 ? EnergyDecimals(energyUnit) : FigureDecimals(Figure::Nutrient);
}

std::string NutrientText(int energyUnit, int k, double value) { return Fixed(value, NutrientDecimals(energyUnit, k)); }

Figure NutrientFigure(int k) { return k == 1 ? Figure::Energy : Figure::Nutrient; }

std::string NutrientUnit(const SharedState& s, int k) { return NutrientUnitLabel(s.EnergyUnit(), k); }

std::string MoneyUnit(const SharedState& s) { return s.Currency; }

std::string MoneyPer(const SharedState& s, const std::string& what) {
    const std::string money = MoneyUnit(s);
    return (money.empty() ? "" : money + " ") + "per " + what;
}

std::string FeedPriceUnit(const SharedState& s) { return FeedPriceLabel(MoneyUnit(s), s.PriceUnit()); }

}  // namespace tarvisol
