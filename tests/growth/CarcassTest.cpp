#include <gtest/gtest.h>

#include <memory>

#include "growth/Carcass.h"
#include "growth/PigGrowth.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "support/Programme.h"

using namespace tarvisol;

TEST(Carcass, TraitsAt110Kg) {
    const CarcassTraits m = MaleCarcass(110, false), f = FemaleCarcass(110, false);
    EXPECT_NEAR(m.backFat, 21.899, 1e-9);
    EXPECT_NEAR(f.backFat, 17.742, 1e-9);
    EXPECT_NEAR((m.backFat + f.backFat) / 2, 19.8205, 1e-9);
    EXPECT_NEAR(m.lean, 60.087, 1e-9);
    EXPECT_NEAR(f.lean, 62.385, 1e-9);
    EXPECT_NEAR((m.lean + f.lean) / 2, 61.236, 1e-9);
    EXPECT_NEAR(m.yield, 66.388, 1e-9);
    EXPECT_NEAR(f.yield, 66.609, 1e-9);
}

TEST(Carcass, InchesConvertAreaAndDepthOnly) {
    const CarcassTraits mm = MaleCarcass(110, false), in = MaleCarcass(110, true);
    EXPECT_NEAR(in.loinArea, mm.loinArea * 0.155, 1e-12);
    EXPECT_NEAR(in.loinDepth, mm.loinDepth * 0.3937, 1e-12);
    EXPECT_EQ(in.backFat, mm.backFat);
    EXPECT_EQ(in.lean, mm.lean);
    EXPECT_EQ(in.yield, mm.yield);
}

class CarcassOutputsTest : public ::testing::Test {
protected:
    void SetUp() override {
        tarvisol::testing::LoadStandardProgramme(*s);
        s->Main = form.get();
        s->ShowDailyProgress = true;
        s->FinalWeight = 135;  // finishes after 125 days of age
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
};

TEST_F(CarcassOutputsTest, HeaviestDayStaysInTheTable) {
    GrowPig(*s);
    ASSERT_FALSE(s->RunFailed);
    CarcassOutputs(*s);
    const CarcassTraits m = MaleCarcass(135, false), f = FemaleCarcass(135, false);
    EXPECT_NEAR(s->CarcassTable(1, 1), m.backFat, 1e-9);
    EXPECT_NEAR(s->CarcassTable(2, 2), f.loinArea, 1e-9);
    EXPECT_NEAR(s->CarcassTable(0, 3), (m.lean + f.lean) / 2, 1e-9);
    EXPECT_NEAR(s->CarcassTable(0, 5), (m.loinDepth + f.loinDepth) / 2, 1e-9);
    // Days before age 125 have no traits; later days do.
    const Grid& g = form->Grid1;
    const int row125 = 125 - 60 + 1;
    EXPECT_EQ(g.TextMatrix(row125 - 1, 10), "");
    EXPECT_NE(g.TextMatrix(row125 + 1, 10), "");
    const double x = Val(g.TextMatrix(row125 + 1, 6));
    EXPECT_EQ(g.TextMatrix(row125 + 1, 12), FormatAuto((MaleCarcass(x, false).lean + FemaleCarcass(x, false).lean) / 2));
}

TEST_F(CarcassOutputsTest, RunThatNeverReachedAge125ClearsThePreviousTraits) {
    GrowPig(*s);
    CarcassOutputs(*s);
    ASSERT_GT(s->CarcassTable(0, 1), 0);
    // A short run: 25 -> 60 kg ends before 125 days, with the old 125-day weight left behind.
    form->Grid1.Clear();
    s->FinalWeight = 60;
    s->FinalAge = 0;
    GrowPig(*s);
    ASSERT_FALSE(s->RunFailed);
    ASSERT_LT(s->FinalAge, 125);
    CarcassOutputs(*s);
    for (int sex = 0; sex <= 2; ++sex)
        for (int t = 0; t <= 5; ++t) EXPECT_EQ(s->CarcassTable(sex, t), 0);
    for (int row = 1; row < 80; ++row) EXPECT_EQ(form->Grid1.TextMatrix(row, 10), "");
}

// Without the daily grid the run's carcass comes from its day tables: the
// same table as CarcassOutputs reads from the grid, whatever the run's shape.
TEST(RunCarcass, GivesTheTraitsTheDailyGridGives) {
    struct Case {
        int weightUnit, startAge;
        double startWeight, finalWeight;
    };
    const Case cases[] = {
        {0, 60, 25, 135},   // passes 125 days
        {1, 60, 25, 135},   // pounds
        {0, 60, 25, 60},    // ends before 125 days
        {0, 130, 80, 120},  // starts after 125 days
        {0, 130, 100, 90},  // starts above the final weight
        {0, 60, 25, 400},   // the day tables end first
    };
    for (const Case& c : cases) {
        auto carcassOf = [&](bool grid) {
            auto s = std::make_unique<SharedState>();
            auto form = std::make_unique<MainWindow>();
            tarvisol::testing::LoadStandardProgramme(*s);
            s->WeightUnit() = static_cast<int16_t>(c.weightUnit);
            s->StartAge = static_cast<int16_t>(c.startAge);
            s->DayGrowth(0, c.startAge) = c.startWeight;
            s->FinalWeight = c.finalWeight;
            s->CarcassTable.Fill(7);
            s->Main = form.get();
            s->ShowDailyProgress = grid;
            GrowPig(*s);
            EXPECT_FALSE(s->RunFailed) << c.finalWeight;
            if (grid) CarcassOutputs(*s);
            else RunCarcass(*s);
            return s->CarcassTable;
        };
        const auto shown = carcassOf(true), kept = carcassOf(false);
        for (int sex = 0; sex <= 2; ++sex)
            for (int t = 0; t <= 5; ++t)
                EXPECT_EQ(kept(sex, t), shown(sex, t)) << c.weightUnit << " " << c.startAge << " " << c.finalWeight << " " << t;
    }
}
