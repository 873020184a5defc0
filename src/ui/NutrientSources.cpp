#include "ui/NutrientSources.h"

#include <algorithm>

#include "shared/Numbers.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {

void Start(NutrientSourcesWindow& w, int d, const std::string& heading) {
    Grid& g = w.GridSources;
    g.SetRows(1);
    g.SetCols(2);
    g.Clear();
    g.SetTextMatrix(0, 0, "Diet #" + PrintNumber(d));
    g.SetTextMatrix(0, 1, heading);
    g.SetColWidth(0, 2000);
    g.SetColWidth(1, 1600);
}

void AddRow(NutrientSourcesWindow& w, const std::string& name, double value) {
    Grid& g = w.GridSources;
    const int row = g.Rows();
    g.SetRows(row + 1);
    g.SetTextMatrix(row, 0, name);
    g.SetTextMatrix(row, 1, FormatAuto(value));
}

bool ValidDiet(int d) { return d >= 0 && d <= 8; }

void Open(NutrientSourcesWindow& w, const std::string& caption) {
    w.GridSources.SetRows(1);
    w.GridSources.Clear();
    w.GridVisible = false;
    w.LabelCaption.Caption = caption;
    w.Visible = true;
}

}  // namespace

void OpenFromDietsGrid(SharedState& s, NutrientSourcesWindow& w, int row, int col) {
    w.SourceSelection = {std::to_string(col), std::to_string(row - 3), "0"};
    const int n = row - 3;
    std::string what = n == -1 ? "Feed Cost" : (n >= 1 && n + 1 <= 121 ? s.NutrientNames(n + 1) : "");
    Open(w, "Diet " + std::to_string(col) + ": " + what);
}

void OpenForIngredient(SharedState& s, NutrientSourcesWindow& w, int d, int i) {
    w.SourceSelection = {std::to_string(d), std::to_string(i), "1"};
    Open(w, "Diet " + std::to_string(d) + ": " + (i >= 0 && i <= 100 ? s.IngredientNames(i) : ""));
}

void MoreInfo(SharedState& s, NutrientSourcesWindow& w) {
    const int d = static_cast<int>(Val(w.SourceSelection[0]));
    const int x = static_cast<int>(Val(w.SourceSelection[1]));
    const int k = static_cast<int>(Val(w.SourceSelection[2]));
    if (!ValidDiet(d)) return;
    if (k != 0) {
        if (x < 1 || x > s.IngredientCount) return;
        w.LabelCaption.Caption += "\n     PERCENT OF NUTRIENTS from This Ing.";
        NutrientsOfIngredient(s, w, d, x);
    } else if (x != -1) {
        if (x < 1 || x >= s.NutrientCount || s.DietNutrients(d, x) == 0) return;
        w.LabelCaption.Caption += "\n     SOURCES OF THIS NUTRIENT, PERCENT";
        SourcesOfNutrient(s, w, d, x);
    } else {
        CostShares(s, w, d);
    }
    w.GridVisible = true;
}

void SourcesOfNutrient(SharedState& s, NutrientSourcesWindow& w, int d, int n) {
    Start(w, d, s.NutrientNames(n + 1));
    for (int i = 1; i <= s.IngredientCount; ++i) {
        if (!(s.DietFormula(d, i) > 0 && s.IngredientMatrix(n + 1, i) > 0)) continue;
        AddRow(w, s.IngredientNames(i), s.IngredientMatrix(n + 1, i) * s.DietFormula(d, i) / s.DietNutrients(d, n));
    }
}

void NutrientsOfIngredient(SharedState& s, NutrientSourcesWindow& w, int d, int i) {
    Start(w, d, s.IngredientNames(i));
    for (int n = 1; n <= s.NutrientCount - 1; ++n) {
        if (!(s.DietNutrients(d, n) > 0 && s.IngredientMatrix(n + 1, i) > 0)) continue;
        AddRow(w, s.NutrientNames(n + 1), s.DietFormula(d, i) * s.IngredientMatrix(n + 1, i) / s.DietNutrients(d, n));
    }
}

void CostShares(SharedState& s, NutrientSourcesWindow& w, int d) {
    Start(w, d, "Feed Cost");
    // The diet's price is in the ingredient prices' own unit, so the shares
    // add up to 100.
    const double total = s.DietPrice(d);
    if (!(total > 0)) return;  // no priced diet: nothing to share
    for (int i = 1; i <= s.IngredientCount; ++i) {
        if (!(s.DietFormula(d, i) > 0 && s.IngredientPrices(i) > 0)) continue;
        AddRow(w, s.IngredientNames(i), ((s.DietFormula(d, i) * s.IngredientPrices(i)) / 100) * 100 / total);
    }
}

void CopySources(SharedState& s, NutrientSourcesWindow& w) {
    Grid& g = w.GridSources;
    int last = 1;
    while (last < g.Rows() && !g.TextMatrix(last, 0).empty()) ++last;
    CopyRangeToClipboard(s, g, {0, std::min(last, g.Rows() - 1), 0, 1});
}

}  // namespace tarvisol
