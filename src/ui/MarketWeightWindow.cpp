#include "ui/MarketWeightWindow.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "market/HerdFile.h"
#include "market/HerdPopulation.h"
#include "market/MarketFile.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/FigureFormat.h"

namespace tarvisol {

namespace {


std::string WeightUnitOf(const SharedState& s) {
    switch (s.WeightUnit()) {
        case 1: return "lb";
        case 2: return "g";
        default: return "kg";
    }
}

// The captions of the boxes and the table in the location's units.
void Captions(SharedState& s, MarketWeightWindow& f) {
    const std::string carcass = MarketWeightUnit(s.WeightUnit()), live = WeightUnitOf(s);
    const std::string perUnit = " per " + carcass;
    const std::string captions[kMarketFieldCount] = {
        "Carcass price" + perUnit, "Lean base %", "Lean premium" + perUnit + " per point",
        "Band low, " + carcass + " carcass", "Band high, " + carcass + " carcass", "Discount" + perUnit,
        "Feeder pig cost", "Day cost per pig", "Empty days", kDressingCaption};
    for (int i = 0; i < kMarketFieldCount; ++i) f.SettingLabels[static_cast<std::size_t>(i)].Caption = captions[i];
    f.LabelFrom.Caption = "Final weight from, " + live;
    f.LabelTo.Caption = "to, " + live;
    f.LabelStep.Caption = "step, " + live;
    Grid& g = f.GridMarket;
    const std::string money = MoneyUnit(s), perPig = MoneyPer(s, "pig");
    const std::string heads[kMarketColumns] = {"Final Wt, " + live,   "Age, days",
                                               "Days",                "Feed, " + live,
                                               "Feed/Gain",           WithUnit("Feed Cost", perPig),
                                               "Carcass, " + carcass, "Lean %",
                                               "Price, " + MoneyPer(s, carcass),
                                               WithUnit("Value", perPig), WithUnit("Margin/Pig", money),
                                               WithUnit("Margin/Place/Year", money), "Best"};
    g.EnsureCell(0, kMarketColumns - 1);
    for (int c = 0; c < kMarketColumns; ++c) g.SetTextMatrix(0, c, heads[c]);
}

void ShowSettings(MarketWeightWindow& f, const MarketSettings& m) {
    for (int i = 0; i < kMarketFieldCount; ++i)
        f.Settings[static_cast<std::size_t>(i)].Text = MarketFieldText(kMarketFields[i], m);
}

// A box as a number; false when it holds none.
bool BoxValue(const TextBox& box, double& v) { return ReadMarketNumber(box.Text, v); }

// A setting's box: a number, or a blank where the setting allows one (0).
bool SettingValue(const MarketField& field, const TextBox& box, double& v) {
    if (field.BlankAllowed && box.Text.find_first_not_of(" \t") == std::string::npos) {
        v = 0;
        return true;
    }
    return BoxValue(box, v);
}

bool ReadBoxes(SharedState& s, MarketWeightWindow& f, MarketSettings& m, MarketRange& r) {
    Dialogs& dlg = DialogsOf(s);
    for (int i = 0; i < kMarketFieldCount; ++i) {
        const MarketField& field = kMarketFields[i];
        double v = 0;
        if (!SettingValue(field, f.Settings[static_cast<std::size_t>(i)], v)) {
            dlg.Message(f.SettingLabels[static_cast<std::size_t>(i)].Caption + " must be a number");
            return false;
        }
        m.*field.Value = v;
    }
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) {
        dlg.Message(problem);
        return false;
    }
    if (!BoxValue(f.TextFrom, r.From) || !BoxValue(f.TextTo, r.To) || !BoxValue(f.TextStep, r.Step)) {
        dlg.Message("The final weights from, to and step must be numbers");
        return false;
    }
    if (const std::string problem = MarketRangeProblem(r); !problem.empty()) {
        dlg.Message(problem);
        return false;
    }
    return true;
}

std::string Shown(double v, const char* pattern) { return FormatPattern(v, pattern); }

void Table(SharedState& s, MarketWeightWindow& f) {
    Grid& g = f.GridMarket;
    g.Clear();
    const MarketAnalysis& a = f.Analysis;
    g.SetRows(std::max<int>(2, static_cast<int>(a.Rows.size()) + 1));
    g.SetCols(kMarketColumns);
    Captions(s, f);
    for (int i = 0; i < static_cast<int>(a.Rows.size()); ++i) {
        const MarketRow& row = a.Rows[static_cast<std::size_t>(i)];
        const int r = i + 1;
        g.SetTextMatrix(r, 0, FormatAuto(row.FinalWeight));
        if (!row.Sold()) {
            g.SetTextMatrix(r, 1, row.Status == MarketRowStatus::NotReached ? "not reached by day 198" : row.Message);
            for (int c = 0; c < kMarketColumns; ++c) g.SetCellBackColor(r, c, kNotReachedRow);
            continue;
        }
        const std::string cells[] = {Shown(row.FinalAge, "0.0"),
                                     Shown(row.Days, "0.0"),
                                     FigureText(Figure::Weight, row.TotalFeed),
                                     FigureText(Figure::FeedGain, row.FeedGain),
                                     FigureText(Figure::Money, row.FeedCost),
                                     FigureText(Figure::Weight, row.Sale.CarcassWeight),
                                     Shown(row.Lean, "0.0"),
                                     Shown(row.Sale.PricePerKg, "0.000"),
                                     FigureText(Figure::Money, row.Sale.Value),
                                     FigureText(Figure::Money, row.Sale.MarginPerPig),
                                     FigureText(Figure::Money, row.Sale.MarginPerPlaceYear)};
        for (int c = 0; c < 11; ++c) g.SetTextMatrix(r, c + 1, cells[c]);
        std::string best;
        if (i == a.BestPerPig) best = "per pig";
        if (i == a.BestPerPlaceYear) best += best.empty() ? "per place-year" : ", per place-year";
        g.SetTextMatrix(r, 12, best);
        if (!best.empty())
            for (int c = 0; c < kMarketColumns; ++c) g.SetCellBackColor(r, c, kBestRow);
    }
    const std::string unit = WeightUnitOf(s);
    if (a.Empty()) {
        f.LabelBest.Caption = "Press Run to grow the programme to every final weight of the range";
    } else if (a.BestPerPig < 0) {
        f.LabelBest.Caption = kMarketNothingReached;
    } else {
        const MarketRow& p = a.Rows[static_cast<std::size_t>(a.BestPerPig)];
        const MarketRow& y = a.Rows[static_cast<std::size_t>(a.BestPerPlaceYear)];
        f.LabelBest.Caption = "Best per pig: " + FormatAuto(p.FinalWeight) + " " + unit + " (margin " +
                              FigureText(Figure::Money, p.Sale.MarginPerPig) + ")    Best per pig place and year: " +
                              FormatAuto(y.FinalWeight) + " " + unit + " (margin " +
                              FigureText(Figure::Money, y.Sale.MarginPerPlaceYear) + ")    Carcass weights at the " +
                              SaleYieldText(a.Settings, p.Yield);
    }
    f.CommandUsePerPig.Enabled = a.BestPerPig >= 0;
    f.CommandUsePerYear.Enabled = a.BestPerPlaceYear >= 0;
}

// How the barn spreads at a best weight, as Herd and Marketing grows it:
// the herd of the location's herd settings at the age the average pig
// reaches the weight.
struct BarnAt {
    double liveSd = 0, carcassSd = 0;  // display and carcass units
    double outside = 0;                // share of the barn outside the band
};

BarnAt BarnSpread(const Herd& herd, const MarketSettings& m, const MarketRow& row) {
    BarnAt b;
    if (!herd.Grown() || herd.Pigs.empty()) return b;
    const int age = std::clamp(static_cast<int>(std::lround(row.FinalAge)), herd.StartAge, herd.LastAge);
    const double toCarcass = row.Yield / 100 * herd.MarketPerKg;
    double sum = 0, squares = 0;
    int outside = 0;
    const int n = static_cast<int>(herd.Pigs.size());
    for (int p = 0; p < n; ++p) {
        const double w = herd.WeightAt(p, age);
        sum += w;
        squares += w * w;
        const double carcass = w * toCarcass;
        if (carcass < m.BandLow || carcass > m.BandHigh) ++outside;
    }
    const double mean = sum / n, sd = std::sqrt(std::max(0.0, squares / n - mean * mean));
    b.liveSd = sd * herd.MarketPerKg;
    b.carcassSd = sd * toCarcass;
    b.outside = static_cast<double>(outside) / n;
    return b;
}

// The note beside a best weight whose carcass lies within one SD of the herd
// of a band edge, and the question "Use Best" asks; both empty otherwise.
std::pair<std::string, std::string> SpreadNote(const SharedState& s, const Herd& herd, const MarketSettings& m,
                                               const MarketRow& row, const std::string& which) {
    if (!row.Sold()) return {};
    const BarnAt b = BarnSpread(herd, m, row);
    const double carcass = row.Sale.CarcassWeight;
    const bool low = std::fabs(carcass - m.BandLow) <= std::fabs(carcass - m.BandHigh);
    const double edge = low ? m.BandLow : m.BandHigh;
    if (!(b.carcassSd > 0) || std::fabs(carcass - edge) >= b.carcassSd) return {};
    const std::string carcassUnit = MarketWeightUnit(s.WeightUnit()), live = WeightUnitOf(s);
    const std::string at = "The best weight " + which + ", " + FormatAuto(row.FinalWeight) + " " + live +
                           ", is one average pig's: its carcass (" + Shown(carcass, "0.0") + " " + carcassUnit +
                           ") lies within one SD of the herd (" + Shown(b.carcassSd, "0.0") + " " + carcassUnit +
                           " carcass, " + Shown(b.liveSd, "0.0") + " " + live + " live) of the band's " +
                           (low ? "low" : "high") + " edge (" + Shown(edge, "0.0") + " " + carcassUnit +
                           "): about " + Shown(100 * b.outside, "0") + " % of the barn sells outside the band at that age";
    return {at + ". Herd and Marketing sells the barn as it spreads, in cuts.",
            at + ". Take " + FormatAuto(row.FinalWeight) + " " + live + " as the Final Weight all the same?"};
}

// The notes of both best weights; the herd is grown only when a best
// carcass lies near enough a band edge for any herd's spread to reach it.
void SpreadNotes(SharedState& s, MarketWeightWindow& f, int threads) {
    f.LabelSpread.Caption.clear();
    f.SpreadPerPig.clear();
    f.SpreadPerPlaceYear.clear();
    const MarketAnalysis& a = f.Analysis;
    if (a.BestPerPig < 0 || a.BestPerPlaceYear < 0) return;
    const MarketSettings& m = a.Settings;
    const MarketRow& p = a.Rows[static_cast<std::size_t>(a.BestPerPig)];
    const MarketRow& y = a.Rows[static_cast<std::size_t>(a.BestPerPlaceYear)];
    const auto near = [&](const MarketRow& r) {
        const double c = r.Sale.CarcassWeight;
        return std::min(std::fabs(c - m.BandLow), std::fabs(c - m.BandHigh)) < 0.3 * c;
    };
    if (!near(p) && !near(y)) return;
    std::vector<std::string> unread;
    HerdOptions options;
    options.threads = threads;
    const Herd herd = GrowHerd(s, LoadHerdSettings(s.LocationBase, unread), options);
    const auto [pigNote, pigAsk] = SpreadNote(s, herd, m, p, "per pig");
    f.SpreadPerPig = pigAsk;
    if (a.BestPerPlaceYear == a.BestPerPig) {
        f.SpreadPerPlaceYear = pigAsk;
        f.LabelSpread.Caption = pigNote;
        return;
    }
    const auto [yearNote, yearAsk] = SpreadNote(s, herd, m, y, "per pig place and year");
    f.SpreadPerPlaceYear = yearAsk;
    f.LabelSpread.Caption = pigNote + (pigNote.empty() || yearNote.empty() ? "" : "\n") + yearNote;
}

}  // namespace

void ShowMarketWeightWindow(SharedState& s, MarketWeightWindow& f) {
    std::vector<std::string> messages;
    const MarketSettings m = LoadMarketSettings(s.LocationBase, s.WeightUnit(), messages);
    ShowSettings(f, m);
    for (const std::string& text : messages) DialogsOf(s).Message(text);
    const MarketRange r = DefaultMarketRange(s);
    f.TextFrom.Text = r.From > 0 ? FormatPrecise(r.From) : "";
    f.TextTo.Text = r.To > 0 ? FormatPrecise(r.To) : "";
    f.TextStep.Text = MarketNumberText(r.Step);
    if (f.Analysis.WeightUnit != s.WeightUnit() || f.Location != s.LocationBase) {
        f.Analysis = MarketAnalysis{};
        f.LabelSpread.Caption.clear();
        f.SpreadPerPig.clear();
        f.SpreadPerPlaceYear.clear();
    }
    Table(s, f);
    f.Visible = true;
}

void RunMarketWeights(SharedState& s, MarketWeightWindow& f, Progress* progress, int threads) {
    Dialogs& dlg = DialogsOf(s);
    if (!s.Main || !s.PigDataReady) {
        dlg.Message(kMarketNoLocation);
        return;
    }
    MarketSettings m;
    MarketRange r;
    if (!ReadBoxes(s, f, m, r)) return;
    MarketOptions options;
    options.threads = threads;
    options.progress = progress;
    MarketAnalysis a = AnalyseMarketWeights(s, m, r, options);
    if (a.Cancelled) {
        dlg.Message(kMarketCancelled);
        return;
    }
    f.Analysis = std::move(a);
    f.Location = s.LocationBase;
    Table(s, f);
    SpreadNotes(s, f, threads);
    // What kept a weight from a result, each reason once.
    std::vector<std::string> said;
    for (const MarketRow& row : f.Analysis.Rows) {
        if (row.Message.empty() || std::find(said.begin(), said.end(), row.Message) != said.end()) continue;
        said.push_back(row.Message);
        dlg.Message(row.Message);
    }
    if (f.Analysis.BestPerPig < 0 && said.empty()) dlg.Message(kMarketNothingReached);
}

bool SaveMarketWeightSettings(SharedState& s, MarketWeightWindow& f) {
    MarketSettings m;
    MarketRange r;
    Dialogs& dlg = DialogsOf(s);
    for (int i = 0; i < kMarketFieldCount; ++i) {
        double v = 0;
        if (!SettingValue(kMarketFields[i], f.Settings[static_cast<std::size_t>(i)], v)) {
            dlg.Message(f.SettingLabels[static_cast<std::size_t>(i)].Caption + " must be a number; nothing was saved");
            return false;
        }
        m.*kMarketFields[i].Value = v;
    }
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) {
        dlg.Message(problem + "; nothing was saved");
        return false;
    }
    return SaveMarketSettings(s, m);
}

void MarketDefaultsClick(SharedState& s, MarketWeightWindow& f) {
    ShowSettings(f, DefaultMarketSettings(MarketInPounds(s.WeightUnit())));
}

bool UseBestMarketWeight(SharedState& s, MarketWeightWindow& f, bool perPlaceYear) {
    if (!f.Analysis.Empty() && f.Location != s.LocationBase) {
        // Another location is open now: its final weight is not this analysis's to set.
        f.Analysis = MarketAnalysis{};
        f.LabelSpread.Caption.clear();
        f.SpreadPerPig.clear();
        f.SpreadPerPlaceYear.clear();
        Table(s, f);
        DialogsOf(s).Message(kMarketOtherLocation);
        return false;
    }
    const int best = perPlaceYear ? f.Analysis.BestPerPlaceYear : f.Analysis.BestPerPig;
    if (best < 0 || !s.Main) {
        DialogsOf(s).Message(kMarketNoBest);
        return false;
    }
    const std::string& spread = perPlaceYear ? f.SpreadPerPlaceYear : f.SpreadPerPig;
    if (!spread.empty() && DialogsOf(s).Ask(spread, Buttons::YesNo) != Answer::Yes) return false;
    s.Main->Text3.Text = FormatPrecise(f.Analysis.Rows[static_cast<std::size_t>(best)].FinalWeight);
    return true;
}

MarketChart MarketChartOf(const SharedState& s, const MarketWeightWindow& f) {
    MarketChart c;
    const MarketAnalysis& a = f.Analysis;
    for (const MarketRow& row : a.Rows) {
        if (!row.Sold()) continue;
        c.PerPig.emplace_back(row.FinalWeight, row.Sale.MarginPerPig);
        c.PerPlaceYear.emplace_back(row.FinalWeight, row.Sale.MarginPerPlaceYear);
    }
    if (a.BestPerPig >= 0 && a.BestPerPlaceYear >= 0) {
        c.HasBest = true;
        const MarketRow& p = a.Rows[static_cast<std::size_t>(a.BestPerPig)];
        const MarketRow& y = a.Rows[static_cast<std::size_t>(a.BestPerPlaceYear)];
        c.BestPerPig = {p.FinalWeight, p.Sale.MarginPerPig};
        c.BestPerPlaceYear = {y.FinalWeight, y.Sale.MarginPerPlaceYear};
    }
    if (s.Main) {
        const double w = NumVal(std::string_view(s.Main->Text3.Text));
        if (std::isfinite(w) && w > 0) c.CurrentWeight = w;
    }
    c.WeightAxis = "Final weight, " + WeightUnitOf(s);
    // Short, to fit beside the chart at 1280 x 720; the legend names the lines.
    c.MarginAxis = WithUnit("Per pig", MoneyUnit(s));
    c.YearAxis = WithUnit("Per place-year", MoneyUnit(s));
    return c;
}

}  // namespace tarvisol
