#include "ui/DietDisplay.h"

#include <algorithm>
#include <cmath>

#include "shared/Numbers.h"
#include "shared/FigureFormat.h"

namespace tarvisol {

void LoadDietDisplay(const RunSnapshot& run, DietDisplayWindow& w) {
    Grid& g = w.GridDisplay;
    const int diets = std::clamp<int>(run.DietCount(), 0, 8);
    // Per diet: content, and the minimum the diet was formulated with.
    const int cols = 1 + 2 * diets;
    const int ingredients = static_cast<int>(run.IngredientNames.size());
    const int nutrients = static_cast<int>(run.NutrientNames.size());
    g.SetCols(std::max(cols, 2));
    g.SetRows(ingredients + nutrients + 4);
    g.Clear();
    g.SetColWidth(0, 2600);
    g.SetTextMatrix(0, 0, "Diet");
    for (int d = 1; d <= diets; ++d) {
        const RunDiet& diet = run.Diets[static_cast<std::size_t>(d - 1)];
        g.SetTextMatrix(0, 2 * d - 1, diet.Name.empty() ? "Diet " + std::to_string(d) : diet.Name);
        g.SetTextMatrix(0, 2 * d, "Minimum");
        g.SetColWidth(2 * d - 1, 1500);
        g.SetColWidth(2 * d, 1100);
    }
    const auto at = [](const std::vector<double>& v, int i) { return i >= 0 && i < static_cast<int>(v.size()) ? v[static_cast<std::size_t>(i)] : 0.0; };
    int row = 1;
    g.SetTextMatrix(row, 0, WithUnit("Price", FeedPriceLabel(run.Currency, run.PriceUnit)));
    for (int d = 1; d <= diets; ++d) {
        const RunDiet& diet = run.Diets[static_cast<std::size_t>(d - 1)];
        g.SetTextMatrix(row, 2 * d - 1, diet.Infeasible ? "Infeasible" : FormatAuto(diet.Price));
    }
    ++row;
    g.SetTextMatrix(row++, 0, "Ingredients, %");
    for (int i = 1; i <= ingredients; ++i, ++row) {
        g.SetTextMatrix(row, 0, run.IngredientNames[static_cast<std::size_t>(i - 1)]);
        for (int d = 1; d <= diets; ++d) {
            const double x = at(run.Diets[static_cast<std::size_t>(d - 1)].Formula, i - 1);
            if (x > 0) g.SetTextMatrix(row, 2 * d - 1, FormatAuto(x));
        }
    }
    g.SetTextMatrix(row++, 0, "Nutrients");
    for (int k = 1; k <= nutrients; ++k, ++row) {
        g.SetTextMatrix(row, 0, WithUnit(run.NutrientNames[static_cast<std::size_t>(k - 1)], NutrientUnitLabel(run.EnergyUnit, k)));
        for (int d = 1; d <= diets; ++d) {
            const RunDiet& diet = run.Diets[static_cast<std::size_t>(d - 1)];
            const double x = at(diet.Nutrients, k);
            g.SetTextMatrix(row, 2 * d - 1, std::isnan(x) ? "not given" : FormatAuto(x));
            // The minimum the formula was made with (a ratio to protein or
            // lysine may have moved it from the restriction file's).
            const double lo = at(diet.NutrientMin, k - 1);
            if (lo != 0) g.SetTextMatrix(row, 2 * d, FormatAuto(lo));
        }
    }
    w.Visible = true;
}

std::string AboutText() {
    return "Tarvisol for Swine 20 kg or More to Finish\n\n"
           "Growth of growing-finishing pigs on a programme of diets, least-cost formulation, "
           "feed-weight optimisation and calibration of the growth curve to a herd.";
}

}  // namespace tarvisol
