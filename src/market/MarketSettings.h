#pragma once
// The location's market: what a packer pays for the carcass and what a pig
// costs besides its feed. Carcass prices, premiums and discounts are money
// per kg of carcass, or per lb in the pound system; carcass weights are kg,
// or lb in the pound system.
#include <string>

namespace tarvisol {

struct MarketSettings {
    double CarcassPrice = 0;  // base price per kg (lb) of carcass
    double LeanBase = 0;      // carcass lean % that earns the base price
    double LeanPremium = 0;   // added to the price per kg (lb) per point of lean above the base (taken off below it)
    double BandLow = 0;       // carcass weights from BandLow to BandHigh earn the base price
    double BandHigh = 0;
    double Discount = 0;      // taken off the price per kg (lb) of a carcass outside the band
    double PigCost = 0;       // feeder pig, per head
    double DayCost = 0;       // housing, labour and interest per pig per day on feed
    double EmptyDays = 0;     // days a place stands empty between batches
    // The dressing the packer pays on, % of live weight (hot carcass); 0, a
    // blank in the file and the window, takes the run's own yield from the
    // carcass equations. Used for every carcass weight of the market and
    // herd analyses, never for the Growth command's carcass figures.
    double CarcassYield = 0;

    bool operator==(const MarketSettings&) const = default;
};

// The pound system prices and weighs carcasses per lb; every other weight
// unit per kg.
inline bool MarketInPounds(int weightUnit) { return weightUnit == 1; }
inline const char* MarketWeightUnit(int weightUnit) { return MarketInPounds(weightUnit) ? "lb" : "kg"; }

// A plausible present-day market: a base price for a carcass of about 60 %
// lean, a packer band of 75 to 95 kg carcass (165 to 210 lb), a feeder pig
// of about 25 kg and a week between batches.
MarketSettings DefaultMarketSettings(bool pounds);

// One setting by its name in the market file and on the window.
struct MarketField {
    const char* Name;    // as the market file and the window name it
    const char* Key;     // the name in JSON reports
    double MarketSettings::*Value;
    double Low;          // lowest usable value
    double High;         // highest usable value
    bool BlankAllowed = false;  // 0 stands for a blank (the default it names)
};
inline constexpr int kMarketFieldCount = 10;
extern const MarketField kMarketFields[kMarketFieldCount];

// The carcass yield a sale uses: the market's when it gives one, otherwise
// the run's own.
inline double SaleYield(const MarketSettings& m, double runYield) {
    return m.CarcassYield > 0 ? m.CarcassYield : runYield;
}

// The box of the market's carcass yield in every window: the packer's
// dressing, which the sale's carcass weight (and its money) rests on, as
// against the model's carcass yield of the growth run.
inline constexpr const char* kDressingCaption = "Packer's dressing, % (blank: the model's carcass yield)";

// What a sale's carcass weight rests on, named: "packer's dressing 74.9 %",
// or "the model's carcass yield 67.2 %" when the market gives none.
std::string SaleYieldText(const MarketSettings& m, double runYield);

// Empty when every value is usable; otherwise the message naming the first
// value that is not (a band whose high end is below its low end included).
std::string MarketSettingsProblem(const MarketSettings& m);

}  // namespace tarvisol
