#include <gtest/gtest.h>

#include <memory>

#include "shared/RuntimeError.h"
#include "shared/SharedState.h"

using namespace tarvisol;

namespace {
template <class F>
void ExpectSubscriptError(F f) {
    try {
        f();
        FAIL() << "expected error 9";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number, 9);
        EXPECT_EQ(e.Description, "Subscript out of range");
    }
}
}  // namespace

TEST(Table, IndicesAtTheBoundsWorkAndOutsideRaiseError9) {
    auto s = std::make_unique<SharedState>();
    s->DietNutrients(8, 121) = 1.5;
    s->DayGrowth(2, 200) = 3;
    s->IngredientLimits(8, 2, 100) = 4;
    EXPECT_EQ(s->DietNutrients(8, 121), 1.5);
    EXPECT_EQ(s->DayGrowth(2, 200), 3);
    EXPECT_EQ(s->IngredientLimits(8, 2, 100), 4);
    ExpectSubscriptError([&] { s->DietNutrients(9, 0) = 1; });
    ExpectSubscriptError([&] { s->DietNutrients(0, 122) = 1; });
    ExpectSubscriptError([&] { (void)s->DayGrowth(0, -1); });
    ExpectSubscriptError([&] { (void)s->DayGrowth(0, 201); });
    ExpectSubscriptError([&] { (void)s->CumFeed(3); });
    ExpectSubscriptError([&] { (void)s->NutrientLimits(1, 3, 0); });
}

TEST(Table, ArrayWithNonZeroLowerBound) {
    Array1<int, 1, 3> a;
    a(1) = 5;
    a(3) = 7;
    EXPECT_EQ(a(1) + a(3), 12);
    ExpectSubscriptError([&] { (void)a(0); });
    ExpectSubscriptError([&] { (void)a(4); });
}

TEST(RuntimeError, TrappedMessagesHaveTheSystemsWording) {
    RuntimeError e(9, "Subscript out of range");
    EXPECT_EQ(TrappedErrorMessage(e, ") in procedure  LoadLP"), "Error 9 (Subscript out of range) in procedure  LoadLP");
    std::runtime_error other("boom");
    EXPECT_EQ(TrappedErrorMessage(other, ") in procedure {LPCOST} of Calculations"),
              "Error 5 (boom) in procedure {LPCOST} of Calculations");
}

TEST(DataInit, FillsTheModelTables) {
    auto s = std::make_unique<SharedState>();
    DataInit(*s);
    EXPECT_DOUBLE_EQ(s->FatCurve(0, 1), 0.021917);
    EXPECT_DOUBLE_EQ(s->FatCurve(0, 4), 0.00000010986);
    EXPECT_DOUBLE_EQ(s->AminoProfile(1, 3), 0.0681);
    EXPECT_DOUBLE_EQ(s->AminoProfile(2, 12), 0.02);
    EXPECT_EQ(s->GainEnergyCost(1), 6700);
}
