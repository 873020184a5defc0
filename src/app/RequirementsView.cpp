#include "app/RequirementsView.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QSplitter>
#include <QValueAxis>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/LegendLabel.h"
#include "app/RoundAxis.h"
#include "app/RunTrapped.h"

namespace tarvisol::app {

namespace {

QString Text(const std::string& s) { return QString::fromLatin1(s.c_str()); }

}  // namespace

RequirementsView::RequirementsView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(Text(form_.Caption));
    setObjectName("Requirements");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Nutrient", this));
    nutrients_ = binder_.Bind(form_.ComboNutrient, new QComboBox(this));
    nutrients_->setObjectName("ComboNutrient");
    nutrients_->setMinimumWidth(220);
    connect(nutrients_, &QComboBox::currentIndexChanged, this, [this](int) {
        if (refreshing_) return;
        binder_.Pull();
        RunTrapped(dialogs_, [this] { RequirementsNutrientClick(form_); });
        Refresh();
    });
    top->addWidget(nutrients_);
    top->addStretch(1);
    layout->addLayout(top);

    auto* split = new QSplitter(Qt::Vertical, this);
    chart_ = new QChartView(new QChart, split);
    chart_->setObjectName("RequirementsChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(240);
    phases_ = new GridView(s_, form_.GridPhases, nullptr, split);
    phases_->setObjectName("GridPhases");
    phases_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    balance_ = new GridView(s_, form_.GridBalance, nullptr, split);
    balance_->setObjectName("GridBalance");
    balance_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    split->addWidget(chart_);
    split->addWidget(phases_);
    split->addWidget(balance_);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 2);
    split->setStretchFactor(2, 1);
    layout->addWidget(split, 1);
    split->setSizes({420, 170, 110});
    auto* legends = new QHBoxLayout;
    legends->addWidget(LegendLabel(RequirementPhasesLegend(), this), 3);
    legends->addWidget(LegendLabel(BalanceLegend(), this), 1);
    auto* precision = new QPushButton("Precision Feeding...", this);
    precision->setObjectName("OpenPrecision");
    precision->setToolTip("What daily blending of two feeds, for the group or for each pig, would save");
    connect(precision, &QPushButton::clicked, this, [this] {
        if (openPrecision) openPrecision();
    });
    legends->addWidget(precision, 0, Qt::AlignTop);
    layout->addLayout(legends);
    auto* notes = binder_.Bind(form_.LabelNotes, new QLabel(this));
    notes->setObjectName("LabelNotes");
    notes->setWordWrap(true);
    layout->addWidget(notes);
    resize(1180, 860);
}

void RequirementsView::Open() {
    RunTrapped(dialogs_, [this] { ShowRequirementsWindow(s_, form_); });
    if (!form_.Visible) return;
    Refresh();
    show();
    raise();
}

void RequirementsView::Refresh() {
    refreshing_ = true;
    binder_.Push();
    refreshing_ = false;
    phases_->Refresh();
    phases_->resizeColumnsToContents();
    balance_->Refresh();
    balance_->resizeColumnsToContents();
    DrawChart();
}

void RequirementsView::DrawChart() {
    const RequirementsChart c = RequirementsChartOf(form_);
    QChart* old = chart_->chart();
    auto* chart = new QChart;
    chart_->setChart(chart);
    delete old;
    chart->setTitle(Text(c.Title));
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (c.Requirement.empty()) return;
    double x0 = c.Requirement.front().first, x1 = c.Requirement.back().first + 1, y1 = 0;
    for (const auto& p : c.Requirement) y1 = std::max(y1, p.second);
    for (const auto& p : c.Supply) y1 = std::max(y1, p.second);
    y1 *= 1.1;
    auto* x = new QValueAxis;
    x->setTitleText(Text(c.AgeAxis));
    RoundAxis(x, x0, x1);
    auto* y = new QValueAxis;
    y->setTitleText(Text(c.ValueAxis));
    RoundAxis(y, 0, y1);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    auto attach = [&](QAbstractSeries* series) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    // The diet phases, shaded in turn.
    const QColor shades[2] = {QColor(70, 130, 200, 40), QColor(120, 180, 90, 40)};
    for (std::size_t i = 0; i < c.Phases.size(); ++i) {
        auto* upper = new QLineSeries;
        upper->append(c.Phases[i].From, y1);
        upper->append(c.Phases[i].To, y1);
        auto* lower = new QLineSeries;
        lower->append(c.Phases[i].From, 0);
        lower->append(c.Phases[i].To, 0);
        auto* band = new QAreaSeries(upper, lower);
        band->setName(Text(c.Phases[i].Name));
        band->setBrush(shades[i % 2]);
        band->setPen(QPen(Qt::NoPen));
        attach(band);
    }
    auto* required = new QLineSeries;
    required->setName("Requirement");
    required->setPen(QPen(QColor(200, 40, 40), 2.5));
    for (const auto& [a, v] : c.Requirement) required->append(a, v);
    attach(required);
    if (!c.Supply.empty()) {
        auto* supplied = new QLineSeries;
        supplied->setName("Supply (the diet in force)");
        supplied->setPen(QPen(QColor(30, 90, 180), 2.5));
        for (const auto& [a, v] : c.Supply) supplied->append(a, v);
        attach(supplied);
    }
}

}  // namespace tarvisol::app
