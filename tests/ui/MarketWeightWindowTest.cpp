// The market window's refusals and ends on the demo location: a box that is
// not a number is named and nothing runs or is saved; a missing location, a
// stop and a range the pig never reaches are told, and no best weight is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "market/MarketFile.h"
#include "shared/Progress.h"
#include "support/DemoAfterGrowth.h"
#include "support/FolderContents.h"
#include "support/GridUnits.h"
#include "ui/MarketWeightWindow.h"

namespace tarvisol {
namespace {
using Texts = std::vector<std::string>;

struct MarketWindow : testing::DemoAfterGrowth {
    MarketWeightWindow f;
    MarketWindow() : DemoAfterGrowth(kFormulationGridDiets) {
        ShowMarketWeightWindow(*s, f);
        dialogs.ClearLog();
    }
    Texts Told() {
        Texts t = dialogs.Messages();
        dialogs.ClearLog();
        return t;
    }
};

TEST(MarketWeightWindow, ABoxThatIsNotAUsableNumberIsNamedAndNothingRunsOrIsSaved) {
    MarketWindow x;
    const auto files = testing::FolderContents(x.folder.Str());
    const std::string label = x.f.SettingLabels[0].Caption, kept = x.f.Settings[0].Text;
    ASSERT_FALSE(label.empty());
    x.f.Settings[0].Text = "12x";
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    EXPECT_FALSE(SaveMarketWeightSettings(*x.s, x.f));
    EXPECT_EQ(x.Told(), (Texts{label + " must be a number", label + " must be a number; nothing was saved"}));

    x.f.Settings[0].Text = kept;
    x.f.Settings[1].Text = "120";  // lean base above 100 %
    EXPECT_FALSE(SaveMarketWeightSettings(*x.s, x.f));
    EXPECT_EQ(x.Told(), Texts{"Lean base % must be a number from 0 to 100.0; nothing was saved"});

    x.f.Settings[1].Text = "55";
    x.f.TextStep.Text = "five";
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    EXPECT_EQ(x.Told(), Texts{"The final weights from, to and step must be numbers"});

    EXPECT_TRUE(x.f.Analysis.Empty());
    const std::string finalWeight = x.w->Text3.Text;
    EXPECT_FALSE(UseBestMarketWeight(*x.s, x.f, false));
    EXPECT_EQ(x.Told(), Texts{"Run the market weights first: there is no best weight to take"});
    EXPECT_EQ(x.w->Text3.Text, finalWeight);
    EXPECT_TRUE(testing::FolderContents(x.folder.Str()) == files);
}

TEST(MarketWeightWindow, NoLocationAStopAndARangeNeverReachedAreTold) {
    MarketWindow x;
    x.f.TextFrom.Text = "100";
    x.f.TextTo.Text = "110";
    x.f.TextStep.Text = "5";
    RecordingProgress stop;
    stop.cancel = true;
    RunMarketWeights(*x.s, x.f, &stop, 1);
    EXPECT_EQ(x.Told(), Texts{"Market weights cancelled"});
    EXPECT_TRUE(x.f.Analysis.Empty());

    x.f.TextFrom.Text = "400";
    x.f.TextTo.Text = "410";
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    // Why, once for the three weights; the table says there is no best.
    EXPECT_EQ(x.Told(), Texts{"The pig reaches only 149.8 kg by day 198; the final weight is not reached"});
    EXPECT_EQ(x.f.Analysis.Rows.size(), 3u);
    EXPECT_EQ(x.f.LabelBest.Caption, "No final weight of the range is reached by day 198: there is no best weight");
    EXPECT_FALSE(UseBestMarketWeight(*x.s, x.f, true));

    const std::string base = x.s->LocationBase;
    x.s->LocationBase.clear();
    x.Told();
    EXPECT_FALSE(SaveMarketWeightSettings(*x.s, x.f));
    x.s->LocationBase = base;
    x.s->PigDataReady = false;
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    EXPECT_EQ(x.Told(), (Texts{"Open a location before saving its market settings",
                               "Open a location before the market weights"}));
}

TEST(MarketWeightWindow, EveryFigureColumnNamesItsUnit) {
    MarketWindow x;
    x.s->Currency = "USD";
    x.f.TextFrom.Text = "110";
    x.f.TextTo.Text = "120";
    x.f.TextStep.Text = "10";
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    ASSERT_FALSE(x.f.Analysis.Empty());
    EXPECT_EQ(testing::HeadingsWithoutUnit(x.f.GridMarket, {"Feed/Gain"}), Texts{});
}

}  // namespace
}  // namespace tarvisol

namespace tarvisol {
namespace {

// The window's analysis belongs to the location it was made for: once another
// location is open, its best weight is never written into that one, and the
// window opens without it.
TEST(MarketWeightWindow, TheAnalysisOfOneLocationNeverReachesAnother) {
    MarketWindow x;
    RunMarketWeights(*x.s, x.f, nullptr, 1);
    ASSERT_GE(x.f.Analysis.BestPerPig, 0);
    x.Told();
    x.s->LocationBase += "-other";  // another location opened
    const std::string finalWeight = x.w->Text3.Text;
    EXPECT_FALSE(UseBestMarketWeight(*x.s, x.f, false));
    EXPECT_EQ(x.w->Text3.Text, finalWeight);
    EXPECT_EQ(x.Told(), (Texts{kMarketOtherLocation}));
    ShowMarketWeightWindow(*x.s, x.f);
    EXPECT_TRUE(x.f.Analysis.Empty());
}

}  // namespace
}  // namespace tarvisol

#include <cmath>

#include "shared/Numbers.h"
#include "ui/HerdWindow.h"

namespace tarvisol {
namespace {

// The best weight is one average pig's. When its carcass lies within one
// standard deviation of the herd (as Herd and Marketing grows it) of a band
// edge, much of the barn is sold outside the band at that weight: the window
// says so beside the best weight and points to Herd and Marketing, and "Use
// Best" asks before it takes the weight.
TEST(MarketWeightWindow, ABestWeightAtABandEdgeForTheHerdsSpreadIsToldAndAskedFirst) {
    MarketWindow x;
    RunMarketWeights(*x.s, x.f, nullptr, 2);
    ASSERT_GE(x.f.Analysis.BestPerPig, 0);
    const MarketRow& best = x.f.Analysis.Rows[static_cast<std::size_t>(x.f.Analysis.BestPerPig)];
    const MarketSettings& m = x.f.Analysis.Settings;
    // The demo's best per pig: a carcass at the band's low edge.
    const double edge = std::min(std::fabs(best.Sale.CarcassWeight - m.BandLow), std::fabs(best.Sale.CarcassWeight - m.BandHigh));
    ASSERT_LT(edge, 2.0);
    // The herd at that weight, as Herd and Marketing sells it.
    HerdWindow herd;
    ShowHerdWindow(*x.s, herd);
    x.s->Main->Text3.Text = FormatAuto(best.FinalWeight);
    SellHerdClick(*x.s, herd, nullptr, 2);
    ASSERT_FALSE(herd.Value.Cuts.empty());
    ASSERT_GT(herd.Value.Cuts[0].CarcassSd, edge);
    x.s->Main->Text3.Text = FormatAuto(x.f.Analysis.CurrentFinalWeight);
    x.Told();

    EXPECT_NE(x.f.LabelSpread.Caption.find("Herd and Marketing"), std::string::npos) << x.f.LabelSpread.Caption;
    EXPECT_NE(x.f.LabelSpread.Caption.find("band"), std::string::npos) << x.f.LabelSpread.Caption;
    const std::string before = x.s->Main->Text3.Text;
    x.dialogs.Answer(Answer::No);
    EXPECT_FALSE(UseBestMarketWeight(*x.s, x.f, false));
    EXPECT_EQ(x.s->Main->Text3.Text, before);
    ASSERT_EQ(x.dialogs.Log().size(), 1u);
    EXPECT_EQ(x.dialogs.Log()[0].kind, "ask");
    x.dialogs.Answer(Answer::Yes);
    EXPECT_TRUE(UseBestMarketWeight(*x.s, x.f, false));
    EXPECT_EQ(Val(x.s->Main->Text3.Text), best.FinalWeight);
}

}  // namespace
}  // namespace tarvisol
