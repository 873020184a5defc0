#include "app/GridDialog.h"

#include <QVBoxLayout>

namespace tarvisol::app {

GridDialog::GridDialog(Grid& grid, const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    view_ = new GridView(grid, {}, this);
    layout->addWidget(view_);
    resize(900, 600);
}

}  // namespace tarvisol::app
