#pragma once
// One table model for every grid of every window: shows a headless Grid in a
// QTableView (text, background colours) and sends edits back through the
// form's edit procedure. The current cell and selection are copied into the
// Grid so the form's procedures see what the user selected.
#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QTableView>
#include <functional>

class QMenu;

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol::app {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // edit(row, col, text) is the form's procedure for an accepted edit; when
    // empty the grid is read-only.
    using EditFn = std::function<void(int row, int col, const std::string& text)>;
    // tip(row, col): what the cell holds (e.g. its unit); empty for no tip.
    using TipFn = std::function<std::string(int row, int col)>;
    GridModel(Grid& grid, EditFn edit, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Re-reads the grid when it changed since the last refresh; returns
    // whether it had.
    bool Refresh();
    Grid& grid() { return grid_; }
    void SetEdit(EditFn edit) { edit_ = std::move(edit); }
    void SetToolTip(TipFn tip) { tip_ = std::move(tip); }
    // Why the last edit was refused (a character the location's files have no
    // byte for, a TAB or line break), shown to the user; empty when it was not.
    const std::string& LastRefusal() const { return refusal_; }

private:
    Grid& grid_;
    std::string refusal_;
    EditFn edit_;
    TipFn tip_;
    uint64_t seen_ = 0;
    int rows_ = 0, cols_ = 0;
};

// A table view on a grid model: fixed rows and columns drawn as headers,
// selection copied into the grid. Each column is as wide as its widest text
// (up to a maximum; a cut-off text shows whole in the cell's tool tip); an
// empty column keeps the width the form planned (twips). Keys and right clicks
// go to the shared clipboard procedures of the record s.
class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(SharedState& s, Grid& grid, GridModel::EditFn edit, QWidget* parent = nullptr);
    GridModel* gridModel() { return model_; }
    void Refresh();

    // The widest a column gets, pixels.
    void SetMaxColumnWidth(int pixels);
    // The last column fills the rest of the view's width.
    void SetStretchLastColumn(bool stretch);
    // The view is exactly as wide as its columns (a small grid without scroll bars).
    void SetWidthFromColumns(bool fit);
    // The tool tip of a cell: its whole text when the column cuts it off, and
    // the model's tip for the cell.
    QString ToolTipAt(const QModelIndex& index) const;
    // The whole table, up to a size that still fits a small screen.
    QSize sizeHint() const override;
    // Called with (row, col) when the user starts editing a cell.
    std::function<void(int, int)> onEditStart;
    // A grid's own keys, tried before the shared clipboard keys (Qt key and
    // modifiers); returns whether it took the key.
    std::function<bool(int key, Qt::KeyboardModifiers mods)> onKey;
    // The pop-up menu of the grid (the shared clipboard commands, then "Save
    // as CSV..."), owned by parent.
    QMenu* MakePopup(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void FitColumns();
    int TextWidth(int row, int col, const QString& text) const;
    void SyncSelection();
    void ShowPopup(const QPoint& at);
    SharedState& s_;
    GridModel* model_;
    int maxColumnWidth_ = 340;
    bool widthFromColumns_ = false;
};

}  // namespace tarvisol::app
