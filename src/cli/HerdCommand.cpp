#include "cli/HerdCommand.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/CommandMarketSettings.h"
#include "cli/ConsoleDialogs.h"
#include "cli/MarketSettingsJson.h"
#include "cli/TextColumns.h"
#include "cli/CommandSession.h"
#include "location/StartUp.h"
#include "market/HerdCuts.h"
#include "market/HerdFile.h"
#include "market/HerdPopulation.h"
#include "market/MarketFile.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextFile.h"
#include "shared/Units.h"

namespace tarvisol::cli {

namespace {

bool Number(const std::string& t, double& v) {
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && ec == std::errc() && p == t.data() + t.size() && std::isfinite(v);
}

// "AGE:WEIGHT,AGE:SHARE%,AGE" into cuts, weights in the display unit turned
// into kg; empty with a message when a cut cannot be read.
bool ParseCuts(const SharedState& s, const std::string& text, HerdStrategy& cuts, std::string& problem) {
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t comma = std::min(text.find(',', begin), text.size());
        const std::string item = text.substr(begin, comma - begin);
        const std::size_t colon = item.find(':');
        double age = 0, amount = 0;
        HerdCut cut;
        const std::string agePart = item.substr(0, colon);
        if (!Number(agePart, age) || age != std::floor(age)) {
            problem = "--cuts: \"" + item + "\" must be AGE, AGE:WEIGHT or AGE:SHARE% with a whole day of age";
            return false;
        }
        cut.Age = static_cast<int>(age);
        if (colon != std::string::npos) {
            std::string rest = item.substr(colon + 1);
            const bool share = !rest.empty() && rest.back() == '%';
            if (share) rest.pop_back();
            if (!Number(rest, amount) || amount < 0 || (share && amount > 100)) {
                problem = "--cuts: \"" + item + "\" must give a weight of 0 or more or a share from 0 to 100 %";
                return false;
            }
            if (share) cut.Share = amount / 100;
            else cut.MinWeight = ConvertWeight(s, 1, amount);
        }
        cuts.push_back(cut);
        begin = comma + 1;
    }
    return true;
}

nlohmann::json CutsJson(const HerdValue& v) {
    nlohmann::json cuts = nlohmann::json::array();
    for (const HerdCutResult& c : v.Cuts)
        cuts.push_back({{"age", c.Age},
                        {"sold", c.Sold},
                        {"live_mean", c.LiveMean},
                        {"live_sd", c.LiveSd},
                        {"carcass_mean", c.CarcassMean},
                        {"carcass_sd", c.CarcassSd},
                        {"outside_band", c.OutsideBand},
                        {"revenue", c.Revenue},
                        {"sort_loss_per_pig", c.SortLossPerPig}});
    return cuts;
}

nlohmann::json TotalsJson(const HerdValue& v) {
    return {{"pigs", v.Pigs},
            {"feed_cost_per_pig", v.FeedCostPerPig},
            {"revenue_per_pig", v.RevenuePerPig},
            {"sort_loss_per_pig", v.SortLossPerPig},
            {"margin_per_pig", v.MarginPerPig},
            {"margin_per_place_year", v.MarginPerPlaceYear},
            {"barn_days", v.BarnDays}};
}

nlohmann::json StrategyJson(const HerdStrategy& cuts, double displayPerKg) {
    nlohmann::json j = nlohmann::json::array();
    for (std::size_t c = 0; c < cuts.size(); ++c) {
        nlohmann::json cut{{"age", cuts[c].Age}};
        if (c + 1 == cuts.size()) cut["rest"] = true;
        else if (cuts[c].MinWeight > 0) cut["min_weight"] = cuts[c].MinWeight * displayPerKg;
        else cut["share"] = cuts[c].Share;
        j.push_back(cut);
    }
    return j;
}

// One row per pig of a response-model herd: its sex and genotype, its sale
// and what it ate.
std::string ResponsePigsCsv(const Herd& herd, const HerdValue& v) {
    std::string csv =
        "pig,sex,start_weight,mean_protein_deposition_g,precocity,ne_intake_50kg_kcal,ne_intake_100kg_kcal,cut,sale_age,"
        "live_weight,carcass_weight,feed,price_per_kg,revenue\r\n";
    char buf[512];
    for (const HerdSale& sale : v.Sales) {
        const HerdPig& pig = herd.Pigs[static_cast<std::size_t>(sale.Pig)];
        std::snprintf(buf, sizeof buf, "%d,%s,%.3f,%.6g,%.6g,%.6g,%.6g,%d,%d,%.3f,%.3f,%.3f,%.4f,%.2f\r\n", sale.Pig + 1,
                      pig.Sex == 1 ? "barrow" : "gilt", pig.StartWeight * herd.MarketPerKg,
                      pig.Genotype.MeanProteinDeposition, pig.Genotype.Precocity, pig.Genotype.NeIntake50,
                      pig.Genotype.NeIntake100, sale.Cut + 1, sale.Age, sale.Live, sale.Carcass,
                      sale.Feed * herd.MarketPerKg, sale.PricePerKg, sale.Revenue);
        csv += buf;
    }
    return csv;
}

// One row per pig: its draws, its sale and what it ate.
std::string PigsCsv(const Herd& herd, const HerdValue& v) {
    if (herd.Response) return ResponsePigsCsv(herd, v);
    std::string csv =
        "pig,start_weight,b0,b1,b2,b3,b4,cut,sale_age,live_weight,carcass_weight,feed,price_per_kg,revenue\r\n";
    char buf[512];
    for (const HerdSale& sale : v.Sales) {
        const HerdPig& pig = herd.Pigs[static_cast<std::size_t>(sale.Pig)];
        std::snprintf(buf, sizeof buf, "%d,%.3f,%.6g,%.6g,%.6g,%.6g,%.6g,%d,%d,%.3f,%.3f,%.3f,%.4f,%.2f\r\n",
                      sale.Pig + 1, pig.StartWeight * herd.MarketPerKg, pig.Curve[0], pig.Curve[1], pig.Curve[2],
                      pig.Curve[3], pig.Curve[4], sale.Cut + 1, sale.Age, sale.Live, sale.Carcass,
                      sale.Feed * herd.MarketPerKg, sale.PricePerKg, sale.Revenue);
        csv += buf;
    }
    return csv;
}

}  // namespace

nlohmann::json RunHerdCommand(const HerdArgs& args, std::ostream* messages, Progress* progress) {
    ConsoleDialogs dialogs(messages, Answer::No);
    const CommandSession session = OpenCommandSession(args.location, dialogs, args.formulation);
    SharedState* const s = session.s.get();
    MainWindow* const w = session.w.get();

    // The growth model and herd sex the command line chose, for this run only.
    const std::string modelRefused = session.found ? ChooseGrowthModel(*s, args.model, args.sex) : std::string();

    nlohmann::json r;
    r["location"] = s->LocationBase;
    r["formulation"] = w->Combo1.Text();
    AddChosenModelJson(*s, r);
    r["cuts"] = nlohmann::json::array();
    r["totals"] = nullptr;
    auto finish = [&](const char* outcome) {
        r["outcome"] = outcome;
        r["messages"] = dialogs.Shown();
        return r;
    };

    std::string unusable;
    const MarketSettings m =
        CommandMarketSettings(*s, dialogs, {{args.carcassYield, &MarketSettings::CarcassYield}}, unusable);
    // The settings the options give (indices of the herd file's settings).
    std::vector<int> given;
    if (args.pigs) given.push_back(0);
    if (args.seed) given.push_back(1);
    if (args.cvWeight) given.push_back(2);
    if (args.cvGrowth) given.push_back(3);
    if (args.cvMatureSize) given.push_back(4);
    if (args.cvMaintenance) given.push_back(5);
    std::string herdUnusable;
    HerdSettings h = CommandHerdSettings(*s, dialogs, given, herdUnusable);
    if (args.pigs) h.Pigs = *args.pigs;
    if (args.seed) h.Seed = *args.seed;
    if (args.cvWeight) h.CvStartWeight = *args.cvWeight;
    if (args.cvGrowth) h.CvGrowth = *args.cvGrowth;
    if (args.cvMatureSize) h.CvMatureSize = *args.cvMatureSize;
    if (args.cvMaintenance) h.CvMaintenance = *args.cvMaintenance;

    nlohmann::json st;
    st["pigs"] = h.Pigs;
    st["seed"] = h.Seed;
    st["cv_weight"] = h.CvStartWeight;
    st["cv_growth"] = h.CvGrowth;
    st["cv_mature_size"] = h.CvMatureSize;
    st["cv_maintenance"] = h.CvMaintenance;
    st["corr_weight_growth"] = h.CorrStartGrowth;
    st["corr_growth_mature_size"] = h.CorrGrowthMature;
    st["corr_growth_maintenance"] = h.CorrGrowthMaintenance;
    AddMarketSettings(st, m, s->WeightUnit());
    if (s->Model.Kind == GrowthModelKind::Response)
        // What each spread draws on the nutrient-response model.
        st["spreads_draw"] = {{"cv_weight", "starting weight"},
                              {"cv_growth", "mean protein deposition"},
                              {"cv_mature_size", "precocity (a larger mature size, a later pig)"},
                              {"cv_maintenance", "net energy intake at 50 and 100 kg"}};
    r["settings"] = st;

    auto refuse = [&](const std::string& why) {
        dialogs.Message("The herd was not sold: " + why);
        return finish("refused");
    };
    if (!session.found) {
        dialogs.Message(session.notFound);
        return finish("refused");
    }
    if (!s->PigDataReady) return refuse("the location's herd data were not read");
    if (!modelRefused.empty()) return refuse(modelRefused);
    if (!unusable.empty()) return refuse(unusable);
    if (!herdUnusable.empty()) return refuse(herdUnusable);
    if (const std::string problem = HerdSettingsProblem(h); !problem.empty()) return refuse(problem);
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty()) return refuse(problem);
    HerdStrategy cuts;
    if (!args.cuts.empty()) {
        std::string problem;
        if (!ParseCuts(*s, args.cuts, cuts, problem)) return refuse(problem);
    }

    HerdOptions options;
    options.threads = args.threads;
    options.progress = progress;
    const Herd herd = GrowHerd(*s, h, options);
    if (herd.Cancelled) {
        dialogs.Message("The herd was cancelled");
        return finish("cancelled");
    }
    if (!herd.Grown()) {
        dialogs.Message(herd.Problem);
        return finish("failed");
    }
    const double displayPerKg = herd.MarketPerKg;
    r["settings"]["start_age"] = herd.StartAge;
    r["settings"]["last_age"] = herd.LastAge;
    r["settings"]["final_weight"] = herd.FinalWeight * displayPerKg;
    r["settings"]["final_age"] = herd.FinalAge;
    r["settings"]["yield_used"] = SaleYield(m, herd.RunYield);
    if (cuts.empty()) cuts = OneDaySale(static_cast<int>(std::lround(herd.FinalAge)));
    if (const std::string problem = HerdStrategyProblem(herd, cuts); !problem.empty()) return refuse(problem);

    HerdValue value;
    if (args.best) {
        const BestCuts best = FindBestCuts(herd, m, progress);
        if (best.Cancelled) {
            dialogs.Message("The search for the best cuts was cancelled");
            return finish("cancelled");
        }
        cuts = best.Cuts;
        value = best.Value;
        r["one_day"] = {{"age", best.OneDay.front().Age},
                        {"margin_per_pig", best.OneDayValue.MarginPerPig},
                        {"margin_per_place_year", best.OneDayValue.MarginPerPlaceYear}};
        r["gain_over_one_day_per_place_year"] = value.MarginPerPlaceYear - best.OneDayValue.MarginPerPlaceYear;
    } else {
        value = ValueHerd(herd, m, cuts);
    }
    if (!value.Valued()) return refuse(value.Problem);
    r["settings"]["cuts"] = StrategyJson(cuts, displayPerKg);
    r["cuts"] = CutsJson(value);
    r["totals"] = TotalsJson(value);
    if (!args.pigsCsv.empty()) {
        std::string error;
        if (!SaveAtomic(args.pigsCsv, PigsCsv(herd, value), error)) {
            dialogs.Message("Cannot save " + args.pigsCsv + ": " + error);
            return finish("failed");
        }
    }
    return finish("results");
}

void PrintHerdReport(const nlohmann::json& report, std::ostream& out) {
    for (const auto& m : report["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    const auto& st = report["settings"];
    const std::string unit = st.value("carcass_unit", "kg");
    out << "Location " << report.value("location", "") << " (" << report.value("formulation", "") << ")\n";
    out << ModelLineOf(report) << "\n";
    // On the response model the same spreads draw each pig's genotype.
    const bool response = report.value("model", std::string()) == "response";
    out << "Herd of " << st.value("pigs", 0) << " pigs (seed " << st.value("seed", 0) << "), spreads: start weight "
        << Fixed(st["cv_weight"], 1) << (response ? " %, protein deposition " : " %, growth ") << Fixed(st["cv_growth"], 1)
        << (response ? " %, precocity " : " %, mature size ") << Fixed(st["cv_mature_size"], 1)
        << (response ? " %, intake " : " %, maintenance ") << Fixed(st["cv_maintenance"], 1) << " %\n";
    if (!st.contains("yield_used")) return;
    out << "Carcass yield " << Fixed(st["yield_used"], 1) << " %"
        << (st["carcass_yield"].is_number() ? " (the market's)" : " (the run's own)") << ", band "
        << Fixed(st["band_low"], 1) << " to " << Fixed(st["band_high"], 1) << " " << unit << " carcass\n\n";
    if (report["cuts"].empty()) return;
    const char* heads[] = {"Cut", "Age", "Sold", "Live", "SD", "Carcass", "SD", "Outside", "Revenue", "Sort loss/pig"};
    const std::size_t widths[] = {4, 6, 6, 8, 6, 9, 6, 9, 11, 15};
    for (std::size_t c = 0; c < 10; ++c) out << Padded(heads[c], widths[c]);
    out << "   (weights in " << unit << ")\n";
    int i = 1;
    for (const auto& c : report["cuts"]) {
        out << Padded(std::to_string(i++), widths[0]) << Padded(Fixed(c["age"], 0), widths[1])
            << Padded(Fixed(c["sold"], 0), widths[2]) << Padded(Fixed(c["live_mean"], 1), widths[3])
            << Padded(Fixed(c["live_sd"], 1), widths[4]) << Padded(Fixed(c["carcass_mean"], 1), widths[5])
            << Padded(Fixed(c["carcass_sd"], 1), widths[6])
            << Padded(Fixed(nlohmann::json(c["outside_band"].get<double>() * 100), 1) + " %", widths[7])
            << Padded(Fixed(c["revenue"], 2), widths[8]) << Padded(Fixed(c["sort_loss_per_pig"], 2), widths[9]) << "\n";
    }
    const auto& t = report["totals"];
    out << "\nPer pig: revenue " << Fixed(t["revenue_per_pig"], 2) << ", feed cost " << Fixed(t["feed_cost_per_pig"], 2)
        << ", sort loss " << Fixed(t["sort_loss_per_pig"], 2) << ", margin " << Fixed(t["margin_per_pig"], 2)
        << "\nBarn days " << Fixed(t["barn_days"], 0) << "; margin per pig place and year "
        << Fixed(t["margin_per_place_year"], 2) << "\n";
    if (report.contains("one_day"))
        out << "Best cuts pay " << Fixed(report["gain_over_one_day_per_place_year"], 2)
            << " more per pig place and year than the best single day for the whole barn (day "
            << Fixed(report["one_day"]["age"], 0) << ", " << Fixed(report["one_day"]["margin_per_place_year"], 2)
            << ")\n";
}

int HerdExitCode(const nlohmann::json& report) {
    const std::string outcome = report.value("outcome", "");
    if (outcome == "refused") return 2;
    return outcome == "results" ? 0 : 1;
}

}  // namespace tarvisol::cli
