// The Growth command on the nutrient-response model, against published
// figures: NRC (2012) Table 16-1A, a lysine titration, the energy response.
#include <gtest/gtest.h>

#include <cmath>

#include "growth/GrowthRun.h"
#include "growth/ResponseRun.h"
#include "response/GenotypePresets.h"
#include "response/NrcFactorial.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

namespace {

// The days and the feed (kg per pig, as supplied) from one weight to another
// of the run's pig, the crossings taken between whole days.
struct Phase {
    double days = 0, feed = 0;
    double Gain(double from, double to) const { return (to - from) / days; }
    double Intake() const { return feed / days; }
};

double AgeAt(const SharedState& s, int slot, double w) {
    for (int d = s.StartAge; d < s.RunLastDay; ++d) {
        const double a = s.DayGrowth(slot, d), b = s.DayGrowth(slot, d + 1);
        if (a <= w && b > w) return d + (w - a) / (b - a);
    }
    return NAN;
}

Phase PhaseOf(const SharedState& s, int slot, double from, double to) {
    const double a = AgeAt(s, slot, from), b = AgeAt(s, slot, to);
    Phase p;
    p.days = b - a;
    const auto feedTo = [&](double age) {
        double f = 0;
        const int whole = static_cast<int>(std::floor(age));
        for (int d = s.StartAge; d < whole; ++d) f += s.DayFeed(slot, d + 1);
        return f + (age - whole) * s.DayFeed(slot, whole + 1);
    };
    p.feed = feedTo(b) - feedTo(a);
    return p;
}

class ResponseRunTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    ResponseRunTest() {
        s->Model.Kind = GrowthModelKind::Response;
        s->Model.Pig = response::ReferenceGenotype();
        w->Text1.Text = "25";
        w->Text2.Text = "70";
        w->Text3.Text = "126";
        // One diet of NRC (2012) Table 16-1A's 2,475 kcal NE, its amino acids
        // well above any day's requirement.
        OneDiet(2475, 1.6);
    }
    void OneDiet(double ne, double lysine) {
        for (int d = 2; d <= 6; ++d)
            for (int r = 1; r <= 17; ++r) w->Griddiets.SetTextMatrix(r, d, "");
        tarvisol::testing::FillDietColumn(*w, 1, "Grower", 250, 1000, ne, 18, lysine);
    }
    void Grow() {
        ASSERT_EQ(Growth(*s), GrowthOutcome::Results) << (dialogs.Messages().empty() ? "" : dialogs.Messages().back());
    }
};

}  // namespace

// NRC (2012) Table 16-1A, pigs fed at will on 2,475 kcal NE per kg, barrows
// and gilts 1:1: daily gain and feed intake (wastage included) per phase.
// The 25-50 and 50-75 kg columns as printed (a Chinese edition of the NRC
// 2012 tables, 777doc.com document 5377318: gain 758 and 900 g a day, feed +
// wastage 1,582 and 2,229 g a day); the 75-100 and 100-135 kg columns as
// recalled, not verified against the printed table (917 and 867 g, 2,636 and
// 2,933 g), the last compared with our 100-125 kg.
TEST_F(ResponseRunTest, ReferencePigReproducesTable16_1AGainAndIntakePerPhase) {
    Grow();
    struct Column {
        double from, to, gain, intake;
    };
    const Column table[] = {{25, 50, 0.758, 1.582}, {50, 75, 0.900, 2.229}, {75, 100, 0.917, 2.636}, {100, 125, 0.867, 2.933}};
    for (const Column& c : table) {
        const Phase p = PhaseOf(*s, 0, c.from, c.to);
        EXPECT_NEAR(p.Gain(c.from, c.to) / c.gain, 1.0, 0.05) << c.from << "-" << c.to << " kg gain " << p.Gain(c.from, c.to);
        EXPECT_NEAR(p.Intake() / c.intake, 1.0, 0.05) << c.from << "-" << c.to << " kg intake " << p.Intake();
    }
    EXPECT_EQ(s->LastRun.Model, "response");
    EXPECT_EQ(s->LastRun.Genotype, "NRC 2012 reference pig");
}

// Lysine below the requirement costs growth and makes a fatter carcass; above
// it growth does not change (Main et al. 2008, J. Anim. Sci. 86:2190: a higher
// lysine:calorie ratio raised daily gain and G:F to a plateau and lowered back
// fat, in barrows and gilts of 35 to 120 kg).
TEST_F(ResponseRunTest, LysineBelowTheRequirementLowersGainAndRaisesFeedGainAndBackFat) {
    w->Text2.Text = "100";
    w->Text1.Text = "50";
    w->Text3.Text = "75";
    Grow();
    const auto result = [&] {
        struct R {
            double days, feedGain, backFat;
        } r{s->FinalAge - 100, s->LastRun.FeedGain, s->LastRun.Sexes[0].BackFat};
        return r;
    };
    const auto ample = result();
    // The phase's requirement on that run: its lysine over its feed.
    double lysine = 0, feed = 0;
    for (const ResponseDayFigures& d : s->Response.Days) {
        lysine += SidLysineGrams(d.Weight, d.FeedEaten, d.ProteinDeposition) * d.Share;
        feed += d.FeedEaten * d.Share;
    }
    const double requirement = lysine / (feed * 10);  // % of the feed
    const auto run = [&](double share) {
        OneDiet(2475, requirement * share);
        Grow();
        return result();
    };
    const auto above = run(1.2), below = run(0.8);
    EXPECT_LT(std::fabs(above.days / ample.days - 1), 0.005);
    EXPECT_LT(std::fabs(above.feedGain / ample.feedGain - 1), 0.005);
    EXPECT_GT(below.days, ample.days * 1.05);
    EXPECT_GT(below.feedGain, ample.feedGain * 1.05);
    EXPECT_GT(below.backFat, ample.backFat + 1.0);
}

// A diet lower in net energy is eaten more and converts worse. Quiniou and
// Noblet (2012), J. Anim. Sci. 90:4362, barrows of 35 to 110 kg: on 8.7 MJ
// NE per kg they ate 3.216 kg a day, on 11.1 MJ 2.684 kg (1.198 times less).
TEST_F(ResponseRunTest, LowerNetEnergyRaisesIntakeAndFeedGainAsPublished) {
    w->ComboSex.ListIndex = 1;
    w->Text1.Text = "35";
    w->Text3.Text = "110";
    const auto run = [&](double mj) {
        OneDiet(mj * 1000 / 4.184, 1.6);
        Grow();
        return std::pair{s->LastRun.TotalFeed / (s->FinalAge - 70), s->LastRun.FeedGain};
    };
    const auto [lowIntake, lowFeedGain] = run(8.7);
    const auto [highIntake, highFeedGain] = run(11.1);
    EXPECT_NEAR(lowIntake / highIntake, 3.216 / 2.684, 0.02);
    EXPECT_GT(lowFeedGain, highFeedGain * 1.15);
}

// Barrows eat more than gilts and are fatter at the same age; a herd of one
// sex is that sex's own pig, and its report names it.
TEST_F(ResponseRunTest, BarrowsEatMoreAndAreFatterThanGiltsAndEachSexIsItsOwnPig) {
    Grow();
    const RunSexFigures males = s->LastRun.Sexes[1], females = s->LastRun.Sexes[2];
    EXPECT_GT(males.Feed, females.Feed * 1.03);
    EXPECT_GT(males.BackFat, females.BackFat + 2);
    EXPECT_LT(males.Lean, females.Lean);
    const double mixedAge = s->FinalAge;
    w->ComboSex.ListIndex = 2;
    Grow();
    EXPECT_GT(s->FinalAge, mixedAge + 1);  // gilts alone take longer to the same weight
    EXPECT_NEAR(s->LastRun.Sexes[0].BackFat, females.BackFat, 2.0);
}
