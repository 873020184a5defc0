#include "app/GridDialog.h"

#include <QVBoxLayout>

namespace tarvisol::app {

GridDialog::GridDialog(SharedState& s, Grid& grid, const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    view_ = new GridView(s, grid, {}, this);
    layout->addWidget(view_);
    resize(900, 600);
}

}  // namespace tarvisol::app
