#include "growth/OutdatedResults.h"

#include <cstring>

#include "response/GenotypeText.h"
#include "shared/MainWindowForm.h"

namespace tarvisol {
namespace {

constexpr Color kFromBefore = Rgb(225, 225, 225);

// The text is only ever compared with another of its kind, never shown:
// a number goes in as its eight bytes, which tell every change of value
// apart at a fraction of the cost of writing it out in digits.
void AddNumber(std::string& out, double v) {
    char bytes[sizeof v];
    std::memcpy(bytes, &v, sizeof v);
    out.append(bytes, sizeof bytes);
}

void AddGrid(std::string& out, const Grid& g) {
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) {
            out += g.TextMatrix(r, c);
            out += '\t';
        }
    out += '\n';
}

}  // namespace

std::string RunInputsText(const SharedState& s) {
    std::string out;
    if (const MainWindow* w = s.Main) {
        for (const TextBox* box : {&w->Text1, &w->Text2, &w->Text3, &w->TextPigNo}) out += box->Text + '\n';
        out += std::to_string(w->ComboSex.ListIndex) + ' ' + std::to_string(w->Combo1.ListIndex) + '\n';
        AddGrid(out, w->Griddiets);
        AddGrid(out, w->GridWeight);
    }
    for (int u = 0; u <= 2; ++u) out += std::to_string(s.UnitTable(u)) + ' ';
    // The growth model, and the genotype the nutrient response grows.
    out += GrowthModelKey(s.Model.Kind);
    if (s.Model.Kind == GrowthModelKind::Response) out += response::GenotypeText(s.Model);
    // Least-cost diets are made from the matrix prices and the restrictions.
    if (!s.Main || s.Main->Combo1.ListIndex != 1) return out;
    for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) AddNumber(out, s.IngredientPrices(i));
    for (int d = 1; d <= 8; ++d)
        for (int b = 1; b <= 2; ++b) {
            for (int k = 1; k <= s.NutrientCount && k <= 121; ++k) AddNumber(out, s.NutrientLimits(d, b, k));
            for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) AddNumber(out, s.IngredientLimits(d, b, i));
        }
    return out;
}

bool ResultsOutdated(const SharedState& s) { return !s.LastRun.Empty() && RunInputsText(s) != s.LastRunInputs; }

void MarkOutdatedResults(SharedState& s) {
    if (s.Main) ShowResultsOutdated(s, ResultsOutdated(s));
}

void ShowResultsOutdated(SharedState& s, bool outdated) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    w.LabelResults.Caption = outdated ? kResultsFromBefore : "";
    for (TextBox* box : {&w.TextPrice, &w.TextF2G}) box->BackColor = outdated ? kFromBefore : kNoColor;
}

}  // namespace tarvisol
