#include "cli/MarginOptimiseCommand.h"

#include "cli/ModelChoice.h"

#include <cmath>
#include <ostream>

#include "cli/CommandMarketSettings.h"
#include "cli/CommandSession.h"
#include "cli/JsonText.h"
#include "cli/ModelChoice.h"
#include "growth/GrowthRun.h"
#include "optimisation/MarginSearch.h"
#include "response/GenotypePresets.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {
namespace {

nlohmann::json Num(double v) { return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr); }

nlohmann::json DietsJson(const MarginOutcome& o, const MarginProgramme& levels) {
    nlohmann::json diets = nlohmann::json::array();
    for (int d = 1; d <= o.Count; ++d) {
        const MarginDiet& m = o.Diets[static_cast<std::size_t>(d - 1)];
        nlohmann::json j = {{"diet", d},
                            {"ne", Num(m.Ne)},
                            {"sid_lysine", Num(m.SidLysine)},
                            {"lysine_per_mcal_ne", Num(m.LysinePerMcal)},
                            {"lysine_of_requirement", m.LysineOfRequirement > 0 ? Num(m.LysineOfRequirement) : nullptr},
                            {"allotment", Num(m.Allotment)},
                            {"price_per_kg", Num(m.Price)}};
        if (d <= levels.Count) {
            const MarginDietLevels& l = levels.Diets[static_cast<std::size_t>(d - 1)];
            j["ne_minimum"] = Num(l.Ne);
            j["sid_lysine_minimum"] = Num(l.SidLysine);
        }
        // The last diet is fed to the sale weight: its figure is the feed eaten.
        if (d == o.Count) j["runs_to_market"] = true;
        diets.push_back(std::move(j));
    }
    return diets;
}

nlohmann::json ProgrammeJson(const MarginOutcome& o, const MarginProgramme& levels) {
    if (!o.Sold) return {{"sold", false}, {"message", MixedText(o.Message)}};
    return {{"sold", true},
            {"sale_weight", Num(o.SaleWeight)},
            {"feed_cost_per_pig", Num(o.FeedCost)},
            {"adg", Num(o.DailyGain)},
            {"feed_gain", Num(o.FeedGain)},
            {"carcass_weight", Num(o.CarcassWeight)},
            {"lean_percent", Num(o.Lean)},
            {"carcass_value", Num(o.CarcassValue)},
            {"days", Num(o.Days)},
            {"final_age", Num(o.FinalAge)},
            {"margin_per_pig", Num(o.MarginPerPig)},
            {"margin_per_place_year", Num(o.MarginPerPlaceYear)},
            {"diets", DietsJson(o, levels)}};
}

}  // namespace

nlohmann::json RunMarginOptimiseCommand(const OptimiseArgs& args, std::ostream* messages, Progress* progress) {
    ConsoleDialogs dialogs(messages, Answer::No);
    nlohmann::json r;
    r["objective"] = args.objective;
    r["refused"] = false;
    r["ran"] = false;
    const auto finish = [&](bool refused) {
        r["refused"] = refused;
        r["messages"] = MixedTexts(dialogs.Shown());
        return r;
    };
    OptObjective objective = OptObjective::MarginPerPlaceYear;
    if (!ObjectiveOfKey(args.objective, objective) || objective == OptObjective::FeedCost) {
        dialogs.Message(args.herd ? "--herd goes with a margin objective (margin-place-year or margin-pig)"
                                  : "Unknown objective " + args.objective);
        return finish(true);
    }
    r["objective_caption"] = ObjectiveCaption(objective);
    if (args.herd) {
        dialogs.Message("--herd is not available for the margin search yet: it values one pig grown to the sale "
                        "weight. Value the best programme's herd with `tarvisol-cli herd` after transferring it.");
        return finish(true);
    }
    if (args.targetWeight || args.feedWeightsOnly || args.meetRequirements) {
        dialogs.Message("--target-weight, --feed-weights-only and --meet-requirements belong to the feed-cost search; "
                        "the margin search chooses the sale weight, energy, lysine and allotments itself");
        return finish(true);
    }

    // Least-cost diets: every programme of the search is formulated.
    const CommandSession session = OpenCommandSession(args.location, dialogs, kFormulationLeastCost, true);
    SharedState* const s = session.s.get();
    r["location"] = MixedText(s->LocationBase);
    if (!session.found) {
        dialogs.Message(session.notFound);
        return finish(true);
    }
    if (args.model.model && *args.model.model == "documented") {
        dialogs.Message("The margin search needs a pig that responds to energy and lysine: it grows on the "
                        "nutrient-response model, not the documented curve");
        return finish(true);
    }
    if (const std::string why = ChooseGrowthModel(*s, args.model, args.sex); !why.empty()) {
        dialogs.Message(why);
        return finish(true);
    }
    std::string unusable;
    const MarketSettings m = CommandMarketSettings(*s, dialogs, {}, unusable);
    if (!unusable.empty()) {
        dialogs.Message("The margin search was not run: " + unusable);
        return finish(true);
    }
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) {
        dialogs.Message("The margin search was not run: " + problem);
        return finish(true);
    }
    if (s->Model.Kind != GrowthModelKind::Response) {
        // The documented pig grows along its curve whatever its diet holds.
        s->Model.Kind = GrowthModelKind::Response;
        s->Model.Pig = response::ReferenceGenotype();
        dialogs.Message("The location grows the documented curve, whose pig does not respond to energy or lysine: "
                        "the margin search grows the " + s->Model.Pig.Name + " on the nutrient-response model");
    }
    r["model"] = "response";
    r["genotype"] = NameText(s->Model.Pig.Name);
    const GrowthOutcome grown = Growth(*s);
    if (grown == GrowthOutcome::Refused) return finish(true);
    if (grown != GrowthOutcome::Results) {
        dialogs.Message("The margin search was not run: the current programme's Growth run has no result");
        return finish(false);
    }

    MarginSearchOptions options;
    options.threads = args.threads;
    options.progress = progress;
    const MarginSearchResult res = SearchMargin(*s, m, objective, options);
    r["evaluations"] = res.Evaluations;
    r["units"] = {{"ne", "kcal NE per kg as fed"},
                  {"sid_lysine", "% of the feed"},
                  {"lysine_per_mcal_ne", "g SID lysine per Mcal NE"},
                  {"lysine_of_requirement", "% of the pigs' SID lysine requirement over the diet's phase"},
                  {"allotment", "kg per pig"},
                  {"sale_weight", "kg live"},
                  {"carcass_weight", MarketWeightUnit(s->WeightUnit())},
                  {"adg", "kg a day"}};
    if (!res.Done) {
        if (!res.Message.empty()) dialogs.Message(res.Message);
        return finish(false);
    }
    r["ran"] = true;
    r["best_from"] = res.BestFrom;
    r["best"] = ProgrammeJson(res.Best, res.BestLevels);
    r["cost_minimum"] = ProgrammeJson(res.CostMinimum, res.CostMinimumLevels);
    r["current"] = ProgrammeJson(res.Current, res.CurrentLevels);
    r["sale_weight"] = Num(res.Best.SaleWeight);
    r["sensitivity"] = nlohmann::json::array();
    for (const MarginSensitivity& k : res.Sensitivity) {
        nlohmann::json diets = nlohmann::json::array();
        for (int d = 1; d <= k.Optimum.Count; ++d)
            diets.push_back({{"diet", d},
                             {"ne", Num(k.Optimum.Diets[static_cast<std::size_t>(d - 1)].Ne)},
                             {"sid_lysine", Num(k.Optimum.Diets[static_cast<std::size_t>(d - 1)].SidLysine)}});
        r["sensitivity"].push_back({{"change", k.Key},
                                    {"name", k.Name},
                                    {"factor", k.Factor},
                                    {"sold", k.Optimum.Sold},
                                    {"sale_weight", Num(k.Optimum.SaleWeight)},
                                    {"margin_per_pig", Num(k.Optimum.MarginPerPig)},
                                    {"margin_per_place_year", Num(k.Optimum.MarginPerPlaceYear)},
                                    {"diets", diets}});
    }
    return finish(false);
}

void PrintMarginOptimiseReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (r.value("refused", false)) {
        out << "The margin search did not run.\n";
        return;
    }
    if (!r.value("ran", false)) {
        out << "The margin search found no programme to stand behind.\n";
        return;
    }
    auto num = [](const nlohmann::json& v, const char* pattern) {
        return v.is_null() ? std::string("-") : FormatPattern(v.get<double>(), pattern);
    };
    auto pad = [](std::string s, std::size_t n) { return s.size() >= n ? s : std::string(n - s.size(), ' ') + s; };
    out << "Location " << r.value("location", "") << ", objective: " << r.value("objective_caption", "") << "\n";
    out << "Growth model: nutrient response, " << r.value("genotype", "") << "\n\n";
    out << "Programme       Sale kg  Feed cost   ADG kg    F/G  Carcass  Lean %   Days  Margin/pig  Margin/place-yr\n";
    for (const char* which : {"best", "cost_minimum", "current"}) {
        const auto& p = r[which];
        const std::string name = std::string(which) == "best" ? "best" : std::string(which) == "current" ? "current" : "cost minimum";
        out << name << std::string(14 - name.size(), ' ');
        if (!p.value("sold", false)) {
            out << "  not sold\n";
            continue;
        }
        out << pad(num(p["sale_weight"], "0.0"), 9) << pad(num(p["feed_cost_per_pig"], "0.00"), 11)
            << pad(num(p["adg"], "0.000"), 9) << pad(num(p["feed_gain"], "0.000"), 7)
            << pad(num(p["carcass_weight"], "0.0"), 9) << pad(num(p["lean_percent"], "0.0"), 8)
            << pad(num(p["days"], "0.0"), 7) << pad(num(p["margin_per_pig"], "0.00"), 12)
            << pad(num(p["margin_per_place_year"], "0.00"), 17) << "\n";
    }
    out << "\nBest programme per diet (from the " << r.value("best_from", "") << "):\n";
    out << "Diet   NE kcal/kg  SID lys %  g/Mcal NE  % of req.  Allotment kg\n";
    for (const auto& d : r["best"]["diets"])
        out << pad(std::to_string(d["diet"].get<int>()), 4) << pad(num(d["ne"], "0"), 13) << pad(num(d["sid_lysine"], "0.000"), 11)
            << pad(num(d["lysine_per_mcal_ne"], "0.00"), 11) << pad(num(d["lysine_of_requirement"], "0"), 11)
            << pad(num(d["allotment"], "0.0"), 14) << (d.value("runs_to_market", false) ? "  fed to sale: feed eaten" : "")
            << "\n";
    if (!r["sensitivity"].empty()) {
        out << "\nHow the optimum moves:\n";
        for (const auto& k : r["sensitivity"]) {
            out << "  " << k["name"].get<std::string>() << (k["factor"].get<double>() < 1 ? " -10 %" : " +10 %")
                << ": sale " << num(k["sale_weight"], "0.0") << " kg, SID lysine";
            for (const auto& d : k["diets"]) out << " " << num(d["sid_lysine"], "0.000");
            out << ", NE";
            for (const auto& d : k["diets"]) out << " " << num(d["ne"], "0");
            out << ", margin per pig " << num(k["margin_per_pig"], "0.00") << ", per place and year "
                << num(k["margin_per_place_year"], "0.00") << "\n";
        }
    }
    out << "Evaluations: " << r.value("evaluations", 0) << "\n";
}

}  // namespace tarvisol::cli
