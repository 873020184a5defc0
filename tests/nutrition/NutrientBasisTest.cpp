// Which matrix column is which nutrient, on which basis, from the names alone.
#include <gtest/gtest.h>

#include "nutrition/NutrientBasis.h"

using namespace tarvisol;

namespace {

std::vector<std::string> DemoNames() {
    return {"NET ENERGY (NE)", "CRUDE PROTEIN", "SID ARGININE", "SID HISTIDINE", "SID LYSINE", "SID TRYPTOPHAN",
            "SID PHE + TYR", "SID PHENYLALANINE", "SID MET + CYS", "SID METHIONINE", "SID THREONINE", "SID LEUCINE",
            "SID ISOLEUCINE", "SID VALINE", "CALCIUM", "STTD PHOSPHORUS", "SODIUM", "CHLORINE", "CRUDE FIBRE",
            "ETHER EXTRACT", "TOTAL PHOSPHORUS"};
}

}  // namespace

TEST(NutrientBasis, TheDemoNamesGiveEveryColumnOnItsBasis) {
    const NutrientColumns c = FindNutrientColumns(DemoNames());
    EXPECT_TRUE(c.EnergyIsNet);
    EXPECT_EQ(c.Calcium, 15);
    EXPECT_EQ(c.SttdPhosphorus, 16);
    EXPECT_EQ(c.TotalPhosphorus, 21);
    ASSERT_EQ(c.Compared.size(), 14u);
    EXPECT_EQ(c.Compared[2].Key, "lysine");
    EXPECT_EQ(c.Compared[2].Name, "SID LYSINE");
    for (int j = 0; j < 12; ++j) EXPECT_FALSE(c.Compared[static_cast<std::size_t>(j)].TotalBasis) << j;
    EXPECT_EQ(c.Compared[12].Column, 16);
    EXPECT_EQ(c.Compared[13].Column, 15);
}

TEST(NutrientBasis, NamesSayTotalDigestibleOrOtherEnergy) {
    std::vector<std::string> n = DemoNames();
    n[4] = "Total lysine";
    n[0] = "ME swine";
    n[14] = "Ca";
    n[15] = "Avail. P";
    n[20] = "Phosphorus";
    const NutrientColumns c = FindNutrientColumns(n);
    EXPECT_TRUE(c.Compared[2].TotalBasis);
    EXPECT_FALSE(c.EnergyIsNet);
    EXPECT_EQ(c.Calcium, 15);
    EXPECT_EQ(c.SttdPhosphorus, 16);
    EXPECT_EQ(c.TotalPhosphorus, 21);
}

TEST(NutrientBasis, AMatrixWithoutMineralsFindsNone) {
    const NutrientColumns c = FindNutrientColumns({"NE", "CP", std::string("\xff\x00P", 3)});
    EXPECT_EQ(c.SttdPhosphorus, 0);
    EXPECT_EQ(c.TotalPhosphorus, 0);
    EXPECT_EQ(c.Calcium, 0);
    EXPECT_EQ(c.Compared.size(), 14u);
    EXPECT_EQ(c.Compared[2].Name, "lysine");  // no name in the matrix: the key
}
