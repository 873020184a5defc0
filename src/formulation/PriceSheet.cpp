#include "formulation/PriceSheet.h"

#include "formulation/IngredientLibrary.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

#include "shared/Clipboard.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

std::string Folded(std::string_view t) { return FoldedName(t); }

std::string Trimmed(std::string_view t) {
    const auto first = t.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(t.substr(first, t.find_last_not_of(" \t") - first + 1));
}

// The fields of one line: TAB separated when it has a TAB, otherwise CSV
// with ';' (when the line has one outside quotes) or ',' between fields and
// '"' around them ("" inside quotes is one ").
std::vector<std::string> Fields(std::string_view line, char& separator) {
    separator = '\t';
    if (line.find('\t') == std::string_view::npos) {
        separator = ',';
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            if (c == ';' && !quoted) separator = ';';
        }
    }
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& f : fields) f = Trimmed(f);
    return fields;
}

enum class Decimal { Unknown, Point, Comma };

// A price as written: digits with '.' and ',' (currency signs, blanks and
// apostrophes used for grouping dropped). kind tells what the text itself
// says of the decimal separator; ambiguous is set for one separator followed
// by exactly three digits, which the sheet as a whole must decide.
struct PriceText {
    std::string digits;  // digits, '.' and ',' only
    bool negative = false, number = false, ambiguous = false;
    Decimal says = Decimal::Unknown;
};

PriceText Parse(std::string_view field) {
    PriceText p;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        if (std::isdigit(c) || c == '.' || c == ',')
            p.digits += static_cast<char>(c);
        else if (c == '-' && p.digits.empty())
            p.negative = true;
        else if (std::isalpha(c) && !p.digits.empty())
            return p;  // "12 kg": not a price
    }
    if (p.digits.empty() || !std::isdigit(static_cast<unsigned char>(p.digits.back()))) return p;
    const auto lastPoint = p.digits.rfind('.'), lastComma = p.digits.rfind(',');
    const bool points = lastPoint != std::string::npos, commas = lastComma != std::string::npos;
    const auto count = [&](char c) { return std::count(p.digits.begin(), p.digits.end(), c); };
    if (points && commas) {
        p.says = lastPoint > lastComma ? Decimal::Point : Decimal::Comma;
        if (count(p.says == Decimal::Point ? '.' : ',') > 1) return p;
    } else if (points || commas) {
        const char sep = points ? '.' : ',';
        const std::size_t at = points ? lastPoint : lastComma;
        const std::size_t after = p.digits.size() - at - 1;
        if (count(sep) > 1) {
            p.says = points ? Decimal::Comma : Decimal::Point;  // "1.234.567": grouping
        } else if (after != 3 || at == 0 || p.digits.substr(0, at) == "0") {
            p.says = points ? Decimal::Point : Decimal::Comma;
        } else {
            p.ambiguous = true;
        }
    }
    p.number = true;
    return p;
}

double Value(const PriceText& p, Decimal decimal) {
    std::string t;
    const char dec = decimal == Decimal::Comma ? ',' : '.';
    for (char c : p.digits) {
        if (c == dec)
            t += '.';
        else if (std::isdigit(static_cast<unsigned char>(c)))
            t += c;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return -1;
    return p.negative ? -v : v;
}

std::string Where(std::size_t line) { return "line " + std::to_string(line) + ": "; }

// A price as a message gives it: the shortest text that reads back as it.
std::string ShortestPrice(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

}  // namespace

PriceSheet ReadPriceSheet(std::string_view text, const SharedState& s) {
    std::vector<std::string> names;
    for (int i = 1; i <= s.IngredientCount && i <= 100; ++i) names.push_back(s.IngredientNames(i));
    return ReadPriceSheet(text, names);
}

PriceSheet ReadPriceSheet(std::string_view text, const std::vector<std::string>& ingredients) {
    PriceSheet sheet;
    const auto known = [&](const std::string& name) {
        const std::string folded = Folded(name);
        return !folded.empty() && std::any_of(ingredients.begin(), ingredients.end(),
                                               [&](const std::string& i) { return Folded(i) == folded; });
    };
    struct Pending {
        std::string name, field;
        PriceText price;
        std::size_t line;
    };
    std::vector<Pending> pending;
    bool first = true;
    // A sheet saved as UTF-8 (with its byte-order mark, or with characters
    // only UTF-8 writes) names its ingredients in the matrix's single-byte
    // text; a name the matrix's text cannot hold stays as written.
    const bool utf8 = text.substr(0, 3) == "\xEF\xBB\xBF" || LooksLikeUtf8(text);
    const auto nameBytes = [&](const std::string& name) {
        if (!utf8) return name;
        bool lossless = false;
        const std::string bytes = Utf8ToWindows1252(name, &lossless);
        return lossless ? bytes : name;
    };
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        char separator = '\t';
        std::vector<std::string> f = Fields(lines[n], separator);
        if (std::all_of(f.begin(), f.end(), [](const std::string& x) { return x.empty(); })) continue;
        // "Corn,175,50" unquoted: a comma-separated sheet whose price has a
        // decimal comma or grouping; the digits after it belong to the price.
        if (separator == ',' && f.size() > 2) {
            const bool digitsOnly = std::all_of(f.begin() + 2, f.end(), [](const std::string& x) {
                return !x.empty() && x.find_first_not_of("0123456789.") == std::string::npos;
            });
            if (digitsOnly) {
                for (std::size_t i = 2; i < f.size(); ++i) f[1] += "," + f[i];
                f.resize(2);
            }
        }
        const std::string name = nameBytes(f[0]);
        const std::string field = f.size() > 1 ? f[1] : std::string();
        const PriceText price = Parse(field);
        // Column names rather than a price; a first line that names an
        // ingredient is data all the same.
        const bool header = first && !price.number && !known(name);
        first = false;
        if (header) {
            sheet.headerLine = n + 1;
            sheet.header = lines[n];
            continue;
        }
        if (name.empty()) {
            sheet.notes.push_back(Where(n + 1) + "no ingredient name");
            continue;
        }
        if (!price.number) {
            sheet.notes.push_back(Where(n + 1) + name + ": '" + field + "' is not a price");
            continue;
        }
        if (price.negative) {
            sheet.notes.push_back(Where(n + 1) + name + ": a price cannot be below 0 ('" + field + "')");
            continue;
        }
        pending.push_back({name, field, price, n + 1});
    }
    // The sheet's decimal separator, from the prices that say it.
    bool point = false, comma = false;
    for (const Pending& p : pending) {
        point = point || p.price.says == Decimal::Point;
        comma = comma || p.price.says == Decimal::Comma;
    }
    const Decimal sheetDecimal = point == comma ? Decimal::Unknown : point ? Decimal::Point : Decimal::Comma;
    for (const Pending& p : pending) {
        Decimal d = p.price.says;
        if (p.price.ambiguous) {
            if (sheetDecimal == Decimal::Unknown) {
                sheet.notes.push_back(Where(p.line) + p.name + ": '" + p.field +
                                      "' could be read with the separator as a decimal point or as thousands; "
                                      "write the price without grouping");
                continue;
            }
            d = sheetDecimal;
        } else if (d == Decimal::Unknown) {
            d = Decimal::Point;  // a whole number
        }
        const double v = Value(p.price, d);
        if (!(v >= 0)) {
            sheet.notes.push_back(Where(p.line) + p.name + ": '" + p.field + "' is not a price");
            continue;
        }
        sheet.rows.push_back({p.name, v, p.line});
    }
    return sheet;
}

PriceMatch MatchPrices(const SharedState& s, const PriceSheet& sheet) {
    PriceMatch m;
    // Every row of the matrix under each name, in matrix order.
    std::map<std::string, std::vector<int>> index;
    for (int i = 1; i <= s.IngredientCount; ++i)
        if (!s.IngredientNames(i).empty()) index[Folded(s.IngredientNames(i))].push_back(i);
    std::map<std::string, const PriceSheetRow*> firstRow;  // the line that priced each name first
    for (const PriceSheetRow& row : sheet.rows) {
        const std::string folded = Folded(row.name);
        const auto it = index.find(folded);
        if (it == index.end()) {
            if (std::find(m.unmatched.begin(), m.unmatched.end(), row.name) == m.unmatched.end())
                m.unmatched.push_back(row.name);
            continue;
        }
        if (const auto seen = firstRow.find(folded); seen != firstRow.end()) {
            const PriceSheetRow& first = *seen->second;
            const std::string lines = "lines " + std::to_string(first.line) + " and " + std::to_string(row.line);
            if (first.price != row.price)
                m.conflicts.push_back(row.name + ": " + lines + " give two prices, " + ShortestPrice(first.price) +
                                      " and " + ShortestPrice(row.price));
            else
                m.notes.push_back(row.name + ": " + lines + " give the same price, " + ShortestPrice(row.price));
            continue;
        }
        firstRow[folded] = &row;
        const std::vector<int>& rows = it->second;
        if (rows.size() > 1) {
            std::string list;
            for (std::size_t k = 0; k < rows.size(); ++k)
                list += (k == 0 ? "" : k + 1 == rows.size() ? " and " : ", ") + std::to_string(rows[k]);
            m.notes.push_back(s.IngredientNames(rows[0]) + " names rows " + list +
                              " of the matrix: each of them takes the price " + ShortestPrice(row.price));
        }
        for (int i : rows) m.changes.push_back({i, s.IngredientNames(i), s.IngredientPrices(i), row.price});
    }
    return m;
}

std::string MatrixTextWithPrices(std::string_view matrixText, const PriceMatch& match) {
    std::vector<std::string> lines = SplitLines(matrixText);
    if (lines.empty()) return {};
    std::string header = lines[0];
    for (char& c : header)
        if (c == ',' || c == '\t') c = ' ';
    std::string_view rest(header);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    const double ingredients = RoundHalfEven(Val(rest));
    rest.remove_prefix(std::min(rest.find(' '), rest.size()));
    const double columns = RoundHalfEven(Val(rest));
    if (ingredients < 1 || ingredients > 100 || columns < 2 || columns > 121) return {};
    const std::size_t I = static_cast<std::size_t>(ingredients), C = static_cast<std::size_t>(columns);
    if (lines.size() < 1 + I + (C - 1) + I * C) return {};
    for (const PriceChange& c : match.changes) {
        if (c.ingredient < 1 || static_cast<std::size_t>(c.ingredient) > I) return {};
        std::string& line = lines[I + C + static_cast<std::size_t>(c.ingredient - 1) * C];
        std::string number = FixDecimalComma(FormatPrecise(c.after));
        if (Val(number) != c.after) number = FormatExact(c.after);
        const auto tab = line.find('\t');
        line = number + (tab == std::string::npos ? std::string() : line.substr(tab));
    }
    return JoinCrlf(lines);
}

void ApplyPrices(SharedState& s, const PriceMatch& match) {
    if (match.Refused()) return;
    bool changed = false;
    for (const PriceChange& c : match.changes)
        if (s.IngredientPrices(c.ingredient) != c.after) {
            s.IngredientPrices(c.ingredient) = c.after;
            changed = true;
        }
    if (changed) ++s.MatrixVersion;
}

PriceMatch PastePriceSheet(SharedState& s, MatrixEditorWindow& w, std::string_view text) {
    const PriceSheet sheet = ReadPriceSheet(text, s);
    PriceMatch m = MatchPrices(s, sheet);
    std::string msg;
    if (m.Refused()) {
        msg = "No price was changed: the sheet gives one ingredient two prices.";
        for (const std::string& c : m.conflicts) msg += "\n  " + c;
        DialogsOf(s).Message(msg);
        return m;
    }
    int changed = 0;
    for (const PriceChange& c : m.changes) {
        if (c.ingredient >= w.GridMatrix.Rows()) continue;
        if (NumVal(std::string_view(w.GridMatrix.TextMatrix(c.ingredient, 1))) == c.after) continue;
        w.GridMatrix.SetTextMatrix(c.ingredient, 1, FormatExact(c.after));
        ++changed;
    }
    if (sheet.rows.empty()) {
        msg = "No prices were read from the sheet: it needs two columns, the ingredient's name and its price.";
    } else {
        msg = std::to_string(changed) + (changed == 1 ? " price changed" : " prices changed") + " in the matrix (" +
              std::to_string(m.changes.size() - static_cast<std::size_t>(changed)) +
              " already as the sheet gives them). Take the changes over and save the matrix to keep them.";
        if (!m.unmatched.empty()) {
            msg += "\nNot in the matrix:";
            for (const std::string& n : m.unmatched) msg += "\n  " + n;
        }
    }
    if (sheet.headerLine > 0)
        msg += "\nLine " + std::to_string(sheet.headerLine) + " was taken as the column names: " + sheet.header;
    for (const std::string& n : m.notes) msg += "\n" + n;
    if (!sheet.notes.empty()) {
        msg += "\nNot read:";
        for (const std::string& n : sheet.notes) msg += "\n  " + n;
    }
    DialogsOf(s).Message(msg);
    return m;
}

void PasteClipboardPrices(SharedState& s, MatrixEditorWindow& w) { PastePriceSheet(s, w, ClipboardOf(s).GetText()); }

void PricesFromFile(SharedState& s, MatrixEditorWindow& w) {
    const std::string pattern = "*.csv";
    const std::string path = DialogsOf(s).OpenFile("Prices from a Sheet", "*.csv;*.txt;*.tsv",
                                                   s.LocationFolder, pattern);
    if (path.empty() || path == pattern) return;
    std::string text, error;
    if (!ReadTextFile(path, text, error)) {
        DialogsOf(s).Message(error);
        return;
    }
    PastePriceSheet(s, w, text);
}

}  // namespace tarvisol
