#pragma once
// The dated record of the best programme, written into the location's folder
// at the end of a successful optimisation: the optimum diets' inclusions and
// the restrictions that produced them.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

struct FrmOptP;

// The month-and-year text of the file name from a date "dd/mm/yyyy" (or the
// machine's order): "JUL 26"; the empty text when it cannot be read.
std::string MonthText(const SharedState& s, const std::string& date);

// The file's name in the location's folder for the given date text.
std::string OptResultPath(const SharedState& s, const FrmOptP& f, const std::string& date);

// The file's content (CRLF line ends).
std::string OptResultText(const SharedState& s);

// Writes the file for today; records its path in OptResultFile. A failed write
// is reported in a message box.
void WriteOptResult(SharedState& s, const FrmOptP& f);
// The same for the month of the given date text (read as MonthText reads it).
void WriteOptResult(SharedState& s, const FrmOptP& f, const std::string& date);

// Today's date in the order MonthText reads the month from on this machine.
std::string TodayForMonthText(const SharedState& s);

}  // namespace tarvisol
