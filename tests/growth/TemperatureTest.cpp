#include "growth/Temperature.h"

#include <gtest/gtest.h>

#include <memory>

#include "location/ScratchFolder.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"

using namespace tarvisol;
using tarvisol::testing::FileSizeCap;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;

namespace {

class TemperatureTest : public ::testing::Test {
protected:
    void SetUp() override {
        s->Main = form.get();
        s->Dialog = &dialogs;
        s->TempFileName = folder.File("Herd.stg");
        SetTemps(*s);  // as start-up does
    }
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    TemperatureWindow window;
    ScratchFolder folder;
};

// --- The window as it opens.

TEST_F(TemperatureTest, WindowWithoutAStartingAgeLabelsTheWeeksFrom50) {
    for (const char* typed : {"", "0"}) {
        form->Text2.Text = typed;
        ShowTemperatureWindow(*s, window);
        const Grid& g = window.GridTemps;
        EXPECT_EQ(g.Rows(), 22);
        EXPECT_EQ(g.Cols(), 3);
        EXPECT_EQ(g.TextMatrix(0, 0), "Age, days");
        EXPECT_EQ(g.TextMatrix(0, 1), "Calib. T, C");
        EXPECT_EQ(g.TextMatrix(0, 2), "Future T, C");
        EXPECT_EQ(g.TextMatrix(1, 0), " 50 -  56");
        EXPECT_EQ(g.TextMatrix(2, 0), " 57 -  63");
        EXPECT_EQ(g.TextMatrix(20, 0), " 183 -  189");
        for (int c = 0; c < 3; ++c) EXPECT_EQ(g.TextMatrix(21, c), "");
        EXPECT_TRUE(window.Visible);
    }
}

// The window once opened at 20 degrees whatever the tables held, so that a
// save from it replaced the location's table: it shows the tables now.
TEST_F(TemperatureTest, WindowOpensWithTheTablesItHolds) {
    for (int i = 1; i <= 20; ++i) s->TempTable(i) = s->CalibTemps(i) = 30 + i;
    form->Text2.Text = "63";
    ShowTemperatureWindow(*s, window);
    EXPECT_EQ(window.GridTemps.TextMatrix(1, 0), " 63 -  69");
    EXPECT_EQ(window.GridTemps.TextMatrix(20, 0), " 196 -  202");
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(window.GridTemps.TextMatrix(i, 1), std::to_string(30 + i));
        EXPECT_EQ(window.GridTemps.TextMatrix(i, 2), std::to_string(30 + i));
    }
}

// --- Taking the grid over and the window's commands.

TEST_F(TemperatureTest, SavingAFreshWindowWrites20AndTheFirstAge) {
    form->Text2.Text = "";
    ShowTemperatureWindow(*s, window);
    TempWindowSave(*s, window);
    EXPECT_TRUE(dialogs.Messages().empty());
    std::vector<std::string> expected{" 50\t 50"};
    for (int i = 1; i <= 20; ++i) expected.push_back(" 20\t 20");
    EXPECT_EQ(Slurp(s->TempFileName), JoinCrlf(expected));
    EXPECT_TRUE(window.Visible);
}

TEST_F(TemperatureTest, TakesTheTypedCellsOverIncludingADecimalComma) {
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(3, 1, "21,5");
    window.GridTemps.SetTextMatrix(4, 2, " 18.25 ");
    window.GridTemps.SetTextMatrix(5, 2, "-2");
    EXPECT_TRUE(ReadTemps(*s, window));
    EXPECT_EQ(s->CalibTemps(3), 21.5);
    EXPECT_EQ(s->TempTable(4), 18.25);
    EXPECT_EQ(s->TempTable(5), -2);
    EXPECT_EQ(s->TempTable(0), 50);
    EXPECT_EQ(s->CalibTemps(0), 50);
    EXPECT_EQ(s->TempTable(21), 0);  // row 21 is not read
}

TEST_F(TemperatureTest, EmptyOrNonNumericCellsAreRefusedAndKeepTheirValues) {
    s->CalibTemps(2) = 19;
    s->TempTable(7) = 17;
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(2, 1, "");
    window.GridTemps.SetTextMatrix(7, 2, "2O");  // a letter O
    window.GridTemps.SetTextMatrix(8, 2, "22");
    EXPECT_FALSE(ReadTemps(*s, window));
    EXPECT_EQ(s->CalibTemps(2), 19);
    EXPECT_EQ(s->TempTable(7), 17);
    EXPECT_EQ(s->TempTable(8), 22);  // the good cells are still taken over
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0],
              "A temperature must be a number in degrees C. These cells are not and kept their previous values: "
              "week 2 Calib. T, week 7 Future T.");
}

TEST_F(TemperatureTest, ARefusedCellStopsTheSaveAndKeepsTheWindowOpen) {
    Spit(s->TempFileName, "old\r\n");
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(1, 1, "warm");
    TempWindowSave(*s, window);
    EXPECT_EQ(Slurp(s->TempFileName), "old\r\n");
    TempWindowSaveAndClose(*s, window);
    EXPECT_TRUE(window.Visible);
    window.GridTemps.SetTextMatrix(1, 1, "21");
    TempWindowSaveAndClose(*s, window);
    EXPECT_FALSE(window.Visible);
    EXPECT_EQ(s->CalibTemps(1), 21);
    // "Save and Close" saves: the file holds the table taken over.
    EXPECT_EQ(SplitLines(Slurp(s->TempFileName))[1], " 21\t 20");
}

TEST_F(TemperatureTest, SaveOnlyTakesOverAndCloseDoesNot) {
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(1, 2, "24");
    TempWindowSaveOnly(*s, window);
    EXPECT_EQ(s->TempTable(1), 24);
    EXPECT_TRUE(window.Visible);
    EXPECT_FALSE(tarvisol::FileExists(s->TempFileName));
    window.GridTemps.SetTextMatrix(1, 2, "26");
    TempWindowClose(window);
    EXPECT_FALSE(window.Visible);
    EXPECT_EQ(s->TempTable(1), 24);
}

TEST_F(TemperatureTest, ClosingWithTemperaturesNotTakenOverAsksFirst) {
    ShowTemperatureWindow(*s, window);
    EXPECT_TRUE(TempWindowCloseAsked(*s, window));  // nothing typed: no question
    EXPECT_TRUE(dialogs.Log().empty());
    const double before = s->TempTable(1);
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(1, 2, "24");
    dialogs.Answer(Answer::Cancel).Answer(Answer::No).Answer(Answer::Yes);
    EXPECT_FALSE(TempWindowCloseAsked(*s, window));
    EXPECT_TRUE(window.Visible);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].text,
              "The temperatures were changed and not taken over. Take them over before closing? (No discards the "
              "changes)");
    EXPECT_TRUE(TempWindowCloseAsked(*s, window));  // No discards
    EXPECT_EQ(s->TempTable(1), before);
    ShowTemperatureWindow(*s, window);
    window.GridTemps.SetTextMatrix(1, 2, "24");
    EXPECT_TRUE(TempWindowCloseAsked(*s, window));  // Yes takes over, and saves nothing
    EXPECT_EQ(s->TempTable(1), 24);
    EXPECT_FALSE(window.Visible);
    EXPECT_FALSE(tarvisol::FileExists(s->TempFileName));
}

TEST_F(TemperatureTest, SetTempsFillsTheWeeksAndLeavesTheStartingAge) {
    s->TempTable(0) = 63;
    s->CalibTemps(0) = 63;
    s->TempTable(21) = 5;
    s->TempTable(22) = 7;
    SetTemps(*s);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(s->TempTable(i), 20);
        EXPECT_EQ(s->CalibTemps(i), 20);
    }
    EXPECT_EQ(s->TempTable(0), 63);
    EXPECT_EQ(s->CalibTemps(0), 63);
    EXPECT_EQ(s->TempTable(21), 0);
    EXPECT_EQ(s->TempTable(22), 7);
}

// --- The file.

TEST_F(TemperatureTest, WrittenFileReadsBackTheSameTables) {
    for (int i = 0; i <= 20; ++i) {
        s->CalibTemps(i) = i == 0 ? 63 : 22.5 - 0.2 * i;
        s->TempTable(i) = i == 0 ? 63 : 21 - 0.15 * i;
    }
    ASSERT_TRUE(WriteTempFile(*s));
    SharedState back;
    back.TempFileName = s->TempFileName;
    ASSERT_TRUE(ReadTempFile(back));
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(back.CalibTemps(i), s->CalibTemps(i)) << i;
        EXPECT_EQ(back.TempTable(i), s->TempTable(i)) << i;
    }
    // A second save of what was read is byte for byte the first.
    const std::string first = Slurp(s->TempFileName);
    ASSERT_TRUE(WriteTempFile(back));
    EXPECT_EQ(Slurp(s->TempFileName), first);
}

TEST_F(TemperatureTest, ReaderTakesTabsCommasAndBlanksAndFillsOnlyWhatIsThere) {
    for (int i = 0; i <= 24; ++i) s->CalibTemps(i) = s->TempTable(i) = -1;
    ReadTempText(*s, "60\t61\r\n18,19\n  17   16.5\r21 , 22\r\n");
    EXPECT_EQ(s->CalibTemps(0), 60);
    EXPECT_EQ(s->TempTable(0), 61);
    EXPECT_EQ(s->CalibTemps(1), 18);
    EXPECT_EQ(s->TempTable(1), 19);
    EXPECT_EQ(s->CalibTemps(2), 17);
    EXPECT_EQ(s->TempTable(2), 16.5);
    EXPECT_EQ(s->CalibTemps(3), 21);
    EXPECT_EQ(s->TempTable(3), 22);
    for (int i = 4; i <= 24; ++i) {
        EXPECT_EQ(s->CalibTemps(i), -1);
        EXPECT_EQ(s->TempTable(i), -1);
    }
}

TEST_F(TemperatureTest, ReaderStopsAfter25Entries) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::to_string(i) + "\t" + std::to_string(100 + i) + "\r\n";
    ReadTempText(*s, text);
    EXPECT_EQ(s->CalibTemps(24), 24);
    EXPECT_EQ(s->TempTable(24), 124);
}

TEST_F(TemperatureTest, AFailedSaveSaysSoAndLeavesTheOldFileWhole) {
    const std::string old = "old table\r\n";
    Spit(s->TempFileName, old);
    SetTemps(*s);
    {
        FileSizeCap cap(16);
        EXPECT_FALSE(WriteTempFile(*s));
    }
    EXPECT_EQ(Slurp(s->TempFileName), old);
    EXPECT_EQ(folder.Count(), 1u);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].rfind("Cannot save " + s->TempFileName, 0), 0u);
    EXPECT_NE(dialogs.Messages()[0].find("The old file is unchanged."), std::string::npos);

    s->TempFileName.clear();
    EXPECT_FALSE(WriteTempFile(*s));
    EXPECT_EQ(dialogs.Messages().back(),
              "There is no temperature file to save to: open a location or a temperature file first.");
}

TEST_F(TemperatureTest, OpenTemperatureFileReadsTheChosenFileAndCancelChangesNothing) {
    const std::string other = folder.File("Other.stg");
    Spit(other, " 70\t 70\r\n 25\t 26\r\n");
    dialogs.Text("*.stg");
    OpenTemperatureFile(*s);
    EXPECT_EQ(s->TempFileName, folder.File("Herd.stg"));
    EXPECT_EQ(s->TempTable(0), 0);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].text, "Select a Temperature File");

    dialogs.Text(other);
    OpenTemperatureFile(*s);
    EXPECT_EQ(s->TempFileName, other);
    EXPECT_EQ(s->TempTable(0), 70);
    EXPECT_EQ(s->CalibTemps(1), 25);
    EXPECT_EQ(s->TempTable(1), 26);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(TemperatureItems, SplitLikeASequentialRead) {
    EXPECT_EQ(InputItems("1 , 2\t3\r\n4", 10), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(InputItems("a,,b", 10), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(InputItems("  \r\n ", 10), std::vector<std::string>{});
    EXPECT_EQ(InputItems("1 2 3 4", 2), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(IsPlainNumber(" -1.5e3 "));
    EXPECT_TRUE(IsPlainNumber("20,5"));
    EXPECT_FALSE(IsPlainNumber(""));
    EXPECT_FALSE(IsPlainNumber("20 C"));
    EXPECT_FALSE(IsPlainNumber("1.2.3"));
    EXPECT_FALSE(IsPlainNumber("1e"));
    EXPECT_FALSE(IsPlainNumber("."));
}

}  // namespace
