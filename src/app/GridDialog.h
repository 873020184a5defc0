#pragma once
// A window that shows one read-only grid of a form (the daily growth table).
#include <QDialog>
#include <functional>

#include "app/GridModel.h"
#include "ui/Mnemonics.h"

class QHBoxLayout;
class QPushButton;

namespace tarvisol::app {

class GridDialog : public QDialog {
    Q_OBJECT
public:
    GridDialog(SharedState& s, Grid& grid, const QString& caption, QWidget* parent);
    void Refresh() { view_->Refresh(); }
    GridView* gridView() { return view_; }
    // A command button above the grid.
    QPushButton* AddButton(const QString& caption, const std::function<void()>& clicked);
    // The window's keyboard mnemonics, for its buttons.
    Mnemonics mnemonics;

private:
    GridView* view_;
    QHBoxLayout* buttons_ = nullptr;
};

}  // namespace tarvisol::app
