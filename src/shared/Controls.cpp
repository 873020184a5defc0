#include "shared/Controls.h"

#include <algorithm>

#include "shared/RuntimeError.h"

namespace tarvisol {

Grid::Grid(std::string name, int rows, int cols) : Name(std::move(name)) {
    SetCols(cols);
    SetRows(rows);
}

std::size_t Grid::Index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) RaiseSubscriptOutOfRange();
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
}

void Grid::SetRows(int rows) {
    rows = std::max(rows, 0);
    text_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_));
    color_.resize(text_.size(), kNoColor);
    rows_ = rows;
    std::erase_if(figures_, [&](const auto& f) { return f.first.first >= rows_; });
    Row = std::min(Row, std::max(rows_ - 1, 0));
    RowSel = std::min(RowSel, std::max(rows_ - 1, 0));
    ++version_;
}

void Grid::SetCols(int cols) {
    cols = std::max(cols, 0);
    std::vector<std::string> text(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols));
    std::vector<Color> color(text.size(), kNoColor);
    const int keep = std::min(cols, cols_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < keep; ++c) {
            text[static_cast<std::size_t>(r) * cols + c] = std::move(text_[static_cast<std::size_t>(r) * cols_ + c]);
            color[static_cast<std::size_t>(r) * cols + c] = color_[static_cast<std::size_t>(r) * cols_ + c];
        }
    text_ = std::move(text);
    color_ = std::move(color);
    widths_.resize(static_cast<std::size_t>(cols), 1000);
    cols_ = cols;
    std::erase_if(figures_, [&](const auto& f) { return f.first.second >= cols_; });
    Col = std::min(Col, std::max(cols_ - 1, 0));
    ColSel = std::min(ColSel, std::max(cols_ - 1, 0));
    ++version_;
}

void Grid::EnsureCell(int row, int col) {
    if (col >= cols_) SetCols(col + 1);
    if (row >= rows_) SetRows(row + 1);
}

const std::string& Grid::TextMatrix(int row, int col) const { return text_[Index(row, col)]; }

void Grid::SetTextMatrix(int row, int col, std::string text) {
    text_[Index(row, col)] = std::move(text);
    if (!figures_.empty()) figures_.erase({row, col});
    ++version_;
}

void Grid::SetFigure(int row, int col, std::string text, double figure) {
    text_[Index(row, col)] = std::move(text);
    figures_[{row, col}] = figure;
    ++version_;
}

bool Grid::Figure(int row, int col, double& figure) const {
    Index(row, col);
    const auto it = figures_.find({row, col});
    if (it == figures_.end()) return false;
    figure = it->second;
    return true;
}

Color Grid::CellBackColor(int row, int col) const { return color_[Index(row, col)]; }

void Grid::SetCellBackColor(int row, int col, Color color) {
    color_[Index(row, col)] = color;
    ++version_;
}

int Grid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) RaiseSubscriptOutOfRange();
    return widths_[static_cast<std::size_t>(col)];
}

void Grid::SetColWidth(int col, int width) {
    if (col < 0 || col >= cols_) RaiseSubscriptOutOfRange();
    widths_[static_cast<std::size_t>(col)] = width;
    ++version_;
}

void Grid::Clear() {
    for (auto& t : text_) t.clear();
    figures_.clear();
    std::fill(color_.begin(), color_.end(), kNoColor);
    ++version_;
}

}  // namespace tarvisol
