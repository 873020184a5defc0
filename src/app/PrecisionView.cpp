#include "app/PrecisionView.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "app/QtDialogs.h"
#include "app/RoundAxis.h"
#include "app/RunTrapped.h"

namespace tarvisol::app {

namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

void Draw(QChartView* view, const PrecisionChart& c, const QString& empty) {
    QChart* old = view->chart();
    auto* chart = new QChart;
    view->setChart(chart);
    delete old;
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont small = chart->legend()->font();
    small.setPointSizeF(small.pointSizeF() * 0.78);
    chart->legend()->setFont(small);
    chart->setMargins(QMargins(2, 4, 2, 2));
    chart->legend()->setContentsMargins(0, 0, 0, 0);
    if (c.Lines.empty()) {
        chart->setTitle(empty);
        return;
    }
    chart->setTitle(Text(c.Title));
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const PrecisionLine& l : c.Lines)
        for (std::size_t i = 0; i < l.X.size(); ++i) {
            x0 = std::min(x0, l.X[i]);
            x1 = std::max(x1, l.X[i]);
            y0 = std::min(y0, l.Y[i]);
            y1 = std::max(y1, l.Y[i]);
        }
    if (!(x1 > x0)) x1 = x0 + 1;
    if (!(y1 > y0)) y1 = y0 + 0.1;
    auto* x = new QValueAxis;
    x->setTitleText(Text(c.XAxis));
    RoundAxis(x, x0, x1);
    auto* y = new QValueAxis;
    y->setTitleText(Text(c.YAxis));
    RoundAxis(y, std::min(0.0, y0), y1 * 1.05);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const QColor colours[] = {QColor(40, 120, 200), QColor(200, 80, 40), QColor(60, 160, 80),
                              QColor(150, 90, 180), QColor(120, 120, 120), QColor(0, 0, 0)};
    int i = 0;
    for (const PrecisionLine& l : c.Lines) {
        auto* series = new QLineSeries;
        series->setName(Text(l.Name));
        for (std::size_t k = 0; k < l.X.size(); ++k) series->append(l.X[k], l.Y[k]);
        series->setPen(QPen(colours[i++ % 6], 2, l.Dashed ? Qt::DashLine : Qt::SolidLine));
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

}  // namespace

PrecisionView::PrecisionView(SharedState& s, Dialogs& dialogs, QWidget* parent) : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(Text(form_.Caption));
    setObjectName("PrecisionView");
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* boxes = new QGridLayout;
    const auto box = [&](int row, Label& label, TextBox& text, const char* name) {
        boxes->addWidget(binder_.Bind(label, new QLabel(this)), row, 0);
        auto* edit = binder_.Bind(text, new QLineEdit(this));
        edit->setObjectName(name);
        edit->setMaximumWidth(80);
        boxes->addWidget(edit, row, 1);
    };
    box(0, form_.PigsLabel, form_.Pigs, "PrecisionPigs");
    box(1, form_.SeedLabel, form_.Seed, "PrecisionSeed");
    box(2, form_.PercentileLabel, form_.Percentile, "PrecisionPercentile");
    boxes->addWidget(binder_.Bind(form_.DietsLabel, new QLabel(this)), 3, 0);
    auto* diets = new QHBoxLayout;
    for (TextBox* t : {&form_.DietA, &form_.DietB}) {
        auto* edit = binder_.Bind(*t, new QLineEdit(this));
        edit->setObjectName(t == &form_.DietA ? "PrecisionDietA" : "PrecisionDietB");
        edit->setMaximumWidth(36);
        diets->addWidget(edit);
    }
    boxes->addLayout(diets, 3, 1);
    left->addLayout(boxes);
    auto* compare = binder_.Bind(form_.CommandCompare, new QPushButton(this));
    compare->setObjectName("CommandCompare");
    compare->setDefault(true);
    connect(compare, &QPushButton::clicked, this, [this] { Compare(); });
    left->addWidget(compare);
    for (Label* label : {&form_.LabelFeeds, &form_.LabelNotes}) {
        auto* w = binder_.Bind(*label, new QLabel(this));
        w->setWordWrap(true);
        w->setMaximumWidth(330);
        left->addWidget(w);
    }
    left->addStretch(1);
    layout->addLayout(left, 0);

    auto* right = new QVBoxLayout;
    auto* charts = new QHBoxLayout;
    share_ = new QChartView(new QChart, this);
    share_->setObjectName("PrecisionShareChart");
    supply_ = new QChartView(new QChart, this);
    supply_->setObjectName("PrecisionSupplyChart");
    for (QChartView* v : {share_, supply_}) {
        v->setRenderHint(QPainter::Antialiasing);
        v->setMinimumHeight(280);
        charts->addWidget(v, 1);
    }
    right->addLayout(charts, 5);
    table_ = new GridView(s_, form_.GridResults, nullptr, this);
    table_->setObjectName("GridPrecision");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    right->addWidget(table_, 4);
    layout->addLayout(right, 1);
    resize(1240, 700);
}

void PrecisionView::Open() {
    Run([this] { ShowPrecisionWindow(s_, form_); });
    show();
    raise();
}

void PrecisionView::Compare() {
    Run([this] {
        QtProgress progress(this, Text(form_.Caption));
        ComparePrecisionClick(s_, form_, &progress);
    });
}

void PrecisionView::Run(const std::function<void()>& procedure) {
    binder_.Pull();
    RunTrapped(dialogs_, procedure);
    Refresh();
}

void PrecisionView::Refresh() {
    binder_.Push();
    table_->Refresh();
    table_->resizeColumnsToContents();
    Draw(share_, BlendShareChartOf(form_), "Share of feed A: press Compare");
    Draw(supply_, SupplyChartOf(form_), "SID lysine supplied against required: press Compare");
}

}  // namespace tarvisol::app
