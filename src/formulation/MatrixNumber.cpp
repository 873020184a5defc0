#include "formulation/MatrixNumber.h"

#include <algorithm>

#include "shared/Numbers.h"

namespace tarvisol {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// True, with the number in the file number format, when the text groups its
// thousands clearly: a space between groups, or a decimal separator other
// than the grouping one, or two groups or more.
bool UngroupThousands(std::string_view text, std::string& plain) {
    text = Trimmed(text);
    std::string sign;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') sign = "-";
        text.remove_prefix(1);
    }
    for (char group : {',', '.', ' '}) {
        const auto first = text.find(group);
        if (first == std::string_view::npos || first == 0 || first > 3 || !AllDigits(text.substr(0, first))) continue;
        std::string digits(text.substr(0, first));
        std::string_view rest = text.substr(first);
        int groups = 0;
        while (rest.size() >= 4 && rest[0] == group && AllDigits(rest.substr(1, 3)) &&
               (rest.size() == 4 || !(rest[4] >= '0' && rest[4] <= '9'))) {
            digits += rest.substr(1, 3);
            rest.remove_prefix(4);
            ++groups;
        }
        if (groups == 0) continue;
        std::string fraction;
        bool decimal = false;
        if (!rest.empty()) {
            if (rest[0] == group || !(rest[0] == ',' || rest[0] == '.')) continue;
            if (rest.size() > 1 && !AllDigits(rest.substr(1))) continue;
            fraction = std::string(rest.substr(1));
            decimal = true;
        }
        if (!(group == ' ' || decimal || groups >= 2)) continue;
        plain = sign + digits + (fraction.empty() ? "" : "." + fraction);
        return true;
    }
    return false;
}

// A lone comma before three digits after a whole number ("1,350"): read as a
// decimal comma, as every reader does, though it may have meant thousands.
bool MayMeanThousands(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const auto comma = text.find(',');
    return comma != std::string_view::npos && comma >= 1 && comma <= 3 && text[0] != '0' &&
           AllDigits(text.substr(0, comma)) && text.size() == comma + 4 && AllDigits(text.substr(comma + 1));
}

// The note for a number read from written, or empty.
std::string NoteOn(std::string_view written, bool grouped, double value) {
    if (grouped) return std::string(written) + " groups thousands and was read as " + FormatExact(value);
    if (!MayMeanThousands(written)) return {};
    std::string whole(Trimmed(written));
    whole.erase(whole.find(','), 1);
    return std::string(written) + " has a decimal comma and was read as " + FormatExact(value) + " (write " + whole +
           " if thousands were meant)";
}

}  // namespace

MatrixNumber ReadMatrixNumber(std::string_view field) {
    MatrixNumber n;
    std::string plain;
    const bool grouped = UngroupThousands(field, plain);
    if (grouped) {
        n.text = plain;
        n.value = Val(plain);
    } else {
        n.text = std::string(field);
        n.value = NumVal(n.text);  // the text now has its comma corrected
    }
    n.note = NoteOn(field, grouped, n.value);
    return n;
}

bool ReadMatrixCell(std::string_view cell, MatrixNumber& number) {
    const std::string_view text = Trimmed(cell);
    if (text.empty()) {
        number = MatrixNumber{};
        number.text = "0";
        return true;
    }
    std::string plain;
    const bool grouped = UngroupThousands(text, plain);
    double v = 0;
    if (!ReadWholeNumber(grouped ? std::string_view(plain) : text, v)) return false;
    number.value = v;
    number.text = grouped ? plain : FixDecimalComma(text);
    number.note = NoteOn(text, grouped, v);
    return true;
}

}  // namespace tarvisol
