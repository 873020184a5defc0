#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/AxisTicks.h"

// Axis ticks on round numbers, labelled so that no two read alike.
TEST(AxisTicks, TicksFallOnRoundNumbersAndNoTwoLabelsReadAlike) {
    const tarvisol::AxisTicks age = tarvisol::RoundTicks(63, 165.3);
    EXPECT_DOUBLE_EQ(age.Step, 20);
    EXPECT_DOUBLE_EQ(age.First, 80);
    EXPECT_EQ(age.Decimals, 0);
    const tarvisol::AxisTicks gain = tarvisol::RoundTicks(0.05, 1.12);
    EXPECT_DOUBLE_EQ(gain.Step, 0.2);
    EXPECT_DOUBLE_EQ(gain.First, 0.2);
    EXPECT_EQ(gain.Decimals, 1);
    // A narrow measure: 165.2 to 166.4 days reads 165.2, 165.4 ... not 166, 166, 165.
    for (const auto& [lo, hi] : std::vector<std::pair<double, double>>{{165.2, 166.4}, {0.001, 0.0034}, {-7.5, 12}, {20, 20}}) {
        const tarvisol::AxisTicks t = tarvisol::RoundTicks(lo, hi);
        std::vector<std::string> labels;
        for (double v = t.First; v <= std::max(hi, lo + t.Step) + 1e-12; v += t.Step) {
            char text[32];
            std::snprintf(text, sizeof text, "%.*f", t.Decimals, v);
            labels.push_back(text);
        }
        EXPECT_GE(labels.size(), 2u) << lo;
        EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size()) << lo << ".." << hi;
        EXPECT_GE(t.First, lo - 1e-12);
        EXPECT_LT(t.First, lo + t.Step);
    }
}
