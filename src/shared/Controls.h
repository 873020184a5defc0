#pragma once
// The controls the windows are made of, without a window system. A form is a
// struct of these; the Qt front end shows them and the tests read them.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarvisol {

// 0xRRGGBB; kNoColor means "the control's normal colour".
using Color = uint32_t;
inline constexpr Color kNoColor = 0xFFFFFFFFu;
constexpr Color Rgb(int r, int g, int b) {
    return (static_cast<Color>(r & 255) << 16) | (static_cast<Color>(g & 255) << 8) | static_cast<Color>(b & 255);
}
inline constexpr Color kLightGreen = Rgb(128, 255, 128);
inline constexpr Color kLightCyan = Rgb(154, 255, 255);
inline constexpr Color kLightRed = Rgb(245, 152, 152);
inline constexpr Color kBlue = Rgb(0, 0, 255);
inline constexpr Color kWhite = Rgb(255, 255, 255);

// A table of text cells. Row and column 0 are the fixed header row and column
// unless FixedRows/FixedCols say otherwise. Access outside the rows and columns
// raises error 9 "Subscript out of range".
class Grid {
public:
    explicit Grid(std::string name = {}, int rows = 2, int cols = 2);

    std::string Name;
    int FixedRows = 1;
    int FixedCols = 1;
    // Current cell and the far corner of the selection.
    int Row = 0, Col = 0, RowSel = 0, ColSel = 0;

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Resizing keeps the cells that still fit.
    void SetRows(int rows);
    void SetCols(int cols);
    // Grows the grid so that (row, col) exists.
    void EnsureCell(int row, int col);

    const std::string& TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, std::string text);

    // A figure the program shows rounded: the cell shows the text, and the
    // figure is what that text stands for, so that reading the cell back
    // gives the figure and not its rounding. Any later text in the cell
    // (typed, pasted, written) replaces both.
    void SetFigure(int row, int col, std::string text, double figure);
    // The figure behind the cell's text, when the program wrote one.
    bool Figure(int row, int col, double& figure) const;

    Color CellBackColor(int row, int col) const;
    void SetCellBackColor(int row, int col, Color color);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // Clears every cell's text and colour; the size stays.
    void Clear();

    // Bumped on every change, so a view can tell when to refresh.
    uint64_t Version() const { return version_; }

private:
    std::size_t Index(int row, int col) const;

    int rows_ = 0, cols_ = 0;
    std::vector<std::string> text_;
    std::vector<Color> color_;
    std::vector<int> widths_;
    std::map<std::pair<int, int>, double> figures_;
    uint64_t version_ = 0;
};

struct TextBox {
    TextBox() = default;
    explicit TextBox(std::string text) : Text(std::move(text)) {}
    std::string Text;
    // As a grid cell's: the figure behind Text while Text is FigureText.
    std::string FigureText;
    double Figure = 0;
    std::string ToolTip;
    Color BackColor = kNoColor;
    bool Enabled = true;
    bool Visible = true;
};

// Shows a figure rounded in the box, the figure kept behind the text.
inline void SetBoxFigure(TextBox& box, std::string text, double figure) {
    box.Text = text;
    box.FigureText = std::move(text);
    box.Figure = figure;
}
// The figure behind the box's text, when the program wrote one that is still shown.
inline bool BoxFigure(const TextBox& box, double& figure) {
    if (box.FigureText.empty() || box.Text != box.FigureText) return false;
    figure = box.Figure;
    return true;
}

struct ComboBox {
    std::vector<std::string> Items;
    int ListIndex = -1;  // -1 = no selection
    void AddItem(std::string item) { Items.push_back(std::move(item)); }
    void Clear() { Items.clear(); ListIndex = -1; }
    std::string Text() const {
        return ListIndex >= 0 && ListIndex < static_cast<int>(Items.size()) ? Items[ListIndex] : std::string();
    }
};

struct CheckBox {
    CheckBox() = default;
    explicit CheckBox(std::string caption) : Caption(std::move(caption)) {}
    std::string Caption;
    int Value = 0;  // 0 unchecked, 1 checked
};

struct OptionButton {
    OptionButton() = default;
    explicit OptionButton(std::string caption) : Caption(std::move(caption)) {}
    std::string Caption;
    bool Value = false;
};

struct Button {
    Button() = default;
    explicit Button(std::string caption, std::string toolTip = {}, bool visible = true)
        : Caption(std::move(caption)), Visible(visible), ToolTip(std::move(toolTip)) {}
    std::string Caption;
    Color BackColor = kNoColor;
    bool Enabled = true;
    bool Visible = true;
    std::string ToolTip;
};

struct Label {
    Label() = default;
    explicit Label(std::string caption) : Caption(std::move(caption)) {}
    std::string Caption;
};

struct Tabs {
    std::vector<std::string> Captions;
    int Tab = 0;  // current page
};

}  // namespace tarvisol
