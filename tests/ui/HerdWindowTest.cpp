// The "Herd and Marketing" window on the demo location: a herd sold in the
// typed cuts fills the table and the histogram with every pig once; a box or
// cut it cannot use is named and the window keeps what it showed; the best
// cuts go into the cuts grid with what they gain over one day.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "support/DemoAfterGrowth.h"
#include "support/GridUnits.h"
#include "support/FolderContents.h"
#include "ui/HerdWindow.h"

namespace tarvisol {
namespace {
using Texts = std::vector<std::string>;

struct HerdForm : testing::DemoAfterGrowth {
    HerdWindow f;
    HerdForm() : DemoAfterGrowth(kFormulationLeastCost) {
        ShowHerdWindow(*s, f);
        f.Settings[0].Text = "250";
        dialogs.ClearLog();
    }
    Texts Told() {
        Texts t = dialogs.Messages();
        dialogs.ClearLog();
        return t;
    }
};

TEST(HerdWindow, EveryFigureColumnNamesItsUnit) {
    HerdForm x;
    x.s->Currency = "USD";
    EditHerdCut(x.f, 1, 1, "150");
    EditHerdCut(x.f, 1, 2, "128");
    EditHerdCut(x.f, 2, 1, "165");
    SellHerdClick(*x.s, x.f, nullptr, 2);
    ASSERT_TRUE(x.f.Value.Valued());
    EXPECT_EQ(testing::HeadingsWithoutUnit(x.f.GridHerd, {"Cut", "Sold"}), Texts{});
    EXPECT_EQ(testing::HeadingsWithoutUnit(x.f.GridCuts, {"Cut"}), Texts{});
}

TEST(HerdWindow, CutsFillTheTableAndTheHistogramWithEveryPigOnce) {
    HerdForm x;
    const auto files = testing::FolderContents(x.folder.Str());
    EXPECT_EQ(x.f.Settings[6].Text, "74.9") << "the demo market's yield";
    EditHerdCut(x.f, 1, 1, "150");
    EditHerdCut(x.f, 1, 2, "128");
    EditHerdCut(x.f, 2, 1, "165");
    SellHerdClick(*x.s, x.f, nullptr, 2);
    EXPECT_TRUE(x.Told().empty());
    ASSERT_TRUE(x.f.Value.Valued());
    ASSERT_EQ(x.f.Value.Cuts.size(), 2u);
    EXPECT_EQ(x.f.GridHerd.TextMatrix(1, 1), "150");
    EXPECT_EQ(x.f.GridHerd.TextMatrix(3, 0), "All");
    EXPECT_EQ(x.f.GridHerd.TextMatrix(3, 2), "250");
    const HerdHistogram h = HerdHistogramOf(x.f);
    ASSERT_EQ(h.Counts.size(), 2u);
    for (std::size_t c = 0; c < 2; ++c)
        EXPECT_EQ(std::accumulate(h.Counts[c].begin(), h.Counts[c].end(), 0), x.f.Value.Cuts[c].Sold);
    EXPECT_EQ(h.BandLow, 88);
    EXPECT_EQ(h.BandHigh, 104);
    // A spread no herd has: named, and the table stays.
    const std::string table = testing::GridText(x.f.GridHerd);
    x.f.Settings[3].Text = "-2";
    SellHerdClick(*x.s, x.f, nullptr, 2);
    EXPECT_EQ(x.Told(), Texts{"The spread of the growth rate must be from 0 to 30 %"});
    x.f.Settings[3].Text = "15";
    EditHerdCut(x.f, 2, 1, "140");  // before cut 1
    SellHerdClick(*x.s, x.f, nullptr, 2);
    EXPECT_EQ(x.Told(), Texts{"Cut 2 must come after cut 1: cuts go in order of age"});
    EXPECT_EQ(testing::GridText(x.f.GridHerd), table);
    // The best cuts: in the grid, sold, and told against one day.
    BestHerdCutsClick(*x.s, x.f, nullptr, 2);
    EXPECT_TRUE(x.Told().empty());
    EXPECT_FALSE(x.f.GridCuts.TextMatrix(1, 1).empty());
    EXPECT_NE(x.f.LabelBest.Caption.find("more than the whole barn on its best single day"), std::string::npos);
    EXPECT_EQ(testing::FolderContents(x.folder.Str()), files);
    // Saved only when asked, and shown again when the window opens.
    ASSERT_TRUE(SaveHerdWindowSettings(*x.s, x.f));
    HerdWindow again;
    ShowHerdWindow(*x.s, again);
    EXPECT_EQ(again.Settings[0].Text, "250");
    EXPECT_EQ(again.Settings[3].Text, "15");
}

}  // namespace
}  // namespace tarvisol
