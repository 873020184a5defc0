// How an optimisation ends on the demo location: a cancel at any stage, what
// it leaves for the commands after it, the transfer of the optimum, the
// report of the optimum after later runs and its rows of the results grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "calibration/CorCoef.h"
#include "formulation/Formulate.h"
#include "growth/GrowthRun.h"
#include "optimisation/FeedOpt.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/PlotSweep.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "ui/OptimisationReport.h"

namespace tarvisol {
namespace {
using testing::FolderContents;
using testing::GridText;

// The demo after a Growth run on least-cost diets, the optimisation window
// open with the ranges of "Program Add Min Max to Current".
struct Optimising : testing::DemoAfterGrowth {
    FrmOptP f;
    bool reportShown = false;
    Optimising() : DemoAfterGrowth(kFormulationLeastCost) {
        ShowOptimisationWindow(*s, f);
        ProgramMinMaxClick(*s, f);
        f.ShowReport = [this] { reportShown = true; };
        dialogs.ClearLog();
    }
    void Run(Progress* progress = nullptr) {
        s->OptProgress = progress;
        RunOptimisation(*s, f);
        s->OptProgress = nullptr;
    }
};

// Stops the run once a stage has made some evaluations, and notes every
// stage reported after that.
class StopInStage : public Progress {
public:
    explicit StopInStage(std::string stage) : stage_(std::move(stage)) {}
    void Report(const std::string& stage, long done, long, const std::string&) override {
        if (stop_) later.push_back(stage);
        if (stage.rfind(stage_, 0) == 0 && done >= 10) stop_ = true;
    }
    bool Cancelled() const override { return stop_; }
    void Finish() override { ++finished; }
    std::vector<std::string> later;
    int finished = 0;

private:
    std::string stage_;
    bool stop_ = false;
};

TEST(OptimisationEnds, ACancelAtAnyStageStopsTheRunAndLeavesRecordWindowAndFilesAsBefore) {
    for (const char* stage : {"Stage 1", "Stage 2", "Stage 3"}) {
        SCOPED_TRACE(stage);
        Optimising x;
        const auto files = FolderContents(x.folder.Str());
        const auto limits = x.s->NutrientLimits;
        const auto nutrients = x.s->DietNutrients;
        const auto formulas = x.s->DietFormula;
        const auto feed = x.s->DietFeedAmount;
        const auto days = x.s->DayGrowth;
        const std::string results = GridText(x.w->Grid1), diets = GridText(x.w->Griddiets);
        StopInStage progress(stage);
        x.Run(&progress);
        EXPECT_EQ(x.dialogs.Messages(), std::vector<std::string>{kOptCancelled});
        for (const std::string& later : progress.later) EXPECT_EQ(later.rfind(stage, 0), 0u) << later;
        EXPECT_GE(progress.finished, 1);
        EXPECT_FALSE(x.s->OptimisationDone);
        EXPECT_FALSE(x.f.Result.Done);
        EXPECT_FALSE(x.reportShown);
        EXPECT_TRUE(FolderContents(x.folder.Str()) == files);
        EXPECT_TRUE(x.s->NutrientLimits == limits);
        EXPECT_TRUE(x.s->DietNutrients == nutrients);
        EXPECT_TRUE(x.s->DietFormula == formulas);
        EXPECT_TRUE(x.s->DietFeedAmount == feed);
        EXPECT_TRUE(x.s->DayGrowth == days);
        EXPECT_TRUE(GridText(x.w->Grid1) == results);
        EXPECT_TRUE(GridText(x.w->Griddiets) == diets);
        EXPECT_EQ(x.s->OptimiseStage, 0);
        EXPECT_TRUE(x.f.CommandOpt.Enabled);
        EXPECT_FALSE(x.f.WorkingVisible);
    }
}

TEST(OptimisationEnds, RunLpAndPlotDietsAfterAnOptimisationGiveWhatAFreshSessionGives) {
    // A herd of males: the search grows the pig in the males' slot.
    Optimising x;
    x.s->HerdSex = 1;
    x.Run();
    ASSERT_TRUE(x.s->OptimisationDone);
    EXPECT_EQ(x.s->OptimiseStage, 0);
    EXPECT_EQ(x.s->SimSex, 0);

    testing::DemoAfterGrowth fresh(kFormulationLeastCost);
    fresh.s->HerdSex = 1;
    for (testing::DemoAfterGrowth* t : {static_cast<testing::DemoAfterGrowth*>(&x), &fresh}) {
        t->dialogs.ClearLog();
        RunLp(*t->s);
    }
    EXPECT_TRUE(GridText(x.w->Griddiets) == GridText(fresh.w->Griddiets));
    for (int d = 1; d <= 4; ++d)
        for (int i = 1; i <= x.s->IngredientCount; ++i) EXPECT_EQ(x.s->DietFormula(d, i), fresh.s->DietFormula(d, i)) << d << " " << i;

    for (testing::DemoAfterGrowth* t : {static_cast<testing::DemoAfterGrowth*>(&x), &fresh}) {
        Growth(*t->s);
        ASSERT_TRUE(PlotDiets(*t->s).finished);
    }
    EXPECT_TRUE(GridText(x.w->Grid1) == GridText(fresh.w->Grid1));
    EXPECT_TRUE(FolderContents(x.folder.Str()).at(kDietPlotFile) == FolderContents(fresh.folder.Str()).at(kDietPlotFile));
}

TEST(OptimisationEnds, TheTransferredOptimumGrowsToTheOptimumsCostAndItsLimitsMakeItsFormulas) {
    Optimising x;
    x.Run();
    ASSERT_TRUE(x.f.Result.Done);
    const OptimisationResult optimum = x.f.Result;

    // Each diet formulated with the restrictions the result keeps (and the
    // result file lists) gives the optimum's formula.
    for (const RunDiet& diet : optimum.Optimum.Diets) {
        SCOPED_TRACE(diet.Number);
        for (std::size_t k = 0; k < diet.NutrientMin.size(); ++k) {
            x.s->NutrientLimits(diet.Number, 1, static_cast<int>(k) + 1) = diet.NutrientMin[k];
            x.s->NutrientLimits(diet.Number, 2, static_cast<int>(k) + 1) = diet.NutrientMax[k];
        }
        x.s->DietFaults(diet.Number) = 0;
        FormulateDiet(*x.s, diet.Number);
        ASSERT_EQ(x.s->DietFaults(diet.Number), 0);
        for (std::size_t i = 0; i < diet.Formula.size(); ++i)
            EXPECT_NEAR(x.s->DietFormula(diet.Number, static_cast<int>(i) + 1), diet.Formula[i], 1e-6) << i;
    }

    x.dialogs.ClearLog();
    TransferOptimumClick(*x.s, x.f);
    Growth(*x.s);
    EXPECT_TRUE(x.dialogs.Messages().empty());
    EXPECT_NEAR(NumVal(std::string_view(x.w->TextPrice.Text)), optimum.OptimumCostPerPig(), 0.006);
    EXPECT_EQ(x.w->TextPrice.Text, FormatPattern(optimum.OptimumCostPerPig(), "###.#0"));
}

TEST(OptimisationEnds, TheReportShowsTheOptimumWhateverRanAfterIt) {
    Optimising x;
    x.Run();
    ASSERT_TRUE(x.f.Result.Done);
    OptimisationReport first, later;
    ShowOptimisationReport(*x.s, first, &x.f);
    // A later Growth on another programme rewrites every live table.
    x.w->Griddiets.SetTextMatrix(3, 1, "70");
    Growth(*x.s);
    RunLp(*x.s);
    ShowOptimisationReport(*x.s, later, &x.f);
    EXPECT_TRUE(GridText(later.Grid3) == GridText(first.Grid3));
    EXPECT_TRUE(GridText(later.GridNuts) == GridText(first.GridNuts));
    EXPECT_TRUE(GridText(later.GridInWt) == GridText(first.GridInWt));
    EXPECT_EQ(later.Grid3.TextMatrix(1, 4), FormatAuto(x.f.Result.OptimumCostPerPig()));
    // No diet is fed beyond the maximum the search allowed it.
    for (int d = 1; d <= 3; ++d)
        EXPECT_LE(NumVal(std::string_view(later.Grid3.TextMatrix(4 * (d - 1) + 11, 1))),
                  NumVal(std::string_view(later.Grid3.TextMatrix(4 * (d - 1) + 11, 3))) + 1e-9);
}

TEST(OptimisationEnds, ItsRowsOfTheResultsGridAreItsOwnAndTheDayTableStaysTheGrowthRuns) {
    Optimising x;
    Grid& g = x.w->Grid1;
    std::string dayTable;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 5; c <= 13; ++c) dayTable += g.TextMatrix(r, c) + "\t";
    x.Run();
    ASSERT_TRUE(x.s->OptimisationDone);
    std::string after;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 5; c <= 13; ++c) after += g.TextMatrix(r, c) + "\t";
    EXPECT_TRUE(after == dayTable);

    // Ctrl+R's measured rows and the optimisation's rows side by side.
    FillTest(*x.s);
    EXPECT_EQ(g.TextMatrix(kFillTestRow, 0), "Measured");
    EXPECT_EQ(g.TextMatrix(kFillTestRow + x.s->DietCount + 1, 0), "Correl.");
    EXPECT_EQ(g.TextMatrix(kOptResultsRow, 0), "Current Cost");
    EXPECT_EQ(g.TextMatrix(kOptResultsRow + 1, 0), "Opt. Best Cost");
    EXPECT_EQ(g.TextMatrix(kOptResultsRow + 3, 0), "Diet 1");
    EXPECT_GT(kOptResultsRow, kFillTestRow + 8 + 1);  // room for eight measured diets and the correlations
}

}  // namespace
}  // namespace tarvisol

namespace tarvisol {
namespace {

// The optimum kept or compared after its transfer carries the figures a run
// has: the herd, males and females at the final weight and their carcass,
// as the Growth run of the transferred programme gives them.
TEST(OptimisationEnds, TheTransferredOptimumHasTheFiguresOfARun) {
    Optimising x;
    x.Run();
    ASSERT_TRUE(x.f.Result.Done);
    TransferOptimumClick(*x.s, x.f);
    const RunSnapshot optimum = x.s->TransferredOptimum;
    ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
    const RunSnapshot& grown = x.s->LastRun;
    for (std::size_t sex = 0; sex < 3; ++sex) {
        SCOPED_TRACE(sex);
        const RunSexFigures &o = optimum.Sexes[sex], &g = grown.Sexes[sex];
        EXPECT_NEAR(o.LiveWeight, g.LiveWeight, 1e-9);
        EXPECT_NEAR(o.Feed, g.Feed, 0.01 * g.Feed);
        EXPECT_NEAR(o.FeedGain, g.FeedGain, 0.01 * g.FeedGain);
        EXPECT_NEAR(o.Cost, g.Cost, 0.01 * g.Cost);
        EXPECT_NEAR(o.BackFat, g.BackFat, 1e-9);
        EXPECT_NEAR(o.LoinArea, g.LoinArea, 1e-9);
        EXPECT_NEAR(o.Lean, g.Lean, 1e-9);
        EXPECT_NEAR(o.Yield, g.Yield, 1e-9);
    }
    for (std::size_t t = 1; t <= 5; ++t) EXPECT_NEAR(optimum.Carcass[t], grown.Carcass[t], 1e-9) << t;
}

}  // namespace
}  // namespace tarvisol

namespace tarvisol {
namespace {

// A search that finds nothing lower leaves the last successful one in place:
// the message says so, and View Optimization and the transfer take it.
TEST(OptimisationEnds, ASearchThatFindsNothingLowerKeepsTheLastOptimum) {
    Optimising x;
    x.Run();
    ASSERT_TRUE(x.f.Result.Done);
    const double best = x.f.Result.OptimumCostPerPig();
    x.w->TextPrice.Text = "1.00";  // a programme no search can undercut
    x.dialogs.ClearLog();
    x.Run();
    ASSERT_FALSE(x.dialogs.Messages().empty());
    EXPECT_EQ(x.dialogs.Messages().back(), std::string(kNoLowerAnswer) + kLastOptimumKept);
    ASSERT_TRUE(x.f.Result.Done);
    EXPECT_EQ(x.f.Result.OptimumCostPerPig(), best);
    x.reportShown = false;
    ViewOptimisationClick(*x.s, x.f);
    EXPECT_TRUE(x.reportShown);
    TransferOptimumClick(*x.s, x.f);
    EXPECT_EQ(x.s->TransferredOptimum.CostPerPig, x.f.Result.Optimum.CostPerPig);
}

}  // namespace
}  // namespace tarvisol

#include "calibration/FitDiagnostics.h"
#include "growth/OutdatedResults.h"
#include "support/DemoAfterTransfer.h"

namespace tarvisol {
namespace {

// After the transfer the main window still shows the Growth run of before
// (its diets, prices, cost and results): it says so until Growth runs the
// optimum, and then no longer.
TEST(OptimisationEnds, TheTransferMarksTheRunShownAsFromBeforeUntilGrowth) {
    testing::DemoAfterTransfer x;
    ASSERT_TRUE(x.opt.Result.Done);
    EXPECT_EQ(x.w->LabelResults.Caption, kResultsFromBefore);
    EXPECT_NE(x.w->TextPrice.BackColor, kNoColor);
    EXPECT_NE(x.w->TextF2G.BackColor, kNoColor);
    ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
    EXPECT_EQ(x.w->LabelResults.Caption, "");
    EXPECT_EQ(x.w->TextPrice.BackColor, kNoColor);
}

// The score beside an unchanged curve: the curve's fit error on the herd's own
// allotments, and under its own heading this programme's miss of the herd
// once the programme feeds other allotments.
TEST(OptimisationEnds, TheScoreBesideTheCurveIsHeadedForWhatItScores) {
    testing::DemoAfterTransfer x;
    x.s->CurveFitErrorText = &FitErrorOfCurveInForce;
    x.w->Griddiets.SetTextMatrix(3, 1, "50.00");  // the herd's allotments
    x.w->Griddiets.SetTextMatrix(3, 2, "60.00");
    x.w->Griddiets.SetTextMatrix(3, 3, "67.50");
    ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
    EXPECT_EQ(x.w->GridWeight.TextMatrix(0, 6), kFitErrorCaption);
    EXPECT_FALSE(x.w->GridWeight.TextMatrix(1, 6).empty());
    TransferOptimumClick(*x.s, x.opt);
    ASSERT_EQ(Growth(*x.s), GrowthOutcome::Results);
    EXPECT_EQ(x.w->GridWeight.TextMatrix(0, 6), kHerdMissCaption);
    EXPECT_FALSE(x.w->GridWeight.TextMatrix(1, 6).empty());
}

}  // namespace
}  // namespace tarvisol

