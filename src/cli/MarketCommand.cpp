#include "cli/MarketCommand.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/CommandMarketSettings.h"
#include "cli/ConsoleDialogs.h"
#include "cli/MarketSettingsJson.h"
#include "cli/TextColumns.h"
#include "cli/CommandSession.h"
#include "location/StartUp.h"
#include "market/MarketAnalysis.h"
#include "market/MarketFile.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

namespace {

nlohmann::json SettingsJson(const MarketSettings& m, const MarketRange& r, int weightUnit, const SharedState& s) {
    nlohmann::json j;
    j["start_age"] = NumVal(std::string_view(s.Main->Text2.Text));
    AddMarketSettings(j, m, weightUnit);
    j["weight_unit"] = weightUnit == 1 ? "lb" : weightUnit == 2 ? "g" : "kg";
    j["from"] = r.From;
    j["to"] = r.To;
    j["step"] = r.Step;
    return j;
}

const char* StatusName(MarketRowStatus s) {
    switch (s) {
        case MarketRowStatus::Sold: return "sold";
        case MarketRowStatus::NotReached: return "not_reached";
        case MarketRowStatus::Refused: return "refused";
        case MarketRowStatus::Failed: break;
    }
    return "failed";
}

nlohmann::json RowJson(const MarketRow& r) {
    nlohmann::json j;
    j["final_weight"] = r.FinalWeight;
    j["reached"] = r.Reached;
    j["status"] = StatusName(r.Status);
    const bool sold = r.Sold();
    auto num = [&](double v) { return sold ? nlohmann::json(v) : nlohmann::json(nullptr); };
    j["final_age"] = num(r.FinalAge);
    j["days"] = num(r.Days);
    j["total_feed"] = num(r.TotalFeed);
    j["feed_gain"] = num(r.FeedGain);
    j["feed_cost"] = num(r.FeedCost);
    j["growth_total_feed"] = num(r.GrowthTotalFeed);
    j["growth_feed_cost"] = num(r.GrowthFeedCost);
    j["carcass_weight"] = num(r.Sale.CarcassWeight);
    j["lean"] = num(r.Lean);
    j["yield"] = num(r.Yield);
    j["price_per_kg"] = num(r.Sale.PricePerKg);
    j["value"] = num(r.Sale.Value);
    j["margin_per_pig"] = num(r.Sale.MarginPerPig);
    j["margin_per_place_year"] = num(r.Sale.MarginPerPlaceYear);
    if (!r.Message.empty()) j["message"] = r.Message;
    return j;
}

}  // namespace

nlohmann::json RunMarketCommand(const MarketArgs& args, std::ostream* messages, Progress* progress) {
    ConsoleDialogs dialogs(messages, Answer::No);
    // The feed formulation as `growth` chooses it, so that a row is what
    // `growth --final-weight` gives at the same weight.
    const CommandSession session = OpenCommandSession(args.location, dialogs, args.formulation);
    SharedState* const s = session.s.get();
    MainWindow* const w = session.w.get();

    // The growth model and herd sex the command line chose, for this run only.
    const std::string modelRefused = session.found ? ChooseGrowthModel(*s, args.model, args.sex) : std::string();

    nlohmann::json r;
    r["location"] = s->LocationBase;
    r["formulation"] = w->Combo1.Text();
    AddChosenModelJson(*s, r);
    auto finish = [&](const char* outcome) {
        r["outcome"] = outcome;
        r["messages"] = dialogs.Shown();
        return r;
    };

    std::string unusable;
    const MarketSettings m = CommandMarketSettings(*s, dialogs, {
        {args.carcassPrice, &MarketSettings::CarcassPrice}, {args.leanBase, &MarketSettings::LeanBase},
        {args.leanPremium, &MarketSettings::LeanPremium},   {args.bandLow, &MarketSettings::BandLow},
        {args.bandHigh, &MarketSettings::BandHigh},         {args.discount, &MarketSettings::Discount},
        {args.pigCost, &MarketSettings::PigCost},           {args.dayCost, &MarketSettings::DayCost},
        {args.emptyDays, &MarketSettings::EmptyDays},       {args.carcassYield, &MarketSettings::CarcassYield}}, unusable);
    MarketRange range = DefaultMarketRange(*s);
    if (args.from) range.From = *args.from;
    if (args.to) range.To = *args.to;
    if (args.step) range.Step = *args.step;
    r["settings"] = SettingsJson(m, range, s->WeightUnit(), *s);
    r["rows"] = nlohmann::json::array();
    r["best_per_pig"] = nullptr;
    r["best_per_place_year"] = nullptr;

    if (!session.found) {
        dialogs.Message(session.notFound);
        return finish("refused");
    }
    if (!s->PigDataReady) {
        dialogs.Message("Market weights were not run: the location's herd data were not read");
        return finish("refused");
    }
    if (!modelRefused.empty()) {
        dialogs.Message("Market weights were not run: " + modelRefused);
        return finish("refused");
    }
    if (!unusable.empty()) {
        dialogs.Message("Market weights were not run: " + unusable);
        return finish("refused");
    }
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) {
        dialogs.Message("Market weights were not run: " + problem);
        return finish("refused");
    }
    if (const std::string problem = MarketRangeProblem(range); !problem.empty()) {
        dialogs.Message("Market weights were not run: " + problem);
        return finish("refused");
    }

    MarketOptions options;
    options.threads = args.threads;
    options.progress = progress;
    const MarketAnalysis a = AnalyseMarketWeights(*s, m, range, options);
    if (a.Cancelled) {
        dialogs.Message("Market weights cancelled");
        return finish("cancelled");
    }
    bool refused = false, failed = false;
    for (const MarketRow& row : a.Rows) {
        r["rows"].push_back(RowJson(row));
        if (row.Status == MarketRowStatus::Refused) refused = true;
        if (row.Status == MarketRowStatus::Failed) failed = true;
    }
    if (a.BestPerPig >= 0) r["best_per_pig"] = a.Rows[static_cast<std::size_t>(a.BestPerPig)].FinalWeight;
    if (a.BestPerPlaceYear >= 0)
        r["best_per_place_year"] = a.Rows[static_cast<std::size_t>(a.BestPerPlaceYear)].FinalWeight;
    // Each distinct reason once, so a range of failed weights reads as one message.
    std::vector<std::string> said;
    for (const MarketRow& row : a.Rows) {
        if (row.Message.empty() || std::find(said.begin(), said.end(), row.Message) != said.end()) continue;
        said.push_back(row.Message);
        dialogs.Message(row.Message);
    }
    if (refused) return finish("refused");
    if (a.BestPerPig < 0) {
        dialogs.Message("No final weight of the range is reached: there is no best weight");
        return finish("no_weight_reached");
    }
    return finish(failed ? "failed" : "results");
}

void PrintMarketReport(const nlohmann::json& report, std::ostream& out) {
    for (const auto& m : report["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    const auto& st = report["settings"];
    const std::string unit = st.value("weight_unit", "kg"), carcass = st.value("carcass_unit", "kg");
    out << "Location " << report.value("location", "") << " (" << report.value("formulation", "") << ")\n";
    out << ModelLineOf(report) << "\n";
    out << "Carcass price " << Fixed(st["carcass_price"], 3) << " per " << carcass << ", lean base "
        << Fixed(st["lean_base"], 1) << " %, premium " << Fixed(st["lean_premium"], 3) << " per point, band "
        << Fixed(st["band_low"], 1) << " to " << Fixed(st["band_high"], 1) << " " << carcass << " (discount "
        << Fixed(st["discount"], 3) << "), feeder pig " << Fixed(st["pig_cost"], 2) << ", day cost "
        << Fixed(st["day_cost"], 2) << ", empty days " << Fixed(st["empty_days"], 0) << ", carcass yield "
        << (st["carcass_yield"].is_number() ? Fixed(st["carcass_yield"], 1) + " %" : std::string("the run's own"))
        << "\n\n";
    if (report["rows"].empty()) return;
    const char* heads[] = {"Weight", "Age", "Days", "Feed", "F/G", "Feed cost", "Carcass", "Lean %",
                           "Price", "Value", "Margin/pig", "Per place-yr"};
    const std::size_t widths[] = {8, 7, 6, 8, 6, 10, 8, 7, 7, 8, 11, 13};
    for (std::size_t c = 0; c < 12; ++c) out << Padded(heads[c], widths[c]);
    out << "   (weights in " << unit << ", carcass in " << carcass << ")\n";
    const nlohmann::json bestPig = report["best_per_pig"], bestYear = report["best_per_place_year"];
    for (const auto& row : report["rows"]) {
        out << Padded(Fixed(row["final_weight"], 1), widths[0]);
        const std::string status = row.value("status", "");
        if (status != "sold") {
            out << "   " << (status == "not_reached" ? "not reached by day 198" : status == "refused" ? "refused" : "failed")
                << "\n";
            continue;
        }
        const std::pair<const char*, int> cells[] = {{"final_age", 1}, {"days", 1},     {"total_feed", 1},
                                                     {"feed_gain", 3}, {"feed_cost", 2}, {"carcass_weight", 1},
                                                     {"lean", 1},      {"price_per_kg", 3}, {"value", 2},
                                                     {"margin_per_pig", 2}, {"margin_per_place_year", 2}};
        for (std::size_t c = 0; c < 11; ++c) out << Padded(Fixed(row[cells[c].first], cells[c].second), widths[c + 1]);
        if (row["final_weight"] == bestPig) out << "  best per pig";
        if (row["final_weight"] == bestYear) out << "  best per place-year";
        out << "\n";
    }
    out << "\nBest weight per pig: " << (bestPig.is_number() ? Fixed(bestPig, 1) + " " + unit : "none")
        << "; per pig place and year: " << (bestYear.is_number() ? Fixed(bestYear, 1) + " " + unit : "none") << "\n";
}

int MarketExitCode(const nlohmann::json& report) {
    const std::string outcome = report.value("outcome", "");
    if (outcome == "refused") return 2;
    return outcome == "results" ? 0 : 1;
}

}  // namespace tarvisol::cli
