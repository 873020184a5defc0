#include "app/HerdView.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "app/LegendLabel.h"
#include "app/QtDialogs.h"
#include "app/RoundAxis.h"
#include "app/RunTrapped.h"
#include "ui/UndoableCommands.h"

namespace tarvisol::app {

namespace {
QString Text(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

HerdView::HerdView(SharedState& s, Dialogs& dialogs, QWidget* parent) : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(Text(form_.Caption));
    setObjectName("HerdView");
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* boxes = new QGridLayout;
    for (int i = 0; i < kHerdSettingCount; ++i) {
        boxes->addWidget(binder_.Bind(form_.SettingLabels[static_cast<std::size_t>(i)], new QLabel(this)), i, 0);
        auto* edit = binder_.Bind(form_.Settings[static_cast<std::size_t>(i)], new QLineEdit(this));
        edit->setObjectName(QString("HerdSetting%1").arg(i));
        edit->setMaximumWidth(90);
        boxes->addWidget(edit, i, 1);
    }
    left->addLayout(boxes);
    auto* cutsTitle = new QLabel("Cuts (blank: the whole barn at the pig's final age)", this);
    left->addWidget(cutsTitle);
    cuts_ = new GridView(s_, form_.GridCuts,
                         [this](int row, int col, const std::string& text) {
                             const auto edit = [&] { EditHerdCut(form_, row, col, text); };
                             if (undo) RecordHerdChange(s_, *undo, form_, kUndoCutsEdit, edit);
                             else edit();
                         },
                         this);
    cuts_->setObjectName("GridCuts");
    cuts_->setMinimumHeight(150);
    left->addWidget(cuts_);
    auto addButton = [&](Button& b, const char* name, std::function<void()> procedure) {
        auto* w = binder_.Bind(b, new QPushButton(this));
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
        left->addWidget(w);
        return w;
    };
    addButton(form_.CommandSell, "CommandSell", [this] {
        QtProgress progress(this, Text(form_.Caption));
        SellHerdClick(s_, form_, &progress);
    })->setDefault(true);
    addButton(form_.CommandBest, "CommandBest", [this] {
        QtProgress progress(this, Text(form_.Caption));
        const auto best = [&] { BestHerdCutsClick(s_, form_, &progress); };
        if (undo) RecordHerdChange(s_, *undo, form_, kUndoBestCuts, best);
        else best();
    });
    addButton(form_.CommandDefaults, "CommandDefaults", [this] { HerdDefaultsClick(s_, form_); });
    addButton(form_.CommandSave, "CommandSave", [this] { SaveHerdWindowSettings(s_, form_); });
    left->addStretch(1);
    layout->addLayout(left, 0);

    auto* right = new QVBoxLayout;
    chart_ = new QChartView(new QChart, this);
    chart_->setObjectName("HerdHistogram");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(300);
    right->addWidget(chart_, 5);
    table_ = new GridView(s_, form_.GridHerd, nullptr, this);
    table_->setObjectName("GridHerd");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    right->addWidget(table_, 2);
    right->addWidget(LegendLabel(HerdLegend(), this));
    for (Label* label : {&form_.LabelTotals, &form_.LabelBest}) {
        auto* w = binder_.Bind(*label, new QLabel(this));
        w->setWordWrap(true);
        QFont bold = w->font();
        bold.setBold(true);
        w->setFont(bold);
        right->addWidget(w);
    }
    layout->addLayout(right, 1);
    resize(1240, 700);
}

void HerdView::Open() {
    Run([this] { ShowHerdWindow(s_, form_); });
    show();
    raise();
}

void HerdView::Run(const std::function<void()>& procedure) {
    binder_.Pull();
    RunTrapped(dialogs_, procedure);
    Refresh();
}

void HerdView::Refresh() {
    binder_.Push();
    cuts_->Refresh();
    cuts_->resizeColumnsToContents();
    table_->Refresh();
    table_->resizeColumnsToContents();
    DrawHistogram();
}

void HerdView::DrawHistogram() {
    const HerdHistogram h = HerdHistogramOf(form_);
    QChart* old = chart_->chart();
    auto* chart = new QChart;
    chart_->setChart(chart);
    delete old;
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (h.Counts.empty()) {
        chart->setTitle("Carcass weights per cut: press Grow and Sell");
        return;
    }
    chart->setTitle("Carcass weights per cut, with the packer's band");
    const int bins = static_cast<int>(h.Counts.front().size());
    const double to = h.From + bins * h.BinWidth;
    int most = 1;
    // The cuts stacked bin by bin, each drawn as the area between the cuts below it and itself.
    std::vector<int> below(static_cast<std::size_t>(bins), 0);
    auto* x = new QValueAxis;
    x->setTitleText(Text(h.Axis));
    RoundAxis(x, h.From, to);
    auto* y = new QValueAxis;
    y->setTitleText("Pigs");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const QColor colours[] = {QColor(200, 80, 40), QColor(40, 120, 200), QColor(60, 160, 80), QColor(150, 90, 180)};
    for (std::size_t c = 0; c < h.Counts.size(); ++c) {
        auto* lower = new QLineSeries;
        auto* upper = new QLineSeries;
        for (int b = 0; b < bins; ++b) {
            const double x0 = h.From + b * h.BinWidth, x1 = x0 + h.BinWidth;
            const int base = below[static_cast<std::size_t>(b)];
            const int top = base + h.Counts[c][static_cast<std::size_t>(b)];
            lower->append(x0, base);
            lower->append(x1, base);
            upper->append(x0, top);
            upper->append(x1, top);
            below[static_cast<std::size_t>(b)] = top;
            most = std::max(most, top);
        }
        auto* area = new QAreaSeries(upper, lower);
        area->setName(Text(h.CutNames[c]));
        QColor fill = colours[c % 4];
        fill.setAlpha(190);
        area->setBrush(fill);
        area->setPen(QPen(colours[c % 4].darker(130), 1));
        chart->addSeries(area);
        area->attachAxis(x);
        area->attachAxis(y);
    }
    RoundAxis(y, 0, most * 1.1);
    y->applyNiceNumbers();
    // The band's two ends.
    for (double edge : {h.BandLow, h.BandHigh}) {
        auto* line = new QLineSeries;
        line->setName(edge == h.BandLow ? QString("Band %1 to %2").arg(h.BandLow).arg(h.BandHigh) : QString());
        line->setPen(QPen(Qt::black, 2, Qt::DashLine));
        line->append(edge, 0);
        line->append(edge, y->max());
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    // One legend entry for the band.
    const auto markers = chart->legend()->markers();
    if (!markers.isEmpty()) markers.back()->setVisible(false);
}

}  // namespace tarvisol::app
