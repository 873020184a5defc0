#include "cli/GenotypeCalibration.h"

#include <filesystem>
#include <ostream>

#include "calibration/FittedGenotypeName.h"
#include "calibration/GenotypeFit.h"
#include "cli/CommandSession.h"
#include "cli/ConsoleDialogs.h"
#include "cli/JsonText.h"
#include "growth/GrowthRun.h"
#include "location/GenotypeFile.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/TextFile.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {
namespace {

nlohmann::json SexJson(const SexGenotype& g) {
    return {{"mean_protein_deposition_g", g.MeanProteinDeposition},
            {"precocity", g.Precocity},
            {"ne_intake_50kg_kcal", g.NeIntake50},
            {"ne_intake_100kg_kcal", g.NeIntake100}};
}

nlohmann::json DiagnosticsJson(const GenotypeDiagnostics& d) {
    nlohmann::json j;
    j["genotype"] = {{"name", NameText(d.Pig.Name)},
                     {"males_are", MaleTypeName(d.Pig.Males)},
                     {"males", SexJson(d.Pig.Male)},
                     {"females", SexJson(d.Pig.Female)}};
    j["grown"] = d.Grown;
    j["error"] = d.Error;
    j["final_age"] = d.FinalAge;
    j["measured_final_age"] = d.MeasuredFinalAge;
    j["total_feed_kg"] = d.TotalFeed;
    j["measured_total_feed_kg"] = d.MeasuredTotalFeed;
    j["mean_protein_deposition_g"] = d.MeanProteinDeposition;
    j["late_lipid_share"] = d.LateFatShare;
    j["weighings"] = nlohmann::json::array();
    for (const GenotypeWeighing& w : d.Weighings)
        j["weighings"].push_back({{"age", w.Age},
                                  {"measured_kg", w.Measured},
                                  {"genotype_kg", w.Simulated},
                                  {"residual_kg", w.Residual},
                                  {"residual_percent", 100 * w.ResidualShare},
                                  {"measured_feed_kg", w.MeasuredFeed},
                                  {"genotype_feed_kg", w.SimulatedFeed},
                                  {"feed_residual_kg", w.FeedResidual},
                                  {"feed_residual_percent", 100 * w.FeedResidualShare},
                                  {"missed", w.Missed}});
    j["warnings"] = nlohmann::json::array();
    for (const std::string& w : d.Warnings) j["warnings"].push_back(MixedText(w));
    j["text"] = MixedText(GenotypeDiagnosticsText(d));
    return j;
}

}  // namespace

bool CalibratesGenotype(const CalibrateArgs& args) {
    if (args.model.model) return *args.model.model == "response";
    if (args.model.genotype) return true;
    // The location's own model, from its genotype file.
    std::string content, error;
    if (!FileExists(args.location + response::kGenotypeExtension) ||
        !ReadTextFile(args.location + response::kGenotypeExtension, content, error))
        return false;
    GrowthModelChoice choice;
    choice.Pig = response::ReferenceGenotype();
    std::vector<std::string> messages;
    response::ReadGenotypeText(content, choice, messages);
    return choice.Kind == GrowthModelKind::Response;
}

nlohmann::json RunGenotypeCalibration(const CalibrateArgs& args, std::ostream* messages) {
    ConsoleDialogs dialogs(messages, Answer::No);
    CommandSession session = OpenCommandSession(args.location, dialogs, std::nullopt, !args.save);
    SharedState& s = *session.s;
    nlohmann::json r;
    r["location"] = MixedText(s.LocationBase);
    r["model"] = "response";
    r["ran"] = false;
    r["saved"] = false;
    r["save_failed"] = false;
    const auto refuse = [&](const std::string& why) {
        dialogs.Message(why);
        r["outcome"] = "refused";
        r["messages"] = MixedTexts(dialogs.Shown());
        return r;
    };
    if (!session.found) return refuse(session.notFound);
    if (const std::string p = ApplyModelArgs(s, args.model); !p.empty()) return refuse(p);
    s.Model.Kind = GrowthModelKind::Response;
    // The diets the herd was fed: the location's programme as Growth makes it.
    if (session.w->ComboSex.ListIndex < 0) session.w->ComboSex.ListIndex = 0;
    const GrowthOutcome grown = Growth(s);
    if (grown == GrowthOutcome::Refused || grown == GrowthOutcome::NotFormulated)
        return refuse("The genotype was not fitted: Growth could not run on the location's diets");
    const GenotypeFitInputs inputs = GenotypeFitInputsOf(s);
    GenotypeFitOptions options;
    options.threads = args.threads;
    const GenotypeFit fit = FitGenotype(inputs, options);
    if (!fit.Problem.empty()) return refuse("The genotype was not fitted: " + fit.Problem);
    r["ran"] = true;
    r["in_force"] = DiagnosticsJson(fit.InForce);
    r["fitted"] = DiagnosticsJson(fit.Fitted);
    r["evaluations"] = fit.Evaluations;
    r["outcome"] = fit.Fitted.Grown ? "calibrated" : "failed";
    if (fit.Fitted.Grown && args.save) {
        s.Model.Kind = GrowthModelKind::Response;
        s.Model.Pig = NamedFittedGenotype(fit.Fitted.Pig, s.LocationBase, fit.InForce.Pig.Name);
        s.KeepFiles = false;
        const bool saved = SaveGenotypeFile(s);
        r["saved"] = saved;
        r["save_failed"] = !saved;
    }
    r["messages"] = MixedTexts(dialogs.Shown());
    return r;
}

void PrintGenotypeCalibration(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r["ran"].get<bool>()) {
        out << "The genotype was not fitted.\n";
        return;
    }
    out << "Location " << r["location"].get<std::string>() << "\nGrowth model: nutrient response\n\n";
    out << "Genotype in force (fit error " << FormatPattern(r["in_force"]["error"].get<double>(), "0.000") << ")\n"
        << r["in_force"]["text"].get<std::string>() << "\n";
    out << "Fitted genotype (fit error " << FormatPattern(r["fitted"]["error"].get<double>(), "0.000") << ", "
        << r["evaluations"].get<int>() << " growth runs)\n"
        << r["fitted"]["text"].get<std::string>() << "\n";
    if (r.value("outcome", std::string()) == "failed") out << "FAILED: the fitted genotype does not grow the herd.\n";
    if (r.value("save_failed", false))
        out << "NOT saved: the genotype file could not be written (see the messages above).\n";
    else
        out << (r["saved"].get<bool>() ? "Saved to the location's genotype file.\n" : "Not saved (use --save).\n");
}

}  // namespace tarvisol::cli
