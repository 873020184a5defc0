#pragma once
// What an accepted edit of a grid cell does to the form: the typed text goes
// into the cell, a decimal comma read as a point for number cells.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

class Grid;

void GridCellEdited(SharedState& s, Grid& grid, int row, int col, const std::string& text);

}  // namespace tarvisol
