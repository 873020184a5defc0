#include "market/CarcassSale.h"

namespace tarvisol {

CarcassSale SellCarcass(const MarketSettings& m, double liveWeight, double yieldPercent, double leanPercent,
                        double feedCost, double daysOnFeed) {
    CarcassSale sale;
    sale.CarcassWeight = liveWeight * yieldPercent / 100;
    sale.PricePerKg = m.CarcassPrice + m.LeanPremium * (leanPercent - m.LeanBase);
    if (sale.CarcassWeight < m.BandLow || sale.CarcassWeight > m.BandHigh) sale.PricePerKg -= m.Discount;
    sale.Value = sale.CarcassWeight * sale.PricePerKg;
    sale.MarginPerPig = sale.Value - feedCost - m.PigCost - m.DayCost * daysOnFeed;
    const double placeDays = daysOnFeed + m.EmptyDays;
    sale.MarginPerPlaceYear = placeDays > 0 ? sale.MarginPerPig * 365 / placeDays : 0;
    return sale;
}

}  // namespace tarvisol
