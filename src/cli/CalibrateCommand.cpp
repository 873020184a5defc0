#include "cli/CalibrateCommand.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "calibration/CalibrationRun.h"
#include "calibration/CorCoef.h"
#include "cli/ConsoleDialogs.h"
#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol::cli {
namespace fs = std::filesystem;

namespace {

// Yes to reopening the named location; the save question is answered by
// --save; every other question No. The calibration name keeps its default.
class CalibrateDialogs : public ConsoleDialogs {
public:
    CalibrateDialogs(std::ostream* echo, bool save)
        : ConsoleDialogs(echo, Answer::No), yes_(echo, Answer::Yes), no_(echo, Answer::No), save_(save) {}
    Answer Ask(const std::string& text, Buttons buttons, const std::string& title = {}) override {
        if (text.rfind(kReopenQuestion, 0) == 0) return yes_.Ask(text, buttons, title);
        if (text.find("  Save this Calibration Data Set to ") != std::string::npos) {
            asked = true;
            return (save_ ? yes_ : no_).Ask(text, buttons, title);
        }
        // Not saved, the fitted curve is still used for the rest of the run,
        // so that the report and the correlations describe the fit.
        if (text == kUseCurveQuestion) return yes_.Ask(text, buttons, title);
        return ConsoleDialogs::Ask(text, buttons, title);
    }
    bool asked = false;

private:
    ConsoleDialogs yes_, no_;  // they only echo the question with their answer
    bool save_;
};

nlohmann::json CellNumber(const Grid& g, int r, int c) {
    if (r >= g.Rows() || c >= g.Cols() || g.TextMatrix(r, c).empty()) return nullptr;
    return Val(g.TextMatrix(r, c));
}

}  // namespace

nlohmann::json RunCalibrateCommand(const CalibrateArgs& args, std::ostream* messages) {
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    CalibrateDialogs dialogs(messages, args.save);
    s->Main = w.get();
    s->Dialog = &dialogs;
    // Without --save no file of the location is written, not even the
    // measured table that "Continue Calibration" saves in the window.
    s->KeepFiles = !args.save;
    OpenLocationAsUser(*s, args.location);
    if (w->Combo1.ListIndex < 1) w->Combo1.ListIndex = s->NutrientCount > 0 ? 1 : 2;

    long runs = 0;
    FitOptions options;
    options.growthRuns = &runs;
    auto form = std::make_unique<CalibrationWindow>();
    CalibrationCommand(*s, *form);
    const bool opened = form->Visible;
    if (opened) ContinueCalibration(*s, *form, options);
    const bool ran = opened && dialogs.asked;
    // As the user would: the calibration ends with a Growth run on the fitted
    // curve; Ctrl+R on the results puts the measured values beside it.
    if (ran) FillTest(*s);

    nlohmann::json r;
    r["location"] = s->LocationBase;
    r["messages"] = dialogs.Shown();
    r["ran"] = ran;
    const bool saveFailed = ran && args.save && s->FailedSaves > 0;
    r["saved"] = ran && args.save && !saveFailed;
    r["save_failed"] = saveFailed;
    r["weight_unit"] = WeightUnitLabel(s->WeightUnit());
    if (ran) {
        r["curve"] = nlohmann::json::array();
        for (int k = 0; k < 5; ++k) r["curve"].push_back(s->GrowthCurve(0, k));
        r["error"] = s->BestError;
        r["final_age"] = s->RunResults(1);
        r["measured_final_age"] = s->CalibInputs(5);
        r["total_feed"] = ConvertWeight(*s, 2, s->SlotFeedTotal(s->SimSex));
        r["measured_total_feed"] = s->CalibInputs(4);
        r["growth_runs"] = runs;
        const int row = kFillTestRow + s->DietCount + 1;
        r["correlations"] = {{"weight", CellNumber(w->Grid1, row, 1)},
                             {"age", CellNumber(w->Grid1, row, 2)},
                             {"feed", CellNumber(w->Grid1, row, 4)}};
    }
    return r;
}

int CalibrateExitCode(const nlohmann::json& report) {
    if (!report.value("ran", false)) return 1;
    return report.value("save_failed", false) ? 1 : 0;
}

void PrintCalibrateReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r["ran"].get<bool>()) {
        out << "The calibration did not run.\n";
        return;
    }
    auto num = [](const nlohmann::json& v, const char* pattern) {
        return v.is_null() ? std::string("-") : FormatPattern(v.get<double>(), pattern);
    };
    out << "Location " << r["location"].get<std::string>() << "\n\n";
    out << "Fitted curve";
    static const char* names[] = {"B0", "B1", "B2", "B3", "B4"};
    for (int k = 0; k < 5; ++k) out << "  " << names[k] << " " << FormatExact(r["curve"][k].get<double>());
    out << "\nFit error " << num(r["error"], "0.000") << " after " << r["growth_runs"].get<long>() << " growth runs\n";
    out << "Final age  " << num(r["final_age"], "0.0") << " days (measured " << num(r["measured_final_age"], "0.0")
        << ")\n";
    out << "Total feed " << num(r["total_feed"], "0.0") << " " << r["weight_unit"].get<std::string>() << " (measured "
        << num(r["measured_total_feed"], "0.0") << ")\n";
    const auto& c = r["correlations"];
    out << "Correlations of measured with predicted: weight " << num(c["weight"], "0.0000") << ", age "
        << num(c["age"], "0.0000") << ", cumulative feed " << num(c["feed"], "0.0000") << "\n";
    if (r.value("save_failed", false))
        out << "NOT saved: a file of the location could not be written (see the messages above).\n";
    else
        out << (r["saved"].get<bool>() ? "Saved to the location.\n" : "Not saved (use --save).\n");
}

}  // namespace tarvisol::cli
