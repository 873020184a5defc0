// The diet plot sweep on the demo location: its gates and messages, the
// swept levels, the cost and lysine rules, the restores, the two files, and
// the parallel sweep against the sequential one.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "growth/GrowthRun.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "optimisation/PlotFiles.h"
#include "optimisation/PlotSweep.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Progress.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "ui/DietChart.h"

namespace tarvisol {
namespace {
namespace fs = std::filesystem;

// The demo after a Growth run, ready for Plot Diets.
struct PlotRun : testing::DemoAfterGrowth {
    explicit PlotRun(int formulation = kFormulationLeastCost) : DemoAfterGrowth(formulation) { dialogs.ClearLog(); }
    PlotOutcome Plot(int threads = 0, Progress* progress = nullptr) {
        PlotOptions o;
        o.threads = threads;
        o.progress = progress;
        return PlotDiets(*s, o);
    }
    std::string Read(const std::string& path) const {
        std::string text, error;
        EXPECT_TRUE(ReadTextFile(path, text, error)) << error;
        return text;
    }
    double Result(int field, int d, int e, int l) const { return s->SweepResults(field, d, e, l); }
};

TEST(PlotSweep, EnergyStepsFollowTheEnergyUnit) {
    EXPECT_DOUBLE_EQ(SweepEnergyStep(0), 20);
    EXPECT_DOUBLE_EQ(SweepEnergyStep(1), 10);
    EXPECT_DOUBLE_EQ(SweepEnergyStep(2), 0.02);
    EXPECT_DOUBLE_EQ(SweepEnergyStep(3), 0.01);
    EXPECT_DOUBLE_EQ(SweepEnergyStep(4), 0.005);
}

TEST(PlotSweep, TheGatesStopBeforeAnyWork) {
    PlotRun x;
    const std::string price = x.w->TextPrice.Text;

    x.w->TextPrice.Text = "  ";
    EXPECT_FALSE(PlotDiets(*x.s).finished);
    EXPECT_EQ(x.dialogs.Messages(), std::vector<std::string>{kPlotCostMissing});
    EXPECT_TRUE(x.dialogs.Exhausted());  // not even asked

    x.dialogs.ClearLog();
    x.w->TextPrice.Text = price;
    x.w->CommandPlot.BackColor = kPlotRunning;
    x.dialogs.Answer(Answer::No);
    PlotOptions slow;
    slow.secondsPerPoint = 0.01;  // a long sweep asks first
    EXPECT_FALSE(PlotDiets(*x.s, slow).finished);
    ASSERT_EQ(x.dialogs.Log().size(), 1u);
    EXPECT_EQ(x.dialogs.Log()[0].text, kPlotQuestion);
    EXPECT_EQ(x.w->CommandPlot.BackColor, kNoColor);

    x.dialogs.ClearLog();
    const double lysine = x.s->NutrientLimits(3, 1, 5);
    x.s->NutrientLimits(3, 1, 5) = 0;
    EXPECT_FALSE(x.Plot().finished);
    EXPECT_EQ(x.dialogs.Messages(), std::vector<std::string>{kPlotLysineMissing});
    EXPECT_EQ(x.w->CommandPlot.BackColor, kNoColor);
    EXPECT_FALSE(fs::exists(fs::path(x.folder.Str()) / kDietPlotFile));
    x.s->NutrientLimits(3, 1, 5) = lysine;
}

// The documented question comes only before a sweep expected to take a
// second or more: the demo's four diets (about 0.4 s on one thread of the
// development machine) run at once, a matrix fifty times the size asks first.
TEST(PlotSweep, OnlyALongSweepAsksBeforeItStarts) {
    EXPECT_LT(ExpectedSweepSeconds(4, SweepPointSeconds(true, 19, 22), 1), kPlotQuestionSeconds);
    EXPECT_GE(ExpectedSweepSeconds(4, SweepPointSeconds(true, 100, 200), 1), kPlotQuestionSeconds);
    EXPECT_LT(ExpectedSweepSeconds(6, SweepPointSeconds(false, 100, 200), 1), kPlotQuestionSeconds);
    PlotRun x;
    PlotOptions o;
    o.threads = 1;
    const PlotOutcome quick = PlotDiets(*x.s, o);
    EXPECT_TRUE(quick.finished);
    EXPECT_FALSE(quick.asked);
    for (const auto& shown : x.dialogs.Log()) EXPECT_NE(shown.text, kPlotQuestion);
    x.dialogs.ClearLog();
    x.dialogs.Answer(Answer::Yes);
    o.secondsPerPoint = 0.002;  // 1,764 points: 3.5 s
    const PlotOutcome slow = PlotDiets(*x.s, o);
    EXPECT_TRUE(slow.finished);
    EXPECT_TRUE(slow.asked);
    EXPECT_NEAR(slow.expectedSeconds, 3.528, 1e-9);
    ASSERT_FALSE(x.dialogs.Log().empty());
    EXPECT_EQ(x.dialogs.Log()[0].text, kPlotQuestion);
}

TEST(PlotSweep, LysineModeIsCentredOnTheDietsAndItsCentreRepeatsTheProgramme) {
    PlotRun x;
    x.w->CheckRatioLysine.Value = 1;
    const auto limits = x.s->NutrientLimits;
    const Grid results = x.w->Grid1;
    const double prices[] = {x.s->DietPrice(1), x.s->DietPrice(2), x.s->DietPrice(3), x.s->DietPrice(4)};
    const PlotOutcome out = x.Plot();
    ASSERT_TRUE(out.finished) << (x.dialogs.Messages().empty() ? "" : x.dialogs.Messages().back());
    EXPECT_EQ(x.dialogs.Messages(), std::vector<std::string>{kPlotRatioNote});
    EXPECT_EQ(x.w->CommandPlot.BackColor, kLightGreen);
    EXPECT_EQ(x.s->SweepDietCount, 4);
    EXPECT_TRUE(x.s->RatioToLysine);

    for (int d = 1; d <= 4; ++d) {
        // Energy in 20 kcal steps and lysine in 1 % steps around the diet's contents.
        const double energy = Val(x.w->Griddiets.TextMatrix(4, d)), lysine = Val(x.w->Griddiets.TextMatrix(8, d));
        EXPECT_NEAR(x.s->SweepValues(d, 10, kSweepEnergy), energy, 0.5) << d;
        EXPECT_NEAR(x.s->SweepValues(d, 0, kSweepEnergy), x.s->SweepValues(d, 10, kSweepEnergy) - 200, 1e-9);
        EXPECT_NEAR(x.s->SweepValues(d, 10, kSweepLysine), lysine, 0.0005) << d;
        EXPECT_NEAR(x.s->SweepValues(d, 20, kSweepLysine), 1.1 * x.s->SweepValues(d, 10, kSweepLysine), 1e-12);
        // The diet as it is reproduces the main window's feed per gain and cost.
        EXPECT_NEAR(x.Result(kSweepFeedGain, d, 10, 10), Val(x.w->TextF2G.Text), 0.0006) << d;
        EXPECT_NEAR(x.Result(kSweepCost, d, 10, 10), Val(x.w->TextPrice.Text), 0.006) << d;
        EXPECT_NEAR(x.Result(kSweepAge, d, 10, 10), Val(x.w->Text5.Text), 0.06) << d;
        EXPECT_GT(x.Result(kSweepBackFat, d, 10, 10), 0);
    }
    // Everything is as it was: restrictions, prices and the main window's results.
    EXPECT_TRUE(x.s->NutrientLimits == limits);
    for (int d = 1; d <= 4; ++d) EXPECT_NEAR(x.s->DietPrice(d), prices[d - 1], 1e-9) << d;
    for (int r = 0; r < results.Rows(); ++r)
        for (int c = 0; c < results.Cols(); ++c)
            ASSERT_EQ(x.w->Grid1.TextMatrix(r, c), results.TextMatrix(r, c)) << r << "," << c;
}

TEST(PlotSweep, OnProteinMinimumsTheMarkedPointSaysItIsNotTheCurrentProgramme) {
    // Centred on the protein minimums, the point scales every amino-acid
    // minimum by minimum / content: a cheaper diet than the one the main
    // window grew, so its cost is not the main window's.
    PlotRun x;
    x.w->CheckRatioLysine.Value = 0;
    ASSERT_TRUE(x.Plot().finished);
    DietChartWindow chart;
    LoadDietChart(*x.s, chart);
    const std::string mainCost = x.w->TextPrice.Text;
    ASSERT_NE(FormatPattern(x.Result(kSweepCost, 1, 10, 10), "0.00"), mainCost);
    const std::string& label = chart.LabelCurrent.Caption;
    EXPECT_EQ(label.find("Current diet"), std::string::npos) << label;
    EXPECT_NE(label.find("minimum"), std::string::npos) << label;
    EXPECT_NE(label.find(mainCost), std::string::npos) << label;
    EXPECT_NE(label.find(FormatPattern(x.s->NutrientLimits(1, 1, 2) / x.s->DietNutrients(1, 2), "0.000")), std::string::npos)
        << label;
}

TEST(PlotSweep, TheChartMarksEveryPointBelowTheHerdsRequirementWithItsShortfall) {
    // Grower diets with 70 % of the demo's protein and amino-acid minimums:
    // the map runs across the pigs' lysine requirement.
    PlotRun x;
    for (int d = 1; d <= 2; ++d)
        for (int k = 2; k <= 14; ++k) x.s->NutrientLimits(d, 1, k) *= 0.7;
    Growth(*x.s);
    x.w->CheckRatioLysine.Value = 1;
    ASSERT_TRUE(x.Plot().finished);
    const RunRequirements& req = x.s->LastRun.Nutrition.Requirements;
    ASSERT_TRUE(req.Computed);
    const RequirementDay* first = nullptr;
    for (const RequirementDay& day : req.Days)
        if (!first && day.Diet == 1 && day.Feed > 0) first = &day;
    ASSERT_NE(first, nullptr);
    DietChartWindow chart;
    LoadDietChart(*x.s, chart);
    int marked = 0, clear = 0;
    for (int e = 0; e < kSweepSteps; ++e)
        for (int l = 0; l < kSweepSteps; ++l) {
            if (x.Result(kSweepFeedGain, 1, e, l) == kSweepInfeasible) continue;
            bool shortOf = false;
            for (std::size_t i = 0; i < req.Nutrients.size(); ++i) {
                const int k = req.Nutrients[i].Column;
                if (k < 3 || k > 14) continue;
                const double have = x.s->SweepAmino(k, 1, e, l);
                EXPECT_GT(have, 0) << e << "," << l;
                shortOf = shortOf || have < first->Values[i].Requirement - 5e-4;
            }
            EXPECT_EQ(chart.Short[e][l], shortOf) << e << "," << l;
            (shortOf ? marked : clear)++;
            if (shortOf) EXPECT_NE(chart.GridPlot.TextMatrix(e + 1, l + 1).find(kChartShortMark), std::string::npos);
        }
    EXPECT_GT(marked, 0);
    EXPECT_GT(clear, 0);
    EXPECT_NE(chart.LabelRequirement.Caption.find("SID LYSINE"), std::string::npos) << chart.LabelRequirement.Caption;
}

TEST(PlotSweep, ThreadsGiveTheSequentialFilesByteForByte) {
    PlotRun one, many;
    ASSERT_TRUE(one.Plot(1).finished);
    ASSERT_TRUE(many.Plot(3).finished);
    EXPECT_TRUE(one.s->SweepResults == many.s->SweepResults);
    const std::string a = one.Read(fs::path(one.folder.Str()) / kDietPlotFile);
    EXPECT_EQ(a, many.Read(fs::path(many.folder.Str()) / kDietPlotFile));
    EXPECT_EQ(one.Read(fs::path(one.folder.Str()) / kPlotFile), many.Read(fs::path(many.folder.Str()) / kPlotFile));
    // A second sweep of the same programme (warm solver, other thread order) is the same again.
    ASSERT_TRUE(many.Plot(2).finished);
    EXPECT_EQ(a, many.Read(fs::path(many.folder.Str()) / kDietPlotFile));
}

TEST(PlotSweep, TheFilesHoldEveryPointOfEveryDiet) {
    PlotRun x;
    const PlotOutcome out = x.Plot();
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(out.dietPlotPath, (fs::path(x.folder.Str()) / kDietPlotFile).string());
    const std::string diet = x.Read(out.dietPlotPath);
    const std::vector<std::string> lines = SplitLines(diet);
    // Heading, note, then each point's row followed by an empty line.
    ASSERT_EQ(lines.size(), 2u + 4u * 441u * 2u);
    EXPECT_EQ(lines[0].rfind("Diet No.\tEnergy.\tProtein.\tAge,days.\tVelmorant\tDiet  1\t", 0), 0u);
    EXPECT_EQ(lines[1], "Values of -1 indicate one of the diets was infeasible.");
    EXPECT_EQ(SplitTabs(lines[2]).size(), 14u);  // diet, energy, protein, age, f/g, 4 prices, cost, 4 carcass
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(SplitTabs(lines[2])[0], "1");
    EXPECT_EQ(SplitTabs(lines[2 + 441 * 2 * 3])[0], "4");
    EXPECT_NE(diet.find("\r\n"), std::string::npos);

    const std::vector<std::string> plot = SplitLines(x.Read(out.plotPath));
    // Five lines of the current results, then 5 measures x 4 diets x (title, empty line, 21 rows).
    ASSERT_EQ(plot.size(), 5u + 5u * 4u * 23u);
    EXPECT_EQ(plot[4].rfind("COST PER      ", 0), 0u);
    EXPECT_EQ(plot[5], "Diet No. 1     Feed Cost");
    EXPECT_EQ(plot[5 + 23], "Diet No. 2     Feed Cost");
    EXPECT_EQ(plot[5 + 4 * 23], "Diet No. 1     Velmorant");
    EXPECT_EQ(plot[6], "");
    EXPECT_EQ(SplitTabs(plot[7]).size(), 22u);  // 21 cells and the closing blank
    EXPECT_EQ(SplitTabs(plot[7]).back(), " ");
}

TEST(PlotSweep, CostsAboveOnePointFourTimesTheCurrentOneAreRecordedAsZero) {
    PlotRun x;
    const double cost = Val(x.w->TextPrice.Text);
    x.w->TextPrice.Text = FormatAuto(cost / 1.4 - 1);  // every feasible point is too dear
    ASSERT_TRUE(x.Plot().finished);
    int priced = 0, feasible = 0;
    for (int e = 0; e < 21; ++e)
        for (int l = 0; l < 21; ++l) {
            if (x.Result(kSweepFeedGain, 1, e, l) < 0) continue;
            ++feasible;
            if (x.Result(kSweepCost, 1, e, l) != 0) ++priced;
        }
    // On the demo's documented curve the 25 kg pig needs under a kilogram a
    // day of a grower diet above 2,500 kcal NE/kg, and the documented engine
    // grows no pig on less: those 7 energies of diet 1 fail.
    EXPECT_GE(feasible, 14 * 21);
    EXPECT_EQ(priced, 0);
}

TEST(PlotSweep, DietsFromTheGridAreNotPricedAndLysineBeyondThreeTimesItsMinimumVoidsThePoint) {
    PlotRun x(kFormulationGridDiets);
    // Diet 2's lysine minimum is a quarter of its content.
    x.s->NutrientLimits(2, 1, 5) = Val(x.w->Griddiets.TextMatrix(8, 2)) / 4;
    ASSERT_TRUE(x.Plot().finished);
    const std::vector<std::string> lines = SplitLines(x.Read(fs::path(x.folder.Str()) / kDietPlotFile));
    EXPECT_EQ(lines[0].find("Cost/Pig."), std::string::npos);
    EXPECT_EQ(SplitTabs(lines[2]).size(), 13u);
    for (int e = 0; e < 14; e += 4)  // the energies diet 1 grows on (see above)
        for (int l = 0; l < 21; l += 5) {
            EXPECT_EQ(x.Result(kSweepCost, 1, e, l), 0);
            EXPECT_GT(x.Result(kSweepFeedGain, 1, e, l), 0);
            for (int f = kSweepFeedGain; f <= kSweepCost; ++f) EXPECT_EQ(x.Result(f, 2, e, l), kSweepInfeasible);
            EXPECT_GT(x.Result(kSweepBackFat, 2, e, l), 0);  // the pig still grew
        }
    // Protein mode follows the protein minimum in relative steps.
    EXPECT_NEAR(x.s->SweepValues(1, 0, kSweepProtein), 0.9 * x.s->NutrientLimits(1, 1, 2), 1e-9);
}

TEST(PlotSweep, EnergyColumnVariesInTheUnitsSteps) {
    PlotRun x(kFormulationGridDiets);
    x.s->EnergyUnit() = 2;  // Mcal/kg
    x.s->NutrientLimits(1, 1, 1) = 2.425;
    ASSERT_TRUE(x.Plot().finished);
    for (int step = 0; step < 21; ++step)
        EXPECT_NEAR(x.s->SweepValues(1, step, kSweepEnergy), 2.425 + (step - 10) * 0.02, 1e-12);
    EXPECT_DOUBLE_EQ(x.s->VariableCost(0), 0.02);
    EXPECT_DOUBLE_EQ(x.s->VariableCost(1), 0.01);
}

TEST(PlotSweep, StoppingFromTheProgressDialogWritesNothingAndRestores) {
    PlotRun x;
    const auto limits = x.s->NutrientLimits;
    RecordingProgress progress;
    progress.cancel = true;
    EXPECT_FALSE(x.Plot(2, &progress).finished);
    ASSERT_FALSE(progress.entries.empty());
    EXPECT_EQ(progress.entries.front().stage, "Plotting diet 1 of 4");
    EXPECT_EQ(progress.entries.front().total, 441);
    EXPECT_FALSE(fs::exists(fs::path(x.folder.Str()) / kPlotFile));
    EXPECT_EQ(x.s->SweepDietCount, 0);
    EXPECT_EQ(x.w->CommandPlot.BackColor, kNoColor);
    EXPECT_TRUE(x.s->NutrientLimits == limits);
}

TEST(PlotSweep, AStopLeavesTheLastSweepItsFilesAndTheDietsAsTheyWere) {
    PlotRun x;
    ASSERT_TRUE(x.Plot(1).finished);
    const auto files = testing::FolderContents(x.folder.Str());
    const auto results = x.s->SweepResults;
    const auto values = x.s->SweepValues;
    const auto limits = x.s->NutrientLimits;
    const auto nutrients = x.s->DietNutrients;
    const auto formulas = x.s->DietFormula;
    const auto prices = x.s->DietPrice;
    const std::string diets = testing::GridText(x.w->Griddiets), grid = testing::GridText(x.w->Grid1);
    const Color button = x.w->CommandPlot.BackColor;
    x.dialogs.ClearLog();
    RecordingProgress progress;
    progress.cancelAfter = 25;  // a few rows into the second diet (one report a row)
    EXPECT_FALSE(x.Plot(1, &progress).finished);
    EXPECT_EQ(progress.entries.back().stage, "Plotting diet 2 of 4");
    EXPECT_EQ(x.dialogs.Messages(), std::vector<std::string>{kPlotCancelled});
    EXPECT_GE(progress.finished, 1);
    EXPECT_EQ(progress.entries.front().done, 0);  // the dialog hears of the work before its first point
    EXPECT_TRUE(testing::FolderContents(x.folder.Str()) == files);
    EXPECT_TRUE(x.s->SweepResults == results);
    EXPECT_TRUE(x.s->SweepValues == values);
    EXPECT_EQ(x.s->SweepDietCount, 4);
    EXPECT_TRUE(x.s->NutrientLimits == limits);
    EXPECT_TRUE(x.s->DietNutrients == nutrients);
    EXPECT_TRUE(x.s->DietFormula == formulas);
    EXPECT_TRUE(x.s->DietPrice == prices);
    EXPECT_TRUE(testing::GridText(x.w->Griddiets) == diets);
    EXPECT_TRUE(testing::GridText(x.w->Grid1) == grid);
    EXPECT_EQ(x.w->CommandPlot.BackColor, button);
}

// The file layouts on a hand-made one-diet sweep.
struct LayoutFixture : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    MainWindow w;
    void SetUp() override {
        s->DietCount = 1;
        for (int step = 0; step < 21; ++step) {
            s->SweepValues(1, step, kSweepEnergy) = 2400 + 20 * (step - 10);
            s->SweepValues(1, step, kSweepProtein) = 16 * (1 + 0.01 * (step - 10));
            s->SweepValues(1, step, kSweepLysine) = 0.9 * (1 + 0.01 * (step - 10));
        }
        for (int e = 0; e < 21; ++e)
            for (int l = 0; l < 21; ++l) {
                s->SweepResults(kSweepFeedGain, 1, e, l) = 2.5;
                s->SweepResults(kSweepAge, 1, e, l) = 160;
                s->SweepResults(kSweepCost, 1, e, l) = 50;
                s->SweepResults(kSweepBackFat, 1, e, l) = 20.5;
            }
        w.Grid1.SetTextMatrix(0, 1, "Live Wt.");
        w.Grid1.SetTextMatrix(1, 1, "120.4");
        w.Grid1.SetTextMatrix(0, 2, "Age");
        w.Grid1.SetTextMatrix(1, 2, "165");
        w.Grid1.SetTextMatrix(10, 0, "COST PER");
        w.Grid1.SetTextMatrix(12, 0, "59.26");
    }
};

TEST_F(LayoutFixture, DietPlotHeadingAndRow) {
    EXPECT_EQ(DietPlotHeader(*s, true),
              "Diet No.\tEnergy.\tProtein.\tAge,days.\tVelmorant\tDiet  1\tCost/Pig.\tBack Fat at 10th Rib\t"
              "Longissimus Area sq cm.\tCarc. Lean %\tCarc. Yield % \r\n"
              "Values of -1 indicate one of the diets was infeasible.\r\n");
    s->RatioToLysine = true;
    EXPECT_EQ(DietPlotHeader(*s, false).substr(0, 58),
              "Diet No.\tEnergy.\tLysine,\tAge,days.\tVelmorant\tDiet  1\tBack ");
    const double prices[] = {0, 256.2};
    s->SweepResults(kSweepLean, 1, 0, 20) = 60.25;
    EXPECT_EQ(DietPlotRow(*s, 1, 0, 20, prices, true), "1\t2200\t0.990\t160.0\t2.500\t256.2\t50.00\t20.50\t0\t60.25\t0\r\n\r\n");
}

TEST_F(LayoutFixture, PlotShowsOnlyPointsAtLeastAsGoodAsTheProgrammeOnBothCounts) {
    s->SweepResults(kSweepCost, 1, 0, 1) = 60;      // cheaper feed per gain, dearer: blank
    s->SweepResults(kSweepFeedGain, 1, 0, 2) = 2.7;  // cheaper, worse feed per gain: blank
    s->SweepResults(kSweepCost, 1, 0, 3) = 0;        // above 1.4 times: recorded 0, shown
    const std::vector<std::string> lines = SplitLines(PlotText(*s, w, 2.6, 59.26));
    ASSERT_EQ(lines.size(), 5u + 5u * 23u);
    EXPECT_EQ(lines[0], "Live Wt.      120.4");
    EXPECT_EQ(lines[1], "Age           165");
    EXPECT_EQ(lines[4], "COST PER      59.26");
    EXPECT_EQ(lines[5], "Diet No. 1     Feed Cost");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7].substr(0, 26), "50.00\t     \t     \t0\t50.00\t");
    EXPECT_EQ(lines[7].substr(lines[7].size() - 7), "50.00\t ");
    EXPECT_EQ(lines[5 + 23], "Diet No. 1     Velmorant");
    EXPECT_EQ(lines[5 + 23 + 2].substr(0, 6), "2.500\t");
    EXPECT_EQ(lines[5 + 3 * 23], "Diet No. 1     Br. Meat Yield");
    EXPECT_EQ(lines[5 + 3 * 23 + 2].substr(0, 6), "20.50\t");
    EXPECT_EQ(PrintZoneLine("Exactly14chars", "1"), "Exactly14chars              1\r\n");
}

}  // namespace
}  // namespace tarvisol
