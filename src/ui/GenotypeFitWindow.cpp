#include "ui/GenotypeFitWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calibration/BeyondTheCurve.h"
#include "calibration/CalibrationRun.h"
#include "calibration/FittedGenotypeName.h"
#include "growth/GrowthRun.h"
#include "location/CalFile.h"
#include "location/GenotypeFile.h"
#include "shared/Checkpoint.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/SharedState.h"

namespace tarvisol {
namespace {

std::string Fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}
std::string Signed(double v, int decimals) { return (v > 0 ? "+" : "") + Fixed(v, decimals); }

double Cell(const Grid& g, int row, int col) {
    if (row < 0 || col < 0 || row >= g.Rows() || col >= g.Cols()) return 0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

void Row(Grid& g, int& r, const std::string& what, const std::string& inForce, const std::string& fitted) {
    g.SetRows(r + 1);
    g.SetTextMatrix(r, 0, what);
    g.SetTextMatrix(r, 1, inForce);
    g.SetTextMatrix(r, 2, fitted);
    ++r;
}

void SexRows(Grid& g, int& r, const std::string& sex, const SexGenotype& a, const SexGenotype& b) {
    Row(g, r, sex + ": mean protein deposition, g/d", Fixed(a.MeanProteinDeposition, 1), Fixed(b.MeanProteinDeposition, 1));
    Row(g, r, sex + ": precocity, per day", Fixed(a.Precocity, 5), Fixed(b.Precocity, 5));
    Row(g, r, sex + ": NE intake at 50 kg, kcal/d", Fixed(a.NeIntake50, 0), Fixed(b.NeIntake50, 0));
    Row(g, r, sex + ": NE intake at 100 kg, kcal/d", Fixed(a.NeIntake100, 0), Fixed(b.NeIntake100, 0));
}

}  // namespace

std::string SaveGenotypeQuestion(const std::string& genotypeFile) {
    return "Save the fitted genotype to " + genotypeFile +
           "? The location then grows its pig on the nutrient-response model with it.";
}

GenotypeFitInputs GenotypeFitInputsOfWindow(SharedState& s, const CalibrationWindow& cal, std::string& problem) {
    problem.clear();
    GenotypeFitInputs in;
    if (!s.Main) {
        problem = "Open a location first";
        return in;
    }
    const Checkpoint before(s);
    const Grid& g = cal.GridCalibWts;
    const int shown = std::min(kCalWindowRows, g.Rows() - 1);
    int last = 0;
    for (int r = 1; r <= kCalMaxRows; ++r) {
        const bool used = r <= shown && Cell(g, r, 0) > 0 && (r == 1 || last == r - 1);
        for (int c = 0; c <= 3; ++c) s.CalibWeightTable(c, r) = used && c <= 2 ? Cell(g, r, c) : 0.0;
        if (used) last = r;
    }
    if (last >= 1) {
        s.CalibInputs(1) = s.CalibWeightTable(1, 1);
        s.CalibInputs(2) = s.CalibWeightTable(0, 1);
        s.CalibInputs(3) = s.CalibWeightTable(1, last);
        s.CalibInputs(5) = s.CalibWeightTable(0, last);
    }
    s.CalibInputs(4) = NumVal(std::string_view(cal.Text4.Text));
    // The diets the herd was fed, as Growth makes them for the responsive pig.
    s.Model.Kind = GrowthModelKind::Response;
    if (s.Main->ComboSex.ListIndex < 0) s.Main->ComboSex.ListIndex = 0;
    const GrowthOutcome grown = Growth(s);
    if (grown == GrowthOutcome::Refused || grown == GrowthOutcome::NotFormulated)
        problem = "Growth could not run on the location's diets";
    else
        in = GenotypeFitInputsOf(s);
    before.Restore(s);
    if (problem.empty()) problem = GenotypeFitProblem(in);
    return in;
}

bool OfferGenotypeFit(SharedState& s, const CalibrationWindow& cal) {
    return HerdBeyondDocumentedCurve(cal.Outcome) && DialogsOf(s).Ask(kOfferGenotypeFit, Buttons::YesNo) == Answer::Yes;
}

void ShowGenotypeFit(GenotypeFitWindow& w, const GenotypeFit& fit) {
    const GenotypeDiagnostics &a = fit.InForce, &b = fit.Fitted;
    w.LabelTitle.Caption = "Genotype in force: " + a.Pig.Name + ". Fitted from it and from every preset to the measured herd (" +
                           std::to_string(fit.Evaluations) + " growth runs).";
    Grid& p = w.GridParameters;
    p.SetCols(3);
    int r = 0;
    Row(p, r, "", "In force", "Fitted");
    SexRows(p, r, MaleTypeName(a.Pig.Males), a.Pig.Male, b.Pig.Male);
    SexRows(p, r, "gilts", a.Pig.Female, b.Pig.Female);
    Row(p, r, "Fit error", Fixed(a.Error, 3), Fixed(b.Error, 3));
    Row(p, r, "Final age, d (measured " + Fixed(b.MeasuredFinalAge, 1) + ")", Fixed(a.FinalAge, 1), Fixed(b.FinalAge, 1));
    Row(p, r, "Total feed, kg (measured " + Fixed(b.MeasuredTotalFeed, 1) + ")", Fixed(a.TotalFeed, 1), Fixed(b.TotalFeed, 1));
    Row(p, r, "Protein deposited, g/d", Fixed(a.MeanProteinDeposition, 0), Fixed(b.MeanProteinDeposition, 0));
    Row(p, r, "Lipid in the last period's gain, %", Fixed(100 * a.LateFatShare, 0), Fixed(100 * b.LateFatShare, 0));
    Row(p, r, "Warnings", std::to_string(a.Warnings.size()), std::to_string(b.Warnings.size()));

    Grid& g = w.GridWeighings;
    g.SetCols(7);
    g.SetRows(static_cast<int>(b.Weighings.size()) + 1);
    const char* headers[] = {"Age, d", "Weighed, kg", "Fitted, kg", "Miss, kg", "Feed, kg", "Fitted, kg", "Miss, %"};
    for (int c = 0; c < 7; ++c) g.SetTextMatrix(0, c, headers[c]);
    for (std::size_t i = 0; i < b.Weighings.size(); ++i) {
        const GenotypeWeighing& x = b.Weighings[i];
        const int row = static_cast<int>(i) + 1;
        g.SetTextMatrix(row, 0, Fixed(x.Age, 0));
        g.SetTextMatrix(row, 1, Fixed(x.Measured, 1));
        g.SetTextMatrix(row, 2, Fixed(x.Simulated, 1));
        g.SetTextMatrix(row, 3, Signed(x.Residual, 1));
        const bool fed = x.MeasuredFeed > 0;
        g.SetTextMatrix(row, 4, fed ? Fixed(x.MeasuredFeed, 1) : "");
        g.SetTextMatrix(row, 5, fed ? Fixed(x.SimulatedFeed, 1) : "");
        g.SetTextMatrix(row, 6, fed ? Signed(100 * x.FeedResidualShare, 1) : "");
    }
    std::string text;
    if (b.Warnings.empty())
        text = "The fitted genotype carries no warning: it passes every weighing, eats each period's feed and "
               "reaches the final weight near the measured age with a believable protein deposition.";
    for (const std::string& warning : b.Warnings) text += (text.empty() ? "" : "\n") + ("Warning: " + warning);
    w.TextWarnings.Text = text;
    w.Fit = fit;
    w.Shown = true;
}

void FitGenotypeFromWindow(SharedState& s, const CalibrationWindow& cal, GenotypeFitWindow& w,
                           const GenotypeFitOptions& options) {
    Dialogs& dlg = DialogsOf(s);
    if (options.progress) options.progress->Report("Genotype fit: the herd's diets", 0, 1);
    std::string problem;
    const GenotypeFitInputs in = GenotypeFitInputsOfWindow(s, cal, problem);
    if (!problem.empty()) {
        if (options.progress) options.progress->Finish();
        dlg.Message("The genotype was not fitted: " + problem);
        return;
    }
    const GenotypeFit fit = FitGenotype(in, options);
    if (options.progress) options.progress->Finish();
    if (fit.Cancelled) {
        dlg.Message(kGenotypeFitCancelled);
        return;
    }
    if (!fit.Problem.empty()) {
        dlg.Message("The genotype was not fitted: " + fit.Problem);
        return;
    }
    ShowGenotypeFit(w, fit);
    w.Saved = false;
    if (w.OnDiagnostics) w.OnDiagnostics();
    if (!fit.Fitted.Grown) {
        dlg.Message("The fitted genotype does not grow the herd to its final weight on these diets: it is not offered "
                    "for saving.");
        return;
    }
    const std::string file = GenotypeFilePath(s);
    if (dlg.Ask(SaveGenotypeQuestion(file), Buttons::YesNo) != Answer::Yes) return;
    const GrowthModelChoice before = s.Model;
    s.Model.Kind = GrowthModelKind::Response;
    s.Model.Pig = NamedFittedGenotype(fit.Fitted.Pig, s.LocationBase, fit.InForce.Pig.Name);
    if (!SaveGenotypeFile(s)) {
        s.Model = before;
        return;
    }
    w.Saved = true;
    Growth(s);
}

}  // namespace tarvisol
