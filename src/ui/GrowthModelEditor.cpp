#include "ui/GrowthModelEditor.h"

#include <cstdio>
#include <filesystem>

#include "location/GenotypeFile.h"
#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

constexpr const char* kModelItems[] = {"Documented curve", "Nutrient response"};
constexpr const char* kEditedSuffix = ", edited";

// The grid's columns: caption, the parameter, and the decimals it shows.
struct Column {
    const char* Caption;
    const char* Named;  // in a message
    double SexGenotype::*Value;
    int Decimals;
};
constexpr Column kColumns[] = {
    {"Mean protein deposition, g/d", "mean protein deposition", &SexGenotype::MeanProteinDeposition, 2},
    {"Precocity, /d", "precocity", &SexGenotype::Precocity, 5},
    {"NE intake at 50 kg, kcal/d", "NE intake at 50 kg", &SexGenotype::NeIntake50, 0},
    {"NE intake at 100 kg, kcal/d", "NE intake at 100 kg", &SexGenotype::NeIntake100, 0},
};

std::string Fixed(double v, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// A figure in the fewest digits that read back as it ("5", "4.5").
std::string Shortest(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

// The preset the genotype is, or -1.
int PresetOf(const Genotype& g) {
    const auto& presets = response::GenotypePresets();
    for (std::size_t i = 0; i < presets.size(); ++i)
        if (presets[i].Pig == g) return static_cast<int>(i);
    return -1;
}

bool EndsWith(const std::string& t, const std::string& end) {
    return t.size() >= end.size() && t.compare(t.size() - end.size(), end.size(), end) == 0;
}

// The genotype edited: named as edited once, so that no run says it grew the
// preset it came from.
void TakeEdited(SharedState& s, Genotype g) {
    if (!EndsWith(g.Name, kEditedSuffix)) g.Name += kEditedSuffix;
    s.Model.Pig = std::move(g);
}

std::string SexName(const Genotype& g, bool males) {
    return males ? std::string("Males (") + MaleTypeName(g.Males) + ")" : std::string("Females (gilts)");
}

}  // namespace

void ShowGrowthModel(const SharedState& s, GrowthModelEditor& e) {
    const bool response = s.Model.Kind == GrowthModelKind::Response;
    e.ComboModel.Clear();
    for (const char* item : kModelItems) e.ComboModel.AddItem(item);
    e.ComboModel.ListIndex = response ? 1 : 0;
    e.GenotypeShown = response;

    const Genotype& g = s.Model.Pig;
    e.ComboGenotype.Clear();
    // The lists and labels show UTF-8; the genotype's name and source are the location's single bytes.
    for (const response::GenotypePreset& p : response::GenotypePresets())
        e.ComboGenotype.AddItem(Windows1252ToUtf8(p.Pig.Name));
    const int preset = PresetOf(g);
    if (preset < 0) {
        // The location's own genotype, after the presets.
        e.ComboGenotype.AddItem(g.Name.empty() ? std::string("This location's genotype") : Windows1252ToUtf8(g.Name));
        e.ComboGenotype.ListIndex = static_cast<int>(e.ComboGenotype.Items.size()) - 1;
    } else {
        e.ComboGenotype.ListIndex = preset;
    }
    e.LabelSource.Caption = g.Source.empty() ? std::string() : "Source: " + Windows1252ToUtf8(g.Source);
    e.TextWastage.Text = Shortest(g.WastagePercent);
    e.TextWastage.Visible = response;
    e.TextWastage.ToolTip = "Feed wasted, % of the feed supplied (NRC 2012 takes 5 %)";

    Grid& grid = e.GridGenotype;
    grid.SetRows(3);
    grid.SetCols(5);
    grid.SetTextMatrix(0, 0, "Genotype");
    for (int c = 0; c < 4; ++c) grid.SetTextMatrix(0, c + 1, kColumns[c].Caption);
    for (bool males : {true, false}) {
        const int row = males ? kGenotypeRowMales : kGenotypeRowFemales;
        const SexGenotype& sex = males ? g.Male : g.Female;
        grid.SetTextMatrix(row, 0, SexName(g, males));
        for (int c = 0; c < 4; ++c) {
            const double v = sex.*kColumns[c].Value;
            grid.SetFigure(row, c + 1, Fixed(v, kColumns[c].Decimals), v);
        }
    }

    e.LabelNote.Caption = response ? "The Growth Curve above is not used: the pig grows from what it eats."
                                   : "The pig grows along the Growth Curve B0..B4 above.";

    // Changed and not saved: the location's genotype file does not hold the choice.
    e.LabelChanged.Caption.clear();
    const std::string path = GenotypeFilePath(s);
    if (!path.empty() && !LeftUnread(s, path) && WouldChange(s, path, GenotypeFileText(s)))
        e.LabelChanged.Caption = "Changed, not saved: File \xE2\x86\x92 Save all Files to Current Location writes " +
                                 std::filesystem::path(path).filename().string();
}

void GrowthModelClick(SharedState& s, GrowthModelEditor& e) {
    if (e.ComboModel.ListIndex == 0) s.Model.Kind = GrowthModelKind::Documented;
    else if (e.ComboModel.ListIndex == 1) s.Model.Kind = GrowthModelKind::Response;
    ShowGrowthModel(s, e);
}

void GenotypePresetClick(SharedState& s, GrowthModelEditor& e) {
    const auto& presets = response::GenotypePresets();
    const int i = e.ComboGenotype.ListIndex;
    if (i >= 0 && i < static_cast<int>(presets.size())) s.Model.Pig = presets[static_cast<std::size_t>(i)].Pig;
    ShowGrowthModel(s, e);
}

void GenotypeCellEdited(SharedState& s, GrowthModelEditor& e, int row, int col, const std::string& text) {
    Grid& grid = e.GridGenotype;
    if ((row != kGenotypeRowMales && row != kGenotypeRowFemales) || col < 1 || col > 4) return;
    // The cell left as it showed keeps the figure behind its rounding.
    double shown = 0;
    if (text == grid.TextMatrix(row, col) && grid.Figure(row, col, shown)) return;
    const bool males = row == kGenotypeRowMales;
    const Column& column = kColumns[col - 1];
    const std::string what =
        std::string("The ") + column.Named + " of the " + (males ? MaleTypeName(s.Model.Pig.Males) : "gilts");
    double v = 0;
    if (!ReadWholeNumber(text, v)) {
        DialogsOf(s).Message(what + " must be a number; the genotype stays as it was");
        ShowGrowthModel(s, e);
        return;
    }
    Genotype g = s.Model.Pig;
    SexGenotype& sex = males ? g.Male : g.Female;
    sex.*(column.Value) = v;
    if (const std::string problem = response::GenotypeProblem(g); !problem.empty()) {
        DialogsOf(s).Message(problem + "; the genotype stays as it was");
        ShowGrowthModel(s, e);
        return;
    }
    if (!(g == s.Model.Pig)) TakeEdited(s, std::move(g));
    ShowGrowthModel(s, e);
}

std::string GenotypeCellToolTip(int row, int col) {
    if (row < 1) return {};
    switch (col) {
        case kGenotypeColDeposition:
            return "Mean potential protein deposition from about 25 to about 125 kg live weight (4 to 20 kg of body "
                   "protein), g a day (InraPorc, van Milgen et al. 2008)";
        case kGenotypeColPrecocity:
            return "Gompertz precocity of body protein, per day: a higher figure deposits more early and less late at "
                   "the same mean";
        case kGenotypeColIntake50:
        case kGenotypeColIntake100:
            return std::string("Net energy eaten at will at ") + (col == kGenotypeColIntake50 ? "50" : "100") +
                   " kg live weight on a diet of 2,475 kcal NE per kg, kcal a day (a diet of less energy is eaten more of)";
        default: return {};
    }
}

void GenotypeWastageEdited(SharedState& s, GrowthModelEditor& e) {
    double v = 0;
    if (e.TextWastage.Text == Shortest(s.Model.Pig.WastagePercent)) return;
    Genotype g = s.Model.Pig;
    if (!ReadWholeNumber(e.TextWastage.Text, v) || !(v >= 0 && v <= 50)) {
        DialogsOf(s).Message("Feed wastage must be a number from 0 to 50 %; the genotype stays as it was");
        ShowGrowthModel(s, e);
        return;
    }
    g.WastagePercent = v;
    if (!(g == s.Model.Pig)) TakeEdited(s, std::move(g));
    ShowGrowthModel(s, e);
}

}  // namespace tarvisol
