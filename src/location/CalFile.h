#pragma once
// The location's measured herd table (.cal): one CRLF line per measured row
// from row 1, "age TAB weight TAB feed" in the display units as typed, each
// number in the file number format (FormatPrecise). At most 15 rows.
// The location opens and saves it with its other files; calibration, above
// the location, reads the table the location hands it.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "location/LocationFiles.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"

namespace tarvisol {

inline constexpr int kCalMaxRows = 15;

// The last row 1..15 of the measured table with any of age, weight or feed
// not 0 (0 for an empty table). Rows up to it are written, zero rows inside
// included: a weight-0 row means something to the fit.
inline int CalLastRow(const CalibrationState& c) {
    int last = 0;
    for (int r = 1; r <= kCalMaxRows; ++r)
        if (c.CalibWeightTable(0, r) != 0 || c.CalibWeightTable(1, r) != 0 || c.CalibWeightTable(2, r) != 0) last = r;
    return last;
}

// One value in the file number format, always with a full stop.
inline std::string CalNumber(double value) {
    std::string text = FormatPrecise(value);
    for (char& ch : text)
        if (ch == ',') ch = '.';
    return text;
}

// The lines of rows 1..rows of the measured table; a value found in numbers
// is written as it was read.
inline std::vector<std::string> CalFileLines(const CalibrationState& c, int rows,
                                             const NumberTexts* numbers = nullptr) {
    std::vector<std::string> lines;
    auto number = [&](int j, int r) { return KeptNumber(numbers, c.CalibWeightTable(j, r), CalNumber); };
    for (int r = 1; r <= rows && r <= kCalMaxRows; ++r)
        lines.push_back(number(0, r) + "\t" + number(1, r) + "\t" + number(2, r));
    return lines;
}

// Reads the text of a .cal file into the measured table, which is cleared
// first so that no row of an earlier location stays behind. Each line gives
// one row from row 1: up to three TAB-separated fields (the search for the
// next TAB starts one character after the field's start, as the files were
// always read); a missing field reads 0; a decimal comma reads as a point.
// A file of more than 15 lines is read to row 15 and the user is told so.
// Returns the number of rows read. Any bytes are accepted.
inline int ReadCalText(SharedState& s, std::string_view text, const std::string& name,
                       NumberTexts* numbers = nullptr) {
    std::vector<std::string> lines = SplitLines(text);
    for (int r = 0; r <= kCalMaxRows; ++r)
        for (int j = 0; j <= 3; ++j) s.CalibWeightTable(j, r) = 0;
    int row = 0;
    for (const std::string& line : lines) {
        if (row == kCalMaxRows) {
            DialogsOf(s).Message("The measured herd file " + name + " has more than 15 rows; only the first 15 were read.");
            break;
        }
        ++row;
        std::size_t start = 0;
        for (int j = 0; j <= 2; ++j) {
            if (start > line.size()) break;  // missing field: stays 0
            const std::size_t next = start + 1 <= line.size() ? line.find('\t', start + 1) : std::string::npos;
            std::string_view field = std::string_view(line).substr(start, next == std::string::npos ? std::string::npos : next - start);
            s.CalibWeightTable(j, row) = NumVal(field);
            if (numbers) numbers->Add(s.CalibWeightTable(j, row), FixDecimalComma(field));
            start = next == std::string::npos ? line.size() + 1 : next + 1;
        }
    }
    return row;
}

// What keeps the text of a .cal file from being read as measured rows: the
// first line whose age, weight or feed is neither blank nor a number; empty
// when every line reads.
inline std::string CalTextProblem(std::string_view text) {
    const std::vector<std::string> lines = SplitLines(WithoutByteOrderMark(text));
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string> fields = SplitTabs(lines[n]);
        for (std::size_t j = 0; j < fields.size() && j < 3; ++j) {
            double v = 0;
            if (fields[j].find_first_not_of(" \t") != std::string::npos && !ReadWholeNumber(fields[j], v))
                return "line " + std::to_string(n + 1) + " does not hold age, weight and feed as numbers";
        }
    }
    return {};
}

// Reads CalFile into the measured table. Returns false when the file cannot
// be read or does not hold measured rows; the table is then left as it was,
// the user is told, and no save writes over the file.
inline bool ReadCalFile(SharedState& s) {
    std::string content, why;
    if (!ReadLocationFile(s.CalFile, content, why) || !(why = CalTextProblem(content)).empty()) {
        RememberUnreadable(s, s.CalFile, "measured herd file", why);
        return false;
    }
    NumberTexts numbers;
    ReadCalText(s, content, s.CalFile, &numbers);
    const std::string tables = JoinCrlf(CalFileLines(s, CalLastRow(s), &numbers));
    RememberRead(s, s.CalFile, std::move(content), std::move(numbers), tables);
    return true;
}

// Writes rows 1..rows of the measured table to CalFile, replacing it. When
// the location has no .cal name yet, the name comes from the calibration
// name box Text6 (in LocationFolder unless it is a full path) and the
// location's file names are derived from it first. A failed save leaves the
// old file whole and says so; a table that gives what the file held when it
// was read leaves the file alone. Returns whether the file holds the rows.
inline bool WriteCalRows(SharedState& s, int rows) {
    if (s.CalFile.empty()) {
        if (!s.Main || s.Main->Text6.Text.empty() || s.Main->Text6.Text == kCalibrationNamePlaceholder) return false;
        std::string name = s.Main->Text6.Text;
        if (!std::filesystem::path(name).is_absolute()) name = JoinPath(s.LocationFolder, name);
        SetLocationFiles(s, name);
    }
    return Holds(SaveLocationFile(s, s.CalFile, JoinCrlf(CalFileLines(s, rows, NumbersOf(s, s.CalFile)))));
}

// The .cal writer of "Continue Calibration" and "Save all Files to Current
// Location": every row up to the last one holding a value.
inline bool WriteCalFile(SharedState& s) { return WriteCalRows(s, CalLastRow(s)); }

}  // namespace tarvisol
