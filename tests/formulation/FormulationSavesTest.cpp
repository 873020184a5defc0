// The formulation files read from what a user may have (a byte-order mark, a
// decimal comma, stray lines) and saved without losing what was not changed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <utility>

#include "formulation/Formulate.h"
#include "formulation/FormulationFiles.h"
#include "shared/Numbers.h"
#include "support/DemoAfterGrowth.h"
#include "location/ScratchFolder.h"
#include "shared/TextFile.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;
using tarvisol::testing::Slurp;
using tarvisol::testing::Spit;
namespace fs = std::filesystem;

namespace {

ino_t Inode(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

class FormulationSaves : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    class tarvisol::testing::ScratchFolder folder;  // the class, not the fixture's function of that name
    std::string base = folder.File("Farm");
    void CopyDemo() {
        for (const char* e : {"Matrix.txt", "Req.ing", "Req.nut", ".dts"}) fs::copy_file(DemoBase() + e, base + e);
        s->MatrixFile = base + kMatrixEnding;
        s->IngredientRestrictionFile = base + kIngredientEnding;
        s->NutrientRestrictionFile = base + kNutrientEnding;
        s->DietFile = base + kDietEnding;
    }
    void Open() {
        ReadDiets(*s, s->DietFile);
        ASSERT_TRUE(LoadLP(*s, s->MatrixFile));
    }
};

TEST_F(FormulationSaves, AMatrixOfNoIngredientsOrNoNutrientColumnIsRefused) {
    CopyDemo();
    Open();
    dialogs.ClearLog();
    for (const char* header : {" 0            5 ", " 2            1 "}) {
        Spit(base + kMatrixEnding, std::string(header) + "\r\nA\r\nB\r\n1\r\n2\r\n");
        EXPECT_FALSE(LoadLP(*s, base + kMatrixEnding)) << header;
        ASSERT_EQ(dialogs.Messages().size(), 1u) << header;
        EXPECT_NE(dialogs.Messages()[0].find("does not fit"), std::string::npos) << dialogs.Messages()[0];
        dialogs.ClearLog();
        EXPECT_EQ(s->IngredientCount, 19) << header;  // the tables stay
    }
}

TEST_F(FormulationSaves, ADecimalCommaInARestrictionIsToldWithFileAndLine) {
    LoadToyMatrix();
    Spit(base + kIngredientEnding, " 1 \t 1 \t0\t40\r\n 1 \t 2 \t0,2500\t5\r\n");
    Spit(base + "Req.Nut", " 1 \t 1 \t2400\t0\r\n");
    ReadRestrictions(*s, base + kIngredientEnding);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const std::string m = dialogs.Messages()[0];
    EXPECT_EQ(m.rfind(base + kIngredientEnding, 0), 0u) << m;
    EXPECT_NE(m.find("line 2: the minimum 0,2500"), std::string::npos) << m;
    EXPECT_EQ(s->IngredientLimits(1, 1, 2), 0.25);  // taken as the user meant it
}

// Prices as a spreadsheet shows them: thousands grouped is read as grouping
// and told; a lone comma before three digits is a decimal comma, told too,
// since it may have meant thousands.
TEST_F(FormulationSaves, GroupedThousandsInTheMatrixAreReadAsGroupingAndTold) {
    CopyDemo();
    std::string matrix = Slurp(base + kMatrixEnding);
    for (auto [from, to] : {std::pair<std::string, std::string>{"1050.0\tCost\tSoybean oil", "1,050.00\tCost\tSoybean oil"},
                            {"1000.0\tCost\tAnimal fat", "1.000,50\tCost\tAnimal fat"},
                            {"1350.0\tCost\tL-Lysine HCl", "1,350\tCost\tL-Lysine HCl"},
                            {"7000.0\tCost\tL-Tryptophan", "7 000\tCost\tL-Tryptophan"}}) {
        ASSERT_NE(matrix.find(from), std::string::npos) << from;
        matrix.replace(matrix.find(from), from.size(), to);
    }
    Spit(base + kMatrixEnding, matrix);
    Open();
    auto price = [&](const std::string& name) {
        for (int j = 1; j <= s->IngredientCount; ++j)
            if (s->IngredientNames(j) == name) return s->IngredientPrices(j);
        return -1.0;
    };
    EXPECT_EQ(price("Soybean oil"), 1050);
    EXPECT_EQ(price("Animal fat"), 1000.5);
    EXPECT_EQ(price("L-Lysine HCl"), 1.35);
    EXPECT_EQ(price("L-Tryptophan"), 7000);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const std::string m = dialogs.Messages()[0];
    EXPECT_EQ(m.rfind(base + kMatrixEnding, 0), 0u) << m;
    for (const char* part : {"line 196: 1,050.00 groups thousands and was read as 1050",
                             "line 218: 1.000,50 groups thousands and was read as 1000.5",
                             "line 306: 1,350 has a decimal comma and was read as 1.350 (write 1350 if thousands were meant)",
                             "line 372: 7 000 groups thousands and was read as 7000"})
        EXPECT_NE(m.find(part), std::string::npos) << part << "\n" << m;
}

// "Save the Diets" writes the diet file, the restrictions and the matrix as
// one: when the matrix cannot be written, the diet file is not changed either.
TEST_F(FormulationSaves, SaveTheDietsChangesAllItsFilesOrNone) {
    CopyDemo();
    Open();
    w->Griddiets.SetTextMatrix(1, 1, "Grower 1, new name");
    s->IngredientPrices(1) += 1;
    const std::string diets = Slurp(base + kDietEnding), matrix = Slurp(base + kMatrixEnding);
    dialogs.ClearLog();
    bool saved = true;
    {
        tarvisol::testing::FileSizeCap cap(4096);  // room for the diet file, not for the matrix
        saved = SaveTheDiets(*s);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(Slurp(base + kDietEnding), diets);
    EXPECT_EQ(Slurp(base + kMatrixEnding), matrix);
    std::size_t files = 0;
    for (const auto& e : fs::directory_iterator(folder.Str())) (void)e, ++files;
    EXPECT_EQ(files, 4u);  // no temporary file left
    const auto m = dialogs.Messages();
    ASSERT_EQ(m.size(), 2u) << ::testing::PrintToString(m);
    EXPECT_NE(m[0].find("Cannot save " + base + kMatrixEnding), std::string::npos) << m[0];
    EXPECT_EQ(m[1], "The diets were not saved: none of their files was changed.");
    // With room, the same save writes both.
    ASSERT_TRUE(SaveTheDiets(*s));
    EXPECT_NE(Slurp(base + kDietEnding), diets);
    EXPECT_NE(Slurp(base + kMatrixEnding), matrix);
}

// A missing ingredient restriction file does not hide the nutrient file
// beside it: its limits are read, and Save the Diets keeps it as it was.
TEST_F(FormulationSaves, TheNutrientFileIsReadWhenTheIngredientFileIsMissing) {
    CopyDemo();
    fs::remove(base + kIngredientEnding);
    const std::string nutrients = Slurp(base + kNutrientEnding);
    Open();
    EXPECT_EQ(s->NutrientLimits(1, 1, 1), 2425);
    ASSERT_TRUE(SaveTheDiets(*s));
    EXPECT_EQ(Slurp(base + kNutrientEnding), nutrients);
}

TEST_F(FormulationSaves, ALineNamingDiet0IsTold) {
    LoadToyMatrix();
    Spit(base + kIngredientEnding, " 1 \t 1 \t0\t40\r\n 0 \t 2 \t0\t5\r\n");
    Spit(base + "Req.Nut", " 1 \t 1 \t2400\t0\r\n");
    ReadRestrictions(*s, base + kIngredientEnding);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("line 2: diet 0"), std::string::npos) << dialogs.Messages()[0];
    EXPECT_EQ(s->IngredientLimits(0, 2, 2), 0);
}

TEST_F(FormulationSaves, ARestrictionOnANutrientNoIngredientHoldsIsTold) {
    LoadToyMatrix();  // energy and protein only
    Spit(base + kIngredientEnding, " 1 \t 1 \t0\t40\r\n");
    Spit(base + "Req.Nut", " 1 \t 1 \t2400\t0\r\n 1 \t 5 \t0.9\t0\r\n");
    ReadRestrictions(*s, base + kIngredientEnding);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    const std::string m = dialogs.Messages()[0];
    EXPECT_EQ(m.rfind(base + "Req.Nut", 0), 0u) << m;
    EXPECT_NE(m.find("line 2: nutrient 5 (LYSINE)"), std::string::npos) << m;
    EXPECT_EQ(s->NutrientLimits(1, 1, 5), 0.9);  // kept: the matrix may still get it
}

TEST_F(FormulationSaves, AStrayIngredientLineDoesNotAddBlankIngredientsToTheMatrix) {
    CopyDemo();
    Spit(base + kIngredientEnding, Slurp(base + kIngredientEnding) + " 1            \t 100 \t0\t5\r\n");
    Open();
    s->IngredientPrices(1) += 1;  // a change, so that the matrix is written
    ASSERT_TRUE(SaveMatrix(*s, false));
    const auto lines = SplitLines(Slurp(base + kMatrixEnding));
    EXPECT_EQ(lines[0], " 19            22 ");
    EXPECT_EQ(lines.size(), 1u + 19 + 21 + 19 * 22);
}

TEST_F(FormulationSaves, UntouchedNumbersAreWrittenAsTheyWereRead) {
    CopyDemo();
    std::string matrix = Slurp(base + kMatrixEnding);
    const std::string corn = "175.00\tCost\tCorn";
    ASSERT_NE(matrix.find(corn), std::string::npos);
    matrix.replace(matrix.find(corn), corn.size(), "210.123456\tCost\tCorn");
    const std::string lysine = "\tSID LYSINE\tCorn";
    const auto at = matrix.find(lysine);
    ASSERT_NE(at, std::string::npos);
    const auto start = matrix.rfind('\n', at) + 1;
    matrix.replace(start, at - start, "0.00000049");
    Spit(base + kMatrixEnding, matrix);
    Open();
    s->IngredientPrices(2) = 400.5;  // the user changes another price
    ASSERT_TRUE(SaveMatrix(*s, false));
    const std::string saved = Slurp(base + kMatrixEnding);
    EXPECT_NE(saved.find("210.123456\tCost\tCorn"), std::string::npos);
    EXPECT_NE(saved.find("0.00000049\tSID LYSINE\tCorn"), std::string::npos);
    EXPECT_NE(saved.find("400.50\tCost\tSoybean meal 47"), std::string::npos);  // a typed value in the file layout
}

TEST_F(FormulationSaves, FilesNotChangedAreNotRewritten) {
    CopyDemo();
    Open();
    const std::string files[] = {base + kMatrixEnding, base + kIngredientEnding, base + kNutrientEnding,
                                 base + kDietEnding};
    ino_t before[4];
    for (int i = 0; i < 4; ++i) before[i] = Inode(files[i]);
    w->ComboDiets.ListIndex = 4;
    SaveTheDiets(*s);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Inode(files[i]), before[i]) << files[i];
}

TEST_F(FormulationSaves, RestrictionsOfEveryDietStayWhenFewerDietsAreInUse) {
    CopyDemo();
    const std::string ing = Slurp(base + kIngredientEnding), nut = Slurp(base + kNutrientEnding);
    Open();
    s->IngredientLimits(1, 2, 3) = 41;  // a change to diet 1, so that both files are written
    s->NutrientLimits(1, 1, 2) = 18.5;
    s->DietCount = 1;                   // as after a calibration on a two-row herd table
    ASSERT_TRUE(SaveIngredientRestrictions(*s, false));
    ASSERT_TRUE(SaveNutrientRestrictions(*s, false));
    EXPECT_EQ(SplitLines(Slurp(base + kIngredientEnding)).size(), SplitLines(ing).size());
    EXPECT_EQ(SplitLines(Slurp(base + kNutrientEnding)).size(), SplitLines(nut).size());
}

}  // namespace

// A diet that could not be formulated shows its weight sum and "Infeas" in
// its price cell; the diet file keeps the price the cell held, however often
// the formulation fails, never the words shown.
TEST(DietFileSave, AnInfeasibleDietKeepsThePriceItHad) {
    tarvisol::testing::DemoAfterGrowth demo(kFormulationLeastCost);
    SharedState& s = *demo.s;
    const std::string before = demo.w->Griddiets.TextMatrix(2, 2);
    s.NutrientLimits(2, 1, 1) = 99999;  // no diet holds that much energy
    for (int run = 1; run <= 2; ++run) {
        RunLp(s);
        ASSERT_NE(demo.w->Griddiets.TextMatrix(2, 2).find("Infeas"), std::string::npos);
    }
    ASSERT_TRUE(SaveDiets(s, false));
    const std::string file = Slurp(s.DietFile);
    EXPECT_EQ(file.find("Infeas"), std::string::npos);
    const std::size_t diet2 = file.find("Feed Cost\t", file.find("Feed Cost\t") + 1);
    ASSERT_NE(diet2, std::string::npos);
    EXPECT_EQ(file.substr(diet2 + 10, file.find('\r', diet2) - diet2 - 10), before);
}
