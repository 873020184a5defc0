#pragma once
// A window that shows one read-only grid of a form (the daily growth table).
#include <QDialog>

#include "app/GridModel.h"

namespace tarvisol::app {

class GridDialog : public QDialog {
    Q_OBJECT
public:
    GridDialog(SharedState& s, Grid& grid, const QString& caption, QWidget* parent);
    void Refresh() { view_->Refresh(); }

private:
    GridView* view_;
};

}  // namespace tarvisol::app
