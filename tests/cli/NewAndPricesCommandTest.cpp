// tarvisol-cli new and prices, end to end: a location made from ten library
// ingredients formulates and grows at once; a price list saved by a
// spreadsheet changes exactly the prices it names.
#include "support/BuildPaths.h"
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "formulation/PriceSheet.h"
#include "location/ScratchFolder.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"
#include "support/FolderContents.h"
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

// tarvisol-cli with these arguments: its standard output (the messages
// too) and exit status.
tarvisol::testing::ProgramRun Cli(const std::string& args) {
    return tarvisol::testing::RunProgram(std::string(TARVISOL_CLI) + " " + args + " 2>&1 </dev/null");
}

std::string Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// A sheet without a header whose first line names an ingredient of the
// matrix: that line is data, never taken for the column names; a header that
// is one is named as such.
TEST(PricesCommand, AFirstLineNamingAnIngredientIsData) {
    tarvisol::testing::ScratchDemo demo;
    const auto files = tarvisol::testing::FolderContents(demo.Folder());
    const std::string sheet = Write(demo.Folder() + "/../first-line-" + std::to_string(::getpid()) + ".csv",
                                    "Corn,n/a\r\nWheat,215\r\n");
    const auto r = Cli("prices '" + demo.Base() + "' '" + sheet + "' --save");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("line 1: Corn: 'n/a' is not a price"), std::string::npos) << r.out;
    EXPECT_EQ(tarvisol::testing::FolderContents(demo.Folder()), files);
    // A header that names no ingredient is the column names, and said so.
    Write(sheet, "Ingredient,Price\r\nWheat,215\r\n");
    const auto header = Cli("prices '" + demo.Base() + "' '" + sheet + "'");
    EXPECT_EQ(header.status, 0) << header.out;
    EXPECT_NE(header.out.find("Line 1 was taken as the column names: Ingredient,Price"), std::string::npos) << header.out;
    // The matrix editor's Paste Prices reads it the same way.
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.IngredientCount = 2;
    s.IngredientNames(1) = "Corn";
    s.IngredientNames(2) = "Wheat";
    MatrixEditorWindow w;
    w.GridMatrix.SetRows(3);
    PastePriceSheet(s, w, "Corn\tn/a\nWheat\t215\n");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("Not read:\n  line 1: Corn: 'n/a' is not a price"), std::string::npos)
        << dialogs.Messages()[0];
    std::filesystem::remove(sheet);
}

// One ingredient priced twice at two prices is a conflict: refused (exit 2),
// both lines named, nothing saved and nothing pasted; the same price twice is
// only said.
TEST(PricesCommand, AnIngredientPricedTwiceAtTwoPricesIsRefused) {
    tarvisol::testing::ScratchDemo demo;
    const auto files = tarvisol::testing::FolderContents(demo.Folder());
    const std::string sheet = Write(demo.Folder() + "/../twice-" + std::to_string(::getpid()) + ".csv",
                                    "Ingredient,Price\r\nCorn,180\r\nWheat,215\r\ncorn,190\r\n");
    for (const char* save : {"", " --save"}) {
        const auto r = Cli("prices '" + demo.Base() + "' '" + sheet + "'" + save);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.out.find("corn: lines 2 and 4 give two prices, 180 and 190"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("-> 190"), std::string::npos) << r.out;
    }
    EXPECT_EQ(tarvisol::testing::FolderContents(demo.Folder()), files);
    Write(sheet, "Corn,180\r\nCorn,180\r\n");
    const auto same = Cli("prices '" + demo.Base() + "' '" + sheet + "' --save");
    EXPECT_EQ(same.status, 0) << same.out;
    EXPECT_NE(same.out.find("Corn: lines 1 and 2 give the same price, 180"), std::string::npos) << same.out;
    EXPECT_NE(Bytes(demo.Base() + "Matrix.txt").find("\r\n180.00\tCost\tCorn\r\n"), std::string::npos);

    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.IngredientCount = 1;
    s.IngredientNames(1) = "Corn";
    MatrixEditorWindow w;
    w.GridMatrix.SetRows(2);
    w.GridMatrix.SetTextMatrix(1, 1, "175");
    PastePriceSheet(s, w, "Corn\t180\nCorn\t190\n");
    EXPECT_EQ(w.GridMatrix.TextMatrix(1, 1), "175");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("Corn: lines 1 and 2 give two prices, 180 and 190"), std::string::npos)
        << dialogs.Messages()[0];
    std::filesystem::remove(sheet);
}

// A matrix with a copied row (two rows of one name): the sheet's price goes
// on every row of that name, and the output says so.
TEST(PricesCommand, EveryRowOfANameTakesItsPrice) {
    tarvisol::testing::ScratchDemo demo;
    const std::string matrix = demo.Base() + "Matrix.txt";
    std::string text = Bytes(matrix);
    // Wheat (row 3) renamed Corn, in its name line and its labels.
    for (std::size_t at; (at = text.find("Wheat\r\n")) != std::string::npos;) text.replace(at, 5, "Corn");
    for (std::size_t at; (at = text.find("\tWheat\r\n")) != std::string::npos;) text.replace(at + 1, 5, "Corn");
    Write(matrix, text);
    const std::string sheet = Write(demo.Folder() + "/../copied-" + std::to_string(::getpid()) + ".csv", "Corn,182\r\n");
    const auto r = Cli("prices '" + demo.Base() + "' '" + sheet + "' --save");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Corn names rows 1 and 3 of the matrix: each of them takes the price 182"), std::string::npos)
        << r.out;
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(ReadLines(matrix, lines, error));
    const int ingredients = std::stoi(lines[0]), columns = std::stoi(lines[0].substr(14));
    for (int i : {1, 3})
        EXPECT_EQ(lines[static_cast<std::size_t>(ingredients + columns + (i - 1) * columns)], "182.00\tCost\tCorn") << i;
    std::filesystem::remove(sheet);
}

// What `new` prints is the run of the files it wrote: `growth` on the new
// location gives every diet's end weight, the final age and the feed as
// printed.
TEST(NewCommand, ItPrintsTheRunItsFilesGive) {
    tarvisol::testing::ScratchFolder dir;
    const std::string base = dir.File("North/North");
    const auto made = RunCli("new '" + base +
                             "' --json --ingredients \"Corn,Soybean meal 47,Soybean oil,Limestone,Monocalcium phosphate,"
                             "Salt,L-Lysine HCl,DL-Methionine,L-Threonine,L-Tryptophan,Vitamin-mineral premix\"");
    ASSERT_EQ(made.status, 0) << made.out;
    const auto n = nlohmann::json::parse(made.out);
    const auto grown = RunCli("growth '" + base + "' --json");
    ASSERT_EQ(grown.status, 0) << grown.out;
    const auto g = nlohmann::json::parse(grown.out);
    ASSERT_EQ(g["diets"].size(), n["diets"].size());
    for (std::size_t d = 0; d < n["diets"].size(); ++d)
        EXPECT_NEAR(n["diets"][d]["end_weight"].get<double>(), g["diets"][d]["end_weight"].get<double>(), 0.05) << d;
    EXPECT_NEAR(n["final_age"].get<double>(), g["final_age"].get<double>(), 0.05);
    EXPECT_NEAR(n["total_feed"].get<double>(), g["total_feed"].get<double>(), 0.05);
}

// A library line with one unreadable value: the message names the line and
// the value, not "Not in the ingredient library"; nothing is written.
TEST(NewCommand, ALibraryLineLeftOutIsNamedWithItsValue) {
    tarvisol::testing::ScratchFolder dir;
    std::string library = Bytes(std::string(TARVISOL_SOURCE_DIR) + "/examples/IngredientLibrary.tsv");
    const std::size_t corn = library.find("\nCorn\t");
    ASSERT_NE(corn, std::string::npos);
    const std::size_t end = library.find('\n', corn + 1);
    std::string line = library.substr(corn + 1, end - corn - 1);
    // Corn's third field (after name and group) made unreadable.
    std::size_t tab = line.find('\t');
    tab = line.find('\t', tab + 1);
    const std::size_t next = line.find('\t', tab + 1);
    const std::string field = line.substr(tab + 1, next - tab - 1);
    line.replace(tab + 1, next - tab - 1, "0,1,2");
    library.replace(corn + 1, end - corn - 1, line);
    const std::string path = Write(dir.File("library.tsv"), library);
    const auto r = Cli("new '" + dir.File("North/North") + "' --library '" + path + "' --ingredients 'Corn,Soybean meal 47'");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_EQ(r.out.find("Not in the ingredient library"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(": Corn: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("'0,1,2' is not a number"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("North"))) << field;
}

}  // namespace

// new starts the location on the nutrient-response model with the genotype
// chosen, printing where its parameters come from; a genotype that is
// neither a preset nor a genotype file is refused with nothing written.
TEST(NewCommand, ItStartsOnTheGenotypeChosenAndPrintsItsSource) {
    tarvisol::testing::ScratchFolder dir;
    const std::string base = dir.File("North/North");
    const auto made = RunCli("new '" + base + "' --ingredients " + kTen + " --genotype nrc2012");
    ASSERT_EQ(made.status, 0) << made.out;
    EXPECT_NE(made.out.find("Growth model: nutrient response, genotype NRC 2012 reference pig"), std::string::npos)
        << made.out;
    EXPECT_NE(made.out.find("Source: NRC (2012) Nutrient Requirements of Swine, Table 16-1A"), std::string::npos);
    const auto grown = RunCli("growth '" + base + "' --json");
    ASSERT_EQ(grown.status, 0) << grown.out;
    const auto g = nlohmann::json::parse(grown.out);
    EXPECT_EQ(g["model"], "response");
    EXPECT_EQ(g["genotype"]["name"], "NRC 2012 reference pig");

    EXPECT_EQ(RunCli("new '" + dir.File("South/South") + "' --ingredients " + kTen + " --genotype nosuch").status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.File("South")));
}
