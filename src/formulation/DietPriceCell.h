#pragma once
// A diet's price as written in the diets grid's price cell or in a diet file:
// read as the ingredient matrix reads a price, so that "1,150.00" is 1150
// wherever the diet is priced (the growth run, the calibration, the
// optimisation), and said when the reading could surprise.
#include <string>
#include <string_view>
#include <vector>

#include "formulation/MatrixNumber.h"

namespace tarvisol {

class Grid;

inline constexpr int kDietPriceRow = 2;

// The price written for diet d named `name`; its note, when not empty, names
// the diet and the text as written ("Diet 2 (Finisher): the price 1,150.00
// groups thousands and was read as 1150").
MatrixNumber ReadDietPrice(std::string_view written, int d, const std::string& name);

// Diet d's price cell of the diets grid (row 1 the name). A cell whose
// reading could surprise is rewritten with the number as read, so that it is
// said once; its note is added to `notes`. An absent cell is 0.
double ReadDietPriceCell(Grid& diets, int d, std::vector<std::string>& notes);

// Notes said as one message, one a line.
std::string JoinedNotes(const std::vector<std::string>& notes);

}  // namespace tarvisol
