#include "ui/InputHelp.h"

#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "shared/MainWindowForm.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

std::string Weight(const SharedState& s) { return WeightUnitName(s.WeightUnit()); }
std::string Energy(const SharedState& s) { return EnergyUnitLabel(s.EnergyUnit()); }

}  // namespace

std::string WeightUnitName(int unit) {
    static const char* names[] = {"kg", "lb", "g"};
    return names[WeightUnitValid(unit) ? unit : 0];
}

std::string PriceUnitName(int unit) {
    static const char* names[] = {"kg", "tonne", "lb", "short ton", "hundredweight (100 lb)"};
    return names[PriceUnitValid(unit) ? unit : 0];
}

std::string BoxHelp(const SharedState& s, const TextBox& box) {
    const MainWindow* w = s.Main;
    if (!w) return {};
    if (&box == &w->Text1) return "Starting live weight of the pigs, " + Weight(s) + " (20 kg or more)";
    if (&box == &w->Text2) return "Starting age of the pigs, days";
    if (&box == &w->Text3) return "Final (market) live weight, " + Weight(s);
    if (&box == &w->Text4)
        return "Total feed intake per pig, " + Weight(s) +
               ": the herd's measured value for Calibration; Growth writes its prediction here";
    if (&box == &w->Text5)
        return "Age at the final weight, days: the herd's measured value for Calibration; Growth writes its "
               "prediction here";
    if (&box == &w->TextPigNo) return "Number of pigs in the group (for the tonnes of each feed to mix)";
    if (&box == &w->Text6)
        return "The location: the name shared by the herd's files (settings, diets, ingredient matrix, "
               "restrictions). Enter opens it";
    if (&box == &w->TextPrice) return "Feed cost per pig of the last Growth run, in the diets' money";
    if (&box == &w->TextF2G) return "Feed/gain of the last Growth run: " + Weight(s) + " of feed per " + Weight(s) +
                                    " of live-weight gain";
    return {};
}

std::string BoxToolTip(const SharedState& s, const TextBox& box) {
    const std::string help = BoxHelp(s, box);
    if (help.empty()) return box.ToolTip;
    return box.ToolTip.empty() ? help : help + "\n" + box.ToolTip;
}

std::string ComboHelp(const SharedState& s, const ComboBox& combo) {
    const MainWindow* w = s.Main;
    if (!w) return {};
    if (&combo == &w->ComboUnits)
        return "Units: kg with energy in Kcal/Kg and prices per tonne, or lb with Kcal/lb and prices per short ton";
    if (&combo == &w->ComboSex) return "Herd sex: mixed, males or females";
    if (&combo == &w->Combo1)
        return "Least Cost Formulas: formulate every diet from the ingredient matrix before growing. "
               "Use Diets on Grid: grow on the diets as the grid shows them";
    if (&combo == &w->ComboDiets) return "Number of diets in the programme, 1 to 6";
    return {};
}

std::string DietRowToolTip(const SharedState& s, int row) {
    switch (row) {
        case 0: return "Diets, in the order they are fed";
        case 1: return "Diet name";
        case 2: return "Feed cost, per " + PriceUnitName(s.PriceUnit()) + " of feed";
        case 3: return "Feed allotment: feed per pig of this diet, " + Weight(s) + " (the last diet runs to the final weight)";
        case 4: return "Net energy, " + Energy(s);
        case 5: return "Crude protein, % of the diet";
        default: break;
    }
    if (row < 6) return {};
    // The nutrient as the grid names it (the diets file's label), else by its number.
    std::string name;
    if (s.Main && row < s.Main->Griddiets.Rows()) name = s.Main->Griddiets.TextMatrix(row, 0);
    if (name.empty()) name = DefaultDietRowLabel(s, row);
    return row <= 17 ? name + ", % of the diet" : name + ", in the unit of the ingredient matrix";
}

std::string ResultsCellToolTip(const SharedState& s, int row, int col) {
    // The cost block: per tonne, or in the pound system per short ton.
    if (row >= 10 && row <= 12 && col == 1 && s.Main && s.Main->Grid1.Rows() > 10 && !s.Main->Grid1.TextMatrix(10, 1).empty())
        return s.WeightUnit() == 1 ? "Feed cost per short ton (2000 lb) of live weight at the final weight"
                                   : "Feed cost per tonne (1000 kg) of live weight at the final weight";
    // The model's carcass yield, which no sale rests on when the market gives the packer's dressing.
    if ((col == 13 && row >= 2) || (row == 27 && col >= 1 && col <= 2))
        return "The model's carcass yield, % of live weight, from the growth run's carcass equations; the Market "
               "Weight and Herd and Marketing windows sell on the packer's dressing of the market file when it gives one";
    // The per-diet table (columns 1..4, down to the last diet) and the day
    // table (columns 5..8, every row); the blocks under them say their own.
    if (col >= 1 && col <= 4 && row > s.DietCount) return {};
    switch (col) {
        case 1: return "Live weight at the end of the diet, " + Weight(s);
        case 2: return "Age at the end of the diet, days";
        case 3: return "Daily gain while on the diet, kg per day";
        case 4: return "Feed eaten per pig to the end of the diet, " + Weight(s);
        case 5: return "Age, days";
        case 6: return "Live weight, " + Weight(s);
        case 7: return "Feed eaten that day, " + Weight(s) + " per pig";
        case 8: return "Feed eaten to that day, " + Weight(s) + " per pig";
        default: return {};
    }
}

std::string CurveCellToolTip(const SharedState& s, int row, int col) {
    if (col != 6 || row > 1 || !s.Main || s.Main->GridWeight.Cols() <= 6) return {};
    const std::string& heading = s.Main->GridWeight.TextMatrix(0, 6);
    if (heading == kHerdMissCaption)
        return "This programme's miss of the measured herd: its run on this curve scored against the herd's measured "
               "feed, final age and weighings as the calibration scores a curve. The programme feeds other "
               "allotments than the herd ate, so the figure says how far this programme is from the herd, not how "
               "well the curve fits it (that is the Fit Error on the herd's own allotments).";
    if (heading == kFitErrorCaption)
        return "The curve's fit error: the calibration's score of the curve against the herd's measured feed, final "
               "age and weighings, on the allotments the herd ate (lower is closer)";
    return {};
}

std::string OptimisationRowToolTip(const SharedState& s, int row) {
    if (row < 1 || row > 24) return {};
    const std::string diet = " of diet " + std::to_string((row - 1) / 3 + 1);
    switch ((row - 1) % 3) {
        case 0: return "Feed allotment" + diet + ", " + Weight(s) + " per pig";
        case 1: return "Net energy minimum" + diet + ", " + Energy(s);
        default: return "Crude protein minimum" + diet + ", % of the diet";
    }
}

std::string DailyColumnToolTip(const SharedState& s, int col) {
    switch (col) {
        case 0: return "Age, days";
        case 1: return "Live weight of the mixed herd, " + Weight(s);
        case 2: return "Live weight of the males, " + Weight(s);
        case 3: return "Live weight of the females, " + Weight(s);
        case 4: return "Feed eaten by the mixed herd that day, " + Weight(s) + " per pig (the Total row: the whole run)";
        case 5: return "Feed eaten by the males that day, " + Weight(s) + " per pig";
        case 6: return "Feed eaten by the females that day, " + Weight(s) + " per pig";
        case 7: return "Water drunk to that day at the low estimate (2.5 times the feed eaten), " + Weight(s) + " per pig";
        case 8: return "Water drunk to that day at the high estimate (3.5 times the feed eaten), " + Weight(s) + " per pig";
        default: return {};
    }
}

}  // namespace tarvisol
