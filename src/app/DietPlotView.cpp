#include "app/DietPlotView.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/LegendLabel.h"
#include "app/RoundAxis.h"
#include "app/RunTrapped.h"
#include "optimisation/PlotSweep.h"
#include "shared/Numbers.h"

namespace tarvisol::app {
namespace {

constexpr int kBins = 10;

// From poor (red) through yellow to good (green).
QColor BinColour(int bin) {
    const double t = kBins > 1 ? static_cast<double>(bin) / (kBins - 1) : 1.0;
    return QColor::fromHsvF(static_cast<float>(t * 0.33), 0.75f, 0.92f);
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

// An axis over lo..hi, ticked on round numbers.
QValueAxis* Axis(const QString& title, double lo, double hi) {
    auto* a = new QValueAxis;
    a->setTitleText(title);
    RoundAxis(a, lo, hi);
    return a;
}

// The star that marks the centre point (the current diet, or the protein
// minimums).
QScatterSeries* CurrentDietMarker(double size, const std::string& name) {
    auto* s = new QScatterSeries;
    s->setName(QString::fromStdString(name));
    s->setMarkerShape(QScatterSeries::MarkerShapeStar);
    s->setMarkerSize(size);
    s->setColor(Qt::black);
    s->setBorderColor(Qt::white);
    return s;
}

// A fresh chart for the view; the old one goes with its series and axes.
QChart* NewChart(QChartView* view) {
    QChart* old = view->chart();
    auto* chart = new QChart;
    view->setChart(chart);
    delete old;
    return chart;
}

QScatterSeries* Squares(const QString& name, const QColor& fill, const QColor& border) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    s->setColor(fill);
    s->setBorderColor(border);
    return s;
}

}  // namespace

DietPlotView::DietPlotView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(Text(form_.Caption));
    setObjectName("DietPlot");
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Diet", this));
    auto* diet = binder_.Bind(form_.ComboDiet, new QComboBox(this));
    diet->setObjectName("ComboDiet");
    top->addWidget(diet);
    top->addWidget(new QLabel("Measure", this));
    auto* measure = binder_.Bind(form_.ComboMeasure, new QComboBox(this));
    measure->setObjectName("ComboMeasure");
    measure->setMinimumWidth(200);
    top->addWidget(measure);
    auto* title = binder_.Bind(form_.LabelTitle, new QLabel(this));
    title->setObjectName("LabelTitle");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    top->addWidget(title, 1);
    auto* copy = binder_.Bind(form_.CommandCopy, new QPushButton(this));
    copy->setObjectName("CommandCopy");
    top->addWidget(copy);
    layout->addLayout(top);
    auto* notes = new QHBoxLayout;
    auto* current = binder_.Bind(form_.LabelCurrent, new QLabel(this));
    current->setObjectName("LabelCurrent");
    current->setWordWrap(true);
    notes->addWidget(current, 1);
    auto* best = binder_.Bind(form_.LabelBest, new QLabel(this));
    best->setObjectName("LabelBest");
    best->setWordWrap(true);
    notes->addWidget(best, 1);
    layout->addLayout(notes);
    auto* requirement = binder_.Bind(form_.LabelRequirement, new QLabel(this));
    requirement->setObjectName("LabelRequirement");
    requirement->setWordWrap(true);
    layout->addWidget(requirement);

    auto* split = new QSplitter(Qt::Vertical, this);
    auto* charts = new QSplitter(Qt::Horizontal, split);
    mapView_ = new QChartView(new QChart, charts);
    mapView_->setObjectName("MapChart");
    mapView_->setRenderHint(QPainter::Antialiasing, false);
    lineView_ = new QChartView(new QChart, charts);
    lineView_->setObjectName("LineChart");
    lineView_->setRenderHint(QPainter::Antialiasing);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    auto* tableBox = new QWidget(split);
    auto* tableLayout = new QVBoxLayout(tableBox);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    table_ = new GridView(s_, form_.GridPlot, {}, tableBox);
    table_->setObjectName("GridPlot");
    tableLayout->addWidget(table_, 1);
    tableLayout->addWidget(LegendLabel(DietPlotTableLegend(), tableBox));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    mapView_->setMinimumSize(480, 380);
    lineView_->setMinimumSize(320, 380);
    table_->setMinimumHeight(140);
    split->setSizes({560, 260});
    charts->setSizes({700, 460});
    layout->addWidget(split, 1);

    const auto chosen = [this] {
        if (loading_) return;
        binder_.Pull();
        Select();
    };
    connect(diet, qOverload<int>(&QComboBox::currentIndexChanged), this, chosen);
    connect(measure, qOverload<int>(&QComboBox::currentIndexChanged), this, chosen);
    connect(copy, &QPushButton::clicked, this, [this] {
        RunTrapped(dialogs_, [&] { CopyDietChartTable(s_, form_); });
        Refresh();
    });
    resize(1240, 900);
}

void DietPlotView::Open() {
    RunTrapped(dialogs_, [&] { LoadDietChart(s_, form_); });
    Refresh();
    show();
    raise();
}

void DietPlotView::Select() {
    RunTrapped(dialogs_, [&] { DietChartSelect(s_, form_); });
    Refresh();
}

void DietPlotView::Refresh() {
    loading_ = true;
    binder_.Push();
    loading_ = false;
    table_->Refresh();
    table_->resizeColumnsToContents();
    DrawMap();
    DrawLine();
}

void DietPlotView::DrawMap() {
    cells_.clear();
    QChart* chart = NewChart(mapView_);
    if (form_.Diet == 0) return;
    chart->setTitle(Text(form_.MeasureCaption) + " by energy and " + (s_.RatioToLysine ? "lysine" : "protein"));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));

    // One series per colour band, better values greener whatever the measure.
    std::vector<QScatterSeries*> bands;
    const double span = form_.High - form_.Low;
    for (int b = 0; b < kBins; ++b) {
        const int goodness = form_.LowerIsBetter ? kBins - 1 - b : b;
        const double lo = form_.Low + span * b / kBins, hi = form_.Low + span * (b + 1) / kBins;
        bands.push_back(Squares(QString::fromStdString(FormatAuto(lo) + "–" + FormatAuto(hi)), BinColour(goodness),
                                BinColour(goodness)));
    }
    auto* infeasible = Squares("Infeasible", QColor(200, 200, 200), QColor(120, 120, 120));
    auto* over = Squares("Cost > 1.4 x current", QColor(90, 90, 110), QColor(60, 60, 80));
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l) {
            const QPointF p(form_.Level[l], form_.Energy[e]);
            switch (form_.Kind[e][l]) {
                case ChartPoint::Infeasible: infeasible->append(p); break;
                case ChartPoint::OverCost: over->append(p); break;
                default: {
                    const double t = span > 0 ? (form_.Value[e][l] - form_.Low) / span : 0.5;
                    bands[static_cast<std::size_t>(std::clamp(static_cast<int>(t * kBins), 0, kBins - 1))]->append(p);
                }
            }
        }
    QScatterSeries* currentDiet = CurrentDietMarker(22, form_.CentreName);
    currentDiet->append(form_.Level[kSweepCentre], form_.Energy[kSweepCentre]);
    // Points below the herd's amino-acid requirement: a small red dot each.
    auto* below = new QScatterSeries;
    below->setName(kChartBelowRequirement);
    below->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    below->setMarkerSize(6);
    below->setColor(QColor(200, 30, 30));
    below->setBorderColor(QColor(200, 30, 30));
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l)
            if (form_.Short[e][l]) below->append(form_.Level[l], form_.Energy[e]);

    const double dl = (form_.Level[20] - form_.Level[0]) / 20, de = (form_.Energy[20] - form_.Energy[0]) / 20;
    QValueAxis* x = Axis(Text(form_.LevelAxis), form_.Level[0] - dl / 2, form_.Level[20] + dl / 2);
    QValueAxis* y = Axis(Text(form_.EnergyAxis), form_.Energy[0] - de / 2, form_.Energy[20] + de / 2);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    std::vector<QScatterSeries*> all(bands.begin(), bands.end());
    all.push_back(infeasible);
    all.push_back(over);
    for (QScatterSeries* series : all) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        cells_.push_back(series);
    }
    chart->addSeries(below);
    below->attachAxis(x);
    below->attachAxis(y);
    chart->addSeries(currentDiet);
    currentDiet->attachAxis(x);
    currentDiet->attachAxis(y);
    // Empty bands say nothing in the legend.
    for (QLegendMarker* m : chart->legend()->markers())
        if (auto* sc = qobject_cast<QScatterSeries*>(m->series()); sc && sc->count() == 0) m->setVisible(false);
    SizeMarkers();
}

void DietPlotView::SizeMarkers() {
    if (cells_.empty()) return;
    const QRectF area = mapView_->chart()->plotArea();
    // Squares as large as a cell's longer side, so that the map has no gaps.
    const double w = area.width() / kSweepSteps, h = area.height() / kSweepSteps;
    for (QScatterSeries* s : cells_) s->setMarkerSize(std::max(2.0, std::ceil(std::max(w, h)) + 1));
}

void DietPlotView::DrawLine() {
    QChart* chart = NewChart(lineView_);
    if (form_.Diet == 0) return;
    const int e = kSweepCentre;
    chart->setTitle(Text(form_.MeasureCaption) + " at energy " + Text(FormatAuto(form_.Energy[e])));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* line = new QLineSeries;
    line->setName(Text(form_.MeasureCaption));
    line->setPointsVisible(true);
    double lo = 0, hi = 0;
    bool any = false;
    for (int l = 0; l < kSweepSteps; ++l) {
        if (form_.Kind[e][l] != ChartPoint::Value) continue;
        const double v = form_.Value[e][l];
        line->append(form_.Level[l], v);
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
    }
    QScatterSeries* currentDiet = CurrentDietMarker(18, form_.CentreName);
    if (form_.Kind[e][kSweepCentre] == ChartPoint::Value)
        currentDiet->append(form_.Level[kSweepCentre], form_.Value[e][kSweepCentre]);
    const double pad = hi > lo ? (hi - lo) * 0.08 : std::max(std::fabs(hi) * 0.01, 0.01);
    QValueAxis* x = Axis(Text(form_.LevelAxis), form_.Level[0], form_.Level[20]);
    QValueAxis* y = Axis(Text(form_.MeasureCaption), lo - pad, hi + pad);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(line), static_cast<QXYSeries*>(currentDiet)}) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void DietPlotView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    SizeMarkers();
}

void DietPlotView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SizeMarkers();
}

}  // namespace tarvisol::app
