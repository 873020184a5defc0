#include "response/PigBody.h"

#include <cmath>

#include "response/ResponseCoefficients.h"

namespace tarvisol::response {

double EmptyBodyOf(double liveWeight) { return kEmptyBodyFactor * std::pow(liveWeight, kEmptyBodyExponent); }

double LiveWeightOf(double emptyBody) { return std::pow(emptyBody / kEmptyBodyFactor, 1.0 / kEmptyBodyExponent); }

double EmptyBodyOf(const SexCurves& c, const PigBody& b) {
    return b.Protein * (1 + kAshPerProtein) + b.Lipid + c.WaterScalar * std::pow(b.Protein, kWaterExponent);
}

PigBody StartBody(const SexCurves& c, double liveWeight) {
    const double ebw = EmptyBodyOf(liveWeight);
    PigBody b;
    b.Protein = kStartProteinShare * ebw;
    b.Lipid = ebw - EmptyBodyOf(c, PigBody{b.Protein, 0});
    const double least = 0.02 * ebw;
    if (b.Lipid < least) {
        // A pig this light for its water carries less protein: the lipid
        // stays at its least and protein with its water fills the rest.
        b.Lipid = least;
        double lo = 0, hi = b.Protein;
        for (int i = 0; i < 100; ++i) {
            const double mid = 0.5 * (lo + hi);
            (EmptyBodyOf(c, PigBody{mid, least}) < ebw ? lo : hi) = mid;
        }
        b.Protein = 0.5 * (lo + hi);
    }
    return b;
}

}  // namespace tarvisol::response
