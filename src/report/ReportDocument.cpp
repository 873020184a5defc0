#include "report/ReportDocument.h"

#include "market/HerdCuts.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "optimisation/MarginFigures.h"
#include "optimisation/MarginSearch.h"
#include "precision/PrecisionFigures.h"
#include "report/RequirementTables.h"
#include "report/RunComparison.h"
#include "report/RunFigures.h"
#include "report/RunModel.h"
#include "shared/TextEncoding.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

// An excretion above its EU BAT range.
const char* const kAboveRangeColour = "#f6c8c8";

constexpr int kRunsPerTable = 2;  // runs beside the base in one comparison table

double At(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

// Builds the HTML and records every cell it writes.
class Html {
public:
    explicit Html(ReportDocument& doc) : doc_(doc) {}

    void Raw(const std::string& s) { doc_.Html += s; }
    void Heading(int level, const std::string& utf8) {
        const std::string h = "h" + std::to_string(level);
        Raw("<" + h + ">" + HtmlEscape(utf8) + "</" + h + ">\n");
    }
    void Para(const std::string& utf8, const std::string& style = {}) {
        Raw(style.empty() ? "<p>" : "<p style=\"" + style + "\">");
        Raw(HtmlEscape(utf8) + "</p>\n");
    }
    // A table with column widths (shares of the page width); the first row
    // is the header. Numbers align right, texts left.
    void Table(const std::vector<int>& widths, const std::vector<std::size_t>& textColumns = {0}) {
        int total = 0;
        for (int w : widths) total += w;
        widths_.clear();
        for (int w : widths) widths_.push_back(total > 0 ? w * 100 / total : 0);
        Raw("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" style=\"border-color:#999999;\">\n");
        header_ = true;
        text_ = textColumns;
    }
    // The header row is the table's head, repeated on every page the table runs onto.
    void Row(const std::vector<std::string>& cells, const std::vector<std::string>& colours = {}) {
        Raw(header_ ? "<thead><tr>" : "<tr>");
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const char* tag = header_ ? "th" : "td";
            std::string attrs;
            if (header_ && i < widths_.size()) attrs += " width=\"" + std::to_string(widths_[i]) + "%\"";
            const bool left = header_ ? std::find(text_.begin(), text_.end(), i) != text_.end() : !IsNumber(cells[i]);
            attrs += left ? " align=\"left\"" : " align=\"right\"";
            if (header_) attrs += " bgcolor=\"#e4e8ee\"";
            else if (i < colours.size() && !colours[i].empty()) attrs += " bgcolor=\"" + colours[i] + "\"";
            Raw(std::string("<") + tag + attrs + ">" + HtmlEscape(cells[i]) + "</" + tag + ">");
            if (!cells[i].empty()) doc_.Cells.push_back(cells[i]);
        }
        Raw(header_ ? "</tr></thead>\n" : "</tr>\n");
        header_ = false;
    }
    // A figure as the tables write them: digits with a sign, a point, a "%".
    static bool IsNumber(const std::string& s) {
        if (s.empty()) return false;
        for (char c : s)
            if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == ' ' || c == '%'))
                return false;
        return std::any_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    }
    void EndTable() { Raw("</table>\n"); }
    void Name(const std::string& utf8) {
        if (!utf8.empty() && std::find(doc_.Names.begin(), doc_.Names.end(), utf8) == doc_.Names.end())
            doc_.Names.push_back(utf8);
    }

private:
    ReportDocument& doc_;
    std::vector<int> widths_;
    std::vector<std::size_t> text_;
    bool header_ = false;
};

std::string U(const std::string& bytes) { return Windows1252ToUtf8(bytes); }
std::string F(double v, int decimals) { return FixedText(v, decimals); }

// A barn of pigs that differ, sold in cuts.
void HerdMarketingSection(Html& h, const HerdReport& r) {
    const HerdValue& v = r.Value;
    h.Heading(2, r.OlderRun.empty() ? "Herd and marketing" : "Herd and marketing, an earlier run");
    if (!r.OlderRun.empty()) h.Para("These herd figures are of a herd " + r.OlderRun + ".");
    h.Para(std::to_string(v.Pigs) + " pigs (seed " + std::to_string(r.Settings.Seed) +
           "); spreads as coefficients of variation: starting weight " + F(r.Settings.CvStartWeight, 1) +
           " %, growth rate " + F(r.Settings.CvGrowth, 1) + " %, mature size " + F(r.Settings.CvMatureSize, 1) +
           " %, maintenance " + F(r.Settings.CvMaintenance, 1) + " %. Carcass weights at the " +
           (r.YieldFromMarket ? "packer's dressing " : "the model's carcass yield ") + F(r.Yield, 1) + " %, band " + F(r.BandLow, 1) + " to " +
           F(r.BandHigh, 1) + " " + r.CarcassUnit + " carcass.");
    const std::string u = r.CarcassUnit;
    h.Table({6, 8, 8, 11, 9, 13, 11, 12, 12});
    const std::string money = U(r.Currency);
    h.Row({"Cut", "Day", "Sold", "Live, " + u, "Live SD, " + u, "Carcass, " + u, "Carcass SD, " + u, "Outside band, %",
           WithUnit("Sort loss per pig", money)});
    for (std::size_t c = 0; c < v.Cuts.size(); ++c) {
        const HerdCutResult& k = v.Cuts[c];
        h.Row({std::to_string(c + 1), std::to_string(k.Age), std::to_string(k.Sold), F(k.LiveMean, 1), F(k.LiveSd, 1),
               F(k.CarcassMean, 1), F(k.CarcassSd, 1), F(100 * k.OutsideBand, 1), F(k.SortLossPerPig, 2)});
    }
    h.EndTable();
    h.Table({50, 50});
    h.Row({"Per pig", "Value"});
    h.Row({WithUnit("Revenue", money), F(v.RevenuePerPig, 2)});
    h.Row({WithUnit("Feed cost", money), F(v.FeedCostPerPig, 2)});
    h.Row({WithUnit("Sort loss", money), F(v.SortLossPerPig, 2)});
    h.Row({WithUnit("Margin", money), F(v.MarginPerPig, 2)});
    h.Row({"Barn days", F(v.BarnDays, 0)});
    h.Row({WithUnit("Margin per pig place and year", money), F(v.MarginPerPlaceYear, 2)});
    h.EndTable();
}

// The phase programme, the group's daily blend and precision feeding.
void PrecisionSection(Html& h, const precision::PrecisionResult& r) {
    using namespace precision;
    h.Heading(2, "Precision feeding");
    const StrategyResult& each = r.Strategies[kPrecision];
    h.Para(std::to_string(each.Pigs) + " pigs grown on the nutrient-response model three ways: the phase programme, "
           "a daily blend of feeds A and B for the group, and each pig its own daily blend.");
    h.Table({34, 11, 11, 11, 11, 11});
    h.Row({"Per pig", "Phase programme", "Group blend", "Precision feeding", "Group blend - phase", "Precision - phase"});
    for (const PrecisionFigure& fig : kPrecisionFigures) {
        if (!FigureShown(fig, r)) continue;
        const double phase = r.Strategies[kPhase].*fig.Value;
        std::vector<std::string> row{fig.Label};
        for (int k = 0; k < kStrategies; ++k) row.push_back(F(r.Strategies[static_cast<std::size_t>(k)].*fig.Value, fig.Decimals));
        for (int k = kGroupBlend; k < kStrategies; ++k)
            row.push_back(F(r.Strategies[static_cast<std::size_t>(k)].*fig.Value - phase, fig.Decimals));
        h.Row(row);
    }
    h.EndTable();
    for (const std::string& n : r.Notes) h.Para(n + ".");
}

// The programme that pays best beside the feed-cost minimum and the current
// one, its diets, and how it moves with the prices.
void MarginSection(Html& h, const MarginSearchResult& r) {
    h.Heading(2, "Margin optimisation");
    h.Para(std::string("Objective: ") + ObjectiveCaption(r.Objective) + ". The best programme (found from the " +
           (r.BestFrom == "search" ? std::string("search") : r.BestFrom) +
           ") beside the feed-cost minimum at the current sale weight and the current programme, each formulated "
           "at least cost, grown on the nutrient-response model and sold by the location's market; " +
           std::to_string(r.Evaluations) + " programmes formulated and grown.");
    const bool herd = r.HerdPigs > 0;
    if (herd)
        h.Para("Margins valued on the herd: " + std::to_string(r.HerdPigs) + " pigs (seed " + std::to_string(r.HerdSeed) +
               ") sold as one barn on the day each programme's pig reaches its sale weight, so that pigs outside the "
               "band cost their discount; the search weighed programmes on the first " +
               std::to_string(r.HerdSearchPigs) + " of those pigs.");
    h.Table({40, 20, 20, 20});
    h.Row({"Programme", "Best", "Cost minimum", "Current"});
    for (const MarginFigure& f : kMarginFigures) {
        if (f.HerdOnly && !herd) continue;
        std::vector<std::string> row{MarginFigureLabel(f, r.CarcassUnit)};
        for (const MarginOutcome* o : {&r.Best, &r.CostMinimum, &r.Current})
            row.push_back(o->Sold ? F(o->*f.Value, f.Decimals) : "not sold");
        h.Row(row);
    }
    h.EndTable();

    h.Para("The best programme's diets (the last is fed to the sale weight: its allotment is the feed eaten):");
    h.Table({10, 15, 15, 15, 15, 15, 15});
    std::vector<std::string> head{"Diet"};
    for (const MarginDietFigure& f : kMarginDietFigures) head.push_back(f.Label);
    h.Row(head);
    for (int d = 1; d <= r.Best.Count; ++d) {
        const MarginDiet& m = r.Best.Diets[static_cast<std::size_t>(d - 1)];
        std::vector<std::string> row{std::to_string(d)};
        for (const MarginDietFigure& f : kMarginDietFigures)
            row.push_back(f.Value == &MarginDiet::LysineOfRequirement && m.*f.Value <= 0 ? "-" : F(m.*f.Value, f.Decimals));
        h.Row(row);
    }
    h.EndTable();

    if (r.Sensitivity.empty()) return;
    h.Para("How the optimum moves when a price changes by 10 %:");
    h.Table({16, 10, 28, 26, 10, 10});
    h.Row({"Change", "Sale weight, kg", "SID lysine, % by diet", "NE, kcal/kg by diet", "Margin per pig",
           "Margin per pig place and year"});
    for (const MarginSensitivity& k : r.Sensitivity) {
        const std::string name = k.Name + (k.Factor < 1 ? " -10 %" : " +10 %");
        if (!k.Optimum.Sold) {
            h.Row({name, "not sold", "", "", "", ""});
            continue;
        }
        std::string lys, ne;
        for (int d = 0; d < k.Optimum.Count; ++d) {
            lys += (d ? " " : "") + F(k.Optimum.Diets[static_cast<std::size_t>(d)].SidLysine, 3);
            ne += (d ? " " : "") + F(k.Optimum.Diets[static_cast<std::size_t>(d)].Ne, 0);
        }
        h.Row({name, F(k.Optimum.SaleWeight, 1), lys, ne, F(k.Optimum.MarginPerPig, 2), F(k.Optimum.MarginPerPlaceYear, 2)});
    }
    h.EndTable();
}

void HerdSection(Html& h, const RunSnapshot& run, const RunFigures& f) {
    h.Heading(2, "Herd and programme");
    h.Table({50, 50});
    h.Row({"Figure", "Value"});
    h.Row({"Herd sex", f.Sex});
    h.Row({"Number of pigs", std::to_string(f.Pigs)});
    h.Row({WithUnit("Starting weight", f.WeightLabel), F(f.StartWeight, 1)});
    h.Row({"Starting age, days", std::to_string(f.StartAge)});
    h.Row({WithUnit("Final weight", f.WeightLabel), F(f.FinalWeight, 1)});
    h.Row({"Feed formulation", U(f.Formulation)});
    h.Row({"Growth model", f.Model});
    if (!f.Genotype.empty()) h.Row({"Genotype", U(f.Genotype)});
    h.Row({"Number of diets", std::to_string(run.DietCount())});
    std::string curve;
    for (std::size_t k = 0; k < 5; ++k) {
        char b[32];
        std::snprintf(b, sizeof b, "%.6g", f.Curve[k]);
        curve += (k ? ", " : "") + std::string(b);
    }
    h.Row({"Growth curve B0 to B4", curve});
    if (!run.MeasuredHerd.empty())
        h.Row({"Measured herd", std::to_string(run.MeasuredHerd.size()) + " weighings"});
    h.EndTable();
}

void DietSection(Html& h, const RunSnapshot& run, const RunFigures& f) {
    h.Heading(2, "Diets");
    h.Table({10, 46, 14, 15, 15}, {0, 1});
    h.Row({"Diet", "Name", WithUnit("Price", U(f.PriceLabel)), WithUnit("Allotment", f.WeightLabel), WithUnit("Feed eaten", f.WeightLabel)});
    for (const DietFigures& d : f.Diets) {
        h.Name(U(d.Name));
        h.Row({std::to_string(d.Number), U(d.Name), d.Infeasible ? "Infeasible" : F(d.Price, 2), F(d.Allotment, 1),
               d.Reached ? F(d.FeedEaten, 1) : "not reached"});
    }
    h.EndTable();

    const double ef = EnergyFactor(f.Units.Energy);
    for (const RunDiet& d : run.Diets) {
        h.Heading(3, "Diet " + std::to_string(d.Number) + ": " + U(d.Name));
        if (d.Infeasible) h.Para("This diet could not be formulated: no mix of the ingredients meets its limits.");
        if (!d.Formula.empty()) {
            h.Table({55, 15, 15, 15});
            h.Row({"Ingredient", "Inclusion, %", "Minimum, %", "Maximum, %"});
            double total = 0;
            for (std::size_t i = 0; i < d.Formula.size(); ++i) {
                const double x = d.Formula[i], lo = At(d.IngredientMin, i), hi = At(d.IngredientMax, i);
                if (!(x > 0)) continue;
                total += x;
                const std::string name = i < run.IngredientNames.size() ? U(run.IngredientNames[i]) : "Ingredient " + std::to_string(i + 1);
                h.Name(name);
                h.Row({name, F(x, 3), lo > 0 ? F(lo, 3) : "", hi > 0 ? F(hi, 3) : ""});
            }
            h.Row({"Total", F(total, 3), "", ""});
            h.EndTable();
        } else if (!d.Infeasible) {
            h.Para("Fed as entered on the diets grid (no formula).");
        }
        h.Table({40, 15, 15, 15, 15}, {0, 4});
        h.Row({"Nutrient", "Content", "Minimum", "Maximum", "Limit met"});
        for (std::size_t k = 1; k <= run.NutrientNames.size() && k < d.Nutrients.size(); ++k) {
            const double scale = k == 1 ? ef : 1.0;  // energy in the location's unit
            const double x = d.Nutrients[k] / scale, lo = At(d.NutrientMin, k - 1) / scale, hi = At(d.NutrientMax, k - 1) / scale;
            if (x == 0 && lo == 0 && hi == 0) continue;
            const int dec = k == 1 ? 0 : 3;
            std::string met;
            if (std::isnan(x)) met = "not given";  // a diet of the grid without this nutrient
            else if (lo > 0 && F(x, dec) == F(lo, dec)) met = "at minimum";
            else if (hi > 0 && hi > lo && F(x, dec) == F(hi, dec)) met = "at maximum";
            else if (lo > 0 && x < lo) met = "below minimum";
            else if (hi > 0 && hi > lo && x > hi) met = "above maximum";
            else if (lo > 0 || hi > lo) met = "yes";
            std::string name = U(run.NutrientNames[k - 1]);
            if (k == 1) name = WithUnit(name, f.EnergyLabel);
            h.Name(U(run.NutrientNames[k - 1]));
            h.Row({name, std::isnan(x) ? "not given" : F(x, dec), lo > 0 ? F(lo, dec) : "", hi > lo && hi > 0 ? F(hi, dec) : "", met});
        }
        h.EndTable();
    }
}

// The nutrient-response pig's mean daily deposition on each diet, and the
// days each factor held its protein deposition.
void DepositionByDiet(Html& h, const RunSnapshot& run) {
    h.Heading(3, "Protein and lipid deposition by diet");
    h.Table({12, 12, 19, 19, 38});
    h.Row({"Diet", "Days", "Protein deposition, g/d", "Lipid deposition, g/d", "Protein deposition limited by"});
    for (const RunDiet& diet : run.Diets) {
        double days = 0, protein = 0, lipid = 0;
        std::vector<std::pair<std::string, int>> factors;
        for (const ResponseDayFigures& d : run.ResponseDays) {
            if (d.Diet != diet.Number) continue;
            const double share = d.Share > 0 && d.Share <= 1 ? d.Share : 1.0;
            days += share;
            protein += share * d.ProteinDeposition;
            lipid += share * d.LipidDeposition;
            const std::string factor = LimitingFactorOf(d);
            auto it = std::find_if(factors.begin(), factors.end(), [&](const auto& e) { return e.first == factor; });
            if (it == factors.end()) factors.emplace_back(factor, 1);
            else ++it->second;
        }
        if (!(days > 0)) continue;
        std::stable_sort(factors.begin(), factors.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        std::string held;
        for (const auto& [factor, count] : factors)
            held += (held.empty() ? "" : "; ") + (factor.empty() ? std::string("none") : factor) + " " +
                    std::to_string(count) + (count == 1 ? " day" : " days");
        h.Row({"Diet " + std::to_string(diet.Number), F(days, 1), F(protein / days, 1), F(lipid / days, 1), held});
    }
    h.EndTable();
}

void GrowthSection(Html& h, const RunSnapshot& run, const RunFigures& f) {
    h.Heading(2, "Growth");
    h.Table({50, 50});
    h.Row({"Figure", "Value"});
    h.Row({"Age at final weight, days", F(f.FinalAge, 1)});
    h.Row({"Days on feed", F(f.DaysOnFeed, 1)});
    h.Row({WithUnit("Average daily gain", f.WeightLabel + " per day"), F(f.DailyGain, 3)});
    h.Row({WithUnit("Total feed", f.WeightLabel + " per pig"), F(f.TotalFeed, 1)});
    h.Row({"Feed/gain", F(f.FeedGain, 3)});
    h.Row({"Energy per gain, " + f.EnergyGainLabel, F(f.EnergyPerGain, 0)});
    h.EndTable();
    h.Heading(3, "By diet");
    h.Table({16, 21, 21, 21, 21});
    h.Row({"Diet", "Age at end, days", WithUnit("Weight at end", f.WeightLabel), "Daily gain, kg", WithUnit("Total feed", f.WeightLabel)});
    for (const DietFigures& d : f.Diets) {
        if (!d.Reached) {
            h.Row({"Diet " + std::to_string(d.Number), "not reached", "", "", ""});
            continue;
        }
        h.Row({"Diet " + std::to_string(d.Number), F(d.EndAge, 1), F(d.EndWeight, 1), F(d.DailyGainKg, 3), F(d.CumFeed, 1)});
    }
    h.EndTable();
    if (RanResponseModel(run) && !run.ResponseDays.empty()) DepositionByDiet(h, run);
}

void SexSection(Html& h, const RunSnapshot& run, const RunFigures& f) {
    h.Heading(2, "Males and females at the final weight");
    if (const std::string basis = CarcassBasisOf(run); !basis.empty()) h.Para(basis);
    h.Table({34, 22, 22, 22});
    h.Row({"Figure", "Mixed herd", "Males", "Females"});
    const auto row = [&](const std::string& label, double SexFigures::*m, int dec) {
        h.Row({label, F(f.Sexes[0].*m, dec), F(f.Sexes[1].*m, dec), F(f.Sexes[2].*m, dec)});
    };
    row(WithUnit("Live weight", f.WeightLabel), &SexFigures::LiveWeight, 1);
    row(WithUnit("Feed", f.WeightLabel + " per pig"), &SexFigures::Feed, 1);
    row("Feed cost per pig", &SexFigures::Cost, 2);
    row("Feed/gain", &SexFigures::FeedGain, 3);
    row(WithUnit("Back fat at 10th rib", f.BackFatLabel), &SexFigures::BackFat, 2);
    row(WithUnit("Longissimus area", f.AreaLabel), &SexFigures::LoinArea, 2);
    row("Carcass lean, %", &SexFigures::Lean, 2);
    row("Carcass yield (model), %", &SexFigures::Yield, 2);
    h.EndTable();
}

// The run's bottom line, first on the first page: the figures a client asks
// for before any table, as the sections below give them.
void BottomLine(Html& h, const RunFigures& f) {
    h.Heading(2, "Bottom line");
    h.Table({50, 50});
    h.Row({"Figure", "Value"});
    h.Row({WithUnit("Feed cost per pig", U(f.Currency)), F(f.CostPerPig, 2)});
    if (!f.Unpriced.empty()) h.Row({"Feed cost excludes unpriced", U(UnpricedList(f))});
    h.Row({"Feed/gain", F(f.FeedGain, 3)});
    h.Row({WithUnit("Average daily gain", f.WeightLabel + " per day"), F(f.DailyGain, 3)});
    h.Row({"Days on feed", F(f.DaysOnFeed, 1)});
    h.Row({WithUnit("Final weight", f.WeightLabel), F(f.FinalWeight, 1)});
    h.EndTable();
}

void CostSection(Html& h, const RunFigures& f) {
    h.Heading(2, "Costs");
    h.Table({50, 50});
    h.Row({"Figure", "Value"});
    h.Row({WithUnit("Feed cost per pig", U(f.Currency)), F(f.CostPerPig, 2)});
    h.Row({WithUnit("Feed cost per " + f.TonneName + " of live weight", U(f.Currency)), F(f.CostPerTonne, 2)});
    h.Row({WithUnit("Feed cost per " + f.TonneName + " of gain", U(f.Currency)), F(f.CostPerTonneGain, 2)});
    h.Row({WithUnit("Feed cost for " + std::to_string(f.Pigs) + " pigs", U(f.Currency)), F(f.CostPerPig * f.Pigs, 2)});
    if (!f.Unpriced.empty()) h.Row({"Feed cost excludes unpriced", U(UnpricedList(f))});
    h.EndTable();
}

// What the pig needed against what it was fed, and what it left.
void NutritionSection(Html& h, const RunSnapshot& run) {
    const RunNutrition& n = run.Nutrition;
    if (!n.Requirements.Computed && !n.Balance.NitrogenComputed && !n.Balance.PhosphorusComputed) return;
    h.Heading(2, "Requirements and nutrient balance");
    const auto table = [&](const FigureTable& t) {
        h.Heading(3, t.Title);
        // The names' column, then the figures' columns alike.
        const int first = t.Header.size() > 6 ? 16 : 28;
        std::vector<int> widths{first};
        for (std::size_t c = 1; c < t.Header.size(); ++c) widths.push_back((100 - first) / static_cast<int>(t.Header.size() - 1));
        h.Table(widths);
        h.Row(t.Header);
        bool shaded = false;
        for (const auto& row : t.Rows) {
            std::vector<std::string> cells, colours;
            for (const TableCell& c : row) {
                cells.push_back(c.Shown());
                colours.push_back(c.AboveRange ? kAboveRangeColour : "");
                shaded = shaded || c.AboveRange;
            }
            h.Row(cells, colours);
        }
        h.EndTable();
        if (shaded) h.Para("Shaded: above the EU BAT range.");
    };
    for (const FigureTable& t : RequirementTablesOf(run)) table(t);
    table(BalanceTableOf(run));
    for (const std::string& line : RequirementNotesOf(run)) h.Para(line);
}

const char* VerdictColour(Verdict v) {
    switch (v) {
        case Verdict::Better: return "#c8f0c8";
        case Verdict::Worse: return "#f6c8c8";
        default: return "";
    }
}

void ComparisonSection(Html& h, const std::vector<KeptRun>& kept, int base) {
    const RunComparison c = CompareRuns(kept, base);
    h.Raw("<h2 style=\"page-break-before: always;\">Kept runs compared</h2>\n");
    h.Para("Each run against run " + std::to_string(c.Base + 1) +
           " (the base): the difference and the difference in percent; green is better, red is worse.");
    for (std::size_t i = 0; i < kept.size(); ++i) {
        std::string diets;
        for (const RunDiet& d : kept[i].Run.Diets) diets += (diets.empty() ? "" : "; ") + U(d.Name);
        const std::string name = U(kept[i].Name);
        h.Name(name);
        h.Para("Run " + std::to_string(i + 1) + (static_cast<int>(i) == c.Base ? " (base)" : "") + ": " + name +
                   (kept[i].Kept.empty() ? "" : ", kept " + kept[i].Kept) + (diets.empty() ? "" : ". Diets: " + diets),
               "margin-top:2px; margin-bottom:2px;");
    }
    std::vector<std::size_t> others;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (static_cast<int>(i) != c.Base) others.push_back(i);
    if (others.empty()) others.push_back(static_cast<std::size_t>(c.Base));  // one run: its figures alone
    for (std::size_t from = 0; from < others.size(); from += kRunsPerTable) {
        const std::size_t to = std::min(others.size(), from + kRunsPerTable);
        std::vector<int> widths{30, 12};
        const auto runName = [&](std::size_t i) {
            return kept[i].Name.empty() ? "Run " + std::to_string(i + 1) : U(kept[i].Name);
        };
        std::vector<std::string> head{"Figure", runName(static_cast<std::size_t>(c.Base))};
        for (std::size_t j = from; j < to; ++j) {
            if (others[j] == static_cast<std::size_t>(c.Base)) continue;
            widths.insert(widths.end(), {12, 11, 11});
            head.insert(head.end(), {runName(others[j]), "Diff.", "Diff. %"});
        }
        h.Raw("<p></p>\n");
        h.Table(widths);
        h.Row(head);
        std::string section;
        for (const ComparedRow& row : c.Rows) {
            // Diet names are listed above the table, whole.
            if (row.Key.size() > 5 && row.Key.compare(row.Key.size() - 5, 5, ".name") == 0) continue;
            if (row.Section != section) {
                section = row.Section;
                std::vector<std::string> cells(head.size());
                cells[0] = section;
                h.Row(cells);
            }
            std::vector<std::string> cells{WithUnit(row.Label, row.Unit), U(row.Values[static_cast<std::size_t>(c.Base)].Text)};
            std::vector<std::string> colours(2);
            for (std::size_t j = from; j < to; ++j) {
                if (others[j] == static_cast<std::size_t>(c.Base)) continue;
                const ComparedValue& v = row.Values[others[j]];
                cells.insert(cells.end(), {U(v.Text), v.DifferenceText, v.PercentText});
                const std::string colour = VerdictColour(v.Outcome);
                colours.insert(colours.end(), {colour, colour, colour});
            }
            h.Row(cells, colours);
        }
        h.EndTable();
    }
}

}  // namespace

std::string HtmlEscape(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char ch : utf8) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += ch;
        }
    }
    return out;
}

ReportDocument BuildReport(const ReportRequest& request) {
    ReportDocument doc;
    doc.Title = "Feeding Programme Report";
    const std::string location = MixedTextToUtf8(request.Location);  // a file name: UTF-8, or the location's bytes
    doc.Footer = location + "  \xE2\x80\x94  " + request.Date;
    Html h(doc);
    h.Raw("<html><head><style>"
          "body { font-size: 10pt; } h1 { font-size: 17pt; } h2 { font-size: 13pt; margin-top: 14px; } "
          "h3 { font-size: 11pt; margin-top: 10px; } th { font-weight: bold; } td, th { font-size: 9pt; }"
          "</style></head><body>\n");
    h.Heading(1, doc.Title);
    h.Para("Location: " + location + "  \xE2\x80\x94  Date: " + request.Date);
    if (!request.Run || request.Run->Empty()) {
        h.Para("There is no finished run to report.");
        h.Raw("</body></html>\n");
        return doc;
    }
    const RunSnapshot& run = *request.Run;
    h.Para(run.Source == "Optimum" ? "The optimum programme of the feed-weight optimisation."
                                   : "The programme as the Growth command grew it.");
    h.Para(U(ModelLineOf(run)) + ".");
    const RunFigures f = FiguresOf(run, UnitsOf(run));
    BottomLine(h, f);
    HerdSection(h, run, f);
    DietSection(h, run, f);
    GrowthSection(h, run, f);
    SexSection(h, run, f);
    CostSection(h, f);
    if (request.Herd && request.Herd->Value.Valued()) HerdMarketingSection(h, *request.Herd);
    if (request.Precision && request.Precision->Grown()) PrecisionSection(h, *request.Precision);
    if (request.Margin && request.Margin->Done) MarginSection(h, *request.Margin);
    NutritionSection(h, run);
    if (!run.Messages.empty()) {
        h.Heading(2, "Messages of the run");
        for (const std::string& m : run.Messages) h.Para(U(m));
    }
    doc.WeightChart = GrowthChartOf(run);
    if (!doc.WeightChart.Empty) {
        h.Heading(2, "Live weight");
        h.Raw("<p><img src=\"" + doc.ChartImage + "\" width=\"" + std::to_string(doc.ChartWidth) + "\" height=\"" +
              std::to_string(doc.ChartHeight) + "\"></p>\n");
        h.Para("Live weight against age of the mixed herd, the males and the females, with each diet's phase" +
               std::string(doc.WeightChart.Measured.empty() ? "." : " and the measured herd's weights."));
    }
    if (request.Kept && !request.Kept->empty()) ComparisonSection(h, *request.Kept, request.Base);
    h.Raw("</body></html>\n");
    return doc;
}

}  // namespace tarvisol
