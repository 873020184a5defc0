// The dated optimisation result file: its name and its exact layout.
#include <gtest/gtest.h>

#include <memory>

#include "location/ScratchFolder.h"
#include "optimisation/OptResultFile.h"
#include "optimisation/OptimisationWindow.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

TEST(MonthText, ReadsTheMonthAsTheMachineOrdersTheDate) {
    SharedState s;
    EXPECT_EQ(MonthText(s, "07/15/2026"), "JUL 26");
    EXPECT_EQ(MonthText(s, "13/01/2026"), "JAN 26");  // above 12 becomes 1
    EXPECT_EQ(MonthText(s, "00/01/2026"), " 26");
    EXPECT_EQ(MonthText(s, "2026"), "");
    s.DecimalComma = 1;
    EXPECT_EQ(MonthText(s, "15/07/2026"), "JUL 7");
    EXPECT_EQ(MonthText(s, "15-11-2026"), "NOV 7");
    EXPECT_EQ(MonthText(s, "15/13/2026"), "");
    EXPECT_EQ(MonthText(s, "15/07"), "");
}

TEST(MonthText, TodayIsLaidOutSoThatTheMonthIsRead) {
    SharedState s;
    const std::string point = MonthText(s, TodayForMonthText(s));
    s.DecimalComma = 1;
    const std::string comma = MonthText(s, TodayForMonthText(s));
    EXPECT_EQ(point.substr(0, 3), comma.substr(0, 3));
    EXPECT_EQ(point.size(), 6u);
}

struct ResultFixture : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    void SetUp() override {
        s->DietCount = 2;
        s->IngredientCount = 3;
        s->IngredientNames(1) = "Corn";
        s->IngredientNames(2) = "Soybean meal 48";
        s->IngredientNames(3) = "Fish meal";
        s->NutrientCount = 4;
        s->NutrientNames(2) = "Net ENERGY";
        s->NutrientNames(3) = "P";  // one character: left out
        s->NutrientNames(4) = "LYSINE";
        s->DietFormula(1, 1) = 70.5;
        s->DietFormula(2, 1) = 75;
        s->DietFormula(1, 2) = 29.5;
        s->DietFormula(2, 2) = 25;
        s->OptNutrientLimits(1, 1, 1) = 2425;
        s->OptNutrientLimits(1, 2, 1) = 2425;
        s->OptNutrientLimits(2, 1, 1) = 2450.5;
        s->OptNutrientLimits(1, 1, 3) = 1.1;
        s->OptIngredientLimits(1, 2, 3) = 5;
        s->StartAge = 60;
        s->OptDayFeed(0, 61) = 1.5;
    }
};

TEST_F(ResultFixture, TheFileLayoutLineByLine) {
    const std::string expected =
        "  \r\n"
        "DIET Results:          Calculated Diet Contents\r\n"
        "  \r\n"
        "\r\n"
        "Feed Wt./Bird;\r\n"
        ";\r\n"
        "Net ENERGY;\r\n"
        "LYSINE;\r\n"
        " \r\n"
        " \r\n"
        "DIET Results:          Ingredient Weights\r\n"
        "  \r\n"
        "\r\n"
        "Corn          \t70.500\t75.000;\r\n"
        "Soybean meal 48             \t29.500\t25.000;\r\n"
        " \r\n"
        "GROWTH Results:          Live Weight and Feed Intake\r\n"
        "  \r\n"
        "    Age,    \t    Live Wt.\t     Daily    \t    Accum.    \t  Zero Mort.\tBreast Muscle;\r\n"
        "    Days    \t     , g    \t    Feed, g   \t   Feed, g    \t  Velmorant  \t     g      \";\r\n"
        " \r\n"
        "DIET Inputs:          Nutrient Contraints\r\n"
        "  \r\n"
        "\r\n"
        "Net ENERGY\t2425   2425\t2451   0;\r\n"
        "LYSINE\t1.100   0\t0   0;\r\n"
        " \r\n"
        " \r\n"
        "DIET Inputs:          Ingredient Contraints\r\n"
        "  \r\n"
        "\r\n"
        "Corn\t0   0\t0   0;\r\n"
        "Soybean meal 48\t0   0\t0   0;\r\n"
        "Fish meal\t0   5.000\t0   0;\r\n";
    EXPECT_EQ(OptResultText(*s), expected);
}

TEST_F(ResultFixture, WithoutDailyFeedTheFileEndsAfterTheGrowthHeaders) {
    s->OptDayFeed(0, 61) = 0;
    const std::string text = OptResultText(*s);
    EXPECT_EQ(text.find("Contraints"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 16), "     g      \";\r\n");
}

TEST_F(ResultFixture, ASecondRunInTheSameMonthReplacesTheFile) {
    testing::ScratchFolder folder;
    s->LocationFolder = folder.Str();
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    FrmOptP f;
    f.Text1.Text = "Farm";
    WriteOptResult(*s, f, "07/03/2026");
    const std::string first = s->OptResultFile;
    EXPECT_EQ(first, OptResultPath(*s, f, "07/03/2026"));
    EXPECT_EQ(first.rfind(folder.Str(), 0), 0u);
    EXPECT_EQ(std::filesystem::path(first).filename(), "FarmOPTJUL 26.txt");
    s->DietFormula(1, 1) = 60;
    WriteOptResult(*s, f, "07/28/2026");
    EXPECT_EQ(s->OptResultFile, first);
    EXPECT_EQ(folder.Count(), 1u);
    EXPECT_EQ(testing::Slurp(first), OptResultText(*s));
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(ResultFixture, AFailedWriteIsReported) {
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    s->LocationFolder = "/nonexistent-folder-for-tarvisol";
    FrmOptP f;
    f.Text1.Text = "Farm";
    WriteOptResult(*s, f);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].rfind("The optimization result file could not be written", 0), 0u);
    EXPECT_TRUE(s->OptResultFile.empty());
}

}  // namespace
}  // namespace tarvisol
