#include "ui/FigureFormat.h"

#include "report/RunFigures.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/Units.h"

namespace tarvisol {

std::string FigureText(Figure kind, double value) {
    switch (kind) {
    case Figure::Weight: return FormatPattern(value, "0.0");
    case Figure::FeedGain: return FormatPattern(value, "0.000");
    case Figure::Money:
    case Figure::Percent: return FormatPattern(value, "0.00");
    case Figure::Inclusion:
    case Figure::Nutrient: return FormatPattern(value, "0.000");
    case Figure::Energy: return FormatPattern(value, "0");
    case Figure::ShadowPrice: return FormatSignificant(value, 4);
    }
    return FormatPattern(value, "0.00");
}

Figure NutrientFigure(int k) { return k == 1 ? Figure::Energy : Figure::Nutrient; }

std::string NutrientUnit(int energyUnit, int k) { return k == 1 ? EnergyUnitLabel(energyUnit) : "%"; }
std::string NutrientUnit(const SharedState& s, int k) { return NutrientUnit(s.EnergyUnit(), k); }

std::string MoneyUnit(const SharedState& s) { return s.Currency; }

std::string MoneyPer(const SharedState& s, const std::string& what) {
    const std::string money = MoneyUnit(s);
    return (money.empty() ? "" : money + " ") + "per " + what;
}

std::string FeedPriceUnit(const std::string& currency, int priceUnit) {
    return (currency.empty() ? "" : currency + " ") + PriceUnitLabel(priceUnit);
}
std::string FeedPriceUnit(const SharedState& s) { return FeedPriceUnit(MoneyUnit(s), s.PriceUnit()); }

std::string WeightUnitShort(const SharedState& s) { return WeightShort(s.WeightUnit()); }

std::string Captioned(const std::string& caption, const std::string& unit) {
    return unit.empty() ? caption : caption + ", " + unit;
}

}  // namespace tarvisol
