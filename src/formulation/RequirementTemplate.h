#pragma once
// The nutrient minimums a new location starts from, per diet, by the weight
// range the diet is fed over: NRC (2012) Table 16-1A (growing-finishing pigs,
// barrows and gilts mixed, fed at will) for SID lysine, calcium and STTD
// phosphorus at the four ranges 25-50, 50-75, 75-100 and 100-135 kg, read at
// the middle of the diet's range (linear between the middles of the table's
// ranges, the end values outside them); the other amino acids by their ratio
// to lysine in the same table (moving from the 25-50 kg ratios to the
// 100-135 kg ratios); sodium 0.10 % and chlorine 0.08 % (same table). The net
// energy minimum is ours: 2,350 kcal/kg, a little under a corn and soybean
// meal diet without added fat, so that such a diet formulates. Maximums keep
// the least-cost diet from filling up with cheap minerals once its energy is
// met: calcium 0.14 and STTD phosphorus 0.10 above their minimums, sodium
// 0.25 %, crude fibre 6.0 % and ether extract 6.5 % (practical limits, ours).
#include <array>

namespace tarvisol {

inline constexpr double kTemplateNetEnergy = 2350;

struct TemplateMinimums {
    double netEnergy = kTemplateNetEnergy;
    // SID amino acids, % of the diet, in the engine's order (arginine ... valine).
    std::array<double, 12> sid{};
    double calcium = 0, sttdPhosphorus = 0, sodium = 0, chlorine = 0;
    // Maximums (% of the diet).
    double calciumMax = 0, sttdPhosphorusMax = 0, sodiumMax = 0.25, crudeFibreMax = 6.0, etherExtractMax = 6.5;
};

// The minimums for a diet fed from fromKg to toKg.
TemplateMinimums NutrientTemplate(double fromKg, double toKg);

}  // namespace tarvisol
