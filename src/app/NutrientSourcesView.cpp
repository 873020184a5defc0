#include "app/NutrientSourcesView.h"

#include "ui/Mnemonics.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvisol::app {

NutrientSourcesView::NutrientSourcesView(SharedState& s, QWidget* parent) : QDialog(parent), s_(s) {
    setWindowTitle("Nutrient Sources");
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    layout->addWidget(caption_);
    auto* buttons = new QHBoxLayout;
    Mnemonics mnemonics;
    auto* more = new QPushButton(QString::fromStdString(mnemonics.Mark(form_.CommandMoreInfo.Caption)), this);
    auto* copy = new QPushButton(QString::fromStdString(mnemonics.Mark(form_.CommandCopy.Caption)), this);
    auto* close = new QPushButton(QString::fromStdString(mnemonics.Mark(form_.CommandClose.Caption)), this);
    buttons->addWidget(more);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    grid_ = new GridView(s_, form_.GridSources, {}, this);
    layout->addWidget(grid_, 1);
    connect(more, &QPushButton::clicked, this, [this] {
        MoreInfo(s_, form_);
        Refresh();
    });
    connect(copy, &QPushButton::clicked, this, [this] { CopySources(s_, form_); });
    connect(close, &QPushButton::clicked, this, [this] {
        form_.Visible = false;
        hide();
    });
    resize(420, 420);
}

void NutrientSourcesView::Open() {
    Refresh();
    show();
    raise();
}

void NutrientSourcesView::Refresh() {
    caption_->setText(QString::fromStdString(form_.LabelCaption.Caption));
    grid_->Refresh();
    grid_->setVisible(form_.GridVisible);
}

}  // namespace tarvisol::app
