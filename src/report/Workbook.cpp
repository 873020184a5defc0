#include "report/Workbook.h"

#include "market/HerdCuts.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>
#include <cmath>
#include <filesystem>

#include "growth/SexSplit.h"
#include "optimisation/MarginFigures.h"
#include "optimisation/MarginSearch.h"
#include "precision/PrecisionFigures.h"
#include "report/RequirementTables.h"
#include "report/RunComparison.h"
#include "report/RunFigures.h"
#include "report/RunModel.h"
#include "shared/FigureFormat.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

std::string U(const std::string& bytes) { return Windows1252ToUtf8(bytes); }
double At(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

bool HasFormulas(const RunSnapshot& run) {
    return std::any_of(run.Diets.begin(), run.Diets.end(), [](const RunDiet& d) { return !d.Formula.empty(); });
}

// The workbook's cell formats, made once each: a number shown with a fixed
// count of decimals (or as the spreadsheet's General), on the plain, better or
// worse background of a comparison.
class FormatBook {
public:
    explicit FormatBook(lxw_workbook* book) : book_(book), bold_(workbook_add_format(book)) { format_set_bold(bold_); }
    lxw_format* Bold() const { return bold_; }
    lxw_format* Number(int decimals, tarvisol::Verdict verdict = Verdict::None) {
        if (decimals < 0 && verdict == Verdict::None) return nullptr;
        lxw_format*& f = made_[{decimals, static_cast<int>(verdict)}];
        if (!f) {
            f = workbook_add_format(book_);
            if (decimals >= 0) format_set_num_format(f, decimals == 0 ? "0" : ("0." + std::string(decimals, '0')).c_str());
            if (verdict == Verdict::Better) format_set_bg_color(f, 0xC8F0C8);
            if (verdict == Verdict::Worse) format_set_bg_color(f, 0xF6C8C8);
        }
        return f;
    }

private:
    lxw_workbook* book_;
    lxw_format* bold_;
    std::map<std::pair<int, int>, lxw_format*> made_;
};

// Decimals shown by kind of figure, as every window shows that kind; General
// for the growth curve's coefficients.
constexpr int kGeneral = -1, kWhole = 0, kDays = 1, kCarcass = 2, kDailyGain = 3;
const int kWeight = FigureDecimals(Figure::Weight), kDailyFeed = FigureDecimals(Figure::Weight),
          kMoney = FigureDecimals(Figure::Money), kPercent = FigureDecimals(Figure::Percent),
          kFeedGain = FigureDecimals(Figure::FeedGain), kInclusion = FigureDecimals(Figure::Inclusion),
          kNutrient = FigureDecimals(Figure::Nutrient);

// One sheet being written: rows from the top, a bold header row, each column's
// numbers shown with the decimals its figure takes.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, FormatBook& formats)
        : ws_(workbook_add_worksheet(book, name)), formats_(formats) {}
    explicit operator bool() const { return ws_ != nullptr; }

    void Header(const std::vector<std::string>& cells, std::vector<int> decimals = {}) {
        for (std::size_t c = 0; c < cells.size(); ++c) Text(c, cells[c], formats_.Bold());
        worksheet_freeze_panes(ws_, static_cast<lxw_row_t>(row_ + 1), 0);
        decimals_ = std::move(decimals);
        ++row_;
    }
    void Text(std::size_t col, const std::string& utf8, lxw_format* f = nullptr) {
        if (!utf8.empty()) worksheet_write_string(ws_, row_, static_cast<lxw_col_t>(col), utf8.c_str(), f);
        Widen(col, utf8.size());
    }
    // In the column's format, or with the decimals given.
    void Number(std::size_t col, double v) { Number(col, v, ColumnDecimals(col)); }
    void Number(std::size_t col, double v, int decimals, tarvisol::Verdict verdict = Verdict::None) {
        if (std::isfinite(v))
            worksheet_write_number(ws_, row_, static_cast<lxw_col_t>(col), v, formats_.Number(decimals, verdict));
        Widen(col, 10);
    }
    void Next() { ++row_; }
    void Finish() {
        for (std::size_t c = 0; c < widths_.size(); ++c)
            worksheet_set_column(ws_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 std::clamp(static_cast<double>(widths_[c]) + 2, 8.0, 60.0), nullptr);
    }

private:
    void Widen(std::size_t col, std::size_t chars) {
        if (widths_.size() <= col) widths_.resize(col + 1, 0);
        widths_[col] = std::max(widths_[col], chars);
    }
    int ColumnDecimals(std::size_t col) const { return col < decimals_.size() ? decimals_[col] : kGeneral; }
    lxw_worksheet* ws_;
    FormatBook& formats_;
    lxw_row_t row_ = 0;
    std::vector<int> decimals_;
    std::vector<std::size_t> widths_;
};

void SummarySheet(lxw_workbook* book, FormatBook& fm, const WorkbookRequest& rq, const RunSnapshot& run,
                  const RunFigures& f) {
    Sheet s(book, "Summary", fm);
    s.Header({"Figure", "Value"});
    const auto text = [&](const std::string& label, const std::string& v) {
        s.Text(0, label);
        s.Text(1, v);
        s.Next();
    };
    const auto num = [&](const std::string& label, double v, int decimals) {
        s.Text(0, label);
        s.Number(1, v, decimals);
        s.Next();
    };
    text("Location", MixedTextToUtf8(rq.Location));
    text("Date", rq.Date);
    text("Run", run.Source == "Optimum" ? "Optimum of the feed-weight optimisation" : "Growth");
    text("Herd sex", f.Sex);
    num("Number of pigs", f.Pigs, kWhole);
    num(WithUnit("Starting weight", f.WeightLabel), f.StartWeight, kWeight);
    num("Starting age, days", f.StartAge, kDays);
    num(WithUnit("Final weight", f.WeightLabel), f.FinalWeight, kWeight);
    text("Feed formulation", U(f.Formulation));
    text("Growth model", f.Model);
    if (!f.Genotype.empty()) text("Genotype", U(f.Genotype));
    if (const std::string basis = CarcassBasisOf(run); !basis.empty()) text("Carcass", basis);
    for (std::size_t k = 0; k < 5; ++k) num("Growth curve B" + std::to_string(k), f.Curve[k], kGeneral);
    num("Age at final weight, days", f.FinalAge, kDays);
    num("Days on feed", f.DaysOnFeed, kDays);
    num(WithUnit("Average daily gain", f.WeightLabel + " per day"), f.DailyGain, kDailyGain);
    num(WithUnit("Total feed", f.WeightLabel + " per pig"), f.TotalFeed, kWeight);
    num("Feed/gain", f.FeedGain, kFeedGain);
    num("Energy per gain, " + f.EnergyGainLabel, f.EnergyPerGain, kMoney);
    num(WithUnit("Feed cost per pig", U(f.Currency)), f.CostPerPig, kMoney);
    num(WithUnit("Feed cost per " + f.TonneName + " of live weight", U(f.Currency)), f.CostPerTonne, kMoney);
    num(WithUnit("Feed cost per " + f.TonneName + " of gain", U(f.Currency)), f.CostPerTonneGain, kMoney);
    if (!f.Unpriced.empty()) text("Feed cost excludes unpriced", U(UnpricedList(f)));
    num(WithUnit("Loin depth", f.Units.Weight == 1 ? "inch" : "cm"), f.LoinDepth, kCarcass);
    s.Finish();

    Sheet x(book, "Sexes", fm);
    x.Header({"Figure", "Mixed herd", "Males", "Females"});
    const auto row = [&](const std::string& label, double SexFigures::*m, int decimals) {
        x.Text(0, label);
        for (std::size_t k = 0; k < 3; ++k) x.Number(k + 1, f.Sexes[k].*m, decimals);
        x.Next();
    };
    row(WithUnit("Live weight", f.WeightLabel), &SexFigures::LiveWeight, kWeight);
    row(WithUnit("Feed", f.WeightLabel + " per pig"), &SexFigures::Feed, kWeight);
    row(WithUnit("Feed cost per pig", U(f.Currency)), &SexFigures::Cost, kMoney);
    row("Feed/gain", &SexFigures::FeedGain, kFeedGain);
    row(WithUnit("Back fat at 10th rib", f.BackFatLabel), &SexFigures::BackFat, kCarcass);
    row(WithUnit("Longissimus area", f.AreaLabel), &SexFigures::LoinArea, kCarcass);
    row("Carcass lean, %", &SexFigures::Lean, kPercent);
    row("Carcass yield (model), %", &SexFigures::Yield, kPercent);
    x.Finish();
}

void DietSheets(lxw_workbook* book, FormatBook& fm, const RunSnapshot& run, const RunFigures& f) {
    Sheet s(book, "Diets", fm);
    const std::string w = f.WeightLabel;
    s.Header({"Diet", "Name", WithUnit("Price", U(f.PriceLabel)), WithUnit("Allotment", w + " per pig"),
              WithUnit("Feed eaten", w + " per pig"), WithUnit("Energy", f.EnergyLabel), "Protein, %", "Lysine, %",
              "Age at end, days", WithUnit("Weight at end", w), "Daily gain, kg per day", WithUnit("Total feed at end", w),
              "Formulated", "Infeasible"},
             {kWhole, kGeneral, kMoney, kWeight, kWeight, EnergyDecimals(f.Units.Energy), kPercent, kNutrient, kDays, kWeight,
              kDailyGain, kWeight});
    for (const DietFigures& d : f.Diets) {
        s.Number(0, d.Number);
        s.Text(1, U(d.Name));
        s.Number(2, d.Price);
        s.Number(3, d.Allotment);
        if (d.Reached) s.Number(4, d.FeedEaten);
        s.Number(5, d.Energy);
        s.Number(6, d.Protein);
        s.Number(7, d.Lysine);
        if (d.Reached) {
            s.Number(8, d.EndAge);
            s.Number(9, d.EndWeight);
            s.Number(10, d.DailyGainKg);
            s.Number(11, d.CumFeed);
        }
        const RunDiet& r = run.Diets[static_cast<std::size_t>(&d - f.Diets.data())];
        s.Text(12, r.Formulated ? "yes" : "no");
        s.Text(13, d.Infeasible ? "yes" : "no");
        s.Next();
    }
    s.Finish();

    if (HasFormulas(run)) {
        Sheet x(book, "Formulas", fm);
        std::vector<std::string> head{"Ingredient"};
        for (const RunDiet& d : run.Diets) head.push_back("Diet " + std::to_string(d.Number) + " " + U(d.Name) + ", %");
        x.Header(head, std::vector<int>(head.size(), kInclusion));
        for (std::size_t i = 0; i < run.IngredientNames.size(); ++i) {
            bool any = false;
            for (const RunDiet& d : run.Diets) any = any || At(d.Formula, i) > 0;
            if (!any) continue;
            x.Text(0, U(run.IngredientNames[i]));
            for (std::size_t c = 0; c < run.Diets.size(); ++c) {
                const double v = At(run.Diets[c].Formula, i);
                if (v > 0) x.Number(c + 1, v);
            }
            x.Next();
        }
        // Each formula closed by its total.
        x.Text(0, "Total, %", fm.Bold());
        for (std::size_t c = 0; c < run.Diets.size(); ++c) {
            double sum = 0;
            for (std::size_t i = 0; i < run.IngredientNames.size(); ++i) sum += std::max(0.0, At(run.Diets[c].Formula, i));
            if (sum > 0) x.Number(c + 1, sum, kPercent);
        }
        x.Next();
        x.Finish();
    }

    Sheet n(book, "Nutrients", fm);
    std::vector<std::string> head{"Nutrient"};
    for (const RunDiet& d : run.Diets)
        for (const char* what : {"content", "minimum", "maximum"})
            head.push_back("Diet " + std::to_string(d.Number) + " " + what);
    n.Header(head, std::vector<int>(head.size(), kNutrient));
    const double ef = EnergyFactor(f.Units.Energy);
    for (std::size_t k = 1; k <= run.NutrientNames.size(); ++k) {
        const double scale = k == 1 ? ef : 1.0;
        n.Text(0, k == 1 ? WithUnit(U(run.NutrientNames[0]), f.EnergyLabel) : U(run.NutrientNames[k - 1]));
        for (std::size_t c = 0; c < run.Diets.size(); ++c) {
            const RunDiet& d = run.Diets[c];
            const int decimals = NutrientDecimals(f.Units.Energy, static_cast<int>(k));
            n.Number(3 * c + 1, At(d.Nutrients, k) / scale, decimals);
            const double lo = At(d.NutrientMin, k - 1), hi = At(d.NutrientMax, k - 1);
            if (lo > 0) n.Number(3 * c + 2, lo / scale, decimals);
            if (hi > 0 && hi > lo) n.Number(3 * c + 3, hi / scale, decimals);
        }
        n.Next();
    }
    n.Finish();
}

void DaySheet(lxw_workbook* book, FormatBook& fm, const RunSnapshot& run, const RunFigures& f) {
    Sheet s(book, "Days", fm);
    const std::string w = f.WeightLabel;
    std::vector<std::string> head{"Age, days", WithUnit("Live weight", w), WithUnit("Daily feed", w),
                                  WithUnit("Total feed", w), WithUnit("Male weight", w), WithUnit("Female weight", w),
                                  WithUnit("Male daily feed", w), WithUnit("Female daily feed", w),
                                  WithUnit("Back fat", f.BackFatLabel), WithUnit("Longissimus area", f.AreaLabel),
                                  "Carcass lean, %", "Carcass yield (model), %"};
    std::vector<int> decimals{kDays,      kWeight,  kDailyFeed, kWeight,  kWeight,  kWeight,
                              kDailyFeed, kDailyFeed, kCarcass, kCarcass, kPercent, kPercent};
    // The nutrient-response pig's day: what it deposited and what held its protein deposition.
    const bool response = RanResponseModel(run) && !run.ResponseDays.empty();
    if (response) {
        head.insert(head.end(), {"Protein deposition, g/d", "Lipid deposition, g/d", "Limiting"});
        decimals.insert(decimals.end(), {1, 1, kGeneral});
    }
    s.Header(head, decimals);
    const double wf = WeightFactor(run.WeightUnit);
    for (std::size_t i = 0; i < run.Days.size(); ++i) {
        const RunDayRow& r = run.Days[i];
        const double age = Val(r.Age);
        if (!(age > 0)) break;
        // The day whose male and female figures the split wrote for this row.
        const bool lastRow = i + 1 == run.Days.size() || !(Val(run.Days[i + 1].Age) > 0);
        const int d = SplitDay(age, lastRow, run.ReachedFinalWeight, run.FinalAge);
        s.Number(0, age);
        const auto cell = [&](std::size_t col, const std::string& text) {
            if (!text.empty()) s.Number(col, Val(text));
        };
        // The carcass is estimated from its first carcass day on; a 0 before
        // it is a figure that does not exist yet, left blank.
        const auto carcass = [&](std::size_t col, const std::string& text) {
            if (!text.empty() && Val(text) != 0) s.Number(col, Val(text));
        };
        cell(1, r.Weight);
        // The day's feed as the run holds it, the figure the males' and
        // females' feeds are split from (the day table's text is rounded).
        if (!r.DailyFeed.empty()) s.Number(2, run.DayFeed(0, d) / wf);
        cell(3, r.TotalFeed);
        s.Number(4, run.DayGrowth(1, d) / wf);
        s.Number(5, run.DayGrowth(2, d) / wf);
        if (!r.DailyFeed.empty()) {  // no feed eaten yet on the first day
            s.Number(6, run.DayFeed(1, d) / wf);
            s.Number(7, run.DayFeed(2, d) / wf);
        }
        carcass(8, r.BackFat);
        carcass(9, r.LoinArea);
        carcass(10, r.Lean);
        carcass(11, r.Yield);
        if (response)
            for (const ResponseDayFigures& day : run.ResponseDays)
                if (day.Age == static_cast<int>(age)) {
                    s.Number(12, day.ProteinDeposition);
                    s.Number(13, day.LipidDeposition);
                    s.Text(14, LimitingFactorOf(day));
                    break;
                }
        s.Next();
    }
    s.Finish();
}

bool HasNutrition(const RunSnapshot& run) {
    const RunNutrition& n = run.Nutrition;
    return n.Requirements.Computed || n.Balance.NitrogenComputed || n.Balance.PhosphorusComputed;
}

// The report's requirement and balance tables, one under the other.
void RequirementSheet(lxw_workbook* book, FormatBook& fm, const RunSnapshot& run) {
    Sheet s(book, "Requirements", fm);
    std::vector<FigureTable> tables = RequirementTablesOf(run);
    tables.push_back(BalanceTableOf(run));
    for (const FigureTable& t : tables) {
        s.Text(0, t.Title, fm.Bold());
        s.Next();
        for (std::size_t c = 0; c < t.Header.size(); ++c) s.Text(c, t.Header[c], fm.Bold());
        s.Next();
        for (const auto& row : t.Rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (row[c].Number)
                    s.Number(c, *row[c].Number, row[c].Decimals, row[c].AboveRange ? Verdict::Worse : Verdict::None);
                else s.Text(c, row[c].Text);
            }
            s.Next();
        }
        s.Next();
    }
    for (const std::string& line : RequirementNotesOf(run)) {
        s.Text(0, line);
        s.Next();
    }
    s.Finish();
}

void ComparisonSheet(lxw_workbook* book, FormatBook& fm, const std::vector<KeptRun>& kept, int base) {
    const RunComparison c = CompareRuns(kept, base);
    Sheet s(book, "Comparison", fm);
    std::vector<std::string> head{"Section", "Figure", "Unit"};
    for (std::size_t i = 0; i < c.Names.size(); ++i) {
        const std::string name = U(c.Names[i]);
        if (static_cast<int>(i) == c.Base) {
            head.push_back(name + " (base)");
        } else {
            head.insert(head.end(), {name, name + " difference", name + " difference, %"});
        }
    }
    s.Header(head);
    for (const ComparedRow& row : c.Rows) {
        s.Text(0, row.Section);
        s.Text(1, row.Label);
        s.Text(2, row.Unit);
        std::size_t col = 3;
        for (std::size_t i = 0; i < row.Values.size(); ++i) {
            const ComparedValue& v = row.Values[i];
            const bool isBase = static_cast<int>(i) == c.Base;
            if (v.Present) {
                if (v.Numeric) s.Number(col, v.Number, row.Decimals, isBase ? Verdict::None : v.Outcome);
                else s.Text(col, U(v.Text));
            }
            if (!isBase) {
                if (v.HasDifference && v.Numeric) s.Number(col + 1, v.Difference, row.Decimals, v.Outcome);
                else if (v.HasDifference) s.Text(col + 1, v.DifferenceText);
                if (v.HasPercent) s.Number(col + 2, v.Percent, 1, v.Outcome);
                col += 3;
            } else {
                col += 1;
            }
        }
        s.Next();
    }
    s.Finish();
}

// The herd's sheet, named as an earlier run's when it is one.
std::string HerdSheetName(const HerdReport& r) { return r.OlderRun.empty() ? "Herd" : "Herd, earlier run"; }

// A barn of pigs that differ, sold in cuts: one row per cut, then the totals per pig.
void HerdSheet(lxw_workbook* book, FormatBook& fm, const HerdReport& r) {
    const std::string name = HerdSheetName(r);
    Sheet s(book, name.c_str(), fm);
    const std::string u = r.CarcassUnit;
    s.Header({"Cut", "Day of age", "Sold", "Live, " + u, "Live SD, " + u, "Carcass, " + u, "Carcass SD, " + u,
              "Outside band, share", WithUnit("Revenue", U(r.Currency)), WithUnit("Sort loss per pig", U(r.Currency))},
             {kWhole, kWhole, kWhole, kWeight, kWeight, kWeight, kWeight, kNutrient, kMoney, kMoney});
    const HerdValue& v = r.Value;
    for (std::size_t c = 0; c < v.Cuts.size(); ++c) {
        const HerdCutResult& k = v.Cuts[c];
        const double cells[] = {static_cast<double>(c + 1), static_cast<double>(k.Age), static_cast<double>(k.Sold),
                                k.LiveMean, k.LiveSd, k.CarcassMean, k.CarcassSd, k.OutsideBand, k.Revenue,
                                k.SortLossPerPig};
        for (std::size_t i = 0; i < std::size(cells); ++i) s.Number(i, cells[i]);
        s.Next();
    }
    s.Next();
    struct Total {
        std::string name;
        double value;
        int format;
    };
    const std::string money = U(r.Currency);
    const Total totals[] = {{"Pigs", static_cast<double>(v.Pigs), kWhole},
                            {WithUnit("Revenue per pig", money), v.RevenuePerPig, kMoney},
                            {WithUnit("Feed cost per pig", money), v.FeedCostPerPig, kMoney},
                            {WithUnit("Sort loss per pig", money), v.SortLossPerPig, kMoney},
                            {WithUnit("Margin per pig", money), v.MarginPerPig, kMoney},
                            {"Barn days", v.BarnDays, kWhole},
                            {WithUnit("Margin per pig place and year", money), v.MarginPerPlaceYear, kMoney},
                            {r.YieldFromMarket ? "Packer's dressing, %" : "Carcass yield (model), %", r.Yield, kPercent}};
    for (const Total& t : totals) {
        s.Text(0, t.name, fm.Bold());
        s.Number(1, t.value, t.format);
        s.Next();
    }
    if (!r.OlderRun.empty()) {
        s.Next();
        s.Text(0, "These herd figures are of a herd " + r.OlderRun + ".", fm.Bold());
        s.Next();
    }
    s.Finish();
}

inline constexpr const char* kPrecisionSheet = "Precision feeding";

// The three ways of feeding the herd: one row per figure, each way and each
// blend's difference from the phase programme.
void PrecisionSheet(lxw_workbook* book, FormatBook& fm, const precision::PrecisionResult& r) {
    Sheet s(book, kPrecisionSheet, fm);
    s.Header({"Per pig", "Phase programme", "Group blend", "Precision feeding", "Group blend - phase",
              "Precision - phase"});
    for (const precision::PrecisionFigure& f : precision::kPrecisionFigures) {
        if (!precision::FigureShown(f, r)) continue;
        s.Text(0, f.Label);
        const double phase = r.Strategies[precision::kPhase].*f.Value;
        for (int k = 0; k < precision::kStrategies; ++k)
            s.Number(static_cast<std::size_t>(1 + k), r.Strategies[static_cast<std::size_t>(k)].*f.Value, f.Decimals);
        for (int k = precision::kGroupBlend; k < precision::kStrategies; ++k)
            s.Number(static_cast<std::size_t>(3 + k), r.Strategies[static_cast<std::size_t>(k)].*f.Value - phase, f.Decimals);
        s.Next();
    }
    s.Finish();
}

inline constexpr const char* kMarginSheet = "Margin optimisation";

// The margin search: a row per figure of the best programme, the cost minimum
// and the current one; a row per diet of the best; a row per price change.
void MarginSheet(lxw_workbook* book, FormatBook& fm, const MarginSearchResult& r) {
    Sheet s(book, kMarginSheet, fm);
    s.Header({"Programme", "Best", "Cost minimum", "Current"});
    const bool herd = r.HerdPigs > 0;
    const auto label = [&](const std::string& name, const std::string& value) {
        s.Text(0, name, fm.Bold());
        s.Text(1, value);
        s.Next();
    };
    for (const MarginFigure& f : kMarginFigures) {
        if (f.HerdOnly && !herd) continue;
        s.Text(0, MarginFigureLabel(f, r.CarcassUnit));
        std::size_t col = 1;
        for (const MarginOutcome* o : {&r.Best, &r.CostMinimum, &r.Current}) {
            if (o->Sold) s.Number(col, o->*f.Value, f.Decimals);
            else s.Text(col, "not sold");
            ++col;
        }
        s.Next();
    }
    s.Next();
    label("Objective", ObjectiveCaption(r.Objective));
    label("Best found from the", r.BestFrom);
    s.Text(0, "Programmes formulated and grown", fm.Bold());
    s.Number(1, r.Evaluations, kWhole);
    s.Next();
    if (herd) {
        s.Text(0, "Herd pigs (every figure shown)", fm.Bold());
        s.Number(1, r.HerdPigs, kWhole);
        s.Next();
        s.Text(0, "Herd pigs the search weighed programmes on", fm.Bold());
        s.Number(1, r.HerdSearchPigs, kWhole);
        s.Next();
        s.Text(0, "Herd seed", fm.Bold());
        s.Number(1, static_cast<double>(r.HerdSeed), kWhole);
        s.Next();
    }
    s.Next();

    // The best programme's diets.
    s.Text(0, "Diet of the best", fm.Bold());
    std::size_t col = 1;
    for (const MarginDietFigure& f : kMarginDietFigures) s.Text(col++, f.Label, fm.Bold());
    s.Next();
    for (int d = 1; d <= r.Best.Count; ++d) {
        const MarginDiet& m = r.Best.Diets[static_cast<std::size_t>(d - 1)];
        s.Number(0, d, kWhole);
        col = 1;
        for (const MarginDietFigure& f : kMarginDietFigures) {
            if (!(f.Value == &MarginDiet::LysineOfRequirement && m.*f.Value <= 0)) s.Number(col, m.*f.Value, f.Decimals);
            ++col;
        }
        s.Next();
    }
    if (r.Sensitivity.empty()) return s.Finish();
    s.Next();

    // How the optimum moves: per change the sale weight, the margins, and
    // each diet's SID lysine and NE.
    s.Text(0, "Price change", fm.Bold());
    s.Text(1, "Sale weight, kg", fm.Bold());
    s.Text(2, "Margin per pig", fm.Bold());
    s.Text(3, "Margin per pig place and year", fm.Bold());
    const int diets = r.Best.Count;
    for (int d = 1; d <= diets; ++d) {
        s.Text(static_cast<std::size_t>(2 + 2 * d), "Diet " + std::to_string(d) + " SID lysine, %", fm.Bold());
        s.Text(static_cast<std::size_t>(3 + 2 * d), "Diet " + std::to_string(d) + " NE, kcal/kg", fm.Bold());
    }
    s.Next();
    for (const MarginSensitivity& k : r.Sensitivity) {
        s.Text(0, k.Name + (k.Factor < 1 ? " -10 %" : " +10 %"));
        if (!k.Optimum.Sold) {
            s.Text(1, "not sold");
            s.Next();
            continue;
        }
        s.Number(1, k.Optimum.SaleWeight, 1);
        s.Number(2, k.Optimum.MarginPerPig, 2);
        s.Number(3, k.Optimum.MarginPerPlaceYear, 2);
        for (int d = 1; d <= k.Optimum.Count && d <= diets; ++d) {
            s.Number(static_cast<std::size_t>(2 + 2 * d), k.Optimum.Diets[static_cast<std::size_t>(d - 1)].SidLysine, 3);
            s.Number(static_cast<std::size_t>(3 + 2 * d), k.Optimum.Diets[static_cast<std::size_t>(d - 1)].Ne, 0);
        }
        s.Next();
    }
    s.Finish();
}

}  // namespace

std::vector<std::string> WorkbookSheets(const WorkbookRequest& rq) {
    std::vector<std::string> sheets;
    if (rq.Run && !rq.Run->Empty()) {
        sheets = {"Summary", "Sexes", "Diets"};
        if (HasFormulas(*rq.Run)) sheets.push_back("Formulas");
        sheets.insert(sheets.end(), {"Nutrients", "Days"});
        if (HasNutrition(*rq.Run)) sheets.push_back("Requirements");
    }
    if (rq.Kept && !rq.Kept->empty()) sheets.push_back("Comparison");
    if (rq.Herd && rq.Herd->Value.Valued()) sheets.push_back(HerdSheetName(*rq.Herd));
    if (rq.Precision && rq.Precision->Grown()) sheets.push_back(kPrecisionSheet);
    if (rq.Margin && rq.Margin->Done) sheets.push_back(kMarginSheet);
    return sheets;
}

bool WriteWorkbook(const std::string& path, const WorkbookRequest& rq, std::string& error) {
    namespace fs = std::filesystem;
    if (WorkbookSheets(rq).empty()) {
        error = "There is nothing to export: no finished run and no kept runs";
        return false;
    }
    static std::atomic<int> counter{0};
    std::error_code ec;
    const fs::path scratch = fs::temp_directory_path(ec) / ("tarvisol-workbook-" + std::to_string(::getpid()) + "-" +
                                                            std::to_string(counter++) + ".xlsx");
    lxw_workbook* book = workbook_new(scratch.string().c_str());
    if (!book) {
        error = "Cannot write " + path + ": the workbook could not be started";
        return false;
    }
    FormatBook fm(book);
    if (rq.Run && !rq.Run->Empty()) {
        const RunFigures f = FiguresOf(*rq.Run, UnitsOf(*rq.Run));
        SummarySheet(book, fm, rq, *rq.Run, f);
        DietSheets(book, fm, *rq.Run, f);
        DaySheet(book, fm, *rq.Run, f);
        if (HasNutrition(*rq.Run)) RequirementSheet(book, fm, *rq.Run);
    }
    if (rq.Kept && !rq.Kept->empty()) ComparisonSheet(book, fm, *rq.Kept, rq.Base);
    if (rq.Herd && rq.Herd->Value.Valued()) HerdSheet(book, fm, *rq.Herd);
    if (rq.Precision && rq.Precision->Grown()) PrecisionSheet(book, fm, *rq.Precision);
    if (rq.Margin && rq.Margin->Done) MarginSheet(book, fm, *rq.Margin);
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        fs::remove(scratch, ec);
        error = "Cannot write " + path + ": " + lxw_strerror(closed);
        return false;
    }
    std::ifstream in(scratch, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const bool read = in.good() || in.eof();
    in.close();
    fs::remove(scratch, ec);
    if (!read || bytes.empty()) {
        error = "Cannot write " + path + ": the workbook could not be read back from " + scratch.string();
        return false;
    }
    return SaveAtomic(path, bytes, error);
}

}  // namespace tarvisol
