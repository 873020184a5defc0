// The nutrient-response pig, one day and one genotype at a time.
#include <gtest/gtest.h>

#include <cmath>

#include "response/GenotypePresets.h"
#include "response/GenotypeText.h"
#include "response/NrcFactorial.h"
#include "response/PigBody.h"
#include "response/ResponsivePig.h"

using namespace tarvisol;
using namespace tarvisol::response;

namespace {

// One diet of the given NE with every amino acid at lysine x its ideal ratio.
ResponseProgramme OneDiet(double ne, double lysine) {
    ResponseProgramme p;
    p.Count = 1;
    p.Diets[0].Ne = ne;
    p.Diets[0].Allotment = 1e6;
    for (int j = 0; j < kAminoAcids; ++j) p.Diets[0].Amino[static_cast<std::size_t>(j)] = lysine * IdealRatio(j);
    return p;
}

GrownDay OneDay(const SexCurves& c, const ResponseProgramme& p, double weight) {
    ResponsivePig pig(c, p, weight);
    GrownDay d;
    EXPECT_TRUE(pig.Grow(d));
    return d;
}

}  // namespace

// A diet that supplies exactly the factorial's lysine for the potential
// deposition grows at the potential; 10 % less lysine allows what the same
// factorial read backwards gives, and lysine limits.
TEST(ResponsivePig, LysineAtTheFactorialRequirementGrowsAtPotentialAndBelowItAsTheFactorialSays) {
    const SexCurves c = CurvesOf(ReferenceGenotype().Female, 5);
    const GrownDay ample = OneDay(c, OneDiet(2475, 2.0), 60);
    ASSERT_EQ(ample.Limiting, kLimitPotential);
    const double needed = SidLysineGrams(60, ample.FeedEaten, ample.ProteinDeposition);
    const double atRequirement = needed / (ample.FeedEaten * 10);
    const GrownDay exact = OneDay(c, OneDiet(2475, atRequirement * (1 + 1e-9)), 60);
    EXPECT_NEAR(exact.ProteinDeposition, ample.ProteinDeposition, 1e-6);

    const GrownDay short10 = OneDay(c, OneDiet(2475, atRequirement * 0.9), 60);
    EXPECT_EQ(std::string(LimitingName(short10.Limiting)), "lysine");
    // The supply is 0.9 of what potential needs: the deposition that 0.9 x
    // needed grams allow by the factorial.
    const double allowed = (0.9 * needed - (SidLysineGrams(60, short10.FeedEaten, 0))) /
                           ((SidLysineGrams(60, short10.FeedEaten, 100) - SidLysineGrams(60, short10.FeedEaten, 0)) / 100);
    EXPECT_NEAR(short10.ProteinDeposition, allowed, 1e-6);
    // The energy not spent on protein is laid down as lipid.
    EXPECT_GT(short10.LipidDeposition, ample.LipidDeposition);
}

// A genotype file reads back as it was written, and a line it cannot use is
// named with its number while the rest is read.
TEST(GenotypeText, ReadsBackWhatItWroteAndNamesTheLinesItCannotUse) {
    GrowthModelChoice written;
    written.Kind = GrowthModelKind::Response;
    written.Pig = GenotypePresets()[1].Pig;
    written.Pig.Male.Precocity = 0.0123456789012345;
    GrowthModelChoice read;
    read.Pig = ReferenceGenotype();
    std::vector<std::string> messages;
    ReadGenotypeText(GenotypeText(written), read, messages);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(read, written);

    std::string text = kGenotypeFileHeader;
    for (const char* line : {"Growth model\tnutrient response", "Precocity, males, per day\t0.02", "Precocity, males, per day\t0.03",
                             "NE intake at 50 kg, females, kcal/d\tmany", "Colour\tpink"})
        text.append("\r\n").append(line);
    GrowthModelChoice c;
    c.Pig = ReferenceGenotype();
    messages.clear();
    ReadGenotypeText(text, c, messages);
    EXPECT_EQ(c.Kind, GrowthModelKind::Response);
    EXPECT_EQ(c.Pig.Male.Precocity, 0.02);
    EXPECT_EQ(c.Pig.Female.NeIntake50, ReferenceGenotype().Female.NeIntake50);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0], "Genotype file, line 4: \"Precocity, males, per day\" was given on line 3 already; the first stands");
    EXPECT_EQ(messages[1].rfind("Genotype file, line 5: NE intake at 50 kg, females, kcal/d \"many\" is not usable", 0), 0u);
    EXPECT_EQ(messages[2], "Genotype file, line 6: \"Colour\" is not a genotype setting");
}
