#include "response/CarcassFromBody.h"

#include <algorithm>

namespace tarvisol::response {
namespace {

// Carcass fat-free lean from whole-body protein: NRC (1998), Appendix 1, p.
// 143 ("whole body protein = FFL/2.55").
constexpr double kFatFreeLeanPerProtein = 2.55;
// Hot carcass per kg of empty body: Quiniou and Noblet (2012), J. Anim. Sci.
// 90:4362, dressing of 77.4 % of live weight for barrows of about 110 kg on
// 9.3 MJ NE/kg, over the empty body of such a pig (0.891 x 110^1.014 =
// 104.7 kg, van Milgen et al. 2008): 85.1 / 104.7.
constexpr double kCarcassPerEmptyBody = 0.813;
// Fat-free lean of the carcass, lb, from hot carcass weight (lb), 10th-rib
// fat depth (in) and loin eye area (in2): NPPC (1991), Procedures to
// Evaluate Market Hogs, 3rd ed. (FFL = 8.588 + 0.465 HCW - 21.896 BF +
// 3.005 LEA), read here for the fat depth.
constexpr double kNppcIntercept = 8.588, kNppcCarcass = 0.465, kNppcFat = 21.896, kNppcLoin = 3.005;
constexpr double kLbPerKg = 2.20462, kMmPerIn = 25.4, kCm2PerIn2 = 6.4516;
// Thinner than this no carcass is measured.
constexpr double kLeastBackFat = 2.0;

}  // namespace

BodyCarcass CarcassOfBody(const SexCurves& c, double liveWeight, const PigBody& b, double loinAreaCm2) {
    BodyCarcass k;
    k.HotCarcass = kCarcassPerEmptyBody * EmptyBodyOf(c, b);
    k.FatFreeLean = kFatFreeLeanPerProtein * b.Protein;
    if (!(k.HotCarcass > 0) || !(liveWeight > 0)) return k;
    k.Yield = 100 * k.HotCarcass / liveWeight;
    k.Lean = 100 * k.FatFreeLean / k.HotCarcass;
    const double fatIn = (kNppcIntercept + kNppcCarcass * k.HotCarcass * kLbPerKg + kNppcLoin * loinAreaCm2 / kCm2PerIn2 -
                          k.FatFreeLean * kLbPerKg) /
                         kNppcFat;
    k.BackFat = std::max(kLeastBackFat, fatIn * kMmPerIn);
    return k;
}

}  // namespace tarvisol::response
