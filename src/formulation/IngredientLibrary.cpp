#include "formulation/IngredientLibrary.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "shared/TextFile.h"

namespace tarvisol {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// Largest value any field may hold: energy is below 10,000 kcal/kg, a matrix
// device such as phytase's release per % of inclusion below 10,000 too.
constexpr double kLargest = 100000;

constexpr std::array<const char*, kLibraryAminoAcids> kAminoKeys = {
    "arg", "his", "lys", "trp", "phe_tyr", "phe", "met_cys", "met", "thr", "leu", "ile", "val"};
constexpr std::array<const char*, kLibraryAminoAcids> kAminoNames = {
    "ARGININE", "HISTIDINE", "LYSINE", "TRYPTOPHAN", "PHE + TYR", "PHENYLALANINE",
    "MET + CYS", "METHIONINE", "THREONINE", "LEUCINE", "ISOLEUCINE", "VALINE"};

std::string Trimmed(std::string_view t) {
    const auto first = t.find_first_not_of(" \t\"");
    if (first == std::string_view::npos) return {};
    const auto last = t.find_last_not_of(" \t\"");
    return std::string(t.substr(first, last - first + 1));
}

}  // namespace

std::string FoldedName(std::string_view t) {
    std::string out;
    bool blank = false;
    for (char c : t) {
        if (c == ' ' || c == '\t') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

namespace {

std::string Folded(std::string_view t) { return FoldedName(t); }

// A field as a number: a period or a single comma as the decimal separator.
// Empty gives kNone with ok set; anything else that is not a whole number
// clears ok.
double FieldNumber(std::string field, bool& ok) {
    field = Trimmed(field);
    ok = true;
    if (field.empty()) return kNone;
    if (field.find('.') == std::string::npos) {
        const auto comma = field.find(',');
        if (comma != std::string::npos && field.find(',', comma + 1) == std::string::npos) field[comma] = '.';
    }
    double v = 0;
    const char* first = field.data();
    if (*first == '+') ++first;
    const auto [p, ec] = std::from_chars(first, field.data() + field.size(), v);
    ok = ec == std::errc() && p == field.data() + field.size() && std::isfinite(v) && v >= 0 && v < kLargest;
    return ok ? v : kNone;
}

struct Column {
    const char* key;
    bool required;
    double LibraryIngredient::* field;  // null for the amino acids
    int amino = -1;                     // index into total or sid
    bool sid = false;
};

std::vector<Column> Columns() {
    std::vector<Column> c = {
        {"dm", false, &LibraryIngredient::dm},    {"me", false, &LibraryIngredient::me},
        {"ne", true, &LibraryIngredient::ne},     {"cp", true, &LibraryIngredient::cp},
        {"ca", true, &LibraryIngredient::ca},     {"p", true, &LibraryIngredient::p},
        {"sttd_p", true, &LibraryIngredient::sttdP}, {"na", true, &LibraryIngredient::na},
        {"cl", true, &LibraryIngredient::cl},     {"cf", true, &LibraryIngredient::cf},
        {"ee", true, &LibraryIngredient::ee},     {"min", false, &LibraryIngredient::minimum},
        {"max", false, &LibraryIngredient::maximum}, {"max_finish", false, &LibraryIngredient::maxFinish},
        {"price", false, &LibraryIngredient::price}};
    for (int a = 0; a < kLibraryAminoAcids; ++a) {
        c.push_back({nullptr, false, nullptr, a, false});
        c.push_back({nullptr, true, nullptr, a, true});
    }
    return c;
}

std::string KeyOf(const Column& c) {
    if (c.key) return c.key;
    return std::string(c.sid ? "sid_" : "tot_") + kAminoKeys[static_cast<std::size_t>(c.amino)];
}

}  // namespace

IngredientLibrary ReadIngredientLibrary(std::string_view text) {
    IngredientLibrary lib;
    const std::vector<std::string> lines = SplitLines(text);
    const std::vector<Column> columns = Columns();
    std::map<std::string, std::size_t> at;  // key -> field position
    bool header = false;
    std::size_t nameAt = 0;
    std::map<std::string, bool> seen;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::string where = "line " + std::to_string(n + 1) + ": ";
        if (Trimmed(line).empty() || line[0] == '#') continue;
        const std::vector<std::string> fields = SplitTabs(line);
        if (!header) {
            header = true;
            for (std::size_t f = 0; f < fields.size(); ++f) {
                const std::string key = Folded(Trimmed(fields[f]));
                if (!key.empty() && !at.count(key)) at[key] = f;
            }
            std::string missing;
            for (const Column& c : columns)
                if (c.required && !at.count(KeyOf(c))) missing += (missing.empty() ? "" : ", ") + KeyOf(c);
            if (!at.count("name")) missing = "name" + (missing.empty() ? "" : ", " + missing);
            if (!missing.empty()) {
                lib.notes.push_back(where + "the column names lack " + missing + "; no ingredient was read");
                return lib;
            }
            nameAt = at["name"];
            continue;
        }
        auto field = [&](const std::string& key) -> std::string {
            const auto it = at.find(key);
            return it != at.end() && it->second < fields.size() ? fields[it->second] : std::string();
        };
        LibraryIngredient row;
        row.name = nameAt < fields.size() ? Trimmed(fields[nameAt]) : std::string();
        if (row.name.empty()) {
            lib.notes.push_back(where + "no name; the line was left out");
            continue;
        }
        if (seen[Folded(row.name)]) {
            lib.notes.push_back(where + row.name + " is named twice; this line was left out");
            continue;
        }
        row.group = Trimmed(field("group"));
        row.source = Trimmed(field("source"));
        std::string fault;
        for (const Column& c : columns) {
            const std::string key = KeyOf(c);
            const std::string text = field(key);
            bool ok = true;
            const double v = at.count(key) ? FieldNumber(text, ok) : kNone;
            if (!ok || (c.required && std::isnan(v))) {
                fault = key + (ok ? " is empty" : " '" + Trimmed(text) + "' is not a number from 0 to 100000");
                break;
            }
            if (c.field)
                row.*c.field = v;
            else
                (c.sid ? row.sid : row.total)[static_cast<std::size_t>(c.amino)] = v;
        }
        if (!fault.empty()) {
            lib.notes.push_back(where + row.name + ": " + fault + "; the line was left out");
            lib.leftOut.push_back({row.name, lib.notes.back()});
            continue;
        }
        seen[Folded(row.name)] = true;
        lib.rows.push_back(std::move(row));
    }
    if (!header) lib.notes.push_back("the file names no columns; no ingredient was read");
    return lib;
}

bool LoadIngredientLibrary(const std::string& path, IngredientLibrary& library, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text, error)) return false;
    library = ReadIngredientLibrary(text);
    if (library.rows.empty()) {
        error = path + " holds no ingredient" + (library.notes.empty() ? "" : " (" + library.notes.front() + ")");
        return false;
    }
    return true;
}

const LibraryIngredient* FindLibraryIngredient(const IngredientLibrary& library, std::string_view name) {
    const std::string wanted = Folded(Trimmed(name));
    for (const LibraryIngredient& row : library.rows)
        if (Folded(row.name) == wanted) return &row;
    return nullptr;
}

std::string WhyNotInLibrary(const IngredientLibrary& library, std::string_view name) {
    if (FindLibraryIngredient(library, name)) return {};
    const std::string wanted = Folded(Trimmed(name));
    for (const LibraryLineLeftOut& l : library.leftOut)
        if (Folded(l.name) == wanted) return l.note;
    return {};
}

std::vector<const LibraryIngredient*> SearchLibrary(const IngredientLibrary& library, std::string_view query) {
    std::vector<std::string> words;
    const std::string q = Folded(query);
    for (std::size_t start = 0; start < q.size();) {
        const std::size_t end = std::min(q.find(' ', start), q.size());
        words.push_back(q.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const LibraryIngredient*> found;
    for (const LibraryIngredient& row : library.rows) {
        const std::string hay = Folded(row.name + " " + row.group);
        if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return hay.find(w) != std::string::npos; }))
            found.push_back(&row);
    }
    return found;
}

const std::vector<std::string>& LibraryNutrientNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"NET ENERGY (NE)", "CRUDE PROTEIN"};
        for (const char* a : kAminoNames) n.push_back(std::string("SID ") + a);
        for (const char* f : {"CALCIUM", "STTD PHOSPHORUS", "SODIUM", "CHLORINE", "CRUDE FIBRE", "ETHER EXTRACT",
                              "TOTAL PHOSPHORUS"})
            n.push_back(f);
        return n;
    }();
    return names;
}

std::vector<double> LibraryMatrixValues(const LibraryIngredient& row) {
    std::vector<double> v = {row.ne, row.cp};
    v.insert(v.end(), row.sid.begin(), row.sid.end());
    for (double x : {row.ca, row.sttdP, row.na, row.cl, row.cf, row.ee, row.p}) v.push_back(x);
    return v;
}

}  // namespace tarvisol
