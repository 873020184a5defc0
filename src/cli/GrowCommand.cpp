#include "cli/GrowCommand.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "cli/ConsoleDialogs.h"
#include "cli/JsonText.h"
#include "growth/Carcass.h"
#include "growth/DietValues.h"
#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/SexSplit.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"

namespace tarvisol::cli {

nlohmann::json RunGrow(const GrowArgs& args, std::ostream* messages) {
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    ConsoleDialogs dialogs(messages, Answer::No);
    DataInit(*s);
    s->Dialog = &dialogs;
    s->Main = form.get();

    for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = args.curve ? (*args.curve)[k] : kDefaultCurve[k];
    s->DietCount = static_cast<int16_t>(args.diets.size());
    for (int d = 1; d <= s->DietCount; ++d) {
        const auto& diet = args.diets[static_cast<std::size_t>(d - 1)];
        for (int n = 1; n <= 14; ++n) s->DietNutrients(d, n) = diet[static_cast<std::size_t>(n - 1)];
        s->DietFeedAmount(d) = diet[14];
        s->DietNutrients(d, 0) = diet[15];
    }
    s->SimSex = 0;
    s->StartAge = static_cast<int16_t>(args.startAge);
    s->StartWeight = args.startWeight;
    s->FinalWeight = args.finalWeight;
    s->FinalAge = 0;
    s->DayGrowth(0, s->StartAge) = args.startWeight;
    s->ShowDailyProgress = true;
    s->CurrentDietIndex = 1;
    s->RunFailed = false;

    // The diets' energy, protein and lysine are checked as the Growth command
    // checks them; a programme outside the ranges is refused, not grown.
    const std::string fault = ProgrammeValueFault(*s, s->DietCount);
    if (!fault.empty()) {
        dialogs.Message(fault);
        return {{"refused", true},       {"run_failed", false}, {"reached_final_weight", false},
                {"final_age", 0},        {"messages", dialogs.Shown()}, {"diet_results", nlohmann::json::array()},
                {"daily", nlohmann::json::array()}, {"cum_feed_0", 0}, {"carcass_table", nlohmann::json::array()},
                {"sex_split", nlohmann::json::array()}};
    }

    GrowPig(*s);
    s->ReachedFinalWeight = !s->RunFailed && s->DayGrowth(0, s->RunLastDay) >= s->FinalWeight;
    if (!s->RunFailed && !s->ReachedFinalWeight)
        dialogs.Message(FinalWeightNotReachedMessage(*s, s->DayGrowth(0, s->RunLastDay), s->RunLastDay));
    nlohmann::json dietResults = nlohmann::json::array();
    for (int d = 1; d <= s->DietCount; ++d)
        dietResults.push_back({{"diet", d},
                               {"age", s->DietResults(d, 1)},
                               {"weight", s->DietResults(d, 2)},
                               {"cum_feed", s->DietResults(d, 3)}});
    std::vector<int> splitDays;
    if (!s->RunFailed) {
        // As the Growth command leaves the programme's end before the split.
        s->DietResults(0, 1) = s->StartAge;
        s->DietResults(0, 2) = args.startWeight;
        s->DietResults(s->DietCount, 1) = s->FinalAge;
        s->DietResults(s->DietCount, 2) = s->FinalWeight;
        s->DietResults(s->DietCount, 3) = s->CumFeed(s->SimSex);
        SplitSexes(*s);
        CarcassOutputs(*s);
        const Grid& g = form->Grid1;
        // The days the split wrote, as the Growth command's summary reads them.
        for (int row = 1; row < g.Rows(); ++row) {
            const double age = NumVal(std::string_view(g.TextMatrix(row, 5)));
            if (!(age > 0)) break;
            splitDays.push_back(SplitDayOfRow(*s, g, row));
        }
    }

    nlohmann::json out;
    out["refused"] = false;
    out["run_failed"] = s->RunFailed;
    out["reached_final_weight"] = s->ReachedFinalWeight;
    out["final_age"] = s->FinalAge;
    out["messages"] = dialogs.Shown();
    out["diet_results"] = std::move(dietResults);
    out["daily"] = nlohmann::json::array();
    for (int age = s->StartAge; age <= s->RunLastDay; ++age)
        out["daily"].push_back({{"age", age}, {"live_weight", s->DayGrowth(0, age)}, {"day_feed", s->DayFeed(0, age)}});
    out["cum_feed_0"] = s->CumFeed(0);
    out["carcass_table"] = nlohmann::json::array();
    for (int sex = 0; sex <= 2; ++sex)
        out["carcass_table"].push_back({s->CarcassTable(sex, 1), s->CarcassTable(sex, 2), s->CarcassTable(sex, 3),
                                        s->CarcassTable(sex, 4), s->CarcassTable(sex, 5)});
    out["sex_split"] = nlohmann::json::array();
    for (int d : splitDays)
        out["sex_split"].push_back({{"age", d},
                                    {"male_weight", s->DayGrowth(1, d)},
                                    {"female_weight", s->DayGrowth(2, d)},
                                    {"male_feed", s->DayFeed(1, d)},
                                    {"female_feed", s->DayFeed(2, d)}});
    return out;
}

namespace {
std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}
std::string Pad(const std::string& s, std::size_t w) { return s.size() >= w ? s : std::string(w - s.size(), ' ') + s; }
}  // namespace

int GrowExitCode(const nlohmann::json& r) {
    if (r.value("refused", false)) return 2;
    return r.value("run_failed", true) || !r.value("reached_final_weight", false) ? 1 : 0;
}

void PrintGrow(const nlohmann::json& r, std::ostream& out) {
    if (r["run_failed"].get<bool>()) out << "The growth run failed.\n";
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (r.value("refused", false)) return;
    out << "Final age " << Fixed(r["final_age"].get<double>(), 2) << " days, total feed "
        << Fixed(r["cum_feed_0"].get<double>(), 2) << " kg per pig\n\n";
    out << "Diet   Ends at age   Weight kg   Cum. feed kg\n";
    for (const auto& d : r["diet_results"])
        out << Pad(std::to_string(d["diet"].get<int>()), 4) << Pad(Fixed(d["age"].get<double>(), 0), 14)
            << Pad(Fixed(d["weight"].get<double>(), 1), 12) << Pad(Fixed(d["cum_feed"].get<double>(), 1), 15) << "\n";
    out << "\n Age   Live wt kg   Day feed kg\n";
    for (const auto& d : r["daily"])
        out << Pad(std::to_string(d["age"].get<int>()), 4) << Pad(Fixed(d["live_weight"].get<double>(), 2), 13)
            << Pad(Fixed(d["day_feed"].get<double>(), 3), 14) << "\n";
    static const char* sexes[] = {"Mixed", "Males", "Females"};
    out << "\nCarcass   Back fat mm   Loin area   Lean %   Yield %   Loin depth\n";
    for (int sex = 0; sex < 3; ++sex) {
        const auto& row = r["carcass_table"][static_cast<std::size_t>(sex)];
        out << std::string(sexes[sex]) + std::string(8 - std::string(sexes[sex]).size(), ' ');
        const int widths[] = {14, 12, 9, 10, 13};
        for (int k = 0; k < 5; ++k) out << Pad(Fixed(row[static_cast<std::size_t>(k)].get<double>(), 2), widths[k]);
        out << "\n";
    }
}

}  // namespace tarvisol::cli
