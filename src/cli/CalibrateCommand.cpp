#include "cli/CalibrateCommand.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>

#include "calibration/BeyondTheCurve.h"
#include "calibration/CalibrationRun.h"
#include "calibration/CorCoef.h"
#include "calibration/CurveDigits.h"
#include "calibration/FitDiagnostics.h"
#include "calibration/WiderSearch.h"
#include "cli/ConsoleDialogs.h"
#include "cli/CommandSession.h"
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
            // A fit that failed is not saved over the location's curve.
            failedNotSaved = save_ && fit && !fit->grown;
            if (failedNotSaved && state) state->KeepFiles = true;  // nor the measured table after it
            return (save_ && !failedNotSaved ? yes_ : no_).Ask(text, buttons, title);
        }
        // Not saved, the fitted curve is still used for the rest of the run,
        // so that the report and the correlations describe the fit.
        if (text == kUseCurveQuestion) return yes_.Ask(text, buttons, title);
        return ConsoleDialogs::Ask(text, buttons, title);
    }
    bool asked = false;
    const FitDiagnostics* fit = nullptr;  // the fit the save question is about
    SharedState* state = nullptr;
    bool failedNotSaved = false;

private:
    ConsoleDialogs yes_, no_;  // they only echo the question with their answer
    bool save_;
};

nlohmann::json CellNumber(const Grid& g, int r, int c) {
    if (r >= g.Rows() || c >= g.Cols() || g.TextMatrix(r, c).empty()) return nullptr;
    return Val(g.TextMatrix(r, c));
}

nlohmann::json CurveJson(const CurvePoint& c) {
    nlohmann::json a = nlohmann::json::array();
    for (double v : c) a.push_back(v);
    return a;
}

nlohmann::json DiagnosticsJson(const FitDiagnostics& d) {
    auto gain = [](const PotentialGain& g) { return nlohmann::json{{"weight_kg", g.weight}, {"gain_kg_per_day", g.gain}}; };
    nlohmann::json j;
    j["curve"] = CurveJson(d.curve);
    j["grown"] = d.grown;
    j["error"] = d.error;
    j["mature_weight_kg"] = d.matureWeight;
    j["start_weight_kg"] = d.startWeight;
    j["final_weight_kg"] = d.finalWeight;
    j["final_age"] = d.finalAge;
    j["measured_final_age"] = d.measuredFinalAge;
    j["total_feed_kg"] = d.totalFeed;
    j["measured_total_feed_kg"] = d.measuredTotalFeed;
    j["potential_gain"] = {{"start", gain(d.atStart)}, {"middle", gain(d.atMiddle)}, {"final", gain(d.atFinal)},
                           {"lowest", gain(d.lowest)}};
    j["phases"] = nlohmann::json::array();
    for (const PhaseGain& p : d.phases)
        j["phases"].push_back({{"diet", p.diet},
                               {"name", p.name},
                               {"from_kg", p.fromWeight},
                               {"to_kg", p.toWeight},
                               {"gain_kg", p.gain},
                               {"fat_share", p.fatShare},
                               {"fat_without_feed_share", p.feedlessFatShare}});
    j["fat_share"] = d.fatShare;
    j["fat_without_feed_share"] = d.feedlessFatShare;
    j["weighings"] = nlohmann::json::array();
    for (const WeighingResidual& w : d.weighings)
        j["weighings"].push_back({{"row", w.row},
                                  {"age", w.age},
                                  {"measured_kg", w.measured},
                                  {"curve_kg", w.simulated},
                                  {"residual_kg", w.residual},
                                  {"residual_percent", 100 * w.residualShare},
                                  {"measured_feed_kg", w.measuredFeed},
                                  {"curve_feed_kg", w.simulatedFeed},
                                  {"feed_residual_kg", w.feedResidual},
                                  {"feed_residual_percent", 100 * w.feedResidualShare},
                                  {"missed", w.missed}});
    j["warnings"] = d.warnings;
    return j;
}

nlohmann::json SearchJson(const SearchOutcome& o) {
    nlohmann::json j;
    j["widened"] = o.widened;
    j["won"] = o.won >= 0 ? o.WonName() : "documented";
    j["none_without_warnings"] = o.NoneClean();
    j["documented"] = {{"curve", CurveJson(o.documented.curve)},
                       {"error", o.documented.error},
                       {"mature_weight_kg", o.documented.matureWeight},
                       {"warnings", o.documented.warnings}};
    j["tried"] = nlohmann::json::array();
    for (const StartResult& t : o.tried)
        j["tried"].push_back({{"start", t.start.name},
                              {"start_curve", CurveJson(t.start.curve)},
                              {"curve", CurveJson(t.fitted.curve)},
                              {"error", t.fitted.error},
                              {"warnings", t.fitted.warnings.size()}});
    return j;
}

}  // namespace

nlohmann::json RunCalibrateCommand(const CalibrateArgs& args, std::ostream* messages) {
    CalibrateDialogs dialogs(messages, args.save);
    // Without --save no file of the location is written, not even the
    // measured table that "Continue Calibration" saves in the window.
    const CommandSession session = OpenCommandSession(args.location, dialogs, std::nullopt, !args.save);
    SharedState* const s = session.s.get();
    MainWindow* const w = session.w.get();

    long runs = 0;
    FitOptions options;
    options.threads = args.threads;
    options.growthRuns = &runs;
    auto form = std::make_unique<CalibrationWindow>();
    dialogs.fit = &form->Outcome.chosen;
    dialogs.state = s;
    if (session.found)
        CalibrationCommand(*s, *form);
    else
        dialogs.Message(session.notFound);
    form->CheckDocumentedOnly.Value = args.documentedOnly ? 1 : 0;
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
    r["saved"] = ran && args.save && !saveFailed && !dialogs.failedNotSaved;
    r["save_failed"] = saveFailed;
    r["weight_unit"] = WeightUnitLabel(s->WeightUnit());
    const bool grown = ran && form->Outcome.chosen.grown;
    r["outcome"] = !ran ? "refused" : grown ? "calibrated" : "failed";
    if (ran && !grown) {
        const double error = form->Outcome.chosen.error;
        r["failure"] = std::isfinite(error)
                           ? "the fitted curve does not grow the herd to its final weight"
                           : std::string("the fit error is ") + (std::isnan(error) ? "NaN" : "Inf") +
                                 ": no growth curve comes near the measured total feed and final age; check them";
        r["failed_not_saved"] = dialogs.failedNotSaved;
    }
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
        r["diagnostics"] = DiagnosticsJson(form->Outcome.chosen);
        r["search"] = SearchJson(form->Outcome);
        r["diagnostics_text"] = DiagnosticsText(form->Outcome.chosen);
        r["search_text"] = SearchText(form->Outcome);
        // Every start of the wider search carried a warning: the herd is
        // beyond the documented curve, and the response model's fit is named.
        const bool beyond = HerdBeyondDocumentedCurve(form->Outcome);
        r["outside_documented_curve"] = beyond;
        if (beyond)
            r["outside_documented_curve_text"] = BeyondDocumentedCurveText(
                form->Outcome, "tarvisol-cli calibrate " + args.location + " --model response (add --save to keep it)");
    }
    return r;
}

int CalibrateExitCode(const nlohmann::json& report) {
    if (report.value("outcome", std::string()) == "refused") return 2;
    if (!report.value("ran", false) || report.value("outcome", std::string()) != "calibrated") return 1;
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
    for (int k = 0; k < 5; ++k) out << "  " << names[k] << " " << FormatCurveCoefficient(r["curve"][k].get<double>());
    out << "\nFit error " << num(r["error"], "0.000") << " after " << r["growth_runs"].get<long>() << " growth runs\n";
    out << "Final age  " << num(r["final_age"], "0.0") << " days (measured " << num(r["measured_final_age"], "0.0")
        << ")\n";
    out << "Total feed " << num(r["total_feed"], "0.0") << " " << r["weight_unit"].get<std::string>() << " (measured "
        << num(r["measured_total_feed"], "0.0") << ")\n";
    out << "\n" << r["search_text"].get<std::string>() << "\n" << r["diagnostics_text"].get<std::string>() << "\n";
    const auto& c = r["correlations"];
    out << "Correlations of measured with predicted (read them with the residuals above): weight "
        << num(c["weight"], "0.0000") << ", age " << num(c["age"], "0.0000") << ", cumulative feed "
        << num(c["feed"], "0.0000") << "\n";
    if (r.value("outside_documented_curve", false))
        out << r.value("outside_documented_curve_text", std::string()) << "\n";
    if (r.value("outcome", std::string()) == "failed")
        out << "FAILED: " << r.value("failure", std::string()) << ".\n";
    if (r.value("failed_not_saved", false))
        out << "Not saved: a calibration that failed is not saved.\n";
    else if (r.value("save_failed", false))
        out << "NOT saved: a file of the location could not be written (see the messages above).\n";
    else
        out << (r["saved"].get<bool>() ? "Saved to the location.\n" : "Not saved (use --save).\n");
}

}  // namespace tarvisol::cli
