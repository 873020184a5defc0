#include "app/MarginPanelView.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <cmath>

#include "app/GridModel.h"
#include "app/RoundAxis.h"
#include "shared/Numbers.h"

namespace tarvisol::app {
namespace {

// The energy levels drawn: the programme's own and two steps of five either side.
constexpr int kDrawnSteps[] = {0, 5, kSurfaceCentre, 15, 20};

}  // namespace

MarginPanelView::MarginPanelView(SharedState& s, MarginPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setObjectName("MarginPanel");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    model_ = new QLabel(this);
    model_->setWordWrap(true);
    left->addWidget(model_);
    compare_ = new GridView(s, panel_.GridCompare, nullptr, this);
    compare_->setObjectName("GridMarginCompare");
    diets_ = new GridView(s, panel_.GridDiets, nullptr, this);
    diets_->setObjectName("GridMarginDiets");
    sensitivity_ = new GridView(s, panel_.GridSensitivity, nullptr, this);
    sensitivity_->setObjectName("GridMarginSensitivity");
    for (GridView* g : {diets_, sensitivity_}) g->SetStretchLastColumn(true);
    left->addWidget(compare_, 3);
    left->addWidget(diets_, 2);
    left->addWidget(new QLabel("How the optimum moves when a price changes by 10 %:", this));
    left->addWidget(sensitivity_, 2);
    layout->addLayout(left, 3);

    auto* right = new QVBoxLayout;
    auto* pick = new QHBoxLayout;
    pick->addWidget(new QLabel("Margin surface of diet", this));
    diet_ = new QComboBox(this);
    diet_->setObjectName("ComboSurfaceDiet");
    pick->addWidget(diet_);
    pick->addStretch(1);
    right->addLayout(pick);
    chart_ = new QChartView(this);
    chart_->setObjectName("MarginSurfaceChart");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(360, 260);
    right->addWidget(chart_, 1);
    layout->addLayout(right, 2);
    connect(diet_, &QComboBox::currentIndexChanged, this, [this] { DrawSurface(); });
    Refresh();
}

void MarginPanelView::Refresh() {
    model_->setText(QString::fromStdString(panel_.LabelModel.Caption.empty()
                                               ? "Run Opt. searches the programme that pays best."
                                               : panel_.LabelModel.Caption));
    compare_->Refresh();
    diets_->Refresh();
    sensitivity_->Refresh();
    const int keep = diet_->currentIndex();
    diet_->blockSignals(true);
    diet_->clear();
    for (const MarginSurface& s : panel_.Surfaces) diet_->addItem(QString::number(s.Diet));
    diet_->setCurrentIndex(keep >= 0 && keep < diet_->count() ? keep : (diet_->count() ? 0 : -1));
    diet_->blockSignals(false);
    DrawSurface();
}

void MarginPanelView::DrawSurface() {
    QChart* old = chart_->chart();
    auto* chart = new QChart;
    chart_->setChart(chart);
    delete old;
    const int i = diet_->currentIndex();
    if (i < 0 || i >= static_cast<int>(panel_.Surfaces.size())) {
        chart->setTitle("No margin surface yet");
        return;
    }
    const MarginSurface& s = panel_.Surfaces[static_cast<std::size_t>(i)];
    const bool perPig = panel_.Result.Objective == OptObjective::MarginPerPig;
    chart->setTitle(QString("Diet %1: a line per net energy, kcal/kg").arg(s.Diet));
    double lo = INFINITY, hi = -INFINITY;
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setTitleText("SID lysine, % of the feed");
    y->setTitleText(perPig ? "Margin per pig" : "Margin per pig place and year");
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (int e : kDrawnSteps) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(FormatPattern(s.Ne[static_cast<std::size_t>(e)], "0")));
        for (int l = 0; l < kSurfaceSteps; ++l) {
            const double v = s.At(e, l);
            if (!std::isfinite(v)) continue;
            line->append(s.Lysine[static_cast<std::size_t>(l)], v);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    auto* best = new QScatterSeries;
    best->setName("Best");
    best->setMarkerSize(10);
    const double centre = s.At(kSurfaceCentre, kSurfaceCentre);
    if (std::isfinite(centre)) best->append(s.Lysine[kSurfaceCentre], centre);
    chart->addSeries(best);
    best->attachAxis(x);
    best->attachAxis(y);
    RoundAxis(x, s.Lysine.front(), s.Lysine.back());
    // A little room above the best point, so that its marker shows whole.
    if (std::isfinite(lo)) RoundAxis(y, lo, hi > lo ? hi + 0.04 * (hi - lo) : lo + 1);
    chart->legend()->setAlignment(Qt::AlignBottom);
}

}  // namespace tarvisol::app
