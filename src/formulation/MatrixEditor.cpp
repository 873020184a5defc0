#include "formulation/MatrixEditor.h"

#include <charconv>
#include <cmath>

#include "formulation/FormulationFiles.h"
#include "formulation/MatrixNumber.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kMaxIngredients = 100;

std::string Plain(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A cell that holds a number (as the matrix file's numbers read) or nothing
// (read as 0).
bool ReadCell(const std::string& text, double& value, std::string* note = nullptr) {
    MatrixNumber n;
    if (!ReadMatrixCell(text, n)) return false;
    value = n.value;
    if (note) *note = n.note;
    return true;
}

bool SameTexts(const Grid& a, const Grid& b) {
    if (a.Rows() != b.Rows() || a.Cols() != b.Cols()) return false;
    for (int r = 0; r < a.Rows(); ++r)
        for (int c = 0; c < a.Cols(); ++c)
            if (a.TextMatrix(r, c) != b.TextMatrix(r, c)) return false;
    return true;
}

}  // namespace

bool MatrixEditorOutOfDate(const SharedState& s, const MatrixEditorWindow& w) { return w.Version != s.MatrixVersion; }

bool MatrixEditorHasEdits(const MatrixEditorWindow& w) { return !SameTexts(w.GridMatrix, w.Taken); }

bool SyncMatrixEditor(SharedState& s, MatrixEditorWindow& w) {
    if (!w.Visible || !MatrixEditorOutOfDate(s, w)) return false;
    LoadMatrixEditor(s, w);
    return true;
}

bool CloseMatrixEditor(SharedState& s, MatrixEditorWindow& w) {
    if (MatrixEditorHasEdits(w) && !MatrixEditorOutOfDate(s, w)) {
        const Answer a = DialogsOf(s).Ask(kMatrixEditorCloseQuestion, Buttons::YesNoCancel);
        if (a == Answer::Cancel) return false;
        if (a == Answer::Yes && !ApplyMatrixEditor(s, w)) return false;
    }
    w.Visible = false;
    return true;
}

void LoadMatrixEditor(SharedState& s, MatrixEditorWindow& w) {
    Grid& g = w.GridMatrix;
    const int cols = std::max(s.NutrientCount, 1) + 1;
    g.SetCols(cols);
    g.SetRows(s.IngredientCount + 1);
    g.Clear();
    g.SetTextMatrix(0, 0, "Ingredient");
    g.SetTextMatrix(0, 1, WithUnit("Price", FeedPriceLabel(s.Currency, s.PriceUnit())));
    g.SetColWidth(0, 2600);
    for (int c = 2; c < cols; ++c) {
        g.SetTextMatrix(0, c, WithUnit(s.NutrientNames(c), NutrientUnitLabel(s.EnergyUnit(), c - 1)));
        g.SetColWidth(c, 1300);
    }
    for (int i = 1; i <= s.IngredientCount; ++i) {
        g.SetTextMatrix(i, 0, s.IngredientNames(i));
        g.SetTextMatrix(i, 1, Plain(s.IngredientPrices(i)));
        for (int c = 2; c < cols; ++c) g.SetTextMatrix(i, c, Plain(s.IngredientMatrix(c, i)));
    }
    w.Version = s.MatrixVersion;
    w.SourceFile = s.MatrixFile;
    w.Taken = g;
    w.Visible = true;
}

bool ApplyMatrixEditor(SharedState& s, MatrixEditorWindow& w) {
    if (MatrixEditorOutOfDate(s, w)) {
        DialogsOf(s).Message("The matrix was opened again or changed after this editor was filled; nothing was "
                             "taken over. The editor now shows the matrix " + s.MatrixFile + ".");
        LoadMatrixEditor(s, w);
        return false;
    }
    const Grid& g = w.GridMatrix;
    const int rows = std::min(g.Rows() - 1, kMaxIngredients);
    const int cols = std::min(g.Cols(), 122);
    std::string refused, notes;
    for (int i = 1; i <= rows; ++i)
        for (int c = 1; c < cols; ++c) {
            double v = 0;
            std::string note;
            const std::string where = "\n" + g.TextMatrix(i, 0) + ", " + g.TextMatrix(0, c) + ": ";
            if (!ReadCell(g.TextMatrix(i, c), v, &note))
                refused += where + "'" + g.TextMatrix(i, c) + "'";
            else if (!note.empty())
                notes += where + note;
        }
    if (!refused.empty()) {
        DialogsOf(s).Message("These cells do not hold numbers; the matrix is unchanged:" + refused);
        return false;
    }
    // The ingredients get other numbers when rows were added or removed.
    if (rows != s.IngredientCount) ++s.IngredientListVersion;
    for (int i = 1; i <= rows; ++i) {
        s.IngredientNames(i) = g.TextMatrix(i, 0);
        double v = 0;
        ReadCell(g.TextMatrix(i, 1), v);
        s.IngredientPrices(i) = v;
        s.IngredientMatrix(1, i) = 100;
        for (int c = 2; c < cols; ++c) {
            ReadCell(g.TextMatrix(i, c), v);
            s.IngredientMatrix(c, i) = v;
        }
    }
    for (int i = rows + 1; i <= s.IngredientCount; ++i) s.IngredientNames(i).clear();
    s.IngredientCount = static_cast<int16_t>(rows);
    ++s.MatrixVersion;
    w.Version = s.MatrixVersion;
    w.Taken = g;
    if (!notes.empty()) DialogsOf(s).Message("The matrix was taken over; these cells were read so:" + notes);
    return true;
}

void AddIngredientRow(SharedState& s, MatrixEditorWindow& w) {
    Grid& g = w.GridMatrix;
    if (g.Rows() - 1 >= kMaxIngredients) {
        DialogsOf(s).Message("The matrix holds at most 100 ingredients");
        return;
    }
    g.SetRows(g.Rows() + 1);
    g.SetTextMatrix(g.Rows() - 1, 0, "New ingredient");
    g.Row = g.Rows() - 1;
    g.Col = 0;
}

void RemoveIngredient(SharedState& s, MatrixEditorWindow& w, int row) {
    Grid& g = w.GridMatrix;
    if (row < 1 || row >= g.Rows()) return;
    if (DialogsOf(s).Ask("Remove " + g.TextMatrix(row, 0) + " from the matrix, its restrictions and the formulas?",
                         Buttons::YesNo) != Answer::Yes)
        return;
    if (!ApplyMatrixEditor(s, w)) return;
    const int n = s.IngredientCount;
    for (int i = row; i < n; ++i) {
        s.IngredientNames(i) = s.IngredientNames(i + 1);
        s.IngredientPrices(i) = s.IngredientPrices(i + 1);
        for (int c = 0; c <= 121; ++c) s.IngredientMatrix(c, i) = s.IngredientMatrix(c, i + 1);
        for (int d = 0; d <= 8; ++d) {
            s.DietFormula(d, i) = s.DietFormula(d, i + 1);
            for (int b = 0; b <= 2; ++b) {
                s.IngredientLimits(d, b, i) = s.IngredientLimits(d, b, i + 1);
                s.FileIngredientLimits(d, b, i) = s.FileIngredientLimits(d, b, i + 1);
            }
        }
    }
    if (n >= 1) {
        s.IngredientNames(n).clear();
        s.IngredientPrices(n) = 0;
        for (int c = 0; c <= 121; ++c) s.IngredientMatrix(c, n) = 0;
        for (int d = 0; d <= 8; ++d) {
            s.DietFormula(d, n) = 0;
            for (int b = 0; b <= 2; ++b) s.IngredientLimits(d, b, n) = s.FileIngredientLimits(d, b, n) = 0;
        }
        s.IngredientCount = static_cast<int16_t>(n - 1);
    }
    ++s.MatrixVersion;
    ++s.IngredientListVersion;
    LoadMatrixEditor(s, w);
}

void SaveMatrixEditor(SharedState& s, MatrixEditorWindow& w) {
    // An editor that is up to date came from the matrix file in use.
    if (ApplyMatrixEditor(s, w)) SaveMatrix(s, false);
}

}  // namespace tarvisol
