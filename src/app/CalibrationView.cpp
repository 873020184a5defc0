#include "app/CalibrationView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QApplication>
#include <QThread>
#include <algorithm>
#include <atomic>

#include "app/QtDialogs.h"
#include "app/RunTrapped.h"
#include "shared/TextEncoding.h"
#include "ui/UndoableCommands.h"
#include "ui/GridEdit.h"

namespace tarvisol::app {

namespace {

// The progress dialog, and the main window shown anew at each report.
class RunningProgress : public Progress {
public:
    RunningProgress(Progress& shown, const std::function<void()>& running) : shown_(shown), running_(running) {}
    void Report(const std::string& stage, long done, long total, const std::string& detail) override {
        if (running_) running_();
        shown_.Report(stage, done, total, detail);
    }
    bool Cancelled() const override { return shown_.Cancelled(); }
    void Finish() override { shown_.Finish(); }

private:
    Progress& shown_;
    const std::function<void()>& running_;
};

// The genotype fit reports from whichever of its threads finished a start:
// only the reports on the window's own thread reach the dialog, and the
// stop it last showed is what every thread reads.
class GuiThreadProgress : public Progress {
public:
    explicit GuiThreadProgress(Progress& shown) : shown_(shown) {}
    void Report(const std::string& stage, long done, long total, const std::string& detail) override {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) return;
        shown_.Report(stage, done, total, detail);
        cancelled_ = shown_.Cancelled();
    }
    bool Cancelled() const override { return cancelled_; }
    void Finish() override {
        if (QThread::currentThread() == QCoreApplication::instance()->thread()) shown_.Finish();
    }

private:
    Progress& shown_;
    std::atomic<bool> cancelled_{false};
};

}  // namespace

CalibrationView::CalibrationView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    auto* sides = new QHBoxLayout(this);
    auto* layout = new QVBoxLayout;
    sides->addLayout(layout, 1);
    layout->addWidget(binder_.Bind(form_.LabelSex, new QLabel(this)));
    auto* boxes = new QGridLayout;
    Label* labels[] = {&form_.Label1, &form_.Label2, &form_.Label3, &form_.Label4, &form_.Label5};
    TextBox* texts[] = {&form_.Text1, &form_.Text2, &form_.Text3, &form_.Text4, &form_.Text5};
    for (int i = 0; i < 5; ++i) {
        boxes->addWidget(binder_.Bind(*labels[i], new QLabel(this)), 0, i);
        boxes->addWidget(binder_.Bind(*texts[i], new QLineEdit(this)), 1, i);
    }
    layout->addLayout(boxes);
    auto* instructions = new QLabel(QString::fromStdString(form_.LabelInstructions.Caption), this);
    instructions->setWordWrap(true);
    layout->addWidget(instructions);
    for (int c = 0; c < 3; ++c) form_.GridCalibWts.SetColWidth(c, 1400);
    grid_ = new GridView(
        s_, form_.GridCalibWts,
        [this](int r, int c, const std::string& t) { GridCellEdited(s_, form_.GridCalibWts, r, c, t); }, this);
    layout->addWidget(grid_, 1);
    layout->addWidget(new QLabel(QString::fromStdString(form_.LabelGiveAll.Caption), this));
    auto* note = new QPlainTextEdit(QString::fromStdString(form_.TextNote.Text), this);
    note->setReadOnly(true);
    note->setMaximumHeight(70);
    layout->addWidget(note);
    // The fit's diagnostics, shown when it has ended, before the save question.
    diagnostics_ = new QPlainTextEdit(this);
    diagnostics_->setObjectName("TextDiagnostics");
    diagnostics_->setReadOnly(true);
    diagnostics_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    diagnostics_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    diagnostics_->setVisible(false);
    layout->addWidget(diagnostics_, 2);
    form_.OnDiagnostics = [this] {
        if (onRunning) onRunning();
        diagnostics_->setPlainText(QString::fromStdString(form_.TextDiagnostics.Text));
        diagnostics_->setVisible(true);
        working_->setVisible(false);
        resize(std::max(width(), 940), std::max(height(), 680));
        show();
        raise();
        QApplication::processEvents();
        if (onDiagnosticsShown) onDiagnosticsShown();
    };
    auto* row = new QHBoxLayout;
    auto* documented = binder_.Bind(form_.CheckDocumentedOnly, new QCheckBox(QString::fromStdString(form_.CheckDocumentedOnly.Caption), this));
    documented->setToolTip(
        "Without it, a fit whose curve carries a warning is started again from the default curve, the location's "
        "own and typical modern curves, and the best curve without warnings is kept.");
    row->addWidget(documented);
    auto* button = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark(form_.CommandContinue.Caption)), this);
    connect(button, &QPushButton::clicked, this, [this] { Continue(); });
    row->addWidget(button);
    auto* fitGenotype = new QPushButton(QString::fromStdString(genotype_.CommandFit.Caption), this);
    fitGenotype->setObjectName("CommandFitGenotype");
    fitGenotype->setToolTip(
        "Fit the nutrient-response model's genotype (protein deposition, precocity, intake at 50 and 100 kg) to the "
        "measured herd above, on the location's diets. Nothing is saved unless you say so.");
    connect(fitGenotype, &QPushButton::clicked, this, [this] { FitGenotype(); });
    row->addWidget(fitGenotype);
    working_ = new QLabel(QString::fromStdString(form_.LabelWorking.Caption), this);
    working_->setVisible(false);
    row->addWidget(working_);
    row->addStretch(1);
    layout->addLayout(row);

    // The genotype fit beside the herd, shown once a fit has run.
    auto* panel = new QGroupBox(QString::fromStdString(genotype_.CommandFit.Caption.substr(4)), this);
    genotypePanel_ = panel;
    panel->setObjectName("GenotypeFit");
    auto* right = new QVBoxLayout(panel);
    genotypeTitle_ = new QLabel(panel);
    genotypeTitle_->setWordWrap(true);
    right->addWidget(genotypeTitle_);
    genotype_.GridParameters.SetColWidth(0, 4300);
    for (int c = 1; c < 3; ++c) genotype_.GridParameters.SetColWidth(c, 1300);
    parameters_ = new GridView(s_, genotype_.GridParameters, {}, panel);
    parameters_->setObjectName("GridParameters");
    right->addWidget(parameters_, 5);
    const int widths[] = {700, 1200, 1050, 950, 1400, 1050, 950};
    for (int c = 0; c < 7; ++c) genotype_.GridWeighings.SetColWidth(c, widths[c]);
    weighings_ = new GridView(s_, genotype_.GridWeighings, {}, panel);
    weighings_->setObjectName("GridWeighings");
    weighings_->SetMaxColumnWidth(92);  // every column in view beside the herd
    right->addWidget(weighings_, 2);
    warnings_ = new QPlainTextEdit(panel);
    warnings_->setObjectName("TextWarnings");
    warnings_->setReadOnly(true);
    warnings_->setMaximumHeight(110);
    right->addWidget(warnings_, 1);
    panel->setVisible(false);
    sides->addWidget(panel, 1);
    genotype_.OnDiagnostics = [this] {
        if (onRunning) onRunning();
        ShowGenotypePanel();
        show();
        raise();
        QApplication::processEvents();
        if (onDiagnosticsShown) onDiagnosticsShown();
    };
    resize(620, 560);
}

void CalibrationView::ShowGenotypePanel() {
    genotypeTitle_->setText(QString::fromStdString(MixedTextToUtf8(genotype_.LabelTitle.Caption)));
    parameters_->Refresh();
    weighings_->Refresh();
    warnings_->setPlainText(QString::fromStdString(MixedTextToUtf8(genotype_.TextWarnings.Text)));
    genotypePanel_->setVisible(genotype_.Shown);
    // Fits a 1280 x 720 screen with its title bar and a panel.
    if (genotype_.Shown) resize(std::max(width(), 1250), std::max(height(), 660));
}

void CalibrationView::FitGenotype() {
    binder_.Pull();
    {
        QtProgress dialog(this, tr("Genotype fit"));
        RunningProgress running(dialog, onRunning);
        GuiThreadProgress progress(running);
        GenotypeFitOptions options;
        options.progress = &progress;
        // Not an undo step: the history keeps neither the growth model nor
        // the genotype file.
        RunTrapped(dialogs_, [&] { FitGenotypeFromWindow(s_, form_, genotype_, options); });
    }
    Refresh();
    ShowGenotypePanel();
    if (genotype_.Saved && onFinished) onFinished();
}

void CalibrationView::Refresh() {
    binder_.Push();
    grid_->Refresh();
    working_->setVisible(form_.WorkingShown && form_.Visible);
    diagnostics_->setVisible(form_.DiagnosticsShown);
}

void CalibrationView::Open() {
    RunTrapped(dialogs_, [&] { CalibrationCommand(s_, form_); });
    Refresh();
    if (form_.Visible) {
        show();
        raise();
    }
}


void CalibrationView::Continue() {
    binder_.Pull();
    working_->setVisible(true);
    {
        QtProgress dialog(parentWidget() ? parentWidget() : this, tr("Calibration"));
        RunningProgress progress(dialog, onRunning);
        FitOptions options;
        options.progress = &progress;
        hide();  // the window hides while the calibration runs
        RunTrapped(dialogs_, [&] {
            const auto calibrate = [&] { ContinueCalibration(s_, form_, options); };
            if (undo) RecordDeskChange(s_, *undo, kUndoCalibration, true, calibrate);
            else calibrate();
        });
    }
    Refresh();
    // A stopped calibration keeps the window for another try.
    if (form_.Visible) {
        show();
        raise();
    } else {
        hide();
    }
    if (onFinished) onFinished();
    // A herd no curve represents: the genotype fit is offered at once.
    if (!form_.Visible && OfferGenotypeFit(s_, form_)) {
        show();
        raise();
        FitGenotype();
    }
}

void ShowFitDiagnostics(QWidget* parent, const std::string& text) {
    QDialog box(parent);
    box.setObjectName("FitDiagnostics");
    box.setWindowTitle("Fit diagnostics of the curve in force");
    auto* layout = new QVBoxLayout(&box);
    auto* view = new QPlainTextEdit(QString::fromStdString(text), &box);
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view);
    auto* close = new QPushButton("Close", &box);
    QObject::connect(close, &QPushButton::clicked, &box, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    box.resize(940, 560);
    box.exec();
}

}  // namespace tarvisol::app
