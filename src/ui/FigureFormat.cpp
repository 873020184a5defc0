#include "ui/FigureFormat.h"

#include "shared/Numbers.h"
#include "shared/SharedState.h"

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

std::string NutrientUnit(const SharedState& s, int k) { return NutrientUnitLabel(s.EnergyUnit(), k); }

std::string MoneyUnit(const SharedState& s) { return s.Currency; }

std::string MoneyPer(const SharedState& s, const std::string& what) {
    const std::string money = MoneyUnit(s);
    return (money.empty() ? "" : money + " ") + "per " + what;
}

std::string FeedPriceUnit(const SharedState& s) { return FeedPriceLabel(MoneyUnit(s), s.PriceUnit()); }

}  // namespace tarvisol
