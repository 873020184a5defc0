#include "formulation/AminoRatio.h"

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kRowProtein = 5, kRowLysine = 8;

bool NutrientCell(int row, int col) { return row >= 4 && row - 3 <= 121 && col >= 1 && col <= 8; }

void Show(MainWindow& w, int row, int d, double value) {
    w.Griddiets.EnsureCell(row, d);
    w.Griddiets.SetTextMatrix(row, d, FormatAuto(value));
}

}  // namespace

void RatioOptionClick(SharedState& s, int which) {
    MainWindow& w = *s.Main;
    CheckBox& mine = which == 0 ? w.CheckRatioProtein : w.CheckRatioLysine;
    CheckBox& other = which == 0 ? w.CheckRatioLysine : w.CheckRatioProtein;
    if (mine.Value) other.Value = 0;
}

void DietsGridEditStart(SharedState& s, int row, int col) {
    if (!NutrientCell(row, col)) return;
    const int k = row - 3;
    s.NutrientLimits(col, 0, k) = s.NutrientLimits(col, 1, k);
}

void DietsGridEdit(SharedState& s, int row, int col, const std::string& text) {
    MainWindow& w = *s.Main;
    Grid& g = w.Griddiets;
    if (row < 0 || col < 0) return;
    g.EnsureCell(row, col);
    if (!NutrientCell(row, col)) {
        g.SetTextMatrix(row, col, text);
        return;
    }
    std::string typed = text;
    const double shown = NumVal(typed);
    g.SetTextMatrix(row, col, typed);
    const int k = row - 3;
    // The energy row is in the display unit; the limits are in the matrix's.
    const double value = k == 1 ? ConvertEnergy(s, 1, shown) : shown;
    if (value == s.NutrientLimits(col, 1, k)) return;
    if (DialogsOf(s).Ask("The current value is different from the Diet Restrition, Do you want to change the "
                         "Restriction to the Current Value?",
                         Buttons::YesNo) != Answer::Yes)
        return;
    s.NutrientLimits(col, 1, k) = value;
    if ((row == kRowProtein && w.CheckRatioProtein.Value) || (row == kRowLysine && w.CheckRatioLysine.Value)) {
        int16_t d = static_cast<int16_t>(col);
        ProteinAdj(s, d);
    }
}

void ProteinAdj(SharedState& s, int16_t& d) {
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    double p[15] = {};
    for (int k = 2; k <= 14; ++k) p[k] = s.DietNutrients(d, k);
    if (p[2] == 0) return dlg.Message("Run Current Calc First");
    double ratio = 0;
    int skip = 0;
    bool haveRatio = false;
    if (w.CheckRatioProtein.Value) {
        if (s.NutrientLimits(d, 0, 2) > 0) {
            ratio = s.NutrientLimits(d, 1, 2) / s.NutrientLimits(d, 0, 2);
            haveRatio = true;
        }
        const double g = NumVal(std::string_view(w.Griddiets.TextMatrix(kRowProtein, d)));
        for (int k = 3; k <= 14; ++k) Show(w, k + 3, d, g * p[k] / p[2]);
    }
    if (w.CheckRatioLysine.Value) {
        if (p[5] == 0) return dlg.Message("No previous value for Lysine found");
        if (s.NutrientLimits(d, 0, 5) == 0) s.NutrientLimits(d, 0, 5) = p[5];
        ratio = s.NutrientLimits(d, 1, 5) / s.NutrientLimits(d, 0, 5);
        haveRatio = true;
        const double g = NumVal(std::string_view(w.Griddiets.TextMatrix(kRowLysine, d)));
        for (int k = 4; k <= 14; ++k) Show(w, k + 3, d, g * p[k] / p[5]);
        skip = 5;
    }
    // Without a previous minimum to compare with, the amino-acid minima stay
    // as they are rather than being set to 0.
    if (!haveRatio) return;
    for (int k = 3; k <= 14; ++k) {
        if (k == skip) continue;
        const double m = ratio * s.NutrientLimits(d, 1, k);
        if (m != s.NutrientLimits(d, 1, k)) s.NutrientLimits(d, 1, k) = m;
        if (s.NutrientLimits(d, 1, k) > 0) Show(w, k + 3, d, s.NutrientLimits(d, 1, k));
    }
}

}  // namespace tarvisol
