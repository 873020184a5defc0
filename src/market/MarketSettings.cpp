#include "market/MarketSettings.h"

#include <cmath>
#include <cstdio>

#include "shared/Numbers.h"

namespace tarvisol {

namespace {
constexpr double kHuge = 1e9;
std::string Plain(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}
}

const MarketField kMarketFields[kMarketFieldCount] = {
    {"Carcass price", "carcass_price", &MarketSettings::CarcassPrice, 0, kHuge},
    {"Lean base %", "lean_base", &MarketSettings::LeanBase, 0, 100},
    {"Lean premium", "lean_premium", &MarketSettings::LeanPremium, 0, kHuge},
    {"Band low", "band_low", &MarketSettings::BandLow, 0, kHuge},
    {"Band high", "band_high", &MarketSettings::BandHigh, 0, kHuge},
    {"Discount", "discount", &MarketSettings::Discount, 0, kHuge},
    {"Feeder pig cost", "pig_cost", &MarketSettings::PigCost, 0, kHuge},
    {"Day cost", "day_cost", &MarketSettings::DayCost, 0, kHuge},
    {"Empty days", "empty_days", &MarketSettings::EmptyDays, 0, 365},
    {"Carcass yield, %", "carcass_yield", &MarketSettings::CarcassYield, 40, 100, true},
};

MarketSettings DefaultMarketSettings(bool pounds) {
    MarketSettings m;
    m.LeanBase = 58;
    m.PigCost = 60;
    m.DayCost = 0.2;
    m.EmptyDays = 7;
    if (pounds) {
        m.CarcassPrice = 0.95;
        m.LeanPremium = 0.01;
        m.BandLow = 165;
        m.BandHigh = 210;
        m.Discount = 0.07;
    } else {
        m.CarcassPrice = 2.1;
        m.LeanPremium = 0.02;
        m.BandLow = 75;
        m.BandHigh = 95;
        m.Discount = 0.15;
    }
    return m;
}

std::string MarketSettingsProblem(const MarketSettings& m) {
    for (const MarketField& f : kMarketFields) {
        const double v = m.*f.Value;
        if (std::isfinite(v) && v >= f.Low && v <= f.High) continue;
        if (f.BlankAllowed && v == 0) continue;
        if (f.BlankAllowed)
            return std::string(f.Name) + " must be blank (the run's own) or a number from " + Plain(f.Low) + " to " +
                   Plain(f.High);
        if (f.High >= kHuge) return std::string(f.Name) + " must be a number, " + FormatAuto(f.Low) + " or more";
        return std::string(f.Name) + " must be a number from " + FormatAuto(f.Low) + " to " + FormatAuto(f.High);
    }
    if (m.BandHigh < m.BandLow) return "Band high must not be below Band low";
    return {};
}

std::string SaleYieldText(const MarketSettings& m, double runYield) {
    if (m.CarcassYield > 0) return "packer's dressing " + FormatPattern(m.CarcassYield, "0.0") + " %";
    return "the model's carcass yield " + FormatPattern(runYield, "0.0") + " %";
}

}  // namespace tarvisol
