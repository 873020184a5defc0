#include "cli/ModelChoice.h"

#include "cli/JsonText.h"
#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"

namespace tarvisol::cli {

std::string ApplyModelArgs(SharedState& s, const ModelArgs& a) {
    if (a.model && *a.model == "documented" && a.genotype)
        return "--genotype is the nutrient-response model's: it cannot go with --model documented";
    if (a.genotype) {
        if (const response::GenotypePreset* p = response::FindGenotypePreset(*a.genotype)) {
            s.Model.Pig = p->Pig;
        } else {
            std::string content, error;
            if (!FileExists(*a.genotype) || !ReadTextFile(*a.genotype, content, error))
                return "--genotype " + *a.genotype + " is neither a preset (tarvisol-cli genotypes lists them) nor a "
                       "genotype file that can be read";
            GrowthModelChoice read;
            read.Pig = response::ReferenceGenotype();
            std::vector<std::string> messages;
            response::ReadGenotypeText(content, read, messages);
            if (!messages.empty()) return "--genotype " + *a.genotype + ": " + messages.front();
            s.Model.Pig = read.Pig;
        }
        s.Model.Kind = GrowthModelKind::Response;
    }
    if (a.model) s.Model.Kind = *a.model == "response" ? GrowthModelKind::Response : GrowthModelKind::Documented;
    if (s.Model.Kind == GrowthModelKind::Response)
        if (const std::string p = response::GenotypeProblem(s.Model.Pig); !p.empty()) return p;
    return {};
}

std::string ChooseGrowthModel(SharedState& s, const ModelArgs& a, std::optional<int> sex) {
    if (sex && s.Main) s.Main->ComboSex.ListIndex = *sex;
    return ApplyModelArgs(s, a);
}

void AddModelJson(const RunSnapshot& run, const SharedState& s, nlohmann::json& out) {
    out["model"] = run.Model;
    if (run.Model != "response") return;
    const Genotype& g = s.Model.Pig;
    const auto sex = [](const SexGenotype& x) {
        return nlohmann::json{{"mean_protein_deposition_g", x.MeanProteinDeposition},
                              {"precocity", x.Precocity},
                              {"ne_intake_50kg_kcal", x.NeIntake50},
                              {"ne_intake_100kg_kcal", x.NeIntake100}};
    };
    out["genotype"] = {{"name", NameText(g.Name)},    {"source", NameText(g.Source)},
                       {"males_are", MaleTypeName(g.Males)}, {"wastage_percent", g.WastagePercent},
                       {"males", sex(g.Male)},        {"females", sex(g.Female)}};
}

void AddChosenModelJson(const SharedState& s, nlohmann::json& out) {
    RunSnapshot run;
    run.Model = GrowthModelKey(s.Model.Kind);
    if (s.Model.Kind == GrowthModelKind::Response) run.Genotype = s.Model.Pig.Name;
    AddModelJson(run, s, out);
}

std::string ModelLineOf(const nlohmann::json& report) {
    if (report.value("model", std::string()) != "response" || !report.contains("genotype"))
        return "Growth model: documented curve";
    // The genotype as a run's report gives it (with its parameters) or as a kept run's inputs name it.
    const nlohmann::json& g = report["genotype"];
    const std::string name = g.is_string() ? g.get<std::string>() : g.is_object() ? g.value("name", std::string()) : "";
    return "Growth model: nutrient response, genotype " + name;
}

std::string ModelLine(const RunSnapshot& run) {
    if (run.Model != "response") return "Growth model: documented curve";
    return "Growth model: nutrient response, genotype " + NameText(run.Genotype);
}

}  // namespace tarvisol::cli
