#include "response/NrcFactorial.h"

#include <algorithm>
#include <cmath>

namespace tarvisol {

double IdealRatio(int j) {
    if (j < 0 || j >= 12) return 0;
    return kTable16_1A_50to75[static_cast<std::size_t>(j)] / kTable16_1A_50to75[kLysineColumn - 3];
}

double LysineEfficiency(double weightKg) {
    return kLysineEfficiency / (kLysineEfficiencyBase + kLysineEfficiencyPerKg * std::max(0.0, weightKg));
}

LysineFactorial LysineFactorialAt(double weightKg, double feedKg) {
    const double gut = kLysineGutLoss * kFeedDryMatter * std::max(0.0, feedKg);
    const double w = std::max(0.0, weightKg);
    const double skin = kLysineIntegumentLoss * std::sqrt(w * std::sqrt(w));  // BW^0.75
    return {gut + skin, kLysineInProtein / LysineEfficiency(weightKg)};
}

double SidLysineGrams(double weightKg, double feedKg, double proteinDepositionGrams) {
    const double gut = kLysineGutLoss * kFeedDryMatter * std::max(0.0, feedKg);
    const double w = std::max(0.0, weightKg);
    const double skin = kLysineIntegumentLoss * std::sqrt(w * std::sqrt(w));  // BW^0.75
    const double deposited = kLysineInProtein * std::max(0.0, proteinDepositionGrams) / LysineEfficiency(weightKg);
    return gut + skin + deposited;
}

double PhosphorusRetainedGrams(double proteinDepositionGrams) {
    return kPhosphorusPerProtein * std::max(0.0, proteinDepositionGrams) / 1000.0;
}

double SttdPhosphorusGrams(double weightKg, double feedKg, double proteinDepositionGrams) {
    const double gut = kPhosphorusGutLoss * kFeedDryMatter * std::max(0.0, feedKg);
    const double urine = kPhosphorusUrinaryLoss * std::max(0.0, weightKg);
    return gut + urine + PhosphorusRetainedGrams(proteinDepositionGrams) / kPhosphorusEfficiency;
}

double CalciumGrams(double sttdPhosphorusGrams) { return kCalciumToSttdPhosphorus * sttdPhosphorusGrams; }

}  // namespace tarvisol
