#include "formulation/RestrictionsEditor.h"

#include <charconv>
#include <cmath>

#include "formulation/FormulationFiles.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

constexpr int kDiets = 8;

// The plain text of a number: the shortest form that reads back exactly.
std::string Plain(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

void Headers(Grid& g, const char* corner) {
    g.SetTextMatrix(0, 0, corner);
    for (int d = 1; d <= kDiets; ++d) {
        g.SetTextMatrix(0, 2 * d - 1, "Diet " + std::to_string(d) + " Min Restrict");
        g.SetTextMatrix(0, 2 * d, "Diet " + std::to_string(d) + " Max Restrict");
    }
    g.SetColWidth(0, 2400);
    for (int c = 1; c <= 2 * kDiets; ++c) g.SetColWidth(c, 1500);
}

void ShowLimit(Grid& g, int row, int col, double value) {
    g.SetTextMatrix(row, col, Plain(value));
    g.SetCellBackColor(row, col, value != 0 ? kLimitColor : kNoColor);
}

double Round3(double v) { return RoundHalfEven(v * 1000.0) / 1000.0; }

bool SameTexts(const Grid& a, const Grid& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) return false;
    for (int r = 0; r < a.Rows(); ++r)
        for (int c = 0; c < a.Cols(); ++c)
            if (a.TextMatrix(r, c) != b.TextMatrix(r, c)) return false;
    return true;
}

// The ingredient each row of the table was filled for, as it is numbered now
// (0 when it is no longer in the matrix). Names repeated in the matrix are
// matched in their order.
std::vector<int> CurrentIngredients(const SharedState& s, const RestrictionsWindow& w) {
    std::vector<int> out(w.RowNames.size() + 1, 0);
    std::vector<bool> used(static_cast<std::size_t>(s.IngredientCount) + 1, false);
    for (std::size_t row = 1; row < w.RowNames.size(); ++row)
        for (int i = 1; i <= s.IngredientCount; ++i)
            if (!used[static_cast<std::size_t>(i)] && s.IngredientNames(i) == w.RowNames[row]) {
                used[static_cast<std::size_t>(i)] = true;
                out[row] = i;
                break;
            }
    return out;
}

}  // namespace

void LoadRestrictionsWindow(SharedState& s, RestrictionsWindow& w) {
    Grid& n = w.GridNuts;
    n.SetCols(2 * kDiets + 1);
    n.SetRows(std::max(s.NutrientCount, 1) + 1);
    n.Clear();
    Headers(n, "Nutrient Restrictions");
    if (n.Rows() > 1) {
        n.SetTextMatrix(1, 0, "Weight");
        for (int c = 1; c <= 2 * s.DietCount && c < n.Cols(); ++c) n.SetTextMatrix(1, c, "100");
    }
    for (int r = 2; r <= s.NutrientCount && r < n.Rows(); ++r) {
        n.SetTextMatrix(r, 0, s.NutrientNames(r));
        for (int d = 1; d <= kDiets; ++d)
            for (int b = 1; b <= 2; ++b) {
                double& limit = s.NutrientLimits(d, b, r - 1);
                if (limit > 0) limit = Round3(limit);
                ShowLimit(n, r, 2 * d - 2 + b, limit);
            }
    }

    Grid& g = w.GridIngred;
    g.SetCols(2 * kDiets + 1);
    g.SetRows(s.IngredientCount + 1);
    g.Clear();
    Headers(g, "Ing. Restrictions");
    for (int i = 1; i <= s.IngredientCount; ++i) {
        g.SetTextMatrix(i, 0, std::to_string(i) + " " + s.IngredientNames(i));
        for (int d = 1; d <= kDiets; ++d) {
            ShowLimit(g, i, 2 * d - 1, s.IngredientLimits(d, 1, i));
            ShowLimit(g, i, 2 * d, s.IngredientLimits(d, 2, i));
        }
    }
    w.RowNames.assign(1, std::string());
    for (int i = 1; i <= s.IngredientCount; ++i) w.RowNames.push_back(s.IngredientNames(i));
    w.IngredientListVersion = s.IngredientListVersion;
    w.TakenNuts = n;
    w.TakenIngred = g;
    w.NutrientFileAsked = w.IngredientFileAsked = false;
    w.Visible = true;
}

bool RestrictionsHaveEdits(const RestrictionsWindow& w) {
    return !SameTexts(w.GridNuts, w.TakenNuts) || !SameTexts(w.GridIngred, w.TakenIngred);
}

bool RestrictionsOutOfDate(const SharedState& s, const RestrictionsWindow& w) {
    return w.IngredientListVersion != s.IngredientListVersion;
}

bool SyncRestrictionsWindow(SharedState& s, RestrictionsWindow& w) {
    if (!w.Visible || !RestrictionsOutOfDate(s, w)) return false;
    if (RestrictionsHaveEdits(w) &&
        DialogsOf(s).Ask(kRestrictionsRefillQuestion, Buttons::YesNo) == Answer::Yes) {
        SaveNutrientsForSession(s, w);
        SaveIngredientsForSession(s, w);  // fills the window again
        return true;
    }
    const bool nutAsked = w.NutrientFileAsked, ingAsked = w.IngredientFileAsked;
    LoadRestrictionsWindow(s, w);
    w.NutrientFileAsked = nutAsked;
    w.IngredientFileAsked = ingAsked;
    return true;
}

bool CloseRestrictionsWindow(SharedState& s, RestrictionsWindow& w) {
    if (RestrictionsHaveEdits(w)) {
        const Answer a = DialogsOf(s).Ask(kRestrictionsCloseQuestion, Buttons::YesNoCancel);
        if (a == Answer::Cancel) return false;
        if (a == Answer::Yes) {
            if (!SaveNutrientsForSession(s, w)) return false;  // a minimum above its maximum: put it right first
            SaveIngredientsForSession(s, w);
        }
    }
    w.Visible = false;
    return true;
}

bool SaveNutrientsForSession(SharedState& s, RestrictionsWindow& w) {
    const Grid& n = w.GridNuts;
    const int diets = std::min<int>(s.DietCount, kDiets);
    // The table's rows end at the last nutrient, so the read does too.
    for (int k = 1; k <= s.NutrientCount - 1 && k + 1 < n.Rows(); ++k)
        for (int d = 1; d <= diets; ++d) {
            const double lo = NumVal(std::string_view(n.TextMatrix(k + 1, 2 * d - 1)));
            const double hi = NumVal(std::string_view(n.TextMatrix(k + 1, 2 * d)));
            s.NutrientLimits(d, 1, k) = lo;
            s.NutrientLimits(d, 2, k) = hi;
            if (hi > 0 && hi < lo) {
                DialogsOf(s).Message("The Min Restriction on Diet " + std::to_string(d) + " Nutrient " +
                                     s.NutrientNames(k + 1) + " is greater than the Maximum");
                return false;
            }
        }
    w.TakenNuts = n;
    return true;
}

void SaveIngredientsForSession(SharedState& s, RestrictionsWindow& w) {
    const Grid& g = w.GridIngred;
    const int diets = std::min<int>(s.DietCount, kDiets);
    if (RestrictionsOutOfDate(s, w)) {
        // Ingredients were added or removed: each row goes to its ingredient.
        const std::vector<int> target = CurrentIngredients(s, w);
        for (int row = 1; row < g.Rows() && row < static_cast<int>(target.size()); ++row) {
            const int i = target[static_cast<std::size_t>(row)];
            if (i == 0) continue;
            for (int d = 1; d <= diets; ++d) {
                s.IngredientLimits(d, 1, i) = NumVal(std::string_view(g.TextMatrix(row, 2 * d - 1)));
                s.IngredientLimits(d, 2, i) = NumVal(std::string_view(g.TextMatrix(row, 2 * d)));
            }
        }
        const bool nutAsked = w.NutrientFileAsked, ingAsked = w.IngredientFileAsked;
        const Grid nuts = w.GridNuts, takenNuts = w.TakenNuts;
        LoadRestrictionsWindow(s, w);
        // The nutrient table is not the ingredients': its edits stay as they are.
        w.GridNuts = nuts;
        w.TakenNuts = takenNuts;
        w.NutrientFileAsked = nutAsked;
        w.IngredientFileAsked = ingAsked;
        return;
    }
    for (int i = 1; i <= s.IngredientCount && i < g.Rows(); ++i)
        for (int d = 1; d <= diets; ++d) {
            s.IngredientLimits(d, 1, i) = NumVal(std::string_view(g.TextMatrix(i, 2 * d - 1)));
            s.IngredientLimits(d, 2, i) = NumVal(std::string_view(g.TextMatrix(i, 2 * d)));
        }
    w.TakenIngred = g;
}

void SaveNutrientsToFile(SharedState& s, RestrictionsWindow& w) {
    SaveNutrientsForSession(s, w);
    if (SaveNutrientRestrictions(s, !w.NutrientFileAsked)) w.NutrientFileAsked = true;
}

void SaveIngredientsToFile(SharedState& s, RestrictionsWindow& w) {
    SaveIngredientsForSession(s, w);
    if (SaveIngredientRestrictions(s, !w.IngredientFileAsked)) w.IngredientFileAsked = true;
}

void SaveNutrientsToFileAs(SharedState& s, RestrictionsWindow& w) {
    w.NutrientFileAsked = false;
    SaveNutrientsToFile(s, w);
}

void SaveIngredientsToFileAs(SharedState& s, RestrictionsWindow& w) {
    w.IngredientFileAsked = false;
    SaveIngredientsToFile(s, w);
}

void SaveAllRestrictionsToFile(SharedState& s, RestrictionsWindow& w) {
    SaveIngredientsToFile(s, w);
    SaveNutrientsToFile(s, w);
}

void IngredientRowActivated(SharedState& s, RestrictionsWindow&, int row) {
    if (row < 1 || row > s.IngredientCount) return;
    DialogsOf(s).Message("Ingredient # " + std::to_string(row) + " is " + s.IngredientNames(row));
}

}  // namespace tarvisol
