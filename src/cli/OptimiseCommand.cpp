#include "cli/OptimiseCommand.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/ConsoleDialogs.h"
#include "cli/JsonText.h"
#include "cli/MarginOptimiseCommand.h"
#include "cli/OpenLocation.h"
#include "growth/GrowthRun.h"
#include "location/StartUp.h"
#include "optimisation/ChangedRestrictions.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "ui/OptimisationReport.h"

namespace tarvisol::cli {
namespace fs = std::filesystem;

namespace {

double GridValue(const Grid& g, int r, int c) { return NumVal(std::string_view(g.TextMatrix(r, c))); }

}  // namespace

nlohmann::json RunOptimiseCommand(const OptimiseArgs& args, std::ostream* messages, Progress* progress,
                                  ReportRenderer* renderer) {
    if (args.objective != "cost" || args.herd || !args.pdf.empty() || !args.xlsx.empty())
        return RunMarginOptimiseCommand(args, messages, progress, renderer);
    auto s = std::make_unique<SharedState>();
    auto w = std::make_unique<MainWindow>();
    auto f = std::make_unique<FrmOptP>();
    // Reopen the named location; with diets from the grid go on with feed
    // weights only; every other question is answered No.
    ConsoleDialogs dialogs(messages, Answer::No);
    dialogs.Preset(kReopenQuestion, Answer::Yes);
    dialogs.Preset(kGridCostQuestion, Answer::Yes);
    s->Main = w.get();
    s->Dialog = &dialogs;
    s->OptProgress = progress;
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
    // A location the growth run refuses (none there, no starting weight, ...)
    // is refused input, as for growth.
    const bool refused = Growth(*s) == GrowthOutcome::Refused;

    nlohmann::json r;
    r["location"] = MixedText(s->LocationBase);
    r["refused"] = refused;
    r["formulation"] = w->Combo1.Text();
    if (s->LastRun.Empty()) AddChosenModelJson(*s, r);
    else AddModelJson(s->LastRun, *s, r);
    const double startCost = NumVal(std::string_view(w->TextPrice.Text));
    r["ran"] = false;
    if (s->RunFailed || startCost == 0) {
        r["messages"] = MixedTexts(dialogs.Shown());
        return r;
    }

    ShowOptimisationWindow(*s, *f);
    if (args.targetWeight) f->Text2.Text = FormatPrecise(*args.targetWeight);
    if (args.feedWeightsOnly) {
        f->Check3.Value = 1;
        UseFeedWeightsOnlyClick(*s, *f);
    }
    ProgramMinMaxClick(*s, *f);
    f->CheckRequirements.Value = args.meetRequirements ? 1 : 0;

    // The starting programme as the window and the diets grid show it.
    const int diets = s->DietCount;
    nlohmann::json start = nlohmann::json::array();
    for (int d = 1; d <= diets; ++d)
        start.push_back({{"diet", d},
                         {"feed_weight", GridValue(f->GridOpt, OptRow(d, 1), 3)},
                         {"energy", GridValue(f->GridOpt, OptRow(d, 2), 3)},
                         {"protein", GridValue(f->GridOpt, OptRow(d, 3), 3)},
                         {"price", s->DietPrice(d)}});

    RunOptimisation(*s, *f);

    r["messages"] = MixedTexts(dialogs.Shown());
    r["ran"] = s->OptimisationDone;
    r["cost_per_pig_before"] = startCost;
    r["meet_requirements"] = args.meetRequirements;
    r["evaluations"] = s->OptRunEvaluations;
    r["evaluations_last_search"] = s->EvalCount;
    r["weight_unit"] = WeightUnitLabel(s->WeightUnit());
    r["energy_unit"] = EnergyUnitLabel(s->EnergyUnit());
    if (!s->OptimisationDone) return r;

    // The optimum as the run kept it.
    const OptimisationResult& result = f->Result;
    const double after = result.OptimumCostPerPig();
    r["cost_per_pig_after"] = after;
    r["percent_saved"] = startCost != 0 ? (startCost - after) * 100 / startCost : 0.0;
    r["result_file"] = MixedText(result.ResultFile);
    r["diets"] = nlohmann::json::array();
    for (const RunDiet& diet : result.Optimum.Diets) {
        const int d = diet.Number;
        nlohmann::json opt = {{"feed_weight", diet.Allotment / WeightFactor(result.Optimum.WeightUnit)},
                              {"energy", diet.Nutrients[1] / EnergyFactor(result.Optimum.EnergyUnit)},
                              {"protein", diet.Nutrients[2]},
                              {"price", diet.Price}};
        // The last diet is fed to market weight: its figure is the feed eaten.
        if (d == result.Optimum.DietCount()) opt["runs_to_market"] = true;
        r["diets"].push_back({{"diet", d}, {"start", d <= static_cast<int>(start.size()) ? start[d - 1] : nullptr},
                              {"optimum", opt}});
    }
    // The optimum's amino acids below its pigs' requirement where each diet starts.
    r["below_requirement"] = nlohmann::json::array();
    for (const AminoShortfall& a : OptimumShortfalls(result))
        r["below_requirement"].push_back({{"diet", a.Diet},
                                          {"nutrient", a.Column},
                                          {"name", MixedText(a.Name)},
                                          {"content", a.Content},
                                          {"requirement", a.Requirement},
                                          {"start_weight", a.StartWeight},
                                          {"percent", a.Percent()},
                                          {"text", MixedText(ShortfallText(a))}});
    r["changed_restrictions"] = nlohmann::json::array();
    for (const RestrictionChange& c : ChangedRestrictions(result))
        r["changed_restrictions"].push_back({{"diet", c.Diet},
                                             {"nutrient", c.Nutrient},
                                             {"name", MixedText(c.Name)},
                                             {"limit", c.Minimum ? "minimum" : "maximum"},
                                             {"before", c.Before},
                                             {"after", c.After},
                                             {"unit", c.Unit},
                                             {"text", MixedText(RestrictionChangeLine(c))}});
    return r;
}

void PrintOptimiseReport(const nlohmann::json& r, std::ostream& out) {
    if (r.contains("objective") && r["objective"] != "cost") return PrintMarginOptimiseReport(r, out);
    for (const auto& m : r["messages"]) out << "Message: " << m.get<std::string>() << "\n";
    if (r.value("refused", false)) {
        out << "The optimisation did not run: the location's growth run was refused.\n";
        return;
    }
    if (!r["ran"].get<bool>()) {
        out << "The optimisation found no programme cheaper than the current one.\n";
        return;
    }
    auto num = [](const nlohmann::json& v, const char* pattern) {
        return v.is_null() ? std::string("-") : FormatPattern(v.get<double>(), pattern);
    };
    auto pad = [](std::string s, std::size_t n) { return s.size() >= n ? s : std::string(n - s.size(), ' ') + s; };
    out << "Location " << r["location"].get<std::string>() << " (" << r["formulation"].get<std::string>() << ")\n";
    out << ModelLineOf(r) << "\n";
    if (r.value("meet_requirements", false))
        out << "Amino-acid minimums held at the pigs' requirement where each diet starts\n";
    out << "\n";
    out << "Diet  Programme     Energy   Protein  Feed wt.     Price\n";
    for (const auto& d : r["diets"]) {
        for (const char* which : {"start", "optimum"}) {
            const auto& v = d[which];
            if (v.is_null()) continue;
            out << pad(std::to_string(d["diet"].get<int>()), 4) << "  " << (std::string(which) == "start" ? "starting " : "optimum  ")
                << pad(num(v["energy"], "0.0"), 11) << pad(num(v["protein"], "0.00"), 10)
                << pad(num(v["feed_weight"], "0.0"), 10) << pad(num(v["price"], "0.00"), 10)
                << (v.value("runs_to_market", false) ? "  fed to market: feed eaten" : "") << "\n";
        }
    }
    if (r.contains("changed_restrictions") && !r["changed_restrictions"].empty()) {
        out << "\nRestrictions the optimum changed:\n";
        for (const auto& c : r["changed_restrictions"]) out << "  " << c["text"].get<std::string>() << "\n";
    }
    if (r.contains("below_requirement")) {
        if (r["below_requirement"].empty()) {
            out << "\nEvery optimum diet meets this herd's amino-acid requirement where it starts.\n";
        } else {
            out << "\nBelow this herd's requirement where the diet starts:\n";
            for (const auto& a : r["below_requirement"])
                out << "  Diet " << a["diet"].get<int>() << " at " << num(a["start_weight"], "0.0") << " kg: "
                    << a["text"].get<std::string>() << "\n";
        }
    }
    out << "\nCost per pig: " << num(r["cost_per_pig_before"], "0.00") << " before, " << num(r["cost_per_pig_after"], "0.00")
        << " after (" << num(r["percent_saved"], "0.00") << " % saved)\n";
    out << "Evaluations: " << r["evaluations"].get<int>() << "\n";
    out << "Result file: " << r["result_file"].get<std::string>() << "\n";
}

}  // namespace tarvisol::cli
