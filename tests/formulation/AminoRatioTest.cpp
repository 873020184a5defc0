#include <gtest/gtest.h>

#include "formulation/AminoRatio.h"
#include "shared/Numbers.h"
#include "support/MainWindowFixture.h"

using namespace tarvisol;

class AminoRatioTest : public ::testing::Test, protected tarvisol::testing::MainWindowFixture {
protected:
    void SetUp() override {
        // A formulated diet 1 with protein 16 % and amino-acid minima.
        for (int k = 2; k <= 14; ++k) s->DietNutrients(1, k) = k == 2 ? 16 : 0.1 * k;
        s->NutrientLimits(1, 1, 2) = 16;
        for (int k = 3; k <= 14; ++k) s->NutrientLimits(1, 1, k) = k == 7 ? 0 : 0.05 * k;
    }
};

TEST_F(AminoRatioTest, ProteinRaisedFrom16To18ScalesTheAminoAcidMinima) {
    w->CheckRatioProtein.Value = 1;
    DietsGridEditStart(*s, 5, 1);
    EXPECT_EQ(s->NutrientLimits(1, 0, 2), 16);
    dialogs.Answer(Answer::Yes);
    DietsGridEdit(*s, 5, 1, "18");
    EXPECT_EQ(s->NutrientLimits(1, 1, 2), 18);
    for (int k = 3; k <= 14; ++k) {
        if (k == 7) continue;
        EXPECT_NEAR(s->NutrientLimits(1, 1, k), 0.05 * k * 1.125, 1e-12) << k;
        EXPECT_EQ(w->Griddiets.TextMatrix(k + 3, 1), FormatAuto(s->NutrientLimits(1, 1, k)));
    }
    // A minimum of 0 stays 0 and its row shows the proportional value.
    EXPECT_EQ(s->NutrientLimits(1, 1, 7), 0);
    EXPECT_EQ(w->Griddiets.TextMatrix(10, 1), FormatAuto(18 * s->DietNutrients(1, 7) / 16));
}

TEST_F(AminoRatioTest, LysineOptionLeavesLysineAndStartsProportionsAtHistidine) {
    w->CheckRatioLysine.Value = 1;
    RatioOptionClick(*s, 1);
    w->CheckRatioProtein.Value = 1;
    RatioOptionClick(*s, 0);
    EXPECT_EQ(w->CheckRatioLysine.Value, 0);  // the options exclude each other
    w->CheckRatioProtein.Value = 0;
    w->CheckRatioLysine.Value = 1;
    s->NutrientLimits(1, 1, 5) = 0.25;
    DietsGridEditStart(*s, 8, 1);
    dialogs.Answer(Answer::Yes);
    DietsGridEdit(*s, 8, 1, "0,30");
    EXPECT_EQ(w->Griddiets.TextMatrix(8, 1), "0.300");  // rewritten in proportion to itself
    EXPECT_EQ(s->NutrientLimits(1, 1, 5), 0.30);
    EXPECT_NEAR(s->NutrientLimits(1, 1, 3), 0.15 * 1.2, 1e-12);  // arginine rescaled
    EXPECT_NEAR(s->NutrientLimits(1, 1, 14), 0.70 * 1.2, 1e-12);
    EXPECT_EQ(w->Griddiets.TextMatrix(10, 1), FormatAuto(0.30 * s->DietNutrients(1, 7) / s->DietNutrients(1, 5)));
}

TEST_F(AminoRatioTest, RefusalsAndMessages) {
    w->CheckRatioProtein.Value = 1;
    dialogs.Answer(Answer::No);
    DietsGridEdit(*s, 5, 1, "20");
    ASSERT_FALSE(dialogs.Log().empty());
    EXPECT_EQ(dialogs.Log()[0].text, "The current value is different from the Diet Restrition, Do you want to change "
                                     "the Restriction to the Current Value?");
    EXPECT_EQ(s->NutrientLimits(1, 1, 2), 16);  // No: the restriction stays
    // No previous protein minimum recorded: the amino-acid minima are kept.
    s->NutrientLimits(1, 0, 2) = 0;
    int16_t d = 1;
    ProteinAdj(*s, d);
    EXPECT_NEAR(s->NutrientLimits(1, 1, 3), 0.15, 1e-12);
    s->DietNutrients(1, 2) = 0;
    ProteinAdj(*s, d);
    EXPECT_EQ(dialogs.Messages().back(), "Run Current Calc First");
    s->DietNutrients(1, 2) = 16;
    s->DietNutrients(1, 5) = 0;
    w->CheckRatioProtein.Value = 0;
    w->CheckRatioLysine.Value = 1;
    ProteinAdj(*s, d);
    EXPECT_EQ(dialogs.Messages().back(), "No previous value for Lysine found");
}
