#include "ui/FigureFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/RunFigures.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/Units.h"

namespace tarvisol {

std::string Significant(double value, int digits) {
    if (!std::isfinite(value) || value == 0) return FormatPattern(value, "0");
    digits = std::clamp(digits, 1, 17);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const auto fixed = [value](int decimals) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", std::clamp(decimals, 0, 30), value);
        return std::string(buf);
    };
    const int decimals = digits - 1 - magnitude;
    std::string text = fixed(decimals);
    // Rounding may carry into one more whole digit (9.9996 -> 10.000).
    const std::size_t first = text.find_first_not_of("-0.");
    if (decimals > 0 && first != std::string::npos) {
        const std::string shown = text.substr(first);
        if (shown.size() - static_cast<std::size_t>(std::count(shown.begin(), shown.end(), '.')) > static_cast<std::size_t>(digits))
            text = fixed(decimals - 1);
    }
    if (text.find_first_not_of("-0.") == std::string::npos) text = "0";
    return text;
}

std::string FigureText(Figure kind, double value) {
    switch (kind) {
    case Figure::Weight: return FormatPattern(value, "0.0");
    case Figure::FeedGain: return FormatPattern(value, "0.000");
    case Figure::Money:
    case Figure::Percent: return FormatPattern(value, "0.00");
    case Figure::Inclusion:
    case Figure::Nutrient: return FormatPattern(value, "0.000");
    case Figure::Energy: return FormatPattern(value, "0");
    case Figure::ShadowPrice: return Significant(value, 4);
    case Figure::Coefficient: return Significant(value, 7);
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
