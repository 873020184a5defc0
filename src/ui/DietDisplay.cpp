#include "ui/DietDisplay.h"

#include <algorithm>

#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol {

void LoadDietDisplay(SharedState& s, DietDisplayWindow& w) {
    Grid& g = w.GridDisplay;
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    // Per diet: content, and the minimum as the restriction files set it.
    const int cols = 1 + 2 * diets;
    const int nutrients = std::max(s.NutrientCount - 1, 0);
    g.SetCols(std::max(cols, 2));
    g.SetRows(s.IngredientCount + nutrients + 4);
    g.Clear();
    g.SetColWidth(0, 2600);
    g.SetTextMatrix(0, 0, "Diet");
    for (int d = 1; d <= diets; ++d) {
        std::string name = s.Main && d < s.Main->Griddiets.Cols() ? s.Main->Griddiets.TextMatrix(1, d) : std::string();
        if (name.empty()) name = "Diet " + std::to_string(d);
        g.SetTextMatrix(0, 2 * d - 1, name);
        g.SetTextMatrix(0, 2 * d, "Minimum");
        g.SetColWidth(2 * d - 1, 1500);
        g.SetColWidth(2 * d, 1100);
    }
    int row = 1;
    g.SetTextMatrix(row, 0, "Price");
    for (int d = 1; d <= diets; ++d)
        g.SetTextMatrix(row, 2 * d - 1, s.DietFaults(d) > 0 ? "Infeasible" : FormatAuto(s.DietPrice(d)));
    ++row;
    g.SetTextMatrix(row++, 0, "Ingredients, %");
    for (int i = 1; i <= s.IngredientCount; ++i, ++row) {
        g.SetTextMatrix(row, 0, s.IngredientNames(i));
        for (int d = 1; d <= diets; ++d)
            if (s.DietFormula(d, i) > 0) g.SetTextMatrix(row, 2 * d - 1, FormatAuto(s.DietFormula(d, i)));
    }
    g.SetTextMatrix(row++, 0, "Nutrients");
    for (int k = 1; k <= nutrients; ++k, ++row) {
        g.SetTextMatrix(row, 0, s.NutrientNames(k + 1));
        for (int d = 1; d <= diets; ++d) {
            g.SetTextMatrix(row, 2 * d - 1, FormatAuto(s.DietNutrients(d, k)));
            const double lo = s.LoadedNutrientLimits(d, 1, k);
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
