// What the optimisation report says about the optimum of the demo: every
// restriction the search moved, and the last diet's feed.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli/OptimiseCommand.h"
#include "location/ScratchFolder.h"

#include "optimisation/OptimisationWindow.h"
#include "response/GenotypePresets.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "ui/OptimisationReport.h"

namespace tarvisol {
namespace {
using testing::GridText;

struct DemoOptimum : testing::DemoAfterGrowth {
    FrmOptP f;
    OptimisationReport r;
    // proteinScale: the protein and amino-acid minimums of the two grower
    // diets times this before the programme is grown again and optimised.
    explicit DemoOptimum(double proteinScale = 1, bool meetRequirements = false)
        : DemoAfterGrowth(kFormulationLeastCost) {
        if (proteinScale != 1) {
            for (int d = 1; d <= 2; ++d)
                for (int k = 2; k <= 14; ++k) s->NutrientLimits(d, 1, k) *= proteinScale;
            Growth(*s);
        }
        ShowOptimisationWindow(*s, f);
        ProgramMinMaxClick(*s, f);
        f.CheckRequirements.Value = meetRequirements ? 1 : 0;
        RunOptimisation(*s, f);
        ShowOptimisationReport(*s, r, &f);
    }
    // The summary row naming diet d's nutrient and limit kind, -1 when none.
    int RowOf(int d, const std::string& name, const char* kind) const {
        const Grid& g = r.Grid3;
        for (int row = 0; row < g.Rows(); ++row)
            if (g.TextMatrix(row, 0) == "Diet " + std::to_string(d) && g.TextMatrix(row, 1) == name &&
                g.TextMatrix(row, 2) == kind)
                return row;
        return -1;
    }
};

TEST(OptimumReport, ListsEveryRestrictionTheOptimumChangedBeforeAndAfter) {
    DemoOptimum x;
    ASSERT_TRUE(x.f.Result.Done);
    const RunSnapshot& start = x.f.Result.Start;
    const RunSnapshot& optimum = x.f.Result.Optimum;
    int aminoAcids = 0;
    for (std::size_t i = 0; i < optimum.Diets.size(); ++i)
        for (std::size_t k = 0; k < optimum.Diets[i].NutrientMin.size(); ++k) {
            const double before = start.Diets[i].NutrientMin[k], after = optimum.Diets[i].NutrientMin[k];
            if (std::fabs(before - after) < 1e-9) continue;
            if (k >= 2 && k <= 13) ++aminoAcids;
            const std::string name = optimum.NutrientNames[k];
            const int row = x.RowOf(static_cast<int>(i) + 1, name, "min.");
            ASSERT_GE(row, 0) << "diet " << i + 1 << " " << name;
            EXPECT_NEAR(NumVal(std::string_view(x.r.Grid3.TextMatrix(row, 3))), before, 5.1e-4) << name;
            EXPECT_NEAR(NumVal(std::string_view(x.r.Grid3.TextMatrix(row, 4))), after, 5.1e-4) << name;
            EXPECT_FALSE(x.r.Grid3.TextMatrix(row, 5).empty()) << name;  // the unit
        }
    // Lysine and the other amino acids moved with protein.
    EXPECT_GT(aminoAcids, 0);
}

TEST(OptimumReport, TheLastDietRunsToMarketWithTheFeedItWasEaten) {
    DemoOptimum x;
    ASSERT_TRUE(x.f.Result.Done);
    const RunSnapshot& optimum = x.f.Result.Optimum;
    const int n = optimum.DietCount();
    double others = 0;
    for (int d = 1; d < n; ++d) others += optimum.Diets[static_cast<std::size_t>(d - 1)].Allotment;
    const Grid& g = x.r.Grid3;
    const int row = 4 * (n - 1) + 8 + 3;
    EXPECT_NE(g.TextMatrix(row, 0).find("eaten"), std::string::npos) << g.TextMatrix(row, 0);
    EXPECT_NEAR(NumVal(std::string_view(g.TextMatrix(row, 1))), optimum.TotalFeed - others, 0.05);
    EXPECT_NE(g.TextMatrix(row, 3).find("market"), std::string::npos) << g.TextMatrix(row, 3);
    // The diets before it keep their searched allotment and its range.
    EXPECT_EQ(g.TextMatrix(row - 4, 0), "    Feed Wt.");
}

// The search moves each diet's energy and protein (and the amino acids with
// protein); every maximum it does not set is the mill's and stays: the
// optimum diets are formulated within it, and its restrictions list it.
TEST(OptimumReport, TheOptimumKeepsEveryMaximumTheSearchDoesNotSet) {
    DemoOptimum x;
    ASSERT_TRUE(x.f.Result.Done);
    const RunSnapshot& start = x.f.Result.Start;
    const RunSnapshot& optimum = x.f.Result.Optimum;
    int kept = 0;
    for (std::size_t i = 0; i < optimum.Diets.size(); ++i)
        for (std::size_t k = 2; k < start.Diets[i].NutrientMax.size() && k < 15; ++k) {
            const double max = start.Diets[i].NutrientMax[k];
            if (!(max > 0)) continue;
            ++kept;
            SCOPED_TRACE("diet " + std::to_string(i + 1) + " " + optimum.NutrientNames[k]);
            EXPECT_EQ(optimum.Diets[i].NutrientMax[k], max);
            EXPECT_LE(optimum.Diets[i].Nutrients[k + 1], 1.01 * max);
        }
    EXPECT_GT(kept, 0);  // the demo's calcium maximum
}

// "Value of Single Change": each variable searched alone from the best joint
// point has its own cost, never above the start's.
TEST(OptimumReport, EachSingleChangeShowsItsOwnCost) {
    DemoOptimum x;
    ASSERT_TRUE(x.f.Result.Done);
    const Grid& g = x.r.Grid3;
    ASSERT_EQ(g.TextMatrix(7, 8), "Opt Cost");
    const double start = x.f.Result.StartCost;
    int below = 0;
    for (int d = 1; d <= x.f.Result.Optimum.DietCount(); ++d)
        for (int j = 0; j < 3; ++j) {
            const double cost = NumVal(std::string_view(g.TextMatrix(4 * (d - 1) + 9 + j, 8)));
            EXPECT_GT(cost, 0);
            EXPECT_LE(cost, start + 0.005);
            if (cost < start - 0.005) ++below;
        }
    EXPECT_GT(below, 0);
}

TEST(OptimumReport, MarksEveryOptimumDietWhoseAminoAcidsFallBelowTheHerdsRequirement) {
    DemoOptimum x(0.8);
    ASSERT_TRUE(x.f.Result.Done) << ::testing::PrintToString(x.dialogs.Messages());
    const RunSnapshot& optimum = x.f.Result.Optimum;
    const RunRequirements& req = optimum.Nutrition.Requirements;
    ASSERT_TRUE(req.Computed);  // the optimum's own days, as a Growth run of it gives them
    const Grid& g = x.r.Grid3;
    int shortfalls = 0;
    for (const RunDiet& diet : optimum.Diets) {
        const RequirementDay* first = nullptr;
        for (const RequirementDay& day : req.Days)
            if (!first && day.Diet == diet.Number && day.Feed > 0) first = &day;
        ASSERT_NE(first, nullptr);
        for (std::size_t i = 0; i < req.Nutrients.size(); ++i) {
            const int k = req.Nutrients[i].Column;
            if (k < 3 || k > 14) continue;
            const double need = first->Values[i].Requirement, have = diet.Nutrients[static_cast<std::size_t>(k)];
            const int row = x.RowOf(diet.Number, req.Nutrients[i].Name, "< req.");
            if (have >= need - 5e-4) {
                EXPECT_LT(row, 0) << diet.Number << " " << req.Nutrients[i].Name;
                continue;
            }
            ++shortfalls;
            ASSERT_GE(row, 0) << diet.Number << " " << req.Nutrients[i].Name;
            EXPECT_NEAR(NumVal(std::string_view(g.TextMatrix(row, 3))), have, 5.1e-4);
            EXPECT_NEAR(NumVal(std::string_view(g.TextMatrix(row, 4))), need, 5.1e-4);
            EXPECT_NEAR(NumVal(std::string_view(g.TextMatrix(row, 6))), (have - need) * 100 / need, 0.051);
        }
    }
    // The demo's optimum drifts below what its pigs need.
    EXPECT_GT(shortfalls, 0);
}

TEST(OptimumReport, MeetingRequirementsHoldsEveryAminoAcidMinimumAtTheRequirementWhereTheDietStarts) {
    // Grower diets a little above the pigs' needs: the search as documented
    // takes them below; held, it may not.
    DemoOptimum held(0.9, true), free(0.9, false);
    ASSERT_TRUE(held.f.Result.Done) << ::testing::PrintToString(held.dialogs.Messages());
    ASSERT_TRUE(free.f.Result.Done);
    const RunRequirements& req = held.f.Result.Start.Nutrition.Requirements;
    ASSERT_TRUE(req.Computed);
    int freeBelow = 0;
    for (const RunDiet& diet : held.f.Result.Optimum.Diets) {
        const RequirementDay* first = nullptr;
        for (const RequirementDay& day : req.Days)
            if (!first && day.Diet == diet.Number && day.Feed > 0) first = &day;
        ASSERT_NE(first, nullptr);
        const RunDiet& other = free.f.Result.Optimum.Diets[static_cast<std::size_t>(diet.Number - 1)];
        for (std::size_t i = 0; i < req.Nutrients.size(); ++i) {
            const int k = req.Nutrients[i].Column;
            if (k < 3 || k > 14) continue;
            const double need = first->Values[i].Requirement;
            EXPECT_GE(diet.NutrientMin[static_cast<std::size_t>(k - 1)], need - 1e-9)
                << diet.Number << " " << req.Nutrients[i].Name;
            if (other.NutrientMin[static_cast<std::size_t>(k - 1)] < need) ++freeBelow;
        }
    }
    EXPECT_GT(freeBelow, 0);  // without the option the optimum falls below: the option had work to do
    EXPECT_NE(GridText(held.r.Grid3).find(kHeldAtRequirement), std::string::npos);
    EXPECT_EQ(GridText(free.r.Grid3).find(kHeldAtRequirement), std::string::npos);
}

// A programme already below the pigs' requirement cannot be made cheaper with
// its amino acids held at it: the refusal says why and what to do first.
TEST(OptimumReport, AHeldSearchFromAProgrammeBelowTheRequirementSaysWhyItFoundNothing) {
    DemoOptimum held(0.7, true), free(0.7, false);
    ASSERT_FALSE(held.f.Result.Done);
    const auto& said = held.dialogs.Messages();
    ASSERT_FALSE(said.empty());
    EXPECT_NE(said.back().find(kNoLowerAnswer), std::string::npos) << said.back();
    EXPECT_NE(said.back().find("Diet 1: SID LYSINE"), std::string::npos) << said.back();
    EXPECT_NE(said.back().find("Set Minimums from Requirements"), std::string::npos) << said.back();
    for (const std::string& m : free.dialogs.Messages())
        EXPECT_EQ(m.find("Set Minimums from Requirements"), std::string::npos) << m;
}

TEST(OptimumReport, TheOptimiseCommandListsTheSameChangesAndMarksTheLastDiet) {
    DemoOptimum x;
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(std::filesystem::path(folder.Str()));
    cli::OptimiseArgs args;
    args.location = (std::filesystem::path(folder.Str()) / "Demo").string();
    std::ostringstream messages;
    const nlohmann::json r = cli::RunOptimiseCommand(args, &messages);
    ASSERT_TRUE(r["ran"].get<bool>());
    const Grid& g = x.r.Grid3;
    int top = -1;
    for (int row = 0; row < g.Rows() && top < 0; ++row)
        if (g.TextMatrix(row, 0) == kChangedRestrictionsCaption) top = row;
    ASSERT_GE(top, 0);
    const auto& changes = r["changed_restrictions"];
    ASSERT_EQ(static_cast<int>(changes.size()), g.Rows() - top - 1);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const int row = top + 1 + static_cast<int>(i);
        const auto& c = changes[i];
        EXPECT_EQ(g.TextMatrix(row, 0), "Diet " + std::to_string(c["diet"].get<int>()));
        EXPECT_EQ(g.TextMatrix(row, 1), c["name"].get<std::string>());
        EXPECT_EQ(g.TextMatrix(row, 4) == "none" ? 0.0 : NumVal(std::string_view(g.TextMatrix(row, 4))),
                  NumVal(std::string_view(FormatPattern(c["after"].get<double>(), c["nutrient"] == 1 ? "0" : "0.000"))));
    }
    std::ostringstream printed;
    cli::PrintOptimiseReport(r, printed);
    for (const auto& c : changes) EXPECT_NE(printed.str().find(c["text"].get<std::string>()), std::string::npos);
    const auto& diets = r["diets"];
    EXPECT_TRUE(diets.back()["optimum"].value("runs_to_market", false));
    EXPECT_FALSE(diets.front()["optimum"].value("runs_to_market", false));
}

}  // namespace
}  // namespace tarvisol

namespace tarvisol {
namespace {

// On the nutrient-response model the optimum is the responsive pig's: its
// days and the carcass of its own body, not the documented curve's split
// and carcass equations (about 59.5 % lean at 125 kg on the demo, against
// the responsive pig's 51 %).
TEST(OptimumReport, TheOptimumOfTheResponseModelIsTheResponsivePigs) {
    testing::DemoAfterGrowth demo(kFormulationLeastCost);
    demo.s->Model.Kind = GrowthModelKind::Response;
    demo.s->Model.Pig = response::ReferenceGenotype();
    ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
    const RunSnapshot start = demo.s->LastRun;
    FrmOptP f;
    ShowOptimisationWindow(*demo.s, f);
    ProgramMinMaxClick(*demo.s, f);
    RunOptimisation(*demo.s, f);
    ASSERT_TRUE(f.Result.Done);
    const RunSnapshot& optimum = f.Result.Optimum;
    EXPECT_EQ(optimum.Model, "response");
    EXPECT_FALSE(optimum.ResponseDays.empty());
    EXPECT_NEAR(optimum.Carcass[3], start.Carcass[3], 1.0);
    EXPECT_NEAR(optimum.Sexes[1].BackFat, start.Sexes[1].BackFat, 2.0);
    EXPECT_GT(optimum.Sexes[1].BackFat, optimum.Sexes[2].BackFat);  // barrows fatter than gilts
}

}  // namespace
}  // namespace tarvisol
