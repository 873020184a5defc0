#include "cli/LpCommand.h"

#include <cstdio>
#include <map>
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

namespace {

using Json = nlohmann::ordered_json;

std::string IngredientLabel(const SharedState& s, int j) {
    return s.IngredientNames(j).empty() ? "Ingredient " + std::to_string(j) : NameText(s.IngredientNames(j));
}

std::string NutrientLabel(const SharedState& s, int k) {
    std::string name = NameText(s.NutrientNames(k + 1));
    return name.empty() ? "Nutrient " + std::to_string(k) : name;
}

// Rows that share a name (or have none): results are kept by row, and the
// user is told which rows a name stands for.
void NoteDuplicateNames(const SharedState& s, Dialogs& dialogs) {
    for (int j = 1; j <= s.IngredientCount; ++j) {
        if (s.IngredientNames(j).empty()) {
            dialogs.Message("Ingredient " + std::to_string(j) + " of the matrix has no name; it is shown as \"Ingredient " +
                            std::to_string(j) + "\"");
            continue;
        }
        bool first = true;
        std::string rows;
        for (int i = 1; i <= s.IngredientCount; ++i) {
            if (s.IngredientNames(i) != s.IngredientNames(j)) continue;
            if (i < j) first = false;
            rows += (rows.empty() ? "" : ", ") + std::to_string(i);
        }
        if (first && rows != std::to_string(j))
            dialogs.Message("Ingredients " + rows + " of the matrix share the name " + s.IngredientNames(j) +
                            "; the formulas keep them apart by their row");
    }
}

}  // namespace

Json RunLpCommand(const LpArgs& args, std::ostream* messages) {
    ConsoleDialogs dialogs(messages, Answer::No);
    const std::string& base = args.location;
    FormulationSession session = OpenFormulationFiles(base, dialogs);
    auto& s = session.s;
    auto& form = session.form;
    const bool loaded = session.loaded;
    Json diets = Json::array();
    std::string problem;
    if (loaded && s->DietCount == 0) {
        // Nothing to formulate: no diet file, or one that could not be read.
        problem = "No diets to formulate: " + s->DietFile + (FileExists(s->DietFile) ? " could not be read" : " is missing");
        dialogs.Message(problem);
    } else if (loaded) {
        NoteDuplicateNames(*s, dialogs);
        RunLp(*s);
        for (int d = 1; d <= s->DietCount && d <= 8; ++d) {
            // A diet without a formula shows no figures: an earlier formula
            // or an empty solution is not this diet's.
            const bool feasible = DietFormulated(*s, d);
            Json formula = Json::array(), nutrients = Json::array(), unpriced = Json::array();
            if (feasible) {
                for (int j = 1; j <= s->IngredientCount; ++j)
                    if (s->DietFormula(d, j) > 0)
                        formula.push_back({{"ingredient", j}, {"name", IngredientLabel(*s, j)}, {"percent", s->DietFormula(d, j)}});
                for (int k = 1; k <= s->NutrientCount - 1 && k + 1 <= 121; ++k)
                    nutrients.push_back({{"nutrient", k}, {"name", NutrientLabel(*s, k)}, {"content", s->DietNutrients(d, k)}});
                for (int j : UnpricedIngredients(*s, d)) unpriced.push_back({{"ingredient", j}, {"name", IngredientLabel(*s, j)}});
            }
            const Grid& g = form->Griddiets;
            Json diet = {{"diet", d},
                         {"name", NameText(d < g.Cols() && g.Rows() > 1 ? g.TextMatrix(1, d) : std::string())},
                         {"feasible", feasible},
                         {"price", feasible ? Json(s->DietPrice(d)) : Json()},
                         {"price_complete", feasible && unpriced.empty()},
                         {"unpriced", std::move(unpriced)}};
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
    Json shown = Json::array();
    for (const std::string& m : dialogs.Shown()) shown.push_back(MixedText(m));
    Json r = {{"location", MixedText(base)}, {"loaded", loaded}, {"diets", diets}, {"messages", shown}};
    if (!problem.empty()) r["problem"] = MixedText(problem);
    return r;
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
    if (r.contains("problem")) {
        out << "Nothing formulated: no diets (" << r["problem"].get<std::string>() << ")\n";
        return;
    }
    for (const auto& d : r["diets"]) {
        out << "Diet " << d["diet"].get<int>();
        if (!d["name"].get<std::string>().empty()) out << " (" << d["name"].get<std::string>() << ")";
        if (d["feasible"].get<bool>()) {
            out << ": feasible, price " << Fixed(d["price"].get<double>(), 2);
            std::string names;
            for (const auto& u : d["unpriced"]) names += (names.empty() ? "" : ", ") + u["name"].get<std::string>();
            if (!names.empty()) out << " (leaves out " << names << ": no price)";
            out << "\n";
        } else {
            out << ": not formulated: " << d["reason"].get<std::string>() << "\n";
        }
        // A name two rows share is told apart by its row.
        std::map<std::string, int> uses;
        for (const auto& i : d["formula"]) ++uses[i["name"].get<std::string>()];
        for (const auto& i : d["formula"]) {
            std::string name = i["name"].get<std::string>();
            if (uses[name] > 1) name += " (row " + std::to_string(i["ingredient"].get<int>()) + ")";
            out << "  " << PadRight(name, 26) << PadLeft(Fixed(i["percent"].get<double>(), 3), 9) << " %\n";
        }
        for (const auto& n : d["nutrients"])
            out << "  " << PadRight(n["name"].get<std::string>(), 26)
                << PadLeft(FormatPrecise(n["content"].get<double>()), 11) << "\n";
        out << "\n";
        PrintSensitivity(d, out);
    }
}

int LpExitCode(const nlohmann::ordered_json& r) {
    if (!r["loaded"].get<bool>() || r.contains("problem")) return 2;
    for (const auto& d : r["diets"])
        if (!d["feasible"].get<bool>() || !d["price_complete"].get<bool>() ||
            (d.contains("sensitivity") && d["sensitivity"].is_null()))
            return 1;
    return 0;
}

}  // namespace tarvisol::cli
