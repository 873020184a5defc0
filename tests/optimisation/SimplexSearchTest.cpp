// The simplex search on functions with a known shape, through the test hook
// that stands in for the programme evaluation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "optimisation/FeedOpt.h"

namespace tarvisol {
namespace {

struct Eval {
    double x1, x2, x3;
};
std::vector<Eval> g_evals;

double Bowl(const SharedState& s) {
    g_evals.push_back({s.OptPoint(1), s.OptPoint(2), s.OptPoint(3)});
    return 1.0 + std::pow(s.OptPoint(1) - 9.3, 2) + 2 * std::pow(s.OptPoint(2) - 12.6, 2);
}
double Flat(const SharedState& s) {
    g_evals.push_back({s.OptPoint(1), s.OptPoint(2), s.OptPoint(3)});
    return 5.0;
}
// Dear above the line x1 + x2 = 23, cheap below it.
double Ridge(const SharedState& s) {
    g_evals.push_back({s.OptPoint(1), s.OptPoint(2), s.OptPoint(3)});
    return s.OptPoint(1) + s.OptPoint(2) > 23 ? 5.0 : 1.0;
}

struct SearchFixture : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    void SetUp() override {
        g_evals.clear();
        s->DietCount = 1;  // three variables
        s->HerdSex = 0;
        s->CurrentCost = 100;
        for (int i = 1; i <= 3; ++i) {
            s->OptPoint(i) = 11;
            s->OptLower(i) = 7;
            s->OptUpper(i) = 15;
            s->OptFixed(i) = 0;
        }
    }
};

TEST_F(SearchFixture, FindsTheMinimumOfABowlAndLeavesAHeldVariableAlone) {
    s->OptEvaluateHook = &Bowl;
    s->OptFixed(3) = 1;
    s->OptPoint(3) = 8.5;
    s->StartCeiling = 10000;
    SearchSetup(*s);
    EXPECT_NEAR(s->OptPoint(1), 9.3, 0.15);
    EXPECT_NEAR(s->OptPoint(2), 12.6, 0.15);
    EXPECT_EQ(s->OptPoint(3), 8.5);
    EXPECT_NEAR(s->TrialCost, 1.0, 0.05);
    EXPECT_LE(s->EvalCount, kMaxOptEvaluations + 10);
    EXPECT_NEAR(s->BestCost, s->TrialCost, 1e-12);
    for (const Eval& e : g_evals) EXPECT_EQ(e.x3, 8.5);
}

TEST_F(SearchFixture, PointsOutOfBoundsAreNeitherEvaluatedNorCounted) {
    s->OptEvaluateHook = &Bowl;
    s->OptPoint(1) = 15.5;
    EXPECT_EQ(EvaluatePoint(*s), kOutOfBoundsCost);
    EXPECT_EQ(s->EvalCount, 0);
    EXPECT_TRUE(g_evals.empty());
    s->OptPoint(1) = 15.0;  // on the bound is inside
    EvaluatePoint(*s);
    EXPECT_EQ(s->EvalCount, 1);
}

TEST_F(SearchFixture, SevenDietsGiveUpAtOnce) {
    s->OptEvaluateHook = &Bowl;
    s->DietCount = 7;  // 21 variables
    EXPECT_EQ(BuildSimplex(*s), 0);
    SimplexSearch(*s);
    EXPECT_TRUE(g_evals.empty());
    EXPECT_EQ(s->OptPoint(1), 11);
}

TEST_F(SearchFixture, EveryVariableHeldCostsOnlyTheStartingEvaluation) {
    s->OptEvaluateHook = &Bowl;
    for (int i = 1; i <= 3; ++i) s->OptFixed(i) = 1;
    s->StartCeiling = 10000;
    SearchSetup(*s);
    EXPECT_EQ(g_evals.size(), 1u);
    EXPECT_EQ(s->OptPoint(1), 11);
    EXPECT_EQ(s->OptPoint(2), 11);
}

TEST_F(SearchFixture, AnAllEqualSimplexStopsAtOnce) {
    s->OptEvaluateHook = &Flat;
    s->OptFixed(3) = 1;
    for (int i = 1; i <= 2; ++i) s->OptStep(i) = 1, s->OptTolerance(i) = 0.1;
    SimplexSearch(*s);
    // Two vertices, the current point twice, then the finishing evaluation.
    EXPECT_EQ(g_evals.size(), 5u);
}

TEST_F(SearchFixture, ATieForTheWorstPicksTheTiedVertexFarthestFromTheBest) {
    s->OptEvaluateHook = &Ridge;
    s->OptFixed(3) = 1;
    for (int i = 1; i <= 2; ++i) {
        s->OptUpper(i) = 100;
        s->OptLower(i) = -100;
        s->OptTolerance(i) = 0.1;
    }
    s->OptStep(1) = 5;  // vertex 1 at (16, 11): cost 5
    s->OptStep(2) = 6;  // vertex 2 at (11, 17): cost 5, farther from the best (11, 11)
    SimplexSearch(*s);
    ASSERT_GE(g_evals.size(), 5u);
    // The first trial after the starting simplex reflects vertex 2 through the
    // centroid of vertices 1 and 3, (13.5, 11).
    EXPECT_DOUBLE_EQ(g_evals[4].x1, 16.0);
    EXPECT_DOUBLE_EQ(g_evals[4].x2, 5.0);
}

TEST_F(SearchFixture, StopsAfterTheEvaluationLimit) {
    // A cost that never settles: every point is a new best, so the simplex
    // keeps expanding until it leaves nothing but the limit to stop it.
    s->OptEvaluateHook = [](const SharedState& st) { return -std::fabs(st.OptPoint(1)) - std::fabs(st.OptPoint(2)); };
    s->OptFixed(3) = 1;
    for (int i = 1; i <= 2; ++i) {
        s->OptUpper(i) = 1e300;
        s->OptLower(i) = -1e300;
        s->OptStep(i) = 1;
        s->OptTolerance(i) = 0.1;
    }
    SimplexSearch(*s);
    EXPECT_GT(s->EvalCount, kMaxOptEvaluations);
    EXPECT_LE(s->EvalCount, kMaxOptEvaluations + 10);
}

TEST(OptScales, UserValuesRunLinearlyFromMinimumToMaximum) {
    auto s = std::make_unique<SharedState>();
    s->DietCount = 1;
    s->OptBase(1, 0, 0) = 55;
    s->OptBase(1, 0, 1) = 44;
    s->OptBase(1, 0, 2) = 66;
    s->OptBase(1, 1, 0) = 2425;
    s->OptBase(1, 1, 1) = 2400;
    s->OptBase(1, 1, 2) = 2400;  // no range: held at its minimum
    s->OptBase(1, 2, 0) = 15;
    s->OptBase(1, 2, 1) = 14;
    s->OptBase(1, 2, 2) = 16;
    SetOptScales(*s);
    EXPECT_DOUBLE_EQ(s->OptScale(1), 22.0 / 8);
    EXPECT_DOUBLE_EQ(s->OptPoint(1), 11.0);
    EXPECT_DOUBLE_EQ(OptUserValue(*s, 1, 7), 44);
    EXPECT_DOUBLE_EQ(OptUserValue(*s, 1, 15), 66);
    EXPECT_DOUBLE_EQ(s->OptPoint(3), 7 + 1 / 0.25);
    EXPECT_TRUE(std::isfinite(s->OptPoint(2)));
    EXPECT_EQ(s->OptFixed(2), 1);
    EXPECT_DOUBLE_EQ(s->DietTargets(1, 1), 2400);
    EXPECT_DOUBLE_EQ(OptUserValue(*s, 2, s->OptPoint(2)), 2400);
}

}  // namespace
}  // namespace tarvisol
