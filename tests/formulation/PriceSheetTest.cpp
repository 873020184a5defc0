// Prices from a spreadsheet: the layouts spreadsheets save and copy, the
// decimal separator told from the grouping of thousands by the whole sheet,
// and only the names the matrix holds changed.
#include "formulation/PriceSheet.h"

#include <gtest/gtest.h>

#include "shared/MainWindowForm.h"
#include "shared/ScriptedDialogs.h"

using namespace tarvisol;

namespace {

std::vector<std::pair<std::string, double>> Prices(const PriceSheet& sheet) {
    std::vector<std::pair<std::string, double>> out;
    for (const PriceSheetRow& r : sheet.rows) out.emplace_back(r.name, r.price);
    return out;
}

using Expected = std::vector<std::pair<std::string, double>>;

TEST(PriceSheet, ReadsWhatSpreadsheetsSave) {
    // Saved as CSV by a spreadsheet set to a decimal comma: a byte-order mark,
    // a header, semicolons, quoted names (one holding the separator and a
    // quote), currency signs and grouping.
    const PriceSheet sheet = ReadPriceSheet(
        "\xEF\xBB\xBF\"Ingredient\";\"Price, EUR/t\"\r\n\"Corn\";\"182,50\"\r\n\"Soybean meal; \"\"47\"\"\";\"1.350,00 \xE2\x82\xAC\"\r\n"
        "Salt;120\r\n;\r\n");
    EXPECT_TRUE(sheet.notes.empty());
    EXPECT_EQ(Prices(sheet), (Expected{{"Corn", 182.5}, {"Soybean meal; \"47\"", 1350}, {"Salt", 120}}));
    // Copied from a spreadsheet: TAB between the columns, a decimal point.
    EXPECT_EQ(Prices(ReadPriceSheet("Corn\t$175.25\nL-Lysine HCl\t1,350.5\n")),
              (Expected{{"Corn", 175.25}, {"L-Lysine HCl", 1350.5}}));
    // A comma-separated line whose price was not quoted.
    EXPECT_EQ(Prices(ReadPriceSheet("Corn,182,5\n")), (Expected{{"Corn", 182.5}}));
}

TEST(PriceSheet, TheSheetDecidesWhetherOneSeparatorBeforeThreeDigitsGroupsThousands) {
    EXPECT_EQ(Prices(ReadPriceSheet("Corn\t175.5\nLysine\t1,350\n")), (Expected{{"Corn", 175.5}, {"Lysine", 1350}}));
    EXPECT_EQ(Prices(ReadPriceSheet("Corn\t175,5\nLysine\t1.350\nSalt\t1,350\n")),
              (Expected{{"Corn", 175.5}, {"Lysine", 1350}, {"Salt", 1.35}}));
    EXPECT_EQ(Prices(ReadPriceSheet("Corn\t0,350\nLysine\t2.350.000\n")),
              (Expected{{"Corn", 0.35}, {"Lysine", 2350000}}));
    const PriceSheet unsure = ReadPriceSheet("Lysine\t1,350\nCorn\t175\nSalt\t-3\nPeas\t12 kg\n\t5\n");
    EXPECT_EQ(Prices(unsure), (Expected{{"Corn", 175}}));
    EXPECT_EQ(unsure.notes,
              (std::vector<std::string>{"line 3: Salt: a price cannot be below 0 ('-3')",
                                        "line 4: Peas: '12 kg' is not a price", "line 5: no ingredient name",
                                        "line 1: Lysine: '1,350' could be read with the separator as a decimal point "
                                        "or as thousands; write the price without grouping"}));
}

TEST(PriceSheet, OnlyTheNamesTheMatrixHoldsChange) {
    SharedState s;
    s.IngredientCount = 3;
    const char* names[] = {"Corn", "Soybean meal 47", "Salt"};
    for (int i = 1; i <= 3; ++i) {
        s.IngredientNames(i) = names[i - 1];
        s.IngredientPrices(i) = 100 * i;
    }
    const PriceMatch m = MatchPrices(s, ReadPriceSheet("CORN\t160\nBarley\t190\nsoybean   MEAL 47\t340\n"));
    ASSERT_EQ(m.changes.size(), 2u);
    EXPECT_EQ(m.changes[0].name, "Corn");
    EXPECT_DOUBLE_EQ(m.changes[0].before, 100);
    EXPECT_DOUBLE_EQ(m.changes[0].after, 160);
    EXPECT_EQ(m.unmatched, std::vector<std::string>{"Barley"});
    const uint32_t version = s.MatrixVersion;
    ApplyPrices(s, m);
    EXPECT_DOUBLE_EQ(s.IngredientPrices(1), 160);
    EXPECT_DOUBLE_EQ(s.IngredientPrices(2), 340);
    EXPECT_DOUBLE_EQ(s.IngredientPrices(3), 300);
    EXPECT_EQ(s.MatrixVersion, version + 1);
}

TEST(PriceSheet, PastedIntoTheMatrixEditorItFillsThePriceColumnAndSaysWhatIsLeft) {
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.IngredientCount = 2;
    s.IngredientNames(1) = "Corn";
    s.IngredientNames(2) = "Salt";
    MatrixEditorWindow w;
    w.GridMatrix.SetRows(3);
    w.GridMatrix.SetTextMatrix(1, 1, "175");
    w.GridMatrix.SetTextMatrix(2, 1, "120");
    PastePriceSheet(s, w, "Corn\t182.5\nSalt\t120\nWhey\t900\nOats\tfree\n");
    EXPECT_EQ(w.GridMatrix.TextMatrix(1, 1), "182.5");
    EXPECT_DOUBLE_EQ(s.IngredientPrices(1), 0);  // the matrix itself waits for the take-over
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{
                                      "1 price changed in the matrix (1 already as the sheet gives them). Take the "
                                      "changes over and save the matrix to keep them.\nNot in the matrix:\n  Whey\n"
                                      "Not read:\n  line 4: Oats: 'free' is not a price"});
}

}  // namespace
