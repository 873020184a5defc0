// What a reader or a command leaves behind never shows in the next one: a
// larger case A read or run first, then a smaller case B on the same record,
// gives exactly what B gives on a fresh record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "location/CalFile.h"
#include "calibration/CalibrationFixture.h"
#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "growth/Temperature.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "optimisation/OptimisationWindow.h"
#include "optimisation/PlotFiles.h"
#include "optimisation/PlotSweep.h"
#include "support/DemoAfterGrowth.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"
#include "support/FormulationFixture.h"
#include "support/MainWindowFixture.h"

namespace tarvisol {
namespace {
using testing::GridText;
using testing::Slurp;
using testing::Spit;

std::string DemoFile(const std::string& ending) { return Slurp(testing::FormulationFixture::DemoBase() + ending); }

// The first n lines of a text, each ended by CR LF.
std::string FirstLines(const std::string& text, std::size_t n) {
    std::vector<std::string> lines = SplitLines(text);
    lines.resize(std::min(n, lines.size()));
    return JoinCrlf(lines);
}

// The diet columns of the diets grid (not the row labels), row by row, up to
// the last row holding a value.
std::string DietColumns(const Grid& g) {
    std::vector<std::string> rows;
    for (int r = 0; r < g.Rows(); ++r) {
        std::string t;
        for (int c = 1; c < g.Cols(); ++c) t += g.TextMatrix(r, c) + "\t";
        rows.push_back(t);
    }
    while (!rows.empty() && rows.back().find_first_not_of('\t') == std::string::npos) rows.pop_back();
    std::string all;
    for (const auto& r : rows) all += r + "\n";
    return all;
}

struct Reader : ::testing::Test {
    class testing::ScratchFolder folder;
    testing::FormulationFixture reused, fresh;
    std::string Put(const std::string& name, const std::string& text) {
        Spit(folder.File(name), text);
        return folder.File(name);
    }
};

TEST_F(Reader, MatrixOfFewerIngredientsAndColumns) {
    const std::string a = Put("AMatrix.txt", DemoFile(kMatrixEnding));
    testing::FormulationFixture toy;
    toy.LoadToyMatrix();
    const std::string b = Put("BMatrix.txt", MatrixText(*toy.s, nullptr));
    ASSERT_TRUE(LoadLP(*reused.s, a));
    ASSERT_TRUE(LoadLP(*reused.s, b));
    ASSERT_TRUE(LoadLP(*fresh.s, b));
    EXPECT_EQ(reused.s->IngredientCount, fresh.s->IngredientCount);
    EXPECT_EQ(reused.s->NutrientCount, fresh.s->NutrientCount);
    EXPECT_TRUE(reused.s->IngredientMatrix == fresh.s->IngredientMatrix);
    EXPECT_TRUE(reused.s->IngredientNames == fresh.s->IngredientNames);
    EXPECT_TRUE(reused.s->IngredientPrices == fresh.s->IngredientPrices);
    EXPECT_TRUE(reused.s->NutrientNames == fresh.s->NutrientNames);
}

TEST_F(Reader, RestrictionsOfOneDiet) {
    // B: diet 1's lines only (the demo files list diet by diet).
    auto dietOne = [](const std::string& text) {
        std::string out;
        for (const std::string& line : SplitLines(text))
            if (line.rfind(" 1 ", 0) == 0) out += line + "\r\n";
        return out;
    };
    const std::string a = Put("AReq.ing", DemoFile(kIngredientEnding));
    Put("AReq.nut", DemoFile(kNutrientEnding));
    const std::string b = Put("BReq.ing", dietOne(DemoFile(kIngredientEnding)));
    Put("BReq.nut", dietOne(DemoFile(kNutrientEnding)));
    ASSERT_NE(Slurp(b), "");
    ReadRestrictions(*reused.s, a);
    ReadRestrictions(*reused.s, b);
    ReadRestrictions(*fresh.s, b);
    EXPECT_EQ(reused.s->RestrictionDiets, fresh.s->RestrictionDiets);
    EXPECT_EQ(reused.s->DietCount, fresh.s->DietCount);
    EXPECT_TRUE(reused.s->NutrientLimits == fresh.s->NutrientLimits);
    EXPECT_TRUE(reused.s->IngredientLimits == fresh.s->IngredientLimits);
    EXPECT_TRUE(reused.s->FileNutrientLimits == fresh.s->FileNutrientLimits);
    EXPECT_TRUE(reused.s->FileIngredientLimits == fresh.s->FileIngredientLimits);
    EXPECT_EQ(IngredientRestrictionText(*reused.s, nullptr), IngredientRestrictionText(*fresh.s, nullptr));
    EXPECT_EQ(NutrientRestrictionText(*reused.s, nullptr), NutrientRestrictionText(*fresh.s, nullptr));
}

// A location opened after another in the same window: a smaller one (fewer
// diets, ingredients, measured rows and temperatures) opens as in a fresh window.
struct OpenedWindow {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    explicit OpenedWindow(const std::string& folder) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, folder);
        s->LocationFolder = folder;
    }
    void Open(const std::string& name) {
        w->Text6.Text = name;
        dialogs.Answer(Answer::Yes);  // reopen
        dialogs.ClearLog();
        LocationName(*s);
    }
};

TEST(ReusedWindow, ASmallerLocationOpenedAfterTheDemoOpensAsInAFreshWindow) {
    class testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    const std::string demo = folder.File("Demo");
    Spit(folder.File("Small.pig"), "6.15400\r\n1.53430\r\n3.57050\r\n0.0020532\r\n1.00000\r\n30\r\n70\r\n110\r\n"
                                   "230\r\n150\r\n2\r\n 0 \t" + std::string(kEnergyNote) + "\r\n 0 \r\n 1 \r\n");
    Spit(folder.File("Small.cal"), FirstLines(Slurp(demo + ".cal"), 3));
    Spit(folder.File("Small.stg"), "70\t18\r\n24\t20\r\n23\t19\r\n");
    Spit(folder.File("Small.dts"), FirstLines(Slurp(demo + kDietEnding), 2 * 18));
    testing::FormulationFixture toy;
    toy.LoadToyMatrix();
    Spit(folder.File("Small") + kMatrixEnding, MatrixText(*toy.s, nullptr));
    Spit(folder.File("Small") + kIngredientEnding, " 1 \t 1 \t0\t40\r\n 2 \t 2 \t0\t30\r\n");
    Spit(folder.File("Small") + kNutrientEnding,
         " 1 \t 1 \t2500\t0\r\n 1 \t 2 \t16\t0\r\n 2 \t 1 \t2400\t0\r\n 2 \t 2 \t14\t0\r\n");

    OpenedWindow reused(folder.Str()), fresh(folder.Str());
    reused.Open("Demo");
    ASSERT_EQ(reused.s->DietCount, 4);
    reused.Open("Small");
    fresh.Open("Small");
    EXPECT_EQ(reused.dialogs.Messages(), fresh.dialogs.Messages());
    const SharedState &a = *reused.s, &b = *fresh.s;
    EXPECT_EQ(a.DietCount, b.DietCount);
    EXPECT_EQ(a.IngredientCount, b.IngredientCount);
    EXPECT_EQ(a.NutrientCount, b.NutrientCount);
    EXPECT_EQ(a.RestrictionDiets, b.RestrictionDiets);
    EXPECT_TRUE(a.IngredientMatrix == b.IngredientMatrix);
    EXPECT_TRUE(a.IngredientNames == b.IngredientNames);
    EXPECT_TRUE(a.IngredientPrices == b.IngredientPrices);
    EXPECT_TRUE(a.NutrientNames == b.NutrientNames);
    EXPECT_TRUE(a.NutrientLimits == b.NutrientLimits);
    EXPECT_TRUE(a.IngredientLimits == b.IngredientLimits);
    EXPECT_TRUE(a.FileNutrientLimits == b.FileNutrientLimits);
    EXPECT_TRUE(a.FileIngredientLimits == b.FileIngredientLimits);
    EXPECT_TRUE(a.LoadedNutrientLimits == b.LoadedNutrientLimits);
    EXPECT_TRUE(a.DietNutrients == b.DietNutrients);
    EXPECT_TRUE(a.DietFeedAmount == b.DietFeedAmount);
    EXPECT_TRUE(a.CalibWeightTable == b.CalibWeightTable);
    EXPECT_TRUE(a.CalibInputs == b.CalibInputs);
    EXPECT_TRUE(a.UnitTable == b.UnitTable);
    EXPECT_TRUE(a.TempTable == b.TempTable);
    EXPECT_TRUE(a.CalibTemps == b.CalibTemps);
    EXPECT_EQ(a.HerdSex, b.HerdSex);
    EXPECT_EQ(DietColumns(reused.w->Griddiets), DietColumns(fresh.w->Griddiets));
    EXPECT_EQ(GridText(reused.w->GridWeight), GridText(fresh.w->GridWeight));
    for (TextBox MainWindow::*box : {&MainWindow::Text1, &MainWindow::Text2, &MainWindow::Text3, &MainWindow::Text4,
                                     &MainWindow::Text5})
        EXPECT_EQ(((*reused.w).*box).Text, ((*fresh.w).*box).Text);
    EXPECT_EQ(reused.w->Combo1.ListIndex, fresh.w->Combo1.ListIndex);
}

// Growth: A on three diets for males to a heavier weight, then B on two
// diets for a mixed herd from an older start.
void SetCaseB(testing::MainWindowFixture& x) {
    for (int r = 1; r < x.w->Griddiets.Rows(); ++r) x.w->Griddiets.SetTextMatrix(r, 3, "");
    x.w->Griddiets.SetTextMatrix(3, 2, "400");
    x.w->ComboSex.ListIndex = 0;
    x.w->Text1.Text = "30";
    x.w->Text2.Text = "70";
    x.w->Text3.Text = "100";
}

TEST(ReusedGrowth, ASmallerProgrammeAfterALargerOneShowsWhatAFreshWindowShows) {
    testing::MainWindowFixture reused, fresh;
    reused.w->ComboSex.ListIndex = 1;
    reused.w->Text3.Text = "130";
    ASSERT_EQ(Growth(*reused.s), GrowthOutcome::Results);
    SetCaseB(reused);
    SetCaseB(fresh);
    ASSERT_EQ(Growth(*reused.s), GrowthOutcome::Results);
    ASSERT_EQ(Growth(*fresh.s), GrowthOutcome::Results);
    EXPECT_EQ(GridText(reused.w->Grid1), GridText(fresh.w->Grid1));
    EXPECT_EQ(GridText(reused.w->Griddiets), GridText(fresh.w->Griddiets));
    for (TextBox MainWindow::*box : {&MainWindow::Text4, &MainWindow::Text5, &MainWindow::TextPrice, &MainWindow::TextF2G})
        EXPECT_EQ(((*reused.w).*box).Text, ((*fresh.w).*box).Text);
    EXPECT_TRUE(reused.s->DietResults == fresh.s->DietResults);
    EXPECT_EQ(reused.s->FinalAge, fresh.s->FinalAge);
    EXPECT_EQ(reused.s->CumFeed(0), fresh.s->CumFeed(0));
}

// Run LP after an infeasible formulation of the same diets.
TEST(ReusedRunLp, FeasibleDietsAfterAnInfeasibleRunGiveTheFreshFormulas) {
    testing::FormulationFixture reused, fresh;
    reused.LoadDemo();
    fresh.LoadDemo();
    const double energy = reused.s->NutrientLimits(2, 1, 1);
    reused.s->NutrientLimits(2, 1, 1) = 4000;  // beyond what the ingredients reach
    RunLp(*reused.s);
    ASSERT_NE(reused.s->DietFaults(2), 0);
    reused.s->NutrientLimits(2, 1, 1) = energy;
    reused.dialogs.ClearLog();
    RunLp(*reused.s);
    RunLp(*fresh.s);
    for (int d = 1; d <= fresh.s->DietCount; ++d) EXPECT_EQ(reused.s->DietFaults(d), fresh.s->DietFaults(d)) << d;
    EXPECT_TRUE(reused.s->DietFormula == fresh.s->DietFormula);
    EXPECT_TRUE(reused.s->DietNutrients == fresh.s->DietNutrients);
    EXPECT_EQ(GridText(reused.w->Griddiets), GridText(fresh.w->Griddiets));
    EXPECT_EQ(reused.dialogs.Messages(), fresh.dialogs.Messages());
}

// An optimisation for a herd of males, then one for the mixed herd in the
// same window, against the mixed herd's optimisation in a fresh window.
struct Optimised : testing::DemoAfterGrowth {
    FrmOptP f;
    Optimised() : DemoAfterGrowth(kFormulationLeastCost) {}
    void Optimise(int herd) {
        s->HerdSex = static_cast<int16_t>(herd);
        w->ComboSex.ListIndex = herd;
        ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
        ShowOptimisationWindow(*s, f);
        ProgramMinMaxClick(*s, f);
        RunOptimisation(*s, f);
        ASSERT_TRUE(s->OptimisationDone);
    }
};

TEST(ReusedOptimisation, ASecondSearchFindsWhatAFreshWindowFinds) {
    Optimised reused, fresh;
    reused.Optimise(1);
    const double males = reused.f.Result.OptimumCostPerPig();
    reused.Optimise(0);
    fresh.Optimise(0);
    ASSERT_NE(fresh.f.Result.OptimumCostPerPig(), males);  // the two cases differ
    EXPECT_EQ(reused.f.Result.OptimumCostPerPig(), fresh.f.Result.OptimumCostPerPig());
    EXPECT_EQ(reused.s->OptRunEvaluations, fresh.s->OptRunEvaluations);
    EXPECT_TRUE(reused.s->OptPoint == fresh.s->OptPoint);
    EXPECT_EQ(GridText(reused.f.GridOpt), GridText(fresh.f.GridOpt));
    EXPECT_EQ(GridText(reused.w->Griddiets), GridText(fresh.w->Griddiets));
}

// A calibration of a herd that ends older and heavier, declined; then the demo herd's table typed into the window again: the same
// fit, the same question, the same curve and files as in a fresh window.
struct Calibrated : testing::DemoCalibrationCopy {
    void Type(const std::vector<std::vector<std::string>>& rows) {
        Grid& g = demo->form->GridCalibWts;
        for (int r = 1; r <= kCalWindowRows; ++r)
            for (int c = 0; c <= 2; ++c)
                g.SetTextMatrix(r, c, r <= static_cast<int>(rows.size()) ? rows[r - 1][c] : std::string());
    }
    void Continue(Answer save, Answer use) {
        demo->dialogs.ClearLog();
        demo->dialogs.Answer(save).Answer(use);
        ContinueCalibration(*demo->s, *demo->form);
        EXPECT_TRUE(demo->dialogs.Exhausted());  // it ran to both questions
    }
};

TEST(ReusedCalibration, TheDemoHerdFittedAfterAnotherHerdFitsAsInAFreshWindow) {
    Calibrated reused, fresh;
    std::vector<std::vector<std::string>> demoRows;
    for (int r = 1; r <= 5; ++r) {
        const Grid& g = fresh.demo->form->GridCalibWts;
        demoRows.push_back({g.TextMatrix(r, 0), g.TextMatrix(r, 1), g.TextMatrix(r, 2)});
    }
    ASSERT_EQ(demoRows[4][0], FormatAuto(163));
    auto heavier = demoRows;
    heavier[4] = {"170", "128.0", "80.0"};
    reused.Type(heavier);
    reused.Continue(Answer::No, Answer::No);
    const auto a = reused.demo->s->BestCurve;
    // Pressing Calibration again opens the window on what was typed last.
    reused.demo->dialogs.Text("Demo");
    CalibrationCommand(*reused.demo->s, *reused.demo->form);
    reused.Type(demoRows);
    fresh.Type(demoRows);
    reused.Continue(Answer::No, Answer::Yes);
    fresh.Continue(Answer::No, Answer::Yes);
    const SharedState &r = *reused.demo->s, &f = *fresh.demo->s;
    ASSERT_FALSE(a == f.BestCurve);  // the two herds fit differently
    // The texts name each window's own folder.
    const auto told = [](const Calibrated& c) {
        std::vector<std::string> texts;
        for (const auto& shown : c.demo->dialogs.Log()) {
            std::string text = shown.kind + ": " + shown.text;
            for (std::size_t at; (at = text.find(c.folder.Str())) != std::string::npos;)
                text.replace(at, c.folder.Str().size(), "FOLDER");
            texts.push_back(text);
        }
        return texts;
    };
    EXPECT_EQ(told(reused), told(fresh));
    EXPECT_TRUE(r.BestCurve == f.BestCurve);
    EXPECT_TRUE(r.GrowthCurve == f.GrowthCurve);
    EXPECT_TRUE(r.RunResults == f.RunResults);
    EXPECT_TRUE(r.CalibWeightTable == f.CalibWeightTable);
    EXPECT_TRUE(r.CalibInputs == f.CalibInputs);
    EXPECT_EQ(r.CalibLastRow, f.CalibLastRow);
    EXPECT_EQ(GridText(reused.demo->w->GridWeight), GridText(fresh.demo->w->GridWeight));
    EXPECT_EQ(GridText(reused.demo->w->Grid1), GridText(fresh.demo->w->Grid1));
    EXPECT_TRUE(testing::FolderContents(reused.folder.Str()) == testing::FolderContents(fresh.folder.Str()));
}

// Plot Diets on the demo's four least-cost diets in lysine steps, then on
// three of them from the grid in protein steps: the same sweep and files as
// the second in a fresh window.
struct Plotted : testing::DemoAfterGrowth {
    Plotted() : DemoAfterGrowth(kFormulationLeastCost) {}
    PlotOutcome Plot() {
        dialogs.ClearLog();
        PlotOptions o;
        o.threads = 2;
        return PlotDiets(*s, o);
    }
    void ThreeDietsFromTheGridInProteinSteps() {
        w->Combo1.ListIndex = kFormulationGridDiets;
        for (int r = 1; r < w->Griddiets.Rows(); ++r) w->Griddiets.SetTextMatrix(r, 4, "");
        w->CheckRatioLysine.Value = 0;
        w->CheckRatioProtein.Value = 1;
        ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
        ASSERT_EQ(s->DietCount, 3);
    }
};

TEST(ReusedPlotDiets, ASmallerSweepAfterALargerOneIsTheFreshSweep) {
    Plotted reused, fresh;
    reused.w->CheckRatioLysine.Value = 1;
    ASSERT_TRUE(reused.Plot().finished);
    ASSERT_EQ(reused.s->SweepDietCount, 4);
    reused.ThreeDietsFromTheGridInProteinSteps();
    fresh.ThreeDietsFromTheGridInProteinSteps();
    const PlotOutcome r = reused.Plot(), f = fresh.Plot();
    ASSERT_TRUE(f.finished);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(reused.dialogs.Messages(), fresh.dialogs.Messages());
    EXPECT_EQ(reused.s->SweepDietCount, 3);
    EXPECT_EQ(reused.s->RatioToLysine, fresh.s->RatioToLysine);
    for (int d = 1; d <= 3; ++d)
        for (int i = 0; i < kSweepSteps; ++i) {
            for (int v : {kSweepLysine, kSweepEnergy, kSweepProtein})
                ASSERT_EQ(reused.s->SweepValues(d, i, v), fresh.s->SweepValues(d, i, v)) << d << " " << i;
            for (int l = 0; l < kSweepSteps; ++l)
                for (int field = kSweepFeedGain; field <= kSweepLoinDepth; ++field)
                    ASSERT_EQ(reused.s->SweepResults(field, d, i, l), fresh.s->SweepResults(field, d, i, l))
                        << d << " " << i << " " << l << " " << field;
        }
    EXPECT_EQ(Slurp(r.dietPlotPath), Slurp(f.dietPlotPath));
    EXPECT_EQ(Slurp(r.plotPath), Slurp(f.plotPath));
    EXPECT_EQ(GridText(reused.w->Griddiets), GridText(fresh.w->Griddiets));
    EXPECT_EQ(GridText(reused.w->Grid1), GridText(fresh.w->Grid1));
}

}  // namespace
}  // namespace tarvisol
