#include "cli/RequirementsCommand.h"

#include <ostream>

#include "cli/GrowthSession.h"
#include "cli/JsonText.h"
#include "cli/TextColumns.h"
#include "formulation/FormulationFiles.h"
#include "nutrition/MinimumsFromRequirements.h"
#include "nutrition/NutrientBalance.h"
#include "shared/Units.h"

namespace tarvisol::cli {
namespace {

nlohmann::json Optional(bool stated, double v) { return stated ? nlohmann::json(v) : nlohmann::json(nullptr); }

}  // namespace

nlohmann::json BalanceJson(const NutrientBalance& b) {
    nlohmann::json j;
    j["n_intake_kg"] = Optional(b.NitrogenComputed, b.NIntake);
    j["n_retained_kg"] = Optional(b.NitrogenComputed, b.NRetained);
    j["n_excreted_kg"] = Optional(b.NitrogenComputed, b.NExcreted);
    j["p_intake_kg"] = Optional(b.PhosphorusComputed, b.PIntake);
    j["p_retained_kg"] = Optional(b.PhosphorusComputed, b.PRetained);
    j["p_excreted_kg"] = Optional(b.PhosphorusComputed, b.PExcreted);
    j["n_excreted_per_place_year_kg"] = Optional(b.NitrogenComputed, b.NExcretedPerPlaceYear);
    j["p2o5_excreted_per_place_year_kg"] = Optional(b.PhosphorusComputed, b.P2O5ExcretedPerPlaceYear);
    j["days_on_feed"] = b.DaysOnFeed;
    j["empty_days"] = b.EmptyDays;
    j["bat_n_per_place_year_kg"] = {kBatNitrogenLow, kBatNitrogenHigh};
    j["bat_p2o5_per_place_year_kg"] = {kBatP2O5Low, kBatP2O5High};
    if (!b.NitrogenComputed) j["n_missing"] = b.NitrogenMissing;
    if (!b.PhosphorusComputed) j["p_missing"] = b.PhosphorusMissing;
    return j;
}

nlohmann::json RunRequirementsCommand(const RequirementsArgs& args, std::ostream* messages) {
    GrowthArgs g;
    g.location = args.location;
    g.formulation = args.formulation;
    g.model = args.model;
    g.sex = args.sex;
    const auto session = GrowAsUser(g, messages);
    SharedState& s = *session->s;
    ConsoleDialogs& dialogs = *session->dialogs;
    const RunSnapshot& run = s.LastRun;
    const RunRequirements& req = run.Nutrition.Requirements;

    nlohmann::json r;
    r["location"] = s.LocationBase;
    r["formulation"] = session->w->Combo1.Text();
    r["weight_unit"] = WeightUnitLabel(s.WeightUnit());
    if (run.Empty()) AddChosenModelJson(s, r);
    else AddModelJson(run, s, r);
    const bool ran = session->outcome == GrowthOutcome::Results || session->outcome == GrowthOutcome::PriceMissing ||
                     session->outcome == GrowthOutcome::FinalWeightNotReached;
    r["outcome"] = session->outcome == GrowthOutcome::Refused ? "refused"
                   : !ran                                      ? "not_grown"
                   : req.Computed                              ? "computed"
                                                               : "not_computed";
    if (ran && !req.Computed) dialogs.Message("The run grew no day to compute requirements for");
    const auto weight = [&](double kg) { return ConvertWeight(s, 2, kg); };
    r["phases"] = nlohmann::json::array();
    r["days"] = nlohmann::json::array();
    if (req.Computed) {
        for (const RequirementPhase& ph : req.Phases) {
            nlohmann::json p;
            p["diet"] = ph.Diet;
            p["name"] = MixedText(ph.Name);
            p["from_weight"] = weight(ph.FromWeight);
            p["to_weight"] = weight(ph.ToWeight);
            p["days"] = ph.Days;
            p["lysine_per_mcal_requirement"] = ph.LysinePerMcalRequirement;
            p["lysine_per_mcal_supply"] = Optional(ph.LysinePerMcalSupply > 0, ph.LysinePerMcalSupply);
            p["nutrients"] = nlohmann::json::array();
            for (std::size_t i = 0; i < req.Nutrients.size(); ++i) {
                const PhaseValue& v = ph.Values[i];
                p["nutrients"].push_back({{"nutrient", req.Nutrients[i].Key},
                                          {"name", MixedText(req.Nutrients[i].Name)},
                                          {"requirement_percent", v.Requirement},
                                          {"supply_percent", Optional(v.Stated, v.Supply)},
                                          {"ratio", Optional(v.Stated, v.Ratio)},
                                          {"days_below", v.DaysBelow},
                                          {"days_above", v.DaysAbove}});
            }
            r["phases"].push_back(std::move(p));
        }
        for (const RequirementDay& d : req.Days) {
            nlohmann::json day;
            day["age"] = d.Age;
            day["weight"] = weight(d.Weight);
            day["feed"] = weight(d.Feed);
            day["protein_deposition"] = d.ProteinDeposition;
            day["nutrients"] = nlohmann::json::array();
            for (std::size_t i = 0; i < req.Nutrients.size() && i < d.Values.size(); ++i) {
                const RequirementValue& v = d.Values[i];
                day["nutrients"].push_back({{"nutrient", req.Nutrients[i].Key},
                                            {"requirement_g", v.RequirementGrams},
                                            {"requirement_percent", v.Requirement},
                                            {"supply_percent", Optional(v.Stated, v.Supply)},
                                            {"ratio", Optional(v.Stated && v.Requirement > 0,
                                                               v.Requirement > 0 ? v.Supply / v.Requirement : 0)}});
            }
            r["days"].push_back(std::move(day));
        }
        r["balance"] = BalanceJson(run.Nutrition.Balance);
    }
    r["notes"] = nlohmann::json::array();
    for (const std::string& n : req.Notes) r["notes"].push_back(MixedText(n));

    if (args.setMinimums && req.Computed) {
        const MinimumsResult set = SetMinimumsFromRequirements(s, run, args.margin, args.daysCovered);
        nlohmann::json m;
        m["margin_percent"] = args.margin;
        m["days_covered_percent"] = args.daysCovered;
        m["rule"] = set.Rule;
        m["changes"] = nlohmann::json::array();
        for (const MinimumChange& c : set.Changes)
            m["changes"].push_back({{"diet", c.Diet}, {"nutrient", c.Nutrient}, {"name", MixedText(c.Name)},
                                    {"before", c.Before}, {"after", c.After}});
        m["skipped"] = nlohmann::json::array();
        for (const std::string& t : set.Skipped) m["skipped"].push_back(MixedText(t));
        bool saved = false;
        if (args.save) {
            saved = SaveNutrientRestrictions(s, false);
            if (!saved) dialogs.Message("The nutrient restrictions were not saved");
        }
        m["saved"] = saved;
        m["file"] = args.save ? nlohmann::json(s.NutrientRestrictionFile) : nlohmann::json(nullptr);
        r["minimums"] = std::move(m);
    }
    nlohmann::json shown = nlohmann::json::array();
    for (const std::string& m : dialogs.Shown()) shown.push_back(MixedText(m));
    r["messages"] = std::move(shown);
    return r;
}

int RequirementsExitCode(const nlohmann::json& r) {
    const std::string outcome = r.value("outcome", std::string());
    if (outcome == "refused") return 2;
    if (outcome != "computed") return 1;
    if (r.contains("minimums")) {
        const nlohmann::json& m = r["minimums"];
        if (!m["file"].is_null() && !m.value("saved", false)) return 1;
    }
    return 0;
}

void PrintRequirementsReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (r["outcome"] != "computed") {
        out << "No requirements: the run did not grow the pig.\n";
        return;
    }
    const std::string unit = r["weight_unit"].get<std::string>();
    out << "Location " << r["location"].get<std::string>() << " (" << r["formulation"].get<std::string>() << ")\n";
    out << ModelLineOf(r) << "\n";
    out << "Requirement and supply, % of the feed as fed (SID amino acids, STTD phosphorus, total calcium);\n"
           "days short: below 95 % of the day's requirement, days over: above 115 %\n";
    for (const auto& p : r["phases"]) {
        out << "\n" << p["name"].get<std::string>() << ": " << Fixed(p["from_weight"], 1) << " to "
            << Fixed(p["to_weight"], 1) << " " << unit << ", " << p["days"].get<int>() << " days; SID lysine "
            << Fixed(p["lysine_per_mcal_requirement"], 2) << " g/Mcal needed, " << Fixed(p["lysine_per_mcal_supply"], 2)
            << " g/Mcal fed\n";
        out << "  Nutrient              Required  Supplied   Ratio  Days short  Days over\n";
        for (const auto& n : p["nutrients"]) {
            std::string name = n["name"].get<std::string>();
            name.resize(20, ' ');
            out << "  " << name << Padded(Fixed(n["requirement_percent"], 3), 10)
                << Padded(Fixed(n["supply_percent"], 3), 10) << Padded(Fixed(n["ratio"], 2), 8)
                << Padded(std::to_string(n["days_below"].get<int>()), 12)
                << Padded(std::to_string(n["days_above"].get<int>()), 11) << "\n";
        }
    }
    const nlohmann::json& b = r["balance"];
    out << "\nBalance per pig (kg)     Eaten  Retained  Excreted  Excreted per place and year  (EU BAT)\n";
    out << "Nitrogen             " << Padded(Fixed(b["n_intake_kg"], 2), 9) << Padded(Fixed(b["n_retained_kg"], 2), 10)
        << Padded(Fixed(b["n_excreted_kg"], 2), 10) << Padded(Fixed(b["n_excreted_per_place_year_kg"], 2), 15)
        << " kg N       (7.0-13.0)\n";
    out << "Phosphorus           " << Padded(Fixed(b["p_intake_kg"], 2), 9) << Padded(Fixed(b["p_retained_kg"], 2), 10)
        << Padded(Fixed(b["p_excreted_kg"], 2), 10) << Padded(Fixed(b["p2o5_excreted_per_place_year_kg"], 2), 15)
        << " kg P2O5    (3.5-5.4)\n";
    if (b.contains("n_missing")) out << b["n_missing"].get<std::string>() << "\n";
    if (b.contains("p_missing")) out << b["p_missing"].get<std::string>() << "\n";
    out << "Days on feed " << Fixed(b["days_on_feed"], 1) << " and " << Fixed(b["empty_days"], 0)
        << " empty days between batches (the market settings)\n";
    for (const auto& n : r["notes"]) out << "Note: " << n.get<std::string>() << "\n";
    if (r.contains("minimums")) {
        const nlohmann::json& m = r["minimums"];
        out << "\nMinimums set. " << m["rule"].get<std::string>() << "\n";
        for (const auto& c : m["changes"])
            out << "  Diet " << c["diet"].get<int>() << " " << c["name"].get<std::string>() << ": "
                << Fixed(c["before"], 3) << " -> " << Fixed(c["after"], 3) << "\n";
        for (const auto& t : m["skipped"]) out << "  " << t.get<std::string>() << "\n";
        out << (m["saved"].get<bool>() ? "Saved to " + m["file"].get<std::string>() + "\n"
                                       : std::string("Not saved (the restriction file is unchanged; --save writes it)\n"));
    }
}

}  // namespace tarvisol::cli
