#include "app/MatrixEditorView.h"

#include "ui/Mnemonics.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/RunTrapped.h"
#include "formulation/PriceSheet.h"
#include "ui/GridEdit.h"

namespace tarvisol::app {

MatrixEditorView::MatrixEditorView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    auto* layout = new QVBoxLayout(this);
    grid_ = new GridView(s_, form_.GridMatrix,
                         [this](int r, int c, const std::string& t) { GridCellEdited(s_, form_.GridMatrix, r, c, t); }, this);
    layout->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    Mnemonics mnemonics;
    auto add = [&](const char* caption, std::function<void()> f) {
        auto* b = new QPushButton(QString::fromStdString(mnemonics.Mark(caption)), this);
        connect(b, &QPushButton::clicked, this, [this, f] { Run(f); });
        buttons->addWidget(b);
    };
    add("Apply for Session", [this] { ApplyMatrixEditor(s_, form_); });
    add("Add Ingredient", [this] { AddIngredientRow(s_, form_); });
    add("Remove Ingredient", [this] { RemoveIngredient(s_, form_, form_.GridMatrix.Row); });
    add("Paste Prices", [this] { PasteClipboardPrices(s_, form_); });
    add("Prices from File...", [this] { PricesFromFile(s_, form_); });
    add("Save to File", [this] { SaveMatrixEditor(s_, form_); });
    buttons->addStretch(1);
    layout->addLayout(buttons);
    resize(1100, 650);
}

void MatrixEditorView::Open() {
    LoadMatrixEditor(s_, form_);
    grid_->Refresh();
    show();
    raise();
}

void MatrixEditorView::Run(const std::function<void()>& procedure) {
    const uint32_t version = s_.MatrixVersion;
    RunTrapped(dialogs_, procedure);
    grid_->Refresh();
    if (s_.MatrixVersion != version && onChanged) onChanged();
}

void MatrixEditorView::Sync() {
    if (!isVisible()) return;
    form_.Visible = true;
    if (SyncMatrixEditor(s_, form_)) grid_->Refresh();
}

void MatrixEditorView::closeEvent(QCloseEvent* event) {
    if (!CloseMatrixEditor(s_, form_)) {
        event->ignore();
        return;
    }
    grid_->Refresh();
    if (onChanged) onChanged();
    event->accept();
}

void MatrixEditorView::reject() {
    if (CloseMatrixEditor(s_, form_)) QDialog::reject();
}

}  // namespace tarvisol::app
