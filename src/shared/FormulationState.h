#pragma once
// The ingredient matrix, the per-diet restrictions and the formulated diets.
// Module-level tables of the shared record; nothing is allocated per formulation.
#include <cstdint>
#include <string>

#include "shared/Table.h"

namespace tarvisol {

struct FormulationState {
    // Ingredient matrix. Column c = 1 is the weight column (100 for every
    // loaded ingredient); nutrient k sits in column k + 1.
    int16_t IngredientCount = 0;
    int32_t NutrientCount = 0;
    Array1<std::string, 0, 100> IngredientNames;
    Array1<std::string, 0, 121> NutrientNames;
    Array1<double, 0, 260> IngredientPrices;
    Table2<double, 121, 100> IngredientMatrix;  // (column, ingredient)

    // Restrictions: (diet, bound, index). Bound 1 minimum, 2 maximum; for
    // nutrients bound 0 is the minimum as it was when the user started editing.
    Table3<double, 8, 2, 121> NutrientLimits;
    Table3<double, 8, 2, 100> IngredientLimits;
    Table3<double, 8, 2, 121> FileNutrientLimits;
    Table3<double, 8, 2, 100> FileIngredientLimits;
    Table3<double, 8, 2, 121> LoadedNutrientLimits;
    Array1<double, 0, 10> ProteinRange;

    // Formulated diets.
    Table2<double, 8, 100> DietFormula;  // (diet, ingredient), percent
    Array1<double, 0, 10> DietPrice;
    Array1<int16_t, 0, 8> DietFaults;

    // Stage of the feed-weight optimisation asking for a formulation; 0 outside it.
    double OptimiseStage = 0;
};

}  // namespace tarvisol
