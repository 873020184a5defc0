#include "app/RestrictionsView.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/LegendLabel.h"
#include "app/MenuMnemonics.h"
#include "app/RunTrapped.h"
#include "ui/GridEdit.h"
#include "ui/RequirementsWindow.h"

namespace tarvisol::app {

RestrictionsView::RestrictionsView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    QMenu* nut = menus->addMenu("Save Nutrient Restrictions");
    nut->addAction("Save For Session", this, [this] {
        Run([](SharedState& st, RestrictionsWindow& w) { SaveNutrientsForSession(st, w); });
    });
    nut->addAction("Save to File", this, [this] { Run(&SaveNutrientsToFile); });
    nut->addAction("Save to File As...", this, [this] { Run(&SaveNutrientsToFileAs); });
    QMenu* ing = menus->addMenu("Save Ingredient Restrictions");
    ing->addAction("Save For Session", this, [this] { Run(&SaveIngredientsForSession); });
    ing->addAction("Save to File", this, [this] { Run(&SaveIngredientsToFile); });
    ing->addAction("Save to File As...", this, [this] { Run(&SaveIngredientsToFileAs); });
    menus->addAction("Save All to File", this, [this] { Run(&SaveAllRestrictionsToFile); });
    menus->addAction("Set Minimums from Requirements", this, [this] { Run(&SetMinimumsFromRequirementsClick); });
    MarkMenuBar(menus);
    layout->setMenuBar(menus);

    auto* help = new QLabel(QString::fromStdString(form_.Help), this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto edit = [this](Grid& g) {
        return [this, &g](int r, int c, const std::string& t) { GridCellEdited(s_, g, r, c, t); };
    };
    auto* split = new QSplitter(Qt::Vertical, this);
    nutrients_ = new GridView(s_, form_.GridNuts, edit(form_.GridNuts), split);
    ingredients_ = new GridView(s_, form_.GridIngred, edit(form_.GridIngred), split);
    connect(ingredients_, &QTableView::activated, this,
            [this](const QModelIndex& i) { IngredientRowActivated(s_, form_, i.row()); });
    layout->addWidget(split, 1);
    layout->addWidget(LegendLabel(RestrictionsLegend(), this));
    resize(1100, 700);
}

void RestrictionsView::Open() {
    LoadRestrictionsWindow(s_, form_);
    Refresh();
    show();
    raise();
}

void RestrictionsView::Run(void (*procedure)(SharedState&, RestrictionsWindow&)) {
    RunTrapped(dialogs_, [&] { procedure(s_, form_); });
    Refresh();
}

void RestrictionsView::Sync() {
    if (!isVisible()) return;
    form_.Visible = true;
    if (SyncRestrictionsWindow(s_, form_)) Refresh();
}

void RestrictionsView::closeEvent(QCloseEvent* event) {
    if (!CloseRestrictionsWindow(s_, form_)) {
        event->ignore();
        return;
    }
    event->accept();
}

void RestrictionsView::reject() {
    if (CloseRestrictionsWindow(s_, form_)) QDialog::reject();
}

void RestrictionsView::Refresh() {
    nutrients_->Refresh();
    ingredients_->Refresh();
}

}  // namespace tarvisol::app
