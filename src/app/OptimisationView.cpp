#include "app/OptimisationView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/LegendLabel.h"
#include "app/MarginPanelView.h"
#include "app/OptimisationReportView.h"
#include "app/QtDialogs.h"
#include "app/RunTrapped.h"
#include "ui/GridClipboard.h"
#include "ui/InputHelp.h"
#include "ui/UndoableCommands.h"

namespace tarvisol::app {

OptimisationView::OptimisationView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("FrmOptP");
    auto* layout = new QVBoxLayout(this);

    auto* boxes = new QGridLayout;
    auto addBox = [&](Label& label, TextBox& box, const char* name, int col) {
        boxes->addWidget(binder_.Bind(label, new QLabel(this)), 0, col);
        auto* edit = binder_.Bind(box, new QLineEdit(this));
        edit->setObjectName(name);
        boxes->addWidget(edit, 1, col);
        return edit;
    };
    addBox(form_.LabelLocation, form_.Text1, "Text1", 0);
    addBox(form_.LabelTarget, form_.Text2, "Text2", 1);
    auto* diets = addBox(form_.LabelDiets, form_.TextOptDiet, "TextOptDiet", 2);
    diets->setMaximumWidth(60);
    auto* spin = new QVBoxLayout;
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    up->setObjectName("VScroll1Up");
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    down->setObjectName("VScroll1Down");
    spin->addWidget(up);
    spin->addWidget(down);
    boxes->addLayout(spin, 1, 3);
    connect(up, &QToolButton::clicked, this, [this] { Run([this] { OptDietSpin(s_, form_, +1); }); });
    connect(down, &QToolButton::clicked, this, [this] { Run([this] { OptDietSpin(s_, form_, -1); }); });
    auto* check3 = binder_.Bind(form_.Check3, new QCheckBox(this));
    check3->setObjectName("Check3");
    connect(check3, &QCheckBox::clicked, this, [this] { Run([this] { UseFeedWeightsOnlyClick(s_, form_); }); });
    boxes->addWidget(check3, 1, 4);
    boxes->addWidget(binder_.Bind(form_.CheckCarcass, new QCheckBox(this)), 0, 5);
    boxes->addWidget(binder_.Bind(form_.CheckVelmorant, new QCheckBox(this)), 1, 5);
    auto* requirements = binder_.Bind(form_.CheckRequirements, new QCheckBox(this));
    requirements->setObjectName("CheckRequirements");
    requirements->setToolTip(
        "Off: the search as documented. On: every amino-acid minimum the search sets stays at or above the pigs' "
        "requirement where the diet starts in the last Growth run");
    boxes->addWidget(requirements, 2, 4, 1, 2);
    boxes->addWidget(new QLabel("Objective", this), 2, 0);
    auto* objective = binder_.Bind(form_.Margin.ComboObjective, new QComboBox(this));
    objective->setObjectName("ComboObjective");
    objective->setToolTip("Feed cost per pig: the search of feed weights, energy and protein as documented. A margin: "
                          "each diet's energy and SID lysine, the allotments and the sale weight, sold by the market");
    connect(objective, &QComboBox::activated, this, [this] { Run([] {}); });
    boxes->addWidget(objective, 2, 1, 1, 3);
    layout->addLayout(boxes);

    ranges_ = new QWidget(this);
    auto* rangesLayout = new QVBoxLayout(ranges_);
    rangesLayout->setContentsMargins(0, 0, 0, 0);
    rangesLayout->addWidget(binder_.Bind(form_.LabelUncheck, new QLabel(ranges_)));
    rangesLayout->addWidget(binder_.Bind(form_.LabelRestrictions, new QLabel(ranges_)));
    grid_ = new GridView(s_, form_.GridOpt,
                         [this](int r, int c, const std::string& t) { GridOptEdit(s_, form_, r, c, t); }, ranges_);
    grid_->setObjectName("GridOpt");
    grid_->gridModel()->SetToolTip([this](int r, int) { return OptimisationRowToolTip(s_, r); });
    // The check boxes toggle on a click; typing in them does nothing.
    connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == 2) Run([this, index] { GridOptClick(s_, form_, index.row(), index.column()); });
    });
    grid_->installEventFilter(this);
    rangesLayout->addWidget(grid_, 1);
    rangesLayout->addWidget(LegendLabel(OptimisationWindowLegend(), ranges_));
    layout->addWidget(ranges_, 1);
    margin_ = new MarginPanelView(s_, form_.Margin, this);
    layout->addWidget(margin_, 1);

    working_ = binder_.Bind(form_.LabelWorking, new QLabel(this));
    working_->setObjectName("LabelWorking");
    working_->setStyleSheet("color: red; font-weight: bold;");
    layout->addWidget(working_);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](Button& b, const char* name, std::function<void()> procedure) {
        auto* w = binder_.Bind(b, new QPushButton(this));
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
        buttons->addWidget(w);
    };
    addButton(form_.CommandOpt, "CommandOpt", [this] {
        QtProgress progress(this, QString::fromStdString(form_.Caption));
        s_.OptProgress = &progress;
        try {
            RunOptimisation(s_, form_);
        } catch (...) {
            s_.OptProgress = nullptr;
            throw;
        }
        s_.OptProgress = nullptr;
    });
    addButton(form_.CommandView, "CommandView", [this] { ViewOptimisationClick(s_, form_); });
    addButton(form_.Command4, "Command4", [this] {
        const auto transfer = [this] { TransferOptimumClick(s_, form_); };
        if (undo) RecordDeskChange(s_, *undo, kUndoTransfer, false, transfer);
        else transfer();
    });
    addButton(form_.Command1, "Command1", [this] { ProgramMinMaxClick(s_, form_); });
    addButton(form_.CommandSaveOpt, "CommandSaveOpt", [] {});
    addButton(form_.CommandOpenOpt, "CommandOpenOpt", [] {});
    auto* market = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark("Market Weight")), this);
    market->setObjectName("CommandMarket");
    market->setToolTip("The final weight that pays best per pig and per pig place and year");
    connect(market, &QPushButton::clicked, this, [this] {
        if (openMarket) openMarket();
    });
    buttons->addWidget(market);
    layout->addLayout(buttons);

    form_.ShowReport = [this] {
        if (!report_) report_ = std::make_unique<OptimisationReportView>(s_, dialogs_, this);
        report_->Open(&form_);
    };
    binder_.Push();
    resize(760, 720);
}

OptimisationView::~OptimisationView() = default;

void OptimisationView::Open() {
    Run([this] { ShowOptimisationWindow(s_, form_); });
    show();
    raise();
}

void OptimisationView::Run(const std::function<void()>& procedure) {
    binder_.Pull();
    RunTrapped(dialogs_, procedure);
    Refresh();
    if (onMainChanged) onMainChanged();
}

void OptimisationView::Refresh() {
    binder_.Push();
    working_->setVisible(form_.WorkingVisible);
    grid_->Refresh();
    // The ranges belong to the feed-cost search; a margin shows its own results.
    const bool margin = ChosenObjective(form_.Margin) != OptObjective::FeedCost;
    ranges_->setVisible(!margin);
    margin_->setVisible(margin);
    margin_->Refresh();
}

void OptimisationView::closeEvent(QCloseEvent* event) {
    // The window unloads when closed: the next opening reads the main window again.
    form_.Visible = false;
    QDialog::closeEvent(event);
}

bool OptimisationView::eventFilter(QObject* watched, QEvent* event) {
    // In this grid Ctrl+X copies without cutting.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_X && key->modifiers() == Qt::ControlModifier) {
            GridKeyDown(s_, form_.GridOpt, kKeyC, kCtrl);
            grid_->Refresh();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvisol::app
