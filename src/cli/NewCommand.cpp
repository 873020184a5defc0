#include "cli/NewCommand.h"

#include <cmath>
#include <ostream>

#include "cli/JsonText.h"
#include "formulation/IngredientLibrary.h"
#include "formulation/PriceSheet.h"
#include "location/NewLocation.h"
#include "location/PigFile.h"
#include "response/GenotypeText.h"
#include "shared/Dialogs.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"
#include "ui/ProgramData.h"

namespace tarvisol::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Refused(const NewArgs& args, const std::string& why) {
    return {{"location", MixedText(args.location)}, {"made", false}, {"refused", true}, {"error", MixedText(why)}};
}

std::string Lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

}  // namespace

std::vector<std::string> SplitNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        std::string name = list.substr(start, end - start);
        const auto first = name.find_first_not_of(' ');
        name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

Json RunNewCommand(const NewArgs& args, const std::string& programFolder) {
    // The library.
    std::string libraryPath = args.library;
    if (libraryPath.empty()) libraryPath = FindProgramData(programFolder).libraryFile;
    if (libraryPath.empty()) return Refused(args, "The ingredient library was not found beside the program's demo");
    IngredientLibrary library;
    std::string error;
    if (!LoadIngredientLibrary(libraryPath, library, error)) return Refused(args, error);

    // The ingredients chosen, each once.
    NewLocationPlan plan;
    plan.base = args.location;
    std::string unknown, unreadable;
    for (const std::string& typed : args.ingredients) {
        // Typed as UTF-8; the library names them in its single-byte text.
        std::string name;
        if (std::string why = TypedToWindows1252(typed, "The ingredient name " + typed, name); !why.empty())
            return Refused(args, why);
        const LibraryIngredient* row = FindLibraryIngredient(library, name);
        if (const std::string why = WhyNotInLibrary(library, name); !row && !why.empty()) {
            unreadable += "\n  " + why;
            continue;
        }
        if (!row) {
            std::string near;
            const std::string firstWord = Lower(name.substr(0, name.find(' ')));
            for (const LibraryIngredient* hit : SearchLibrary(library, firstWord))
                near += (near.empty() ? "" : "; ") + hit->name;
            unknown += "\n  " + name + (near.empty() ? std::string() : " (the library has: " + near + ")");
            continue;
        }
        bool twice = false;
        for (const LibraryIngredient& chosen : plan.ingredients) twice = twice || chosen.name == row->name;
        if (twice) return Refused(args, row->name + " is chosen twice");
        plan.ingredients.push_back(*row);
    }
    if (!unreadable.empty())
        return Refused(args, "The ingredient library " + libraryPath + " names these ingredients on lines it could not read:" + unreadable +
                                 (unknown.empty() ? std::string() : "\nNot in the ingredient library:" + unknown));
    if (!unknown.empty()) return Refused(args, "Not in the ingredient library:" + unknown);

    // Prices: the sheet's where it names the ingredient, else the library's.
    Json prices = {{"from_sheet", Json::array()}, {"indicative", Json::array()}, {"not_used", Json::array()}};
    if (!args.prices.empty()) {
        std::string text;
        if (!ReadTextFile(args.prices, text, error)) return Refused(args, error);
        SharedState names;
        names.IngredientCount = static_cast<int16_t>(plan.ingredients.size());
        for (std::size_t i = 0; i < plan.ingredients.size(); ++i) {
            names.IngredientNames(static_cast<int>(i) + 1) = plan.ingredients[i].name;
            names.IngredientPrices(static_cast<int>(i) + 1) = plan.ingredients[i].price;
        }
        const PriceSheet sheet = ReadPriceSheet(text, names);
        if (!sheet.notes.empty()) {
            std::string why = "The price sheet " + args.prices + " has lines that were not read:";
            for (const std::string& n : sheet.notes) why += "\n  " + n;
            return Refused(args, why);
        }
        const PriceMatch match = MatchPrices(names, sheet);
        if (match.Refused()) {
            std::string why = "The price sheet " + args.prices + " gives one ingredient two prices:";
            for (const std::string& c : match.conflicts) why += "\n  " + c;
            return Refused(args, why);
        }
        for (const PriceChange& c : match.changes) {
            plan.ingredients[static_cast<std::size_t>(c.ingredient - 1)].price = c.after;
            prices["from_sheet"].push_back(MixedText(c.name));
        }
        for (const std::string& n : match.unmatched) prices["not_used"].push_back(MixedText(n));
    }
    for (const LibraryIngredient& row : plan.ingredients) {
        bool fromSheet = false;
        for (const auto& n : prices["from_sheet"]) fromSheet = fromSheet || n.get<std::string>() == MixedText(row.name);
        if (!fromSheet) prices["indicative"].push_back(MixedText(row.name));
    }

    // Diets and weights.
    if (!args.weights.empty()) {
        plan.weights = args.weights;
        if (static_cast<int>(plan.weights.size()) - 1 != args.diets)
            return Refused(args, "--weights gives " + std::to_string(plan.weights.size()) + " weights for " +
                                     std::to_string(args.diets) + " diets; it needs the starting weight and one "
                                     "weight per diet");
    } else {
        if (args.diets < 1 || args.diets > kNewLocationMaxDiets)
            return Refused(args, "--diets must be from 1 to " + std::to_string(kNewLocationMaxDiets));
        plan.weights = EvenWeights(25, 125, args.diets);
    }
    plan.startAge = args.startAge;
    plan.currency = args.currency;

    // The growth model: another location's, then the genotype chosen.
    if (!args.curveFrom.empty()) {
        if (!ModelOfLocation(args.curveFrom, plan, error)) return Refused(args, "--from: " + error);
    }
    if (!args.genotype.empty() && !PresetModel(args.genotype, plan.model)) {
        std::string text;
        if (!FileExists(args.genotype) || !ReadTextFile(args.genotype, text, error))
            return Refused(args, "--genotype " + args.genotype +
                                     " is neither a preset (tarvisol-cli genotypes lists them) nor a genotype file "
                                     "that can be read");
        GrowthModelChoice read;
        read.Pig = plan.model.Pig;
        std::vector<std::string> messages;
        response::ReadGenotypeText(text, read, messages);
        if (!messages.empty()) return Refused(args, "--genotype " + args.genotype + ": " + messages.front());
        plan.model = GrowthModelChoice{GrowthModelKind::Response, read.Pig};
    }
    if (!args.genotype.empty()) plan.genotypeFile = true;

    const NewLocationOutcome made = MakeNewLocation(plan);
    if (!made.made) {
        Json r = Refused(args, made.error);
        r["refused"] = made.refused;
        return r;
    }
    Json files = Json::array();
    for (const std::string& f : made.files) files.push_back(MixedText(f));
    Json diets = Json::array();
    for (std::size_t d = 0; d < made.diets.size(); ++d) {
        const NewLocationDiet& diet = made.diets[d];
        diets.push_back({{"diet", d + 1},
                         {"name", MixedText(diet.name)},
                         {"from_weight", diet.fromKg},
                         {"to_weight", diet.toKg},
                         {"allotment", diet.allotment},
                         {"end_weight", diet.endWeight},
                         {"end_age", diet.endAge},
                         {"daily_gain", diet.dailyGain},
                         {"feed_gain", diet.feedGain},
                         {"price", diet.price}});
    }
    Json r = {{"location", MixedText(args.location)},
              {"made", true},
              {"refused", false},
              {"files", files},
              {"prices", prices},
              {"diets", diets},
              {"final_age", made.finalAge},
              {"total_feed", made.totalFeed},
              {"model", GrowthModelKey(plan.model.Kind)}};
    if (plan.model.Kind == GrowthModelKind::Response)
        r["genotype"] = {{"name", MixedText(plan.model.Pig.Name)}, {"source", MixedText(plan.model.Pig.Source)}};
    return r;
}

void PrintNew(const Json& r, std::ostream& out, std::ostream& err) {
    if (!r.value("made", false)) {
        err << "tarvisol-cli new: " << r.value("error", std::string()) << "\n";
        return;
    }
    out << "New location " << r["location"].get<std::string>() << "\n";
    for (const auto& f : r["files"]) out << "  wrote " << f.get<std::string>() << "\n";
    if (r.value("model", std::string()) == "response")
        out << "Growth model: nutrient response, genotype " << r["genotype"]["name"].get<std::string>()
            << "\n  Source: " << r["genotype"]["source"].get<std::string>() << "\n";
    else
        out << "Growth model: documented curve (the growth curve of the location it was made from)\n";
    out << "Diet                         from     to  allotment  ends at  gain kg/d  feed/gain  price/t\n";
    for (const auto& d : r["diets"]) {
        char line[240];
        std::snprintf(line, sizeof line, "%-26s %6.1f %6.1f %10.1f %8.1f %10.3f %10.2f %8.1f\n",
                      d["name"].get<std::string>().c_str(), d["from_weight"].get<double>(), d["to_weight"].get<double>(),
                      d["allotment"].get<double>(), d["end_weight"].get<double>(), d["daily_gain"].get<double>(),
                      d["feed_gain"].get<double>(), d["price"].get<double>());
        out << line;
    }
    char tail[160];
    std::snprintf(tail, sizeof tail, "The pig reaches the final weight at %.1f days on %.1f kg of feed.\n",
                  r["final_age"].get<double>(), r["total_feed"].get<double>());
    out << tail;
    const auto& p = r["prices"];
    if (!p["indicative"].empty()) {
        out << "Indicative library prices (set your own):";
        for (const auto& n : p["indicative"]) out << " " << n.get<std::string>() << ";";
        out << "\n";
    }
    if (!p["not_used"].empty()) {
        out << "Prices in the sheet for ingredients not chosen:";
        for (const auto& n : p["not_used"]) out << " " << n.get<std::string>() << ";";
        out << "\n";
    }
}

int NewExitCode(const Json& r) {
    if (r.value("made", false)) return 0;
    return r.value("refused", false) ? 2 : 1;
}

}  // namespace tarvisol::cli
