#include "cli/LpCommand.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "cli/ConsoleDialogs.h"
#include "cli/FormulationSession.h"
#include "cli/SensitivityJson.h"
#include "cli/JsonText.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {

nlohmann::ordered_json RunLpCommand(const LpArgs& args, std::ostream* messages) {
    ConsoleDialogs dialogs(messages, Answer::No);
    const std::string& base = args.location;
    FormulationSession session = OpenFormulationFiles(base, dialogs);
    auto& s = session.s;
    auto& form = session.form;
    const bool loaded = session.loaded;
    nlohmann::ordered_json diets = nlohmann::ordered_json::array();
    if (loaded) {
        RunLp(*s);
        for (int d = 1; d <= s->DietCount && d <= 8; ++d) {
            // A diet without a formula shows no figures: an earlier formula
            // or an empty solution is not this diet's.
            const bool feasible = DietFormulated(*s, d);
            nlohmann::ordered_json formula = nlohmann::ordered_json::object();
            nlohmann::ordered_json nutrients = nlohmann::ordered_json::object();
            if (feasible) {
                for (int j = 1; j <= s->IngredientCount; ++j)
                    if (s->DietFormula(d, j) > 0) formula[NameText(s->IngredientNames(j))] = s->DietFormula(d, j);
                for (int k = 1; k <= s->NutrientCount - 1 && k + 1 <= 121; ++k) {
                    std::string name = NameText(s->NutrientNames(k + 1));
                    if (name.empty()) name = "Nutrient " + std::to_string(k);
                    nutrients[name] = s->DietNutrients(d, k);
                }
            }
            const Grid& g = form->Griddiets;
            nlohmann::ordered_json diet = {{"diet", d},
                                           {"name", NameText(d < g.Cols() && g.Rows() > 1 ? g.TextMatrix(1, d) : std::string())},
                                           {"feasible", feasible},
                                           {"price", feasible ? nlohmann::ordered_json(s->DietPrice(d)) : nlohmann::ordered_json()}};
            if (!feasible)
                diet["reason"] = MixedText(s->DietLpReason(d).empty() ? std::string("infeasible") : s->DietLpReason(d));
            diet["formula"] = std::move(formula);
            diet["nutrients"] = std::move(nutrients);
            if (args.sensitivity) AddSensitivity(*s, d, diet);
            diets.push_back(std::move(diet));
        }
    } else {
        const std::string text = "No ingredient matrix loaded from " + s->MatrixFile;
        dialogs.Message(text);
    }
    nlohmann::ordered_json shown = nlohmann::ordered_json::array();
    for (const std::string& m : dialogs.Shown()) shown.push_back(MixedText(m));
    return {{"location", base}, {"loaded", loaded}, {"diets", diets}, {"messages", shown}};
}

namespace {
std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}
std::string PadLeft(const std::string& t, std::size_t w) { return t.size() >= w ? t : std::string(w - t.size(), ' ') + t; }
std::string PadRight(const std::string& t, std::size_t w) { return t.size() >= w ? t : t + std::string(w - t.size(), ' '); }
}  // namespace

void PrintLp(const nlohmann::ordered_json& r, std::ostream& out) {
    if (!r["loaded"].get<bool>()) {
        out << "Nothing formulated: no ingredient matrix at " << r["location"].get<std::string>() << kMatrixEnding
            << "\n";
        return;
    }
    for (const auto& d : r["diets"]) {
        out << "Diet " << d["diet"].get<int>();
        if (!d["name"].get<std::string>().empty()) out << " (" << d["name"].get<std::string>() << ")";
        if (d["feasible"].get<bool>())
            out << ": feasible, price " << Fixed(d["price"].get<double>(), 2) << "\n";
        else
            out << ": not formulated: " << d["reason"].get<std::string>() << "\n";
        for (const auto& [name, v] : d["formula"].items())
            out << "  " << PadRight(name, 26) << PadLeft(Fixed(v.get<double>(), 3), 9) << " %\n";
        for (const auto& [name, v] : d["nutrients"].items())
            out << "  " << PadRight(name, 26) << PadLeft(FormatPrecise(v.get<double>()), 11) << "\n";
        out << "\n";
        PrintSensitivity(d, out);
    }
}

int LpExitCode(const nlohmann::ordered_json& r) {
    if (!r["loaded"].get<bool>()) return 2;
    for (const auto& d : r["diets"])
        if (!d["feasible"].get<bool>() || (d.contains("sensitivity") && d["sensitivity"].is_null())) return 1;
    return 0;
}

}  // namespace tarvisol::cli
