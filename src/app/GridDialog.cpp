#include "app/GridDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvisol::app {

GridDialog::GridDialog(SharedState& s, Grid& grid, const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    layout->addLayout(buttons_);
    view_ = new GridView(s, grid, {}, this);
    layout->addWidget(view_);
    resize(900, 600);
}

QPushButton* GridDialog::AddButton(const QString& caption, const std::function<void()>& clicked) {
    auto* b = new QPushButton(QString::fromStdString(mnemonics.Mark(caption.toStdString())), this);
    b->setObjectName(caption);
    connect(b, &QPushButton::clicked, this, clicked);
    buttons_->insertWidget(buttons_->count() - 1, b);
    return b;
}

}  // namespace tarvisol::app
