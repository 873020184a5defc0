#include "ui/SensitivityWindow.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "formulation/DietDiagnosis.h"
#include "formulation/DietSensitivity.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/FigureFormat.h"
#include "ui/GridClipboard.h"

namespace tarvisol {
namespace {

void Headings(Grid& g, const std::vector<std::string>& titles, const std::vector<int>& widths) {
    g.SetRows(1);
    g.SetCols(static_cast<int>(titles.size()));
    g.Clear();
    for (std::size_t c = 0; c < titles.size(); ++c) {
        g.SetTextMatrix(0, static_cast<int>(c), titles[c]);
        g.SetColWidth(static_cast<int>(c), widths[c]);
    }
}

void AddRow(Grid& g, const std::vector<std::string>& cells) {
    const int row = g.Rows();
    g.SetRows(row + 1);
    for (std::size_t c = 0; c < cells.size(); ++c) g.SetTextMatrix(row, static_cast<int>(c), cells[c]);
}

std::string DietName(const SharedState& s, int d) {
    std::string name = s.Main && d < s.Main->Griddiets.Cols() && s.Main->Griddiets.Rows() > 1
                           ? s.Main->Griddiets.TextMatrix(1, d)
                           : std::string();
    return name.empty() ? "Diet " + std::to_string(d) : "Diet " + std::to_string(d) + ": " + name;
}

void CopyWhole(SharedState& s, Grid& g) {
    if (g.Rows() < 1 || g.Cols() < 1) return;
    CopyRangeToClipboard(s, g, {0, g.Rows() - 1, 0, g.Cols() - 1});
}

// A range end: the figure as the one it bounds is shown, or "unbounded".
std::string RangeEndText(Figure kind, double value) { return std::isfinite(value) ? FigureText(kind, value) : "unbounded"; }
std::string RangeEndText(int energyUnit, int k, double value) {
    return std::isfinite(value) ? NutrientText(energyUnit, k, value) : "unbounded";
}

}  // namespace

void OpenSensitivity(SharedState& s, SensitivityWindow& w, int d) {
    w.ComboDiet.Clear();
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    for (int i = 1; i <= diets; ++i) w.ComboDiet.AddItem(DietName(s, i));
    w.ComboDiet.ListIndex = diets > 0 ? std::clamp(d, 1, diets) - 1 : -1;
    w.Visible = true;
    ShowSensitivity(s, w);
}

void ShowSensitivity(SharedState& s, SensitivityWindow& w) {
    // A shadow price is in the feed price's unit per unit of its limit (the
    // row's "Unit"); a reduced cost per 1 % of the ingredient's limit.
    const std::string price = FeedPriceUnit(s);
    Headings(w.GridLimits,
             {"Nutrient", "Min/Max", "Unit", "Limit", "Content", "Binds", WithUnit("Shadow Price", price + " per unit"),
              "Valid From", "Valid To"},
             {2200, 900, 800, 1100, 1100, 700, 2200, 1300, 1300});
    Headings(w.GridIngredients,
             {"Ingredient", WithUnit("Price", price), "Inclusion, %", "At Limit", WithUnit("Reduced Cost", price + " per %"),
              WithUnit("Price From", price), WithUnit("Price To", price)},
             {2600, 1600, 1200, 900, 2000, 1600, 1600});
    Headings(w.GridDiagnosis, {"Restriction", "Min/Max", "Unit", "Limit", "Needed", "Relative Change"},
             {2600, 900, 800, 1200, 1200, 1500});
    w.FiguresVisible = w.DiagnosisVisible = false;
    const int d = w.ComboDiet.ListIndex + 1;
    if (d < 1) {
        w.LabelSummary.Caption = "No diets in the programme.";
        return;
    }
    const std::string name = w.ComboDiet.Text();
    if (s.DietFaults(d) != 0) {
        const DietDiagnosis g = DiagnoseDiet(s, d);
        std::string text = name + " is infeasible.";
        for (const std::string& line : DiagnosisLines(g)) text += "\n" + line;
        w.LabelSummary.Caption = text;
        for (const Relaxation& r : g.relaxations)
            AddRow(w.GridDiagnosis, {r.name, BoundWord(r.bound), r.ingredient ? "%" : NutrientUnit(s, r.index),
                                     r.ingredient ? FigureText(Figure::Inclusion, r.limit) : NutrientText(s.EnergyUnit(), r.index, r.limit), FormatLimitToward(r.needed, r.bound == 2), FormatPrecise(r.relative)});
        w.DiagnosisVisible = !g.relaxations.empty();
        return;
    }
    DietSensitivity r;
    if (const std::string why = ComputeDietSensitivity(s, d, r); !why.empty()) {
        w.LabelSummary.Caption = why + ".";
        return;
    }
    w.LabelSummary.Caption = name + ": price " + FigureText(Figure::Money, r.price) +
                             ". Shadow price: change of the diet price per unit increase of the limit; price range: "
                             "the formula stays the same within it.";
    const int unit = s.EnergyUnit();
    for (const NutrientSensitivity& n : ByShadowPrice(r.nutrients))
        AddRow(w.GridLimits, {n.name, BoundWord(n.bound), NutrientUnit(s, n.nutrient), NutrientText(unit, n.nutrient, n.limit),
                              NutrientText(unit, n.nutrient, n.content), n.binding ? "yes" : "",
                              FigureText(Figure::ShadowPrice, n.shadowPrice), RangeEndText(unit, n.nutrient, n.limitLow),
                              RangeEndText(unit, n.nutrient, n.limitHigh)});
    bool belowZero = false;
    for (const IngredientSensitivity& i : r.ingredients)
        AddRow(w.GridIngredients, {i.name, FigureText(Figure::Money, i.price), FigureText(Figure::Inclusion, i.inclusion),
                                   i.atLimit == 0 ? "" : BoundWord(i.atLimit), FigureText(Figure::ShadowPrice, i.reducedCost),
                                   RangeEndText(Figure::Money, i.priceLow), RangeEndText(Figure::Money, i.priceHigh)});
    for (const IngredientSensitivity& i : r.ingredients) belowZero = belowZero || (std::isfinite(i.priceLow) && i.priceLow < 0);
    // A price range that reaches below 0 has no lower end a price can reach.
    if (belowZero) w.LabelSummary.Caption += "\n" + std::string(kPriceFromBelowZero);
    w.FiguresVisible = true;
}

void CopySensitivityLimits(SharedState& s, SensitivityWindow& w) { CopyWhole(s, w.GridLimits); }
void CopySensitivityIngredients(SharedState& s, SensitivityWindow& w) { CopyWhole(s, w.GridIngredients); }
void CopySensitivityDiagnosis(SharedState& s, SensitivityWindow& w) { CopyWhole(s, w.GridDiagnosis); }

}  // namespace tarvisol
