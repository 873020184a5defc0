#include "optimisation/MarginPanel.h"

#include <cmath>
#include <memory>

#include "growth/GrowthRun.h"
#include "growth/PrivateRecord.h"
#include "market/MarketFile.h"
#include "optimisation/MarginEvaluation.h"
#include "response/GenotypePresets.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"

namespace tarvisol {
namespace {

class Kept : public SilentDialogs {
public:
    void Message(const std::string& text, const std::string&) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// The search and the surfaces as one piece of work: the progress closes
// once, after both.
class OneStretch : public Progress {
public:
    explicit OneStretch(Progress* to) : to_(to) {}
    void Report(const std::string& stage, long done, long total, const std::string& detail) override {
        if (to_) to_->Report(stage, done, total, detail);
    }
    bool Cancelled() const override { return to_ && to_->Cancelled(); }

private:
    Progress* to_;
};

std::string Figure(double v, const char* pattern) { return std::isfinite(v) ? FormatPattern(v, pattern) : "-"; }

void CompareColumn(Grid& g, int col, const MarginOutcome& o) {
    if (!o.Sold) {
        g.SetTextMatrix(1, col, "not sold");
        for (int r = 2; r < g.Rows(); ++r) g.SetTextMatrix(r, col, {});
        return;
    }
    g.SetTextMatrix(1, col, Figure(o.SaleWeight, "0.0"));
    g.SetTextMatrix(2, col, Figure(o.FeedCost, "0.00"));
    g.SetTextMatrix(3, col, Figure(o.DailyGain, "0.000"));
    g.SetTextMatrix(4, col, Figure(o.FeedGain, "0.000"));
    g.SetTextMatrix(5, col, Figure(o.CarcassWeight, "0.0"));
    g.SetTextMatrix(6, col, Figure(o.Lean, "0.0"));
    g.SetTextMatrix(7, col, Figure(o.Days, "0.0"));
    g.SetTextMatrix(8, col, Figure(o.MarginPerPig, "0.00"));
    g.SetTextMatrix(9, col, Figure(o.MarginPerPlaceYear, "0.00"));
}

}  // namespace

MarginPanel::MarginPanel() {
    for (OptObjective o : {OptObjective::FeedCost, OptObjective::MarginPerPlaceYear, OptObjective::MarginPerPig})
        ComboObjective.AddItem(ObjectiveCaption(o));
    ComboObjective.ListIndex = 0;
    ShowMarginResult(*this);
}

OptObjective ChosenObjective(const MarginPanel& p) {
    switch (p.ComboObjective.ListIndex) {
        case 1: return OptObjective::MarginPerPlaceYear;
        case 2: return OptObjective::MarginPerPig;
        default: return OptObjective::FeedCost;
    }
}

bool RunMarginOptimisation(SharedState& s, MarginPanel& p, const MarginSearchOptions& options) {
    Dialogs& dlg = DialogsOf(s);
    const OptObjective o = ChosenObjective(p);
    if (!s.Main || o == OptObjective::FeedCost) return false;
    if (s.Main->Combo1.ListIndex != kFormulationLeastCost) {
        dlg.Message(kMarginNeedsLeastCost);
        return false;
    }
    if (!s.LastRun.ResultsValid) {
        dlg.Message(kMarginNeedsGrowth);
        return false;
    }
    std::vector<std::string> read;
    std::vector<double MarketSettings::*> unusable;
    const MarketSettings m = LoadMarketSettings(s.LocationBase, s.WeightUnit(), read, &unusable);
    if (const std::string problem = MarketSettingsProblem(m); !problem.empty() || !unusable.empty()) {
        dlg.Message("The margin search was not run: " +
                    (problem.empty() ? std::string("the market file gives no usable value for every setting") : problem));
        return false;
    }

    // A private record and window, grown again as the search grows.
    Kept said;
    PrivateRecord record(s, said);
    SharedState* const copy = record.s.get();
    std::string model;
    if (copy->Model.Kind != GrowthModelKind::Response) {
        copy->Model.Kind = GrowthModelKind::Response;
        copy->Model.Pig = response::ReferenceGenotype();
        model = "The location grows the documented curve, whose pig does not respond to energy or lysine: the margin "
                "search grows the " + copy->Model.Pig.Name + " on the nutrient-response model";
    }
    if (Growth(*copy) != GrowthOutcome::Results) {
        dlg.Message("The margin search was not run: the current programme's Growth run has no result");
        return false;
    }
    OneStretch stretch(options.progress);
    MarginSearchOptions inner = options;
    inner.progress = options.progress ? &stretch : nullptr;
    MarginSearchResult r = SearchMargin(*copy, m, o, inner);
    const MarginEvaluator ev(*copy, m);
    std::vector<MarginSurface> surfaces;
    if (r.Done) surfaces = MarginSurfaces(ev, o, r.BestLevels, options.threads, inner.progress);
    if (options.progress) options.progress->Finish();
    if (r.Cancelled) {
        dlg.Message(kMarginCancelled);
        return false;
    }
    if (!r.Done) {
        dlg.Message(r.Message);
        return false;
    }
    if (surfaces.empty() && r.BestLevels.Count > 0) {
        dlg.Message(kMarginCancelled);
        return false;
    }
    p.Result = std::move(r);
    p.Surfaces = std::move(surfaces);
    p.WeightUnit = MarketWeightUnit(s.WeightUnit());
    p.LabelModel.Caption = "Growth model: nutrient response, " + copy->Model.Pig.Name + ". Best: the " +
                           (p.Result.BestFrom == "search" ? std::string("searched programme") : p.Result.BestFrom) +
                           ", " + std::to_string(p.Result.Evaluations) + " programmes formulated and grown.";
    ShowMarginResult(p);
    if (!model.empty()) dlg.Message(model);
    return true;
}

void ShowMarginResult(MarginPanel& p) {
    Grid& g = p.GridCompare;
    g.Clear();
    g.SetRows(10);
    g.SetCols(4);
    const char* heads[] = {"", "Best", "Cost minimum", "Current"};
    for (int c = 0; c < 4; ++c) g.SetTextMatrix(0, c, heads[c]);
    const std::string carcass = "Carcass, " + p.WeightUnit;
    const std::string rows[] = {"",          "Sale weight, kg", "Feed cost per pig", "ADG, kg/day",
                                "Feed/gain", carcass,           "Lean, %",           "Days on feed",
                                "Margin per pig", "Margin per pig place and year"};
    for (int r = 1; r < 10; ++r) g.SetTextMatrix(r, 0, rows[r]);
    Grid& d = p.GridDiets;
    d.Clear();
    d.SetCols(7);
    const char* dh[] = {"Diet", "NE, kcal/kg", "SID lysine, %", "g SID lys/Mcal NE", "% of requirement", "Allotment, kg",
                        "Price/kg"};
    Grid& k = p.GridSensitivity;
    k.Clear();
    k.SetCols(5);
    const char* kh[] = {"Change", "Sale weight, kg", "SID lysine, % by diet", "NE, kcal/kg by diet", "Margin"};
    const MarginSearchResult& r = p.Result;
    d.SetRows(1 + (r.Done ? r.Best.Count : 0));
    k.SetRows(1 + (r.Done ? static_cast<int>(r.Sensitivity.size()) : 0));
    for (int c = 0; c < 7; ++c) d.SetTextMatrix(0, c, dh[c]);
    for (int c = 0; c < 5; ++c) k.SetTextMatrix(0, c, kh[c]);
    if (!r.Done) return;
    CompareColumn(g, 1, r.Best);
    CompareColumn(g, 2, r.CostMinimum);
    CompareColumn(g, 3, r.Current);
    for (int i = 1; i <= r.Best.Count; ++i) {
        const MarginDiet& m = r.Best.Diets[static_cast<std::size_t>(i - 1)];
        d.SetTextMatrix(i, 0, std::to_string(i));
        d.SetTextMatrix(i, 1, Figure(m.Ne, "0"));
        d.SetTextMatrix(i, 2, Figure(m.SidLysine, "0.000"));
        d.SetTextMatrix(i, 3, Figure(m.LysinePerMcal, "0.00"));
        d.SetTextMatrix(i, 4, m.LysineOfRequirement > 0 ? Figure(m.LysineOfRequirement, "0") : "-");
        d.SetTextMatrix(i, 5, Figure(m.Allotment, "0.0") + (i == r.Best.Count ? " (to sale)" : ""));
        d.SetTextMatrix(i, 6, Figure(m.Price, "0.000"));
    }
    const bool perPig = r.Objective == OptObjective::MarginPerPig;
    for (std::size_t i = 0; i < r.Sensitivity.size(); ++i) {
        const MarginSensitivity& s = r.Sensitivity[i];
        const int row = static_cast<int>(i) + 1;
        k.SetTextMatrix(row, 0, s.Name + (s.Factor < 1 ? " -10 %" : " +10 %"));
        if (!s.Optimum.Sold) {
            k.SetTextMatrix(row, 1, "not sold");
            continue;
        }
        std::string lys, ne;
        for (int j = 0; j < s.Optimum.Count; ++j) {
            lys += (j ? " " : "") + Figure(s.Optimum.Diets[static_cast<std::size_t>(j)].SidLysine, "0.000");
            ne += (j ? " " : "") + Figure(s.Optimum.Diets[static_cast<std::size_t>(j)].Ne, "0");
        }
        k.SetTextMatrix(row, 1, Figure(s.Optimum.SaleWeight, "0.0"));
        k.SetTextMatrix(row, 2, lys);
        k.SetTextMatrix(row, 3, ne);
        k.SetTextMatrix(row, 4, Figure(perPig ? s.Optimum.MarginPerPig : s.Optimum.MarginPerPlaceYear, "0.00"));
    }
}

void TransferMarginOptimum(SharedState& s, const MarginPanel& p) {
    if (!s.Main || !p.Result.Done) return;
    PutMarginProgramme(s, *s.Main, p.Result.BestLevels);
}

}  // namespace tarvisol
