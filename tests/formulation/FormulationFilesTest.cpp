#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "growth/GrowthRun.h"
#include "shared/TextFile.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;

namespace {

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void Put(const std::filesystem::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

class FormulationFilesTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    std::filesystem::path dir = ScratchFolder("files");
    std::string base = (dir / "Farm").string();
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::vector<std::string> Messages() const { return dialogs.Messages(); }
    void CopyDemo() {
        for (const char* e : {"Matrix.txt", "Req.ing", "Req.nut", ".dts"})
            std::filesystem::copy_file(DemoBase() + e, base + e);
        s->MatrixFile = base + kMatrixEnding;
        s->IngredientRestrictionFile = base + kIngredientEnding;
        s->DietFile = base + kDietEnding;
    }
};

TEST(RestrictionLine, FieldsMinimumWithoutMaximumAndRounding) {
    RestrictionLine r = ParseRestrictionLine(" 1 \t 5 \t12.5");
    EXPECT_EQ(r.diet, 1);
    EXPECT_EQ(r.index, 5);
    EXPECT_EQ(r.minimum, 12.5);
    EXPECT_EQ(r.maximum, 0);
    r = ParseRestrictionLine(" 2            \t 2.5 \t0\t-1");
    EXPECT_EQ(r.diet, 2);
    EXPECT_EQ(r.index, 2);  // halves to even
    EXPECT_EQ(r.maximum, -1);
    r = ParseRestrictionLine("3\t3.5\t1,5\t2x");
    EXPECT_EQ(r.index, 4);
    EXPECT_EQ(r.minimum, 1);  // restriction files take the plain leading number
    EXPECT_EQ(r.maximum, 2);
}

TEST(FileLayout, PrintedIntegersZonesAndNumbers) {
    EXPECT_EQ(PrintInteger(18), " 18 ");
    EXPECT_EQ(PrintInteger(-3), "-3 ");
    EXPECT_EQ(ToNextPrintZone(" 18 "), " 18           ");
    EXPECT_EQ(ToNextPrintZone(" 18 ").size(), 14u);
    EXPECT_EQ(FileNumber(0), "0");
    EXPECT_EQ(FileNumber(3), "3.0000");
    EXPECT_EQ(FileNumber(-1), "-1.0000");
}

TEST_F(FormulationFilesTest, WritersUseTheExactLayouts) {
    LoadToyMatrix();
    s->DietCount = 1;
    s->NutrientLimits(1, 1, 5) = 0;
    s->NutrientLimits(1, 2, 5) = 3;
    s->IngredientLimits(1, 2, 2) = -1;
    s->MatrixFile = base + kMatrixEnding;
    s->IngredientRestrictionFile = base + kIngredientEnding;
    s->NutrientRestrictionFile = base + kNutrientEnding;
    ASSERT_TRUE(SaveMatrix(*s, false));
    ASSERT_TRUE(SaveIngredientRestrictions(*s, false));
    ASSERT_TRUE(SaveNutrientRestrictions(*s, false));

    const auto matrix = SplitLines(Slurp(base + kMatrixEnding));
    ASSERT_EQ(matrix.size(), 1u + 3 + 14 + 3 * 15);
    EXPECT_EQ(matrix[0], " 3" + std::string(12, ' ') + " 15 ");
    EXPECT_EQ(matrix[1], "A");
    EXPECT_EQ(matrix[4], "Net ENERGY");
    EXPECT_EQ(matrix[18], "100.00\tCost\tA");
    EXPECT_EQ(matrix[19], "3000.0\tNet ENERGY\tA");
    EXPECT_NE(Slurp(base + kMatrixEnding).find("\tA\r\n"), std::string::npos);

    EXPECT_EQ(Slurp(base + kIngredientEnding), " 1            \t 2 \t0\t-1.0000\r\n");
    EXPECT_EQ(Slurp(base + kNutrientEnding),
              " 1 \t 1 \t2500.0\t0\r\n 1 \t 2 \t16.000\t0\r\n 1 \t 5 \t0\t3.0000\r\n");
}

TEST_F(FormulationFilesTest, DemoLocationSurvivesASaveAndReload) {
    CopyDemo();
    ASSERT_TRUE(LoadLP(*s, s->MatrixFile));
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    EXPECT_EQ(s->IngredientCount, 19);
    EXPECT_EQ(s->NutrientCount, 22);
    EXPECT_EQ(s->NutrientRestrictionFile, base + "Req.nut");  // the ".Nut" companion, found whatever its case
    EXPECT_EQ(w->gridFILES.TextMatrix(kFilesRowMatrix, 0), base + kMatrixEnding);
    EXPECT_EQ(w->Griddiets.TextMatrix(4, 0), "NET ENERGY (NE)");
    const SharedState before = *s;

    w->ComboDiets.ListIndex = 4;
    SaveTheDiets(*s);
    auto fresh = std::make_unique<SharedState>();
    fresh->Dialog = &dialogs;
    fresh->IngredientRestrictionFile = base + kIngredientEnding;
    ASSERT_TRUE(LoadLP(*fresh, base + kMatrixEnding));
    EXPECT_EQ(fresh->IngredientNames, before.IngredientNames);
    EXPECT_EQ(fresh->NutrientNames, before.NutrientNames);
    EXPECT_EQ(fresh->IngredientPrices, before.IngredientPrices);
    EXPECT_EQ(fresh->IngredientMatrix, before.IngredientMatrix);
    EXPECT_EQ(fresh->IngredientLimits, before.IngredientLimits);
    EXPECT_EQ(fresh->NutrientLimits, before.NutrientLimits);
    EXPECT_EQ(fresh->LoadedNutrientLimits, before.NutrientLimits);
}

TEST_F(FormulationFilesTest, DietFileRoundTripKeepsCommasInNamesAndLabelsRowsByNutrient) {
    LoadToyMatrix();
    s->NutrientNames(16) = "CALCIUM";
    Grid& g = w->Griddiets;
    g.SetTextMatrix(1, 1, "Grower, phase 1");
    g.SetTextMatrix(2, 1, " 256,5 ");
    g.SetTextMatrix(3, 1, "55");
    g.SetTextMatrix(4, 1, "2425");
    g.SetTextMatrix(9, 1, "0,18");
    g.SetTextMatrix(1, 2, "Finisher");
    g.SetTextMatrix(4, 2, "2475");
    s->DietFile = base + ".dts";
    ASSERT_TRUE(SaveDiets(*s, false));
    EXPECT_EQ(Messages().back(), base + ".dts was saved");
    const auto lines = SplitLines(Slurp(base + ".dts"));
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[0], "Diet Name\tGrower, phase 1");
    EXPECT_EQ(lines[1], "Feed Cost\t256.5");
    EXPECT_EQ(lines[8], "Tryptophan\t0.18");
    EXPECT_EQ(lines[9], "Phe + Tyrosine\t");
    EXPECT_EQ(lines[16], "Valine\t");
    EXPECT_EQ(lines[17], "CALCIUM\t");
    EXPECT_EQ(lines[18], "Diet Name\tFinisher");

    auto other = std::make_unique<MainWindow>();
    other->ComboDiets.Items = w->ComboDiets.Items;
    s->Main = other.get();
    ReadDiets(*s, base + ".dts");
    EXPECT_EQ(s->DietCount, 2);
    EXPECT_EQ(other->Griddiets.TextMatrix(1, 1), "Grower, phase 1");
    EXPECT_EQ(other->Griddiets.TextMatrix(2, 1), "256.5");
    EXPECT_EQ(other->Griddiets.TextMatrix(9, 0), "Tryptophan");
    EXPECT_EQ(s->DietFeedAmount(1), 55);
    EXPECT_EQ(s->DietNutrients(1, 1), 2425);
    EXPECT_EQ(s->DietNutrients(1, 6), 0.18);
    EXPECT_EQ(s->DietNutrients(2, 1), 2475);
    EXPECT_EQ(other->ComboDiets.ListIndex, 2);
}

TEST_F(FormulationFilesTest, DietFileOf40LinesHoldsTwoDiets) {
    std::string text;
    for (int n = 0; n < 40; ++n) text += "Row\t" + std::to_string(n) + "\r\n";
    Put(base + ".dts", text);
    ReadDiets(*s, base + ".dts");
    EXPECT_EQ(s->DietCount, 2);
    EXPECT_EQ(s->DietNutrients(2, 15), 35);
}

// The programme has six diets: a file of more says which it did not read.
TEST_F(FormulationFilesTest, DietsBeyondSixAreToldNotDroppedUnseen) {
    std::string text;
    for (int n = 0; n < 9 * 18; ++n) text += "Row\t" + std::to_string(n % 18) + "\r\n";
    Put(base + ".dts", text);
    ReadDiets(*s, base + ".dts");
    EXPECT_EQ(s->DietCount, 6);
    EXPECT_EQ(Messages(), std::vector<std::string>{base + ".dts holds 9 diets; the programme takes 6: diets 7 to 9 "
                                                          "were not read"});
    dialogs.ClearLog();
    text.resize(text.size() / 9 * 7);
    Put(base + ".dts", text);
    ReadDiets(*s, base + ".dts");
    EXPECT_EQ(Messages(), std::vector<std::string>{base + ".dts holds 7 diets; the programme takes 6: diet 7 was not read"});
}

TEST_F(FormulationFilesTest, MatrixValueLinesAndRaisedCounts) {
    Put(base + kMatrixEnding, " 1            2 \r\nCorn\r\nNet ENERGY\r\n210\tCost\tCorn\r\n12,5\r\n");
    Put(base + kIngredientEnding, " 1            \t 40 \t0\t5\r\n");
    Put(base + "Req.Nut", " 1 \t 1 \t2400\t0\r\n 1 \t 30 \t1\t2\r\n");
    s->IngredientRestrictionFile = base + kIngredientEnding;
    ASSERT_TRUE(LoadLP(*s, base + kMatrixEnding));
    EXPECT_EQ(s->IngredientMatrix(2, 1), 12.5);
    EXPECT_EQ(s->IngredientMatrix(1, 1), 100);
    EXPECT_EQ(s->IngredientPrices(1), 210);
    EXPECT_EQ(s->IngredientCount, 40);
    EXPECT_EQ(s->NutrientCount, 31);  // nutrient 30 sits in column 31
    EXPECT_EQ(s->IngredientLimits(1, 2, 40), 5);
    EXPECT_EQ(s->NutrientLimits(1, 2, 30), 2);
    // The counts are raised, and the user is told the lines name what the
    // matrix does not hold.
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_NE(Messages()[0].find("line 1: ingredient 40 is not in the matrix"), std::string::npos) << Messages()[0];
    EXPECT_NE(Messages()[1].find("line 2: nutrient 30 is in no ingredient"), std::string::npos) << Messages()[1];

    Put(base + kMatrixEnding, " 1 , 2\r\nCorn\r\nNet ENERGY\r\n\t7,5\r\n3.25\tNet ENERGY\tCorn\r\n");
    ASSERT_TRUE(LoadLP(*s, base + kMatrixEnding));
    EXPECT_EQ(s->IngredientPrices(1), 7);  // a leading TAB: the field before the first comma
    EXPECT_EQ(s->IngredientMatrix(2, 1), 3.25);
}

TEST_F(FormulationFilesTest, BadMatricesAreRefusedAndThePreviousTablesStay) {
    CopyDemo();
    ASSERT_TRUE(LoadLP(*s, s->MatrixFile));
    const SharedState before = *s;
    dialogs.ClearLog();
    const std::string bad = (dir / "BadMatrix.txt").string();

    Put(bad, " 2            15 \r\nA\r\nB\r\n");
    EXPECT_FALSE(LoadLP(*s, bad));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], bad + " ends at line 3, but 2 ingredients of 15 columns need 47 lines; the file was not "
                                   "loaded");

    for (const char* header : {" 101            15 ", " 5            122 ", "x y", ""}) {
        Put(bad, std::string(header) + "\r\n");
        EXPECT_FALSE(LoadLP(*s, bad)) << header;
    }
    EXPECT_EQ(Messages().size(), 5u);
    EXPECT_EQ(Messages()[1], bad + ", line 1: a matrix of 101 ingredients and 15 columns does not fit (1 to 100 "
                                   "ingredients, 2 to 121 columns counting the weight); the file was not loaded");
    EXPECT_EQ(s->IngredientMatrix, before.IngredientMatrix);
    EXPECT_EQ(s->IngredientNames, before.IngredientNames);
    EXPECT_EQ(s->NutrientLimits, before.NutrientLimits);
    EXPECT_EQ(s->IngredientCount, 19);
    EXPECT_EQ(s->MatrixFile, base + kMatrixEnding);
    RunLp(*s);
    EXPECT_EQ(s->DietFaults(1), 0);
}

TEST_F(FormulationFilesTest, RestrictionLinesOutsideTheTablesAreSkippedNamingFileAndLine) {
    LoadToyMatrix();
    const std::string ing = base + kIngredientEnding, nut = base + "Req.Nut";
    Put(ing, " 1 \t 2 \t0\t50\r\n 9 \t 2 \t0\t50\r\n 1 \t 101 \t0\t5\r\n\r\n-1\t1\t0\t1\r\n");
    Put(nut, " 1 \t 1 \t2400\t0\r\n 1 \t 122 \t1\t0\r\n 70000 \t 1 \t1\t1\r\n");
    ReadRestrictions(*s, ing);
    const auto m = Messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].rfind(ing + ": 3 lines skipped", 0), 0u) << m[0];
    EXPECT_NE(m[0].find("line 2: diet 9"), std::string::npos);
    EXPECT_NE(m[0].find("line 3: ingredient 101"), std::string::npos);
    EXPECT_NE(m[0].find("line 5: diet -1"), std::string::npos);
    EXPECT_NE(m[1].find("line 2: nutrient 122"), std::string::npos);
    EXPECT_NE(m[1].find("line 3: diet 70000"), std::string::npos);
    EXPECT_EQ(s->IngredientLimits(1, 2, 2), 50);
    EXPECT_EQ(s->IngredientCount, 3);
    EXPECT_EQ(s->NutrientLimits(1, 1, 1), 2400);
    EXPECT_EQ(s->NutrientCount, 15);
}

TEST_F(FormulationFilesTest, MissingRestrictionFilesSwitchToTheDietsOnTheGrid) {
    LoadToyMatrix();
    ReadRestrictions(*s, base + kIngredientEnding);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No Ingredient Restriction File found named " + base +
                                                   kIngredientEnding});
    EXPECT_EQ(w->Combo1.Text(), "Use Diets on Grid");

    dialogs.ClearLog();
    w->Combo1.ListIndex = 1;
    Put(base + kIngredientEnding, "");
    ReadRestrictions(*s, base + kIngredientEnding);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No Nutrient Restriction File found named " + base + "Req.Nut"});
    EXPECT_EQ(w->Combo1.ListIndex, 2);

    dialogs.ClearLog();
    w->Combo1.ListIndex = 1;
    s->NutrientLimits(1, 1, 1) = 0;
    Put(base + "Req.Nut", " 2 \t 1 \t2400\t0\r\n");
    s->LocationFolder = dir.string() + "/";
    ReadRestrictions(*s, base + kIngredientEnding);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No Nutriet Restriction File found named " + dir.string() + "/" +
                                                   base + "Req.Nut"});
    EXPECT_EQ(w->Combo1.ListIndex, 2);
}

TEST_F(FormulationFilesTest, SaveDialogsKeepTheCurrentPathOrEndTheSave) {
    LoadToyMatrix();
    s->MatrixFile = base + kMatrixEnding;
    s->IngredientRestrictionFile = base + kIngredientEnding;
    dialogs.Text("*Matrix.txt").Text("Req.ing");
    EXPECT_FALSE(SaveMatrix(*s, true));
    EXPECT_FALSE(std::filesystem::exists(base + kMatrixEnding));
    EXPECT_TRUE(SaveIngredientRestrictions(*s, true));
    EXPECT_TRUE(std::filesystem::exists(base + kIngredientEnding));
    EXPECT_EQ(dialogs.Log()[0].title, "CURRENT FILE IS " + base + kMatrixEnding +
                                          " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");

    w->Griddiets.SetTextMatrix(4, 1, "2400");
    dialogs.Text((dir / "Other").string());
    EXPECT_TRUE(SaveDiets(*s, true));
    EXPECT_TRUE(std::filesystem::exists(dir / "Other.dts"));
    EXPECT_EQ(s->DietFile, (dir / "Other.dts").string());
}

}  // namespace

// A diet file's price with grouped thousands reads as the price it groups,
// and the reader says so with the file's line; a grouped price typed is saved
// as the price it groups.
TEST_F(FormulationFilesTest, DietFilePriceWithGroupedThousandsIsReadAsGroupedAndSaid) {
    std::string text = "Diet Name\tFinisher\r\nFeed Cost\t1,150.00\r\nFeed Weight\t90\r\nEnergy NE\t2450\r\n";
    for (int r = 5; r <= 18; ++r) text += "Row\t1\r\n";
    Put(base + ".dts", text);
    ReadDiets(*s, base + ".dts");
    ASSERT_EQ(s->DietCount, 1);
    ReadDietColumn(*s, *w, 1);
    EXPECT_EQ(s->DietNutrients(1, 0), 1150);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find(base + ".dts, line 2"), std::string::npos) << Messages()[0];
    EXPECT_NE(Messages()[0].find("1,150.00"), std::string::npos) << Messages()[0];
    w->Griddiets.SetTextMatrix(2, 1, "2,300.00");
    ASSERT_TRUE(SaveDiets(*s, false));
    EXPECT_EQ(SplitLines(Slurp(base + ".dts"))[1], "Feed Cost\t2300.00");
}
