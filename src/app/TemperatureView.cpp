#include "app/TemperatureView.h"

#include "ui/Mnemonics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/RunTrapped.h"
#include "ui/GridEdit.h"

namespace tarvisol::app {

TemperatureView::TemperatureView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    auto* layout = new QVBoxLayout(this);
    grid_ = new GridView(s_, form_.GridTemps,
                         [this](int r, int c, const std::string& t) { GridCellEdited(s_, form_.GridTemps, r, c, t); }, this);
    for (int c = 0; c < 3; ++c) form_.GridTemps.SetColWidth(c, 1500);
    layout->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    Mnemonics mnemonics;
    auto add = [&](Button& b, void (*procedure)(SharedState&, TemperatureWindow&)) {
        auto* w = new QPushButton(QString::fromStdString(mnemonics.Mark(b.Caption)), this);
        connect(w, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
        buttons->addWidget(w);
    };
    add(form_.CommandSave, &TempWindowSave);
    add(form_.CommandSaveOnly, &TempWindowSaveOnly);
    add(form_.CommandSaveAndClose, &TempWindowSaveAndClose);
    add(form_.CommandClose, [](SharedState& st, TemperatureWindow& w) { TempWindowCloseAsked(st, w); });
    layout->addLayout(buttons);
    resize(420, 560);
}

void TemperatureView::Open() {
    ShowTemperatureWindow(s_, form_);
    grid_->Refresh();
    show();
    raise();
}

void TemperatureView::closeEvent(QCloseEvent* event) {
    if (form_.Visible && !TempWindowCloseAsked(s_, form_)) {
        event->ignore();
        return;
    }
    event->accept();
}

void TemperatureView::reject() {
    if (!form_.Visible || TempWindowCloseAsked(s_, form_)) QDialog::reject();
}

void TemperatureView::Run(void (*procedure)(SharedState&, TemperatureWindow&)) {
    RunTrapped(dialogs_, [&] { procedure(s_, form_); });
    grid_->Refresh();
    if (!form_.Visible) hide();
}

}  // namespace tarvisol::app
