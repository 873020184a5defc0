#include "app/RunMenus.h"

#include <QDateTime>
#include <QLocale>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

#include "app/CompareRunsView.h"
#include "app/GrowthChartsView.h"
#include "pdf/ReportPdf.h"
#include "ui/KeepRun.h"

namespace tarvisol::app {

RunMenus::RunMenus(SharedState& s, Dialogs& dialogs, RunCommandFn runCommand, QWidget* parent)
    : QObject(parent), s_(s), dialogs_(dialogs), run_(std::move(runCommand)), parent_(parent) {}

RunMenus::~RunMenus() = default;

ReportPage RunMenus::DefaultPage() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? ReportPage::Letter : ReportPage::A4;
}

std::string RunMenus::Today() { return QDate::currentDate().toString("yyyy-MM-dd").toStdString(); }
std::string RunMenus::Now() { return QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString(); }

void RunMenus::AddFileActions(QMenu* file) {
    file->addAction("Keep This Run", this, [this] { run_([this] { KeepThisRun(s_, Now()); }); });
    file->addAction("Compare Runs", this, [this] { OpenComparison(); });
    file->addAction("Export Report...", this, [this] {
        run_([this] {
            pdf::PdfReportRenderer renderer;
            const std::optional<HerdReport> sold = herd ? herd() : std::nullopt;
            ExportReport(s_, renderer, Today(), DefaultPage(), sold ? &*sold : nullptr, precision ? precision() : nullptr,
                         margin ? margin() : nullptr);
        });
    });
    file->addAction("Print Report...", this, [this] { PrintReport(); });
    file->addAction("Export to Excel...", this, [this] {
        run_([this] {
            const std::optional<HerdReport> sold = herd ? herd() : std::nullopt;
            ExportWorkbook(s_, Today(), sold ? &*sold : nullptr, precision ? precision() : nullptr,
                         margin ? margin() : nullptr);
        });
    });
}

void RunMenus::AddViewActions(QMenu* view) { view->addAction("Growth Charts", this, [this] { OpenCharts(); }); }

void RunMenus::OpenCharts() {
    if (!charts_) {
        charts_ = std::make_unique<GrowthChartsView>(s_, dialogs_, parent_);
        fit_.Mark(charts_.get());
    }
    charts_->Open(CurrentRun(s_));
}

void RunMenus::OpenComparison() {
    if (!compare_) {
        compare_ = std::make_unique<CompareRunsView>(s_, dialogs_, run_, parent_);
        fit_.Mark(compare_.get());
    }
    compare_->Open();
}

void RunMenus::PrintReport() {
    ReportDocument doc;
    bool ready = false;
    const std::optional<HerdReport> sold = herd ? herd() : std::nullopt;
    run_([&] { ready = CurrentReport(s_, Today(), doc, sold ? &*sold : nullptr, precision ? precision() : nullptr,
                         margin ? margin() : nullptr); });
    if (!ready) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(DefaultPage() == ReportPage::Letter ? QPageSize::Letter : QPageSize::A4));
    printer.setDocName(QString::fromUtf8(doc.Title.c_str()));
    QPrintDialog dialog(&printer, parent_);
    dialog.setWindowTitle("Print Report");
    if (dialog.exec() != QDialog::Accepted) return;
    pdf::PaintReport(printer, doc);
}

}  // namespace tarvisol::app
