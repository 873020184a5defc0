#include "growth/DietValues.h"

namespace tarvisol {
namespace {
// Not a number fails both comparisons, so it is outside every range.
bool Within(double v, double lo, double hi) { return v >= lo && v <= hi; }
}  // namespace

std::string DietValueFault(const SharedState& s, int d) {
    const std::string diet = std::to_string(d);
    if (!Within(s.DietNutrients(d, 1), kLowestEnergy, kHighestEnergy)) return "Look at the Energy Value of Diet " + diet;
    if (!Within(s.DietNutrients(d, 2), kLowestProtein, kHighestProtein)) return "Look at the Protein Value of Diet " + diet;
    if (!Within(s.DietNutrients(d, kLysineColumn), kLowestLysine, kHighestLysine)) return "Look at the Lysine Value of Diet " + diet;
    return {};
}

std::string ProgrammeValueFault(const SharedState& s, int count) {
    for (int d = 1; d <= count; ++d)
        if (std::string fault = DietValueFault(s, d); !fault.empty()) return fault;
    return {};
}

}  // namespace tarvisol
