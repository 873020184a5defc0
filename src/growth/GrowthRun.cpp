#include "growth/GrowthRun.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "formulation/DietPriceCell.h"
#include "formulation/Formulate.h"
#include "growth/Carcass.h"
#include "growth/DietValues.h"
#include "growth/MeasuredHerd.h"
#include "growth/OutdatedResults.h"
#include "growth/PigGrowth.h"
#include "growth/ResponseRun.h"
#include "growth/RunSnapshotOf.h"
#include "growth/SexSplit.h"
#include "shared/Dialogs.h"
#include "shared/FigureFormat.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ShownFigures.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kMaxGridDiets = 6;
constexpr int kRowName = 1, kRowFeed = 3, kRowEnergy = 4;

double CellNumber(Grid& g, int row, int col) {
    if (row >= g.Rows() || col >= g.Cols()) return 0.0;
    // A figure the program showed rounded is read as the figure.
    if (double figure = 0; g.Figure(row, col, figure)) return figure;
    std::string t = g.TextMatrix(row, col);
    const double v = NumVal(t);
    if (t != g.TextMatrix(row, col)) g.SetTextMatrix(row, col, t);
    return v;
}

double BoxNumber(TextBox& box) {
    if (double figure = 0; BoxFigure(box, figure)) return figure;
    return NumVal(box.Text);
}

void Put(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

// A diet the pig ate: one it finished, or the one in force at the final weight.
bool DietReached(const SharedState& s, int i) {
    if (i > s.CurrentDietIndex) return false;
    return i == s.CurrentDietIndex || s.DietResults(i, 1) > 0;
}

// The last diet before i that the pig finished (0, the start, when none).
int PreviousReached(const SharedState& s, int i) {
    int j = i - 1;
    while (j > 0 && !DietReached(s, j)) --j;
    return j;
}

void WriteHeaders(SharedState& s, Grid& g) {
    static const char* heads[] = {"Diet Name", "Live Wt.", "Age", "Daily Wt. Gain, kg", "", "Age", "Weight",
                                  "Daily Feed", "Tot FEED"};
    for (int c = 0; c <= 8; ++c) Put(g, 0, c, heads[c]);
    (void)s;
}

void WriteResultLabels(SharedState& s, Grid& g) {
    const bool pounds = s.WeightUnit() == 1;
    Put(g, 0, 9, "   No. of Pigs");
    Put(g, 1, 9, "   At Final Wt");
    Put(g, 2, 9, "   of " + std::to_string(s.PigCount) + " Pigs");
    Put(g, 0, 10, pounds ? "BackFat inch" : "BackFat mm");
    Put(g, 1, 10, "Depth 10th rib");
    Put(g, 0, 11, "Longissimus");
    Put(g, 1, 11, pounds ? "Area sq in" : "Area cm sq");
    Put(g, 0, 12, "Carcass");
    Put(g, 1, 12, "Lean %");
    Put(g, 0, 13, "Carcass");
    Put(g, 1, 13, "Yield %");
    Put(g, 18, 0, "At Finishing Wt");
    Put(g, 19, 1, "Males");
    Put(g, 19, 2, "Females");
    static const char* labels[] = {"Live Wt", "Feed In.", "Cost", "Feed/gain", "Back Fat at 10th Rib"};
    for (int r = 0; r < 5; ++r) Put(g, 20 + r, 0, labels[r]);
    Put(g, 25, 0, LoinAreaCaption(s.WeightUnit()));
    Put(g, 26, 0, "Carc. Lean %");
    Put(g, 27, 0, "Carc. Yield %");
}

// "Diet 2", "Diets 2 and 3", "Diets 1, 2 and 3".
std::string DietList(const std::vector<int>& diets) {
    std::string out = diets.size() == 1 ? "Diet " : "Diets ";
    for (std::size_t i = 0; i < diets.size(); ++i) {
        if (i > 0) out += i + 1 == diets.size() ? " and " : ", ";
        out += std::to_string(diets[i]);
    }
    return out;
}

std::string ShortWeightUnit(const SharedState& s) {
    switch (s.WeightUnit()) {
        case 1: return "lb";
        case 2: return "g";
        default: return "kg";
    }
}

// "Diet 2 has no price: ..." for the diets the pig ate that have no price
// above 0 (or a word that their prices cost nothing per pig); empty when the
// programme's feed has a cost.
std::string UnpricedDiets(const SharedState& s) {
    std::vector<int> unpriced;
    for (int i = 1; i <= s.DietCount; ++i)
        if (FeedEatenOfDiet(s, i) > 0 && !(s.DietNutrients(i, 0) > 0)) unpriced.push_back(i);
    if (unpriced.empty()) {
        // Prices so small that the feed of a pig costs nothing as shown.
        if (CostPerPig(s) < 0.005) return "The feed cost per pig rounds to 0.00: look at the prices of the diets";
        return {};
    }
    return DietList(unpriced) + (unpriced.size() == 1 ? " has" : " have") + " no price: the feed cost is not shown";
}

// The day table ends once: at the final age, with the run's total feed.
// A final age within the shown tenth of the whole day before it would
// repeat that day, so that day's row becomes the last one; the cumulative
// feed column is counted from the day tables, so that it climbs to the
// total the summary gives rather than to a sum of rounded days.
void EndDayTable(SharedState& s, Grid& g, double totalKg) {
    const auto age = [&](int r) { return r < g.Rows() ? NumVal(std::string_view(g.TextMatrix(r, 5))) : 0.0; };
    int last = 0;
    while (age(last + 1) > 0) ++last;
    if (last == 0) return;
    if (s.ReachedFinalWeight && last >= 2 && age(last) == age(last - 1)) {
        for (int c : {5, 6, 8}) Put(g, last - 1, c, g.TextMatrix(last, c));
        for (int c = 5; c <= 8; ++c) Put(g, last, c, "");
        --last;
    }
    double cum = 0;
    for (int r = 2; r < last; ++r) {
        const int d = std::clamp(static_cast<int>(std::lround(age(r))), 0, 200);
        cum += s.DayFeed(0, d);
        Put(g, r, 8, FormatPattern(ConvertWeight(s, 2, cum), "###.0"));
    }
    if (last >= 2) Put(g, last, 8, FormatPattern(ConvertWeight(s, 2, totalKg), "###.0"));
}

// Back fat is computed in millimetres; the pound system shows inches.
double BackFatShown(const SharedState& s, double mm) { return s.WeightUnit() == 1 ? mm / 25.4 : mm; }

}  // namespace

int16_t FindDietCount(const MainWindow& w) {
    int16_t n = 0;
    const Grid& g = w.Griddiets;
    for (int d = 1; d <= kMaxGridDiets && d < g.Cols(); ++d)
        if (kRowEnergy < g.Rows() && NumVal(std::string_view(g.TextMatrix(kRowEnergy, d))) > 0) n = static_cast<int16_t>(d);
    return n;
}

int FinishingDay(const SharedState& s) {
    return s.ReachedFinalWeight ? std::min(200, static_cast<int>(s.FinalAge) + 1) : std::clamp<int>(s.RunLastDay, 0, 200);
}

double FeedEatenOfDiet(const SharedState& s, int i) {
    if (!DietReached(s, i)) return 0.0;
    return std::max(0.0, s.DietResults(i, 3) - s.DietResults(PreviousReached(s, i), 3));
}

void ReadDietColumn(SharedState& s, MainWindow& w, int d, std::vector<std::string>* priceNotes) {
    Grid& g = w.Griddiets;
    std::vector<std::string> notes;
    s.DietNutrients(d, 0) = ReadDietPriceCell(g, d, notes);
    if (priceNotes) priceNotes->insert(priceNotes->end(), notes.begin(), notes.end());
    s.DietFeedAmount(d) = ConvertWeight(s, 1, CellNumber(g, kRowFeed, d));
    s.DietNutrients(d, 1) = ConvertEnergy(s, 1, CellNumber(g, kRowEnergy, d));
    for (int k = 2; k <= 14; ++k) s.DietNutrients(d, k) = CellNumber(g, k + 3, d);
}

double CostPerPig(const SharedState& s) {
    double cost = 0;
    for (int i = 1; i <= s.DietCount; ++i) cost += ConvertPrice(s, 1, s.DietNutrients(i, 0)) * FeedEatenOfDiet(s, i);
    return cost;
}

void FeedTonnage(SharedState& s) {
    MainWindow& w = *s.Main;
    Grid& f = w.GridFormula;
    const bool pounds = s.WeightUnit() == 1;
    // kg of feed per pig -> tonnes (or short tons) for the whole group.
    const double perTonne = pounds ? 2.205 / 2000.0 : 1.0 / 1000.0;
    const int n = s.DietCount;
    const int totalCol = n + 1;
    const bool formulas = w.Combo1.ListIndex == kFormulationLeastCost && s.IngredientCount > 0;
    const int ingredients = formulas ? s.IngredientCount : 0;
    f.Clear();
    f.SetCols(std::max(f.Cols(), totalCol + 1));
    f.SetRows(std::max(f.Rows(), ingredients + 5));
    Put(f, 0, 0, "Ingredient");
    for (int d = 1; d <= n; ++d) Put(f, 0, d, w.Griddiets.TextMatrix(kRowName, d));
    Put(f, 0, totalCol, std::string(pounds ? "Tons" : "Tonnes") + " for " + std::to_string(s.PigCount) + " Pigs");

    // Inclusions to 0.001 %, each diet's formula closed by its total.
    for (int i = 1; i <= ingredients; ++i) {
        Put(f, i, 0, s.IngredientNames(i));
        double tonnes = 0;
        for (int d = 1; d <= n; ++d) {
            Put(f, i, d, FigureText(Figure::Inclusion, s.DietFormula(d, i)));
            tonnes += s.DietFormula(d, i) / 100.0 * FeedEatenOfDiet(s, d) * s.PigCount * perTonne;
        }
        Put(f, i, totalCol, FormatAuto(tonnes));
    }
    const int totalRows = ingredients > 0 ? 1 : 0;
    if (totalRows) {
        f.SetRows(std::max(f.Rows(), ingredients + 6));
        Put(f, ingredients + 1, 0, "Total, %");
        for (int d = 1; d <= n; ++d) {
            double sum = 0;
            for (int i = 1; i <= ingredients; ++i) sum += s.DietFormula(d, i);
            Put(f, ingredients + 1, d, sum > 0 ? FigureText(Figure::Percent, sum) : "");
        }
    }
    const int rowFeed = ingredients + totalRows + 1, rowPrice = rowFeed + 1, rowCost = rowFeed + 2;
    Put(f, rowFeed, 0, pounds ? "Feed, tons" : "Feed, tonnes");
    Put(f, rowPrice, 0, "Price");
    Put(f, rowCost, 0, "Total Cost");
    // No cost line for a programme with a diet eaten but not priced.
    const bool priced = UnpricedDiets(s).empty();
    double feedAll = 0, costAll = 0;
    for (int d = 1; d <= n; ++d) {
        const double feedKg = FeedEatenOfDiet(s, d) * s.PigCount;
        const double cost = ConvertPrice(s, 1, s.DietNutrients(d, 0)) * feedKg;
        feedAll += feedKg * perTonne;
        costAll += cost;
        Put(f, rowFeed, d, FormatAuto(feedKg * perTonne));
        Put(f, rowPrice, d, FormatAuto(s.DietNutrients(d, 0)));
        Put(f, rowCost, d, priced ? FormatPattern(cost, "0.00") : "");
    }
    Put(f, rowFeed, totalCol, FormatAuto(feedAll));
    Put(f, rowCost, totalCol, priced ? FormatPattern(costAll, "0.00") : "");
}

void HerdDistribution(SharedState& s) {
    // Each day's weights are taken as normally spread around the simulated
    // weight W with a coefficient of variation of 0.14006 W + 1.8405 percent.
    // For the days with z = (W - final) / sd within +-1.5 the column shows
    // round(PigCount x Phi(z)) pigs at or above the final weight, Phi read from
    // the normal table at the nearest 0.05 step. The row above the first such
    // day carries "Starts at <age> Days". Every day of the run counts; when the
    // herd starts reaching the weight within the first rows, the column's
    // three header lines move into row 0 so that no count or note covers them.
    Grid& g = s.Main->Grid1;
    s.HerdStartRow = 0;
    constexpr int kHeaderRows = 3;
    for (int row = 1; row < g.Rows(); ++row) {
        const double age = NumVal(std::string_view(g.TextMatrix(row, 5)));
        if (!(age > 0)) break;
        const int d = SplitDayOfRow(s, g, row);
        const double w = s.DayGrowth(0, d);
        const double cv = 0.14006 * w + 1.8405;
        const double sd = w * cv / 100.0;
        if (!(sd > 0)) continue;
        const double z = (w - s.FinalWeight) / sd;
        if (z < -1.5 || z > 1.5) continue;
        const int step = static_cast<int>(RoundHalfEven(std::fabs(z) / 0.05));
        const double phi = s.NormalTable(std::min(step, 30));
        const double share = z >= 0 ? phi : 1.0 - phi;
        const double pigs = RoundHalfEven(s.PigCount * share);
        if (s.HerdStartRow == 0) {
            s.HerdStartRow = static_cast<int16_t>(row);
            if (row <= kHeaderRows) {
                std::string header;
                for (int r = 0; r < kHeaderRows; ++r) {
                    const std::string line = g.TextMatrix(r, 9);
                    header += r == 0 ? line : " " + line.substr(std::min(line.find_first_not_of(' '), line.size()));
                    g.SetTextMatrix(r, 9, "");
                }
                Put(g, 0, 9, header);
            }
            if (row >= 2) Put(g, row - 1, 9, "Starts at " + std::to_string(d) + " Days");
        }
        Put(g, row, 9, FormatPattern(pigs, "0"));
    }
}

void HighlightLimits(SharedState& s) {
    MainWindow& w = *s.Main;
    Grid& g = w.Griddiets;
    for (int d = 1; d <= s.DietCount && d < g.Cols(); ++d) {
        for (int k = 1; k <= s.NutrientCount && k <= 121; ++k) {
            const int row = k + 3;
            if (row >= g.Rows()) break;
            const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
            const double value = std::round(NumVal(std::string_view(g.TextMatrix(row, d))) * 1000.0) / 1000.0;
            if (lo > 0) g.SetCellBackColor(row, d, value == lo ? kLightRed : kLightCyan);
            if (hi > 0 && hi > lo && value == hi) g.SetCellBackColor(row, d, kBlue);
        }
    }
    g.Row = 0;
    g.Col = 0;
    Grid& f = w.GridFormula;
    for (int d = 1; d <= s.DietCount && d < f.Cols(); ++d)
        for (int i = 1; i <= s.IngredientCount && i < f.Rows(); ++i) {
            const double lo = s.IngredientLimits(d, 1, i), hi = s.IngredientLimits(d, 2, i);
            const double x = std::round(s.DietFormula(d, i) * 1000.0) / 1000.0;
            if (lo > 0 && x == lo) f.SetCellBackColor(i, d, kLightRed);
            else if (hi > 0 && x == hi) f.SetCellBackColor(i, d, kBlue);
        }
}

namespace {

GrowthOutcome GrowthSteps(SharedState& s) {
    s.GrowthResultsValid = false;
    s.ReachedFinalWeight = false;
    if (!s.Main) return GrowthOutcome::Refused;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    Grid& g = w.Grid1;
    // The cost and feed/gain boxes hold only a run the program stands behind:
    // the optimisation and the diet plots start from them. Their earlier
    // figures stay as the tool tips.
    const std::string priceBefore = w.TextPrice.Text, feedGainBefore = w.TextF2G.Text;
    w.TextPrice.Text.clear();
    w.TextF2G.Text.clear();
    const auto refuse = [&](const std::string& message) {
        dlg.Message(message);
        return GrowthOutcome::Refused;
    };

    // 1. Gate and checks.
    if (!s.PigDataReady) return GrowthOutcome::Refused;
    const double startShown = BoxNumber(w.Text1);
    if (startShown == 0) return GrowthOutcome::Refused;
    // The typed weights are in the display unit; the engine works in kg.
    const double startKg = ConvertWeight(s, 1, startShown);
    if (startKg < 20) return refuse("Starting Weight must be 20 kg or more");
    if (w.ComboSex.ListIndex < 0) return refuse("Set the Herd Sex before running");
    if (w.Combo1.ListIndex < kFormulationLeastCost)
        return refuse("Choose Least Cost Feed or Feed from the Grid before running");
    if (CellNumber(w.Griddiets, kRowFeed, 1) == 0) return refuse("Need Feed Intakes");

    // 2. Preparation.
    g.Clear();
    s.LastRun = RunSnapshot{};
    // Nothing of an earlier run (or of another command) is read as this run's:
    // the sexes' totals start empty and the engine uses the sex slot a fresh
    // session has.
    s.CumFeed(1) = 0;
    s.CumFeed(2) = 0;
    s.SimSex = 0;
    s.DietCount = FindDietCount(w);
    s.ShowDailyProgress = true;
    g.SetRows(200);
    if (g.Cols() < 14) g.SetCols(14);
    if (s.DefaultGrowthCurve(0, 0) == 0)
        for (int k = 0; k < 5; ++k) s.DefaultGrowthCurve(0, k) = kDefaultCurve[k];
    for (TextBox* box : {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5}) box->ToolTip = box->Text;
    w.TextPrice.ToolTip = priceBefore;
    w.TextF2G.ToolTip = feedGainBefore;
    w.CommandCalibration.BackColor = kNoColor;
    WriteHeaders(s, g);
    w.OptionShowInput.Value = false;
    s.GainEnergyCost(1) = 9000;
    s.GainEnergyCost(2) = 1000;
    for (int k = 0; k < 5; ++k) {
        const double v = CellNumber(w.GridWeight, 1, k + 1);
        if (v == 0) {
            s.GrowthCurve(0, k) = s.DefaultGrowthCurve(0, k);
            Put(w.GridWeight, 1, k + 1, FormatExact(s.GrowthCurve(0, k)));
        } else {
            s.GrowthCurve(0, k) = v;
            s.DefaultGrowthCurve(0, k) = v;
        }
    }
    s.DietCount = FindDietCount(w);
    const double pigs = BoxNumber(w.TextPigNo);
    s.PigCount = pigs >= 1 && pigs < 2e9 ? static_cast<int32_t>(RoundHalfEven(pigs)) : 0;
    if (s.PigCount == 0) {
        s.PigCount = 20;
        w.TextPigNo.Text = "20";
    }
    if (s.GrowthCurve(0, 0) == 0) return refuse("The calibration curve B0 is missing");
    if (s.GrowthCurve(0, 1) == 0) return refuse("The calibration curve B1 is missing");
    if (w.Combo1.ListIndex == kFormulationLeastCost) {
        RunLp(s);
        // A diet without a formula would be grown on whatever its column held.
        if (const std::string failed = DietsNotFormulatedMessage(s); !failed.empty()) {
            dlg.Message(failed);
            return GrowthOutcome::NotFormulated;
        }
    }
    if (s.DietCount == 0) return refuse(kNeedDiets);
    std::vector<std::string> priceNotes;
    for (int i = 1; i <= s.DietCount; ++i) ReadDietColumn(s, w, i, &priceNotes);
    if (!priceNotes.empty()) dlg.Message(JoinedNotes(priceNotes));
    if (const std::string fault = ProgrammeValueFault(s, s.DietCount); !fault.empty()) return refuse(fault);
    for (int i = 1; i <= s.DietCount; ++i)
        if (!(s.DietFeedAmount(i) >= 0)) return refuse("Look at the Feed Weight of Diet " + std::to_string(i));
    const double ageTyped = BoxNumber(w.Text2);
    if (!(ageTyped >= 0.5 && ageTyped < kLastStartAge + 0.5)) return refuse(kStartAgeRange);
    s.StartAge = static_cast<int16_t>(RoundHalfEven(ageTyped));
    s.FinalWeight = ConvertWeight(s, 1, BoxNumber(w.Text3));
    s.StartWeight = startKg;
    if (!(s.FinalWeight > startKg)) return refuse(kFinalAboveStart);

    // 3. Run. Results of an earlier run must not show as this run's.
    for (int i = 0; i <= 8; ++i)
        for (int c = 0; c <= 3; ++c) s.DietResults(i, c) = 0;
    s.FinalAge = 0;
    s.DayGrowth(0, s.StartAge) = startKg;
    s.RunFailed = false;
    s.CurrentDietIndex = 1;
    GrowLocationPig(s);

    if (s.RunFailed) {
        dlg.Message("The growth run failed on day " + std::to_string(std::max<int>(s.RunLastDay, s.StartAge)) +
                    ": check the growth curve and the diets");
        w.MainTabs.Tab = 0;
        g.Row = 0;
        s.DayFeed(1, 199) = s.CumFeed(s.SimSex);
        w.CommandOptimise.BackColor = kLightGreen;
        return GrowthOutcome::RunFailed;
    }

    const int n = s.DietCount;
    const int lastDay = s.RunLastDay;
    s.ReachedFinalWeight = s.DayGrowth(0, lastDay) >= s.FinalWeight;
    // Where the run ends: the final weight, or the last day the tables hold.
    double endKg = s.FinalWeight;
    if (!s.ReachedFinalWeight) {
        endKg = s.DayGrowth(0, lastDay);
        // The engine also ate the day after that one, whose weight the tables
        // cannot hold; it is not counted, so feed and weight stay of one day.
        s.CumFeed(s.SimSex) -= s.DayFeed(0, lastDay + 1);
        s.DayFeed(0, lastDay + 1) = 0;
        s.FinalAge = lastDay;
        const int row = lastDay - s.StartAge + 1;
        Put(g, row, 6, FormatPattern(ConvertWeight(s, 2, endKg), "###.#"));
        Put(g, row, 5, std::to_string(lastDay));
        Put(g, row + 1, 7, "");
        Put(g, row + 1, 8, "");
    }

    // 4. Per-diet results.
    s.DietResults(0, 1) = s.StartAge;
    s.DietResults(0, 2) = startKg;
    s.DietResults(n, 2) = endKg;
    s.DietResults(n, 1) = s.FinalAge;
    s.DietResults(n, 3) = s.CumFeed(s.SimSex);
    // A pig that reached the final weight before the last diet ends on the
    // diet in force then; the diets after it were never fed.
    const int endDiet = std::clamp<int>(s.CurrentDietIndex, 1, n);
    // The feed counted to the rounded final age can fall short of the
    // allotments the pig finished (they ran out on its last day): it ate at
    // least those, so the total is never below them.
    s.DietResults(n, 3) = std::max(s.DietResults(n, 3), s.DietResults(PreviousReached(s, endDiet), 3));
    if (endDiet < n)
        for (int c = 1; c <= 3; ++c) s.DietResults(endDiet, c) = s.DietResults(n, c);
    EndDayTable(s, g, s.DietResults(n, 3));
    Put(g, 0, 4, "Feed Wt.");
    FeedTonnage(s);
    for (int i = 1; i <= n; ++i) {
        Put(g, i, 0, w.Griddiets.TextMatrix(kRowName, i));
        if (!DietReached(s, i)) continue;  // the pig finished before this diet
        const int j = PreviousReached(s, i);
        Put(g, i, 1, FormatAuto(ConvertWeight(s, 2, s.DietResults(i, 2))));
        Put(g, i, 2, FormatAuto(s.DietResults(i, 1)));
        const double days = s.DietResults(i, 1) - s.DietResults(j, 1);
        if (days > 0) Put(g, i, 3, FormatPattern((s.DietResults(i, 2) - s.DietResults(j, 2)) / days, "#0.0##"));
        Put(g, i, 4, FormatAuto(ConvertWeight(s, 2, s.DietResults(i, 3))));
        w.Griddiets.EnsureCell(kRowFeed, i);
        ShowFigure(w.Griddiets, kRowFeed, i, ConvertWeight(s, 2, FeedEatenOfDiet(s, i)), WeightToMetric(s));
    }
    const int upTo = std::min(200, static_cast<int>(RoundHalfEven(s.CalibInputs(5) + 1)));
    for (int j = 0; j <= 2; ++j) {
        double sum = 0;
        for (int d = s.StartAge; d <= upTo; ++d) sum += s.DayFeed(j, d);
        s.CumFeed(j) = sum;
    }
    WriteResultLabels(s, g);
    HerdDistribution(s);
    if (RunsResponseModel(s)) {
        // The sexes are their own pigs, their carcasses from their bodies.
        ResponseSexTotals(s);
        ResponseCarcassOutputs(s);
    } else {
        SplitSexes(s);
        CarcassOutputs(s);
    }
    ShowPredictedHerd(s, ConvertWeight(s, 2, s.CumFeed(s.SimSex)), s.FinalAge);

    // 5. After every run.
    w.MainTabs.Tab = 0;
    g.Row = 0;
    s.DayFeed(1, 199) = s.CumFeed(s.SimSex);
    // How the curve in force fits the herd's measured feed and age, when
    // typed: the calibration's own score of it, so that the figure beside the
    // curve is the one the calibration reports. On a programme of other
    // allotments than the herd ate the same score is this programme's miss of
    // the herd, not the curve's fit, and is headed so.
    const double feedMeasured = ConvertWeight(s, 1, s.CalibInputs(4)), ageMeasured = s.CalibInputs(5);
    Put(w.GridWeight, 0, 6, FedAsMeasured(s) ? kFitErrorCaption : kHerdMissCaption);
    const bool measured = feedMeasured > 0 && ageMeasured > 0;
    Put(w.GridWeight, 1, 6, measured && s.CurveFitErrorText ? s.CurveFitErrorText(s) : std::string());

    // 6. Summary block: males in column 1, females in column 2.
    const std::string unpriced = UnpricedDiets(s);
    const bool priced = unpriced.empty();
    const int end = FinishingDay(s);
    const double cost = CostPerPig(s);
    const int responseSex = RunsResponseModel(s) ? ResponseHerdSex(s) : 0;
    for (int sex = 1; sex <= 2; ++sex) {
        // A one-sex herd of the response model grows no pig of the other sex.
        if (responseSex != 0 && sex != responseSex) continue;
        Put(g, 20, sex, FormatPattern(ConvertWeight(s, 2, s.DayGrowth(sex, end)), "###.0"));
        Put(g, 21, sex, FormatPattern(ConvertWeight(s, 2, s.CumFeed(sex)), "###.0"));
        const double share = s.CumFeed(0) > 0 ? s.CumFeed(sex) / s.CumFeed(0) : 0;
        Put(g, 22, sex, priced ? FormatPattern(cost * share, "###.#0") : "");
        const double gain = s.DayGrowth(sex, end) - s.DayGrowth(sex, s.StartAge);
        Put(g, 23, sex, gain > 0 ? FormatPattern(s.CumFeed(sex) / gain, "###.##0") : "");
        // No carcass traits when the pig never grew past its weight at 125 days.
        const bool carcass = s.CarcassTable(0, 1) != 0;
        Put(g, 24, sex, carcass ? FormatAuto(BackFatShown(s, s.CarcassTable(sex, 1))) : "");
        for (int t = 2; t <= 4; ++t) Put(g, 23 + t, sex, carcass ? FormatAuto(s.CarcassTable(sex, t)) : "");
    }

    // 7. Cost block, per the weight the run ended at.
    Put(g, 10, 0, "COST PER");
    Put(g, 11, 0, "of PIG");
    Put(g, 12, 0, priced ? FormatPattern(cost, "###.#0") : "");
    double energy = 0;
    for (int i = 1; i <= s.DietCount; ++i) energy += s.DietNutrients(i, 1) * FeedEatenOfDiet(s, i);
    const double perKgGain = energy / (endKg - startKg);
    if (s.WeightUnit() == 1) {
        const double endShown = s.ReachedFinalWeight ? BoxNumber(w.Text3) : ConvertWeight(s, 2, endKg);
        Put(g, 10, 1, "TON");
        Put(g, 12, 1, priced ? FormatAuto(cost * 2000 / endShown) : "");
        Put(g, 8, 0, "kcal /lb");
        Put(g, 8, 1, FormatAuto(perKgGain / 2.2));
    } else {
        Put(g, 10, 1, "TONNE");
        Put(g, 12, 1, priced ? FormatAuto(cost * 1000 / endKg) : "");
        Put(g, 8, 0, "kcal /kg");
        Put(g, 8, 1, FormatAuto(perKgGain));
    }
    HighlightLimits(s);
    w.CommandOptimise.BackColor = kLightGreen;

    if (!s.ReachedFinalWeight) {
        dlg.Message(FinalWeightNotReachedMessage(s, endKg, lastDay));
        return GrowthOutcome::FinalWeightNotReached;
    }
    w.TextF2G.Text = FormatPattern(s.CumFeed(0) / (s.FinalWeight - startKg), "###.##0");
    if (!priced) {
        dlg.Message(unpriced);
        return GrowthOutcome::PriceMissing;
    }
    w.TextPrice.Text = FormatPattern(cost, "###.#0");
    s.GrowthResultsValid = true;
    return GrowthOutcome::Results;
}

}  // namespace

GrowthOutcome Growth(SharedState& s) {
    const GrowthOutcome outcome = GrowthSteps(s);
    // A run the engine made is kept as a snapshot, with what it stands behind.
    switch (outcome) {
        case GrowthOutcome::RunFailed:
        case GrowthOutcome::FinalWeightNotReached:
        case GrowthOutcome::PriceMissing:
        case GrowthOutcome::Results:
            s.LastRun = RunSnapshotOf(s);
            if (s.CompleteRunSnapshot) s.CompleteRunSnapshot(s, s.LastRun);
            break;
        default: break;
    }
    s.LastRunInputs = RunInputsText(s);
    ShowResultsOutdated(s, false);  // the results were made from the inputs just taken
    return outcome;
}

std::string DietsNotFormulatedMessage(const SharedState& s) {
    std::vector<int> failed;
    for (int d = 1; d <= s.DietCount && d <= 8; ++d)
        if (!DietFormulated(s, d)) failed.push_back(d);
    if (failed.empty()) return {};
    return "Growth was not run: " + DietList(failed) + " could not be formulated";
}

std::string FinalWeightNotReachedMessage(const SharedState& s, double weightKg, int day) {
    return "The pig reaches only " + FormatAuto(ConvertWeight(s, 2, weightKg)) + " " + ShortWeightUnit(s) +
           " by day " + std::to_string(day) + "; the final weight is not reached";
}

}  // namespace tarvisol
