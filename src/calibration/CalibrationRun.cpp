#include "calibration/CalibrationRun.h"

#include <cmath>
#include <vector>

#include "calibration/BeyondTheCurve.h"
#include "calibration/CurveDigits.h"
#include "calibration/FitDiagnostics.h"
#include "formulation/DietPriceCell.h"
#include "formulation/FormulationFiles.h"
#include "growth/DietValues.h"
#include "growth/GrowthRun.h"
#include "growth/MeasuredHerd.h"
#include "growth/PigGrowth.h"
#include "growth/Temperature.h"
#include "location/CalFile.h"
#include "location/LocationFiles.h"
#include "location/PigFile.h"
#include "shared/Checkpoint.h"
#include "shared/Dialogs.h"
#include "shared/LocationFileSave.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kRowFeed = 3, kRowEnergy = 4;

double Cell(const Grid& g, int row, int col) {
    if (row < 0 || col < 0 || row >= g.Rows() || col >= g.Cols()) return 0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

void Put(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

TextBox* FormBox(CalibrationWindow& f, int i) {
    TextBox* boxes[] = {&f.Text1, &f.Text2, &f.Text3, &f.Text4, &f.Text5};
    return boxes[i - 1];
}

TextBox* MainBox(MainWindow& w, int i) {
    TextBox* boxes[] = {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5};
    return boxes[i - 1];
}

// One diet column of the diets grid into the diet tables: feed (kg), energy
// (program unit) and the nutrients of rows 5..17.
void ReadDietColumn(SharedState& s, const Grid& g, int d) {
    s.DietFeedAmount(d) = ConvertWeight(s, 1, Cell(g, kRowFeed, d));
    s.DietNutrients(d, 1) = ConvertEnergy(s, 1, Cell(g, kRowEnergy, d));
    for (int k = 2; k <= 14; ++k) s.DietNutrients(d, k) = Cell(g, k + 3, d);
}

// The .pig file as a calibration saves it: the SavePig layout with the
// coefficients in "###.####00" and the inputs in the file number format.
bool SaveCalibratedPig(SharedState& s) {
    std::vector<std::string> lines = PigFileLines(s);
    for (int k = 0; k < 5 && k < static_cast<int>(lines.size()); ++k) lines[static_cast<std::size_t>(k)] = FormatCalibCoefficient(s.GrowthCurve(0, k));
    for (int i = 1; i <= 5 && 4 + i < static_cast<int>(lines.size()); ++i)
        lines[static_cast<std::size_t>(4 + i)] = CalNumber(s.CalibInputs(i));
    return Holds(SaveLocationFile(s, s.PigFile, JoinCrlf(lines)));
}

}  // namespace

std::string FormatCalibCoefficient(double value) { return FormatCurveCoefficient(value); }

void CalibrationCommand(SharedState& s, CalibrationWindow& form) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    const std::string name = w.Text6.Text;
    if (w.ComboSex.ListIndex < 0) return dlg.Message("Set Herd Sex before Calibration");
    if (Cell(w.Griddiets, kRowEnergy, 1) == 0) return dlg.Message("Enter your Diets on The Diets Tab");
    const std::string answer = dlg.Input("Do you want to use " + name + " OR enter a new name", "Calibration Name", name);
    if (answer.empty()) return;
    if (s.EnergyUnit() == 1) {
        w.ComboUnits.ListIndex = 1;
        w.LabelFinalWeight.Caption = "Final Weight, lb";
    } else {
        w.ComboUnits.ListIndex = 0;
        w.LabelFinalWeight.Caption = "Final Weight, kg";
    }
    w.Text6.Text = answer;
    TakeHerdInputs(s);
    s.HerdSex = static_cast<int16_t>(w.ComboSex.ListIndex);
    LoadCalibrationWindow(s, form);
}

void LoadCalibrationWindow(SharedState& s, CalibrationWindow& form) {
    static const char* sexNames[] = {" Mixed", " Males", "Females"};
    form.LabelSex.Caption = "Calibrating " + std::string(s.HerdSex >= 0 && s.HerdSex <= 2 ? sexNames[s.HerdSex] : "");
    for (int i = 1; i <= 5; ++i) FormBox(form, i)->Text = FormatAuto(s.CalibInputs(i));
    const bool pounds = s.EnergyUnit() != 0;
    Grid& g = form.GridCalibWts;
    Put(g, 0, 0, "Age , Days");
    Put(g, 0, 1, pounds ? "Weight,lbs" : "Weight,Kg");
    Put(g, 0, 2, "Feed Intake");
    form.Label1.Caption = pounds ? "Starting Weight,lbs" : "Starting Weight,Kg";
    form.Label3.Caption = pounds ? "Final Weight,lbs" : "Final Weight,Kg";
    // The measured table the location holds, so that it can be checked and
    // completed rather than typed again (and not lost when the window saves).
    const int rows = std::min(CalLastRow(s), g.Rows() - 1);
    if (CalLastRow(s) > g.Rows() - 1)
        DialogsOf(s).Message("The measured herd table has " + std::to_string(CalLastRow(s)) +
                             " rows; the calibration uses the first " + std::to_string(g.Rows() - 1) +
                             ", the start and the end of each diet.");
    for (int r = 1; r < g.Rows(); ++r)
        for (int c = 0; c <= 2; ++c) g.SetTextMatrix(r, c, r <= rows ? FormatAuto(s.CalibWeightTable(c, r)) : "");
    form.WorkingShown = false;
    form.DiagnosticsShown = false;
    form.Visible = true;
}

void ContinueCalibration(SharedState& s, CalibrationWindow& form, const FitOptions& options) {
    if (!s.Main) return;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    const Grid& g = form.GridCalibWts;
    const int shown = std::min(kCalWindowRows, g.Rows() - 1);
    // The fit uses the leading rows with an age: a row after a gap would be
    // shown but not used.
    for (int r = 2, gap = 0; r <= shown; ++r) {
        if (!(Cell(g, r - 1, 0) > 0) && gap == 0) gap = r - 1;
        if (gap > 0 && (Cell(g, r, 0) != 0 || Cell(g, r, 1) != 0 || Cell(g, r, 2) != 0))
            return dlg.Message("Row " + std::to_string(r) + " of the measured herd comes after the empty row " +
                               std::to_string(gap) + ": fill the rows from the start without a gap.");
    }
    // A curve fitted to fewer than a first and a last weighing means
    // nothing: refused before any run, so that nothing is changed or saved.
    int weighed = 0;
    for (int r = 1; r <= shown && Cell(g, r, 0) > 0; ++r)
        if (Cell(g, r, 1) > 0) ++weighed;
    if (weighed < 2) return dlg.Message(kMeasuredHerdTooShort);
    const Checkpoint before(s);
    form.DiagnosticsShown = false;
    form.TextDiagnostics.Text.clear();
    // 1.
    s.DietCount = static_cast<int16_t>(std::max(0, w.ComboDiets.ListIndex));
    form.WorkingShown = true;
    s.CalibPending = true;
    form.Visible = false;
    // 2. Exactly the rows the window shows; none of an earlier table stays.
    s.CalibLastRow = 0;
    for (int r = 1; r <= kCalMaxRows; ++r) {
        for (int c = 0; c <= 3; ++c) s.CalibWeightTable(c, r) = r <= shown && c <= 2 ? Cell(g, r, c) : 0.0;
        if (s.CalibWeightTable(2, r) > 0) s.CalibLastRow = static_cast<int16_t>(r);
    }
    // 3.
    s.DietCount = static_cast<int16_t>(std::max(0, s.CalibLastRow - 1));
    if (s.CalibWeightTable(0, 2) > 0) w.OptionCalibLoaded.Value = true;
    // 4. The table is written once the calibration has run (below), so that
    // a cancelled one leaves the file as it was.
    // 5.
    const int last = s.CalibLastRow;
    s.CalibInputs(1) = s.CalibWeightTable(1, 1);
    s.CalibInputs(2) = s.CalibWeightTable(0, 1);
    s.CalibInputs(3) = s.CalibWeightTable(1, last);
    s.CalibInputs(5) = s.CalibWeightTable(0, last);
    // 6.
    static const char* zero[] = {"Starting Weight is zero", "Starting Age is zero", "Final Weight is zero",
                                 "Total Feed Weight is zero", "Final Age is zero"};
    for (int i = 1; i <= 5; ++i) {
        const std::string text = FormatAuto(s.CalibInputs(i));
        if (FormBox(form, i)->Text != text) FormBox(form, i)->Text = text;
    }
    for (int i = 1; i <= 5; ++i)
        if (s.CalibInputs(i) == 0) dlg.Message(zero[i - 1]);
    // 7.
    w.Text4.ToolTip = "Initial value was " + FormatAuto(s.CalibInputs(4));
    w.Text5.ToolTip = "Initial value was " + FormatAuto(s.CalibInputs(5));
    for (int i = 1; i <= 5; ++i) MainBox(w, i)->Text = FormBox(form, i)->Text;
    // 8.
    if (!CalibContinue(s, form, options)) {
        if (options.progress) options.progress->Finish();
        before.Restore(s);
        form.WorkingShown = false;
        form.Visible = true;
        dlg.Message(kCalibrationCancelled);
        return;
    }
    WriteCalFile(s);
    form.Visible = false;
}

bool CalibContinue(SharedState& s, CalibrationWindow& form, const FitOptions& options) {
    if (!s.Main) return true;
    MainWindow& w = *s.Main;
    Dialogs& dlg = DialogsOf(s);
    Grid& diets = w.Griddiets;
    const auto stop = [&](const std::string& text) {
        if (options.progress) options.progress->Finish();
        dlg.Message(text);
        return true;
    };
    const auto cancelled = [&] { return options.progress && options.progress->Cancelled(); };
    if (options.progress) options.progress->Report("Calibration: the herd's Growth run", 0, 1);
    // The curve in force before the calibration, for a user who declines the new one.
    const Table2<double, 2, 5> curveBefore = s.GrowthCurve, defaultBefore = s.DefaultGrowthCurve;
    std::string cellsBefore[5];
    for (int k = 0; k < 5; ++k) cellsBefore[k] = k + 1 < w.GridWeight.Cols() && w.GridWeight.Rows() > 1 ? w.GridWeight.TextMatrix(1, k + 1) : "";

    // 1. The curve to start from.
    for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = Cell(w.GridWeight, 1, k + 1);
    if (s.GrowthCurve(0, 0) == 0) {
        static constexpr double start[5] = {1.5, 1.3, 5.3, 0.004, 1.0};
        for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = start[k];
    }
    for (int k = 0; k < 5; ++k) Put(w.GridWeight, 1, k + 1, FormatExact(s.GrowthCurve(0, k)));

    // 2. The energy unit from the first diet's energy; units other than
    // kcal per kg or per lb are left as chosen.
    if (s.EnergyUnit() == 0 || s.EnergyUnit() == 1)
        s.EnergyUnit() = Cell(diets, kRowEnergy, 1) < 1500 ? 1 : 0;

    // 3. The diets, with their plausibility checks.
    std::vector<std::string> priceNotes;
    for (int d = 1; d <= s.DietCount && d <= 8; ++d) {
        s.DietNutrients(d, 0) = ReadDietPriceCell(diets, d, priceNotes);
        ReadDietColumn(s, diets, d);
        if (const std::string fault = DietValueFault(s, d); !fault.empty()) {
            priceNotes.push_back(fault);
            return stop(JoinedNotes(priceNotes));
        }
    }
    if (!priceNotes.empty()) dlg.Message(JoinedNotes(priceNotes));

    // 4., 5.
    for (int k = 0; k < 5; ++k) s.DefaultGrowthCurve(0, k) = s.GrowthCurve(0, k);
    s.CalibrationLoaded = true;
    Growth(s);
    s.CalibPending = false;
    // A calibration starts without the best point of an earlier one: its own
    // first evaluation is the point to beat, as in a fresh session.
    s.BestError = 0;
    for (int i = 0; i <= 2; ++i) s.RunResults(i) = 0;
    EvaluateFit(s);
    if (options.growthRuns) *options.growthRuns += 2;

    // 6., 7. The diet programme must end with the last diet that has energy.
    w.MainTabs.Tab = 0;
    s.DietsInUse = 0;
    for (int d = 1; d <= 8 && d < diets.Cols(); ++d)
        if (Cell(diets, kRowEnergy, d) > 0) s.DietsInUse = static_cast<int16_t>(d);
    if (s.DietsInUse == 0) return stop("Diet Info Not Right, Try again");
    for (int d = 1; d <= s.DietsInUse; ++d) ReadDietColumn(s, diets, d);
    int lastFed = 0;
    for (int d = 1; d <= 6; ++d)
        if (s.DietFeedAmount(d) > 0) lastFed = d;
    if (lastFed != s.DietsInUse) return stop("Diet Info Not Right, Try again");

    // 8. The fit.
    const double startDay = RoundHalfEven(s.CalibInputs(2));
    const double w0 = ConvertWeight(s, 1, s.CalibInputs(1));
    s.FinalWeight = ConvertWeight(s, 1, s.CalibInputs(3));
    const bool fit = startDay >= 0 && startDay <= 200;
    // The curve in force before the fit, scored as the new one is: the save
    // question then shows whether saving helps.
    FitDiagnostics inForce;
    if (fit) {
        s.StartAge = static_cast<int16_t>(startDay);
        s.DayGrowth(0, s.StartAge) = w0;
        s.CurrentDietIndex = 1;
        if (s.CalibWeightTable(0, 1) > 0) w.OptionCalibLoaded.Value = true;
        w.Grid1.Clear();
        const CurvePoint locationCurve = CurveInForce(s);
        inForce = DiagnoseFit(s, locationCurve);
        int16_t mode = 1;
        FitCalibration(s, mode, options);
        if (cancelled()) return false;
        // The fit's result, and when it carries a warning the wider search.
        form.Outcome = WidenFit(s, locationCurve, form.CheckDocumentedOnly.Value != 0, options);
        if (form.Outcome.cancelled || cancelled()) return false;
        // 9. The fitted curve, grown once. A skipped fit keeps the curve in force.
        for (int k = 0; k < 5; ++k) {
            s.GrowthCurve(0, k) = s.BestCurve(0, k + 1);
            Put(w.GridWeight, 1, k + 1, FormatCurveCoefficient(s.GrowthCurve(0, k)));
        }
    } else {
        form.Outcome = SearchOutcome{};
        form.Outcome.documented = form.Outcome.chosen = DiagnoseFit(s, CurveInForce(s));
        inForce = form.Outcome.chosen;
    }
    if (s.StartAge >= 0 && s.StartAge <= 200) {
        s.DayGrowth(0, s.StartAge) = w0;
        s.RunFailed = false;
        s.CurrentDietIndex = 1;
        s.FinalAge = 0;
        GrowPig(s);
        if (options.growthRuns) *options.growthRuns += 1;
        if (s.HerdSex < 3 && s.HerdSex >= 0) s.DayGrowth(s.HerdSex, s.StartAge) = w0;
    }

    // 10., 11.
    const double endDay = RoundHalfEven(s.CalibInputs(5) + 1);
    for (int slot = 0; slot <= 2; ++slot) {
        double sum = 0;
        for (int d = std::max<int>(0, s.StartAge); d <= 200 && d <= endDay; ++d) sum += s.DayFeed(slot, d);
        s.SlotFeedTotal(slot) = sum;
    }
    if (s.RunResults(1) == 0) s.RunResults(1) = s.FinalAge;
    if (s.RunResults(2) == 0) s.RunResults(2) = s.SlotFeedTotal(s.SimSex);

    // 12., 13. The diagnostics of the curve stand before the save question.
    if (options.progress) options.progress->Finish();
    form.TextDiagnostics.Text = (HerdBeyondDocumentedCurve(form.Outcome)
                                     ? BeyondDocumentedCurveText(form.Outcome, kFitGenotypeWhere) + "\n\n"
                                     : std::string()) +
                                SearchText(form.Outcome) + FitErrorsText(form.Outcome.chosen, inForce) +
                                DiagnosticsText(form.Outcome.chosen);
    form.DiagnosticsShown = true;
    if (form.OnDiagnostics) form.OnDiagnostics();
    const Answer a = dlg.Ask("FInal Age " + FormatAuto(s.RunResults(1)) + "  Final Feed Intake is " +
                                 FormatAuto(s.SlotFeedTotal(s.SimSex)) + "  Save this Calibration Data Set to " +
                                 MakeLocationPath(s, w.Text6.Text) + " OK?",
                             Buttons::YesNo);
    if (a != Answer::Yes) {
        s.CalibrationLoaded = false;
        if (dlg.Ask(kUseCurveQuestion, Buttons::YesNo) != Answer::Yes) {
            s.GrowthCurve = curveBefore;
            s.DefaultGrowthCurve = defaultBefore;
            for (int k = 0; k < 5; ++k) Put(w.GridWeight, 1, k + 1, cellsBefore[k]);
        }
        Growth(s);
        return true;
    }
    const std::string base = w.Text6.Text;
    SetLocationFiles(s, base);
    s.LocationBase = MakeLocationPath(s, base);
    SaveCalibratedPig(s);
    SaveCalFile(s, form);
    WriteTempFile(s);
    // Only a loaded matrix is written: an empty one would replace the file.
    if (s.IngredientCount > 0) SaveMatrix(s, false);
    if (s.NutrientLimits(1, 1, 0) > 0) {
        SaveNutrientRestrictions(s, false);
        SaveIngredientRestrictions(s, false);
        SaveDiets(s, false);
    }
    Growth(s);
    return true;
}

void SaveCalFile(SharedState& s, CalibrationWindow& form) {
    const Grid& g = form.GridCalibWts;
    int n = 0;
    while (n + 1 <= kCalMaxRows && n + 1 < g.Rows() && Cell(g, n + 1, 1) > 0) {
        ++n;
        for (int c = 0; c <= 2; ++c) s.CalibWeightTable(c, n) = Cell(g, n, c);
    }
    // Rows after the last one read would otherwise stay in the table but not
    // in the file.
    for (int r = n + 1; r <= kCalMaxRows; ++r)
        for (int c = 0; c <= 3; ++c) s.CalibWeightTable(c, r) = 0;
    s.DietCount = static_cast<int16_t>(std::max(0, n - 1));
    if (s.Main && s.CalibWeightTable(0, 2) > 0) s.Main->OptionCalibLoaded.Value = true;
    WriteCalRows(s, n);
}

}  // namespace tarvisol
