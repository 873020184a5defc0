#include "market/ProgrammeFeedCost.h"

#include <algorithm>

namespace tarvisol {

double ProgrammeFeedCost(const std::vector<ProgrammeDiet>& diets, double eaten) {
    double cost = 0, before = 0;
    for (std::size_t i = 0; i < diets.size(); ++i) {
        const bool last = i + 1 == diets.size();
        const double part = std::max(0.0, last ? eaten - before : std::min(eaten - before, diets[i].Allotment));
        cost += diets[i].PricePerKg * part;
        before += diets[i].Allotment;
    }
    return cost;
}

}  // namespace tarvisol
