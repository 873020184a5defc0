#include "report/Workbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <cmath>
#include <filesystem>

#include "report/RequirementTables.h"
#include "report/RunComparison.h"
#include "report/RunFigures.h"
#include "shared/Numbers.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

std::string U(const std::string& bytes) { return Windows1252ToUtf8(bytes); }
std::string WithUnit(const std::string& label, const std::string& unit) {
    return unit.empty() ? label : label + ", " + unit;
}
double At(const std::vector<double>& v, std::size_t i) { return i < v.size() ? v[i] : 0.0; }

bool HasFormulas(const RunSnapshot& run) {
    return std::any_of(run.Diets.begin(), run.Diets.end(), [](const RunDiet& d) { return !d.Formula.empty(); });
}

// One sheet being written: rows from the top, a bold header row.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, lxw_format* bold, lxw_format* better, lxw_format* worse)
        : ws_(workbook_add_worksheet(book, name)), bold_(bold), better_(better), worse_(worse) {}
    explicit operator bool() const { return ws_ != nullptr; }

    void Header(const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) Text(c, cells[c], bold_);
        worksheet_freeze_panes(ws_, static_cast<lxw_row_t>(row_ + 1), 0);
        ++row_;
    }
    void Text(std::size_t col, const std::string& utf8, lxw_format* f = nullptr) {
        if (!utf8.empty()) worksheet_write_string(ws_, row_, static_cast<lxw_col_t>(col), utf8.c_str(), f);
        Widen(col, utf8.size());
    }
    void Number(std::size_t col, double v, lxw_format* f = nullptr) {
        if (std::isfinite(v)) worksheet_write_number(ws_, row_, static_cast<lxw_col_t>(col), v, f);
        Widen(col, 10);
    }
    void Verdict(std::size_t col, double v, tarvisol::Verdict verdict) {
        Number(col, v, verdict == Verdict::Better ? better_ : verdict == Verdict::Worse ? worse_ : nullptr);
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
    lxw_worksheet* ws_;
    lxw_format *bold_, *better_, *worse_;
    lxw_row_t row_ = 0;
    std::vector<std::size_t> widths_;
};

struct Formats {
    lxw_format *bold, *better, *worse;
};

void SummarySheet(lxw_workbook* book, const Formats& fm, const WorkbookRequest& rq, const RunSnapshot& run,
                  const RunFigures& f) {
    Sheet s(book, "Summary", fm.bold, fm.better, fm.worse);
    s.Header({"Figure", "Value"});
    const auto text = [&](const std::string& label, const std::string& v) {
        s.Text(0, label);
        s.Text(1, v);
        s.Next();
    };
    const auto num = [&](const std::string& label, double v) {
        s.Text(0, label);
        s.Number(1, v);
        s.Next();
    };
    text("Location", U(rq.Location));
    text("Date", rq.Date);
    text("Run", run.Source == "Optimum" ? "Optimum of the feed-weight optimisation" : "Growth");
    text("Herd sex", f.Sex);
    num("Number of pigs", f.Pigs);
    num(WithUnit("Starting weight", f.WeightLabel), f.StartWeight);
    num("Starting age, days", f.StartAge);
    num(WithUnit("Final weight", f.WeightLabel), f.FinalWeight);
    text("Feed formulation", U(f.Formulation));
    for (std::size_t k = 0; k < 5; ++k) num("Growth curve B" + std::to_string(k), f.Curve[k]);
    num("Age at final weight, days", f.FinalAge);
    num("Days on feed", f.DaysOnFeed);
    num(WithUnit("Average daily gain", f.WeightLabel + " per day"), f.DailyGain);
    num(WithUnit("Total feed", f.WeightLabel + " per pig"), f.TotalFeed);
    num("Feed/gain", f.FeedGain);
    num("Energy per gain, " + f.EnergyGainLabel, f.EnergyPerGain);
    num(WithUnit("Feed cost per pig", f.Currency), f.CostPerPig);
    num(WithUnit("Feed cost per " + f.TonneLabel + " of live weight", f.Currency), f.CostPerTonne);
    num(WithUnit("Feed cost per " + f.TonneLabel + " of gain", f.Currency), f.CostPerTonneGain);
    num(WithUnit("Loin depth", f.Units.Weight == 1 ? "inch" : "cm"), f.LoinDepth);
    s.Finish();

    Sheet x(book, "Sexes", fm.bold, fm.better, fm.worse);
    x.Header({"Figure", "Mixed herd", "Males", "Females"});
    const auto row = [&](const std::string& label, double SexFigures::*m) {
        x.Text(0, label);
        for (std::size_t k = 0; k < 3; ++k) x.Number(k + 1, f.Sexes[k].*m);
        x.Next();
    };
    row(WithUnit("Live weight", f.WeightLabel), &SexFigures::LiveWeight);
    row(WithUnit("Feed", f.WeightLabel + " per pig"), &SexFigures::Feed);
    row(WithUnit("Feed cost per pig", f.Currency), &SexFigures::Cost);
    row("Feed/gain", &SexFigures::FeedGain);
    row(WithUnit("Back fat at 10th rib", f.BackFatLabel), &SexFigures::BackFat);
    row(WithUnit("Longissimus area", f.AreaLabel), &SexFigures::LoinArea);
    row("Carcass lean, %", &SexFigures::Lean);
    row("Carcass yield, %", &SexFigures::Yield);
    x.Finish();
}

void DietSheets(lxw_workbook* book, const Formats& fm, const RunSnapshot& run, const RunFigures& f) {
    Sheet s(book, "Diets", fm.bold, fm.better, fm.worse);
    const std::string w = f.WeightLabel;
    s.Header({"Diet", "Name", WithUnit("Price", f.PriceLabel), WithUnit("Allotment", w + " per pig"),
              WithUnit("Feed eaten", w + " per pig"), WithUnit("Energy", f.EnergyLabel), "Protein, %", "Lysine, %",
              "Age at end, days", WithUnit("Weight at end", w), "Daily gain, kg per day", WithUnit("Total feed at end", w),
              "Formulated", "Infeasible"});
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
        Sheet x(book, "Formulas", fm.bold, fm.better, fm.worse);
        std::vector<std::string> head{"Ingredient"};
        for (const RunDiet& d : run.Diets) head.push_back("Diet " + std::to_string(d.Number) + " " + U(d.Name) + ", %");
        x.Header(head);
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
        x.Finish();
    }

    Sheet n(book, "Nutrients", fm.bold, fm.better, fm.worse);
    std::vector<std::string> head{"Nutrient"};
    for (const RunDiet& d : run.Diets)
        for (const char* what : {"content", "minimum", "maximum"})
            head.push_back("Diet " + std::to_string(d.Number) + " " + what);
    n.Header(head);
    const double ef = EnergyFactor(f.Units.Energy);
    for (std::size_t k = 1; k <= run.NutrientNames.size(); ++k) {
        const double scale = k == 1 ? ef : 1.0;
        n.Text(0, k == 1 ? WithUnit(U(run.NutrientNames[0]), f.EnergyLabel) : U(run.NutrientNames[k - 1]));
        for (std::size_t c = 0; c < run.Diets.size(); ++c) {
            const RunDiet& d = run.Diets[c];
            n.Number(3 * c + 1, At(d.Nutrients, k) / scale);
            const double lo = At(d.NutrientMin, k - 1), hi = At(d.NutrientMax, k - 1);
            if (lo > 0) n.Number(3 * c + 2, lo / scale);
            if (hi > 0 && hi > lo) n.Number(3 * c + 3, hi / scale);
        }
        n.Next();
    }
    n.Finish();
}

void DaySheet(lxw_workbook* book, const Formats& fm, const RunSnapshot& run, const RunFigures& f) {
    Sheet s(book, "Days", fm.bold, fm.better, fm.worse);
    const std::string w = f.WeightLabel;
    s.Header({"Age, days", WithUnit("Live weight", w), WithUnit("Daily feed", w), WithUnit("Total feed", w),
              WithUnit("Male weight", w), WithUnit("Female weight", w), WithUnit("Male daily feed", w),
              WithUnit("Female daily feed", w), WithUnit("Back fat", f.BackFatLabel), WithUnit("Longissimus area", f.AreaLabel),
              "Carcass lean, %", "Carcass yield, %"});
    const double wf = WeightFactor(run.WeightUnit);
    for (const RunDayRow& r : run.Days) {
        const double age = Val(r.Age);
        if (!(age > 0)) break;
        const int d = static_cast<int>(std::ceil(std::min(age, 200.0)));
        s.Number(0, age);
        const auto cell = [&](std::size_t col, const std::string& text) {
            if (!text.empty()) s.Number(col, Val(text));
        };
        cell(1, r.Weight);
        cell(2, r.DailyFeed);
        cell(3, r.TotalFeed);
        s.Number(4, run.DayGrowth(1, d) / wf);
        s.Number(5, run.DayGrowth(2, d) / wf);
        s.Number(6, run.DayFeed(1, d) / wf);
        s.Number(7, run.DayFeed(2, d) / wf);
        cell(8, r.BackFat);
        cell(9, r.LoinArea);
        cell(10, r.Lean);
        cell(11, r.Yield);
        s.Next();
    }
    s.Finish();
}

bool HasNutrition(const RunSnapshot& run) {
    const RunNutrition& n = run.Nutrition;
    return n.Requirements.Computed || n.Balance.NitrogenComputed || n.Balance.PhosphorusComputed;
}

// The report's requirement and balance tables, one under the other.
void RequirementSheet(lxw_workbook* book, const Formats& fm, const RunSnapshot& run) {
    Sheet s(book, "Requirements", fm.bold, fm.better, fm.worse);
    std::vector<FigureTable> tables = RequirementTablesOf(run);
    tables.push_back(BalanceTableOf(run));
    for (const FigureTable& t : tables) {
        s.Text(0, t.Title, fm.bold);
        s.Next();
        for (std::size_t c = 0; c < t.Header.size(); ++c) s.Text(c, t.Header[c], fm.bold);
        s.Next();
        for (const auto& row : t.Rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (row[c].Number) s.Number(c, *row[c].Number);
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

void ComparisonSheet(lxw_workbook* book, const Formats& fm, const std::vector<KeptRun>& kept, int base) {
    const RunComparison c = CompareRuns(kept, base);
    Sheet s(book, "Comparison", fm.bold, fm.better, fm.worse);
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
                if (v.Numeric) s.Verdict(col, v.Number, isBase ? Verdict::None : v.Outcome);
                else s.Text(col, U(v.Text));
            }
            if (!isBase) {
                if (v.HasDifference && v.Numeric) s.Verdict(col + 1, v.Difference, v.Outcome);
                else if (v.HasDifference) s.Text(col + 1, v.DifferenceText);
                if (v.HasPercent) s.Verdict(col + 2, v.Percent, v.Outcome);
                col += 3;
            } else {
                col += 1;
            }
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
    Formats fm{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(fm.bold);
    format_set_bg_color(fm.better, 0xC8F0C8);
    format_set_bg_color(fm.worse, 0xF6C8C8);
    if (rq.Run && !rq.Run->Empty()) {
        const RunFigures f = FiguresOf(*rq.Run, UnitsOf(*rq.Run));
        SummarySheet(book, fm, rq, *rq.Run, f);
        DietSheets(book, fm, *rq.Run, f);
        DaySheet(book, fm, *rq.Run, f);
        if (HasNutrition(*rq.Run)) RequirementSheet(book, fm, *rq.Run);
    }
    if (rq.Kept && !rq.Kept->empty()) ComparisonSheet(book, fm, *rq.Kept, rq.Base);
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
