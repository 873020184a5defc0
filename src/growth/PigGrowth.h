#pragma once
// The daily growth engine: grows one pig of the herd from StartAge to
// FinalWeight one day at a time, filling the day tables of the record.
#include <cmath>

#include "shared/SharedState.h"

namespace tarvisol {

// Entry. The caller fills DayGrowth(0, StartAge) with the starting weight,
// the growth curve, the diet tables, DietCount and FinalWeight (and FinalAge = 0
// for the fallback), then tests RunFailed afterwards.
void GrowPig(SharedState& s);

// One day: nextWeight holds the curve's weight for tomorrow on entry and the
// weight the pig actually reaches on exit.
void GrowOneDay(SharedState& s, int day, double& nextWeight);
// The same with ln of today's weight already known.
void GrowOneDayAt(SharedState& s, int day, double& nextWeight, double logW);

// Scales totalGain by the protein and amino-acid factors of the diet in force.
void LimitGain(SharedState& s, double energyRequired, double proteinGain, double& totalGain);
// The same with MeanWeight^0.6 already known (the day loop has it from the energy balance).
void LimitGainAt(SharedState& s, double meanWeight06, double proteinGain, double& totalGain);

// The final weight was reached or passed on `day`: interpolates the final age
// and fills the cumulative feed by age.
void FinishRun(SharedState& s, int day);

// Energy-intake capacity (kcal/day) of the simulated pig at live weight w (kg).
inline double IntakeCapacity(double w) {
    return -877.268 + w * (218.692 + w * (-2.50775 + w * (0.017897 + w * -0.00005591)));
}

// One day of the potential growth curve at live weight w.
struct CurveDay {
    double x, t, wt, wt1, slope, nextWeight;
};
CurveDay CurveStep(double b0, double b1, double b2, double b3, double w);
// The same with ln(w / B0) already known.
CurveDay CurveStep(double b0, double b1, double b2, double b3, double w, double logRatio);

// The energy balance of a day from today's weight w to tomorrow's wNext, before
// the capacity cap: mean weight, maintenance Em, fat and fat-free gain, protein
// gain, gain energy Eg, requirement E = Em + Eg, capacity Q and surplus Q - E.
struct DayEnergy {
    double mean, mean06, em, fatGain, leanGain, proteinGain, eg, e, q, surplus;
};
// logW is ln(w), which the day loop computes once per day.
inline DayEnergy EnergyBalance(double w, double wNext, double fatToday, double maintenance, double fatCost,
                               double leanCost, double logW) {
    DayEnergy d;
    d.mean = std::sqrt(w * wNext);
    // mean^0.6 = (w * wNext)^0.3
    d.mean06 = std::exp(0.3 * (logW + std::log(wNext)));
    d.em = d.mean06 * maintenance * 246.636;
    d.q = IntakeCapacity(w);
    d.fatGain = (fatToday / w + 0.002) * wNext - fatToday;
    d.leanGain = wNext - w - d.fatGain;
    d.proteinGain = 0.22 * d.leanGain;
    d.eg = d.leanGain * leanCost + d.fatGain * fatCost;
    d.e = d.em + d.eg;
    d.surplus = d.q - d.e;
    return d;
}
inline DayEnergy EnergyBalance(double w, double wNext, double fatToday, double maintenance, double fatCost,
                               double leanCost) {
    return EnergyBalance(w, wNext, fatToday, maintenance, fatCost, leanCost, std::log(w));
}

}  // namespace tarvisol
