#include "ui/GridEdit.h"

#include "shared/Controls.h"
#include "shared/Numbers.h"

namespace tarvisol {

void GridCellEdited(SharedState&, Grid& grid, int row, int col, const std::string& text) {
    if (row < 0 || col < 0) return;
    grid.EnsureCell(row, col);
    // A number typed with a decimal comma is stored with a point, as the
    // readers take it; other text is kept as typed.
    std::string t = text;
    if (Val(FixDecimalComma(t)) != 0 || FixDecimalComma(t).find_first_not_of("0. ") == std::string::npos)
        t = FixDecimalComma(t);
    grid.SetTextMatrix(row, col, t);
}

}  // namespace tarvisol
