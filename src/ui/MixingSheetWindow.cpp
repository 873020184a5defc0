#include "ui/MixingSheetWindow.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <vector>

#include "shared/Clipboard.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "shared/FigureFormat.h"
#include "ui/GridClipboard.h"
#include "ui/ReportExport.h"

namespace tarvisol {
namespace {

void Headings(Grid& g, const std::vector<std::string>& titles, const std::vector<int>& widths) {
    g.SetRows(1);
    g.SetCols(static_cast<int>(titles.size()));
    g.Clear();
    for (std::size_t c = 0; c < titles.size(); ++c) {
        g.SetTextMatrix(0, static_cast<int>(c), titles[c]);
        g.SetColWidth(static_cast<int>(c), widths[c]);
    }
}

int AddRow(Grid& g, const std::vector<std::string>& cells) {
    const int row = g.Rows();
    g.SetRows(row + 1);
    for (std::size_t c = 0; c < cells.size(); ++c) g.SetTextMatrix(row, static_cast<int>(c), cells[c]);
    return row;
}

// Weights as kg (or lb) are read, to 0.01, or with more decimals when the
// step needs them; grams whole unless the step has a fraction.
std::string WeightText(double w, double step, int weightUnit) {
    int decimals = weightUnit == 2 ? 0 : FigureDecimals(Figure::Weight);
    int stepDecimals = 0;
    for (double st = step; stepDecimals < 6 && std::fabs(st - std::round(st)) > 1e-9; st *= 10) ++stepDecimals;
    decimals = std::max(decimals, stepDecimals);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, w);
    return buf;
}

std::string DietName(const SharedState& s, int d) {
    std::string name = s.Main && d < s.Main->Griddiets.Cols() && s.Main->Griddiets.Rows() > 1
                           ? s.Main->Griddiets.TextMatrix(1, d)
                           : std::string();
    return name.empty() ? "Diet " + std::to_string(d) : "Diet " + std::to_string(d) + ": " + name;
}

std::string Escape(const std::string& t) {
    std::string out;
    for (char c : t) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::string GridHtml(const Grid& g) {
    std::string h = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";
    for (int r = 0; r < g.Rows(); ++r) {
        h += "<tr>";
        for (int c = 0; c < g.Cols(); ++c) {
            const std::string cell = Escape(g.TextMatrix(r, c));
            h += r == 0 ? "<th>" + cell + "</th>" : (c == 0 ? "<td>" : "<td align=\"right\">") + cell + "</td>";
        }
        h += "</tr>";
    }
    return h + "</table>";
}

// Today as year-month-day, in local time.
std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

std::string LimitText(bool broken, bool tolerated, const char* brokenText) {
    return broken ? brokenText : (tolerated ? kWithinWeighingTolerance : "");
}

}  // namespace

void OpenMixingSheet(SharedState& s, MixingSheetWindow& w, int d) {
    w.ComboDiet.Clear();
    const int diets = std::clamp<int>(s.DietCount, 0, 8);
    for (int i = 1; i <= diets; ++i) w.ComboDiet.AddItem(DietName(s, i));
    w.ComboDiet.ListIndex = diets > 0 ? std::clamp(d, 1, diets) - 1 : -1;
    const MixingOptions o = DefaultMixingOptions(s.WeightUnit());
    w.TextBatch.Text = FormatExact(o.batch);
    w.TextCoarse.Text = FormatExact(o.coarseStep);
    w.TextFine.Text = FormatExact(o.fineStep);
    w.LabelUnit.Caption = WeightUnitLabel(s.WeightUnit());
    w.Visible = true;
    MakeMixingSheet(s, w);
}

void MakeMixingSheet(SharedState& s, MixingSheetWindow& w) {
    const std::string unit = WeightUnitLabel(s.WeightUnit());
    Headings(w.GridIngredients, {"Ingredient", "Formula, %", "Weight, " + unit, "Scale Step, " + unit, "Limit", "Weighed"},
             {2800, 1200, 1400, 1400, 2400, 900});
    Headings(w.GridNutrients, {"Nutrient", "Unit", "Minimum", "Maximum", "Diet", "Batch", "Limit"},
             {2200, 800, 1100, 1100, 1100, 1100, 2400});
    w.Location = LocationTitle(s);
    w.Date = Today();
    w.SheetReady = false;
    w.Sheet = {};
    const int d = w.ComboDiet.ListIndex + 1;
    if (d < 1) {
        w.LabelSummary.Caption = "No diets in the programme.";
        return;
    }
    MixingOptions o = DefaultMixingOptions(s.WeightUnit());
    struct Box {
        TextBox& box;
        double& value;
        const char* what;
    };
    for (Box b : {Box{w.TextBatch, o.batch, "Batch size"}, Box{w.TextCoarse, o.coarseStep, "Scale resolution above 2 %"},
                  Box{w.TextFine, o.fineStep, "Scale resolution at 2 % or less"}}) {
        const double v = NumVal(b.box.Text);
        if (!(std::isfinite(v) && v > 0)) {
            const std::string text = std::string(b.what) + " must be a number above 0";
            DialogsOf(s).Message(text);
            w.LabelSummary.Caption = text + ".";
            return;
        }
        b.value = v;
    }
    MixingSheet m;
    if (const std::string why = BuildMixingSheet(s, d, o, m); !why.empty()) {
        w.LabelSummary.Caption = why + ".";
        return;
    }
    double formulaTotal = 0;
    for (const MixedIngredient& i : m.ingredients) formulaTotal += i.inclusion;
    for (const MixedIngredient& i : m.ingredients)
        AddRow(w.GridIngredients, {i.name, FigureText(Figure::Inclusion, i.inclusion), WeightText(i.weight, i.step, s.WeightUnit()),
                                   WeightText(i.step, i.step, s.WeightUnit()),
                                   LimitText(i.broken, i.withinTolerance, "LIMIT BROKEN"), ""});
    const int total =
        AddRow(w.GridIngredients, {"Total", FigureText(Figure::Percent, formulaTotal),
                                   WeightText(m.total, std::min(o.coarseStep, o.fineStep), s.WeightUnit()), "", "", ""});
    for (int c = 0; c < w.GridIngredients.Cols(); ++c) w.GridIngredients.SetCellBackColor(total, c, kLightCyan);
    for (int r = 1; r < total; ++r)
        if (m.ingredients[static_cast<std::size_t>(r - 1)].broken) w.GridIngredients.SetCellBackColor(r, 4, kLightRed);
    for (const MixedNutrient& n : m.nutrients) {
        const int row = AddRow(w.GridNutrients,
                               {n.name, NutrientUnit(s, n.nutrient), n.minimum != 0 ? NutrientText(s.EnergyUnit(), n.nutrient, n.minimum) : "",
                                n.maximum > 0 ? NutrientText(s.EnergyUnit(), n.nutrient, n.maximum) : "",
                                NutrientText(s.EnergyUnit(), n.nutrient, n.diet), NutrientText(s.EnergyUnit(), n.nutrient, n.batch),
                                n.belowMinimum ? "BELOW MINIMUM"
                                               : LimitText(n.aboveMaximum, n.withinTolerance, "ABOVE MAXIMUM")});
        if (n.belowMinimum || n.aboveMaximum) w.GridNutrients.SetCellBackColor(row, 6, kLightRed);
    }
    std::string summary = w.ComboDiet.Text() + ": batch " + FormatExact(o.batch) + " " + unit + " weighed out to " +
                          WeightText(m.total, std::min(o.coarseStep, o.fineStep), s.WeightUnit()) + " " + unit + "; ";
    summary += m.broken == 0 ? "no limit broken by the rounding"
                             : std::to_string(m.broken) + (m.broken == 1 ? " limit is" : " limits are") + " broken by the rounding";
    if (m.withinTolerance > 0)
        summary += "; " + std::to_string(m.withinTolerance) + (m.withinTolerance == 1 ? " limit" : " limits") +
                   " missed within weighing tolerance (no more than one step of the scale moves)";
    summary += ".";
    w.LabelSummary.Caption = summary;
    w.Sheet = std::move(m);
    w.SheetReady = true;
}

void CopyMixingSheet(SharedState& s, MixingSheetWindow& w) {
    if (!w.SheetReady) return;
    const Grid& a = w.GridIngredients;
    const Grid& b = w.GridNutrients;
    std::string text = RangeText(a, {0, a.Rows() - 1, 0, a.Cols() - 1}) + "\n\n" + RangeText(b, {0, b.Rows() - 1, 0, b.Cols() - 1});
    ClipboardOf(s).Clear();
    ClipboardOf(s).SetText(text);
}

std::string ChooseMixingSheetPdf(SharedState& s, const MixingSheetWindow& w) {
    const std::string initial =
        LocationTitle(s) + " diet " + std::to_string(w.ComboDiet.ListIndex + 1) + " mixing sheet.pdf";
    std::string path = DialogsOf(s).SaveFile("Save Mixing Sheet", "PDF (*.pdf)", s.LocationFolder, initial);
    if (path.empty() || path == "*.pdf") return {};
    std::string ending = std::filesystem::path(path).extension().string();
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ending != ".pdf") path += ".pdf";
    return path;
}

std::string MixingSheetHtml(const MixingSheetWindow& w) {
    std::string h = "<html><body><h2>" + Escape(w.Caption) + "</h2>";
    if (w.SheetReady) {
        const std::string number = w.TextBatchNumber.Text.empty() ? "________________" : w.TextBatchNumber.Text;
        h += "<table cellspacing=\"0\" cellpadding=\"3\"><tr><td>Location: " + Escape(w.Location) + "</td><td>" +
             Escape(w.ComboDiet.Text()) + "</td></tr><tr><td>Date: " + Escape(w.Date) + "</td><td>Batch number: " +
             Escape(number) + "</td></tr></table>";
    }
    h += "<p>" + Escape(w.LabelSummary.Caption) + "</p>";
    if (w.SheetReady) {
        h += "<p>Scale steps: " + Escape(w.TextCoarse.Text) + " " + Escape(w.LabelUnit.Caption) + " above 2 % of the diet, " +
             Escape(w.TextFine.Text) + " " + Escape(w.LabelUnit.Caption) + " at 2 % or less.</p>";
        h += GridHtml(w.GridIngredients) + "<p></p>" + GridHtml(w.GridNutrients);
    }
    return h + "</body></html>";
}

}  // namespace tarvisol
