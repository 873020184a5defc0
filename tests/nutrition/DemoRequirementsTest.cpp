// The requirements and the nutrient balance of the demo's Growth run.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/DemoAfterGrowth.h"

using namespace tarvisol;
using tarvisol::testing::DemoAfterGrowth;

TEST(DemoRequirements, Dump) {
    DemoAfterGrowth demo(1);
    const RunSnapshot& run = demo.s->LastRun;
    const RunRequirements& r = run.Nutrition.Requirements;
    ASSERT_TRUE(r.Computed);
    for (const auto& n : r.Notes) std::printf("note: %s\n", n.c_str());
    for (const RequirementPhase& ph : r.Phases) {
        std::printf("%s %.1f-%.1f days %d feed %.1f lys/Mcal %.2f %.2f\n", ph.Name.c_str(), ph.FromWeight, ph.ToWeight,
                    ph.Days, ph.Feed, ph.LysinePerMcalRequirement, ph.LysinePerMcalSupply);
        for (std::size_t i = 0; i < r.Nutrients.size(); ++i)
            std::printf("  %-18s req %.3f sup %.3f ratio %.2f below %d above %d\n", r.Nutrients[i].Name.c_str(),
                        ph.Values[i].Requirement, ph.Values[i].Supply, ph.Values[i].Ratio, ph.Values[i].DaysBelow,
                        ph.Values[i].DaysAbove);
    }
    const NutrientBalance& b = run.Nutrition.Balance;
    std::printf("N %.3f %.3f %.3f P %.3f %.3f %.3f gain %.1f days %.1f empty %.1f Nply %.2f P2O5ply %.2f %s %s\n",
                b.NIntake, b.NRetained, b.NExcreted, b.PIntake, b.PRetained, b.PExcreted, b.Gain, b.DaysOnFeed,
                b.EmptyDays, b.NExcretedPerPlaceYear, b.P2O5ExcretedPerPlaceYear, b.NitrogenMissing.c_str(),
                b.PhosphorusMissing.c_str());
    for (std::size_t k = 0; k < r.Days.size(); k += 10)
        std::printf("day %d w %.1f f %.2f pd %.0f diet %d share %.2f\n", r.Days[k].Age, r.Days[k].Weight, r.Days[k].Feed,
                    r.Days[k].ProteinDeposition, r.Days[k].Diet, r.Days[k].DietShare);
}
