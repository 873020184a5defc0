// The calibration fit: the error terms, the stopping rules, the grids, and
// the parallel evaluation that must give what the sequential order gives.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "calibration/SwineCalib.h"
#include "growth/PigGrowth.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "support/Programme.h"

using namespace tarvisol;

namespace {

// The standard three-diet programme from 60 days, with measured inputs taken
// from a run of `truth`, so that the measured herd is one the engine can grow.
struct FitHerd {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;

    explicit FitHerd(const double (&truth)[5]) {
        tarvisol::testing::LoadStandardProgramme(*s);
        s->Main = w.get();
        s->Dialog = &dialogs;
        for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = truth[k];
        const double w0 = s->DayGrowth(0, s->StartAge);
        s->FinalAge = 0;
        GrowPig(*s);
        EXPECT_FALSE(s->RunFailed);
        // The measured herd: start, the end of each diet, the finish.
        s->CalibInputs(1) = w0;
        s->CalibInputs(2) = s->StartAge;
        s->CalibInputs(3) = s->FinalWeight;
        s->CalibInputs(5) = s->FinalAge;
        double total = 0;
        for (int d = s->StartAge; d <= static_cast<int>(RoundHalfEven(s->FinalAge + 1)); ++d) total += s->DayFeed(0, d);
        s->CalibInputs(4) = total;
        auto& t = s->CalibWeightTable;
        t(0, 1) = s->StartAge;
        t(1, 1) = w0;
        double prevAge = s->StartAge;
        for (int r = 2; r <= s->DietCount + 1; ++r) {
            const int d = r - 1;
            const bool last = d == s->DietCount;
            const double age = last ? s->FinalAge : s->DietResults(d, 1);
            t(0, r) = std::round(age);
            t(1, r) = last ? s->FinalWeight : s->DietResults(d, 2);
            double period = 0;
            for (int day = static_cast<int>(RoundHalfEven(prevAge + 1)); day <= static_cast<int>(RoundHalfEven(t(0, r)));
                 ++day)
                period += s->DayFeed(0, day);
            t(2, r) = period;
            prevAge = t(0, r);
        }
        s->DayGrowth(0, s->StartAge) = w0;
    }
    void SetCurve(const double (&b)[5]) {
        for (int k = 0; k < 5; ++k) s->GrowthCurve(0, k) = b[k];
    }
};

constexpr double kTruth[5] = {6.154, 1.5343, 3.5705, 0.0020532, 1.0};
// A start the coarse grid has to walk from.
constexpr double kOff[5] = {6.3, 1.5, 3.5, 0.0021, 1.01};

}  // namespace

TEST(WeightCurveError, FewerThanTwoRowsAddNothing) {
    FitHerd h(kTruth);
    auto& t = h.s->CalibWeightTable;
    for (int r = 2; r <= 15; ++r) t(0, r) = 0;
    double sum = 7;
    WeightCurveError(*h.s, sum);
    EXPECT_EQ(sum, 7);
}

TEST(WeightCurveError, AWeightZeroRowResetsTheTermBeforeItsFeedAndPhaseTerms) {
    FitHerd h(kTruth);
    h.SetCurve(kOff);
    EvaluateFit(*h.s);  // a run that does not match the table
    auto& t = h.s->CalibWeightTable;
    t(0, 4) = 0;  // rows 1..3 in use
    t(1, 3) = 0;  // row 3 weighs nothing
    double sum = 1e9;
    WeightCurveError(*h.s, sum);
    double period = 0;
    for (int d = static_cast<int>(RoundHalfEven(t(0, 2) + 1)); d <= static_cast<int>(RoundHalfEven(t(0, 3))); ++d)
        period += h.s->DayFeed(0, d);
    const double phase = h.s->DietResults(2, 2);
    ASSERT_GT(phase, 0);
    EXPECT_DOUBLE_EQ(sum, std::pow(t(2, 3) - period, 2) + phase * phase);
}

TEST(WeightCurveError, RowsPastThePhaseTableAreNotRead) {
    FitHerd h(kTruth);
    auto& t = h.s->CalibWeightTable;
    // Fifteen rows in use: rows 10..15 have no diet phase to compare with.
    for (int r = 5; r <= 15; ++r) {
        t(0, r) = t(0, 4) + r;
        t(1, r) = t(1, 4);
        t(2, r) = 1;
    }
    double nine = 0;
    WeightCurveError(*h.s, nine);
    for (int r = 10; r <= 15; ++r) t(1, r) = 1e6;  // would dominate if read
    double again = 0;
    WeightCurveError(*h.s, again);
    EXPECT_EQ(nine, again);
}

TEST(EvaluateFit, MoreThanTenDaysLateMultipliesTheErrorByTenExactlyTenDoesNot) {
    FitHerd h(kTruth);
    h.s->UseWeightTerm = false;
    EvaluateFit(*h.s);
    const double simAge = h.s->FinalAge, simFeed = h.s->SimTotalFeed;
    const double feed = h.s->CalibInputs(4);
    h.s->CalibInputs(5) = simAge - 10;  // exactly ten days late
    EvaluateFit(*h.s);
    EXPECT_DOUBLE_EQ(h.s->CalibError, 80 * std::pow(feed - simFeed, 2) + 50 * 100.0);
    h.s->CalibInputs(5) = simAge - 10.5;
    EvaluateFit(*h.s);
    EXPECT_DOUBLE_EQ(h.s->CalibError, 10 * (80 * std::pow(feed - simFeed, 2) + 50 * 10.5 * 10.5));
}

TEST(EvaluateFit, AFailedRunScoresOneE8AndNeverBecomesTheBest) {
    FitHerd h(kTruth);
    EvaluateFit(*h.s);
    const double best = h.s->BestError;
    h.s->GrowthCurve(0, 2) = -1;  // no curve
    EvaluateFit(*h.s);
    EXPECT_EQ(h.s->CalibError, 1e8);
    EXPECT_EQ(h.s->RunResults(0), 1e8);
    EXPECT_FALSE(h.s->RunFailed);
    EXPECT_EQ(h.s->BestError, best);
}

TEST(EvaluateFit, AnImprovementIsShownInTheCurveGridExactly) {
    FitHerd h(kTruth);
    h.SetCurve(kOff);
    EvaluateFit(*h.s);
    h.SetCurve(kTruth);
    EvaluateFit(*h.s);
    EXPECT_EQ(h.s->BestError, h.s->CalibError);
    EXPECT_EQ(h.s->BestCurve(0, 4), kTruth[3]);
    // The cell reads back as the coefficient itself, not a rounded one.
    EXPECT_EQ(NumVal(std::string_view(h.w->GridWeight.TextMatrix(1, 4))), kTruth[3]);
    EXPECT_EQ(h.s->RunResults(1), h.s->FinalAge);
}

TEST(EvaluateFit, ATrialDoesNotScoreThePhasesOfTheTrialBefore) {
    FitHerd h(kTruth);
    const double b[5] = {6.0, 1.45, 3.4, 0.0019, 1.05};
    h.SetCurve(b);
    EvaluateFit(*h.s);
    const double alone = h.s->CalibError;
    h.SetCurve(kOff);
    EvaluateFit(*h.s);
    h.SetCurve(b);
    EvaluateFit(*h.s);
    EXPECT_EQ(h.s->CalibError, alone);
}

TEST(FitCalibration, AFirstEvaluationBelowFiveRunsTheCoarseGridOnceAndStops) {
    FitHerd h(kTruth);
    long runs = 0;
    int16_t mode = 1;
    FitCalibration(*h.s, mode, FitOptions{0, nullptr, &runs});
    EXPECT_LT(h.s->BestError, 5);
    EXPECT_EQ(h.s->FitPass, 1);
    EXPECT_EQ(runs, 2 + 7776 + 1);  // two evaluations, one coarse grid (+ the last point grown again)
    EXPECT_EQ(h.s->HerdSex, 0);
    EXPECT_TRUE(h.s->UseWeightTerm);
}

TEST(FitCalibration, CoarseGridOffsetsRunFromMinusThreeToPlusTwoSteps) {
    // With full steps B0 moves by 0.05: three steps below the base are in the
    // grid, three steps above are not.
    for (double shift : {0.15, -0.15}) {
        FitHerd h(kTruth);
        h.s->UseWeightTerm = true;
        for (int k = 0; k < 5; ++k) h.s->BestCurve(0, k + 1) = kTruth[k];
        h.s->BestCurve(0, 1) = kTruth[0] + shift;
        h.s->BestError = 1000;
        h.s->FitPass = 1;
        CoarseGridSearch(*h.s, FitOptions{0});
        EXPECT_EQ(h.s->CheckError, h.s->BestError);
        if (shift > 0) {
            EXPECT_NEAR(h.s->BestCurve(0, 1), kTruth[0], 1e-12);
            EXPECT_LT(h.s->BestError, 0.01);
        } else {
            EXPECT_NEAR(h.s->BestCurve(0, 1) - kTruth[0], -0.05, 0.2);
            EXPECT_LE(h.s->BestCurve(0, 1), kTruth[0] - 0.05 + 1e-12);
        }
    }
}

TEST(FitCalibration, TheFifthRefinementIsTheLast) {
    FitHerd h(kTruth);
    // A measured herd no curve reaches: the error stays far above 5.
    h.s->CalibInputs(4) *= 1.6;
    h.SetCurve(kTruth);
    RecordingProgress progress;
    int16_t mode = 1;
    FitCalibration(*h.s, mode, FitOptions{0, &progress, nullptr});
    EXPECT_GE(h.s->BestError, 5);
    EXPECT_LE(h.s->FitPass, 6);
    // Refinement passes are numbered 2..6 with factors 1.2 .. 0.2; none after 6.
    int maxPass = 0;
    for (const auto& e : progress.entries) {
        const auto at = e.stage.find("pass ");
        if (at != std::string::npos) maxPass = std::max(maxPass, std::stoi(e.stage.substr(at + 5)));
        EXPECT_NE(e.detail.find("best error "), std::string::npos);
    }
    EXPECT_LE(maxPass, 6);
    EXPECT_GE(maxPass, 2);
    // The fit's result is in the curve grid.
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(NumVal(std::string_view(h.w->GridWeight.TextMatrix(1, k + 1))), h.s->BestCurve(0, k + 1));
}

TEST(FitCalibration, RecoversAHerdGrownWithKnownCoefficients) {
    const double truth[5] = {6.4, 1.52, 3.45, 0.00205, 1.02};
    FitHerd h(truth);
    h.SetCurve(kOff);
    int16_t mode = 1;
    FitCalibration(*h.s, mode, FitOptions{0});
    // The grids reach the herd to well within a day and a kilogram of feed.
    for (int k = 0; k < 5; ++k) h.s->GrowthCurve(0, k) = h.s->BestCurve(0, k + 1);
    h.s->UseWeightTerm = false;
    EvaluateFit(*h.s);
    EXPECT_NEAR(h.s->FinalAge, h.s->CalibInputs(5), 1.0);
    EXPECT_NEAR(h.s->SimTotalFeed, h.s->CalibInputs(4), 2.0);
    EXPECT_LT(h.s->BestError, 100);
}

TEST(FitCalibration, ParallelGivesExactlyWhatTheSequentialOrderGives) {
    FitHerd a(kTruth), b(kTruth);
    a.s->CalibInputs(4) *= 1.05;  // enough off to need refinements
    b.s->CalibInputs(4) *= 1.05;
    a.SetCurve(kOff);
    b.SetCurve(kOff);
    int16_t ma = 1, mb = 1;
    long ra = 0, rb = 0;
    FitCalibration(*a.s, ma, FitOptions{1, nullptr, &ra});
    FitCalibration(*b.s, mb, FitOptions{2, nullptr, &rb});
    EXPECT_GT(ra, 7776);
    EXPECT_EQ(a.s->BestError, b.s->BestError);
    EXPECT_EQ(a.s->CheckError, b.s->CheckError);
    EXPECT_EQ(a.s->CalibError, b.s->CalibError);
    EXPECT_EQ(a.s->FitPass, b.s->FitPass);
    EXPECT_TRUE(a.s->BestCurve == b.s->BestCurve);
    EXPECT_TRUE(a.s->RunResults == b.s->RunResults);
    EXPECT_TRUE(a.s->GrowthCurve == b.s->GrowthCurve);
    // The day tables of the last run (later days belong to earlier runs).
    ASSERT_EQ(a.s->RunLastDay, b.s->RunLastDay);
    for (int r = 0; r <= 2; ++r)
        for (int d = 0; d <= a.s->RunLastDay - (r > 0 ? 1 : 0); ++d) EXPECT_EQ(a.s->DayGrowth(r, d), b.s->DayGrowth(r, d)) << r << " " << d;
    EXPECT_TRUE(a.s->DayFeed == b.s->DayFeed);
    EXPECT_TRUE(a.s->DietResults == b.s->DietResults);
    EXPECT_EQ(a.s->FinalAge, b.s->FinalAge);
    for (int c = 0; c < a.w->GridWeight.Cols(); ++c)
        EXPECT_EQ(a.w->GridWeight.TextMatrix(1, c), b.w->GridWeight.TextMatrix(1, c));
    EXPECT_EQ(a.dialogs.Log().size(), b.dialogs.Log().size());
}

TEST(TotalFeedIntake, SumsFromTheStartToTheDayNearestFinalAgePlusOne) {
    SharedState s;
    s.StartAge = 10;
    for (int d = 0; d <= 200; ++d) s.DayFeed(0, d) = 1;
    s.FinalAge = 20.5;  // 21.5 rounds to 22 (halves to even)
    EXPECT_EQ(TotalFeedIntake(s), 13);
    s.FinalAge = 19.5;  // 20.5 rounds to 20
    EXPECT_EQ(TotalFeedIntake(s), 11);
}
