// Tool tips of the input boxes and diet rows say the location's units.
#include "ui/InputHelp.h"

#include <gtest/gtest.h>

#include "location/UnitChoice.h"
#include "support/DemoLocation.h"
#include "support/GridUnits.h"
#include "support/StartedWindow.h"
#include "ui/ReopenLocation.h"

using namespace tarvisol;
namespace tt = tarvisol::testing;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(InputHelp, PricesFollowThePriceUnit) {
    tt::StartedWindow win;
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 2), "per tonne of feed")) << DietRowToolTip(*win.s, 2);
    win.w->ComboUnits.ListIndex = 1;  // lb, Kcal/lb, per short ton
    ComboUnitsClick(*win.s);
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 2), "per short ton of feed")) << DietRowToolTip(*win.s, 2);
    win.s->PriceUnit() = 4;
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 2), "per hundredweight (100 lb) of feed"));
}

TEST(InputHelp, EnergyFollowsTheEnergyUnit) {
    tt::StartedWindow win;
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 4), "Kcal/Kg"));
    win.s->EnergyUnit() = 4;
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 4), "MJ/Kg")) << DietRowToolTip(*win.s, 4);
}

TEST(InputHelp, WeightsAndAllotmentsFollowTheWeightUnit) {
    tt::StartedWindow win;
    MainWindow& w = *win.w;
    EXPECT_TRUE(Has(BoxToolTip(*win.s, w.Text1), ", kg"));
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 3), ", kg"));
    w.ComboUnits.ListIndex = 1;
    ComboUnitsClick(*win.s);
    for (const TextBox* box : {&w.Text1, &w.Text3, &w.Text4})
        EXPECT_TRUE(Has(BoxToolTip(*win.s, *box), ", lb")) << BoxToolTip(*win.s, *box);
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 3), ", lb"));
}

TEST(InputHelp, ProteinAndAminoAcidsInPercentOtherNutrientsByName) {
    tt::StartedWindow win;
    tt::CopyDemoLocation(win.folder.Str());
    ASSERT_TRUE(ReopenLocation(*win.s, win.folder.File("Demo")));
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 5), "protein, % of the diet"));
    // Row 8 is lysine, whatever case the diets file writes it in.
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 8), "% of the diet"));
    EXPECT_TRUE(Has(DietRowToolTip(*win.s, 8), win.w->Griddiets.TextMatrix(8, 0)));
    const int row = 18;  // the first nutrient past the amino acids
    ASSERT_LT(row, win.w->Griddiets.Rows());
    const std::string label = win.w->Griddiets.TextMatrix(row, 0);
    ASSERT_FALSE(label.empty());
    EXPECT_EQ(DietRowToolTip(*win.s, row), label + ", in the unit of the ingredient matrix");
}

TEST(InputHelp, TheInitialValueReadFromTheSettingsFileStaysInTheTip) {
    tt::StartedWindow win;
    tt::CopyDemoLocation(win.folder.Str());
    ASSERT_TRUE(ReopenLocation(*win.s, win.folder.File("Demo")));
    const std::string tip = BoxToolTip(*win.s, win.w->Text1);
    EXPECT_TRUE(Has(tip, "Starting live weight"));
    EXPECT_TRUE(Has(tip, "\n" + win.w->Text1.ToolTip));
    EXPECT_TRUE(Has(win.w->Text1.ToolTip, "Initial value was "));
    // The location box keeps its own documented tip too.
    EXPECT_TRUE(Has(BoxToolTip(*win.s, win.w->Text6), "Type in a New Location Name then double click or just double click"));
}

// The results and daily tables keep their captions; each figure column says
// its unit in its tip, in the location's weight unit.
TEST(InputHelp, ResultAndDailyColumnsTellTheirUnit) {
    tt::StartedWindow win;
    for (const char* unit : {"kg", "lb"}) {
        for (int col = 1; col <= 8; ++col)
            EXPECT_TRUE(tt::NamesAUnit(ResultsCellToolTip(*win.s, 0, col))) << col << ": " << ResultsCellToolTip(*win.s, 0, col);
        for (int col = 0; col <= 8; ++col)
            EXPECT_TRUE(tt::NamesAUnit(DailyColumnToolTip(*win.s, col))) << col << ": " << DailyColumnToolTip(*win.s, col);
        EXPECT_TRUE(Has(ResultsCellToolTip(*win.s, 0, 6), unit)) << ResultsCellToolTip(*win.s, 0, 6);
        EXPECT_TRUE(Has(DailyColumnToolTip(*win.s, 2), unit)) << DailyColumnToolTip(*win.s, 2);
        win.w->ComboUnits.ListIndex = 1;  // lb
        ComboUnitsClick(*win.s);
    }
}

TEST(InputHelp, OptimisationRowsTellTheirUnit) {
    tt::StartedWindow win;
    for (int row = 1; row <= 24; ++row)
        EXPECT_TRUE(tt::NamesAUnit(OptimisationRowToolTip(*win.s, row))) << row << ": " << OptimisationRowToolTip(*win.s, row);
    win.s->EnergyUnit() = 4;
    EXPECT_TRUE(Has(OptimisationRowToolTip(*win.s, 2), "MJ/Kg")) << OptimisationRowToolTip(*win.s, 2);
}

}  // namespace
