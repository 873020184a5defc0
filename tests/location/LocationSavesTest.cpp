// A location opened from the files a user has (a byte-order mark, a dotted
// name) and saved: only what changed is written, and a failed save is told.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "location/CalFile.h"
#include "formulation/FormulationFiles.h"
#include "growth/Temperature.h"
#include "location/PigFile.h"
#include "location/ScratchFolder.h"
#include "location/StartUp.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"
#include "support/DemoLocation.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;
namespace fs = std::filesystem;

namespace {

const char* const kEndings[] = {".pig", ".cal", ".stg", ".dts", "Matrix.txt", "Req.ing", "Req.nut"};

ino_t Inode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

struct Opened {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    std::unique_ptr<MainWindow> w = std::make_unique<MainWindow>();
    ScriptedDialogs dialogs;
    ScratchFolder program;

    // Types the name into the calibration name box and answers Yes to
    // reopening it, as the user opens a location.
    // With no name, the settings file `picked` is chosen in the file dialog.
    explicit Opened(const std::string& folder, const std::string& name, const std::string& picked = {}) {
        s->Main = w.get();
        s->Dialog = &dialogs;
        FormLoad(*s, program.Str());
        s->LocationFolder = folder;
        w->Text6.Text = name;
        if (name.empty())
            dialogs.Text(picked);
        else
            dialogs.Answer(Answer::Yes);
        LocationName(*s);
    }
};

class LocationSaves : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::string File(const std::string& ending) const { return folder.File("Demo" + ending); }
    void SetUp() override { tarvisol::testing::CopyDemoLocation(fs::path(folder.Str())); }
};

TEST_F(LocationSaves, EveryFileWithAByteOrderMarkOpensAsWithout) {
    Opened plain(folder.Str(), "Demo");
    ScratchFolder marked;
    for (const char* e : kEndings) Spit(marked.File(std::string("Demo") + e), "\xEF\xBB\xBF" + Slurp(File(e)));
    Opened bom(marked.Str(), "Demo");
    EXPECT_EQ(bom.dialogs.Messages(), plain.dialogs.Messages());
    EXPECT_EQ(bom.s->GrowthCurve, plain.s->GrowthCurve);
    EXPECT_EQ(bom.s->CalibWeightTable, plain.s->CalibWeightTable);
    EXPECT_EQ(bom.s->CalibTemps, plain.s->CalibTemps);
    EXPECT_EQ(bom.s->IngredientCount, 19);
    EXPECT_EQ(bom.s->IngredientMatrix, plain.s->IngredientMatrix);
    EXPECT_EQ(bom.s->IngredientLimits, plain.s->IngredientLimits);
    EXPECT_EQ(bom.s->NutrientLimits, plain.s->NutrientLimits);
    EXPECT_EQ(bom.w->Griddiets.TextMatrix(1, 1), plain.w->Griddiets.TextMatrix(1, 1));
}

TEST_F(LocationSaves, ADottedNameOpensItsOwnFilesNotThoseOfTheShorterName) {
    for (const char* e : kEndings) fs::copy_file(File(e), folder.File(std::string("Herd.v2") + e));
    for (const char* e : kEndings) fs::copy_file(File(e), folder.File(std::string("Herd") + e));
    std::string pig = Slurp(folder.File("Herd.v2.pig"));
    pig.replace(0, pig.find('\r'), "9.87600");
    Spit(folder.File("Herd.v2.pig"), pig);

    Opened typed(folder.Str(), "Herd.v2");
    EXPECT_EQ(typed.s->PigFile, folder.File("Herd.v2.pig"));
    EXPECT_EQ(typed.s->MatrixFile, folder.File("Herd.v2Matrix.txt"));
    EXPECT_EQ(typed.s->GrowthCurve(0, 0), 9.876);
    EXPECT_EQ(typed.w->Text6.Text, "Herd.v2");

    Opened picked(folder.Str(), "", folder.File("Herd.v2.pig"));
    EXPECT_EQ(picked.s->CalFile, folder.File("Herd.v2.cal"));
    EXPECT_EQ(picked.s->GrowthCurve(0, 0), 9.876);
}

TEST_F(LocationSaves, SaveAllOfAnUnchangedLocationRewritesNothing) {
    // Values the documented layouts would round: a .cal weight and a .pig input.
    std::string cal = Slurp(File(".cal"));
    cal.replace(cal.find("25.000"), 6, "25.2345");
    Spit(File(".cal"), cal);
    std::string pig = Slurp(File(".pig"));
    pig.replace(pig.find("25.00"), 5, "25.2345");
    Spit(File(".pig"), pig);
    Opened o(folder.Str(), "Demo");
    ino_t before[7];
    for (int i = 0; i < 7; ++i) before[i] = Inode(File(kEndings[i]));
    o.dialogs.ClearLog();
    SaveAllToCurrentLocation(*o.s);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(Inode(File(kEndings[i])), before[i]) << kEndings[i];
}

TEST_F(LocationSaves, SaveAllKeepsThePrecisionOfWhatWasRead) {
    std::string pig = Slurp(File(".pig"));
    pig.replace(pig.find("25.00"), 5, "25.2345");
    Spit(File(".pig"), pig);
    Opened o(folder.Str(), "Demo");
    o.w->Text3.Text = "121";  // a change, so that the .pig is written
    SaveAllToCurrentLocation(*o.s);
    const auto lines = SplitLines(Slurp(File(".pig")));
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[5], "25.2345");
    EXPECT_EQ(lines[7], "121.0");
}

TEST_F(LocationSaves, SaveAllThatFailsOnOneFileChangesNone) {
    Opened o(folder.Str(), "Demo");
    const std::string matrix = Slurp(File("Matrix.txt")), ing = Slurp(File("Req.ing"));
    o.w->Text3.Text = "121";
    o.s->IngredientPrices(1) = 211;
    o.s->IngredientLimits(1, 2, 3) = 41;
    o.dialogs.ClearLog();
    {
        // The matrix is longer than this, the other files shorter.
        tarvisol::testing::FileSizeCap cap(4000);
        SaveAllToCurrentLocation(*o.s);
    }
    EXPECT_EQ(Slurp(File("Matrix.txt")), matrix);
    EXPECT_EQ(Slurp(File("Req.ing")), ing);
    const auto m = o.dialogs.Messages();
    ASSERT_EQ(m.size(), 1u) << ::testing::PrintToString(m);
    EXPECT_NE(m[0].find("Cannot save " + File("Matrix.txt")), std::string::npos) << m[0];
    EXPECT_NE(m[0].find("The location was not saved: none of its files was changed."), std::string::npos) << m[0];
    EXPECT_EQ(o.s->FailedSaves, 1);
}

TEST_F(LocationSaves, TheTemperatureWindowOpensWithTheStoredTable) {
    Opened o(folder.Str(), "Demo");
    TemperatureWindow t;
    ShowTemperatureWindow(*o.s, t);
    EXPECT_EQ(t.GridTemps.TextMatrix(1, 1), "22");
    EXPECT_EQ(t.GridTemps.TextMatrix(1, 2), "21.5");
    const std::string stored = Slurp(File(".stg"));
    TempWindowSave(*o.s, t);
    EXPECT_EQ(SplitLines(Slurp(File(".stg"))), SplitLines(stored));
}

TEST_F(LocationSaves, SaveAndCloseOfTheTemperatureWindowWritesTheFile) {
    Opened o(folder.Str(), "Demo");
    TemperatureWindow t;
    ShowTemperatureWindow(*o.s, t);
    t.GridTemps.SetTextMatrix(3, 2, "19.5");
    TempWindowSaveAndClose(*o.s, t);
    EXPECT_FALSE(t.Visible);
    EXPECT_EQ(SplitLines(Slurp(File(".stg")))[3], " 21.6\t 19.5");
}

TEST_F(LocationSaves, ClosingWithChangesNotSavedAsks) {
    Opened o(folder.Str(), "Demo");
    EXPECT_TRUE(MayCloseMainWindow(*o.s));  // nothing changed: no question
    EXPECT_TRUE(o.dialogs.Exhausted());
    o.s->IngredientPrices(1) = 211;
    o.dialogs.ClearLog();
    o.dialogs.Answer(Answer::Cancel).Answer(Answer::Yes);
    EXPECT_FALSE(MayCloseMainWindow(*o.s));
    ASSERT_EQ(o.dialogs.Log().size(), 1u);
    EXPECT_NE(o.dialogs.Log()[0].text.find("DemoMatrix.txt"), std::string::npos) << o.dialogs.Log()[0].text;
    EXPECT_EQ(o.dialogs.Log()[0].text.find("Demo.pig"), std::string::npos) << o.dialogs.Log()[0].text;
    EXPECT_TRUE(MayCloseMainWindow(*o.s));
    EXPECT_NE(Slurp(File("Matrix.txt")).find("211.00\tCost\tCorn"), std::string::npos);
}

TEST(PigRoundTrip, ATinyStartingWeightComesBackAsItWasSaved) {
    SharedState s;
    for (int k = 0; k <= 4; ++k) s.GrowthCurve(0, k) = kDefaultCurve[k];
    s.CalibInputs(1) = 0.0002;
    const std::string saved = JoinCrlf(PigFileLines(s));
    SharedState again;
    ReadPigText(again, saved, "again.pig");
    EXPECT_EQ(again.CalibInputs(1), 0.0002);
    EXPECT_EQ(JoinCrlf(PigFileLines(again)), saved);
}

}  // namespace
