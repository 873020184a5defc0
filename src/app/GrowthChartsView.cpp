#include "app/GrowthChartsView.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/LegendLabel.h"
#include "app/RoundAxis.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol::app {
namespace {

const QColor kSexColours[3] = {QColor(20, 20, 20), QColor(30, 90, 200), QColor(200, 40, 60)};
const QColor kPhaseColours[2] = {QColor(226, 236, 250), QColor(250, 240, 220)};

// The shade of a limiting factor: the potential green, the energy yellow,
// lysine red, other amino acids and mixed herds in further tints.
QColor LimitingShade(const std::string& factor, std::size_t index) {
    if (factor == "potential") return QColor(214, 240, 214);
    if (factor == "energy") return QColor(252, 240, 196);
    if (factor == "lysine") return QColor(248, 214, 214);
    static const QColor others[] = {QColor(226, 218, 246), QColor(210, 236, 244), QColor(244, 222, 240),
                                    QColor(232, 232, 232)};
    return others[index % 4];
}

QString Utf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QChart* NewChart(QChartView* view, const QString& title) {
    QChart* old = view->chart();
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    view->setChart(chart);
    delete old;
    return chart;
}

// Draws the three lines of one measure with the diets' phases behind them.
// Returns the age axis and the value axis.
void DrawMeasure(QChart* chart, const GrowthChartData& c, const std::array<ChartLine, 3>& lines, const QString& yTitle,
                 bool phaseNames, const std::vector<XY>& extra, QValueAxis*& ax, QValueAxis*& ay) {
    double lo = 0, hi = 0;
    ChartRange(lines, extra, lo, hi);
    const double pad = hi > lo ? (hi - lo) * 0.05 : std::max(std::fabs(hi) * 0.05, 0.1);
    lo = std::max(0.0, lo - pad);
    hi += pad;
    ax = new QValueAxis;
    ax->setTitleText("Age, days");
    RoundAxis(ax, c.StartAge, std::max(c.FinalAge, c.StartAge + 1));
    ay = new QValueAxis;
    ay->setTitleText(yTitle);
    RoundAxis(ay, lo, hi);
    chart->addAxis(ax, Qt::AlignBottom);
    chart->addAxis(ay, Qt::AlignLeft);

    // Phases: one shaded band each, in the legend under the diet's name.
    for (std::size_t i = 0; i < c.Phases.size(); ++i) {
        const DietPhase& ph = c.Phases[i];
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        upper->append(ph.StartAge, hi);
        upper->append(ph.EndAge, hi);
        lower->append(ph.StartAge, lo);
        lower->append(ph.EndAge, lo);
        auto* band = new QAreaSeries(upper, lower);
        band->setName("Diet " + QString::number(ph.Number) + ": " + Utf8(Windows1252ToUtf8(ph.Name)));
        band->setColor(kPhaseColours[i % 2]);
        band->setBorderColor(kPhaseColours[i % 2].darker(115));
        chart->addSeries(band);
        band->attachAxis(ax);
        band->attachAxis(ay);
    }
    if (phaseNames && !c.Phases.empty()) {
        // The phases named along the top of the age axis.
        auto* top = new QCategoryAxis;
        top->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
        top->setMin(c.StartAge);
        top->setMax(std::max(c.FinalAge, c.StartAge + 1));
        top->setStartValue(c.StartAge);
        for (const DietPhase& ph : c.Phases)
            top->append("Diet " + QString::number(ph.Number) + ": " + Utf8(Windows1252ToUtf8(ph.Name)), ph.EndAge);
        top->setGridLineVisible(false);
        chart->addAxis(top, Qt::AlignTop);
    }
    for (int k = 0; k < 3; ++k) {
        const ChartLine& line = lines[static_cast<std::size_t>(k)];
        auto* series = new QLineSeries;
        series->setName(Utf8(line.Name));
        for (const XY& p : line.Points) series->append(p.X, p.Y);
        QPen pen(kSexColours[k], k == 0 ? 2.4 : 1.6, k == 0 ? Qt::SolidLine : Qt::DashLine);
        series->setPen(pen);
        chart->addSeries(series);
        series->attachAxis(ax);
        series->attachAxis(ay);
    }
    // The bands need no legend entries: their colours speak for themselves
    // and the live-weight chart names them along its top, whole.
    for (QLegendMarker* m : chart->legend()->markers())
        if (qobject_cast<QAreaSeries*>(m->series())) m->setVisible(false);
}

}  // namespace

GrowthChartsView::GrowthChartsView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("GrowthCharts");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* title = binder_.Bind(form_.LabelTitle, new QLabel(this));
    title->setObjectName("LabelTitle");
    title->setWordWrap(true);  // a long title takes two lines, never the screen's width
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    top->addWidget(title, 1);
    auto* final = binder_.Bind(form_.LabelFinal, new QLabel(this));
    final->setObjectName("LabelFinal");
    top->addWidget(final);
    auto* copy = binder_.Bind(form_.CommandCopy, new QPushButton(this));
    copy->setObjectName("CommandCopy");
    auto* save = binder_.Bind(form_.CommandSave, new QPushButton(this));
    save->setObjectName("CommandSave");
    top->addWidget(copy);
    top->addWidget(save);
    layout->addLayout(top);

    charts_ = new QWidget(this);
    auto* grid = new QGridLayout(charts_);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto view = [&](const char* name) {
        auto* v = new QChartView(new QChart, charts_);
        v->setObjectName(name);
        v->setRenderHint(QPainter::Antialiasing);
        v->setMinimumSize(360, 260);
        return v;
    };
    weight_ = view("WeightChart");
    gain_ = view("GainChart");
    feed_ = view("FeedChart");
    deposition_ = view("DepositionChart");
    deposition_->hide();
    grid->addWidget(weight_, 0, 0, 1, 3);
    grid->addWidget(gain_, 1, 0);
    grid->addWidget(feed_, 1, 1);
    grid->addWidget(deposition_, 1, 2);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(1, 2);
    layout->addWidget(charts_, 1);
    auto* note = binder_.Bind(form_.LabelGainNote, new QLabel(this));
    note->setObjectName("LabelGainNote");
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(copy, &QPushButton::clicked, this, [this] { CopyImage(); });
    connect(save, &QPushButton::clicked, this, [this] { SavePng(); });
    resize(1200, 880);
}

void GrowthChartsView::Open(const RunSnapshot& run) {
    LoadGrowthCharts(run, form_);
    binder_.Push();
    Draw();
    show();
    raise();
}

void GrowthChartsView::Draw() {
    const GrowthChartData& c = form_.Data;
    const QString unit = QString::fromStdString(c.WeightUnit);
    QChart* w = NewChart(weight_, "Live weight");
    QChart* g = NewChart(gain_, "Daily gain");
    QChart* f = NewChart(feed_, "Daily feed");
    if (c.Empty) return;
    QValueAxis *ax = nullptr, *ay = nullptr;
    DrawMeasure(w, c, c.Weight, "Live weight, " + unit, true, c.Measured, ax, ay);
    if (!c.Measured.empty()) {
        auto* measured = new QScatterSeries;
        measured->setName("Measured herd");
        measured->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        measured->setMarkerSize(10);
        measured->setColor(QColor(120, 220, 150));
        measured->setBorderColor(QColor(0, 120, 60));
        for (const XY& p : c.Measured) measured->append(p.X, p.Y);
        w->addSeries(measured);
        measured->attachAxis(ax);
        measured->attachAxis(ay);
    }
    auto* finalMark = new QScatterSeries;
    finalMark->setName("Final weight");  // its figures stand whole above the charts
    finalMark->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    finalMark->setMarkerSize(12);
    finalMark->setColor(QColor(255, 200, 0));
    finalMark->setBorderColor(Qt::black);
    finalMark->append(c.FinalAge, c.FinalWeight);
    w->addSeries(finalMark);
    finalMark->attachAxis(ax);
    finalMark->attachAxis(ay);
    auto* guide = new QLineSeries;
    guide->setName("Final weight and age");
    guide->setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
    guide->append(c.StartAge, c.FinalWeight);
    guide->append(c.FinalAge, c.FinalWeight);
    guide->append(c.FinalAge, ay->min());
    w->addSeries(guide);
    guide->attachAxis(ax);
    guide->attachAxis(ay);
    for (QLegendMarker* m : w->legend()->markers())
        if (m->series() == guide) m->setVisible(false);

    DrawMeasure(g, c, c.Gain, "Gain, " + unit + "/day", false, {}, ax, ay);
    if (c.AppetiteAge > 0) {
        // The day the pig starts eating to its appetite, told under the charts.
        auto* appetite = new QLineSeries;
        appetite->setName("Eats to appetite from day " + QString::number(c.AppetiteAge));
        appetite->setPen(QPen(QColor(90, 90, 90), 1.2, Qt::DashDotLine));
        appetite->append(c.AppetiteAge - 0.5, ay->min());
        appetite->append(c.AppetiteAge - 0.5, ay->max());
        g->addSeries(appetite);
        appetite->attachAxis(ax);
        appetite->attachAxis(ay);
    }
    DrawMeasure(f, c, c.Feed, "Feed, " + unit + "/day", false, {}, ax, ay);
    DrawDeposition(c);
}

void GrowthChartsView::DrawDeposition(const GrowthChartData& c) {
    QChart* chart = NewChart(deposition_, "Daily protein and lipid deposition");
    deposition_->setVisible(!c.Protein.Points.empty());
    if (depositionLegend_) depositionLegend_->setVisible(!c.Protein.Points.empty());
    if (c.Protein.Points.empty()) return;
    double lo = 0, hi = 0;
    ChartRange({c.Protein, c.Lipid, ChartLine{}}, {}, lo, hi);
    auto* ax = new QValueAxis;
    ax->setTitleText("Age, days");
    RoundAxis(ax, c.StartAge, std::max(c.FinalAge, c.StartAge + 1));
    auto* ay = new QValueAxis;
    ay->setTitleText("Deposition, g/day");
    RoundAxis(ay, 0, hi * 1.05 + 1);
    chart->addAxis(ax, Qt::AlignBottom);
    chart->addAxis(ay, Qt::AlignLeft);
    // What held protein deposition: one shade per factor, named once in the legend.
    std::vector<std::string> named;
    ColourLegend legend;
    for (const LimitingStretch& l : c.Limiting) {
        if (l.Factor.empty()) continue;
        auto it = std::find(named.begin(), named.end(), l.Factor);
        const bool first = it == named.end();
        const std::size_t index = first ? named.size() : static_cast<std::size_t>(it - named.begin());
        if (first) named.push_back(l.Factor);
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        upper->append(l.StartAge, ay->max());
        upper->append(l.EndAge, ay->max());
        lower->append(l.StartAge, 0);
        lower->append(l.EndAge, 0);
        auto* band = new QAreaSeries(upper, lower);
        band->setName("Limited by " + Utf8(l.Factor));
        const QColor shade = LimitingShade(l.Factor, index);
        band->setColor(shade);
        band->setBorderColor(shade);
        chart->addSeries(band);
        band->attachAxis(ax);
        band->attachAxis(ay);
        for (QLegendMarker* m : chart->legend()->markers(band)) m->setVisible(false);
        if (first) legend.push_back({Rgb(shade.red(), shade.green(), shade.blue()), "limited by " + l.Factor});
    }
    // The factors named under the chart, where a line of them can wrap.
    delete depositionLegend_;
    depositionLegend_ = LegendLabel(legend, charts_);
    depositionLegend_->setObjectName("DepositionLegend");
    static_cast<QGridLayout*>(charts_->layout())->addWidget(depositionLegend_, 2, 2);
    const auto line = [&](const ChartLine& l, const QColor& colour) {
        auto* series = new QLineSeries;
        series->setName(Utf8(l.Name));
        for (const XY& p : l.Points) series->append(p.X, p.Y);
        series->setPen(QPen(colour, 2.2));
        chart->addSeries(series);
        series->attachAxis(ax);
        series->attachAxis(ay);
    };
    line(c.Protein, QColor(30, 70, 180));
    line(c.Lipid, QColor(220, 120, 0));
}

QImage GrowthChartsView::Picture() const { return charts_->grab().toImage(); }

void GrowthChartsView::CopyImage() {
    if (form_.Data.Empty) return;
    QApplication::clipboard()->setImage(Picture());
}

void GrowthChartsView::SavePng() {
    if (form_.Data.Empty) return;
    const std::string path = ChooseChartFile(s_);
    if (path.empty()) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    if (!Picture().save(&buffer, "PNG")) {
        dialogs_.Message("The picture could not be made: nothing was saved");
        return;
    }
    if (!SaveAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error))
        dialogs_.Message(error);
}

}  // namespace tarvisol::app
