#include "ui/GridClipboard.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "shared/Clipboard.h"
#include "shared/Dialogs.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

CellRange Selection(const Grid& g) {
    return {std::min(g.Row, g.RowSel), std::max(g.Row, g.RowSel), std::min(g.Col, g.ColSel), std::max(g.Col, g.ColSel)};
}

CellRange UsedCells(const Grid& g) {
    int lastRow = 0, lastCol = 0;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            if (!g.TextMatrix(r, c).empty()) {
                lastRow = std::max(lastRow, r);
                lastCol = std::max(lastCol, c);
            }
    return {0, lastRow, 0, lastCol};
}

std::vector<std::string> SplitAt(const std::string& text, char sep) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const auto p = text.find(sep, start);
        if (p == std::string::npos) {
            out.push_back(text.substr(start));
            return out;
        }
        out.push_back(text.substr(start, p - start));
        start = p + 1;
    }
}

bool ColumnMode(const Grid& g) { return g.Name == "GridCurrTemp" || g.Name == "gridCalibTemp"; }

}  // namespace

std::string RangeText(const Grid& g, CellRange range) {
    range.lastCol = std::min(range.lastCol, g.Cols() - 1);
    range.lastRow = std::min(range.lastRow, g.Rows() - 1);
    std::string text;
    for (int r = std::max(range.firstRow, 0); r <= range.lastRow; ++r) {
        for (int c = std::max(range.firstCol, 0); c <= range.lastCol; ++c) {
            text += g.TextMatrix(r, c);
            text += '\t';
        }
        if (r < range.lastRow) text += '\n';
    }
    return text;
}

void CopyRangeToClipboard(SharedState& s, Grid& grid, CellRange range) {
    grid.Row = 0;
    grid.Col = 0;
    const std::string text = RangeText(grid, range);
    Clipboard& clip = ClipboardOf(s);
    clip.Clear();
    clip.SetText(text);
}

bool GridKeyDown(SharedState& s, Grid& grid, int keyCode, int shiftMask) {
    if (shiftMask == kCtrl && (keyCode == kKeyC || keyCode == kKeyInsert)) {
        CopyRangeToClipboard(s, grid, Selection(grid));
        return true;
    }
    if (shiftMask == kCtrl && keyCode == kKeyX) {
        const CellRange range = Selection(grid);
        CopyRangeToClipboard(s, grid, range);
        for (int r = range.firstRow; r <= range.lastRow && r < grid.Rows(); ++r)
            for (int c = range.firstCol; c <= range.lastCol && c < grid.Cols(); ++c) grid.SetTextMatrix(r, c, "");
        return true;
    }
    if (shiftMask == kCtrl && keyCode == kKeyA) {
        CopyRangeToClipboard(s, grid, UsedCells(grid));
        return true;
    }
    if (shiftMask == kShift && keyCode == kKeyInsert) {
        PasteFromClipboard(s, grid, keyCode, shiftMask);
        return true;
    }
    return false;
}

void PasteFromClipboard(SharedState& s, Grid& grid, int keyCode, int shiftMask) {
    if (!((keyCode == kKeyV && shiftMask == kCtrl) || (keyCode == kKeyInsert && shiftMask == kShift))) return;
    const std::string text = ClipboardOf(s).GetText();
    if (text.empty()) return;
    std::vector<std::string> lines = SplitAt(text, '\n');
    // Spreadsheets end lines with CR LF: the CR belongs to no cell.
    for (auto& l : lines)
        if (!l.empty() && l.back() == '\r') l.pop_back();
    if (!text.empty() && text.back() == '\n') lines.pop_back();  // a closing line feed adds no line

    // Column mode: one value a line into column 1 of successive rows. Every
    // line is written, the last one too when no line feed closes it.
    if (ColumnMode(grid)) {
        int row = grid.Row;
        for (int i = 0; i < static_cast<int>(lines.size()) && row < grid.Rows(); ++i, ++row) {
            if (grid.Cols() < 2) grid.SetCols(2);
            grid.SetTextMatrix(row, 1, lines[static_cast<std::size_t>(i)]);
        }
        return;
    }

    // Block mode: rows never grow; columns widen to take a whole line, and
    // every field that fits is written, the grid's last row included.
    int row = grid.Row;
    const int startCol = grid.Col;
    for (const auto& line : lines) {
        if (line.empty()) break;
        if (row >= grid.Rows()) break;
        const std::vector<std::string> fields = SplitAt(line, '\t');
        const int needed = startCol + static_cast<int>(fields.size());
        if (needed > grid.Cols()) grid.SetCols(needed);
        for (std::size_t k = 0; k < fields.size(); ++k) grid.SetTextMatrix(row, startCol + static_cast<int>(k), fields[k]);
        ++row;
    }
}

void CopyAllToClipboard(SharedState& s, Grid& g) {
    const int row = g.Row, col = g.Col;
    g.Row = 0;
    g.Col = 0;
    g.RowSel = g.Rows() - 1;
    g.ColSel = g.Cols() - 1;
    GridKeyDown(s, g, kKeyA, kCtrl);
    g.Row = row;
    g.Col = col;
}

void GridMouseDown(SharedState& s, Grid& grid) { s.ActiveGrid = &grid; }

void PopupCommand(SharedState& s, int command) {
    if (!s.ActiveGrid) return;
    Grid& g = *s.ActiveGrid;
    switch (command) {
        case 0:
            GridKeyDown(s, g, kKeyC, kCtrl);
            break;
        case 1:
            CopyAllToClipboard(s, g);
            break;
        case 2:
            g.Clear();
            break;
        case 3:
            PasteFromClipboard(s, g, kKeyV, kCtrl);
            break;
        case kPopupSaveCsvCommand:
            SaveGridAsCsv(s, g);
            break;
        default:
            break;
    }
}

std::string GridCsvText(const Grid& g) {
    const CellRange used = UsedCells(g);
    const bool empty = g.Rows() == 0 || g.Cols() == 0 || (used.lastRow == 0 && used.lastCol == 0 && g.TextMatrix(0, 0).empty());
    std::string text;
    if (empty) return text;
    for (int r = 0; r <= used.lastRow; ++r) {
        for (int c = 0; c <= used.lastCol; ++c) {
            if (c > 0) text += ',';
            const std::string& cell = g.TextMatrix(r, c);
            if (cell.find_first_of(",\"\r\n") == std::string::npos) {
                text += cell;
                continue;
            }
            text += '"';
            for (char ch : cell) {
                if (ch == '"') text += '"';
                text += ch;
            }
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

bool SaveGridAsCsv(SharedState& s, Grid& grid) {
    Dialogs& dlg = DialogsOf(s);
    const std::string initial = (grid.Name.empty() ? std::string("grid") : grid.Name) + ".csv";
    std::string path = dlg.SaveFile("Save as CSV", "*.csv", s.LocationFolder, initial);
    if (path.empty() || path == initial) return false;
    if (std::filesystem::path(path).extension().empty()) path += ".csv";
    std::string error;
    if (!SaveAtomic(path, GridCsvText(grid), error)) {
        dlg.Message(error);
        return false;
    }
    return true;
}

}  // namespace tarvisol
