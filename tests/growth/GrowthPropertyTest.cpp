#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "growth/Carcass.h"
#include "growth/PigGrowth.h"
#include "growth/SexSplit.h"
#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"
#include "support/Programme.h"

using namespace tarvisol;

// Random curves, diets and weights: every run terminates, raises no error,
// and either fails cleanly or leaves finite tables for the days it reached.
TEST(GrowthProperty, TenThousandRandomProgrammes) {
    std::mt19937_64 rng(20261208);
    auto uni = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto s = std::make_unique<SharedState>();
    auto form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    int finished = 0, failed = 0;
    for (int run = 0; run < 10000; ++run) {
        tarvisol::testing::LoadStandardProgramme(*s);
        s->Dialog = &dialogs;
        s->Main = form.get();
        s->ShowDailyProgress = run % 4 == 0;
        if (s->ShowDailyProgress) form->Grid1.Clear();
        const bool wild = run % 10 == 0;  // occasionally far outside sensible values
        s->GrowthCurve(0, 0) = wild ? uni(-5, 400) : uni(3, 12);
        s->GrowthCurve(0, 1) = wild ? uni(-0.5, 4) : uni(1.2, 1.8);
        s->GrowthCurve(0, 2) = wild ? uni(-1, 8) : uni(2.5, 4.5);
        s->GrowthCurve(0, 3) = wild ? uni(-0.01, 0.05) : uni(0.0005, 0.004);
        s->GrowthCurve(0, 4) = wild ? uni(-1, 5) : uni(0.8, 1.3);
        s->DietCount = static_cast<int16_t>(1 + rng() % 6);
        for (int d = 1; d <= s->DietCount; ++d)
            tarvisol::testing::SetDiet(*s, d, wild ? uni(-100, 9000) : uni(2000, 3500), wild ? uni(-5, 60) : uni(8, 24),
                                       wild ? uni(-1, 5) : uni(0.4, 1.6), wild ? uni(-50, 500) : uni(0, 150));
        s->StartAge = static_cast<int16_t>(rng() % 198);
        s->FinalAge = 0;
        s->DayGrowth(0, s->StartAge) = wild ? uni(-10, 1200) : uni(15, 60);
        s->FinalWeight = wild ? uni(-10, 1500) : uni(60, 160);
        dialogs.ClearLog();

        ASSERT_NO_THROW(GrowPig(*s)) << "run " << run;
        if (s->RunFailed) {
            ++failed;
            continue;
        }
        ++finished;
        ASSERT_TRUE(std::isfinite(s->FinalAge)) << run;
        ASSERT_GE(s->FinalAge, s->StartAge) << run;
        for (int d = s->StartAge; d <= s->RunLastDay; ++d) {
            ASSERT_TRUE(std::isfinite(s->DayGrowth(0, d))) << run << " day " << d;
            ASSERT_TRUE(std::isfinite(s->BodyFat(0, d))) << run << " day " << d;
            ASSERT_TRUE(std::isfinite(s->DayFeed(0, d))) << run << " day " << d;
        }
        ASSERT_TRUE(std::isfinite(s->CumFeed(0))) << run;
        if (s->ShowDailyProgress) {
            ASSERT_NO_THROW(SplitSexes(*s)) << run;
            ASSERT_NO_THROW(CarcassOutputs(*s)) << run;
        }
    }
    // The sensible programmes must mostly grow to the end.
    EXPECT_GT(finished, 5000);
    EXPECT_GT(failed, 0);
}
