#include "formulation/RequirementTemplate.h"

#include <cmath>

namespace tarvisol {
namespace {

// NRC (2012) Table 16-1A, growing-finishing pigs, mixed barrows and gilts:
// the middles of the weight ranges and their SID lysine, total calcium and
// STTD phosphorus, % of a diet of 90 % dry matter.
constexpr double kMiddle[4] = {37.5, 62.5, 87.5, 117.5};
constexpr double kLysine[4] = {0.98, 0.85, 0.73, 0.61};
constexpr double kCalcium[4] = {0.66, 0.59, 0.52, 0.46};
constexpr double kSttdP[4] = {0.31, 0.27, 0.24, 0.21};
// SID amino acids per 100 of SID lysine in the same table, 25-50 kg and
// 100-135 kg, in the engine's order: Arg, His, Lys, Trp, Phe+Tyr, Phe,
// Met+Cys, Met, Thr, Leu, Ile, Val.
constexpr double kRatioGrower[12] = {46, 35, 100, 17, 94, 59, 57, 29, 60, 101, 52, 65};
constexpr double kRatioFinisher[12] = {46, 34, 100, 18, 97, 61, 61, 30, 66, 102, 52, 67};

double At(const double (&y)[4], double w) {
    if (w <= kMiddle[0]) return y[0];
    for (int i = 1; i < 4; ++i)
        if (w <= kMiddle[i]) return y[i - 1] + (y[i] - y[i - 1]) * (w - kMiddle[i - 1]) / (kMiddle[i] - kMiddle[i - 1]);
    return y[3];
}

double Rounded(double v, double step) { return std::round(v / step) * step; }

}  // namespace

TemplateMinimums NutrientTemplate(double fromKg, double toKg) {
    TemplateMinimums m;
    const double w = (fromKg + toKg) / 2;
    const double lysine = At(kLysine, w);
    double t = (w - kMiddle[0]) / (kMiddle[3] - kMiddle[0]);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    for (int a = 0; a < 12; ++a)
        m.sid[static_cast<std::size_t>(a)] =
            Rounded(lysine * (kRatioGrower[a] + (kRatioFinisher[a] - kRatioGrower[a]) * t) / 100, 0.001);
    m.sid[2] = Rounded(lysine, 0.001);
    m.calcium = Rounded(At(kCalcium, w), 0.001);
    m.sttdPhosphorus = Rounded(At(kSttdP, w), 0.001);
    m.calciumMax = Rounded(m.calcium + 0.14, 0.001);
    m.sttdPhosphorusMax = Rounded(m.sttdPhosphorus + 0.10, 0.001);
    m.sodium = 0.10;
    m.chlorine = 0.08;
    return m;
}

}  // namespace tarvisol
