#include "cli/GrowthCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/JsonText.h"
#include "cli/KeepCommand.h"
#include "cli/RequirementsCommand.h"
#include "cli/GrowthSession.h"
#include "growth/GrowthRun.h"
#include "growth/SexSplit.h"
#include "response/ResponsivePig.h"
#include "location/StartUp.h"
#include "report/RunFigures.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/TextFile.h"
#include "shared/Units.h"

namespace tarvisol::cli {
namespace fs = std::filesystem;

namespace {

// What held a response day's protein deposition: one factor, or the males'
// and the females' of a mixed herd when they differ ("lysine/energy").
std::string LimitingText(const ResponseDayFigures& f) {
    const std::string m = response::LimitingName(f.LimitingMales), w = response::LimitingName(f.LimitingFemales);
    return m == w || w.empty() ? m : m.empty() ? w : m + "/" + w;
}

std::string Cell(const Grid& g, int r, int c) { return r < g.Rows() && c < g.Cols() ? g.TextMatrix(r, c) : ""; }

nlohmann::json Number(const std::string& text) {
    if (text.empty()) return nullptr;
    return Val(text);
}

// A grid cell as a CSV field: its number, or nothing when the cell holds no
// number (a header line, an empty cell).
std::string CsvNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::string_view t = std::string_view(text).substr(i);
    if (t.empty()) return {};
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return {};
    return FormatPrecise(v);
}

// The protein and lipid deposited on day d (g) and what held the protein:
// the response model's own days; for the documented curve 0.22 x the day's
// fat-free gain and the day's fat gain, as its equations compute them, with
// no limiting factor.
struct DayDeposition {
    std::string protein, lipid, limiting;
};
DayDeposition DepositionOf(const SharedState& s, int d) {
    DayDeposition out;
    if (s.Response.Used) {
        const int i = d - s.StartAge;
        if (i < 0 || i >= static_cast<int>(s.Response.Days.size())) return out;
        const ResponseDayFigures& f = s.Response.Days[static_cast<std::size_t>(i)];
        out.protein = FormatPrecise(f.ProteinDeposition);
        out.lipid = FormatPrecise(f.LipidDeposition);
        out.limiting = LimitingText(f);
        return out;
    }
    if (d < s.StartAge || d >= s.RunLastDay || d + 1 > 199) return out;
    const double fat = s.BodyFat(0, d + 1) - s.BodyFat(0, d);
    const double lean = s.DayGrowth(0, d + 1) - s.DayGrowth(0, d) - fat;
    out.protein = FormatPrecise(std::max(0.0, 0.22 * lean * 1000.0));
    out.lipid = FormatPrecise(fat * 1000.0);
    return out;
}

bool WriteDailyCsv(const SharedState& s, const MainWindow& w, const std::string& path, std::string& error) {
    std::vector<std::string> lines{
        "age,live_weight,daily_feed,cum_feed,male_weight,female_weight,male_feed,female_feed,back_fat,loin_area,lean,yield,"
        "protein_deposition_g,lipid_deposition_g,limiting"};
    const Grid& g = w.Grid1;
    for (int row = 1; row < g.Rows(); ++row) {
        const std::string age = g.TextMatrix(row, 5);
        if (!(Val(age) > 0)) break;
        // The day the split wrote this row's figures for, as the summary and
        // the daily growth window read them.
        const int d = SplitDayOfRow(s, g, row);
        std::string line = CsvNumber(age);
        for (int c : {6, 7, 8}) line += "," + CsvNumber(g.TextMatrix(row, c));
        for (double v : {ConvertWeight(s, 2, s.DayGrowth(1, d)), ConvertWeight(s, 2, s.DayGrowth(2, d)),
                         ConvertWeight(s, 2, s.DayFeed(1, d)), ConvertWeight(s, 2, s.DayFeed(2, d))})
            line += "," + FormatPrecise(v);
        for (int c : {10, 11, 12, 13}) line += "," + CsvNumber(g.TextMatrix(row, c));
        // The deposition of the day that starts at the row's age.
        const DayDeposition dep = DepositionOf(s, static_cast<int>(std::floor(Val(age))));
        line += "," + dep.protein + "," + dep.lipid + "," + dep.limiting;
        lines.push_back(line);
    }
    return SaveAtomic(path, JoinCrlf(lines), error);
}

const char* OutcomeName(GrowthOutcome o) {
    switch (o) {
        case GrowthOutcome::Refused: return "refused";
        case GrowthOutcome::NotFormulated: return "not_formulated";
        case GrowthOutcome::RunFailed: return "run_failed";
        case GrowthOutcome::FinalWeightNotReached: return "final_weight_not_reached";
        case GrowthOutcome::PriceMissing: return "price_missing";
        case GrowthOutcome::Results: return "results";
    }
    return "refused";
}

}  // namespace

int GrowthExitCode(const nlohmann::json& r) {
    if (r.value("outcome", std::string()) == "refused") return 2;
    if (!r.value("results_valid", false) || !r.value("csv_written", true)) return 1;
    return 0;
}

nlohmann::json RunGrowthCommand(const GrowthArgs& args, std::ostream* messages) {
    const auto session = OpenForGrowth(args, messages);
    SharedState* const s = session->s.get();
    MainWindow* const w = session->w.get();
    ConsoleDialogs& dialogs = *session->dialogs;

    const std::size_t before = dialogs.Shown().size();
    if (!session->refused.empty()) dialogs.Message(session->refused);
    const GrowthOutcome outcome = session->refused.empty() ? Growth(*s) : GrowthOutcome::Refused;
    // The window refuses an empty starting weight or an unread location
    // without a word; the command line says it.
    if (outcome == GrowthOutcome::Refused && dialogs.Shown().size() == before)
        dialogs.Message(!s->PigDataReady ? "Growth did not run: the location's herd data were not read"
                                         : "Growth did not run: no Starting Weight");

    nlohmann::json r;
    const Grid& g = w->Grid1;
    r["location"] = MixedText(s->LocationBase);
    r["outcome"] = OutcomeName(outcome);
    r["results_valid"] = s->GrowthResultsValid;
    r["reached_final_weight"] = s->ReachedFinalWeight;
    r["run_failed"] = s->RunFailed;
    r["formulation"] = w->Combo1.Text();
    AddModelJson(s->LastRun.Empty() ? RunSnapshot{} : s->LastRun, *s, r);
    if (s->LastRun.Empty()) r["model"] = GrowthModelKey(s->Model.Kind);
    r["diets"] = nlohmann::json::array();
    // The run took place and its table is shown (not necessarily results that stand).
    const bool ran = outcome == GrowthOutcome::Results || outcome == GrowthOutcome::PriceMissing ||
                     outcome == GrowthOutcome::FinalWeightNotReached;
    if (ran) {
        for (int i = 1; i <= s->DietCount; ++i)
            r["diets"].push_back({{"diet", i},
                                  {"name", NameText(Cell(g, i, 0))},
                                  {"price", s->DietNutrients(i, 0)},
                                  {"end_weight", Number(Cell(g, i, 1))},
                                  {"end_age", Number(Cell(g, i, 2))},
                                  {"daily_gain_kg", Number(Cell(g, i, 3))},
                                  {"cum_feed", Number(Cell(g, i, 4))},
                                  {"feed_eaten", Cell(g, i, 1).empty() ? nlohmann::json(nullptr)
                                                                       : nlohmann::json(ConvertWeight(*s, 2, FeedEatenOfDiet(*s, i)))}});
        auto sex = [&](int c) {
            return nlohmann::json{{"live_weight", Number(Cell(g, 20, c))}, {"feed", Number(Cell(g, 21, c))},
                                  {"cost", Number(Cell(g, 22, c))},        {"feed_gain", Number(Cell(g, 23, c))},
                                  {"back_fat", Number(Cell(g, 24, c))},    {"loin_area", Number(Cell(g, 25, c))},
                                  {"lean", Number(Cell(g, 26, c))},        {"yield", Number(Cell(g, 27, c))}};
        };
        r["males"] = sex(1);
        r["females"] = sex(2);
        r["cost_per_pig"] = Number(Cell(g, 12, 0));
        r["cost_per_tonne"] = Number(Cell(g, 12, 1));
        r["cost_per_tonne_label"] = Cell(g, 10, 1);
        // The cost figures leave out an ingredient without a price.
        r["unpriced"] = nlohmann::json::array();
        for (int i : UnpricedInCost(s->LastRun))
            r["unpriced"].push_back({{"ingredient", i}, {"name", NameText(s->IngredientNames(i))}});
        r["price_complete"] = r["unpriced"].empty();
        r["energy_per_gain"] = Number(Cell(g, 8, 1));
        r["energy_per_gain_label"] = Cell(g, 8, 0);
        r["final_age"] = s->FinalAge;
        r["total_feed"] = Number(w->Text4.Text);
        r["feed_gain"] = Number(w->TextF2G.Text);
        r["carcass_mixed"] = {{"back_fat_mm", s->CarcassTable(0, 1)},
                              {"loin_area", s->CarcassTable(0, 2)},
                              {"lean", s->CarcassTable(0, 3)},
                              {"yield", s->CarcassTable(0, 4)},
                              {"loin_depth", s->CarcassTable(0, 5)}};
        r["weight_unit"] = WeightUnitLabel(s->WeightUnit());
        r["balance"] = BalanceJson(s->LastRun.Nutrition.Balance);
        // Each day grown: weight at its start, feed, and what was deposited.
        nlohmann::json daily = nlohmann::json::array();
        const int lastDay = s->ReachedFinalWeight ? static_cast<int>(s->FinalAge) : s->RunLastDay - 1;
        for (int d = s->StartAge; d <= lastDay && d < 199; ++d) {
            const DayDeposition dep = DepositionOf(*s, d);
            daily.push_back({{"age", d},
                             {"live_weight", ConvertWeight(*s, 2, s->DayGrowth(0, d))},
                             {"daily_feed", ConvertWeight(*s, 2, s->DayFeed(0, d + 1))},
                             {"protein_deposition_g", dep.protein.empty() ? nlohmann::json(nullptr) : nlohmann::json(Val(dep.protein))},
                             {"lipid_deposition_g", dep.lipid.empty() ? nlohmann::json(nullptr) : nlohmann::json(Val(dep.lipid))},
                             {"limiting", dep.limiting.empty() ? nlohmann::json(nullptr) : nlohmann::json(dep.limiting)}});
        }
        r["daily"] = std::move(daily);
        if (!args.dailyCsv.empty()) {
            std::string error;
            const bool written = WriteDailyCsv(*s, *w, args.dailyCsv, error);
            r["csv_written"] = written;
            if (!written) dialogs.Message(error + ". The day table was not written.");
        }
    }
    r["ran"] = ran;
    nlohmann::json shown = nlohmann::json::array();
    for (const std::string& m : dialogs.Shown()) shown.push_back(MixedText(m));
    r["messages"] = std::move(shown);
    if (args.keep) KeepGrownRun(*s, *args.keep, args.yes, r);
    return r;
}

void PrintGrowthReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r["ran"].get<bool>()) {
        out << (r["run_failed"].get<bool>() ? "The growth run failed.\n" : "Growth did not run.\n");
        return;
    }
    if (!r["reached_final_weight"].get<bool>())
        out << "The final weight is not reached: the figures below end on day " << r["final_age"].get<double>() << ".\n";
    const std::string unit = r["weight_unit"].get<std::string>();
    auto num = [](const nlohmann::json& v, int decimals) {
        if (v.is_null()) return std::string("-");
        return FormatPattern(v.get<double>(), decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0'));
    };
    auto pad = [](std::string s, std::size_t n) { return s.size() >= n ? s : std::string(n - s.size(), ' ') + s; };
    out << "Location " << r["location"].get<std::string>() << " (" << r["formulation"].get<std::string>() << ")\n";
    out << ModelLineOf(r) << "\n\n";
    out << "Diet                  Price   End wt    End age  Gain/day  Cum. feed  Feed eaten   (weights in " << unit
        << ", gain in kg/day)\n";
    for (const auto& d : r["diets"]) {
        std::string name = d["name"].get<std::string>();
        name.resize(18, ' ');
        out << name << pad(num(d["price"], 2), 9) << pad(num(d["end_weight"], 1), 9) << pad(num(d["end_age"], 1), 11)
            << pad(num(d["daily_gain_kg"], 3), 10) << pad(num(d["cum_feed"], 1), 11) << pad(num(d["feed_eaten"], 1), 12)
            << "\n";
    }
    out << "\nFinal age " << num(r["final_age"], 1) << " days; total feed " << num(r["total_feed"], 1) << " "
        << r["weight_unit"].get<std::string>() << "; feed/gain " << num(r["feed_gain"], 3) << "\n";
    out << "Cost per pig " << num(r["cost_per_pig"], 2) << "; per " << r["cost_per_tonne_label"].get<std::string>()
        << " of live weight " << num(r["cost_per_tonne"], 2) << "; " << r["energy_per_gain_label"].get<std::string>()
        << " gain " << num(r["energy_per_gain"], 0) << "\n";
    if (!r.value("price_complete", true)) {
        std::string names;
        for (const auto& u : r["unpriced"]) names += (names.empty() ? "" : ", ") + u["name"].get<std::string>();
        out << "(cost excludes unpriced: " << names << ")\n";
    }
    out << "\n";
    out << "At finishing weight      Males   Females   (weights and feed in " << unit << ")\n";
    static const std::pair<const char*, const char*> rows[] = {
        {"Live weight", "live_weight"}, {"Feed", "feed"},          {"Cost", "cost"},
        {"Feed/gain", "feed_gain"},     {"Back fat", "back_fat"}, {"Longissimus area", "loin_area"},
        {"Carcass lean %", "lean"},     {"Carcass yield %", "yield"}};
    for (const auto& [label, key] : rows) {
        std::string l = label;
        l.resize(20, ' ');
        out << l << pad(num(r["males"][key], 2), 10) << pad(num(r["females"][key], 2), 10) << "\n";
    }
    if (r.contains("balance")) {
        const nlohmann::json& b = r["balance"];
        out << "\nExcreted per pig: " << num(b["n_excreted_kg"], 2) << " kg N, " << num(b["p_excreted_kg"], 3)
            << " kg P; per place and year " << num(b["n_excreted_per_place_year_kg"], 2) << " kg N (EU BAT 7.0-13.0), "
            << num(b["p2o5_excreted_per_place_year_kg"], 2) << " kg P2O5 (EU BAT 3.5-5.4)\n";
        for (const char* why : {"n_missing", "p_missing"})
            if (b.contains(why)) out << b[why].get<std::string>() << "\n";
    }
}

}  // namespace tarvisol::cli
