#include "formulation/DietPriceCell.h"

#include "shared/Controls.h"

namespace tarvisol {

MatrixNumber ReadDietPrice(std::string_view written, int d, const std::string& name) {
    MatrixNumber n = ReadMatrixNumber(written);
    if (!n.note.empty())
        n.note = "Diet " + std::to_string(d) + (name.empty() ? std::string() : " (" + name + ")") + ": the price " + n.note;
    return n;
}

double ReadDietPriceCell(Grid& diets, int d, std::vector<std::string>& notes) {
    if (kDietPriceRow >= diets.Rows() || d < 0 || d >= diets.Cols()) return 0;
    // A price the program showed rounded is read as the price.
    if (double figure = 0; diets.Figure(kDietPriceRow, d, figure)) return figure;
    const MatrixNumber n = ReadDietPrice(diets.TextMatrix(kDietPriceRow, d), d, diets.TextMatrix(1, d));
    if (!n.note.empty()) {
        diets.SetTextMatrix(kDietPriceRow, d, n.text);
        notes.push_back(n.note);
    }
    return n.value;
}

std::string JoinedNotes(const std::vector<std::string>& notes) {
    std::string text;
    for (const std::string& n : notes) text += (text.empty() ? "" : "\n") + n;
    return text;
}

}  // namespace tarvisol
