#include "ui/HerdWindow.h"

#include <algorithm>
#include <cmath>

#include "market/HerdFile.h"
#include "market/MarketFile.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/Units.h"
#include "shared/FigureFormat.h"
#include "ui/KeepRun.h"

namespace tarvisol {

namespace {


std::string LiveUnit(const SharedState& s) {
    switch (s.WeightUnit()) {
        case 1: return "lb";
        case 2: return "g";
        default: return "kg";
    }
}

void Captions(SharedState& s, HerdWindow& f) {
    const std::string captions[kHerdSettingCount] = {
        "Pigs", "Seed", "Spread of starting weight, CV %", "Spread of growth rate (B3), CV %",
        "Spread of mature size, CV %", "Spread of maintenance (B4), CV %",
        kDressingCaption, "Correlation, growth rate and starting weight",
        "Correlation, growth rate and mature size", "Correlation, growth rate and maintenance"};
    for (int i = 0; i < kHerdSettingCount; ++i) f.SettingLabels[static_cast<std::size_t>(i)].Caption = captions[i];
    Grid& c = f.GridCuts;
    const std::string heads[] = {"Cut", "Day of age", "Pigs at or above, " + LiveUnit(s) + " live",
                                 "or share of pigs left, %"};
    for (int col = 0; col < 4; ++col) c.SetTextMatrix(0, col, heads[col]);
    for (int r = 1; r <= kHerdMaxCuts; ++r) c.SetTextMatrix(r, 0, std::to_string(r));
    f.CarcassUnit = MarketWeightUnit(s.WeightUnit());
    const std::string u = f.CarcassUnit;
    const std::string results[kHerdResultColumns] = {"Cut",           "Day",           "Sold",
                                                     "Live, " + u,    "Live SD, " + u, "Carcass, " + u,
                                                     "Carcass SD, " + u, "Outside band, %",
                                                     WithUnit("Sort loss per pig", MoneyUnit(s))};
    Grid& g = f.GridHerd;
    g.EnsureCell(0, kHerdResultColumns - 1);
    for (int col = 0; col < kHerdResultColumns; ++col) g.SetTextMatrix(0, col, results[col]);
}

void ShowDefaults(HerdWindow& f, const HerdSettings& h, const MarketSettings& m) {
    const std::string values[kHerdSettingCount] = {
        std::to_string(h.Pigs),          std::to_string(h.Seed),           MarketNumberText(h.CvStartWeight),
        MarketNumberText(h.CvGrowth),    MarketNumberText(h.CvMatureSize), MarketNumberText(h.CvMaintenance),
        m.CarcassYield > 0 ? MarketNumberText(m.CarcassYield) : std::string(),
        MarketNumberText(h.CorrStartGrowth),  MarketNumberText(h.CorrGrowthMature),
        MarketNumberText(h.CorrGrowthMaintenance)};
    for (int i = 0; i < kHerdSettingCount; ++i) f.Settings[static_cast<std::size_t>(i)].Text = values[i];
}

bool Blank(const std::string& t) { return t.find_first_not_of(" \t") == std::string::npos; }

// The boxes and the cuts; false with a message when one cannot be used.
bool ReadWindow(SharedState& s, HerdWindow& f, HerdSettings& h, MarketSettings& m, HerdStrategy& cuts) {
    Dialogs& dlg = DialogsOf(s);
    double v[kHerdSettingCount] = {};
    for (int i = 0; i < kHerdSettingCount; ++i) {
        const std::string& text = f.Settings[static_cast<std::size_t>(i)].Text;
        if (i == 6 && Blank(text)) continue;
        if (!ReadMarketNumber(text, v[i]) || ((i == 0 || i == 1) && v[i] != std::floor(v[i]))) {
            dlg.Message(f.SettingLabels[static_cast<std::size_t>(i)].Caption + " must be a number" +
                        (i < 2 ? std::string(" of whole units") : std::string()));
            return false;
        }
    }
    h = HerdSettings{};
    h.Pigs = v[0] >= 0 && v[0] <= 1e9 ? static_cast<int>(v[0]) : -1;
    if (v[1] < 0 || v[1] > 1e15) {
        dlg.Message("Seed must be a whole number, 0 or more");
        return false;
    }
    h.Seed = static_cast<std::uint64_t>(v[1]);
    h.CvStartWeight = v[2];
    h.CvGrowth = v[3];
    h.CvMatureSize = v[4];
    h.CvMaintenance = v[5];
    h.CorrStartGrowth = v[7];
    h.CorrGrowthMature = v[8];
    h.CorrGrowthMaintenance = v[9];
    if (const std::string problem = HerdSettingsProblem(h); !problem.empty()) {
        dlg.Message(problem);
        return false;
    }
    std::vector<std::string> messages;
    m = LoadMarketSettings(s.LocationBase, s.WeightUnit(), messages);
    for (const std::string& text : messages) dlg.Message(text);
    // The box opens on the market file's dressing; blank is the model's
    // carcass yield, as in the Market Weight window.
    m.CarcassYield = Blank(f.Settings[6].Text) ? 0 : v[6];
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) {
        dlg.Message(problem);
        return false;
    }
    cuts.clear();
    const Grid& c = f.GridCuts;
    for (int r = 1; r <= kHerdMaxCuts && r < c.Rows(); ++r) {
        const std::string& ageText = c.TextMatrix(r, 1);
        if (Blank(ageText)) continue;
        HerdCut cut;
        double age = 0, weight = 0, share = 0;
        const std::string which = "Cut " + std::to_string(r);
        if (!ReadMarketNumber(ageText, age) || age != std::floor(age) || age < 0 || age > 1000) {
            dlg.Message(which + ": the day of age must be a whole number");
            return false;
        }
        cut.Age = static_cast<int>(age);
        if (!Blank(c.TextMatrix(r, 2))) {
            if (!ReadMarketNumber(c.TextMatrix(r, 2), weight) || weight < 0) {
                dlg.Message(which + ": the weight must be a number, 0 or more");
                return false;
            }
            cut.MinWeight = ConvertWeight(s, 1, weight);
        } else if (!Blank(c.TextMatrix(r, 3))) {
            if (!ReadMarketNumber(c.TextMatrix(r, 3), share) || share < 0 || share > 100) {
                dlg.Message(which + ": the share must be a number from 0 to 100");
                return false;
            }
            cut.Share = share / 100;
        }
        cuts.push_back(cut);
    }
    return true;
}

std::string Shown(double v, const char* pattern) { return FormatPattern(v, pattern); }

void ShowCuts(SharedState& s, HerdWindow& f, const HerdStrategy& cuts) {
    Grid& c = f.GridCuts;
    for (int r = 1; r <= kHerdMaxCuts; ++r)
        for (int col = 1; col < 4; ++col) c.SetTextMatrix(r, col, "");
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        c.SetTextMatrix(r, 1, std::to_string(cuts[i].Age));
        if (i + 1 == cuts.size()) continue;
        if (cuts[i].MinWeight > 0) c.SetTextMatrix(r, 2, FormatAuto(ConvertWeight(s, 2, cuts[i].MinWeight)));
        else c.SetTextMatrix(r, 3, FormatAuto(cuts[i].Share * 100));
    }
}

void Table(SharedState& s, HerdWindow& f) {
    Grid& g = f.GridHerd;
    g.Clear();
    const HerdValue& v = f.Value;
    g.SetRows(std::max<int>(2, static_cast<int>(v.Cuts.size()) + 2));
    g.SetCols(kHerdResultColumns);
    Captions(s, f);
    if (!v.Valued()) {
        f.LabelTotals.Caption = "Press Grow and Sell to grow the herd and sell it in the cuts";
        return;
    }
    int r = 1;
    for (std::size_t i = 0; i < v.Cuts.size(); ++i, ++r) {
        const HerdCutResult& c = v.Cuts[i];
        const std::string cells[kHerdResultColumns] = {std::to_string(i + 1),
                                                       std::to_string(c.Age),
                                                       std::to_string(c.Sold),
                                                       FigureText(Figure::Weight, c.LiveMean),
                                                       FigureText(Figure::Weight, c.LiveSd),
                                                       FigureText(Figure::Weight, c.CarcassMean),
                                                       FigureText(Figure::Weight, c.CarcassSd),
                                                       Shown(100 * c.OutsideBand, "0.0"),
                                                       FigureText(Figure::Money, c.SortLossPerPig)};
        for (int col = 0; col < kHerdResultColumns; ++col) g.SetTextMatrix(r, col, cells[col]);
    }
    g.SetTextMatrix(r, 0, "All");
    g.SetTextMatrix(r, 2, std::to_string(v.Pigs));
    g.SetTextMatrix(r, 8, FigureText(Figure::Money, v.SortLossPerPig));
    for (int col = 0; col < kHerdResultColumns; ++col) g.SetCellBackColor(r, col, kTotalsRow);
    f.LabelTotals.Caption = "Per pig: revenue " + FigureText(Figure::Money, v.RevenuePerPig) + ", feed " +
                            FigureText(Figure::Money, v.FeedCostPerPig) + ", sort loss " + FigureText(Figure::Money, v.SortLossPerPig) +
                            ", margin " + FigureText(Figure::Money, v.MarginPerPig) + ".  Barn days " +
                            Shown(v.BarnDays, "0") + ".  Margin per pig place and year " +
                            FigureText(Figure::Money, v.MarginPerPlaceYear) + "  (carcass weights at the " +
                            SaleYieldText(f.Market, f.LastHerd.RunYield) + ")";
}

// Grows the herd for the window's settings; false with a message when it cannot.
bool GrowFor(SharedState& s, HerdWindow& f, const HerdSettings& h, Progress* progress, int threads) {
    HerdOptions options;
    options.threads = threads;
    options.progress = progress;
    Herd herd = GrowHerd(s, h, options);
    if (herd.Cancelled) {
        DialogsOf(s).Message(kHerdCancelled);
        return false;
    }
    if (!herd.Grown()) {
        DialogsOf(s).Message(herd.Problem);
        return false;
    }
    f.LastHerd = std::move(herd);
    return true;
}

}  // namespace

void ShowHerdWindow(SharedState& s, HerdWindow& f) {
    if (f.Location != s.LocationBase) {
        f.Value = HerdValue{};
        f.LastHerd = Herd{};
        f.LabelBest.Caption.clear();
        std::vector<std::string> messages;
        const MarketSettings m = LoadMarketSettings(s.LocationBase, s.WeightUnit(), messages);
        const HerdSettings h = LoadHerdSettings(s.LocationBase, messages);
        for (const std::string& text : messages) DialogsOf(s).Message(text);
        ShowDefaults(f, h, m);
        ShowCuts(s, f, {});
        f.Location = s.LocationBase;
    }
    Table(s, f);
    f.Visible = true;
}

void EditHerdCut(HerdWindow& f, int row, int col, const std::string& text) {
    if (row < 1 || row > kHerdMaxCuts || col < 1 || col > 3) return;
    f.GridCuts.SetTextMatrix(row, col, text);
    // A cut takes pigs by weight or by share, not both.
    if (col == 2 && !Blank(text)) f.GridCuts.SetTextMatrix(row, 3, "");
    if (col == 3 && !Blank(text)) f.GridCuts.SetTextMatrix(row, 2, "");
}

void SellHerdClick(SharedState& s, HerdWindow& f, Progress* progress, int threads) {
    if (!s.Main || !s.PigDataReady) {
        DialogsOf(s).Message(kHerdNoLocation);
        return;
    }
    HerdSettings h;
    MarketSettings m;
    HerdStrategy cuts;
    if (!ReadWindow(s, f, h, m, cuts)) return;
    if (!GrowFor(s, f, h, progress, threads)) return;
    f.Market = m;
    if (cuts.empty()) cuts = OneDaySale(static_cast<int>(std::lround(f.LastHerd.FinalAge)));
    HerdValue v = ValueHerd(f.LastHerd, m, cuts);
    if (!v.Valued()) {
        DialogsOf(s).Message(v.Problem);
        return;
    }
    f.Value = std::move(v);
    f.LabelBest.Caption.clear();
    ShowCuts(s, f, cuts);
    Table(s, f);
}

void BestHerdCutsClick(SharedState& s, HerdWindow& f, Progress* progress, int threads) {
    if (!s.Main || !s.PigDataReady) {
        DialogsOf(s).Message(kHerdNoLocation);
        return;
    }
    HerdSettings h;
    MarketSettings m;
    HerdStrategy cuts;
    if (!ReadWindow(s, f, h, m, cuts)) return;
    HerdOptions options;
    options.threads = threads;
    options.progress = progress;
    Herd herd = GrowHerd(s, h, options);
    if (herd.Cancelled) {
        DialogsOf(s).Message(kHerdCancelled);
        return;
    }
    if (!herd.Grown()) {
        DialogsOf(s).Message(herd.Problem);
        return;
    }
    BestCuts best = FindBestCuts(herd, m, progress);
    if (best.Cancelled || !best.Value.Valued()) {
        DialogsOf(s).Message(kHerdCancelled);
        return;
    }
    f.LastHerd = std::move(herd);
    f.Market = m;
    f.Value = std::move(best.Value);
    ShowCuts(s, f, best.Cuts);
    Table(s, f);
    f.LabelBest.Caption = "Best cuts: " + FigureText(Figure::Money, f.Value.MarginPerPlaceYear) +
                          " per pig place and year, " +
                          FigureText(Figure::Money, f.Value.MarginPerPlaceYear - best.OneDayValue.MarginPerPlaceYear) +
                          " more than the whole barn on its best single day (day " +
                          std::to_string(best.OneDay.front().Age) + ", " +
                          FigureText(Figure::Money, best.OneDayValue.MarginPerPlaceYear) + ")";
}

void HerdDefaultsClick(SharedState& s, HerdWindow& f) {
    std::vector<std::string> messages;
    ShowDefaults(f, HerdSettings{}, LoadMarketSettings(s.LocationBase, s.WeightUnit(), messages));
}

bool SaveHerdWindowSettings(SharedState& s, HerdWindow& f) {
    HerdSettings h;
    MarketSettings m;
    HerdStrategy cuts;
    if (!ReadWindow(s, f, h, m, cuts)) {
        DialogsOf(s).Message("Nothing was saved");
        return false;
    }
    return SaveHerdSettings(s, h);
}

HerdHistogram HerdHistogramOf(const HerdWindow& f) {
    HerdHistogram hist;
    hist.BandLow = f.Market.BandLow;
    hist.BandHigh = f.Market.BandHigh;
    hist.Axis = "Carcass weight, " + f.CarcassUnit;
    const HerdValue& v = f.Value;
    if (!v.Valued() || v.Sales.empty()) return hist;
    double lo = v.Sales.front().Carcass, hi = lo;
    for (const HerdSale& sale : v.Sales) lo = std::min(lo, sale.Carcass), hi = std::max(hi, sale.Carcass);
    hist.BinWidth = f.CarcassUnit == "lb" ? 5 : 2;
    hist.From = std::floor(std::min(lo, hist.BandLow) / hist.BinWidth) * hist.BinWidth;
    const double to = std::max(hi, hist.BandHigh);
    const int bins = static_cast<int>(std::floor((to - hist.From) / hist.BinWidth)) + 1;
    hist.Counts.assign(v.Cuts.size(), std::vector<int>(static_cast<std::size_t>(bins), 0));
    for (std::size_t c = 0; c < v.Cuts.size(); ++c)
        hist.CutNames.push_back("Cut " + std::to_string(c + 1) + ", day " + std::to_string(v.Cuts[c].Age));
    for (const HerdSale& sale : v.Sales) {
        const int bin = std::clamp(static_cast<int>(std::floor((sale.Carcass - hist.From) / hist.BinWidth)), 0, bins - 1);
        ++hist.Counts[static_cast<std::size_t>(sale.Cut)][static_cast<std::size_t>(bin)];
    }
    return hist;
}

}  // namespace tarvisol

namespace tarvisol {

std::optional<HerdReport> HerdReportOf(const SharedState& s, const HerdWindow& f) {
    if (!f.Value.Valued() || f.Location != s.LocationBase) return std::nullopt;
    HerdReport r;
    r.Settings = f.LastHerd.Settings;
    r.Yield = SaleYield(f.Market, f.LastHerd.RunYield);
    r.YieldFromMarket = f.Market.CarcassYield > 0;
    r.BandLow = f.Market.BandLow;
    r.BandHigh = f.Market.BandHigh;
    r.CarcassUnit = f.CarcassUnit;
    r.Currency = MoneyUnit(s);
    r.Value = f.Value;
    // The herd is the run's when it was grown on the inputs the run reported
    // (the last Growth run's, with nothing transferred after it).
    const bool sameRun = &CurrentRun(s) == &s.LastRun && f.LastHerd.RunInputs == s.LastRunInputs;
    if (!sameRun)
        r.OlderRun = "grown on an earlier run (feed cost " + FigureText(Figure::Money, f.LastHerd.RunCostPerPig) +
                     " per pig, final age " + FormatPattern(f.LastHerd.FinalAge, "0.0") +
                     " days), not on the run reported here; Grow and Sell in Herd and Marketing sells this run's herd";
    return r;
}

}  // namespace tarvisol
