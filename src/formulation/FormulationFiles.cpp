#include "formulation/FormulationFiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "formulation/Formulate.h"
#include "formulation/DietPriceCell.h"
#include "formulation/MatrixNumber.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/RuntimeError.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

constexpr int kMaxIngredients = 100;
constexpr int kMaxColumns = 121;
constexpr int kMaxDiets = 8;
// The diets of a programme: the diets grid and a diet file hold at most these.
constexpr std::size_t kProgrammeDiets = 6;
constexpr int kDietFileRows = 18;
constexpr const char* kLoadLpTail = ") in procedure  LoadLP";
constexpr const char* kUseDietsOnGrid = "Use Diets on Grid";
constexpr int kUseDietsOnGridPosition = 2;

Dialogs& Ui(SharedState& s) { return DialogsOf(s); }

void ShowFile(SharedState& s, int row, const std::string& path) {
    if (!s.Main) return;
    s.Main->gridFILES.EnsureCell(row, 0);
    s.Main->gridFILES.SetTextMatrix(row, 0, path);
}

// Sets the "Feed Formulation" choice to "Use Diets on Grid".
void UseDietsOnGrid(SharedState& s) {
    if (!s.Main) return;
    ComboBox& c = s.Main->Combo1;
    const auto it = std::find(c.Items.begin(), c.Items.end(), kUseDietsOnGrid);
    c.ListIndex = it != c.Items.end() ? static_cast<int>(it - c.Items.begin()) : kUseDietsOnGridPosition;
}

// Shows DietCount in the main window's diet-number list, when the list offers it.
void ShowDietCount(SharedState& s) {
    if (!s.Main) return;
    ComboBox& c = s.Main->ComboDiets;
    const auto it = std::find(c.Items.begin(), c.Items.end(), std::to_string(s.DietCount));
    if (it != c.Items.end()) c.ListIndex = static_cast<int>(it - c.Items.begin());
}

// The folder the file choosers start in.
std::string FolderFor(const SharedState& s, const std::string& path) {
    if (!s.LocationFolder.empty()) return s.LocationFolder;
    return std::filesystem::path(path).parent_path().string();
}

// An existing file of that name, matching the name without regard to letter
// case when the exact name does not exist (location files are named as on a
// case-blind file system: "DemoReq.ing" pairs with "DemoReq.Nut").
std::string Resolve(const std::string& path) {
    if (path.empty() || FileExists(path)) return path;
    std::error_code ec;
    const std::filesystem::path p(path);
    const std::filesystem::path dir = p.has_parent_path() ? p.parent_path() : std::filesystem::path(".");
    const std::string want = p.filename().string();
    auto lower = [](std::string t) {
        for (auto& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return t;
    };
    const std::string key = lower(want);
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) == key && it->is_regular_file(ec))
            return (p.has_parent_path() ? dir / it->path().filename() : it->path().filename()).string();
    }
    return path;
}

bool Exists(const std::string& path) { return !path.empty() && FileExists(Resolve(path)); }

bool ReadFileLines(SharedState& s, const std::string& path, std::vector<std::string>& lines,
                   std::string* bytes = nullptr) {
    std::string error, content;
    if (!ReadTextFile(Resolve(path), content, error)) {
        Ui(s).Message(error);
        return false;
    }
    lines = SplitLines(content);
    if (bytes) *bytes = std::move(content);
    return true;
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string Trim(std::string t) {
    const auto b = t.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    const auto e = t.find_last_not_of(' ');
    return t.substr(b, e - b + 1);
}

// TABs and line breaks inside a cell would break the line layout.
std::string OneField(std::string t) {
    for (auto& c : t)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return t;
}

// Collects the lines a reader skipped and the lines it read but the user
// should look at, and reports each kind in one message.
class SkippedLines {
public:
    explicit SkippedLines(std::string path) : path_(std::move(path)) {}
    void Add(std::size_t line, const std::string& why) {
        if (count_++ < 5) detail_ += "\nline " + std::to_string(line) + ": " + why;
    }
    void Note(std::size_t line, const std::string& what) {
        if (notes_++ < 5) noteDetail_ += "\nline " + std::to_string(line) + ": " + what;
    }
    void Report(SharedState& s) const {
        if (count_ > 0) {
            std::string text = path_ + ": " + std::to_string(count_) + " line" + (count_ == 1 ? "" : "s") +
                               " skipped, outside the tables" + detail_;
            if (count_ > 5) text += "\n... and " + std::to_string(count_ - 5) + " more";
            Ui(s).Message(text);
        }
        if (notes_ > 0) {
            std::string text = path_ + ": " + std::to_string(notes_) + " line" + (notes_ == 1 ? "" : "s") +
                               " to look at" + noteDetail_;
            if (notes_ > 5) text += "\n... and " + std::to_string(notes_ - 5) + " more";
            Ui(s).Message(text);
        }
    }

private:
    std::string path_;
    std::string detail_, noteDetail_;
    std::size_t count_ = 0, notes_ = 0;
};

// A limit field read as a number with a decimal point. A decimal comma
// ("0,2500", as a spreadsheet may write it) would read as the digits before
// the comma: it is taken as the decimal point the user meant, and told.
double LimitValue(const std::string& field, std::size_t line, const char* which, SkippedLines& notes,
                  NumberTexts& numbers) {
    const double plain = Val(field);
    const double comma = NumVal(std::string_view(field));
    if (comma != plain) {
        auto b = field.find_first_not_of(" \t");
        auto e = field.find_last_not_of(" \t");
        notes.Note(line, "the " + std::string(which) + " " + field.substr(b, e - b + 1) +
                             " has a decimal comma and was read as " + PrintNumber(comma).substr(comma < 0 ? 0 : 1) +
                             " (restriction files take a full stop)");
        return comma;
    }
    numbers.Add(plain, field);
    return plain;
}

// Reads the lines of a restriction file; calls store(d, index, min, max, line)
// for every line whose indices lie in the tables, and check(index) -> a note
// for the user, or an empty text.
template <class Check, class Store>
void ReadRestrictionLines(SharedState& s, const std::string& path, const std::vector<std::string>& lines,
                          int maxIndex, const char* what, NumberTexts& numbers, Check check, Store store) {
    SkippedLines skipped(path);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (IsBlank(lines[n])) continue;
        const RestrictionLine r = ParseRestrictionLine(lines[n]);
        if (r.diet < 1 || r.diet > kMaxDiets) {
            skipped.Add(n + 1, "diet " + PrintNumber(r.diet).substr(r.diet < 0 ? 0 : 1) + " (diets run from 1 to 8)");
            continue;
        }
        if (r.index < 0 || r.index > maxIndex) {
            skipped.Add(n + 1, std::string(what) + " " + PrintNumber(r.index).substr(r.index < 0 ? 0 : 1) +
                                   " (at most " + std::to_string(maxIndex) + ")");
            continue;
        }
        const double lo = LimitValue(r.minimumText, n + 1, "minimum", skipped, numbers);
        const double hi = LimitValue(r.maximumText, n + 1, "maximum", skipped, numbers);
        if (lo != 0 || hi != 0) {
            const std::string note = check(static_cast<int>(r.index));
            if (!note.empty()) skipped.Note(n + 1, note);
        }
        const int d = static_cast<int>(r.diet);
        if (d > s.RestrictionDiets) s.RestrictionDiets = static_cast<int16_t>(d);
        store(d, static_cast<int>(r.index), lo, hi);
    }
    skipped.Report(s);
}

// Empties the nutrient limits of every diet before a nutrient file is read:
// the file holds the whole set.
void ClearNutrientLimits(SharedState& s) {
    for (int d = 1; d <= kMaxDiets; ++d)
        for (int b = 1; b <= 2; ++b)
            for (int k = 0; k <= kMaxColumns; ++k)
                s.FileNutrientLimits(d, b, k) = s.NutrientLimits(d, b, k) = s.LoadedNutrientLimits(d, b, k) = 0;
}

// The note for a restriction on ingredient i that the matrix does not hold.
std::string IngredientNote(int i, int matrixIngredients) {
    if (matrixIngredients == 0 || i <= matrixIngredients) return {};
    return "ingredient " + std::to_string(i) + " is not in the matrix, which holds " +
           std::to_string(matrixIngredients) + " ingredient" + (matrixIngredients == 1 ? "" : "s");
}

// The note for a restriction on nutrient k that no ingredient of the matrix holds.
// A restriction on nutrient k lists the nutrient: the count of matrix columns
// (the weight counted) covers its column k + 1.
void RaiseNutrientCount(SharedState& s, int k) {
    if (k + 1 > s.NutrientCount) s.NutrientCount = static_cast<int16_t>(std::min(k + 1, kMaxColumns));
}

std::string NutrientNote(const SharedState& s, int k) {
    if (s.IngredientCount == 0 || k < 1) return {};
    const int c = k + 1;
    if (c <= kMaxColumns)
        for (int i = 1; i <= s.IngredientCount; ++i)
            if (s.IngredientMatrix(c, i) != 0) return {};
    std::string name = c <= kMaxColumns ? s.NutrientNames(c) : std::string();
    if (name.empty() && c <= 15) name = DefaultColumnLabel(c);
    return "nutrient " + std::to_string(k) + (name.empty() ? std::string() : " (" + name + ")") +
           " is in no ingredient of the matrix, so this restriction cannot be met as the matrix stands";
}

// The number on a matrix value line: its first field, read as a matrix
// number; its text is remembered for the next save, and `note` says how a
// grouped or comma number was read.
double MatrixValue(const std::string& line, NumberTexts* numbers = nullptr, std::string* note = nullptr) {
    std::string field = line;
    const auto tab = line.find('\t');
    if (tab != std::string::npos && tab > 0) {
        field = line.substr(0, tab);
    } else if (tab == 0) {
        const auto comma = line.find(',');
        if (comma != std::string::npos && comma > 0) field = line.substr(0, comma);
    }
    const MatrixNumber n = ReadMatrixNumber(field);
    if (note) *note = n.note;
    if (numbers) numbers->Add(n.value, n.text);
    return n.value;
}

// The last ingredient and the last matrix column that hold anything (a name
// or a value): ingredients or columns named only by a restriction line are
// not part of the matrix.
int MatrixIngredients(const SharedState& s) {
    int last = std::min<int>(s.IngredientCount, kMaxIngredients);
    auto empty = [&](int i) {
        if (!s.IngredientNames(i).empty() || s.IngredientPrices(i) != 0) return false;
        for (int c = 2; c <= std::min(s.NutrientCount, kMaxColumns); ++c)
            if (s.IngredientMatrix(c, i) != 0) return false;
        return true;
    };
    while (last > 0 && empty(last)) --last;
    return last;
}

int MatrixColumns(const SharedState& s, int ingredients) {
    int last = std::min(s.NutrientCount, kMaxColumns);
    auto empty = [&](int c) {
        if (!s.NutrientNames(c).empty()) return false;
        for (int i = 1; i <= ingredients; ++i)
            if (s.IngredientMatrix(c, i) != 0) return false;
        return true;
    };
    while (last > 15 && empty(last)) --last;
    return last;
}

std::string ColumnName(const SharedState& s, int c) {
    if (c <= 15 && s.NutrientNames(c).empty()) return DefaultColumnLabel(c);
    return s.NutrientNames(c);
}

std::string SaveTitle(const std::string& current) {
    return "CURRENT FILE IS " + current + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT";
}

bool Write(SharedState& s, const std::string& path, const std::string& content, const std::string& numbersFrom) {
    return Holds(SaveLocationFile(s, path, content, numbersFrom));
}

constexpr const char* kCrlf = "\r\n";

}  // namespace

std::string FileNumber(double value) { return FixDecimalComma(FormatPrecise(value)); }

std::string PrintInteger(long value) {
    return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -value : value) + " ";
}

std::string ToNextPrintZone(std::string field) {
    const std::size_t zone = 14;
    field.append(zone - field.size() % zone, ' ');
    return field;
}

std::string DefaultColumnLabel(int c) {
    static const char* const labels[16] = {"",           "Weight",        "Net ENERGY", "PROTEIN",   "ARGININE",
                                           "HISTIDINE",  "LYSINE",        "TRYPTOPHAN", "PHE + TYROSINE",
                                           "PHENYLALANINE", "MET + CYS",  "METHIONINE", "THREONINE", "LEUCINE",
                                           "ISOLEUCINE", "VALINE"};
    return c >= 1 && c <= 15 ? labels[c] : std::string("Column ") + std::to_string(c);
}

std::string DefaultDietRowLabel(const SharedState& s, int r) {
    // Row r holds nutrient r - 3 from row 4 on.
    static const char* const labels[18] = {"Diet Name", "Feed Cost",      "Feed Weight",   "Energy NE", "Protein",
                                           "Arginine",  "Histidine",      "Lysine",        "Tryptophan",
                                           "Phe + Tyrosine", "Phenylalanine", "MET_CYS",   "Methionine",
                                           "Threonine", "LEUCINE",        "Isoleucine",    "Valine",    ""};
    if (r >= 1 && r <= 17) return labels[r - 1];
    const int k = r - 3;
    if (k >= 1 && k + 1 <= kMaxColumns && !s.NutrientNames(k + 1).empty()) return s.NutrientNames(k + 1);
    return "Nutrient " + std::to_string(k);
}

RestrictionLine ParseRestrictionLine(std::string_view line) {
    RestrictionLine r;
    const auto t1 = line.find('\t');
    r.diet = RoundHalfEven(Val(line.substr(0, t1)));
    if (t1 == std::string_view::npos) return r;
    const auto t2 = line.find('\t', t1 + 1);
    r.index = RoundHalfEven(Val(line.substr(t1 + 1, t2 == std::string_view::npos ? std::string_view::npos : t2 - t1 - 1)));
    if (t2 == std::string_view::npos) return r;
    const auto t3 = line.find('\t', t2 + 1);
    if (t3 == std::string_view::npos) {
        r.minimumText = line.substr(t2 + 1);
    } else {
        r.minimumText = line.substr(t2 + 1, t3 - t2 - 1);
        r.maximumText = line.substr(t3 + 1);
    }
    r.minimum = Val(r.minimumText);
    r.maximum = Val(r.maximumText);
    return r;
}

std::string NutrientCompanion(const std::string& ingredientPath) {
    if (ingredientPath.size() < 4) return ".Nut";
    return ingredientPath.substr(0, ingredientPath.size() - 4) + ".Nut";
}

bool LoadLP(SharedState& s, const std::string& path) {
    try {
        if (!Exists(path)) return false;
        std::vector<std::string> lines;
        std::string bytes;
        if (!ReadFileLines(s, path, lines, &bytes)) return false;

        // Everything is checked before the tables are touched.
        std::string header = lines.empty() ? std::string() : lines[0];
        for (auto& c : header)
            if (c == ',' || c == '\t') c = ' ';
        std::string_view rest(header);
        rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
        const double countI = RoundHalfEven(Val(rest));
        rest.remove_prefix(std::min(rest.find(' '), rest.size()));
        const double countC = RoundHalfEven(Val(rest));
        if (countI < 1 || countI > kMaxIngredients || countC < 2 || countC > kMaxColumns) {
            Ui(s).Message(path + ", line 1: a matrix of " + PrintNumber(countI).substr(countI < 0 ? 0 : 1) +
                          " ingredients and " + PrintNumber(countC).substr(countC < 0 ? 0 : 1) +
                          " columns does not fit (1 to 100 ingredients, 2 to 121 columns counting the weight); "
                          "the file was not loaded");
            return false;
        }
        const int I = static_cast<int>(countI);
        const int C = static_cast<int>(countC);
        const std::size_t need = 1 + static_cast<std::size_t>(I) + static_cast<std::size_t>(C - 1) +
                                 static_cast<std::size_t>(I) * static_cast<std::size_t>(C);
        if (lines.size() < need) {
            Ui(s).Message(path + " ends at line " + std::to_string(lines.size()) + ", but " + std::to_string(I) +
                          " ingredients of " + std::to_string(C) + " columns need " + std::to_string(need) +
                          " lines; the file was not loaded");
            return false;
        }

        ClearFormulationTables(s);
        s.IngredientCount = static_cast<int16_t>(I);
        s.NutrientCount = C;
        s.RestrictionDiets = 0;
        ++s.MatrixVersion;
        ++s.IngredientListVersion;
        std::size_t at = 1;
        for (int i = 1; i <= I; ++i) s.IngredientNames(i) = lines[at++];
        for (int c = 2; c <= C; ++c) s.NutrientNames(c) = lines[at++];
        for (int i = I + 1; i <= kMaxIngredients; ++i) s.IngredientNames(i).clear();
        for (int c = C + 1; c <= kMaxColumns; ++c) s.NutrientNames(c).clear();
        NumberTexts numbers;
        std::string notes;
        auto value = [&]() {
            std::string note;
            const double v = MatrixValue(lines[at], &numbers, &note);
            ++at;
            if (!note.empty()) notes += (notes.empty() ? "" : "; ") + ("line " + std::to_string(at) + ": ") + note;
            return v;
        };
        for (int i = 1; i <= I; ++i) {
            s.IngredientPrices(i) = value();
            s.IngredientMatrix(1, i) = 100;
            for (int c = 2; c <= C; ++c) s.IngredientMatrix(c, i) = value();
        }
        if (!notes.empty()) Ui(s).Message(path + ", " + notes);
        s.MatrixFile = path;
        ShowFile(s, kFilesRowMatrix, path);
        RememberRead(s, path, std::move(bytes), std::move(numbers), std::string());

        std::string ingredients = s.IngredientRestrictionFile;
        const std::string ending = kMatrixEnding;
        if (ingredients.empty() && path.size() >= ending.size() &&
            path.compare(path.size() - ending.size(), ending.size(), ending) == 0)
            ingredients = path.substr(0, path.size() - ending.size()) + kIngredientEnding;
        ReadRestrictions(s, ingredients);
        // The restriction files may have raised the counts: the matrix is
        // remembered as the tables stand now.
        RememberTables(s, path, MatrixText(s, NumbersOf(s, path)));

        if (s.Main) {
            // The nutrient names become the diets grid's labels. That is the
            // matrix's doing, not a change of the diets: a diet file the user
            // has not changed stays unchanged.
            const bool dietsUnchanged = !s.DietFile.empty() && !WouldChange(s, s.DietFile, DietFileText(s, s.DietCount));
            Grid& g = s.Main->Griddiets;
            for (int k = 1; k <= C - 1; ++k) {
                g.EnsureCell(k + 3, 0);
                g.SetTextMatrix(k + 3, 0, s.NutrientNames(k + 1));
            }
            if (dietsUnchanged) RememberTables(s, s.DietFile, DietFileText(s, s.DietCount));
        }
        return true;
    } catch (const std::exception& e) {
        Ui(s).Message(TrappedErrorMessage(e, kLoadLpTail));
        return false;
    }
}

void ReadRestrictions(SharedState& s, const std::string& ingredientPath) {
    // Without the ingredient file the nutrient file beside it is still read:
    // its limits are the user's, and a later save must not write over them
    // unread.
    const bool ingredientsThere = Exists(ingredientPath);
    std::vector<std::string> lines;
    std::string bytes;
    if (!ingredientsThere) {
        Ui(s).Message("No Ingredient Restriction File found named " + ingredientPath);
        UseDietsOnGrid(s);
    } else {
        if (!ReadFileLines(s, ingredientPath, lines, &bytes)) return;
        s.IngredientRestrictionFile = ingredientPath;
        ShowFile(s, kFilesRowIngredients, ingredientPath);
        // The file holds the whole set: limits of an earlier file do not stay.
        s.RestrictionDiets = 0;
        for (int d = 1; d <= kMaxDiets; ++d)
            for (int b = 1; b <= 2; ++b)
                for (int i = 0; i <= kMaxIngredients; ++i) s.FileIngredientLimits(d, b, i) = s.IngredientLimits(d, b, i) = 0;
        const int matrixIngredients = MatrixIngredients(s);
        const int16_t countBefore = s.IngredientCount;
        NumberTexts numbers;
        ReadRestrictionLines(
            s, ingredientPath, lines, kMaxIngredients, "ingredient", numbers,
            [&](int i) { return IngredientNote(i, matrixIngredients); },
            [&](int d, int i, double lo, double hi) {
                if (i > s.IngredientCount) s.IngredientCount = static_cast<int16_t>(i);
                s.FileIngredientLimits(d, 1, i) = s.IngredientLimits(d, 1, i) = lo;
                s.FileIngredientLimits(d, 2, i) = s.IngredientLimits(d, 2, i) = hi;
            });
        if (s.IngredientCount != countBefore) ++s.IngredientListVersion;
        RememberRead(s, ingredientPath, std::move(bytes), std::move(numbers), std::string());
        RememberTables(s, ingredientPath, IngredientRestrictionText(s, NumbersOf(s, ingredientPath)));
    }

    const std::string nutrients = NutrientCompanion(ingredientPath);
    ShowFile(s, kFilesRowNutrients, nutrients);
    if (!Exists(nutrients)) {
        if (ingredientsThere) {
            Ui(s).Message("No Nutrient Restriction File found named " + nutrients);
            UseDietsOnGrid(s);
        }
        return;
    }
    lines.clear();
    bytes.clear();
    if (!ReadFileLines(s, nutrients, lines, &bytes)) return;
    s.NutrientRestrictionFile = Resolve(nutrients);
    ShowFile(s, kFilesRowNutrients, s.NutrientRestrictionFile);
    ClearNutrientLimits(s);
    NumberTexts nutrientNumbers;
    ReadRestrictionLines(s, nutrients, lines, kMaxColumns, "nutrient", nutrientNumbers,
                         [&](int k) { return NutrientNote(s, k); },
                         [&](int d, int k, double lo, double hi) {
                             RaiseNutrientCount(s, k);
                             s.FileNutrientLimits(d, 1, k) = s.NutrientLimits(d, 1, k) =
                                 s.LoadedNutrientLimits(d, 1, k) = lo;
                             s.FileNutrientLimits(d, 2, k) = s.NutrientLimits(d, 2, k) =
                                 s.LoadedNutrientLimits(d, 2, k) = hi;
                         });
    RememberRead(s, s.NutrientRestrictionFile, std::move(bytes), std::move(nutrientNumbers), std::string());
    RememberTables(s, s.NutrientRestrictionFile, NutrientRestrictionText(s, NumbersOf(s, s.NutrientRestrictionFile)));
    // The ingredient file's text depends on the diets the nutrient file names.
    RememberTables(s, ingredientPath, IngredientRestrictionText(s, NumbersOf(s, ingredientPath)));

    if (s.Main) {
        Grid& g = s.Main->Griddiets;
        for (int d = 1; d <= 6; ++d)
            if (d < g.Cols() && g.Rows() > 4 && NumVal(std::string_view(g.TextMatrix(4, d))) > 0)
                s.DietCount = static_cast<int16_t>(d);
        ShowDietCount(s);
    }
    if (ingredientsThere && s.NutrientLimits(1, 1, 1) == 0) {
        Ui(s).Message("No Nutriet Restriction File found named " + s.LocationFolder + nutrients);
        UseDietsOnGrid(s);
    }
}

void ReadNutrientRestrictions(SharedState& s, const std::string& path) {
    if (!Exists(path)) {
        Ui(s).Message("No Nutrient Restriction File found named " + path);
        UseDietsOnGrid(s);
        return;
    }
    std::vector<std::string> lines;
    std::string bytes;
    if (!ReadFileLines(s, path, lines, &bytes)) return;
    s.NutrientRestrictionFile = path;
    ShowFile(s, kFilesRowNutrients, path);
    ClearNutrientLimits(s);
    NumberTexts numbers;
    ReadRestrictionLines(s, path, lines, kMaxColumns, "nutrient", numbers, [&](int k) { return NutrientNote(s, k); },
                         [&](int d, int k, double lo, double hi) {
                             RaiseNutrientCount(s, k);
                             s.FileNutrientLimits(d, 1, k) = s.NutrientLimits(d, 1, k) = lo;
                             s.FileNutrientLimits(d, 2, k) = s.NutrientLimits(d, 2, k) = hi;
                         });
    RememberRead(s, path, std::move(bytes), std::move(numbers), std::string());
    RememberTables(s, path, NutrientRestrictionText(s, NumbersOf(s, path)));
}

void ReadDiets(SharedState& s, const std::string& path) {
    if (!Exists(path)) return;
    std::vector<std::string> lines;
    std::string bytes;
    if (!ReadFileLines(s, path, lines, &bytes)) return;
    if (lines.empty() || lines[0].find('\t') == std::string::npos) {
        Ui(s).Message(path + ", line 1: not a diet file in the tab layout (label, TAB, value); it was not read");
        return;
    }
    s.DietFile = path;
    ShowFile(s, kFilesRowDiets, path);
    const std::size_t inFile = lines.size() / kDietFileRows;
    s.DietCount = static_cast<int16_t>(std::min<std::size_t>(inFile, kProgrammeDiets));
    if (inFile > kProgrammeDiets) {
        const std::string first = std::to_string(kProgrammeDiets + 1), last = std::to_string(inFile);
        Ui(s).Message(path + " holds " + last + " diets; the programme takes " + std::to_string(kProgrammeDiets) + ": " +
                      (inFile == kProgrammeDiets + 1 ? "diet " + first + " was" : "diets " + first + " to " + last + " were") +
                      " not read");
    }
    ShowDietCount(s);
    // Diets the file does not hold are not kept from the diets shown before:
    // the grid's diet count and a Growth on the grid read those columns.
    for (int d = s.DietCount + 1; d <= kMaxDiets; ++d) {
        s.DietFeedAmount(d) = 0;
        for (int k = 0; k <= 121; ++k) s.DietNutrients(d, k) = 0;
        if (s.Main && d < s.Main->Griddiets.Cols())
            for (int r = 1; r < s.Main->Griddiets.Rows(); ++r) s.Main->Griddiets.SetTextMatrix(r, d, "");
    }
    std::vector<std::string> priceNotes;
    for (int d = 1; d <= s.DietCount; ++d) {
        for (int r = 1; r <= kDietFileRows; ++r) {
            const std::size_t at = static_cast<std::size_t>((d - 1) * kDietFileRows + r - 1);
            const std::string& line = lines[at];
            const auto tab = line.find('\t');
            const std::string label = line.substr(0, tab);
            std::string value = tab == std::string::npos ? std::string() : line.substr(tab + 1);
            if (r == 2) {
                // The price as the matrix reads one: a grouped price is shown
                // as the number read, and said with its line.
                const std::string& nameLine = lines[at - 1];
                const auto nameTab = nameLine.find('\t');
                const MatrixNumber price =
                    ReadDietPrice(value, d, nameTab == std::string::npos ? std::string() : nameLine.substr(nameTab + 1));
                if (!price.note.empty()) {
                    value = price.text;
                    priceNotes.push_back("line " + std::to_string(at + 1) + ": " + price.note);
                }
            }
            if (r <= 2) {
                if (s.Main) {
                    s.Main->Griddiets.EnsureCell(r, d);
                    s.Main->Griddiets.SetTextMatrix(r, d, value);
                }
                continue;
            }
            const double v = NumVal(value);
            if (r == 3)
                s.DietFeedAmount(d) = v;
            else
                s.DietNutrients(d, r - 3) = v;
            if (s.Main) {
                Grid& g = s.Main->Griddiets;
                g.EnsureCell(r, d);
                g.SetTextMatrix(r, 0, label);
                g.SetTextMatrix(r, d, value);
            }
        }
    }
    if (!priceNotes.empty()) Ui(s).Message(path + ", " + JoinedNotes(priceNotes));
    RememberRead(s, path, std::move(bytes), NumberTexts{}, s.Main ? DietFileText(s, s.DietCount) : std::string());
}

void OpenMatrixFile(SharedState& s) {
    const std::string pattern = "*Matrix.txt";
    const std::string answer = Ui(s).OpenFile("Select a Matrix File", pattern, FolderFor(s, s.MatrixFile), pattern);
    if (answer.empty() || answer == pattern) return;
    LoadLP(s, answer);
}

void OpenIngredientRestrictions(SharedState& s) {
    const std::string pattern = "*.ing";
    const std::string answer = Ui(s).OpenFile("Select an Ingredient Restriction File", pattern,
                                              FolderFor(s, s.IngredientRestrictionFile), pattern);
    if (answer.empty() || answer == pattern) return;
    ReadRestrictions(s, answer);
}

void OpenNutrientRestrictions(SharedState& s) {
    const std::string pattern = "*.nut";
    const std::string answer = Ui(s).OpenFile("Select a Nutrient Restriction File", pattern,
                                              FolderFor(s, s.NutrientRestrictionFile), pattern);
    if (answer.empty() || answer == pattern) return;
    ReadNutrientRestrictions(s, answer);
}

std::string MatrixText(const SharedState& s, const NumberTexts* numbers) {
    const int I = MatrixIngredients(s), C = MatrixColumns(s, I);
    std::string out = ToNextPrintZone(PrintInteger(I)) + PrintInteger(C) + kCrlf;
    for (int i = 1; i <= I; ++i) out += OneField(s.IngredientNames(i)) + kCrlf;
    for (int c = 2; c <= C; ++c) out += OneField(ColumnName(s, c)) + kCrlf;
    for (int i = 1; i <= I; ++i) {
        const std::string name = OneField(s.IngredientNames(i));
        out += KeptNumber(numbers, s.IngredientPrices(i), FileNumber) + "\tCost\t" + name + kCrlf;
        for (int c = 2; c <= C; ++c)
            out += KeptNumber(numbers, s.IngredientMatrix(c, i), FileNumber) + "\t" + OneField(ColumnName(s, c)) +
                   "\t" + name + kCrlf;
    }
    return out;
}

int RestrictionDietsToWrite(const SharedState& s) {
    return std::clamp<int>(std::max(s.DietCount, s.RestrictionDiets), 0, kMaxDiets);
}

std::string IngredientRestrictionText(const SharedState& s, const NumberTexts* numbers) {
    std::string out;
    const int diets = RestrictionDietsToWrite(s);
    for (int d = 1; d <= diets; ++d)
        for (int i = 1; i <= s.IngredientCount; ++i) {
            const double lo = s.IngredientLimits(d, 1, i), hi = s.IngredientLimits(d, 2, i);
            if (lo == 0 && hi == 0) continue;
            out += ToNextPrintZone(PrintInteger(d)) + "\t" + PrintInteger(i) + "\t" + KeptNumber(numbers, lo, FileNumber) +
                   "\t" + KeptNumber(numbers, hi, FileNumber) + kCrlf;
        }
    return out;
}

std::string NutrientRestrictionText(const SharedState& s, const NumberTexts* numbers) {
    std::string out;
    const int diets = RestrictionDietsToWrite(s);
    const int nutrients = s.NutrientCount == 0 ? 14 : std::min(s.NutrientCount, kMaxColumns);
    for (int k = 1; k <= nutrients; ++k)
        for (int d = 1; d <= diets; ++d) {
            const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
            if (lo == 0 && hi == 0) continue;
            out += PrintInteger(d) + "\t" + PrintInteger(k) + "\t" + KeptNumber(numbers, lo, FileNumber) + "\t" +
                   KeptNumber(numbers, hi, FileNumber) + kCrlf;
        }
    return out;
}

std::string DietFileText(const SharedState& s, int count) {
    std::string out;
    if (!s.Main) return out;
    const Grid& g = s.Main->Griddiets;
    auto cell = [&](int r, int c) { return r < g.Rows() && c < g.Cols() ? g.TextMatrix(r, c) : std::string(); };
    for (int d = 1; d <= std::min(count, kMaxDiets); ++d)
        for (int r = 1; r <= kDietFileRows; ++r) {
            std::string label = cell(r, 0);
            if (label.empty()) label = DefaultDietRowLabel(s, r);
            std::string value = Trim(OneField(cell(r, d)));
            // The name is kept as typed; the other rows are numbers. The
            // mark of a diet that could not be formulated is shown, not saved.
            if (r == 2 && value.find(kInfeasibleMark) != std::string::npos) {
                const std::string before = d <= 8 ? s.PriceBeforeMark(d) : std::string();
                value = !before.empty() ? Trim(OneField(before)) : s.DietPrice(d) > 0 ? FormatAuto(s.DietPrice(d)) : "0";
            }
            if (r == 2)
                value = ReadMatrixNumber(value).text;
            else if (r != 1)
                value = FixDecimalComma(value);
            // A figure the cell shows rounded is saved whole, so the location
            // opened again grows what this session grows.
            if (double figure = 0; r != 1 && r < g.Rows() && d < g.Cols() && g.Figure(r, d, figure))
                value = FormatExact(figure);
            out += OneField(label) + "\t" + value + kCrlf;
        }
    return out;
}

void RememberTables(SharedState& s, const std::string& path, std::string text) {
    if (KnownFile* f = s.Files.Find(path)) {
        f->tablesKnown = true;
        f->tablesText = std::move(text);
    }
}

bool SaveMatrix(SharedState& s, bool ask) {
    try {
        for (int c = 1; c <= 15; ++c)
            if (s.NutrientNames(c).empty()) s.NutrientNames(c) = DefaultColumnLabel(c);
        std::string path = s.MatrixFile;
        if (ask) {
            const std::string pattern = "*Matrix.txt";
            const std::string answer = Ui(s).SaveFile(SaveTitle(path), pattern, FolderFor(s, path), pattern);
            if (answer.empty() || answer == pattern) return false;
            path = answer;
        }
        if (path.empty()) return false;
        if (!Write(s, path, MatrixText(s, NumbersOf(s, s.MatrixFile)), s.MatrixFile)) return false;
        s.MatrixFile = path;
        ShowFile(s, kFilesRowMatrix, path);
        return true;
    } catch (const std::exception& e) {
        Ui(s).Message(TrappedErrorMessage(e, ") in procedure SaveMatrix"));
        return false;
    }
}

bool SaveIngredientRestrictions(SharedState& s, bool ask) {
    try {
        std::string path = s.IngredientRestrictionFile;
        if (ask) {
            const std::string keep = kIngredientEnding;
            const std::string answer = Ui(s).SaveFile(SaveTitle(path), "*.ing", FolderFor(s, path), keep);
            if (!answer.empty() && answer != keep) path = answer;
        }
        if (path.empty()) return false;
        const std::string from = s.IngredientRestrictionFile;
        if (!Write(s, path, IngredientRestrictionText(s, NumbersOf(s, from)), from)) return false;
        s.IngredientRestrictionFile = path;
        ShowFile(s, kFilesRowIngredients, path);
        return true;
    } catch (const std::exception& e) {
        Ui(s).Message(TrappedErrorMessage(e, ") in procedure SaveIngredientRestrictions"));
        return false;
    }
}

bool SaveNutrientRestrictions(SharedState& s, bool ask) {
    try {
        std::string path = s.NutrientRestrictionFile;
        if (ask) {
            const std::string keep = "*Req.nut";
            const std::string answer = Ui(s).SaveFile(SaveTitle(path), "*.nut", FolderFor(s, path), keep);
            if (!answer.empty() && answer != keep) path = answer;
        }
        if (path.empty()) return false;
        if (s.NutrientCount == 0) s.NutrientCount = 14;
        const std::string from = s.NutrientRestrictionFile;
        if (!Write(s, path, NutrientRestrictionText(s, NumbersOf(s, from)), from)) return false;
        s.NutrientRestrictionFile = path;
        ShowFile(s, kFilesRowNutrients, path);
        return true;
    } catch (const std::exception& e) {
        Ui(s).Message(TrappedErrorMessage(e, ") in procedure SaveNutrientRestrictions"));
        return false;
    }
}

bool SaveDiets(SharedState& s, bool ask) {
    if (!s.Main) return false;
    try {
        std::string path = s.DietFile;
        if (ask) {
            path = Ui(s).SaveFile(SaveTitle(s.DietFile), "Diet File|*.dts", FolderFor(s, s.DietFile), std::string());
            if (path.empty()) return false;
            // Only a name without the diet ending gets it: a dotted name
            // ("Herd.v2") is a name, not a name with an ending.
            const std::string ending = kDietEnding;
            if (path.size() < ending.size() || path.compare(path.size() - ending.size(), ending.size(), ending) != 0)
                path += kDietEnding;
        }
        if (path.empty()) return false;
        Grid& g = s.Main->Griddiets;
        int count = static_cast<int>(RoundHalfEven(Val(s.Main->ComboDiets.Text())));
        if (count <= 0) {
            // With neither the list nor the grid naming a diet, the diets in
            // use stay as they are, so that the restriction files saved after
            // the diet file keep their diets.
            count = s.DietCount;
            for (int d = 1; d <= 6; ++d)
                if (d < g.Cols() && g.Rows() > 4 && NumVal(std::string_view(g.TextMatrix(4, d))) > 0) count = d;
        }
        s.DietCount = static_cast<int16_t>(std::min(count, kMaxDiets));
        for (int d = 1; d <= s.DietCount; ++d)
            for (int r = 1; r <= kDietFileRows; ++r) {
                g.EnsureCell(r, d);
                if (g.TextMatrix(r, 0).empty()) g.SetTextMatrix(r, 0, DefaultDietRowLabel(s, r));
            }
        if (!Write(s, path, DietFileText(s, s.DietCount), s.DietFile)) return false;
        s.DietFile = path;
        ShowFile(s, kFilesRowDiets, path);
        // Saved together with other files, it is saved only when they all are.
        if (!s.SaveBatch) Ui(s).Message(path + " was saved");
        return true;
    } catch (const std::exception& e) {
        Ui(s).Message(TrappedErrorMessage(e, ") in procedure SaveDiets"));
        return false;
    }
}

bool SaveTheDiets(SharedState& s) {
    // The files are written aside first and take their places together.
    std::vector<std::string> placed, notPlaced;
    std::string error;
    LocationSaveBatch batch(s);
    const bool written = SaveDiets(s, false) &&
                         (!(s.IngredientMatrix(1, 2) > 0) ||
                          (SaveIngredientRestrictions(s, false) && SaveNutrientRestrictions(s, false) &&
                           SaveMatrix(s, false)));
    if (!written) {
        if (!s.KeepFiles) Ui(s).Message("The diets were not saved: none of their files was changed.");
        return false;
    }
    if (batch.Commit(placed, notPlaced, error)) {
        Ui(s).Message(s.DietFile + " was saved");
        return true;
    }
    std::string text = error + "\nThe diets were saved only in part.";
    if (!placed.empty()) {
        text += "\nNow holding the new figures:";
        for (const std::string& p : placed) text += " " + p;
    }
    text += "\nStill holding the old:";
    for (const std::string& p : notPlaced) text += " " + p;
    Ui(s).Message(text);
    return false;
}

}  // namespace tarvisol
