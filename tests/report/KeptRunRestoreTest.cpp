// A kept run put back on the main window and grown again gives the run it
// was, whatever was grown in between in the same process.
#include <gtest/gtest.h>

#include <cmath>

#include "report/RunsFile.h"
#include "shared/Numbers.h"
#include "support/DemoAfterGrowth.h"
#include "ui/KeepRun.h"
#include "ui/RestoreRun.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

namespace {

void ExpectSameRun(const RunSnapshot& a, const RunSnapshot& b) {
    ASSERT_TRUE(b.ResultsValid);
    EXPECT_EQ(a.FinalAge, b.FinalAge);
    EXPECT_EQ(a.TotalFeed, b.TotalFeed);
    EXPECT_EQ(a.CostPerPig, b.CostPerPig);
    EXPECT_EQ(a.FeedGain, b.FeedGain);
    EXPECT_EQ(a.Carcass, b.Carcass);
    EXPECT_EQ(a.Formulation, b.Formulation);
    EXPECT_EQ(a.HerdSex, b.HerdSex);
    EXPECT_EQ(a.PigCount, b.PigCount);
    ASSERT_EQ(a.Diets.size(), b.Diets.size());
    for (std::size_t d = 0; d < a.Diets.size(); ++d) {
        EXPECT_EQ(a.Diets[d].Name, b.Diets[d].Name) << d;
        EXPECT_EQ(a.Diets[d].Price, b.Diets[d].Price) << d;
        EXPECT_EQ(a.Diets[d].Allotment, b.Diets[d].Allotment) << d;
        EXPECT_EQ(a.Diets[d].Formula, b.Diets[d].Formula) << d;
        // A nutrient not given (NaN) in one is not given in the other.
        ASSERT_EQ(a.Diets[d].Nutrients.size(), b.Diets[d].Nutrients.size()) << d;
        for (std::size_t k = 0; k < a.Diets[d].Nutrients.size(); ++k) {
            const double x = a.Diets[d].Nutrients[k], y = b.Diets[d].Nutrients[k];
            EXPECT_TRUE(x == y || (std::isnan(x) && std::isnan(y))) << d << " " << k << ": " << x << " " << y;
        }
        EXPECT_EQ(a.Diets[d].EndAge, b.Diets[d].EndAge) << d;
    }
}

TEST(KeptRunRestore, GrownAgainGivesTheSameResults) {
    for (int formulation : {kFormulationLeastCost, kFormulationGridDiets}) {
        SCOPED_TRACE(formulation);
        DemoAfterGrowth demo(formulation);
        SharedState& s = *demo.s;
        MainWindow& w = *demo.w;
        const RunSnapshot first = s.LastRun;
        std::string error;
        ASSERT_TRUE(KeepRunAs(s, first, "First", "2025-03-14 09:30", false, error)) << error;

        // Another programme in between: other weights, sex, prices and allotments.
        w.Text1.Text = "30";
        w.Text3.Text = "105";
        w.TextPigNo.Text = "37";
        w.ComboSex.ListIndex = 2;
        w.Griddiets.SetTextMatrix(1, 1, "Changed");
        w.Griddiets.SetTextMatrix(2, 1, "999");
        w.Griddiets.SetTextMatrix(3, 1, "80");
        w.Combo1.ListIndex = kFormulationGridDiets;
        Growth(s);
        ASSERT_TRUE(s.LastRun.ResultsValid);
        ASSERT_NE(s.LastRun.CostPerPig, first.CostPerPig);

        std::vector<KeptRun> kept;
        ASSERT_TRUE(ReadRunsFile(RunsFileOf(s), kept, error)) << error;
        ASSERT_EQ(kept.size(), 1u);
        const std::vector<std::string> notes = RestoreRun(s, kept[0].Run);
        EXPECT_TRUE(notes.empty()) << notes.front();
        Growth(s);
        ExpectSameRun(first, s.LastRun);
    }
}

}  // namespace

namespace {

// A least-cost run restored after the matrix prices changed grows to the
// cost it was kept at: its ingredient prices come back with its diets, and
// the restore names the prices it replaced.
TEST(KeptRunRestore, TheIngredientPricesOfTheRunComeBack) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    SharedState& s = *demo.s;
    const RunSnapshot first = s.LastRun;
    std::string error;
    ASSERT_TRUE(KeepRunAs(s, first, "First", "2025-03-14 09:30", false, error)) << error;
    const double price = s.IngredientPrices(1);
    s.IngredientPrices(1) = price + 40;
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    ASSERT_NE(s.LastRun.CostPerPig, first.CostPerPig);

    std::vector<KeptRun> kept;
    ASSERT_TRUE(ReadRunsFile(RunsFileOf(s), kept, error)) << error;
    ASSERT_EQ(kept.size(), 1u);
    const std::vector<std::string> notes = RestoreRun(s, kept[0].Run);
    EXPECT_EQ(s.IngredientPrices(1), price);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(s.IngredientNames(1)), std::string::npos) << notes[0];
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    EXPECT_EQ(s.LastRun.CostPerPig, first.CostPerPig);
}

}  // namespace

namespace {

// A least-cost run restored after a nutrient content of the matrix changed
// grows to the cost it was kept at, and the restore names the content it
// replaced with both values.
TEST(KeptRunRestore, TheMatrixValuesOfTheRunComeBack) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    SharedState& s = *demo.s;
    const RunSnapshot first = s.LastRun;
    std::string error;
    ASSERT_TRUE(KeepRunAs(s, first, "First", "2025-03-14 09:30", false, error)) << error;
    // The energy of the first ingredient (matrix column 2) falls by a tenth.
    const double energy = s.IngredientMatrix(2, 1);
    s.IngredientMatrix(2, 1) = energy * 0.9;
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    ASSERT_NE(s.LastRun.CostPerPig, first.CostPerPig);

    std::vector<KeptRun> kept;
    ASSERT_TRUE(ReadRunsFile(RunsFileOf(s), kept, error)) << error;
    ASSERT_EQ(kept.size(), 1u);
    const std::vector<std::string> notes = RestoreRun(s, kept[0].Run);
    EXPECT_EQ(s.IngredientMatrix(2, 1), energy);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find(s.IngredientNames(1)), std::string::npos) << notes[0];
    EXPECT_NE(notes[0].find(s.NutrientNames(2)), std::string::npos) << notes[0];
    EXPECT_NE(notes[0].find(FormatAuto(energy)), std::string::npos) << notes[0];
    ASSERT_EQ(Growth(s), GrowthOutcome::Results);
    EXPECT_EQ(s.LastRun.CostPerPig, first.CostPerPig);
}

// A run kept by an older program, without the nutrient contents, restores
// on the current matrix and says so.
TEST(KeptRunRestore, ARunKeptWithoutItsMatrixValuesSaysSo) {
    DemoAfterGrowth demo(kFormulationLeastCost);
    SharedState& s = *demo.s;
    RunSnapshot older = s.LastRun;
    older.IngredientMatrix.clear();
    const double energy = s.IngredientMatrix(2, 1) * 0.9;
    s.IngredientMatrix(2, 1) = energy;

    const std::vector<std::string> notes = RestoreRun(s, older);
    EXPECT_EQ(s.IngredientMatrix(2, 1), energy);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("without"), std::string::npos) << notes[0];
}

}  // namespace
