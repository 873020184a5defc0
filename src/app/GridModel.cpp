#include "app/GridModel.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cctype>

#include "app/MenuMnemonics.h"
#include "shared/TextEncoding.h"
#include "ui/GridClipboard.h"

namespace tarvisol::app {

GridModel::GridModel(Grid& grid, EditFn edit, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), edit_(std::move(edit)) {
    rows_ = grid_.Rows();
    cols_ = grid_.Cols();
    seen_ = grid_.Version();
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= grid_.Rows() || index.column() >= grid_.Cols()) return {};
    const int r = index.row(), c = index.column();
    const bool fixed = r < grid_.FixedRows || c < grid_.FixedCols;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            // Grid text is the single-byte text of the location files.
            return QString::fromStdString(Windows1252ToUtf8(grid_.TextMatrix(r, c)));
        case Qt::BackgroundRole: {
            const Color color = grid_.CellBackColor(r, c);
            if (color != kNoColor) return QBrush(QColor((color >> 16) & 255, (color >> 8) & 255, color & 255));
            if (fixed) return QBrush(QColor(232, 232, 232));
            return {};
        }
        case Qt::ForegroundRole: {
            const Color color = grid_.CellBackColor(r, c);
            if (color == kBlue) return QBrush(Qt::white);
            return {};
        }
        case Qt::ToolTipRole:
            if (tip_) {
                const std::string tip = tip_(r, c);
                if (!tip.empty()) return QString::fromStdString(tip);
            }
            return {};
        case Qt::TextAlignmentRole: {
            // Numbers line up on the right, words (names, file paths) on the left.
            const std::string& text = grid_.TextMatrix(r, c);
            const bool number = !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) ||
                                                  ((text[0] == '-' || text[0] == '.' || text[0] == '+') &&
                                                   text.size() > 1));
            return fixed || !number ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        case Qt::FontRole:
            if (fixed) {
                QFont f;
                f.setBold(true);
                return f;
            }
            return {};
        default:
            return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !edit_ || !index.isValid()) return false;
    // Typed as UTF-8; the cell holds the location files' single bytes, and
    // what those files cannot carry is refused, never turned into "?".
    std::string bytes;
    refusal_ = TypedToWindows1252(value.toString().toStdString(), "The text typed", bytes);
    if (!refusal_.empty()) {
        refusal_ += "; the cell keeps its text";
        auto* box = new QMessageBox(QMessageBox::Information, "Tarvisol for Swine", QString::fromStdString(refusal_),
                                    QMessageBox::Ok, QApplication::activeWindow());
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return false;
    }
    edit_(index.row(), index.column(), bytes);
    Refresh();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (edit_ && index.row() >= grid_.FixedRows && index.column() >= grid_.FixedCols) f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::Refresh() {
    if (grid_.Version() == seen_ && grid_.Rows() == rows_ && grid_.Cols() == cols_) return false;
    if (grid_.Rows() != rows_ || grid_.Cols() != cols_) {
        beginResetModel();
        rows_ = grid_.Rows();
        cols_ = grid_.Cols();
        endResetModel();
    } else if (rows_ > 0 && cols_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    }
    seen_ = grid_.Version();
    return true;
}

GridView::GridView(SharedState& s, Grid& grid, GridModel::EditFn edit, QWidget* parent) : QTableView(parent), s_(s) {
    model_ = new GridModel(grid, std::move(edit), this);
    setModel(model_);
    setObjectName(QString::fromStdString(grid.Name));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SyncSelection(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SyncSelection(); });
    model_->Refresh();
    FitColumns();
}

void GridView::Refresh() {
    if (model_->Refresh()) FitColumns();
}

void GridView::SetMaxColumnWidth(int pixels) {
    maxColumnWidth_ = pixels;
    FitColumns();
}

void GridView::SetStretchLastColumn(bool stretch) {
    horizontalHeader()->setStretchLastSection(stretch);
    FitColumns();
}

void GridView::SetWidthFromColumns(bool fit) {
    widthFromColumns_ = fit;
    FitColumns();
}

int GridView::TextWidth(int row, int col, const QString& text) const {
    const Grid& g = model_->grid();
    QFont f = font();
    if (row < g.FixedRows || col < g.FixedCols) f.setBold(true);
    // The cell's text margins on both sides, and a little air.
    const int pad = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 6;
    return QFontMetrics(f).horizontalAdvance(text) + pad;
}

void GridView::FitColumns() {
    const Grid& g = model_->grid();
    const bool stretch = horizontalHeader()->stretchLastSection();
    constexpr int kNarrowest = 36;
    for (int c = 0; c < g.Cols(); ++c) {
        if (stretch && c == g.Cols() - 1) continue;
        int widest = 0;
        for (int r = 0; r < g.Rows(); ++r) {
            const std::string& text = g.TextMatrix(r, c);
            if (!text.empty()) widest = std::max(widest, TextWidth(r, c, QString::fromStdString(text)));
        }
        // An empty column keeps the width the form planned, in twips (15 a pixel).
        const int width = widest > 0 ? widest : g.ColWidth(c) / 15;
        setColumnWidth(c, std::clamp(width, kNarrowest, std::max(kNarrowest, maxColumnWidth_)));
    }
    if (widthFromColumns_) {
        int w = 2 * frameWidth();
        for (int c = 0; c < g.Cols(); ++c) w += columnWidth(c);
        setFixedWidth(w);
    }
    updateGeometry();
}

QString GridView::ToolTipAt(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    const QString text = model_->data(index, Qt::DisplayRole).toString();
    QString tip = model_->data(index, Qt::ToolTipRole).toString();
    if (!text.isEmpty() && TextWidth(index.row(), index.column(), text) > columnWidth(index.column()))
        tip = tip.isEmpty() ? text : text + "\n" + tip;
    return tip;
}

bool GridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString tip = ToolTipAt(index);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
        return true;
    }
    return QTableView::viewportEvent(event);
}

QSize GridView::sizeHint() const {
    const Grid& g = model_->grid();
    int w = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < g.Cols(); ++c) w += columnWidth(c);
    int h = 2 * frameWidth() + horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < g.Rows(); ++r) h += rowHeight(r);
    return {std::min(w, 1180), std::min(h, 620)};
}

void GridView::SyncSelection() {
    Grid& g = model_->grid();
    const QModelIndex cur = currentIndex();
    if (cur.isValid()) {
        g.Row = cur.row();
        g.Col = cur.column();
    }
    const auto ranges = selectionModel()->selection();
    if (!ranges.isEmpty()) {
        const auto& r = ranges.first();
        g.Row = r.top();
        g.Col = r.left();
        g.RowSel = r.bottom();
        g.ColSel = r.right();
    } else if (cur.isValid()) {
        g.RowSel = cur.row();
        g.ColSel = cur.column();
    }
}

void GridView::keyPressEvent(QKeyEvent* event) {
    SyncSelection();
    if (onKey && onKey(event->key(), event->modifiers())) {
        Refresh();
        return;
    }
    const auto mods = event->modifiers();
    const int mask = (mods & Qt::ShiftModifier ? kShift : 0) | (mods & Qt::ControlModifier ? kCtrl : 0);
    int code = 0;
    switch (event->key()) {
        case Qt::Key_A: code = kKeyA; break;
        case Qt::Key_C: code = kKeyC; break;
        case Qt::Key_V: code = kKeyV; break;
        case Qt::Key_X: code = kKeyX; break;
        case Qt::Key_Insert: code = kKeyInsert; break;
        default: break;
    }
    Grid& g = model_->grid();
    bool handled = false;
    if (code == kKeyV && mask == kCtrl) {
        PasteFromClipboard(s_, g, code, mask);
        handled = true;
    } else if (code != 0) {
        handled = GridKeyDown(s_, g, code, mask);
    }
    if (handled) {
        Refresh();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool started = QTableView::edit(index, trigger, event);
    if (started && onEditStart) onEditStart(index.row(), index.column());
    return started;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    GridMouseDown(s_, model_->grid());
    if (event->button() == Qt::RightButton) {
        SyncSelection();
        ShowPopup(event->globalPosition().toPoint());
        return;
    }
    QTableView::mousePressEvent(event);
}

QMenu* GridView::MakePopup(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(kPopupName);
    for (int i = 0; i < 4; ++i) {
        QAction* a = menu->addAction(kPopupCommands[i]);
        connect(a, &QAction::triggered, this, [this, i] {
            PopupCommand(s_, i);
            Refresh();
        });
    }
    menu->addSeparator();
    QAction* csv = menu->addAction(kPopupSaveCsv);
    connect(csv, &QAction::triggered, this, [this] {
        GridMouseDown(s_, model_->grid());
        PopupCommand(s_, kPopupSaveCsvCommand);
        Refresh();
    });
    MarkMenu(menu);
    return menu;
}

void GridView::ShowPopup(const QPoint& at) {
    QMenu* menu = MakePopup(this);
    menu->exec(at);
    delete menu;
}

}  // namespace tarvisol::app
