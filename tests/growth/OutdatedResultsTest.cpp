// Results shown after an input of the run changed are marked as from before
// the change until the next run; putting the input back clears the mark.
#include <gtest/gtest.h>

#include "growth/GrowthRun.h"
#include "growth/OutdatedResults.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

namespace {

class OutdatedResultsTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    bool Marked() {
        MarkOutdatedResults(*s);
        return !w->LabelResults.Caption.empty();
    }
};

TEST_F(OutdatedResultsTest, AChangedInputMarksTheResultsUntilTheNextRun) {
    EXPECT_FALSE(Marked());  // no results yet
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    EXPECT_FALSE(Marked());
    EXPECT_EQ(w->TextPrice.BackColor, kNoColor);

    w->Text3.Text = "110";
    EXPECT_TRUE(Marked());
    EXPECT_EQ(w->LabelResults.Caption, kResultsFromBefore);
    EXPECT_NE(w->TextPrice.BackColor, kNoColor);
    w->Text3.Text = "115";  // as the run had it
    EXPECT_FALSE(Marked());

    w->Griddiets.SetTextMatrix(4, 2, "2600");
    EXPECT_TRUE(Marked());
    ASSERT_EQ(Growth(*s), GrowthOutcome::Results);
    EXPECT_FALSE(Marked());
    EXPECT_EQ(w->TextPrice.BackColor, kNoColor);

    w->Griddiets.SetTextMatrix(2, 1, "330");  // a diet's price
    EXPECT_TRUE(Marked());
}

}  // namespace
