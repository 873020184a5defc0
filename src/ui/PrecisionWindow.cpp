#include "ui/PrecisionWindow.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "market/HerdFile.h"
#include "market/MarketFile.h"
#include "precision/PrecisionFigures.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"

namespace tarvisol {
namespace {

using namespace precision;

std::string Trimmed(const std::string& t) {
    const auto a = t.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return t.substr(a, t.find_last_not_of(" \t") - a + 1);
}

bool Whole(const std::string& text, long long low, long long high, long long& v) {
    const std::string t = Trimmed(text);
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && ec == std::errc() && p == t.data() + t.size() && v >= low && v <= high;
}

std::string Fixed(double v, int decimals) { return FormatPattern(v, decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0')); }

void Message(SharedState& s, const std::string& text) {
    if (s.Dialog) s.Dialog->Message(text, kPrecisionCaption);
}

void FillTable(PrecisionWindow& f) {
    Grid& g = f.GridResults;
    const PrecisionResult& r = *f.Result;
    std::vector<const PrecisionFigure*> shown;
    for (const PrecisionFigure& fig : kPrecisionFigures)
        if (FigureShown(fig, r)) shown.push_back(&fig);
    g.SetRows(static_cast<int>(shown.size()) + 1);
    g.SetCols(kPrecisionColumns);
    const char* heads[kPrecisionColumns] = {"Per pig", "Phase programme", "Group blend", "Precision feeding",
                                            "Group blend - phase", "Precision - phase"};
    for (int c = 0; c < kPrecisionColumns; ++c) g.SetTextMatrix(0, c, heads[c]);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const PrecisionFigure& fig = *shown[i];
        const int row = static_cast<int>(i) + 1;
        g.SetTextMatrix(row, 0, fig.Label);
        for (int k = 0; k < kStrategies; ++k) {
            const double v = r.Strategies[static_cast<std::size_t>(k)].*fig.Value;
            g.SetFigure(row, 1 + k, Fixed(v, fig.Decimals), v);
        }
        const double phase = r.Strategies[kPhase].*fig.Value;
        for (int k = kGroupBlend; k < kStrategies; ++k) {
            const double d = r.Strategies[static_cast<std::size_t>(k)].*fig.Value - phase;
            std::string text = Fixed(d, fig.Decimals);
            if (phase != 0) text += " (" + Fixed(100 * d / phase, 1) + " %)";
            g.SetFigure(row, 3 + k, text, d);
        }
    }
}

std::string FeedLine(const BlendFeed& b) {
    return b.Name + ": " + Fixed(b.Diet.Ne, 0) + " kcal NE/kg, SID lysine " + Fixed(b.Diet.Amino[2], 3) + " %, CP " +
           Fixed(b.CrudeProtein, 2) + " %, " + Fixed(b.PricePerKg, 4) + " per kg";
}

// The days on which at least a twentieth of the pigs a mean is of are still
// on feed: the mean of the last few stragglers is no figure of the herd.
PrecisionLine Line(std::string name, int startAge, const std::vector<double>& y, const std::vector<int>& pigs,
                   bool dashed = false) {
    PrecisionLine l;
    l.Name = std::move(name);
    l.Dashed = dashed;
    const int most = pigs.empty() ? 0 : *std::max_element(pigs.begin(), pigs.end());
    const int least = std::max(1, (most + 19) / 20);
    for (std::size_t i = 0; i < y.size() && i < pigs.size(); ++i) {
        if (pigs[i] < least) continue;
        l.X.push_back(startAge + static_cast<double>(i));
        l.Y.push_back(y[i]);
    }
    return l;
}

}  // namespace

void ShowPrecisionWindow(SharedState& s, PrecisionWindow& f) {
    f.Visible = true;
    f.PigsLabel.Caption = "Pigs in the herd";
    f.SeedLabel.Caption = "Seed of the draws";
    f.PercentileLabel.Caption = "Group blend for the percentile (blank: mean pig)";
    f.DietsLabel.Caption = "Feeds A and B: diets (blank: formulate)";
    if (!s.PigDataReady) {
        f.LabelNotes.Caption = kPrecisionNoLocation;
        return;
    }
    if (f.Location != s.LocationBase) {
        std::vector<std::string> messages;
        const HerdSettings h = LoadHerdSettings(s.LocationBase, messages);
        f.Pigs.Text = std::to_string(h.Pigs);
        f.Seed.Text = std::to_string(h.Seed);
        f.Percentile.Text.clear();
        f.DietA.Text.clear();
        f.DietB.Text.clear();
        f.Where.reset();
        f.Result.reset();
        f.GridResults.SetRows(2);
        for (int c = 0; c < kPrecisionColumns; ++c) f.GridResults.SetTextMatrix(1, c, "");
        f.LabelFeeds.Caption.clear();
        f.LabelNotes.Caption = "Press Compare to grow the herd on the phase programme, the group blend and precision feeding";
        f.Location = s.LocationBase;
    }
}

void ComparePrecisionClick(SharedState& s, PrecisionWindow& f, Progress* progress, int threads) {
    if (!s.PigDataReady) {
        Message(s, kPrecisionNoLocation);
        return;
    }
    std::vector<std::string> messages;
    PrecisionSettings settings;
    settings.Herd = LoadHerdSettings(s.LocationBase, messages);
    long long v = 0;
    if (!Whole(f.Pigs.Text, 1, kHerdMaxPigs, v)) return Message(s, "The number of pigs must be a whole number from 1 to 20,000");
    settings.Herd.Pigs = static_cast<int>(v);
    if (!Whole(f.Seed.Text, 0, 9007199254740991LL, v)) return Message(s, "The seed must be a whole number of 0 or more");
    settings.Herd.Seed = static_cast<std::uint64_t>(v);
    if (!Trimmed(f.Percentile.Text).empty()) {
        const double p = NumVal(std::string_view(Trimmed(f.Percentile.Text)));
        if (!(p >= 1 && p <= 100)) return Message(s, "The percentile must be from 1 to 100, or blank for the mean pig");
        settings.Percentile = p;
    }
    FeedChoice choice;
    const bool a = !Trimmed(f.DietA.Text).empty(), b = !Trimmed(f.DietB.Text).empty();
    if (a || b) {
        long long da = 0, db = 0;
        if (!Whole(f.DietA.Text, 1, std::max<int>(1, s.DietCount), da) || !Whole(f.DietB.Text, 1, std::max<int>(1, s.DietCount), db) ||
            da == db)
            return Message(s, "Feeds A and B must be two different diets of the location, 1 to " + std::to_string(s.DietCount) +
                                  ", or both blank to formulate them");
        choice.DietA = static_cast<int>(da);
        choice.DietB = static_cast<int>(db);
    }
    const MarketSettings market = LoadMarketSettings(s.LocationBase, s.WeightUnit(), messages);
    if (const std::string problem = MarketSettingsProblem(market); !problem.empty()) return Message(s, problem);
    PrecisionLocation where = PrecisionLocationOf(s, market, choice);
    if (!where.Problem.empty()) return Message(s, where.Problem);
    PrecisionOptions options;
    options.threads = threads;
    options.progress = progress;
    PrecisionResult result = RunPrecision(where.Inputs, settings, options);
    if (result.Cancelled) return Message(s, kPrecisionCancelled);
    if (!result.Grown()) return Message(s, result.Problem);
    f.Where = std::move(where);
    f.Result = std::move(result);
    f.Location = s.LocationBase;
    FillTable(f);
    f.LabelFeeds.Caption = FeedLine(f.Where->Inputs.A) + "\n" + FeedLine(f.Where->Inputs.B);
    std::string notes = "Grown on the nutrient-response model: " + f.Where->GenotypeName + ", " +
                        std::to_string(settings.Herd.Pigs) + " pigs; group blend for " +
                        (settings.Percentile > 0 ? "the " + Fixed(settings.Percentile, 0) + "th percentile of the pigs"
                                                 : std::string("the herd's mean requirement")) + ".";
    for (const std::string& n : f.Where->Notes) notes += " " + n + ".";
    for (const std::string& n : f.Result->Notes) notes += " " + n + ".";
    f.LabelNotes.Caption = notes;
}

PrecisionChart BlendShareChartOf(const PrecisionWindow& f) {
    PrecisionChart c;
    c.Title = "Share of feed A in the day's blend";
    c.XAxis = "Age, days";
    c.YAxis = "Share of feed A";
    if (!f.Result) return c;
    const PrecisionSeries& s = f.Result->Series;
    const RequirementSeries& each = s.Lysine[kPrecision];
    c.Lines.push_back(Line("Group", s.StartAge, s.GroupShare, s.Lysine[kGroupBlend].PigsGroup));
    c.Lines.push_back(Line("Precision", s.StartAge, s.PrecisionShare, each.PigsGroup));
    c.Lines.push_back(Line("Light tenth", s.StartAge, s.PrecisionShareLight, each.PigsLight, true));
    c.Lines.push_back(Line("Heavy tenth", s.StartAge, s.PrecisionShareHeavy, each.PigsHeavy, true));
    return c;
}

PrecisionChart SupplyChartOf(const PrecisionWindow& f) {
    PrecisionChart c;
    c.Title = "SID lysine supplied against required";
    c.XAxis = "Age, days";
    c.YAxis = "SID lysine, % of the feed";
    if (!f.Result) return c;
    const PrecisionSeries& s = f.Result->Series;
    const RequirementSeries& each = s.Lysine[kPrecision];
    c.Lines.push_back(Line("Need", s.StartAge, each.NeedGroup, each.PigsGroup));
    c.Lines.push_back(Line("Need, light", s.StartAge, each.NeedLight, each.PigsLight, true));
    c.Lines.push_back(Line("Need, heavy", s.StartAge, each.NeedHeavy, each.PigsHeavy, true));
    const RequirementSeries& phase = s.Lysine[kPhase];
    const RequirementSeries& group = s.Lysine[kGroupBlend];
    c.Lines.push_back(Line("Phase", s.StartAge, phase.SupplyGroup, phase.PigsGroup));
    c.Lines.push_back(Line("Group", s.StartAge, group.SupplyGroup, group.PigsGroup));
    c.Lines.push_back(Line("Precision", s.StartAge, each.SupplyGroup, each.PigsGroup));
    return c;
}

}  // namespace tarvisol
