// The Sensitivity window's form on the demo diets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formulation/DietSensitivity.h"
#include "formulation/Formulate.h"
#include "shared/Clipboard.h"
#include "shared/Numbers.h"
#include "support/FormulationFixture.h"
#include "support/GridUnits.h"
#include "ui/MixingSheetWindow.h"
#include "ui/SensitivityWindow.h"

using namespace tarvisol;

namespace {

class SensitivityWindowTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    void SetUp() override {
        s->Clip = &clip;
        LoadDemo();
        RunLp(*s);
    }
    MemoryClipboard clip;
    SensitivityWindow win;
};

TEST_F(SensitivityWindowTest, LimitsComeLargestShadowPriceFirstAndCopyWithHeadings) {
    OpenSensitivity(*s, win, 2);
    EXPECT_EQ(win.ComboDiet.ListIndex, 1);
    ASSERT_TRUE(win.FiguresVisible);
    EXPECT_FALSE(win.DiagnosisVisible);
    const Grid& g = win.GridLimits;
    ASSERT_GT(g.Rows(), 5);
    double previous = 1e300;
    for (int r = 1; r < g.Rows(); ++r) {
        const double shadow = std::fabs(Val(g.TextMatrix(r, 6)));
        EXPECT_LE(shadow, previous * (1 + 1e-3)) << g.TextMatrix(r, 0);
        previous = shadow;
    }
    EXPECT_EQ(win.GridIngredients.Rows(), s->IngredientCount + 1);
    CopySensitivityLimits(*s, win);
    const std::string text = clip.GetText();
    EXPECT_EQ(text.rfind("Nutrient\tMin/Max\tUnit\tLimit\tContent", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), g.Rows() - 1);
}

std::size_t Decimals(const std::string& text) {
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : text.size() - point - 1;
}

// Limits read as the matrix is read (energy in whole kcal, every other
// nutrient to 0.001 % of the feed), never as the solver's long doubles, in
// the Sensitivity window and on the mixing sheet; the two tables' first
// columns say what they hold, a price range reaching below 0 is explained,
// and the sheet's weights and formula total read to 0.01.
TEST_F(SensitivityWindowTest, LimitsReadAsTheMatrixIsReadAndEveryColumnSaysWhatItHolds) {
    const auto fixed = [](const Grid& g, int r, int c, const std::string& unit) {
        const std::string& t = g.TextMatrix(r, c);
        if (t.empty() || t == "unbounded") return;
        EXPECT_EQ(Decimals(t), unit == "%" ? 3u : 0u) << g.TextMatrix(r, 0) << " column " << c << ": " << t;
    };
    bool anyBelowZero = false;
    for (int d = 1; d <= s->DietCount; ++d) {
        OpenSensitivity(*s, win, d);
        ASSERT_TRUE(win.FiguresVisible) << d;
        const Grid& g = win.GridLimits;
        EXPECT_EQ(g.TextMatrix(0, 0), "Nutrient");
        EXPECT_EQ(win.GridDiagnosis.TextMatrix(0, 0), "Restriction");
        for (const Grid* t : {&win.GridLimits, &win.GridIngredients, &win.GridDiagnosis})
            for (int a = 0; a < t->Cols(); ++a)
                for (int b = a + 1; b < t->Cols(); ++b) EXPECT_NE(t->TextMatrix(0, a), t->TextMatrix(0, b)) << a << " and " << b;
        for (int r = 1; r < g.Rows(); ++r)
            for (int c : {3, 4, 7, 8}) fixed(g, r, c, g.TextMatrix(r, 2));
        bool belowZero = false;
        for (int r = 1; r < win.GridIngredients.Rows(); ++r)
            belowZero = belowZero || Val(win.GridIngredients.TextMatrix(r, 5)) < 0;
        EXPECT_EQ(win.LabelSummary.Caption.find(kPriceFromBelowZero) != std::string::npos, belowZero) << d;
        anyBelowZero = anyBelowZero || belowZero;

        MixingSheetWindow sheet;
        OpenMixingSheet(*s, sheet, d);
        ASSERT_TRUE(sheet.SheetReady) << d;
        const Grid& n = sheet.GridNutrients;
        for (int r = 1; r < n.Rows(); ++r)
            for (int c : {2, 3, 4, 5}) fixed(n, r, c, n.TextMatrix(r, 1));
        const Grid& i = sheet.GridIngredients;
        for (int r = 1; r < i.Rows(); ++r) EXPECT_EQ(Decimals(i.TextMatrix(r, 2)), 2u) << i.TextMatrix(r, 0);
        EXPECT_EQ(i.TextMatrix(i.Rows() - 1, 1), "100.00");
    }
    EXPECT_TRUE(anyBelowZero) << "the demo has a mineral whose price range reaches below 0";
}

// Prices per kg make every shadow price a thousand times smaller than per
// tonne; each one shown still carries four significant digits.
TEST_F(SensitivityWindowTest, ShadowPricesKeepFourSignificantDigitsAtAnySize) {
    for (int j = 1; j <= s->IngredientCount; ++j) s->IngredientPrices(j) /= 1000;
    s->PriceUnit() = 0;
    RunLp(*s);
    OpenSensitivity(*s, win, 2);
    ASSERT_TRUE(win.FiguresVisible);
    DietSensitivity r;
    ASSERT_EQ(ComputeDietSensitivity(*s, 2, r), "");
    const std::vector<NutrientSensitivity> rows = ByShadowPrice(r.nutrients);
    const Grid& g = win.GridLimits;
    ASSERT_EQ(g.Rows(), static_cast<int>(rows.size()) + 1);
    int column = -1;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.TextMatrix(0, c).rfind("Shadow Price", 0) == 0) column = c;
    ASSERT_GE(column, 0);
    int shown = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double shadow = rows[i].shadowPrice;
        if (shadow == 0) continue;
        ++shown;
        const std::string& text = g.TextMatrix(static_cast<int>(i) + 1, column);
        EXPECT_NEAR(Val(text), shadow, 5e-4 * std::fabs(shadow)) << rows[i].name << ": " << text;
        const std::size_t first = text.find_first_not_of("-0.");
        const std::string digits = first == std::string::npos ? "" : text.substr(first);
        EXPECT_EQ(digits.size() - std::count(digits.begin(), digits.end(), '.'), 4u) << rows[i].name << ": " << text;
    }
    EXPECT_GT(shown, 0);
}

// A range is shown as the figure it bounds: the limit's range as the content,
// an ingredient's price range as its price.
TEST_F(SensitivityWindowTest, RangesAreShownAsTheFiguresTheyBound) {
    OpenSensitivity(*s, win, 2);
    ASSERT_TRUE(win.FiguresVisible);
    const auto decimals = [](const std::string& text) {
        const std::size_t point = text.find('.');
        return point == std::string::npos ? std::size_t{0} : text.size() - point - 1;
    };
    const auto check = [&](const Grid& g, int figure, int from) {
        for (int r = 1; r < g.Rows(); ++r)
            for (int c : {from, from + 1})
                if (g.TextMatrix(r, c) != "unbounded")
                    EXPECT_EQ(decimals(g.TextMatrix(r, c)), decimals(g.TextMatrix(r, figure)))
                        << g.TextMatrix(r, 0) << ": " << g.TextMatrix(r, c) << " beside " << g.TextMatrix(r, figure);
    };
    check(win.GridLimits, 4, 7);
    check(win.GridIngredients, 1, 5);
}

TEST_F(SensitivityWindowTest, EveryFigureColumnNamesItsUnit) {
    s->Currency = "USD";
    OpenSensitivity(*s, win, 2);
    ASSERT_TRUE(win.FiguresVisible);
    EXPECT_EQ(tarvisol::testing::HeadingsWithoutUnit(win.GridLimits), std::vector<std::string>{});
    EXPECT_EQ(tarvisol::testing::HeadingsWithoutUnit(win.GridIngredients), std::vector<std::string>{});
}

TEST_F(SensitivityWindowTest, AnInfeasibleDietShowsTheLimitsToChange) {
    s->NutrientLimits(2, 1, 1) = 4000;
    RunLp(*s);
    OpenSensitivity(*s, win, 2);
    EXPECT_FALSE(win.FiguresVisible);
    ASSERT_TRUE(win.DiagnosisVisible);
    EXPECT_EQ(win.GridDiagnosis.Rows(), 2);
    EXPECT_EQ(win.GridDiagnosis.TextMatrix(1, 0), "NET ENERGY (NE)");
    EXPECT_EQ(win.GridDiagnosis.TextMatrix(1, 4), "2673");
    EXPECT_NE(win.LabelSummary.Caption.find("is infeasible.\nNET ENERGY (NE) minimum 4000: at most 2673 reachable"), std::string::npos);
    EXPECT_EQ(tarvisol::testing::HeadingsWithoutUnit(win.GridDiagnosis, {"Relative Change"}), std::vector<std::string>{});
    // Choosing a feasible diet in the list shows its figures.
    win.ComboDiet.ListIndex = 0;
    ShowSensitivity(*s, win);
    EXPECT_TRUE(win.FiguresVisible);
    EXPECT_FALSE(win.DiagnosisVisible);
}

TEST_F(SensitivityWindowTest, ADietChangedSinceItsFormulationShowsNoFigures) {
    s->IngredientPrices(1) += 5;
    OpenSensitivity(*s, win, 1);
    EXPECT_FALSE(win.FiguresVisible);
    EXPECT_EQ(win.GridLimits.Rows(), 1);
    EXPECT_EQ(win.LabelSummary.Caption,
              "Diet 1 changed since it was formulated (matrix, prices or limits): press Run LP again.");
}

}  // namespace
