#include "cli/RunJson.h"

#include <cmath>
#include <string>

#include "report/RunComparison.h"
#include "shared/TextEncoding.h"

namespace tarvisol::cli {
namespace {

using nlohmann::json;

json Num(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }
std::string U(const std::string& bytes) { return Windows1252ToUtf8(bytes); }

// The ingredients the cost figures leave out, by name.
json UnpricedJson(const RunFigures& f) {
    json names = json::array();
    for (const std::string& n : f.Unpriced) names.push_back(U(n));
    return names;
}

json Sex(const SexFigures& x) {
    return {{"live_weight", Num(x.LiveWeight)}, {"feed", Num(x.Feed)},        {"cost", Num(x.Cost)},
            {"feed_gain", Num(x.FeedGain)},     {"back_fat", Num(x.BackFat)}, {"loin_area", Num(x.LoinArea)},
            {"lean", Num(x.Lean)},              {"yield", Num(x.Yield)}};
}

// Which way a result is better, by its key (the parent's key for the
// figures of a sex or of the carcass).
Judge JudgeOf(const std::string& parent, const std::string& key) {
    if (parent == "diets") return Judge::None;
    static const char* lower[] = {"final_age", "days_on_feed", "total_feed", "feed_gain", "cost_per_pig", "cost_per_tonne",
                                  "cost_per_tonne_gain", "feed", "cost", "back_fat", "back_fat_mm"};
    static const char* higher[] = {"daily_gain", "loin_area", "lean", "yield"};
    for (const char* k : lower)
        if (key == k) return Judge::LowerBetter;
    for (const char* k : higher)
        if (key == k) return Judge::HigherBetter;
    return Judge::None;
}

json Difference(const json& value, const json& base, bool results, const std::string& parent, const std::string& key) {
    if (value.is_number() && base.is_number()) {
        const double v = value.get<double>(), b = base.get<double>();
        const double d = v - b;
        json out{{"abs", d}, {"percent", b != 0 ? json(100.0 * d / std::fabs(b)) : json(nullptr)}, {"verdict", nullptr}};
        const Judge j = results ? JudgeOf(parent, key) : Judge::None;
        if (std::fabs(d) <= 1e-9 * std::max(1.0, std::fabs(b))) out["verdict"] = "same";
        else if (j != Judge::None) out["verdict"] = (d < 0) == (j == Judge::LowerBetter) ? "better" : "worse";
        return out;
    }
    if (value.is_object() && base.is_object()) {
        json out = json::object();
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (!base.contains(it.key())) continue;
            json d = Difference(*it, base[it.key()], results, key, it.key());
            if (!d.is_null()) out[it.key()] = std::move(d);
        }
        return out.empty() ? json(nullptr) : out;
    }
    if (value.is_array() && base.is_array()) {
        json out = json::array();
        for (std::size_t i = 0; i < value.size(); ++i)
            out.push_back(i < base.size() ? Difference(value[i], base[i], results, key, key) : json(nullptr));
        return out;
    }
    return nullptr;
}

}  // namespace

json RunInputsJson(const RunFigures& f) {
    json diets = json::array();
    for (const DietFigures& d : f.Diets)
        diets.push_back({{"diet", d.Number},           {"name", U(d.Name)},       {"price", Num(d.Price)},
                         {"energy", Num(d.Energy)},     {"protein", Num(d.Protein)}, {"lysine", Num(d.Lysine)},
                         {"allotment", Num(d.Allotment)}});
    json curve = json::array();
    for (double b : f.Curve) curve.push_back(Num(b));
    return {{"start_weight", Num(f.StartWeight)},
            {"start_age", f.StartAge},
            {"final_weight", Num(f.FinalWeight)},
            {"sex", f.Sex},
            {"pigs", f.Pigs},
            {"formulation", U(f.Formulation)},
            {"model", f.ModelKey},
            {"genotype", f.ModelKey == "response" ? json(U(f.Genotype)) : json(nullptr)},
            {"curve", curve},
            {"diets", diets},
            {"weight_unit", f.WeightLabel}};
}

json RunResultsJson(const RunFigures& f) {
    json diets = json::array();
    for (const DietFigures& d : f.Diets) {
        const auto reached = [&](double v) { return d.Reached ? Num(v) : json(nullptr); };
        diets.push_back({{"diet", d.Number},
                         {"name", U(d.Name)},
                         {"price", Num(d.Price)},
                         {"end_weight", reached(d.EndWeight)},
                         {"end_age", reached(d.EndAge)},
                         {"daily_gain_kg", reached(d.DailyGainKg)},
                         {"cum_feed", reached(d.CumFeed)},
                         {"feed_eaten", reached(d.FeedEaten)}});
    }
    const bool pounds = f.Units.Weight == 1;
    const SexFigures& mixed = f.Sexes[0];
    return {{"diets", diets},
            {"males", Sex(f.Sexes[1])},
            {"females", Sex(f.Sexes[2])},
            {"cost_per_pig", Num(f.CostPerPig)},
            {"cost_per_tonne", Num(f.CostPerTonne)},
            {"cost_per_tonne_label", f.TonneLabel},
            {"cost_per_tonne_gain", Num(f.CostPerTonneGain)},
            {"price_complete", f.Unpriced.empty()},
            {"unpriced", UnpricedJson(f)},
            {"energy_per_gain", Num(f.EnergyPerGain)},
            {"energy_per_gain_label", f.EnergyGainLabel},
            {"final_age", Num(f.FinalAge)},
            {"days_on_feed", Num(f.DaysOnFeed)},
            {"daily_gain", Num(f.DailyGain)},
            {"total_feed", Num(f.TotalFeed)},
            {"feed_gain", Num(f.FeedGain)},
            {"carcass_mixed",
             {{"back_fat_mm", Num(pounds ? mixed.BackFat * 25.4 : mixed.BackFat)},
              {"loin_area", Num(mixed.LoinArea)},
              {"lean", Num(mixed.Lean)},
              {"yield", Num(mixed.Yield)},
              {"loin_depth", Num(f.LoinDepth)}}},
            {"weight_unit", f.WeightLabel}};
}

json DifferenceJson(const json& value, const json& base, bool results) {
    json d = Difference(value, base, results, "", "");
    return d.is_null() ? json::object() : d;
}

}  // namespace tarvisol::cli
