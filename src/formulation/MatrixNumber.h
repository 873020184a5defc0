#pragma once
// A number of the ingredient matrix (a price or a nutrient content) as the
// matrix file and the matrix editor both read it. Thousands grouped as a
// spreadsheet shows them ("1,150.00", "1.150,00", "1,150,000", "7 000") read
// as such when the grouping is clear; a comma otherwise is a decimal comma.
// Either way the reading is said whenever it could surprise: grouping read,
// or a lone comma before three digits ("1,150" is 1.15, not 1150).
#include <string>
#include <string_view>

namespace tarvisol {

struct MatrixNumber {
    double value = 0;
    std::string text;  // the number in the file number format (a full stop, no grouping)
    std::string note;  // how it was read, when that could surprise; else empty
};

// The leading number of a matrix file's field, as the file has always been
// read: what follows the number is ignored, no number reads 0.
MatrixNumber ReadMatrixNumber(std::string_view field);

// A cell of the matrix editor: true when the whole text (blanks around it
// aside) is one finite number in the forms above, or blank (0).
bool ReadMatrixCell(std::string_view cell, MatrixNumber& number);

}  // namespace tarvisol
