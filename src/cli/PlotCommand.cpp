#include "cli/PlotCommand.h"

#include <cmath>
#include <memory>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/JsonText.h"
#include "cli/OpenLocation.h"
#include "location/StartUp.h"
#include "growth/GrowthRun.h"
#include "optimisation/PlotSweep.h"
#include "optimisation/RequirementShortfall.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol::cli {

nlohmann::json RunPlotCommand(const PlotArgs& args, std::ostream* messages, Progress* progress) {
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    ConsoleDialogs dialogs(messages, Answer::No);
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    dialogs.Preset(kPlotQuestion, Answer::Yes);
    s->Main = w.get();
    s->Dialog = &dialogs;
    OpenLocationAsUser(*s, args.location);
    if (const std::string missing = LocationNotFound(*s, args.location); !missing.empty()) {
        dialogs.Message(missing);
        return {{"location", MixedText(s->LocationBase)}, {"refused", true}, {"ran", false},
                {"messages", MixedTexts(dialogs.Shown())}};
    }
    ChooseMissingProgramme(*s);
    // The growth model and herd sex the command line chose, for this run only.
    if (const std::string refused = ChooseGrowthModel(*s, args.model, args.sex); !refused.empty()) {
        dialogs.Message(refused);
        nlohmann::json r{{"location", MixedText(s->LocationBase)}, {"refused", true}, {"ran", false}};
        AddChosenModelJson(*s, r);
        r["messages"] = MixedTexts(dialogs.Shown());
        return r;
    }
    if (args.ratio >= 0) {
        w->CheckRatioLysine.Value = args.ratio;
        if (args.ratio == 1) w->CheckRatioProtein.Value = 0;
    }
    // A location the growth run refuses (none there, no starting weight, ...)
    // is refused input, as for growth.
    const bool refused = Growth(*s) == GrowthOutcome::Refused;

    nlohmann::json r;
    r["location"] = MixedText(s->LocationBase);
    r["refused"] = refused;
    r["formulation"] = w->Combo1.Text();
    if (s->LastRun.Empty()) AddChosenModelJson(*s, r);
    else AddModelJson(s->LastRun, *s, r);
    r["cost_per_pig"] = NumVal(std::string_view(w->TextPrice.Text));
    r["feed_gain"] = NumVal(std::string_view(w->TextF2G.Text));
    PlotOptions options;
    options.progress = progress;
    const PlotOutcome out = PlotDiets(*s, options);
    r["ran"] = out.finished;
    r["messages"] = MixedTexts(dialogs.Shown());
    r["levels"] = s->RatioToLysine ? "lysine" : "protein";
    r["energy_unit"] = EnergyUnitLabel(s->EnergyUnit());
    r["energy_step"] = s->VariableCost(0);
    if (!out.finished) return r;
    r["diet_plot_file"] = MixedText(out.dietPlotPath);
    r["plot_file"] = MixedText(out.plotPath);
    r["diets"] = nlohmann::json::array();
    const int level = s->RatioToLysine ? kSweepLysine : kSweepProtein;
    for (int d = 1; d <= s->SweepDietCount; ++d) {
        nlohmann::json diet = {{"diet", d}};
        int feasible = 0;
        for (int e = 0; e < kSweepSteps; ++e)
            for (int l = 0; l < kSweepSteps; ++l)
                if (s->SweepResults(kSweepFeedGain, d, e, l) != kSweepInfeasible) ++feasible;
        diet["feasible_points"] = feasible;
        // Points whose amino acids fall below the requirement of the run the
        // sweep started from, on the diet's first day.
        const RunRequirements& req = s->LastRun.Nutrition.Requirements;
        const auto shortfalls = [&](int e, int l) {
            return AminoShortfalls(req, d, [&](int k) { return s->SweepAmino(k, d, e, l); });
        };
        int below = 0;
        for (int e = 0; e < kSweepSteps; ++e)
            for (int l = 0; l < kSweepSteps; ++l)
                if (s->SweepResults(kSweepFeedGain, d, e, l) != kSweepInfeasible && !shortfalls(e, l).empty()) ++below;
        diet["points_below_requirement"] = DietStartDay(req, d) ? nlohmann::json(below) : nlohmann::json(nullptr);
        // The marked centre point: the current programme when swept on the
        // diets' contents; on the protein minimums a cheaper diet whose
        // amino-acid minimums are scaled by protein minimum / content.
        const int c = kSweepCentre;
        const double ratio = SweepCentreRatio(*s, d);
        diet["centre"] = {{"energy", s->SweepValues(d, c, kSweepEnergy)},
                          {s->RatioToLysine ? "lysine" : "protein", s->SweepValues(d, c, level)},
                          {"cost_per_pig", s->SweepResults(kSweepCost, d, c, c)},
                          {"feed_gain", s->SweepResults(kSweepFeedGain, d, c, c)},
                          {"minimum_ratio", ratio},
                          {"current_programme", s->RatioToLysine || std::fabs(ratio - 1) < 1e-6}};
        int e = 0, l = 0;
        if (BestSweepPoint(*s, d, e, l)) {
            diet["best"] = {{"energy", s->SweepValues(d, e, kSweepEnergy)},
                            {s->RatioToLysine ? "lysine" : "protein", s->SweepValues(d, l, level)},
                            {"energy_step", e - kSweepCentre},
                            {"level_step", l - kSweepCentre},
                            {"cost_per_pig", s->SweepResults(kSweepCost, d, e, l)},
                            {"feed_gain", s->SweepResults(kSweepFeedGain, d, e, l)},
                            {"age", s->SweepResults(kSweepAge, d, e, l)},
                            {"back_fat", s->SweepResults(kSweepBackFat, d, e, l)},
                            {"lean", s->SweepResults(kSweepLean, d, e, l)},
                            {"below_requirement", MixedText(ShortfallsSentence(shortfalls(e, l)))}};
        } else {
            diet["best"] = nullptr;
        }
        r["diets"].push_back(diet);
    }
    return r;
}

void PrintPlotReport(const nlohmann::json& r, std::ostream& out) {
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (!r["ran"].get<bool>()) {
        out << "The diet plot did not run.\n";
        return;
    }
    auto pad = [](std::string s, std::size_t n) { return s.size() >= n ? s : std::string(n - s.size(), ' ') + s; };
    const std::string level = r["levels"].get<std::string>();
    out << "Location " << r["location"].get<std::string>() << " (" << r["formulation"].get<std::string>()
        << "), energy by " << FormatAuto(r["energy_step"].get<double>()) << " " << r["energy_unit"].get<std::string>()
        << ", " << level << " by 1 %\n";
    out << ModelLineOf(r) << "\n";
    out << "Current programme: cost per pig " << FormatPattern(r["cost_per_pig"].get<double>(), "0.00")
        << ", feed/gain " << FormatPattern(r["feed_gain"].get<double>(), "0.000") << "\n";
    out << "Wrote " << r["diet_plot_file"].get<std::string>() << "\n";
    out << "Wrote " << r["plot_file"].get<std::string>() << "\n\n";
    bool centresCurrent = true;
    for (const auto& d : r["diets"])
        if (d.contains("centre")) centresCurrent = centresCurrent && d["centre"]["current_programme"].get<bool>();
    if (centresCurrent) {
        out << "Centre of each map: the current programme\n\n";
    } else {
        out << "Centre of each map: the diet at its protein minimum, every amino-acid minimum times protein minimum /\n"
               "content; not the current programme, so its cost per pig differs from "
            << FormatPattern(r["cost_per_pig"].get<double>(), "0.00") << "\n\n";
    }
    out << "Below requirement: feasible points whose amino acids fall below this herd's requirement where the diet starts\n\n";
    out << "Diet  Feasible  Below req.  Centre cost  x minimums  Best: energy  " << (level == "lysine" ? " lysine" : "protein")
        << "  Cost/pig  Feed/gain    Age\n";
    for (const auto& d : r["diets"]) {
        const auto& below = d["points_below_requirement"];
        out << pad(std::to_string(d["diet"].get<int>()), 4) << pad(std::to_string(d["feasible_points"].get<int>()), 10)
            << pad(below.is_null() ? std::string("-") : std::to_string(below.get<int>()), 12)
            << pad(FormatPattern(d["centre"]["cost_per_pig"].get<double>(), "0.00"), 13)
            << pad(FormatPattern(d["centre"]["minimum_ratio"].get<double>(), "0.000"), 12);
        const auto& b = d["best"];
        if (b.is_null()) {
            out << "  no feasible priced point\n";
            continue;
        }
        out << pad(FormatAuto(b["energy"].get<double>()), 14) << pad(FormatPattern(b[level].get<double>(), "0.000"), 9)
            << pad(FormatPattern(b["cost_per_pig"].get<double>(), "0.00"), 10)
            << pad(FormatPattern(b["feed_gain"].get<double>(), "0.000"), 11)
            << pad(FormatPattern(b["age"].get<double>(), "0.0"), 7) << "\n";
        if (!b["below_requirement"].get<std::string>().empty())
            out << "      best point " << b["below_requirement"].get<std::string>() << "\n";
    }
}

}  // namespace tarvisol::cli
