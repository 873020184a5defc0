#include <gtest/gtest.h>

#include <cmath>

#include "growth/GrowthRun.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

class GrowthRunTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    const Grid& Results() const { return w->Grid1; }
    std::vector<std::string> Messages() const { return dialogs.Messages(); }
};

TEST_F(GrowthRunTest, ChecksStopTheCommandWithTheirMessagesInOrder) {
    s->PigDataReady = false;
    Growth(*s);
    EXPECT_TRUE(Messages().empty());
    s->PigDataReady = true;
    w->Text1.Text = "";
    Growth(*s);
    EXPECT_TRUE(Messages().empty());

    w->Text1.Text = "19,99";
    w->ComboSex.ListIndex = -1;
    w->Combo1.ListIndex = 0;
    w->Griddiets.SetTextMatrix(3, 1, "");
    Growth(*s);
    EXPECT_EQ(w->Text1.Text, "19.99");  // the decimal comma is corrected in the box
    w->Text1.Text = "20";
    Growth(*s);
    w->ComboSex.ListIndex = 0;
    Growth(*s);
    w->Combo1.ListIndex = 2;
    Growth(*s);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Starting Weight must be 20 kg or more", "Set the Herd Sex before running",
                                                    "Choose Least Cost Feed or Feed from the Grid before running",
                                                    "Need Feed Intakes"}));
    EXPECT_NE(w->CommandOptimise.BackColor, kLightGreen);
}

TEST_F(GrowthRunTest, StartingAgeOutsideTheDayTablesIsRefused) {
    for (const char* age : {"0", "", "197", "198", "250", "-5"}) {
        dialogs.ClearLog();
        w->Text2.Text = age;
        Growth(*s);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Starting Age must be from 1 to 196 days"}) << age;
    }
}

TEST_F(GrowthRunTest, BlankCurveRunsOnTheDefaultCurveAndShowsIt) {
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    EXPECT_EQ(w->GridWeight.TextMatrix(1, 1), "6.154");
    EXPECT_EQ(w->GridWeight.TextMatrix(1, 2), "1.5343");
    EXPECT_EQ(w->GridWeight.TextMatrix(1, 4), "0.0020532");  // in full: it is read back next run
    EXPECT_EQ(s->GrowthCurve(0, 3), 0.0020532);
    EXPECT_EQ(w->TextPigNo.Text, "20");
    // A second run reads the curve back from the grid unchanged.
    Growth(*s);
    EXPECT_EQ(s->GrowthCurve(0, 3), 0.0020532);
    EXPECT_EQ(s->PigCount, 20);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(GrowthRunTest, ResultsOfASuccessfulRun) {
    w->Griddiets.SetTextMatrix(4, 4, "0");  // a fourth column without energy is not a diet
    w->TextPigNo.Text = "100";
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    EXPECT_EQ(s->DietCount, 3);
    const Grid& g = Results();
    EXPECT_EQ(g.TextMatrix(0, 0), "Diet Name");
    EXPECT_EQ(g.TextMatrix(0, 4), "Feed Wt.");
    EXPECT_EQ(g.TextMatrix(1, 0), "Grower 1");
    EXPECT_EQ(g.TextMatrix(3, 1), FormatAuto(115));
    EXPECT_EQ(g.TextMatrix(2, 4), FormatAuto(130));
    // The last diet's allotment becomes the feed actually eaten.
    const double eatenLast = s->DietResults(3, 3) - 130;
    EXPECT_EQ(w->Griddiets.TextMatrix(3, 3), FormatAuto(eatenLast));
    EXPECT_EQ(w->Griddiets.TextMatrix(3, 1), FormatAuto(40));
    // Cost per pig: price per kg times feed eaten, diet by diet.
    const double cost = 0.310 * 40 + 0.290 * 90 + 0.270 * eatenLast;
    EXPECT_NEAR(CostPerPig(*s), cost, 1e-9);
    EXPECT_EQ(g.TextMatrix(12, 0), FormatPattern(cost, "###.#0"));
    EXPECT_EQ(g.TextMatrix(10, 1), "TONNE");
    EXPECT_EQ(g.TextMatrix(12, 1), FormatAuto(cost * 1000 / 115));
    EXPECT_EQ(w->TextPrice.Text, FormatPattern(cost, "###.#0"));
    // Totals written back for a following calibration.
    EXPECT_EQ(w->Text5.Text, FormatAuto(s->FinalAge));
    EXPECT_EQ(w->Text4.Text, FormatAuto(s->CumFeed(0)));
    // Summary: males heavier and eating more than females.
    EXPECT_EQ(g.TextMatrix(19, 1), "Males");
    EXPECT_GT(Val(g.TextMatrix(20, 1)), Val(g.TextMatrix(20, 2)));
    EXPECT_GT(Val(g.TextMatrix(21, 1)), Val(g.TextMatrix(21, 2)));
    EXPECT_NEAR(Val(g.TextMatrix(22, 1)) + Val(g.TextMatrix(22, 2)), 2 * cost, 0.02);
    EXPECT_EQ(w->CommandOptimise.BackColor, kLightGreen);
    EXPECT_EQ(s->DayFeed(1, 199), s->CumFeed(0));
    // Formula grid: feed per diet for 100 pigs and the total cost.
    const Grid& f = w->GridFormula;
    EXPECT_EQ(f.TextMatrix(1, 0), "Feed, tonnes");
    EXPECT_EQ(f.TextMatrix(1, 1), FormatAuto(4.0));
    EXPECT_EQ(f.TextMatrix(3, 0), "Total Cost");
    EXPECT_EQ(f.TextMatrix(3, 4), FormatPattern(cost * 100, "0.00"));
}

TEST_F(GrowthRunTest, HerdDistributionCountsPigsAtTheFinalWeight) {
    w->TextPigNo.Text = "200";
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    const Grid& g = Results();
    EXPECT_EQ(g.TextMatrix(2, 9), "   of 200 Pigs");
    ASSERT_GT(s->HerdStartRow, 3);
    EXPECT_EQ(g.TextMatrix(s->HerdStartRow - 1, 9).rfind("Starts at ", 0), 0u);
    double last = -1;
    for (int row = s->HerdStartRow; !g.TextMatrix(row, 9).empty(); ++row) {
        const double pigs = Val(g.TextMatrix(row, 9));
        EXPECT_GE(pigs, last);
        EXPECT_LE(pigs, 200);
        last = pigs;
    }
    EXPECT_GE(last, 100);  // by the final day half or more have reached the weight
}

TEST_F(GrowthRunTest, PoundsAreConvertedBeforeTheEngine) {
    s->WeightUnit() = 1;
    s->EnergyUnit() = 0;
    w->Text1.Text = "55";   // lb
    w->Text3.Text = "250";  // lb
    for (int d = 1; d <= 3; ++d)
        w->Griddiets.SetTextMatrix(3, d, std::to_string(NumVal(std::string_view(w->Griddiets.TextMatrix(3, d))) * 2.205));
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    EXPECT_NEAR(s->DayGrowth(0, 60), 55 / 2.205, 1e-9);
    EXPECT_NEAR(s->FinalWeight, 250 / 2.205, 1e-9);
    EXPECT_NEAR(s->DietFeedAmount(1), 40, 1e-9);
    EXPECT_EQ(Results().TextMatrix(0, 10), "BackFat inch");
    EXPECT_EQ(Results().TextMatrix(10, 1), "TON");

    dialogs.ClearLog();
    w->Text1.Text = "40";  // 18.1 kg
    Growth(*s);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Starting Weight must be 20 kg or more"});
}

TEST_F(GrowthRunTest, FailedRunLeavesThePerDietTableEmpty) {
    w->GridWeight.SetTextMatrix(1, 2, "-1");  // B1 not above 0
    Growth(*s);
    EXPECT_TRUE(s->RunFailed);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("The growth run failed on day ", 0), 0u) << Messages()[0];
    EXPECT_NE(Messages()[0].find(": check the growth curve and the diets"), std::string::npos) << Messages()[0];
    EXPECT_EQ(Results().TextMatrix(1, 0), "");
    EXPECT_EQ(Results().TextMatrix(12, 0), "");
    EXPECT_EQ(w->CommandOptimise.BackColor, kLightGreen);
}

TEST_F(GrowthRunTest, APigFinishingEarlyEndsOnTheDietInForce) {
    w->Text3.Text = "60";  // finishes on diet 2
    Growth(*s);
    ASSERT_FALSE(s->RunFailed);
    EXPECT_EQ(Results().TextMatrix(2, 1), FormatAuto(60));   // the end shows on diet 2
    EXPECT_EQ(Results().TextMatrix(3, 1), "");                // diet 3 was never fed
    EXPECT_EQ(w->Griddiets.TextMatrix(3, 3), "200.000000");   // its allotment is kept as typed
    EXPECT_EQ(FeedEatenOfDiet(*s, 3), 0);
    EXPECT_NEAR(FeedEatenOfDiet(*s, 2), s->DietResults(3, 3) - 40, 1e-9);
    // The cost prices the feed of diets 1 and 2 only.
    EXPECT_NEAR(CostPerPig(*s), 0.31 * 40 + 0.29 * FeedEatenOfDiet(*s, 2), 1e-9);
}
