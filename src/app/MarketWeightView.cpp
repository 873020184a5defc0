#include "app/MarketWeightView.h"

#include "shared/TextEncoding.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/LegendLabel.h"
#include "app/QtDialogs.h"
#include "app/RoundAxis.h"
#include "app/RunTrapped.h"

namespace tarvisol::app {

namespace {

// The program's own text with the location's currency (Windows-1252 bytes) in it.
QString Text(const std::string& s) { return QString::fromStdString(MixedTextToUtf8(s)); }

// A range a little wider than the values, so no point sits on the frame.
std::pair<double, double> Padded(double lo, double hi) {
    const double pad = hi > lo ? (hi - lo) * 0.08 : std::max(1.0, std::fabs(hi) * 0.1);
    return {lo - pad, hi + pad};
}

QValueAxis* Axis(const QString& title, std::pair<double, double> range, const QColor& colour = Qt::black) {
    auto* a = new QValueAxis;
    a->setTitleText(title);
    RoundAxis(a, range.first, range.second, 7);
    a->setTitleBrush(colour);
    a->setLabelsColor(colour);
    return a;
}

QScatterSeries* Marker(const QString& name, const QColor& colour, QScatterSeries::MarkerShape shape) {
    auto* m = new QScatterSeries;
    m->setName(name);
    m->setMarkerShape(shape);
    m->setMarkerSize(16);
    m->setColor(colour);
    m->setBorderColor(Qt::black);
    return m;
}

}  // namespace

MarketWeightView::MarketWeightView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(Text(form_.Caption));
    setObjectName("MarketWeight");
    auto* layout = new QVBoxLayout(this);

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(10);
    for (int i = 0; i < kMarketFieldCount; ++i) {
        const int row = (i / 3) * 2, col = i % 3;
        boxes->addWidget(binder_.Bind(form_.SettingLabels[static_cast<std::size_t>(i)], new QLabel(this)), row, col);
        auto* edit = binder_.Bind(form_.Settings[static_cast<std::size_t>(i)], new QLineEdit(this));
        edit->setObjectName(QString("Setting%1").arg(i));
        boxes->addWidget(edit, row + 1, col);
    }
    int col = 0;
    for (auto [label, box, name] : {std::tuple{&form_.LabelFrom, &form_.TextFrom, "TextFrom"},
                                    std::tuple{&form_.LabelTo, &form_.TextTo, "TextTo"},
                                    std::tuple{&form_.LabelStep, &form_.TextStep, "TextStep"}}) {
        const int row = (kMarketFieldCount + 2) / 3 * 2;
        boxes->addWidget(binder_.Bind(*label, new QLabel(this)), row, col);
        auto* edit = binder_.Bind(*box, new QLineEdit(this));
        edit->setObjectName(name);
        boxes->addWidget(edit, row + 1, col++);
    }
    layout->addLayout(boxes);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](Button& b, const char* name, std::function<void()> procedure) {
        auto* w = binder_.Bind(b, new QPushButton(this));
        w->setObjectName(name);
        connect(w, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
        buttons->addWidget(w);
        return w;
    };
    addButton(form_.CommandRun, "CommandRun", [this] {
        QtProgress progress(this, Text(form_.Caption));
        RunMarketWeights(s_, form_, &progress);
    })->setDefault(true);
    addButton(form_.CommandDefaults, "CommandDefaults", [this] { MarketDefaultsClick(s_, form_); });
    addButton(form_.CommandSave, "CommandSave", [this] { SaveMarketWeightSettings(s_, form_); });
    buttons->addStretch(1);
    auto take = [this](bool perYear) {
        if (UseBestMarketWeight(s_, form_, perYear) && onFinalWeightTaken) onFinalWeightTaken();
    };
    addButton(form_.CommandUsePerPig, "CommandUsePerPig", [take] { take(false); });
    addButton(form_.CommandUsePerYear, "CommandUsePerYear", [take] { take(true); });
    auto* herd = new QPushButton(QString::fromStdString(binder_.mnemonics.Mark("Herd and Marketing...")), this);
    herd->setObjectName("CommandHerd");
    herd->setToolTip("The barn's pigs differ: sell them in cuts");
    connect(herd, &QPushButton::clicked, this, [this] {
        if (openHerd) openHerd();
    });
    buttons->addWidget(herd);
    layout->addLayout(buttons);

    auto* best = binder_.Bind(form_.LabelBest, new QLabel(this));
    best->setObjectName("LabelBest");
    QFont bold = best->font();
    bold.setBold(true);
    best->setFont(bold);
    layout->addWidget(best);
    auto* basis = binder_.Bind(form_.LabelFeedBasis, new QLabel(this));
    basis->setObjectName("LabelFeedBasis");
    basis->setWordWrap(true);
    layout->addWidget(basis);
    // A best weight at a band edge for the herd's spread, beside the best weights.
    auto* spread = binder_.Bind(form_.LabelSpread, new QLabel(this));
    spread->setObjectName("LabelSpread");
    spread->setWordWrap(true);
    spread->setStyleSheet("color: #8a4b00;");
    layout->addWidget(spread);

    auto* split = new QSplitter(Qt::Vertical, this);
    chart_ = new QChartView(new QChart, split);
    chart_->setObjectName("MarketChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(230);
    table_ = new GridView(s_, form_.GridMarket, nullptr, split);
    table_->setObjectName("GridMarket");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    split->addWidget(chart_);
    split->addWidget(table_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);
    split->setSizes({460, 220});
    layout->addWidget(LegendLabel(MarketWeightLegend(), this));
    resize(1080, 900);
}

void MarketWeightView::Open() {
    Run([this] { ShowMarketWeightWindow(s_, form_); });
    show();
    raise();
}

void MarketWeightView::Run(const std::function<void()>& procedure) {
    binder_.Pull();
    RunTrapped(dialogs_, procedure);
    Refresh();
}

void MarketWeightView::Refresh() {
    binder_.Push();
    table_->Refresh();
    table_->resizeColumnsToContents();
    DrawChart();
}

void MarketWeightView::DrawChart() {
    const MarketChart c = MarketChartOf(s_, form_);
    QChart* old = chart_->chart();
    auto* chart = new QChart;
    chart_->setChart(chart);
    delete old;
    chart->setTitle("Margins against final weight");
    // The legend beside the plot: the plot keeps the window's height for its axes.
    chart->legend()->setAlignment(Qt::AlignRight);
    if (c.PerPig.empty()) {
        chart->setTitle("Margins against final weight: press Run");
        return;
    }
    const QColor pigColour(30, 90, 180), yearColour(200, 90, 20);
    auto* perPig = new QLineSeries;
    perPig->setName(Text(c.MarginAxis));
    perPig->setPen(QPen(pigColour, 2.5));
    auto* perYear = new QLineSeries;
    perYear->setName(Text(c.YearAxis));
    perYear->setPen(QPen(yearColour, 2.5));
    double x0 = c.PerPig.front().first, x1 = c.PerPig.back().first;
    double p0 = c.PerPig.front().second, p1 = p0, y0 = c.PerPlaceYear.front().second, y1 = y0;
    for (const auto& [x, y] : c.PerPig) {
        perPig->append(x, y);
        p0 = std::min(p0, y), p1 = std::max(p1, y);
    }
    for (const auto& [x, y] : c.PerPlaceYear) {
        perYear->append(x, y);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    if (c.CurrentWeight > 0) x0 = std::min(x0, c.CurrentWeight), x1 = std::max(x1, c.CurrentWeight);
    const auto xr = Padded(x0, x1), pr = Padded(p0, p1), yr = Padded(y0, y1);
    QValueAxis* x = Axis(Text(c.WeightAxis), xr);
    QValueAxis* left = Axis(Text(c.MarginAxis), pr, pigColour);
    QValueAxis* right = Axis(Text(c.YearAxis), yr, yearColour);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    auto attach = [&](QAbstractSeries* series, QValueAxis* y) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    attach(perPig, left);
    attach(perYear, right);
    if (c.CurrentWeight > 0) {
        auto* now = new QLineSeries;
        now->setName(QString("Final weight now (%1)").arg(c.CurrentWeight));
        now->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
        now->append(c.CurrentWeight, pr.first);
        now->append(c.CurrentWeight, pr.second);
        attach(now, left);
    }
    if (c.HasBest) {
        auto* bestPig = Marker(QString("Best per pig (%1)").arg(c.BestPerPig.first), pigColour,
                               QScatterSeries::MarkerShapeStar);
        bestPig->append(c.BestPerPig.first, c.BestPerPig.second);
        attach(bestPig, left);
        auto* bestYear = Marker(QString("Best per place and year (%1)").arg(c.BestPerPlaceYear.first), yearColour,
                                QScatterSeries::MarkerShapeStar);
        bestYear->append(c.BestPerPlaceYear.first, c.BestPerPlaceYear.second);
        attach(bestYear, right);
    }
}

}  // namespace tarvisol::app
