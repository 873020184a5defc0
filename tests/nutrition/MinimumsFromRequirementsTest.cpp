// "Set minimums from requirements": the session's limits change, the files not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "growth/DietValues.h"
#include "nutrition/MinimumsFromRequirements.h"
#include "support/DemoAfterGrowth.h"
#include "shared/Numbers.h"
#include "support/FolderContents.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

// Each diet's minimum covers the pig on every day the diet is fed (the
// highest requirement of its days, times the margin), so the diets
// formulated to them are short on no day of the next run; a share of days
// asked for gives the requirement that share stays at or below. The rule is
// said; the files do not change.
TEST(MinimumsFromRequirements, EachDietCoversTheHighestRequirementOfItsDays) {
    DemoAfterGrowth demo(1);
    const auto files = tarvisol::testing::FolderContents(demo.folder.Str());
    const RunSnapshot run = demo.s->LastRun;
    const RunRequirements& r = run.Nutrition.Requirements;
    const std::size_t lys = static_cast<std::size_t>(r.IndexOf("lysine"));
    const MinimumsResult set = SetMinimumsFromRequirements(*demo.s, run, 110);
    EXPECT_EQ(set.Changes.size(), 4u * 14u);
    EXPECT_EQ(set.Rule, "Each diet's minimum is the highest requirement of the days it was fed, times 110 %.");
    for (const RequirementPhase& ph : r.Phases) {
        double highest = 0;
        for (const RequirementDay& d : r.Days)
            if (d.Diet == ph.Diet && d.Feed > 0) highest = std::max(highest, d.Values[lys].Requirement);
        // Never under the lowest lysine the growth run takes, and said so.
        const double minimum = demo.s->NutrientLimits(ph.Diet, 1, 5), rule = std::max(1.1 * highest, kLowestLysine);
        EXPECT_GE(minimum, rule - 1e-9) << ph.Diet;
        EXPECT_LT(minimum, rule + 0.001) << ph.Diet;
        const bool raised = std::any_of(set.Skipped.begin(), set.Skipped.end(), [&](const std::string& t) {
            return t.rfind(ph.Name + ": SID LYSINE would need a minimum of only ", 0) == 0;
        });
        EXPECT_EQ(raised, 1.1 * highest < kLowestLysine - 0.0005) << ph.Diet;
    }
    // Heavier pigs need less of their feed as lysine.
    EXPECT_GT(demo.s->NutrientLimits(1, 1, 5), demo.s->NutrientLimits(4, 1, 5));
    EXPECT_EQ(tarvisol::testing::FolderContents(demo.folder.Str()), files);

    // At 100 %, the diets formulated to the new minimums fall short of the
    // requirement on no day.
    SetMinimumsFromRequirements(*demo.s, run, 100);
    ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
    const RunRequirements& after = demo.s->LastRun.Nutrition.Requirements;
    for (const RequirementPhase& ph : after.Phases)
        for (std::size_t i = 0; i < after.Nutrients.size(); ++i)
            EXPECT_EQ(ph.Values[i].DaysBelow, 0) << "diet " << ph.Diet << " " << after.Nutrients[i].Name;

    // Half the days covered: the median day's requirement, below the highest.
    const double all = demo.s->NutrientLimits(1, 1, 5);
    const MinimumsResult half = SetMinimumsFromRequirements(*demo.s, demo.s->LastRun, 100, 50);
    EXPECT_EQ(half.Rule, "Each diet's minimum is the requirement that 50 % of the days it was fed stay at or below, "
                         "times 100 %.");
    EXPECT_LT(demo.s->NutrientLimits(1, 1, 5), all);
}

TEST(MinimumsFromRequirements, AMinimumAboveTheDietsMaximumIsLeftAndSaid) {
    DemoAfterGrowth demo(1);
    demo.s->NutrientLimits(2, 2, 5) = 0.5;  // diet 2's lysine maximum below its requirement
    const double before = demo.s->NutrientLimits(2, 1, 5);
    const MinimumsResult set = SetMinimumsFromRequirements(*demo.s, demo.s->LastRun, 100);
    EXPECT_EQ(demo.s->NutrientLimits(2, 1, 5), before);
    std::vector<std::string> diet2;
    for (const std::string& t : set.Skipped)
        if (t.rfind("Grower 2, 50-75 kg: ", 0) == 0) diet2.push_back(t);
    ASSERT_EQ(diet2.size(), 1u);
    EXPECT_EQ(diet2[0].rfind("Grower 2, 50-75 kg: SID LYSINE would need a minimum of ", 0), 0u) << diet2[0];
    EXPECT_NE(diet2[0].find("above its maximum 0.500; it stays " + FormatAuto(before)), std::string::npos) << diet2[0];
}
