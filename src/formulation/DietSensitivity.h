#pragma once
// The sensitivity of a formulated diet, read out of the solve that formulated
// it: what each nutrient limit costs (shadow price, and the range of the limit
// within which it holds) and, per ingredient, how far its price may move before
// the formula changes and what a left-out one would have to cost to come in.
//
// Units: the diet price is the formula's price in the ingredient prices' unit
// (DietPrice). A shadow price is the change of the diet price per unit
// increase of the limit, in the matrix's unit for a nutrient; positive for a
// binding minimum, negative for a binding maximum, 0 when the limit does not
// bind. Nothing here changes the record or the solver's kept model.
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

struct NutrientSensitivity {
    int nutrient = 0;  // nutrient index k (matrix column k + 1; 1 = energy)
    std::string name;
    int bound = 1;     // 1 minimum, 2 maximum
    double limit = 0;
    double content = 0;
    bool binding = false;
    double shadowPrice = 0;
    double limitLow = 0, limitHigh = 0;  // where the shadow price holds; +-infinity when unbounded
};

struct IngredientSensitivity {
    int ingredient = 0;  // matrix row, 1-based
    std::string name;
    double price = 0;
    double inclusion = 0;  // percent of the diet
    int atLimit = 0;       // 0 none, 1 held at its minimum, 2 at its maximum (or excluded)
    // Left out: how much its price must fall before it enters. Held at a limit:
    // the change of the diet price per 1 % increase of that limit. Else 0.
    double reducedCost = 0;
    double priceLow = 0, priceHigh = 0;  // the formula stays the same within; +-infinity when unbounded
};

struct DietSensitivity {
    int diet = 0;
    double price = 0;
    std::vector<NutrientSensitivity> nutrients;      // in LP order: nutrient by nutrient, minimum before maximum
    std::vector<IngredientSensitivity> ingredients;  // every ingredient of the matrix, in matrix order
};

// Reads diet d's sensitivity out of its last formulation. Returns an empty
// text on success, else the reason no figure can be given: the diet is
// infeasible, was never formulated, or its matrix, prices or limits changed
// since (then Run LP formulates it again).
std::string ComputeDietSensitivity(const SharedState& s, int d, DietSensitivity& out);

// The nutrients sorted by the size of their shadow price, largest first
// (binding limits before others at equal size; otherwise LP order).
std::vector<NutrientSensitivity> ByShadowPrice(const std::vector<NutrientSensitivity>& nutrients);

// "minimum" / "maximum".
const char* BoundWord(int bound);

}  // namespace tarvisol
