// The ingredient library shipped beside the demo: it reads back whole, every
// row says where it comes from, and the rows checked against the published
// tables hold those tables' figures. The reader takes a damaged file row by
// row.
#include "support/BuildPaths.h"
#include "formulation/IngredientLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace tarvisol;

namespace {

const IngredientLibrary& Shipped() {
    static const IngredientLibrary lib = [] {
        IngredientLibrary l;
        std::string error;
        EXPECT_TRUE(LoadIngredientLibrary(std::string(TARVISOL_SOURCE_DIR) + "/examples/" + kLibraryFileName, l, error))
            << error;
        return l;
    }();
    return lib;
}

const LibraryIngredient& Row(const char* name) {
    const LibraryIngredient* row = FindLibraryIngredient(Shipped(), name);
    if (!row) throw std::runtime_error(std::string("not in the library: ") + name);
    return *row;
}

TEST(IngredientLibrary, ReadsBackWholeWithASourceForEveryRowAndEveryKindOfIngredient) {
    const IngredientLibrary& lib = Shipped();
    EXPECT_TRUE(lib.notes.empty()) << lib.notes.front();
    ASSERT_GE(lib.rows.size(), 40u);
    std::set<std::string> groups;
    for (const LibraryIngredient& row : lib.rows) {
        SCOPED_TRACE(row.name);
        groups.insert(row.group);
        EXPECT_FALSE(row.source.empty());
        EXPECT_GT(row.dm, 85);
        for (double v : LibraryMatrixValues(row)) EXPECT_TRUE(std::isfinite(v) && v >= 0);
        if (row.group == "Additive") continue;  // phytase's release is a matrix device
        EXPECT_LE(row.sttdP, row.p);
        EXPECT_GE(row.sid[6], row.sid[7]);  // met + cys, methionine
        EXPECT_GE(row.sid[4], row.sid[5]);  // phe + tyr, phenylalanine
        for (int a = 0; a < kLibraryAminoAcids; ++a) EXPECT_LE(row.sid[a], row.total[a]) << a;
    }
    EXPECT_EQ(groups, (std::set<std::string>{"Cereal", "Cereal by-product", "DDGS", "Protein meal", "Fat", "Mineral",
                                             "Amino acid", "Additive"}));
    for (const char* ddgs : {"Corn DDGS (over 10% oil)", "Corn DDGS", "Corn DDGS (under 4% oil)"}) EXPECT_NO_THROW(Row(ddgs));
}

// Published figures, as fed. NRC (2012) Nutrient Requirements of Swine, Table
// 17-1; the crystalline amino acids and salt by their formulas (N x 6.25 for
// crude protein at the stated purity).
TEST(IngredientLibrary, RowsHoldThePublishedFigures) {
    const LibraryIngredient& corn = Row("corn");
    EXPECT_DOUBLE_EQ(corn.dm, 88.31);
    EXPECT_DOUBLE_EQ(corn.me, 3395);
    EXPECT_DOUBLE_EQ(corn.ne, 2672);
    EXPECT_DOUBLE_EQ(corn.cp, 8.24);
    EXPECT_DOUBLE_EQ(corn.sid[2], 0.20);
    EXPECT_DOUBLE_EQ(corn.total[2], 0.25);
    EXPECT_DOUBLE_EQ(corn.p, 0.26);
    EXPECT_DOUBLE_EQ(corn.ee, 3.48);
    const LibraryIngredient& sbm = Row("Soybean meal 47");
    EXPECT_DOUBLE_EQ(sbm.cp, 47.73);
    EXPECT_DOUBLE_EQ(sbm.ne, 2087);
    EXPECT_DOUBLE_EQ(sbm.sid[2], 2.68);
    EXPECT_DOUBLE_EQ(sbm.total[2], 2.96);
    EXPECT_DOUBLE_EQ(sbm.sid[8], 1.57);
    EXPECT_DOUBLE_EQ(Row("Soybean oil").ne, 7509);
    const LibraryIngredient& salt = Row("Salt");
    EXPECT_DOUBLE_EQ(salt.na, 39.3);
    EXPECT_DOUBLE_EQ(salt.cl, 60.7);
    const LibraryIngredient& lys = Row("L-Lysine HCl");
    EXPECT_NEAR(lys.cp, 0.985 * 2 * 14.007 / 182.65 * 625, 0.1);
    EXPECT_NEAR(lys.sid[2], 0.985 * 146.19 / 182.65 * 100, 0.1);
    EXPECT_NEAR(Row("L-Valine").cp, 0.98 * 14.007 / 117.15 * 625, 0.1);
    EXPECT_NEAR(Row("L-Threonine").cp, 0.985 * 14.007 / 119.12 * 625, 0.1);
}

TEST(IngredientLibrary, DamagedRowsAreLeftOutAndNamedTheRestIsRead) {
    const std::string header =
        "name\tne\tcp\tsid_arg\tsid_his\tsid_lys\tsid_trp\tsid_phe_tyr\tsid_phe\tsid_met_cys\tsid_met\tsid_thr\tsid_leu"
        "\tsid_ile\tsid_val\tca\tp\tsttd_p\tna\tcl\tcf\tee\tprice\n";
    // name, energy and protein as given, then twelve amino acids, the minerals,
    // fibre, fat and an empty price.
    const auto row = [](const std::string& first) {
        return first + "\t0.4\t0.2\t0.2\t0.05\t0.6\t0.3\t0.3\t0.2\t0.3\t1\t0.3\t0.4\t0,5\t0.3\t0.1\t0\t0.05\t2\t3.5\t\n";
    };
    const IngredientLibrary lib = ReadIngredientLibrary("\xEF\xBB\xBF# notes\n" + header + row("  Maize \t2672\t8") +
                                                        row("Peas\t2350\tx") + row("MAIZE\t2672\t8") +
                                                        row("\t2000\t9") + "Barley\t2300\t11\t1\n");
    ASSERT_EQ(lib.rows.size(), 1u);
    EXPECT_EQ(lib.rows[0].name, "Maize");
    EXPECT_DOUBLE_EQ(lib.rows[0].ca, 0.5);       // a decimal comma
    EXPECT_TRUE(std::isnan(lib.rows[0].price));  // empty: not given
    EXPECT_EQ(lib.notes, (std::vector<std::string>{
                             "line 4: Peas: cp 'x' is not a number from 0 to 100000; the line was left out",
                             "line 5: MAIZE is named twice; this line was left out",
                             "line 6: no name; the line was left out",
                             "line 7: Barley: ca is empty; the line was left out"}));
    EXPECT_EQ(ReadIngredientLibrary("name\tne\nCorn\t1\n").notes.front().substr(0, 36),
              "line 1: the column names lack cp, ca");
    EXPECT_EQ(FindLibraryIngredient(lib, " maize  "), &lib.rows[0]);
}

TEST(IngredientLibrary, SearchFindsEveryWordInNameOrGroup) {
    std::vector<std::string> names;
    for (const LibraryIngredient* row : SearchLibrary(Shipped(), "ddgs OIL")) names.push_back(row->name);
    EXPECT_EQ(names, (std::vector<std::string>{"Corn DDGS (over 10% oil)", "Corn DDGS (under 4% oil)"}));
    EXPECT_EQ(SearchLibrary(Shipped(), "").size(), Shipped().rows.size());
    EXPECT_EQ(SearchLibrary(Shipped(), "amino").size(), 6u);
}

}  // namespace
