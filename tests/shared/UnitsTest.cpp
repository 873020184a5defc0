#include <gtest/gtest.h>

#include <memory>

#include "shared/SharedState.h"
#include "shared/Units.h"

using namespace tarvisol;

class UnitsTest : public ::testing::Test {
protected:
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
};

TEST_F(UnitsTest, WeightBetweenKilogramsAndPounds) {
    s->WeightUnit() = 1;
    EXPECT_DOUBLE_EQ(ConvertWeight(*s, 2, 1.0), 2.205);
    EXPECT_DOUBLE_EQ(ConvertWeight(*s, 1, 2.205), 1.0);
    s->WeightUnit() = 2;
    EXPECT_DOUBLE_EQ(ConvertWeight(*s, 1, 1000), 1.0);
    s->WeightUnit() = 0;
    EXPECT_DOUBLE_EQ(ConvertWeight(*s, 1, 7.5), 7.5);
}

TEST_F(UnitsTest, EnergyUnits) {
    s->EnergyUnit() = 2;
    EXPECT_DOUBLE_EQ(ConvertEnergy(*s, 1, 1.0), 1000);
    s->EnergyUnit() = 4;
    EXPECT_NEAR(ConvertEnergy(*s, 1, 1.0), 239.0, 0.05);
    s->EnergyUnit() = 1;
    EXPECT_DOUBLE_EQ(ConvertEnergy(*s, 2, 2205), 1000);
}

TEST_F(UnitsTest, PriceUnits) {
    s->PriceUnit() = 1;
    EXPECT_DOUBLE_EQ(ConvertPrice(*s, 1, 1000), 1.0);
    s->PriceUnit() = 3;
    EXPECT_DOUBLE_EQ(ConvertPrice(*s, 1, 1000), 1.1025);
    s->PriceUnit() = 4;
    EXPECT_DOUBLE_EQ(ConvertPrice(*s, 1, 100), 2.205);
}

TEST_F(UnitsTest, UnitIndexOutsideItsLimitsActsAsUnitZero) {
    s->WeightUnit() = 7;
    s->EnergyUnit() = -1;
    s->PriceUnit() = 5;
    EXPECT_DOUBLE_EQ(ConvertWeight(*s, 2, 3.0), 3.0);
    EXPECT_DOUBLE_EQ(ConvertEnergy(*s, 2, 3.0), 3.0);
    EXPECT_DOUBLE_EQ(ConvertPrice(*s, 2, 3.0), 3.0);
    EXPECT_FALSE(WeightUnitValid(3));
    EXPECT_TRUE(EnergyUnitValid(4));
    EXPECT_EQ(WeightUnitLabel(9), "Kg.");
    EXPECT_EQ(EnergyUnitLabel(4), "MJ/Kg");
}

TEST_F(UnitsTest, UnitTableEntriesAreTheUnitFields) {
    s->UnitTable(0) = 3;
    s->UnitTable(1) = 1;
    s->UnitTable(2) = 4;
    EXPECT_EQ(s->EnergyUnit(), 3);
    EXPECT_EQ(s->WeightUnit(), 1);
    EXPECT_EQ(s->PriceUnit(), 4);
}
