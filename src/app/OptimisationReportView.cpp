#include "app/OptimisationReportView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/LegendLabel.h"
#include "app/RunTrapped.h"

namespace tarvisol::app {

OptimisationReportView::OptimisationReportView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("OptimisationReport");
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(binder_.Bind(form_.LabelTargetWt, new QLabel(this)));
    auto* target = binder_.Bind(form_.TextTargetWt, new QLineEdit(this));
    target->setReadOnly(true);
    target->setObjectName("TextTargetWt");
    top->addWidget(target);
    auto* evals = binder_.Bind(form_.LabelEvaluations, new QLabel(this));
    evals->setObjectName("LabelEvaluations");
    top->addWidget(evals, 1);
    auto* copy = binder_.Bind(form_.CommandCopy, new QPushButton(this));
    copy->setObjectName("CommandCopy");
    connect(copy, &QPushButton::clicked, this, [this] {
        RunTrapped(dialogs_, [&] { CopyReportToClipboard(s_, form_); });
        Refresh();
    });
    top->addWidget(copy);
    auto* current = binder_.Bind(form_.CommandShowCurrent, new QPushButton(this));
    top->addWidget(current);
    layout->addLayout(top);

    tabs_ = new QTabWidget(this);
    Grid* grids[5] = {&form_.Grid3, &form_.GridIngred, &form_.GridNuts, &form_.GridInWt, &form_.GridMargin};
    for (int i = 0; i < 5; ++i) {
        auto* v = new GridView(s_, *grids[i], {}, tabs_);
        v->setObjectName(QString::fromStdString(grids[i]->Name));
        grids_.push_back(v);
        tabs_->addTab(v, QString::fromStdString(form_.ReportTabs.Captions[static_cast<std::size_t>(i)]));
    }
    layout->addWidget(tabs_, 1);
    layout->addWidget(LegendLabel(OptimisationReportLegend(), this));
    binder_.Push();
    resize(980, 620);
}

void OptimisationReportView::Open(const FrmOptP* optimisationWindow) {
    RunTrapped(dialogs_, [&] { ShowOptimisationReport(s_, form_, optimisationWindow); });
    Refresh();
    show();
    raise();
}

void OptimisationReportView::Refresh() {
    binder_.Push();
    for (GridView* v : grids_) v->Refresh();
    tabs_->setTabVisible(kMarginReportTab, form_.MarginShown);
    tabs_->setCurrentIndex(form_.ReportTabs.Tab);
}

}  // namespace tarvisol::app
