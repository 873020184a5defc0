#include "cli/GenotypesCommand.h"

#include <ostream>

#include "response/GenotypeCurves.h"
#include "response/GenotypePresets.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {
namespace {

nlohmann::json SexJson(const SexGenotype& g) {
    const response::SexCurves c = response::CurvesOf(g, 0);
    return {{"mean_protein_deposition_g", g.MeanProteinDeposition},
            {"precocity", g.Precocity},
            {"ne_intake_50kg_kcal", g.NeIntake50},
            {"ne_intake_100kg_kcal", g.NeIntake100},
            {"feed_50kg_at_reference_ne_kg", g.NeIntake50 / kResponseReferenceNe},
            {"feed_100kg_at_reference_ne_kg", g.NeIntake100 / kResponseReferenceNe},
            {"mature_protein_kg", c.MatureProtein}};
}

}  // namespace

nlohmann::json GenotypesJson() {
    nlohmann::json out;
    out["reference_ne_kcal_per_kg"] = kResponseReferenceNe;
    out["presets"] = nlohmann::json::array();
    for (const response::GenotypePreset& p : response::GenotypePresets())
        out["presets"].push_back({{"key", p.Key},
                                  {"name", p.Pig.Name},
                                  {"source", p.Pig.Source},
                                  {"males_are", MaleTypeName(p.Pig.Males)},
                                  {"wastage_percent", p.Pig.WastagePercent},
                                  {"males", SexJson(p.Pig.Male)},
                                  {"females", SexJson(p.Pig.Female)}});
    return out;
}

void PrintGenotypes(const nlohmann::json& presets, std::ostream& out) {
    out << "Genotypes of the nutrient-response model (intakes as net energy eaten, kcal a day; feed at "
        << FormatPattern(presets["reference_ne_kcal_per_kg"].get<double>(), "0") << " kcal NE/kg)\n";
    for (const auto& p : presets["presets"]) {
        out << "\n" << p["key"].get<std::string>() << ": " << p["name"].get<std::string>() << "\n";
        out << "  Source: " << p["source"].get<std::string>() << "\n";
        for (const char* sex : {"males", "females"}) {
            const auto& g = p[sex];
            const std::string who = std::string(sex) == "males" ? p["males_are"].get<std::string>() : "gilts";
            out << "  " << who << ": mean protein deposition " << FormatPattern(g["mean_protein_deposition_g"].get<double>(), "0.0")
                << " g/d, precocity " << FormatPattern(g["precocity"].get<double>(), "0.00000") << " /d, NE intake "
                << FormatPattern(g["ne_intake_50kg_kcal"].get<double>(), "0") << " at 50 kg ("
                << FormatPattern(g["feed_50kg_at_reference_ne_kg"].get<double>(), "0.00") << " kg feed), "
                << FormatPattern(g["ne_intake_100kg_kcal"].get<double>(), "0") << " at 100 kg ("
                << FormatPattern(g["feed_100kg_at_reference_ne_kg"].get<double>(), "0.00") << " kg)\n";
        }
        out << "  Feed wastage " << FormatPattern(p["wastage_percent"].get<double>(), "0.#") << " %\n";
    }
}

}  // namespace tarvisol::cli
