#include "cli/PrecisionCommand.h"

#include <ostream>

#include "cli/CommandMarketSettings.h"
#include "cli/CommandSession.h"
#include "cli/ConsoleDialogs.h"
#include "cli/TextColumns.h"
#include "nutrition/NutrientBalance.h"
#include "precision/PrecisionFigures.h"
#include "precision/PrecisionLocation.h"
#include "precision/PrecisionRun.h"
#include "shared/MainWindowForm.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {
namespace {

using precision::StrategyResult;

using Figure = precision::PrecisionFigure;
constexpr const auto& kFigures = precision::kPrecisionFigures;

bool Hidden(const Figure& f, const precision::PrecisionResult& r) { return !precision::FigureShown(f, r); }

nlohmann::json StrategyJson(const StrategyResult& s, const precision::PrecisionResult& r) {
    nlohmann::json j{{"pigs", s.Pigs}, {"reached_final_weight", s.Reached}, {"batches_per_year", s.BatchesPerYear},
                     {"yield_percent", s.Yield}};
    for (const Figure& f : kFigures) j[f.Key] = Hidden(f, r) ? nlohmann::json(nullptr) : nlohmann::json(s.*f.Value);
    return j;
}

nlohmann::json DifferenceJson(const StrategyResult& s, const StrategyResult& phase, const precision::PrecisionResult& r) {
    nlohmann::json j;
    for (const Figure& f : kFigures) {
        if (Hidden(f, r)) {
            j[f.Key] = nullptr;
            continue;
        }
        const double a = s.*f.Value, b = phase.*f.Value;
        j[f.Key] = {{"change", a - b}, {"percent", b != 0 ? nlohmann::json(100 * (a - b) / b) : nlohmann::json(nullptr)}};
    }
    return j;
}

nlohmann::json FeedJson(const precision::BlendFeed& f) {
    return {{"name", f.Name},
            {"net_energy", f.Diet.Ne},
            {"sid_lysine_percent", f.Diet.Amino[2]},
            {"crude_protein_percent", f.CrudeProtein},
            {"sttd_phosphorus_percent", f.SttdPhosphorus > 0 ? nlohmann::json(f.SttdPhosphorus) : nlohmann::json(nullptr)},
            {"total_phosphorus_percent", f.TotalPhosphorus > 0 ? nlohmann::json(f.TotalPhosphorus) : nlohmann::json(nullptr)},
            {"price_per_kg", f.PricePerKg}};
}

nlohmann::json SeriesJson(const precision::PrecisionSeries& s) {
    nlohmann::json j{{"start_age", s.StartAge},
                     {"pigs_on_feed", s.PigsOnFeed},
                     {"group_share", s.GroupShare},
                     {"precision_share", s.PrecisionShare},
                     {"precision_share_lightest_tenth", s.PrecisionShareLight},
                     {"precision_share_heaviest_tenth", s.PrecisionShareHeavy}};
    for (int k = 0; k < precision::kStrategies; ++k) {
        const precision::RequirementSeries& l = s.Lysine[static_cast<std::size_t>(k)];
        j["sid_lysine_percent"][precision::StrategyKey(k)] = {
            {"need_group", l.NeedGroup},     {"supply_group", l.SupplyGroup}, {"need_lightest_tenth", l.NeedLight},
            {"supply_lightest_tenth", l.SupplyLight}, {"need_heaviest_tenth", l.NeedHeavy},
            {"supply_heaviest_tenth", l.SupplyHeavy}};
    }
    return j;
}

}  // namespace

nlohmann::json PrecisionJson(const precision::PrecisionLocation& where, const precision::PrecisionResult& r) {
    nlohmann::json j;
    j["feeds"] = {{"formulated", where.Formulated}, {"a", FeedJson(where.Inputs.A)}, {"b", FeedJson(where.Inputs.B)}};
    if (where.Formulated) {
        j["feeds"]["a"]["sid_lysine_minimum"] = where.LysineMinA;
        j["feeds"]["b"]["sid_lysine_minimum"] = where.LysineMinB;
    }
    for (int k = 0; k < precision::kStrategies; ++k)
        j["strategies"][precision::StrategyKey(k)] = StrategyJson(r.Strategies[static_cast<std::size_t>(k)], r);
    for (int k = precision::kGroupBlend; k < precision::kStrategies; ++k)
        j["differences"][precision::StrategyKey(k)] =
            DifferenceJson(r.Strategies[static_cast<std::size_t>(k)], r.Strategies[precision::kPhase], r);
    j["bat"] = {{"n_low", kBatNitrogenLow}, {"n_high", kBatNitrogenHigh}, {"p2o5_low", kBatP2O5Low}, {"p2o5_high", kBatP2O5High}};
    j["series"] = SeriesJson(r.Series);
    std::vector<std::string> notes = where.Notes;
    notes.insert(notes.end(), r.Notes.begin(), r.Notes.end());
    j["notes"] = notes;
    return j;
}

nlohmann::json RunPrecisionCommand(const PrecisionArgs& args, std::ostream* messages, Progress* progress) {
    ConsoleDialogs dialogs(messages, Answer::No);
    const CommandSession session = OpenCommandSession(args.location, dialogs, args.formulation, true);
    SharedState* const s = session.s.get();
    MainWindow* const w = session.w.get();
    nlohmann::json r;
    r["location"] = s->LocationBase;
    r["formulation"] = w->Combo1.Text();
    auto finish = [&](const char* outcome) {
        r["outcome"] = outcome;
        r["messages"] = dialogs.Shown();
        return r;
    };
    auto refuse = [&](const std::string& why) {
        dialogs.Message("The ways of feeding were not compared: " + why);
        return finish("refused");
    };
    if (!session.found) {
        dialogs.Message(session.notFound);
        return finish("refused");
    }
    if (!s->PigDataReady) return refuse("the location's herd data were not read");
    std::string unusable;
    const MarketSettings m = CommandMarketSettings(*s, dialogs, {}, unusable);
    std::vector<int> given;
    if (args.pigs) given.push_back(0);
    if (args.seed) given.push_back(1);
    std::string herdUnusable;
    precision::PrecisionSettings settings;
    settings.Herd = CommandHerdSettings(*s, dialogs, given, herdUnusable);
    if (args.pigs) settings.Herd.Pigs = *args.pigs;
    if (args.seed) settings.Herd.Seed = *args.seed;
    if (args.percentile) settings.Percentile = *args.percentile;
    r["settings"] = {{"pigs", settings.Herd.Pigs},
                     {"seed", settings.Herd.Seed},
                     {"percentile", args.percentile ? nlohmann::json(*args.percentile) : nlohmann::json(nullptr)},
                     {"empty_days", m.EmptyDays}};
    if (!unusable.empty()) return refuse(unusable);
    if (!herdUnusable.empty()) return refuse(herdUnusable);
    if (const std::string problem = precision::PrecisionSettingsProblem(settings); !problem.empty()) return refuse(problem);
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) return refuse(problem);
    if ((args.dietA || args.dietB) && (args.dietA < 1 || args.dietB < 1 || args.dietA > s->DietCount ||
                                       args.dietB > s->DietCount || args.dietA == args.dietB))
        return refuse("--diets must name two different diets of the location, 1 to " + std::to_string(s->DietCount));

    const precision::PrecisionLocation where = precision::PrecisionLocationOf(*s, m, {args.dietA, args.dietB});
    if (!where.Problem.empty()) {
        dialogs.Message(where.Problem);
        return finish("failed");
    }
    r["settings"]["genotype"] = where.GenotypeName;
    r["settings"]["location_genotype"] = where.LocationGenotype;
    r["settings"]["start_age"] = where.Inputs.StartAge;
    r["settings"]["start_weight_kg"] = where.Inputs.StartWeight;
    r["settings"]["final_weight_kg"] = where.Inputs.FinalWeight;
    precision::PrecisionOptions options;
    options.threads = args.threads;
    options.progress = progress;
    const precision::PrecisionResult result = precision::RunPrecision(where.Inputs, settings, options);
    if (result.Cancelled) {
        dialogs.Message("The comparison was cancelled");
        return finish("cancelled");
    }
    if (!result.Grown()) {
        dialogs.Message(result.Problem);
        return finish("failed");
    }
    r.update(PrecisionJson(where, result));
    return finish("results");
}

void PrintPrecisionReport(const nlohmann::json& report, std::ostream& out) {
    for (const auto& m : report["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (report.value("outcome", "") != "results") return;
    const auto& st = report["settings"];
    out << "Location " << report.value("location", "") << " (" << report.value("formulation", "") << ")\n";
    out << "Herd of " << st.value("pigs", 0) << " pigs (seed " << st.value("seed", 0) << "), "
        << st.value("genotype", "") << ", " << Fixed(st["start_weight_kg"], 1) << " to "
        << Fixed(st["final_weight_kg"], 1) << " kg; group blend for "
        << (st["percentile"].is_null() ? std::string("the herd's mean requirement")
                                       : "the " + Fixed(st["percentile"], 0) + "th percentile of the pigs")
        << "\n";
    for (const char* f : {"a", "b"}) {
        const auto& feed = report["feeds"][f];
        out << feed.value("name", "") << ": " << Fixed(feed["net_energy"], 0) << " kcal NE/kg, SID lysine "
            << Fixed(feed["sid_lysine_percent"], 3) << " %, CP " << Fixed(feed["crude_protein_percent"], 2)
            << " %, price " << Fixed(feed["price_per_kg"], 4) << "/kg\n";
    }
    const auto left = [](const std::string& s, std::size_t w) { return s.size() >= w ? s + " " : s + std::string(w - s.size(), ' '); };
    out << "\n" << left("", 32);
    const char* heads[] = {"Phase", "Group blend", "Precision", "Group - phase", "Precision - phase"};
    for (const char* h : heads) out << Padded(h, 19);
    out << "\n";
    for (const Figure& f : kFigures) {
        out << left(f.Label, 32);
        for (const char* k : {"phase", "group_blend", "precision"}) {
            const auto& v = report["strategies"][k][f.Key];
            out << Padded(v.is_null() ? "-" : Fixed(v, f.Decimals), 19);
        }
        for (const char* k : {"group_blend", "precision"}) {
            const auto& d = report["differences"][k][f.Key];
            std::string text = "-";
            if (!d.is_null()) {
                text = Fixed(d["change"], f.Decimals);
                if (!d["percent"].is_null()) text += " (" + Fixed(d["percent"], 1) + " %)";
            }
            out << Padded(text, 19);
        }
        out << "\n";
    }
    const auto& bat = report["bat"];
    out << "\nEU BAT per place and year: N " << Fixed(bat["n_low"], 1) << " to " << Fixed(bat["n_high"], 1)
        << " kg, P2O5 " << Fixed(bat["p2o5_low"], 1) << " to " << Fixed(bat["p2o5_high"], 1) << " kg\n";
    for (const auto& n : report["notes"]) out << "Note: " << n.get<std::string>() << "\n";
}

int PrecisionExitCode(const nlohmann::json& report) {
    const std::string outcome = report.value("outcome", "");
    if (outcome == "refused") return 2;
    return outcome == "results" ? 0 : 1;
}

}  // namespace tarvisol::cli
