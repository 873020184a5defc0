#include "app/SensitivityView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shared/TextEncoding.h"

namespace tarvisol::app {
namespace {
QString Text(const std::string& bytes) { return QString::fromStdString(Windows1252ToUtf8(bytes)); }
}  // namespace

SensitivityView::SensitivityView(SharedState& s, QWidget* parent) : QDialog(parent), s_(s) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("SensitivityView");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* diet = new QComboBox(this);
    diet->setObjectName("ComboDiet");
    diet->setMinimumWidth(260);
    top->addWidget(new QLabel("Diet", this));
    top->addWidget(diet);
    top->addStretch(1);
    layout->addLayout(top);
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setObjectName("LabelSummary");
    layout->addWidget(summary_);

    auto group = [&](const char* title, Grid& grid, GridView*& view, Button& copy, void (*procedure)(SharedState&, SensitivityWindow&)) {
        auto* box = new QGroupBox(title, this);
        auto* v = new QVBoxLayout(box);
        view = new GridView(s_, grid, {}, box);
        view->setObjectName(QString::fromStdString(grid.Name));
        v->addWidget(view);
        auto* b = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark(copy.Caption)), box);
        b->setObjectName(QString::fromStdString(copy.Caption));
        connect(b, &QPushButton::clicked, this, [this, procedure] { procedure(s_, form_); });
        auto* row = new QHBoxLayout;
        row->addWidget(b);
        row->addStretch(1);
        v->addLayout(row);
        layout->addWidget(box, 1);
        return box;
    };
    limits_ = group("Nutrient limits, largest shadow price first", form_.GridLimits, limitsGrid_, form_.CommandCopyLimits,
                    &CopySensitivityLimits);
    ingredients_ = group("Ingredients", form_.GridIngredients, ingredientsGrid_, form_.CommandCopyIngredients,
                         &CopySensitivityIngredients);
    diagnosis_ = group("Limits to change", form_.GridDiagnosis, diagnosisGrid_, form_.CommandCopyDiagnosis,
                       &CopySensitivityDiagnosis);
    auto* close = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark(form_.CommandClose.Caption)), this);
    connect(close, &QPushButton::clicked, this, [this] {
        form_.Visible = false;
        hide();
    });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    connect(diet, QOverload<int>::of(&QComboBox::activated), this, [this](int i) {
        form_.ComboDiet.ListIndex = i;
        ShowSensitivity(s_, form_);
        Refresh();
    });
    binder_.Bind(form_.ComboDiet, diet);
    resize(980, 760);
}

void SensitivityView::Open(int d) {
    OpenSensitivity(s_, form_, d);
    Refresh();
    show();
    raise();
}

void SensitivityView::Refresh() {
    binder_.Push();
    summary_->setText(Text(form_.LabelSummary.Caption));
    limitsGrid_->Refresh();
    ingredientsGrid_->Refresh();
    diagnosisGrid_->Refresh();
    limits_->setVisible(form_.FiguresVisible);
    ingredients_->setVisible(form_.FiguresVisible);
    diagnosis_->setVisible(form_.DiagnosisVisible);
}

}  // namespace tarvisol::app
