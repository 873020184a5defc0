// tarvisol-cli new and prices, end to end: a location made from ten library
// ingredients formulates and grows at once; a price list saved by a
// spreadsheet changes exactly the prices it names.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "location/ScratchFolder.h"
#include "shared/TextFile.h"
#include "support/ProgramRun.h"
#include "support/ScratchDemo.h"

using namespace tarvisol;
using tarvisol::testing::RunCli;

namespace {

const char* kTen = "\"Corn,Soybean meal 47,Corn DDGS,Soybean oil,Limestone,Monocalcium phosphate,Salt,"
                   "L-Lysine HCl,DL-Methionine,L-Threonine\"";

std::string Bytes(const std::string& path) {
    std::string text, error;
    ReadTextFile(path, text, error);
    return text;
}

TEST(NewCommand, TenLibraryIngredientsAndFourDietsFormulateAndGrowAtOnce) {
    tarvisol::testing::ScratchFolder dir;
    const std::string base = dir.File("North/North");
    ASSERT_EQ(RunCli("new '" + base + "' --ingredients " + kTen + " --diets 4").status, 0);
    EXPECT_EQ(RunCli("lp '" + base + "'").status, 0);
    EXPECT_EQ(RunCli("growth '" + base + "' --least-cost").status, 0);
    // Made again on the same folder: refused, the location as it was.
    const std::string matrix = Bytes(base + "Matrix.txt");
    EXPECT_EQ(RunCli("new '" + base + "' --ingredients Corn").status, 2);
    EXPECT_EQ(Bytes(base + "Matrix.txt"), matrix);
    // An ingredient the library does not hold: refused, nothing written.
    EXPECT_EQ(RunCli("new '" + dir.File("South/South") + "' --ingredients 'Corn,Moonbeans'").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("South")));
}

TEST(PricesCommand, ASpreadsheetSavedListChangesExactlyTheMatchedPrices) {
    tarvisol::testing::ScratchDemo demo;
    const std::string matrixPath = demo.Base() + "Matrix.txt";
    std::vector<std::string> lines, error(1);
    ASSERT_TRUE(ReadLines(matrixPath, lines, error[0]));
    const int ingredients = std::stoi(lines[0]);
    const int columns = std::stoi(lines[0].substr(14));
    const std::string first = lines[1], second = lines[2];
    const std::string sheet = demo.Folder() + "/prices.csv";
    {
        std::ofstream(sheet, std::ios::binary) << "\xEF\xBB\xBF\"Ingredient\";\"Price\"\r\n\"" << second
                                              << "\";\"1.234,56\"\r\n\"" << first << "\";\"181,25\"\r\n";
    }
    const std::string before = Bytes(matrixPath);
    // Without --save: printed, not saved.
    EXPECT_EQ(RunCli("prices '" + demo.Base() + "' '" + sheet + "'").status, 0);
    EXPECT_EQ(Bytes(matrixPath), before);
    ASSERT_EQ(RunCli("prices '" + demo.Base() + "' '" + sheet + "' --save").status, 0);
    std::vector<std::string> after;
    ASSERT_TRUE(ReadLines(matrixPath, after, error[0]));
    std::vector<std::string> expected = lines;
    const std::size_t priceOf1 = 1 + ingredients + (columns - 1), priceOf2 = priceOf1 + columns;
    expected[priceOf1] = "181.25\tCost\t" + first;
    expected[priceOf2] = "1234.56\tCost\t" + second;  // in full: the file format would give 1234.6
    EXPECT_EQ(after, expected);
    // A name the matrix does not hold: listed, exit 1, nothing saved.
    { std::ofstream(sheet, std::ios::binary) << first << "\t190\nMoonbeans\t10\n"; }
    const std::string saved = Bytes(matrixPath);
    const auto r = tarvisol::testing::RunProgram(std::string(TARVISOL_CLI) + " prices '" + demo.Base() + "' '" + sheet +
                                                 "' --save 2>/dev/null");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Not in the matrix:\n  Moonbeans\n"), std::string::npos) << r.out;
    EXPECT_EQ(Bytes(matrixPath), saved);
}

}  // namespace
