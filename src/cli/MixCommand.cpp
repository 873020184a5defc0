#include "cli/MixCommand.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/FormulationSession.h"
#include "cli/JsonText.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "formulation/MixingSheet.h"
#include "shared/MainWindowForm.h"
#include "shared/TextEncoding.h"

namespace tarvisol::cli {
namespace {

using Json = nlohmann::ordered_json;

Json SheetJson(const MixingSheet& m) {
    Json ingredients = Json::array(), nutrients = Json::array();
    for (const MixedIngredient& i : m.ingredients)
        ingredients.push_back({{"ingredient", i.ingredient},
                               {"name", Windows1252ToUtf8(i.name)},
                               {"inclusion", i.inclusion},
                               {"weight", i.weight},
                               {"resolution", i.step},
                               {"batch_percent", i.batchPercent},
                               {"minimum", i.minimum > 0 ? Json(i.minimum) : Json()},
                               {"maximum", i.maximum > 0 ? Json(i.maximum) : Json()},
                               {"broken", i.broken},
                               {"within_tolerance", i.withinTolerance}});
    for (const MixedNutrient& n : m.nutrients)
        nutrients.push_back({{"nutrient", n.nutrient},
                             {"name", Windows1252ToUtf8(n.name)},
                             {"minimum", n.minimum != 0 ? Json(n.minimum) : Json()},
                             {"maximum", n.maximum > 0 ? Json(n.maximum) : Json()},
                             {"diet", n.diet},
                             {"batch", n.batch},
                             {"tolerance", n.tolerance},
                             {"below_minimum", n.belowMinimum},
                             {"above_maximum", n.aboveMaximum},
                             {"within_tolerance", n.withinTolerance}});
    return {{"batch", m.options.batch},
            {"total", m.total},
            {"resolution", m.options.coarseStep},
            {"fine_resolution", m.options.fineStep},
            {"fine_below_percent", m.options.fineBelow},
            {"ingredients", ingredients},
            {"nutrients", nutrients},
            {"broken_limits", m.broken},
            {"within_tolerance", m.withinTolerance}};
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}
std::string Pad(const std::string& t, std::size_t w, bool left) {
    if (t.size() >= w) return t;
    return left ? std::string(w - t.size(), ' ') + t : t + std::string(w - t.size(), ' ');
}

// Today as year-month-day, in local time: the day the sheet was made.
std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

}  // namespace

Json RunMixCommand(const MixArgs& args, std::ostream* messages) {
    ConsoleDialogs dialogs(messages, Answer::No);
    const std::string& base = args.location;
    FormulationSession session = OpenFormulationFiles(base, dialogs);
    auto& s = session.s;
    auto& form = session.form;
    const bool loaded = session.loaded;
    Json out = {{"location", MixedText(base)}, {"loaded", loaded}, {"diet", args.diet}, {"name", ""},
                {"date", Today()}, {"sheet", nullptr}};
    bool refused = !loaded;
    if (!loaded) {
        out["problem"] = MixedText("No ingredient matrix loaded from " + s->MatrixFile);
    } else if (args.diet < 1 || args.diet > s->DietCount || args.diet > 8) {
        out["problem"] = "The location has diets 1 to " + std::to_string(s->DietCount) + ", not " + std::to_string(args.diet);
        refused = true;
    } else {
        RunLp(*s);
        const Grid& g = form->Griddiets;
        if (args.diet < g.Cols() && g.Rows() > 1) out["name"] = Windows1252ToUtf8(g.TextMatrix(1, args.diet));
        MixingOptions o = DefaultMixingOptions(0);
        if (args.batch) o.batch = *args.batch;
        if (args.resolution) o.coarseStep = *args.resolution;
        if (args.fineResolution) o.fineStep = *args.fineResolution;
        MixingSheet m;
        if (const std::string why = BuildMixingSheet(*s, args.diet, o, m); !why.empty()) {
            out["problem"] = MixedText(why);
            refused = DietFormulated(*s, args.diet);  // a size the sheet cannot use
        } else {
            out["sheet"] = SheetJson(m);
        }
    }
    out["refused"] = refused;
    Json shown = Json::array();
    for (const std::string& t : dialogs.Shown()) shown.push_back(MixedText(t));
    out["messages"] = shown;
    return out;
}

void PrintMix(const Json& r, std::ostream& out) {
    if (r["sheet"].is_null()) {
        out << "No mixing sheet: " << r.value("problem", std::string()) << "\n";
        return;
    }
    const Json& m = r["sheet"];
    out << "Mixing sheet, diet " << r["diet"].get<int>();
    if (!r["name"].get<std::string>().empty()) out << " (" << r["name"].get<std::string>() << ")";
    out << ": batch " << Fixed(m["batch"].get<double>(), 2) << " kg, scale " << Fixed(m["resolution"].get<double>(), 2)
        << " kg above " << Fixed(m["fine_below_percent"].get<double>(), 0) << " %, "
        << Fixed(m["fine_resolution"].get<double>(), 3) << " kg below\n\n";
    out << "Location: " << r["location"].get<std::string>() << "   Date: " << r.value("date", std::string())
        << "   Batch number: ________________\n\n";
    out << "  " << Pad("Ingredient", 28, false) << Pad("formula %", 11, true) << Pad("weight, kg", 13, true)
        << "  weighed\n";
    for (const Json& i : m["ingredients"])
        out << "  " << Pad(i["name"].get<std::string>(), 28, false) << Pad(Fixed(i["inclusion"].get<double>(), 3), 11, true)
            << Pad(Fixed(i["weight"].get<double>(), 2), 13, true) << "  [  ]"
            << (i["broken"].get<bool>() ? "  LIMIT BROKEN"
                                        : (i["within_tolerance"].get<bool>() ? "  within weighing tolerance" : ""))
            << "\n";
    out << "  " << Pad("Total", 28, false) << Pad("", 11, true) << Pad(Fixed(m["total"].get<double>(), 2), 13, true)
        << "\n\n";
    out << "  " << Pad("Nutrient", 28, false) << Pad("minimum", 11, true) << Pad("maximum", 11, true)
        << Pad("diet", 11, true) << Pad("batch", 11, true) << "\n";
    auto num = [](const Json& v) { return v.is_null() ? std::string("-") : Fixed(v.get<double>(), 4); };
    for (const Json& n : m["nutrients"])
        out << "  " << Pad(n["name"].get<std::string>(), 28, false) << Pad(num(n["minimum"]), 11, true)
            << Pad(num(n["maximum"]), 11, true) << Pad(Fixed(n["diet"].get<double>(), 4), 11, true)
            << Pad(Fixed(n["batch"].get<double>(), 4), 11, true)
            << (n["below_minimum"].get<bool>() ? "  BELOW MINIMUM" : "") << (n["above_maximum"].get<bool>() ? "  ABOVE MAXIMUM" : "")
            << (n["within_tolerance"].get<bool>() ? "  within weighing tolerance" : "") << "\n";
    out << "\n" << m["broken_limits"].get<int>() << " limit(s) broken by the rounding";
    if (m["within_tolerance"].get<int>() > 0)
        out << "; " << m["within_tolerance"].get<int>() << " missed within weighing tolerance (one step of the scale)";
    out << "\n";
}

int MixExitCode(const Json& r) {
    if (r.value("refused", false)) return 2;
    return r["sheet"].is_null() ? 1 : 0;
}

}  // namespace tarvisol::cli
