#include "ui/NewLocationWindow.h"

#include <cmath>
#include <filesystem>

#include "location/LocationFiles.h"
#include "location/NewLocation.h"
#include "location/PigFile.h"
#include "response/GenotypePresets.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "ui/ReopenLocation.h"

namespace tarvisol {
namespace {

std::string Number(double v) { return std::isnan(v) ? std::string() : FormatAuto(v); }

int DietCountOf(const NewLocationWindow& w) { return std::max(1, w.ComboDiets.ListIndex + 1); }

// Column 0 labels the row; column 1 holds the starting weight, column d + 1
// the weight diet d ends at.
void SetWeights(NewLocationWindow& w, const std::vector<double>& weights) {
    Grid& g = w.GridWeights;
    g.SetCols(static_cast<int>(weights.size()) + 1);
    g.SetRows(2);
    g.SetTextMatrix(0, 0, "");
    g.SetTextMatrix(1, 0, "Weight, kg");
    for (std::size_t c = 0; c < weights.size(); ++c) {
        g.SetTextMatrix(0, static_cast<int>(c) + 1, c == 0 ? "Start" : "Diet " + std::to_string(c) + " ends");
        g.SetTextMatrix(1, static_cast<int>(c) + 1, FormatPattern(weights[c], "0.#"));
    }
}

}  // namespace

void OpenNewLocationWindow(SharedState& s, NewLocationWindow& w, const std::string& libraryFile,
                           const std::string& folder) {
    w.Library = {};
    std::string error;
    if (libraryFile.empty())
        w.LabelLibrary.Caption = "The ingredient library was not found beside the program's demo.";
    else if (!LoadIngredientLibrary(libraryFile, w.Library, error))
        w.LabelLibrary.Caption = error;
    else
        w.LabelLibrary.Caption = std::to_string(w.Library.rows.size()) + " ingredients, as fed, from " + libraryFile +
                                 (w.Library.notes.empty()
                                      ? std::string()
                                      : "; " + std::to_string(w.Library.notes.size()) +
                                            (w.Library.notes.size() == 1 ? " line" : " lines") +
                                            " not read (" + w.Library.notes.front() + ")");
    w.TextSearch.Text.clear();
    w.GridChosen.SetRows(1);
    w.GridChosen.SetCols(3);
    for (int c = 0; c < 3; ++c) w.GridChosen.SetTextMatrix(0, c, c == 0 ? "Ingredient" : c == 1 ? "Price per tonne" : "Group");
    w.TextFolder.Text = folder;
    w.TextName.Text.clear();
    w.ComboDiets.Items = {"1", "2", "3", "4", "5", "6"};
    w.ComboDiets.ListIndex = 3;
    SetWeights(w, EvenWeights(25, 125, 4));
    w.TextStartAge.Text = FormatPattern(kNewLocationStartAge, "0.#");
    w.ComboGenotype.Items.clear();
    w.ComboGenotype.ListIndex = 0;
    for (const response::GenotypePreset& p : response::GenotypePresets()) {
        if (std::string(p.Key) == kNewLocationGenotype) w.ComboGenotype.ListIndex = static_cast<int>(w.ComboGenotype.Items.size());
        w.ComboGenotype.Items.push_back(p.Pig.Name);
    }
    NewLocationGenotypeChanged(w);
    w.TextCurveFrom.Text.clear();
    SearchNewLocationLibrary(w);
    w.Visible = true;
    (void)s;
}

void SearchNewLocationLibrary(NewLocationWindow& w) {
    Grid& g = w.GridLibrary;
    w.Shown.clear();
    const std::vector<const LibraryIngredient*> found = SearchLibrary(w.Library, w.TextSearch.Text);
    g.SetRows(static_cast<int>(found.size()) + 1);
    g.SetCols(7);
    const char* headers[] = {"Ingredient", "Group", "NE, kcal/kg", "CP, %", "SID Lys, %", "STTD P, %", "Source"};
    for (int c = 0; c < 7; ++c) g.SetTextMatrix(0, c, headers[c]);
    for (std::size_t r = 0; r < found.size(); ++r) {
        const LibraryIngredient& row = *found[r];
        const int gr = static_cast<int>(r) + 1;
        w.Shown.push_back(static_cast<int>(&row - w.Library.rows.data()));
        g.SetTextMatrix(gr, 0, row.name);
        g.SetTextMatrix(gr, 1, row.group);
        g.SetTextMatrix(gr, 2, Number(row.ne));
        g.SetTextMatrix(gr, 3, Number(row.cp));
        g.SetTextMatrix(gr, 4, Number(row.sid[2]));
        g.SetTextMatrix(gr, 5, Number(row.sttdP));
        g.SetTextMatrix(gr, 6, row.source);
    }
    g.Row = found.empty() ? 0 : 1;
}

void AddChosenIngredient(SharedState& s, NewLocationWindow& w) {
    const int r = w.GridLibrary.Row;
    if (r < 1 || r > static_cast<int>(w.Shown.size())) {
        DialogsOf(s).Message("Choose an ingredient in the library list first");
        return;
    }
    const LibraryIngredient& row = w.Library.rows[static_cast<std::size_t>(w.Shown[static_cast<std::size_t>(r - 1)])];
    Grid& g = w.GridChosen;
    for (int i = 1; i < g.Rows(); ++i)
        if (g.TextMatrix(i, 0) == row.name) {
            g.Row = i;
            return;
        }
    if (g.Rows() > 100) {
        DialogsOf(s).Message("A matrix holds at most 100 ingredients");
        return;
    }
    g.SetRows(g.Rows() + 1);
    const int i = g.Rows() - 1;
    g.SetTextMatrix(i, 0, row.name);
    g.SetTextMatrix(i, 1, Number(row.price));
    g.SetTextMatrix(i, 2, row.group);
    g.Row = i;
}

void RemoveChosenIngredient(SharedState& s, NewLocationWindow& w) {
    Grid& g = w.GridChosen;
    const int r = g.Row;
    if (r < 1 || r >= g.Rows()) {
        DialogsOf(s).Message("Choose an ingredient in the chosen list first");
        return;
    }
    for (int i = r; i + 1 < g.Rows(); ++i)
        for (int c = 0; c < g.Cols(); ++c) g.SetTextMatrix(i, c, g.TextMatrix(i + 1, c));
    g.SetRows(g.Rows() - 1);
    g.Row = std::min(r, g.Rows() - 1);
}

void NewLocationDietsChanged(NewLocationWindow& w) {
    const Grid& g = w.GridWeights;
    const double start = NumVal(std::string_view(g.TextMatrix(1, 1)));
    const double final = NumVal(std::string_view(g.TextMatrix(1, g.Cols() - 1)));
    SetWeights(w, EvenWeights(start > 0 ? start : 25, final > start ? final : 125, DietCountOf(w)));
}

void NewLocationGenotypeChanged(NewLocationWindow& w) {
    const auto& presets = response::GenotypePresets();
    const int i = w.ComboGenotype.ListIndex;
    w.LabelGenotypeSource.Caption =
        i >= 0 && i < static_cast<int>(presets.size()) ? "Source: " + std::string(presets[static_cast<std::size_t>(i)].Pig.Source) : "";
}

std::string MakeLocationFromWindow(SharedState& s, NewLocationWindow& w) {
    Dialogs& dlg = DialogsOf(s);
    NewLocationPlan plan;
    const std::string folder = w.TextFolder.Text, name = w.TextName.Text;
    plan.base = folder.empty() || name.empty() ? std::string() : JoinPath(folder, name);
    const Grid& chosen = w.GridChosen;
    for (int i = 1; i < chosen.Rows(); ++i) {
        const LibraryIngredient* row = FindLibraryIngredient(w.Library, chosen.TextMatrix(i, 0));
        if (!row) continue;
        LibraryIngredient picked = *row;
        std::string price = chosen.TextMatrix(i, 1);
        picked.price = price.find_first_not_of(" ") == std::string::npos ? 0 : NumVal(price);
        plan.ingredients.push_back(picked);
    }
    const Grid& g = w.GridWeights;
    for (int c = 1; c < g.Cols(); ++c) plan.weights.push_back(NumVal(std::string_view(g.TextMatrix(1, c))));
    plan.startAge = NumVal(std::string_view(w.TextStartAge.Text));
    plan.currency = w.TextCurrency.Text;
    const auto& presets = response::GenotypePresets();
    const int preset = w.ComboGenotype.ListIndex;
    if (preset >= 0 && preset < static_cast<int>(presets.size()))
        plan.model = GrowthModelChoice{GrowthModelKind::Response, presets[static_cast<std::size_t>(preset)].Pig};
    if (const std::string other = w.TextCurveFrom.Text; !other.empty()) {
        std::string error;
        if (!ModelOfLocation(other, plan, error)) {
            dlg.Message("The growth model cannot be taken from " + other + ": " + error);
            return {};
        }
    }
    const NewLocationOutcome made = MakeNewLocation(plan);
    if (!made.made) {
        dlg.Message(made.error);
        return {};
    }
    std::string ends;
    for (const NewLocationDiet& d : made.diets)
        ends += (ends.empty() ? "" : ", ") + FormatPattern(d.endWeight, "0.0");
    dlg.Message("The location " + plan.base + " was made from " + std::to_string(plan.ingredients.size()) +
                " library ingredients: " + std::to_string(made.diets.size()) + " diets, ending at " + ends +
                " kg. It grows " +
                (plan.model.Kind == GrowthModelKind::Response
                     ? "on the nutrient-response model, genotype " + plan.model.Pig.Name + "."
                     : std::string("on the documented growth curve of ") + w.TextCurveFrom.Text + ".") +
                " Check the prices and the restrictions before you rely on its figures.");
    w.Visible = false;
    ReopenLocation(s, plan.base);
    return plan.base;
}

}  // namespace tarvisol
