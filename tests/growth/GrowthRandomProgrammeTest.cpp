// Random programmes typed as a location would hold them, ordinary mistakes
// included (zero, negative, huge and non-numeric diet values, unreachable
// weights, late starts), through the whole Growth command: every run either
// shows results it stands behind, with finite and positive feed and cost, or
// names its fault. None shows zero feed or zero cost as a success.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "growth/GrowthRun.h"
#include "shared/Numbers.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kProgrammes = 1500;  // the sanitizers make each run many times slower
#else
constexpr int kProgrammes = 10000;
#endif

std::string Text(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

class Typist {
public:
    explicit Typist(uint64_t seed) : rng_(seed) {}
    double Uni(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    bool Chance(double p) { return Uni(0, 1) < p; }
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }

    // A sensible value most of the time, otherwise one of the usual mistakes.
    std::string Value(double lo, double hi) {
        if (!Chance(0.04)) return Text(Uni(lo, hi));
        static const char* const mistakes[] = {"0", "", "nan", "-1", "1e300", "abc", "-1e9", "1e-300", "inf", "99999"};
        return mistakes[Pick(10)];
    }

private:
    std::mt19937_64 rng_;
};

}  // namespace

TEST(GrowthRandomProgrammes, EveryRunStandsBehindItsResultsOrNamesItsFault) {
    tarvisol::testing::MainWindowFixture f;
    SharedState& s = *f.s;
    MainWindow& w = *f.w;
    Typist t(20261214);
    int results = 0, notReached = 0, refused = 0;
    for (int run = 0; run < kProgrammes; ++run) {
        f.dialogs.ClearLog();
        w.Griddiets.Clear();
        const int diets = 1 + t.Pick(6);
        for (int d = 1; d <= diets; ++d) {
            Grid& g = w.Griddiets;
            g.SetTextMatrix(1, d, "Diet " + std::to_string(d));
            g.SetTextMatrix(2, d, t.Value(150, 400));                                  // price per tonne
            g.SetTextMatrix(3, d, d == 1 ? t.Value(10, 120) : t.Value(0, 200));         // feed allotment
            g.SetTextMatrix(4, d, t.Chance(0.03) ? t.Value(500, 6000) : t.Value(2000, 2800));  // energy
            const double lysine = t.Uni(0.4, 1.6);
            g.SetTextMatrix(5, d, t.Value(10, 24));  // protein
            for (int j = 0; j < 12; ++j)
                g.SetTextMatrix(6 + j, d, j == 2 ? t.Value(0.4, 1.6) : Text(lysine * tarvisol::testing::kIdealRatio[j]));
        }
        w.Text1.Text = t.Chance(0.05) ? t.Value(10, 60) : Text(t.Uni(20, 60));
        w.Text2.Text = t.Chance(0.05) ? t.Value(0, 200) : Text(std::round(t.Uni(40, 110)));
        w.Text3.Text = t.Chance(0.1) ? Text(t.Uni(150, 400)) : Text(t.Uni(90, 140));
        w.TextPigNo.Text = t.Value(1, 500);
        for (int k = 1; k <= 5; ++k) w.GridWeight.SetTextMatrix(1, k, "");
        if (t.Chance(0.3)) {
            const double base[5] = {6.154, 1.5343, 3.5705, 0.0020532, 1.0};
            for (int k = 0; k < 5; ++k) w.GridWeight.SetTextMatrix(1, k + 1, Text(base[k] * t.Uni(0.8, 1.2)));
        }
        s.WeightUnit() = t.Chance(0.1) ? 1 : 0;

        const GrowthOutcome outcome = Growth(s);
        const std::vector<std::string> shown = f.dialogs.Messages();
        const std::string where = "run " + std::to_string(run);
        EXPECT_EQ(s.GrowthResultsValid, outcome == GrowthOutcome::Results) << where;
        if (outcome != GrowthOutcome::Results) {
            // Not a success: it says why, and no cost is left for a later command to take.
            // The window's one silent refusal: an empty starting weight box
            // (the command line says it for the window).
            if (shown.empty()) {
                EXPECT_EQ(NumVal(std::string_view(w.Text1.Text)), 0) << where << ": " << w.Text1.Text;
            }
            EXPECT_EQ(w.TextPrice.Text, "") << where;
            if (outcome == GrowthOutcome::FinalWeightNotReached) ++notReached;
            if (outcome == GrowthOutcome::Refused) ++refused;
            continue;
        }
        ++results;
        EXPECT_TRUE(s.ReachedFinalWeight) << where;
        const double cost = Val(w.TextPrice.Text), feed = Val(w.Text4.Text), finalAge = Val(w.Text5.Text);
        EXPECT_TRUE(std::isfinite(cost) && cost > 0) << where << ": cost " << w.TextPrice.Text;
        EXPECT_TRUE(std::isfinite(feed) && feed > 0) << where << ": feed " << w.Text4.Text;
        EXPECT_GT(finalAge, s.StartAge) << where;
        EXPECT_LE(finalAge, 198) << where;
        EXPECT_GT(Val(w.Grid1.TextMatrix(12, 0)), 0) << where;
        double eaten = 0;
        for (int i = 1; i <= s.DietCount; ++i) {
            EXPECT_GE(FeedEatenOfDiet(s, i), 0) << where << " diet " << i;
            eaten += FeedEatenOfDiet(s, i);
        }
        EXPECT_NEAR(eaten, s.CumFeed(0), 1e-6 * (1 + eaten)) << where;
        EXPECT_GE(s.DayGrowth(0, s.RunLastDay), s.FinalWeight) << where;
    }
    // The mix reaches every kind of ending.
    EXPECT_GT(results, kProgrammes / 5);
    EXPECT_GT(notReached, 0);
    EXPECT_GT(refused, 0);
}
