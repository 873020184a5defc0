// The Growth command never shows a figure it cannot stand behind: refused
// inputs, diets that were not formulated, unreachable weights and figures left
// by an earlier run each end in a message instead of a result.
#include <gtest/gtest.h>

#include <cmath>

#include "growth/Carcass.h"
#include "growth/DailyTable.h"
#include "growth/GrowthRun.h"
#include "growth/SexSplit.h"
#include "shared/Numbers.h"
#include "shared/Units.h"
#include "support/DemoAfterGrowth.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

namespace {

class GrowthFaultsTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    std::vector<std::string> Messages() const { return dialogs.Messages(); }
    const Grid& Results() const { return w->Grid1; }
};

// Every cell the Growth command writes, for comparing two runs.
std::vector<std::string> Shown(const MainWindow& w) {
    std::vector<std::string> out;
    for (const Grid* g : {&w.Grid1, &w.Griddiets, &w.GridFormula, &w.GridWeight})
        for (int r = 0; r < g->Rows(); ++r)
            for (int c = 0; c < g->Cols(); ++c) out.push_back(g->TextMatrix(r, c));
    for (const TextBox* b : {&w.Text4, &w.Text5, &w.TextPrice, &w.TextF2G}) out.push_back(b->Text);
    return out;
}

}  // namespace

// The formula grid's tonnes for the group: each ingredient's tonnes add up to
// the feed the group eats, and ten times the pigs eat ten times the tonnes.
TEST(GrowthOnLeastCostDiets, IngredientTonnesAddUpToTheFeedAndScaleWithThePigs) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    const Grid& f = demo.w->GridFormula;
    const int total = demo.s->DietCount + 1, ingredients = demo.s->IngredientCount;
    std::vector<double> tonnes[2];
    for (int k = 0; k < 2; ++k) {
        const int pigs = k == 0 ? 20 : 200;
        demo.w->TextPigNo.Text = std::to_string(pigs);
        ASSERT_EQ(Growth(*demo.s), GrowthOutcome::Results);
        ASSERT_EQ(f.TextMatrix(0, total), "Tonnes for " + std::to_string(pigs) + " Pigs");
        double sum = 0;
        for (int i = 1; i <= ingredients; ++i) {
            tonnes[k].push_back(NumVal(std::string_view(f.TextMatrix(i, total))));
            sum += tonnes[k].back();
        }
        const double feed = demo.s->CumFeed(0) * pigs / 1000;
        EXPECT_EQ(f.TextMatrix(ingredients + 2, 0), "Feed, tonnes");
        EXPECT_NEAR(NumVal(std::string_view(f.TextMatrix(ingredients + 2, total))), feed, 5e-4 * feed);
        // Each shown to four digits, below a tonne to the kilogram.
        EXPECT_NEAR(sum, feed, ingredients * 5e-4) << pigs << " pigs";
    }
    for (int i = 0; i < ingredients; ++i) EXPECT_NEAR(tonnes[1][i], 10 * tonnes[0][i], 11 * 5e-4) << i;
}

// The Formulas tab reads as a formula sheet: every inclusion to 0.001 %, and
// each diet's formula closed by a total line of 100.00.
TEST(GrowthOnLeastCostDiets, TheFormulasTabShowsInclusionsToTheirDecimalsAndATotalOf100) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    const Grid& f = demo.w->GridFormula;
    const int ingredients = demo.s->IngredientCount;
    for (int d = 1; d <= demo.s->DietCount; ++d) {
        for (int i = 1; i <= ingredients; ++i) {
            const std::string& t = f.TextMatrix(i, d);
            EXPECT_EQ(t.size() - t.find('.'), 4u) << f.TextMatrix(i, 0) << " in diet " << d << ": " << t;
        }
        EXPECT_EQ(f.TextMatrix(ingredients + 1, d), "100.00") << d;
    }
    EXPECT_EQ(f.TextMatrix(ingredients + 1, 0), "Total, %");
}

TEST(GrowthOnLeastCostDiets, StopsWhenADietCannotBeFormulated) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    ASSERT_TRUE(demo.s->GrowthResultsValid);
    ASSERT_FALSE(demo.w->TextPrice.Text.empty());
    demo.dialogs.ClearLog();
    demo.s->NutrientLimits(2, 1, 1) = 4000;  // no feed has that much net energy
    demo.s->NutrientLimits(3, 1, 1) = 4000;
    EXPECT_EQ(Growth(*demo.s), GrowthOutcome::NotFormulated);
    const std::vector<std::string> m = demo.dialogs.Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].rfind("Diet No2was Infeasible\nNET ENERGY (NE) minimum 4000", 0), 0u) << m[0];
    EXPECT_EQ(m[1].rfind("Diet No3was Infeasible\nNET ENERGY (NE) minimum 4000", 0), 0u) << m[1];
    EXPECT_EQ(m[2], "Growth was not run: Diets 2 and 3 could not be formulated");
    EXPECT_FALSE(demo.s->GrowthResultsValid);
    const Grid& g = demo.w->Grid1;
    EXPECT_EQ(g.TextMatrix(1, 1), "");   // no per-diet results
    EXPECT_EQ(g.TextMatrix(12, 0), "");  // no cost per pig
    EXPECT_EQ(g.TextMatrix(2, 6), "");   // no day table
    EXPECT_EQ(demo.w->TextPrice.Text, "");  // the earlier run's cost is not shown as this one's
}

TEST_F(GrowthFaultsTest, DietValuesOutsideTheirRangesAreRefusedBeforeTheRun) {
    struct Case {
        int row, diet;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {4, 2, "0", "Look at the Energy Value of Diet 2"},  // diet 3 still has energy: diet 2 counts
        {4, 1, "-2450", "Look at the Energy Value of Diet 1"},
        {4, 2, "nan", "Look at the Energy Value of Diet 2"},
        {4, 1, "4100", "Look at the Energy Value of Diet 1"},
        {5, 1, "45", "Look at the Protein Value of Diet 1"},
        {5, 2, "0", "Look at the Protein Value of Diet 2"},
        {8, 3, "0", "Look at the Lysine Value of Diet 3"},
        {8, 3, "1e300", "Look at the Lysine Value of Diet 3"},
    };
    for (const Case& c : cases) {
        tarvisol::testing::MainWindowFixture fresh;
        fresh.w->Griddiets.SetTextMatrix(c.row, c.diet, c.value);
        EXPECT_EQ(Growth(*fresh.s), GrowthOutcome::Refused) << c.value;
        EXPECT_EQ(fresh.dialogs.Messages(), std::vector<std::string>{c.message}) << c.value;
        EXPECT_EQ(fresh.w->Grid1.TextMatrix(1, 1), "") << c.value;
        EXPECT_FALSE(fresh.s->GrowthResultsValid);
    }
    // The energy range holds in the program's unit: 1111 kcal/lb is 2450 kcal/kg.
    s->EnergyUnit() = 1;
    for (int d = 1; d <= 3; ++d) w->Griddiets.SetTextMatrix(4, d, "1111");
    EXPECT_EQ(Growth(*s), GrowthOutcome::Results);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
    s->EnergyUnit() = 0;
    EXPECT_EQ(Growth(*s), GrowthOutcome::Refused);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Look at the Energy Value of Diet 1"});
}

TEST_F(GrowthFaultsTest, AnUnreachableFinalWeightIsToldAndNotShownAsReached) {
    w->Text3.Text = "300";
    EXPECT_EQ(Growth(*s), GrowthOutcome::FinalWeightNotReached);
    EXPECT_FALSE(s->ReachedFinalWeight);
    EXPECT_FALSE(s->GrowthResultsValid);
    const double reached = s->DayGrowth(0, 198);
    ASSERT_GT(reached, 115);
    ASSERT_LT(reached, 300);
    EXPECT_EQ(Messages(), std::vector<std::string>{"The pig reaches only " + FormatAuto(reached) +
                                                   " kg by day 198; the final weight is not reached"});
    // What the run has is shown as what it is: the weight reached on day 198.
    EXPECT_EQ(Results().TextMatrix(3, 1), FormatAuto(reached));
    EXPECT_EQ(Results().TextMatrix(3, 2), FormatAuto(198));
    EXPECT_EQ(w->Text5.Text, FormatAuto(198));
    EXPECT_EQ(Results().TextMatrix(198 - 60 + 1, 5), "198");
    EXPECT_EQ(Results().TextMatrix(198 - 60 + 2, 7), "");  // no feed of a day the tables do not hold
    // The summary's weights are those of day 198, not of a day never computed.
    double male = 0, female = 0;
    SplitWeight(reached, male, female);
    EXPECT_EQ(Results().TextMatrix(20, 1), FormatPattern(male, "###.0"));
    EXPECT_EQ(w->TextPrice.Text, "");  // no cost that a later optimisation would start from

    dialogs.ClearLog();
    s->WeightUnit() = 1;
    w->Text1.Text = "55";
    w->Text3.Text = "660";
    for (int d = 1; d <= 3; ++d) w->Griddiets.SetTextMatrix(3, d, std::to_string(40 * d * 2.205));
    EXPECT_EQ(Growth(*s), GrowthOutcome::FinalWeightNotReached);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find(" lb by day 198;"), std::string::npos) << Messages()[0];

    w->Text3.Text = "250";
    dialogs.ClearLog();
    EXPECT_EQ(Growth(*s), GrowthOutcome::Results);
    EXPECT_TRUE(s->ReachedFinalWeight);
    EXPECT_TRUE(s->GrowthResultsValid);
}

TEST_F(GrowthFaultsTest, ASecondRunGivesWhatAFreshSessionGives) {
    tarvisol::testing::MainWindowFixture fresh;
    ASSERT_EQ(Growth(*fresh.s), GrowthOutcome::Results);

    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    // An optimisation for a female herd leaves its sex slot behind.
    s->SimSex = 2;
    s->CumFeed(1) = 999;
    s->CumFeed(2) = 999;
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    EXPECT_EQ(Shown(*w), Shown(*fresh.w));
    EXPECT_EQ(s->CumFeed(0), fresh.s->CumFeed(0));
    EXPECT_EQ(s->CumFeed(1), fresh.s->CumFeed(1));
    EXPECT_EQ(s->CumFeed(2), fresh.s->CumFeed(2));
}

TEST_F(GrowthFaultsTest, FeedEatenOfTheLastDietIsNeverNegative) {
    // Diet 1's allotment runs out on the last day, a little past the feed
    // counted to the rounded final age.
    w->Griddiets.SetTextMatrix(3, 1, "57.5");
    w->Text3.Text = "59";
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    double eaten = 0;
    for (int i = 1; i <= s->DietCount; ++i) {
        EXPECT_GE(FeedEatenOfDiet(*s, i), 0) << i;
        EXPECT_GE(Val(w->Griddiets.TextMatrix(3, i)), 0) << i;
        eaten += FeedEatenOfDiet(*s, i);
    }
    EXPECT_NEAR(eaten, s->CumFeed(0), 1e-9);
    EXPECT_EQ(w->Text4.Text, FormatAuto(eaten));
    EXPECT_GE(CostPerPig(*s), 0.31 * 57.5);
}

TEST_F(GrowthFaultsTest, ARunStartingAfter125DaysGetsCarcassTraitsForEveryDayItGrew) {
    w->Text1.Text = "80";
    w->Text2.Text = "130";
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    const Grid& g = Results();
    EXPECT_EQ(g.TextMatrix(1, 10), "Depth 10th rib");  // the header's second line stays
    int days = 0;
    for (int row = 2; !g.TextMatrix(row, 5).empty(); ++row, ++days) {
        const double x = ConvertWeight(*s, 1, Val(g.TextMatrix(row, 6)));
        const CarcassTraits m = MaleCarcass(x, false), f = FemaleCarcass(x, false);
        EXPECT_EQ(g.TextMatrix(row, 10), FormatAuto((m.backFat + f.backFat) / 2)) << row;
        EXPECT_EQ(g.TextMatrix(row, 12), FormatAuto((m.lean + f.lean) / 2)) << row;
    }
    EXPECT_GT(days, 20);
    const CarcassTraits m = MaleCarcass(115, false);
    EXPECT_NEAR(s->CarcassTable(1, 1), m.backFat, 1e-9);
    EXPECT_EQ(g.TextMatrix(24, 1), FormatAuto(m.backFat));
}

TEST_F(GrowthFaultsTest, HerdDistributionCountsTheFirstDaysWithoutLosingItsHeader) {
    w->Text1.Text = "100";
    w->Text2.Text = "150";
    w->Text3.Text = "110";
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    const Grid& g = Results();
    EXPECT_EQ(s->HerdStartRow, 1);
    for (int row = 1; row <= 2; ++row) {
        const std::string& text = g.TextMatrix(row, 9);
        ASSERT_FALSE(text.empty()) << row;
        EXPECT_EQ(FormatPattern(Val(text), "0"), text) << row;
        EXPECT_LE(Val(text), 20);
    }
    const std::string& header = g.TextMatrix(0, 9);
    for (const char* part : {"No. of Pigs", "At Final Wt", "of 20 Pigs"})
        EXPECT_NE(header.find(part), std::string::npos) << header;
}

TEST_F(GrowthFaultsTest, TheDailyTableEndsOnTheDayTheSummaryShows) {
    for (const char* finalWeight : {"114", "114.3", "114.6", "115", "115.3", "115.6"}) {
        w->Text3.Text = finalWeight;
        ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
        DailyGrowthWindow d;
        LoadDailyGrowth(s->LastRun, d);
        const Grid& g = d.GridDaily;
        int last = 1;
        while (last + 1 < g.Rows() && g.TextMatrix(last + 1, 0) != "Total") ++last;
        EXPECT_EQ(g.TextMatrix(last, 0), Results().TextMatrix(last, 5)) << finalWeight;
        EXPECT_EQ(g.TextMatrix(last, 2), Results().TextMatrix(20, 1)) << finalWeight;
        EXPECT_EQ(g.TextMatrix(last, 3), Results().TextMatrix(20, 2)) << finalWeight;
    }
}

TEST_F(GrowthFaultsTest, AProgrammeWithoutPricesShowsNoCostAsIfItHeldOne) {
    for (int d = 1; d <= 3; ++d) w->Griddiets.SetTextMatrix(2, d, "");
    EXPECT_EQ(Growth(*s), GrowthOutcome::PriceMissing);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Diets 1, 2 and 3 have no price: the feed cost is not shown"}));
    EXPECT_FALSE(s->GrowthResultsValid);
    EXPECT_TRUE(s->ReachedFinalWeight);
    EXPECT_EQ(Results().TextMatrix(12, 0), "");
    EXPECT_EQ(Results().TextMatrix(22, 1), "");
    EXPECT_EQ(w->TextPrice.Text, "");
    EXPECT_FALSE(w->Text5.Text.empty());  // the growth figures stand
}

// A price typed with grouped thousands is the price it groups, and the run
// says how it read it, naming the diet and the text.
TEST_F(GrowthFaultsTest, AGroupedPriceCostsWhatThePlainPriceCostsAndIsSaid) {
    w->Griddiets.SetTextMatrix(2, 1, "1150");
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    const double plain = CostPerPig(*s);
    ASSERT_TRUE(Messages().empty());

    tarvisol::testing::MainWindowFixture grouped;
    grouped.w->Griddiets.SetTextMatrix(2, 1, "1,150.00");
    ASSERT_EQ(Growth(*grouped.s), GrowthOutcome::Results);
    EXPECT_EQ(CostPerPig(*grouped.s), plain);
    const std::vector<std::string> said = grouped.dialogs.Messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("Grower 1"), std::string::npos) << said[0];
    EXPECT_NE(said[0].find("1,150.00"), std::string::npos) << said[0];
}
