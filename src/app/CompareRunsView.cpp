#include "app/CompareRunsView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/LegendLabel.h"
#include "app/RunTrapped.h"
#include "ui/KeptRunsList.h"

namespace tarvisol::app {

CompareRunsView::CompareRunsView(SharedState& s, Dialogs& dialogs,
                                 std::function<void(const std::function<void()>&)> runCommand, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs), runCommand_(std::move(runCommand)) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("CompareRuns");
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(Qt::Vertical, this);

    auto* listBox = new QWidget(split);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(0, 0, 0, 0);
    auto* file = binder_.Bind(form_.LabelFile, new QLabel(listBox));
    file->setObjectName("LabelFile");
    listLayout->addWidget(file);
    runs_ = new GridView(s_, form_.GridRuns, {}, listBox);
    runs_->setObjectName("GridRuns");
    runs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    runs_->setSelectionMode(QAbstractItemView::SingleSelection);
    listLayout->addWidget(runs_, 1);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](Button& b, const char* name, const std::function<void()>& procedure) {
        auto* w = binder_.Bind(b, new QPushButton(listBox));
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
        buttons->addWidget(w);
        return w;
    };
    button(form_.CommandRename, "CommandRename", [this] { RenameKeptRun(s_, form_); });
    button(form_.CommandDelete, "CommandDelete", [this] { DeleteKeptRun(s_, form_); });
    button(form_.CommandUp, "CommandUp", [this] { MoveKeptRun(s_, form_, -1); });
    button(form_.CommandDown, "CommandDown", [this] { MoveKeptRun(s_, form_, +1); });
    auto* restore = binder_.Bind(form_.CommandRestore, new QPushButton(listBox));
    restore->setObjectName("CommandRestore");
    connect(restore, &QPushButton::clicked, this, [this] {
        runCommand_([this] { RestoreKeptRun(s_, form_); });
        Refresh();
    });
    buttons->addWidget(restore);
    buttons->addStretch(1);
    listLayout->addLayout(buttons);
    auto* status = binder_.Bind(form_.LabelStatus, new QLabel(listBox));
    status->setObjectName("LabelStatus");
    listLayout->addWidget(status);

    auto* tableBox = new QWidget(split);
    auto* tableLayout = new QVBoxLayout(tableBox);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    auto* baseRow = new QHBoxLayout;
    baseRow->addWidget(new QLabel("Compared with the base run", tableBox));
    auto* base = binder_.Bind(form_.ComboBase, new QComboBox(tableBox));
    base->setObjectName("ComboBase");
    base->setMinimumWidth(260);
    baseRow->addWidget(base);
    baseRow->addWidget(new QLabel("  green: better than the base, red: worse", tableBox));
    baseRow->addStretch(1);
    auto* copy = binder_.Bind(form_.CommandCopy, new QPushButton(tableBox));
    copy->setObjectName("CommandCopy");
    connect(copy, &QPushButton::clicked, this, [this] { Run([this] { CopyComparison(s_, form_); }); });
    baseRow->addWidget(copy);
    tableLayout->addLayout(baseRow);
    table_ = new GridView(s_, form_.GridCompare, {}, tableBox);
    table_->setObjectName("GridCompare");
    tableLayout->addWidget(table_, 1);
    tableLayout->addWidget(LegendLabel(CompareRunsLegend(), tableBox));
    connect(base, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        if (loading_) return;
        binder_.Pull();
        Run([this] { CompareBaseChosen(form_); });
    });

    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);
    split->setSizes({220, 620});
    layout->addWidget(split, 1);
    resize(1180, 860);
}

void CompareRunsView::Open() {
    Run([this] { LoadCompareRuns(s_, form_); });
    if (!form_.Runs.empty()) runs_->selectRow(1);
    show();
    raise();
}

void CompareRunsView::Run(const std::function<void()>& procedure) {
    binder_.Pull();
    RunTrapped(dialogs_, procedure);
    Refresh();
}

void CompareRunsView::Refresh() {
    loading_ = true;
    const int row = form_.GridRuns.Row;
    binder_.Push();
    loading_ = false;
    runs_->Refresh();
    table_->Refresh();
    if (row >= 1 && row < form_.GridRuns.Rows()) runs_->selectRow(row);
}

}  // namespace tarvisol::app
