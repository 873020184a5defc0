#include "ui/GrowthCharts.h"

#include <filesystem>

#include "report/RunComparison.h"
#include "report/RunModel.h"
#include "shared/Dialogs.h"
#include "shared/TextEncoding.h"

namespace tarvisol {

std::string FinalMarkText(const GrowthChartData& c) {
    return "Final " + FixedText(c.FinalWeight, 1) + " " + c.WeightUnit + " at " + FixedText(c.FinalAge, 1) + " days";
}

std::string AppetiteNoteText(const GrowthChartData& c) {
    if (!(c.AppetiteAge > 0)) return {};
    const std::string day = FixedText(c.AppetiteAge, 0);
    const std::string unit = " " + c.WeightUnit + " per day";
    return "Day " + day + ": the daily gain steps from " + FixedText(c.GainBeforeAppetite, 2) + " to " +
           FixedText(c.GainAtAppetite, 2) + unit + ". For the first " + std::to_string(kDaysBeforeAppetite) +
           " days after the start the growth model feeds the pig only what its curve's growth needs; from day " + day +
           " it eats to its appetite (its energy-intake capacity), and energy beyond that need is laid down as fat, a "
           "shortfall taken from fat.";
}

void LoadGrowthCharts(const RunSnapshot& run, GrowthChartsWindow& w) {
    w.Visible = true;
    w.Data = GrowthChartOf(run);
    const bool any = !w.Data.Empty;
    w.CommandCopy.Enabled = w.CommandSave.Enabled = any;
    if (!any) {
        w.LabelTitle.Caption = kNoRunToChart;
        w.LabelFinal.Caption.clear();
        w.LabelGainNote.Caption.clear();
        return;
    }
    std::string title = run.Source == "Optimum" ? "The optimum programme" : "Growth run";
    if (!run.FormulationName.empty() && run.Source != "Optimum") title += " on " + run.FormulationName;
    const double start = w.Data.Weight[0].Points.empty() ? 0 : w.Data.Weight[0].Points.front().Y;
    title += ": " + FixedText(start, 1) + " " + w.Data.WeightUnit + " at " + std::to_string(run.StartAge) + " days, " +
             std::to_string(w.Data.Phases.size()) + (w.Data.Phases.size() == 1 ? " diet" : " diets");
    if (!w.Data.Measured.empty()) title += "; measured herd: " + std::to_string(w.Data.Measured.size()) + " weighings";
    // Which model grew it: the documented curve, or the nutrient response and its genotype.
    title += "; " + Windows1252ToUtf8(ModelLineOf(run)).substr(std::string("Growth model: ").size());
    w.LabelTitle.Caption = title;
    w.LabelFinal.Caption = FinalMarkText(w.Data);
    w.LabelGainNote.Caption = AppetiteNoteText(w.Data);
}

std::string ChooseChartFile(SharedState& s) {
    const std::string initial = "growth-charts.png";
    std::string path = DialogsOf(s).SaveFile("Save the Growth Charts as a Picture", "*.png", s.LocationFolder, initial);
    if (path.empty() || path == initial) return {};
    if (std::filesystem::path(path).extension().empty()) path += ".png";
    return path;
}

}  // namespace tarvisol
