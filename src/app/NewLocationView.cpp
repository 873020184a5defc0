#include "app/NewLocationView.h"

#include "shared/TextEncoding.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/RunTrapped.h"
#include "ui/GridEdit.h"

namespace tarvisol::app {

NewLocationView::NewLocationView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(kNewLocationCaption);
    setObjectName("NewLocationView");
    auto* layout = new QVBoxLayout(this);

    // The library, searched as one types, and the ingredients chosen.
    auto* lists = new QHBoxLayout;
    auto* libraryBox = new QGroupBox("Ingredient library", this);
    auto* libraryLayout = new QVBoxLayout(libraryBox);
    auto* search = binder_.Bind(form_.TextSearch, new QLineEdit(libraryBox));
    search->setObjectName("TextSearch");
    search->setPlaceholderText("Type to search: corn, ddgs, amino, mineral ...");
    search->setClearButtonEnabled(true);
    connect(search, &QLineEdit::textEdited, this, [this] {
        binder_.Pull();
        SearchNewLocationLibrary(form_);
        Refresh();
    });
    libraryLayout->addWidget(search);
    found_ = new GridView(s_, form_.GridLibrary, {}, libraryBox);
    found_->setObjectName("GridLibrary");
    // Every column in view: a longer name or source shows whole in its tool tip.
    found_->SetMaxColumnWidth(160);
    connect(found_, &QAbstractItemView::doubleClicked, this, [this] { Run(&AddChosenIngredient); });
    libraryLayout->addWidget(found_, 1);
    library_ = new QLabel(libraryBox);
    library_->setWordWrap(true);
    library_->setObjectName("LabelLibrary");
    libraryLayout->addWidget(library_);
    lists->addWidget(libraryBox, 2);

    // Add and Remove under the library, so the two lists have the width.
    auto* middle = new QHBoxLayout;
    auto button = [&](Button& b, const char* name, QBoxLayout* into, const std::function<void()>& f) {
        auto* w = binder_.Bind(b, new QPushButton(QString::fromStdString(b.Caption), this));
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, f);
        into->addWidget(w);
        return w;
    };
    button(form_.CommandAdd, "CommandAdd", middle, [this] { Run(&AddChosenIngredient); });
    button(form_.CommandRemove, "CommandRemove", middle, [this] { Run(&RemoveChosenIngredient); });
    middle->addStretch(1);
    libraryLayout->addLayout(middle);

    auto* chosenBox = new QGroupBox("Chosen ingredients and their prices", this);
    auto* chosenLayout = new QVBoxLayout(chosenBox);
    chosen_ = new GridView(
        s_, form_.GridChosen,
        [this](int r, int c, const std::string& t) {
            if (c == 1) GridCellEdited(s_, form_.GridChosen, r, c, t);
        },
        chosenBox);
    chosen_->setObjectName("GridChosen");
    chosen_->SetMaxColumnWidth(160);
    chosenLayout->addWidget(chosen_, 1);
    auto* note = new QLabel("Prices start at the library's indicative prices; type your own.", chosenBox);
    note->setWordWrap(true);
    chosenLayout->addWidget(note);
    lists->addWidget(chosenBox, 1);
    layout->addLayout(lists, 1);

    // Where, how many diets and up to which weights, which growth curve.
    auto* programme = new QGroupBox("The new location", this);
    auto* form = new QFormLayout(programme);
    auto edit = [&](TextBox& t, const char* name) {
        auto* e = binder_.Bind(t, new QLineEdit(programme));
        e->setObjectName(name);
        return e;
    };
    form->addRow("Folder", edit(form_.TextFolder, "TextFolder"));
    form->addRow("Name", edit(form_.TextName, "TextName"));
    auto* diets = binder_.Bind(form_.ComboDiets, new QComboBox(programme));
    diets->setObjectName("ComboDiets");
    connect(diets, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        binder_.Pull();
        NewLocationDietsChanged(form_);
        Refresh();
    });
    form->addRow("Number of diets", diets);
    weights_ = new GridView(
        s_, form_.GridWeights,
        [this](int r, int c, const std::string& t) { GridCellEdited(s_, form_.GridWeights, r, c, t); }, programme);
    weights_->setObjectName("GridWeights");
    weights_->SetWidthFromColumns(true);
    weights_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    weights_->setFixedHeight(weights_->verticalHeader()->defaultSectionSize() * 2 + 2 * weights_->frameWidth() +
                             weights_->horizontalScrollBar()->sizeHint().height() + 2);
    form->addRow("Weights, kg", weights_);
    auto* age = edit(form_.TextStartAge, "TextStartAge");
    age->setMaximumWidth(80);
    form->addRow("Age at the starting weight, days", age);
    auto* genotype = binder_.Bind(form_.ComboGenotype, new QComboBox(programme));
    genotype->setObjectName("ComboGenotype");
    genotype->setToolTip("The genotype the nutrient-response model grows; a fitted one comes from the Calibration window");
    connect(genotype, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        binder_.Pull();
        NewLocationGenotypeChanged(form_);
        Refresh();
    });
    source_ = new QLabel(programme);
    source_->setObjectName("LabelGenotypeSource");
    source_->setWordWrap(true);
    auto* genotypeRow = new QHBoxLayout;
    genotypeRow->addWidget(genotype);
    genotypeRow->addWidget(source_, 1);
    form->addRow("Genotype (nutrient response)", genotypeRow);
    auto* curve = edit(form_.TextCurveFrom, "TextCurveFrom");
    curve->setPlaceholderText("empty: the genotype above; or another location, e.g. /home/me/Herds/East/East, whose "
                              "model and genotype (or documented curve) the new one keeps");
    form->addRow("Growth model from", curve);
    auto* currency = edit(form_.TextCurrency, "TextCurrency");
    currency->setMaximumWidth(80);
    currency->setPlaceholderText("USD");
    form->addRow("Currency", currency);
    layout->addWidget(programme);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    button(form_.CommandMake, "CommandMake", buttons, [this] {
        binder_.Pull();
        std::string made;
        const std::function<void()> make = [&] { made = MakeLocationFromWindow(s_, form_); };
        if (runCommand)
            runCommand(make);
        else
            RunTrapped(dialogs_, make);
        Refresh();
        if (!made.empty()) hide();
    });
    button(form_.CommandClose, "CommandClose", buttons, [this] {
        form_.Visible = false;
        hide();
    });
    layout->addLayout(buttons);
    // Fits a 1280 x 720 screen with its title bar and a panel.
    resize(1250, 660);
}

void NewLocationView::Run(void (*procedure)(SharedState&, NewLocationWindow&)) {
    binder_.Pull();
    RunTrapped(dialogs_, [&] { procedure(s_, form_); });
    Refresh();
}

void NewLocationView::Open(const std::string& libraryFile, const std::string& folder) {
    OpenNewLocationWindow(s_, form_, libraryFile, folder);
    Refresh();
    show();
    raise();
}

void NewLocationView::Refresh() {
    binder_.Push();
    library_->setText(QString::fromStdString(MixedTextToUtf8(form_.LabelLibrary.Caption)));
    source_->setText(QString::fromStdString(MixedTextToUtf8(form_.LabelGenotypeSource.Caption)));
    found_->Refresh();
    chosen_->Refresh();
    weights_->Refresh();
}

}  // namespace tarvisol::app
