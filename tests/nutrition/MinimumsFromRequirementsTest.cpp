// "Set minimums from requirements": the session's limits change, the files not.
#include <gtest/gtest.h>

#include <cmath>

#include "nutrition/MinimumsFromRequirements.h"
#include "support/DemoAfterGrowth.h"
#include "shared/Numbers.h"
#include "support/FolderContents.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

TEST(MinimumsFromRequirements, EachDietTakesTheRequirementWhereItStartsTimesTheMargin) {
    DemoAfterGrowth demo(1);
    const auto files = tarvisol::testing::FolderContents(demo.folder.Str());
    const RunSnapshot run = demo.s->LastRun;
    const RunRequirements& r = run.Nutrition.Requirements;
    const MinimumsResult set = SetMinimumsFromRequirements(*demo.s, run, 110);
    EXPECT_EQ(set.Changes.size(), 4u * 14u);
    EXPECT_TRUE(set.Skipped.empty());
    const std::size_t lys = static_cast<std::size_t>(r.IndexOf("lysine"));
    for (const RequirementPhase& ph : r.Phases) {
        const RequirementDay* first = nullptr;
        for (const RequirementDay& d : r.Days)
            if (d.Diet == ph.Diet) {
                first = &d;
                break;
            }
        ASSERT_NE(first, nullptr);
        EXPECT_NEAR(demo.s->NutrientLimits(ph.Diet, 1, 5), 1.1 * first->Values[lys].Requirement, 0.0005);
    }
    // Heavier pigs need less of their feed as lysine.
    EXPECT_GT(demo.s->NutrientLimits(1, 1, 5), demo.s->NutrientLimits(4, 1, 5));
    EXPECT_EQ(tarvisol::testing::FolderContents(demo.folder.Str()), files);
}

TEST(MinimumsFromRequirements, AMinimumAboveTheDietsMaximumIsLeftAndSaid) {
    DemoAfterGrowth demo(1);
    demo.s->NutrientLimits(2, 2, 5) = 0.5;  // diet 2's lysine maximum below its requirement
    const double before = demo.s->NutrientLimits(2, 1, 5);
    const MinimumsResult set = SetMinimumsFromRequirements(*demo.s, demo.s->LastRun, 100);
    EXPECT_EQ(demo.s->NutrientLimits(2, 1, 5), before);
    ASSERT_EQ(set.Skipped.size(), 1u);
    EXPECT_EQ(set.Skipped[0].rfind("Grower 2, 50-75 kg: SID LYSINE would need a minimum of ", 0), 0u) << set.Skipped[0];
    EXPECT_NE(set.Skipped[0].find("above its maximum 0.500; it stays " + FormatAuto(before)), std::string::npos)
        << set.Skipped[0];
}
