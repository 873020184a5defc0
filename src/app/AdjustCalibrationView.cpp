#include "app/AdjustCalibrationView.h"

#include "ui/Mnemonics.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtDialogs.h"
#include "app/RunTrapped.h"
#include "ui/GridEdit.h"

namespace tarvisol::app {

AdjustCalibrationView::AdjustCalibrationView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    auto* layout = new QVBoxLayout(this);
    for (int c = 0; c < form_.GridTest.Cols(); ++c) form_.GridTest.SetColWidth(c, 1300);
    grid_ = new GridView(
        s_, form_.GridTest, [this](int r, int c, const std::string& t) { GridCellEdited(s_, form_.GridTest, r, c, t); },
        this);
    layout->addWidget(grid_, 1);
    auto* row = new QHBoxLayout;
    Mnemonics mnemonics;
    auto* run = new QPushButton(QString::fromStdString(mnemonics.Mark(form_.CommandRun.Caption)), this);
    connect(run, &QPushButton::clicked, this, [this] { Run(); });
    row->addWidget(run);
    text_ = new QLineEdit(this);
    text_->setReadOnly(true);
    row->addWidget(text_, 1);
    layout->addLayout(row);
    resize(900, 480);
}

void AdjustCalibrationView::Open() {
    RunTrapped(dialogs_, [&] { LoadAdjustCal(s_, form_); });
    grid_->Refresh();
    text_->setText(QString::fromStdString(form_.Text1.Text));
    show();
    raise();
}

void AdjustCalibrationView::Run() {
    {
        QtProgress progress(this, tr("Calibration Test"));
        FitOptions options;
        options.progress = &progress;
        RunTrapped(dialogs_, [&] { AdjustCalRun(s_, form_, options); });
    }
    grid_->Refresh();
    text_->setText(QString::fromStdString(form_.Text1.Text));
}

}  // namespace tarvisol::app
