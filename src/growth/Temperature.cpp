#include "growth/Temperature.h"

#include <string>

#include "shared/Dialogs.h"
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
        g.SetTextMatrix(i, kColCalib, "20");
        g.SetTextMatrix(i, kColFuture, "20");
    }
    w.Visible = true;
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
    if (refused.empty()) return true;
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
    const auto items = InputItems(text, 2 * kEntries);
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
    std::string content, error;
    if (!ReadTextFile(s.TempFileName, content, error)) {
        DialogsOf(s).Message(error);
        return false;
    }
    ReadTempText(s, content);
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
    std::string error;
    if (!SaveAtomic(s.TempFileName, TempFileText(s), error)) {
        DialogsOf(s).Message(error + ". The old file is unchanged.");
        return false;
    }
    return true;
}

void TempWindowSave(SharedState& s, TemperatureWindow& w) {
    if (ReadTemps(s, w)) WriteTempFile(s);
}

void TempWindowSaveOnly(SharedState& s, TemperatureWindow& w) { ReadTemps(s, w); }

void TempWindowSaveAndClose(SharedState& s, TemperatureWindow& w) {
    if (ReadTemps(s, w)) w.Visible = false;
}

void TempWindowClose(TemperatureWindow& w) { w.Visible = false; }

void OpenTemperatureFile(SharedState& s) {
    const std::string name = DialogsOf(s).OpenFile("Select a Temperature File", kFilter, s.LocationFolder, kFilter);
    if (name.empty() || name == kFilter) return;
    s.TempFileName = name;
    ReadTempFile(s);
}

}  // namespace tarvisol
