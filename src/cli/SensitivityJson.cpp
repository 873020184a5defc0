#include "cli/SensitivityJson.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "formulation/DietDiagnosis.h"
#include "formulation/DietSensitivity.h"
#include "shared/TextEncoding.h"

namespace tarvisol::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Finite(double v) { return std::isfinite(v) ? Json(v) : Json(); }
const char* Bound(int bound) { return bound == 2 ? "max" : "min"; }

std::string Num(const Json& v, int decimals) {
    if (v.is_null()) return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v.get<double>());
    return buf;
}
std::string Pad(const std::string& t, std::size_t w, bool left) {
    if (t.size() >= w) return t;
    return left ? std::string(w - t.size(), ' ') + t : t + std::string(w - t.size(), ' ');
}

}  // namespace

bool AddSensitivity(const SharedState& s, int d, Json& diet) {
    if (s.DietFaults(d) != 0) {
        const DietDiagnosis g = DiagnoseDiet(s, d);
        Json relaxations = Json::array();
        for (const Relaxation& r : g.relaxations) {
            Json e = {{"kind", r.ingredient ? "ingredient" : "nutrient"}};
            e[r.ingredient ? "ingredient" : "nutrient"] = r.index;
            e["name"] = Windows1252ToUtf8(r.name);
            e["bound"] = Bound(r.bound);
            e["limit"] = r.limit;
            e["needed"] = r.needed;
            relaxations.push_back(std::move(e));
        }
        Json j = {{"relaxations", relaxations},
                  {"total_relative_violation", g.diagnosed ? Json(g.totalRelativeViolation) : Json()}};
        if (!g.reason.empty()) j["reason"] = g.reason;
        diet["diagnosis"] = std::move(j);
        return true;
    }
    DietSensitivity r;
    if (const std::string why = ComputeDietSensitivity(s, d, r); !why.empty()) {
        diet["sensitivity"] = nullptr;
        diet["sensitivity_problem"] = why;
        return false;
    }
    Json nutrients = Json::array(), ingredients = Json::array();
    for (const NutrientSensitivity& n : r.nutrients)
        nutrients.push_back({{"nutrient", n.nutrient},
                             {"name", Windows1252ToUtf8(n.name)},
                             {"bound", Bound(n.bound)},
                             {"limit", n.limit},
                             {"content", n.content},
                             {"binding", n.binding},
                             {"shadow_price", n.shadowPrice},
                             {"limit_low", Finite(n.limitLow)},
                             {"limit_high", Finite(n.limitHigh)}});
    for (const IngredientSensitivity& i : r.ingredients)
        ingredients.push_back({{"ingredient", i.ingredient},
                               {"name", Windows1252ToUtf8(i.name)},
                               {"price", i.price},
                               {"inclusion", i.inclusion},
                               {"at_limit", i.atLimit == 0 ? Json() : Json(Bound(i.atLimit))},
                               {"reduced_cost", i.reducedCost},
                               {"price_low", Finite(i.priceLow)},
                               {"price_high", Finite(i.priceHigh)}});
    diet["sensitivity"] = {{"nutrients", nutrients}, {"ingredients", ingredients}};
    return true;
}

void PrintSensitivity(const Json& diet, std::ostream& out) {
    if (diet.contains("diagnosis")) {
        const Json& g = diet["diagnosis"];
        if (g.contains("reason")) out << "  Not diagnosed: " << g["reason"].get<std::string>() << "\n";
        for (const Json& r : g["relaxations"])
            out << "  Change " << r["name"].get<std::string>() << " " << (r["bound"] == "max" ? "maximum" : "minimum")
                << " from " << Num(r["limit"], 4) << " to " << Num(r["needed"], 4) << "\n";
        out << "\n";
        return;
    }
    if (!diet.contains("sensitivity")) return;
    if (diet["sensitivity"].is_null()) {
        out << "  No sensitivity: " << diet.value("sensitivity_problem", std::string()) << "\n\n";
        return;
    }
    const Json& r = diet["sensitivity"];
    out << "  " << Pad("Limit", 26, false) << Pad("", 4, false) << Pad("limit", 11, true) << Pad("content", 11, true)
        << Pad("shadow price", 14, true) << Pad("valid from", 12, true) << Pad("to", 12, true) << "\n";
    for (const Json& n : r["nutrients"])
        out << "  " << Pad(n["name"].get<std::string>(), 26, false) << Pad(n["bound"].get<std::string>(), 4, false)
            << Pad(Num(n["limit"], 4), 11, true) << Pad(Num(n["content"], 4), 11, true)
            << Pad(Num(n["shadow_price"], 6), 14, true) << Pad(Num(n["limit_low"], 4), 12, true)
            << Pad(Num(n["limit_high"], 4), 12, true) << "\n";
    out << "  " << Pad("Ingredient", 26, false) << Pad("price", 11, true) << Pad("incl. %", 10, true)
        << Pad("at", 5, true) << Pad("reduced cost", 14, true) << Pad("price from", 12, true) << Pad("to", 12, true) << "\n";
    for (const Json& i : r["ingredients"])
        out << "  " << Pad(i["name"].get<std::string>(), 26, false) << Pad(Num(i["price"], 2), 11, true)
            << Pad(Num(i["inclusion"], 3), 10, true)
            << Pad(i["at_limit"].is_null() ? std::string() : i["at_limit"].get<std::string>(), 5, true)
            << Pad(Num(i["reduced_cost"], 4), 14, true) << Pad(Num(i["price_low"], 2), 12, true)
            << Pad(Num(i["price_high"], 2), 12, true) << "\n";
    out << "\n";
}

}  // namespace tarvisol::cli
