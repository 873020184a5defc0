#include <gtest/gtest.h>

#include <cmath>

#include "growth/DailyTable.h"
#include "growth/GrowthRun.h"
#include "shared/Numbers.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

class DailyTableTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {};

TEST_F(DailyTableTest, RowsFollowTheRunAndWaterGrowsWithFeed) {
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    DailyGrowthWindow d;
    LoadDailyGrowth(s->LastRun, d);
    const Grid& g = d.GridDaily;
    EXPECT_EQ(d.Caption, "Tarvisol Estimated Daily Growth, Feed and Water Intake");
    EXPECT_EQ(g.TextMatrix(0, 7), "Lower Water In.");
    EXPECT_EQ(g.TextMatrix(1, 0), "60");
    EXPECT_EQ(g.TextMatrix(1, 1), w->Grid1.TextMatrix(1, 6));
    double previous = -1;
    int rows = 0;
    for (int r = 2; r < g.Rows() && g.TextMatrix(r, 0) != "Total"; ++r, ++rows) {
        const double low = Val(g.TextMatrix(r, 7)), high = Val(g.TextMatrix(r, 8));
        EXPECT_NEAR(low, 2.5 * Val(w->Grid1.TextMatrix(r, 8)), 0.051);
        EXPECT_NEAR(high, 3.5 * Val(w->Grid1.TextMatrix(r, 8)), 0.051);
        EXPECT_GT(low, previous);
        previous = low;
        // Males outgrow females once the split applies.
        if (Val(g.TextMatrix(r, 1)) > 40) {
            EXPECT_GT(Val(g.TextMatrix(r, 2)), Val(g.TextMatrix(r, 3)));
        }
    }
    EXPECT_EQ(rows + 1, static_cast<int>(std::ceil(s->FinalAge)) - 60 + 1);
}

TEST_F(DailyTableTest, BeforeAnyRunOnlyTheHeadersShow) {
    DailyGrowthWindow d;
    LoadDailyGrowth(s->LastRun, d);
    EXPECT_EQ(d.GridDaily.TextMatrix(0, 0), "Age, Days");
    EXPECT_EQ(d.GridDaily.TextMatrix(1, 0), "Total");
    FinishingReport(*s);
    EXPECT_EQ(dialogs.Messages().back(), "Report Not ready, Suggestions welcome");
}
