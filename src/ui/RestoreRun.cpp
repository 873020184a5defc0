#include "ui/RestoreRun.h"

#include <algorithm>
#include <cmath>

#include "growth/GrowthRun.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kGridDiets = 6;

double At(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

// Index of a name among the record's names lo..hi (the matrix's), or 0.
template <class Names>
int IndexOf(const Names& names, int lo, int hi, const std::string& name) {
    for (int i = lo; i <= hi; ++i)
        if (names(i) == name) return i;
    return 0;
}

// The nutrient contents the run's diets were formulated from, put back by
// the names of the ingredients and nutrients. Returns what the user should
// know: the contents replaced (ingredient, nutrient, the run's value and the
// one it replaced, the first few of them), or that the run carries none;
// empty when nothing changed.
std::string RestoreMatrix(SharedState& s, const RunSnapshot& run) {
    if (run.IngredientMatrix.empty())
        return "The run was kept without the nutrient contents of its ingredients: the current matrix's are used";
    constexpr int kEnergyColumn = 2;
    constexpr std::size_t kListed = 8;
    const double energyScale = EnergyFactor(run.EnergyUnit) / EnergyFactor(s.EnergyUnit());
    const int nutrients = std::clamp<int>(s.NutrientCount - 1, 0, 120);
    const int ingredients = std::clamp<int>(s.IngredientCount, 0, 100);
    std::vector<std::string> replaced;
    for (std::size_t i = 0; i < run.IngredientMatrix.size() && i < run.IngredientNames.size(); ++i) {
        const int at = IndexOf(s.IngredientNames, 1, ingredients, run.IngredientNames[i]);
        if (at == 0) continue;
        const std::vector<double>& contents = run.IngredientMatrix[i];
        for (std::size_t k = 0; k < contents.size() && k < run.NutrientNames.size(); ++k) {
            const int column = IndexOf(s.NutrientNames, 2, nutrients + 1, run.NutrientNames[k]);
            if (column == 0 || !std::isfinite(contents[k])) continue;
            const double value = column == kEnergyColumn ? contents[k] * energyScale : contents[k];
            double& held = s.IngredientMatrix(column, at);
            if (value == held) continue;
            replaced.push_back(run.IngredientNames[i] + ", " + run.NutrientNames[k] + " " + FormatAuto(value) + " (was " +
                               FormatAuto(held) + ")");
            held = value;
        }
    }
    if (replaced.empty()) return {};
    ++s.MatrixVersion;
    std::string list;
    for (std::size_t n = 0; n < replaced.size() && n < kListed; ++n) list += (list.empty() ? "" : "; ") + replaced[n];
    if (replaced.size() > kListed) list += "; and " + std::to_string(replaced.size() - kListed) + " more";
    return "The nutrient contents the run was formulated with were put back: " + list;
}

}  // namespace

std::vector<std::string> RestoreRun(SharedState& s, const RunSnapshot& run) {
    std::vector<std::string> notes;
    if (!s.Main || run.Empty()) return notes;
    MainWindow& w = *s.Main;
    const auto shownWeight = [&](double kg) { return FormatExact(ConvertWeight(s, 2, kg)); };

    w.Text1.Text = shownWeight(run.StartWeight);
    w.Text2.Text = std::to_string(run.StartAge);
    w.Text3.Text = shownWeight(run.FinalWeight);
    w.TextPigNo.Text = std::to_string(run.PigCount);
    if (run.HerdSex >= 0 && run.HerdSex < static_cast<int>(w.ComboSex.Items.size())) w.ComboSex.ListIndex = run.HerdSex;
    bool leastCost = run.Formulation == kFormulationLeastCost;
    if (leastCost && s.NutrientCount <= 1) {
        notes.push_back("The location has no ingredient matrix now: the diets are restored as they were formulated, "
                        "to be fed from the grid");
        leastCost = false;
    }
    w.Combo1.ListIndex = leastCost ? kFormulationLeastCost : kFormulationGridDiets;
    for (int k = 0; k < 5; ++k) {
        w.GridWeight.EnsureCell(1, k + 1);
        w.GridWeight.SetTextMatrix(1, k + 1, FormatExact(run.Curve[static_cast<std::size_t>(k)]));
    }

    // The diets grid: the run's diets in their columns, the other columns empty.
    Grid& g = w.Griddiets;
    const int n = std::min(run.DietCount(), kGridDiets);
    if (run.DietCount() > kGridDiets)
        notes.push_back("The run had " + std::to_string(run.DietCount()) + " diets; the main window takes " +
                        std::to_string(kGridDiets));
    for (int d = 1; d <= kGridDiets; ++d)
        for (int row = 1; row < g.Rows(); ++row)
            if (d < g.Cols()) g.SetTextMatrix(row, d, "");
    const double priceFactor = PriceFactor(run.PriceUnit);
    for (int d = 1; d <= n; ++d) {
        const RunDiet& diet = run.Diets[static_cast<std::size_t>(d - 1)];
        g.EnsureCell(17, d);
        g.SetTextMatrix(1, d, diet.Name);
        g.SetTextMatrix(2, d, FormatExact(ConvertPrice(s, 2, diet.Price * priceFactor)));
        g.SetTextMatrix(3, d, shownWeight(diet.Allotment));
        g.SetTextMatrix(4, d, FormatExact(ConvertEnergy(s, 2, At(diet.Nutrients, 1))));
        for (int row = 5; row < g.Rows(); ++row) {
            const auto k = static_cast<std::size_t>(row - 3);
            // A nutrient the run's grid did not hold stays empty.
            if (k < diet.Nutrients.size() && !std::isnan(diet.Nutrients[k]))
                g.SetTextMatrix(row, d, FormatExact(diet.Nutrients[k]));
        }
    }
    s.DietCount = static_cast<int16_t>(n);
    {
        ComboBox& c = w.ComboDiets;
        const auto it = std::find(c.Items.begin(), c.Items.end(), std::to_string(n));
        if (it != c.Items.end()) c.ListIndex = static_cast<int>(it - c.Items.begin());
    }

    // The restrictions the least-cost diets were formulated with, by the
    // names of the nutrients and ingredients (the matrix may have changed).
    if (leastCost) {
        const int nutrients = std::clamp<int>(s.NutrientCount - 1, 0, 120);
        const int ingredients = std::clamp<int>(s.IngredientCount, 0, 100);
        std::vector<std::string> missing;
        for (int d = 1; d <= n; ++d) {
            const RunDiet& diet = run.Diets[static_cast<std::size_t>(d - 1)];
            for (int k = 1; k <= 121; ++k) {
                s.NutrientLimits(d, 1, k) = 0;
                s.NutrientLimits(d, 2, k) = 0;
            }
            for (int i = 1; i <= 100; ++i) {
                s.IngredientLimits(d, 1, i) = 0;
                s.IngredientLimits(d, 2, i) = 0;
            }
            for (std::size_t k = 0; k < diet.NutrientMin.size() && k < run.NutrientNames.size(); ++k) {
                // Nutrient k + 1 is named by the matrix column k + 2.
                const int at = IndexOf(s.NutrientNames, 2, nutrients + 1, run.NutrientNames[k]);
                if (at == 0) {
                    if (diet.NutrientMin[k] != 0 || At(diet.NutrientMax, k) != 0) missing.push_back(run.NutrientNames[k]);
                    continue;
                }
                s.NutrientLimits(d, 1, at - 1) = diet.NutrientMin[k];
                s.NutrientLimits(d, 2, at - 1) = At(diet.NutrientMax, k);
            }
            for (std::size_t i = 0; i < diet.IngredientMin.size() && i < run.IngredientNames.size(); ++i) {
                const int at = IndexOf(s.IngredientNames, 1, ingredients, run.IngredientNames[i]);
                if (at == 0) {
                    if (diet.IngredientMin[i] != 0 || At(diet.IngredientMax, i) != 0) missing.push_back(run.IngredientNames[i]);
                    continue;
                }
                s.IngredientLimits(d, 1, at) = diet.IngredientMin[i];
                s.IngredientLimits(d, 2, at) = At(diet.IngredientMax, i);
            }
        }
        // The ingredient prices the diets were formulated at, in the
        // location's price unit; the user is told which prices they replace.
        std::string replaced;
        const double priceScale = PriceFactor(run.PriceUnit) / PriceFactor(s.PriceUnit());
        for (std::size_t i = 0; i < run.IngredientPrices.size() && i < run.IngredientNames.size(); ++i) {
            const int at = IndexOf(s.IngredientNames, 1, ingredients, run.IngredientNames[i]);
            if (at == 0) continue;
            const double price = run.IngredientPrices[i] * priceScale;
            if (price == s.IngredientPrices(at)) continue;
            replaced += (replaced.empty() ? "" : ", ") + run.IngredientNames[i] + " " + FormatAuto(price) + " (was " +
                        FormatAuto(s.IngredientPrices(at)) + ")";
            s.IngredientPrices(at) = price;
        }
        if (!replaced.empty())
            notes.push_back("The ingredient prices the run was formulated with were put back: " + replaced);
        const std::string contents = RestoreMatrix(s, run);
        if (!contents.empty()) notes.push_back(contents);
        std::sort(missing.begin(), missing.end());
        missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
        if (!missing.empty()) {
            std::string list;
            for (const std::string& m : missing) list += (list.empty() ? "" : ", ") + m;
            notes.push_back("The current matrix has no " + list + ": their limits were not restored");
        }
    }
    w.MainTabs.Tab = 1;
    return notes;
}

}  // namespace tarvisol
