#include "cli/MarginOptimiseCommand.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "cli/CommandMarketSettings.h"
#include "cli/CommandSession.h"
#include "cli/JsonText.h"
#include "cli/ModelChoice.h"
#include "growth/GrowthRun.h"
#include "market/HerdFile.h"
#include "optimisation/MarginSearch.h"
#include "report/Workbook.h"
#include "response/GenotypePresets.h"
#include "shared/Numbers.h"
#include "ui/KeepRun.h"
#include "ui/ReportExport.h"

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

// The herd's figures of a programme valued on one.
nlohmann::json HerdJson(const MarginOutcome& o) {
    return {{"pigs", o.HerdPigs},
            {"sale_age", o.SaleAge},
            {"feed_cost_per_pig", Num(o.HerdFeedCost)},
            {"revenue_per_pig", Num(o.HerdRevenue)},
            {"sort_loss_per_pig", Num(o.SortLoss)},
            {"outside_band", Num(o.OutsideBand)},
            {"barn_days", Num(o.BarnDays)}};
}

std::string Today() {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &local);
    return buf;
}

nlohmann::json ProgrammeJson(const MarginOutcome& o, const MarginProgramme& levels) {
    if (!o.Sold) return {{"sold", false}, {"message", MixedText(o.Message)}};
    nlohmann::json j = {{"sold", true},
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
    if (o.HerdPigs > 0) j["herd"] = HerdJson(o);
    return j;
}

}  // namespace

nlohmann::json RunMarginOptimiseCommand(const OptimiseArgs& args, std::ostream* messages, Progress* progress,
                                        ReportRenderer* renderer) {
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
                        : !args.pdf.empty() || !args.xlsx.empty()
                            ? "--pdf and --xlsx write the margin search's report: they go with a margin objective "
                              "(margin-place-year or margin-pig)"
                            : "Unknown objective " + args.objective);
        return finish(true);
    }
    r["objective_caption"] = ObjectiveCaption(objective);
    r["pdf"] = nullptr;
    r["xlsx"] = nullptr;
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
    // The herd the margin is valued on: the location's, as `herd` grows it.
    HerdSettings herd;
    if (args.herd) {
        const std::string file = HerdFilePath(s->LocationBase);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            dialogs.Message("--herd values the margin on the location's herd, but it has no herd file " + file +
                            ": save the herd settings in the Herd and Marketing window (or write the file) first");
            return finish(true);
        }
        herd = CommandHerdSettings(*s, dialogs, {}, unusable);
        if (!unusable.empty()) {
            dialogs.Message("The margin search was not run: " + unusable);
            return finish(true);
        }
        if (const std::string problem = HerdSettingsProblem(herd); !problem.empty()) {
            dialogs.Message("The margin search was not run: " + problem);
            return finish(true);
        }
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
    if (args.herd) options.herd = &herd;
    const MarginSearchResult res = SearchMargin(*s, m, objective, options);
    if (args.herd)
        r["herd"] = {{"pigs", res.HerdPigs},
                     {"search_pigs", res.HerdSearchPigs},
                     {"seed", res.HerdSeed},
                     {"file", MixedText(HerdFilePath(s->LocationBase))},
                     {"sale", "the whole barn on the day of age each programme's pig reaches its sale weight"},
                     {"valued", "the search weighs programmes on the first search_pigs pigs of the herd's draws; "
                                "best, cost_minimum, current and each sensitivity optimum on all pigs"}};
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

    // The report and the workbook, from this result: the current run the
    // search started from, and the margin section.
    bool written = true;
    const RunSnapshot& run = CurrentRun(*s);
    const std::string date = Today();
    if (!args.pdf.empty()) {
        std::string error;
        if (!renderer) {
            dialogs.Message("The report was not written: this tarvisol-cli was built without Qt and cannot draw pages");
            written = false;
        } else {
            ReportRequest rq;
            rq.Run = &run;
            rq.Location = LocationTitle(*s);
            rq.Date = date;
            rq.Margin = &res;
            if (renderer->WritePdf(BuildReport(rq), ReportPage::A4, args.pdf, error)) {
                r["pdf"] = args.pdf;
            } else {
                dialogs.Message("The report was not written: " + error);
                written = false;
            }
        }
    }
    if (!args.xlsx.empty()) {
        WorkbookRequest rq;
        rq.Run = &run;
        rq.Margin = &res;
        rq.Location = LocationTitle(*s);
        rq.Date = date;
        std::string error;
        if (WriteWorkbook(args.xlsx, rq, error)) {
            r["xlsx"] = args.xlsx;
        } else {
            dialogs.Message("The workbook was not written: " + error);
            written = false;
        }
    }
    r["ran"] = written;
    return finish(false);
}

void PrintMarginOptimiseReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (r.value("refused", false)) {
        out << "The margin search did not run.\n";
        return;
    }
    if (!r.contains("best")) {
        out << "The margin search found no programme to stand behind.\n";
        return;
    }
    auto num = [](const nlohmann::json& v, const char* pattern) {
        return v.is_null() ? std::string("-") : FormatPattern(v.get<double>(), pattern);
    };
    auto pad = [](std::string s, std::size_t n) { return s.size() >= n ? s : std::string(n - s.size(), ' ') + s; };
    out << "Location " << r.value("location", "") << ", objective: " << r.value("objective_caption", "") << "\n";
    out << "Growth model: nutrient response, " << r.value("genotype", "") << "\n";
    if (r.contains("herd"))
        out << "Margins of the location's herd: " << r["herd"]["pigs"].get<int>() << " pigs (seed "
            << r["herd"]["seed"].get<std::uint64_t>() << ") sold as one barn on the day of the sale weight; the search "
            << "weighed programmes on " << r["herd"]["search_pigs"].get<int>() << " of them\n";
    out << "\n";
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
    if (r.contains("pdf") && !r["pdf"].is_null()) out << "Report: " << r["pdf"].get<std::string>() << "\n";
    if (r.contains("xlsx") && !r["xlsx"].is_null()) out << "Workbook: " << r["xlsx"].get<std::string>() << "\n";
    if (!r.value("ran", false)) out << "Not every file asked for was written.\n";
}

}  // namespace tarvisol::cli
