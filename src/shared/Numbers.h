#pragma once
// Reading numbers typed by the user or found in files, and formatting numbers
// by magnitude so that grids stay narrow.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvisol {

// The text with its first comma replaced by a period ("1,234,5" -> "1.234,5").
std::string FixDecimalComma(std::string_view text);

// The plain leading number of a text: leading blanks and tabs skipped, an
// optional sign, digits with one decimal point, an optional exponent; reading
// stops at the first character that cannot continue the number. No leading
// number, or a number too large for a double, gives 0.
double Val(std::string_view text);

// The tolerant reader: corrects the first comma to a period, writes the
// corrected text back into the caller's variable, and returns its Val.
double NumVal(std::string& text);
double NumVal(std::string_view text);  // same, without the write-back

// True when the whole text (blanks around it aside) is one finite number, a
// decimal comma allowed; value then holds it. Empty text is no number.
bool ReadWholeNumber(std::string_view text, double& value);

// Val rounded to a whole number, an exact half to the even neighbour; no comma
// correction. A value outside the 16-bit range raises error 6 "Overflow".
int16_t IntVal(std::string_view text);

// Round half to even to a whole number (the rounding of the system's integer
// conversions).
double RoundHalfEven(double x);

// Renders a value with a digit-placeholder pattern such as "###.#0": '0'
// always shows a digit, '#' only when significant; the decimals up to the last
// '0' placeholder always show, the '#' decimals after it only when not zero.
std::string FormatPattern(double value, std::string_view pattern);

// The pattern each formatter picks for a value (exposed for tests and callers
// that align columns).
std::string_view PatternAuto(double value);
std::string_view PatternPrecise(double value);
std::string_view PatternShort(double value);

std::string FormatAuto(double value);
std::string FormatPrecise(double value);
std::string FormatShort(double value);

// FormatAuto when that reads back as the same value, otherwise the shortest
// text that does: for cells that are read back as inputs (the growth curve).
std::string FormatExact(double value);

// The value with `digits` significant digits in plain decimals (at least its
// whole digits, no exponent): 0.000123456 with 4 reads "0.0001235", 13.9
// reads "13.90", 9.99996 reads "10.00".
std::string FormatSignificant(double value, int digits);

// A number in the plain form of a printed number: integers with a leading
// blank when not negative (" 12", "-3"), other values with the shortest
// round-trip decimals (" 12.5"). Used by the file writers.
std::string PrintNumber(double value);

bool FileExists(const std::string& path);

}  // namespace tarvisol
