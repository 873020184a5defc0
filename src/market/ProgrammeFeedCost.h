#pragma once
// The feed cost of a diet programme for a given amount of feed eaten: each
// diet's allotment is eaten in the programme's order and priced at that
// diet's price; the last diet takes whatever the pig eats beyond the others.
#include <vector>

namespace tarvisol {

struct ProgrammeDiet {
    double PricePerKg = 0;  // money per kg of feed
    double Allotment = 0;   // kg per pig
};

// Cost of `eaten` kg of feed per pig (0 for no diet or no feed).
double ProgrammeFeedCost(const std::vector<ProgrammeDiet>& diets, double eaten);

}  // namespace tarvisol
