#include "growth/Temperature.h"

#include <string>

#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {
constexpr int kWeeks = 20;
constexpr int kColAge = 0, kColCalib = 1, kColFuture = 2;
constexpr double kDefaultTemp = 20;
constexpr double kDefaultStartAge = 50;
constexpr const char* kFilter = "*.stg";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

void SetTemps(SharedState& s) {
    for (int i = 1; i <= kWeeks; ++i) {
        s.TempTable(i) = kDefaultTemp;
        s.CalibTemps(i) = kDefaultTemp;
    }
    s.TempTable(21) = 0;
}

// A temperature as the window shows it: the plain printed number without
// its sign blank.
std::string TempText(double v) {
    std::string t = PrintNumber(v);
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return t;
}

void ShowTemperatureWindow(SharedState& s, TemperatureWindow& w) {
    Grid& g = w.GridTemps;
    g.SetRows(22);
    g.SetCols(3);
    g.Clear();
    g.SetTextMatrix(0, kColAge, "Age, days");
    g.SetTextMatrix(0, kColCalib, "Calib. T, C");
    g.SetTextMatrix(0, kColFuture, "Future T, C");
    double start = s.Main ? NumVal(std::string_view(s.Main->Text2.Text)) : 0;
    if (start == 0) start = kDefaultStartAge;
    for (int i = 1; i <= kWeeks; ++i) {
        const double a = start + 7.0 * (i - 1);
        g.SetTextMatrix(i, kColAge, PrintNumber(a) + " - " + PrintNumber(a + 6));
        // The table the location holds (20 degrees until a file or the
        // window gives others), so that saving from the window keeps it.
        g.SetTextMatrix(i, kColCalib, TempText(s.CalibTemps(i)));
        g.SetTextMatrix(i, kColFuture, TempText(s.TempTable(i)));
    }
    w.Taken = g;
    w.Visible = true;
}

bool TempWindowHasEdits(const TemperatureWindow& w) {
    const Grid& g = w.GridTemps;
    if (g.Rows() != w.Taken.Rows() || g.Cols() != w.Taken.Cols()) return true;
    for (int r = 1; r < g.Rows(); ++r)
        for (int c = 1; c < g.Cols(); ++c)
            if (g.TextMatrix(r, c) != w.Taken.TextMatrix(r, c)) return true;
    return false;
}

bool TempWindowCloseAsked(SharedState& s, TemperatureWindow& w) {
    if (TempWindowHasEdits(w)) {
        const Answer a = DialogsOf(s).Ask(kTempCloseQuestion, Buttons::YesNoCancel);
        if (a == Answer::Cancel) return false;
        if (a == Answer::Yes && !ReadTemps(s, w)) return false;
    }
    w.Visible = false;
    return true;
}

bool IsPlainNumber(std::string_view text) {
    std::size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    while (n > i && IsBlank(text[n - 1])) --n;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        bool expDigits = false;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i, expDigits = true;
        if (!expDigits) return false;
    }
    return i == n;
}

bool ReadTemps(SharedState& s, const TemperatureWindow& w) {
    const Grid& g = w.GridTemps;
    std::string refused;
    const auto take = [&](int row, int col, double& target) {
        const std::string& text = g.TextMatrix(row, col);
        if (IsPlainNumber(text)) {
            target = NumVal(std::string_view(text));
            return;
        }
        if (!refused.empty()) refused += ", ";
        refused += "week " + std::to_string(row) + (col == kColCalib ? " Calib. T" : " Future T");
    };
    for (int i = 1; i <= kWeeks; ++i) {
        take(i, kColCalib, s.CalibTemps(i));
        take(i, kColFuture, s.TempTable(i));
    }
    s.TempTable(0) = Val(g.TextMatrix(1, kColAge));
    s.CalibTemps(0) = s.TempTable(0);
    if (refused.empty()) {
        w.Taken = g;
        return true;
    }
    DialogsOf(s).Message("A temperature must be a number in degrees C. These cells are not and kept their "
                         "previous values: " + refused + ".");
    return false;
}

std::vector<std::string> InputItems(std::string_view text, std::size_t maxItems) {
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (items.size() < maxItems) {
        while (i < n && IsBlank(text[i])) ++i;
        if (i >= n) break;
        std::size_t start = i;
        while (i < n && text[i] != ',' && !IsBlank(text[i])) ++i;
        items.emplace_back(text.substr(start, i - start));
        while (i < n && IsBlank(text[i])) ++i;
        if (i < n && text[i] == ',') ++i;
        // A comma right after this item's comma is an empty item.
        std::size_t j = i;
        while (j < n && (text[j] == ' ' || text[j] == '\t')) ++j;
        if (j < n && text[j] == ',' && items.size() < maxItems) {
            items.emplace_back();
            i = j + 1;
        }
    }
    return items;
}

void ReadTempText(SharedState& s, std::string_view text) {
    constexpr int kEntries = 25;  // 0..24
    const auto items = InputItems(WithoutByteOrderMark(text), 2 * kEntries);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const int entry = static_cast<int>(k / 2);
        const double v = Val(items[k]);
        if (k % 2 == 0)
            s.CalibTemps(entry) = v;
        else
            s.TempTable(entry) = v;
    }
}

bool ReadTempFile(SharedState& s) {
    std::string content, why;
    bool read = ReadLocationFile(s.TempFileName, content, why);
    if (read)
        for (const std::string& item : InputItems(WithoutByteOrderMark(content), 50)) {
            double v = 0;
            if (!item.empty() && !ReadWholeNumber(item, v)) {
                why = "it holds text that is not a number of weeks or degrees";
                read = false;
                break;
            }
        }
    if (!read) {
        RememberUnreadable(s, s.TempFileName, "temperature file", why);
        return false;
    }
    ReadTempText(s, content);
    RememberRead(s, s.TempFileName, content, NumberTexts{}, TempFileText(s));
    return true;
}

std::string TempFileText(const SharedState& s) {
    std::vector<std::string> lines;
    for (int i = 0; i <= kWeeks; ++i) lines.push_back(PrintNumber(s.CalibTemps(i)) + "\t" + PrintNumber(s.TempTable(i)));
    return JoinCrlf(lines);
}

bool WriteTempFile(SharedState& s) {
    if (s.TempFileName.empty()) {
        DialogsOf(s).Message("There is no temperature file to save to: open a location or a temperature file first.");
        return false;
    }
    return Holds(SaveLocationFile(s, s.TempFileName, TempFileText(s)));
}

void TempWindowSave(SharedState& s, TemperatureWindow& w) {
    if (ReadTemps(s, w)) WriteTempFile(s);
}

void TempWindowSaveOnly(SharedState& s, TemperatureWindow& w) { ReadTemps(s, w); }

void TempWindowSaveAndClose(SharedState& s, TemperatureWindow& w) {
    if (ReadTemps(s, w) && WriteTempFile(s)) w.Visible = false;
}

void TempWindowClose(TemperatureWindow& w) { w.Visible = false; }

void OpenTemperatureFile(SharedState& s) {
    const std::string name = DialogsOf(s).OpenFile("Select a Temperature File", kFilter, s.LocationFolder, kFilter);
    if (name.empty() || name == kFilter) return;
    s.TempFileName = name;
    ReadTempFile(s);
}

}  // namespace tarvisol
