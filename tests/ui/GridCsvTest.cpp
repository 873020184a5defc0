// "Save as CSV..." on a grid's pop-up menu: the used cells, fields quoted
// where a spreadsheet needs it, every byte of the names kept, ".csv" added to
// a bare name; a save that fails is told and leaves the file as it was.
#include <gtest/gtest.h>

#include <memory>

#include "location/ScratchFolder.h"
#include "shared/ScriptedDialogs.h"
#include "shared/SharedState.h"
#include "ui/GridClipboard.h"

using namespace tarvisol;
using tarvisol::testing::ScratchFolder;
using tarvisol::testing::Slurp;

namespace {

TEST(GridCsv, QuotedWhereNeededSavedWithItsEndingAndAFailureTold) {
    EXPECT_STREQ(kPopupSaveCsv, "Save as CSV...");
    Grid g{"GridTest", 4, 5};
    g.SetTextMatrix(0, 0, "Ingredient");
    g.SetTextMatrix(0, 1, "Price, per kg");
    g.SetTextMatrix(0, 2, "Say \"best\"");
    g.SetTextMatrix(1, 0, "Ma\xEFs");
    g.SetTextMatrix(1, 1, "0.21");
    g.SetTextMatrix(2, 0, "two\r\nlines");
    g.SetTextMatrix(2, 2, "5");
    const std::string want =
        "Ingredient,\"Price, per kg\",\"Say \"\"best\"\"\"\r\n"
        "Ma\xEFs,0.21,\r\n"
        "\"two\r\nlines\",,5\r\n";
    EXPECT_EQ(GridCsvText(g), want);

    ScratchFolder folder;
    auto s = std::make_unique<SharedState>();
    ScriptedDialogs dialogs;
    s->Dialog = &dialogs;
    s->LocationFolder = folder.Str();
    dialogs.Text(folder.File("table"));
    ASSERT_TRUE(SaveGridAsCsv(*s, g));
    EXPECT_EQ(Slurp(folder.File("table.csv")), want);

    g.SetTextMatrix(3, 4, std::string(4096, 'x'));
    dialogs.Text(folder.File("table.csv"));
    {
        tarvisol::testing::FileSizeCap cap(1024);
        EXPECT_FALSE(SaveGridAsCsv(*s, g));
    }
    EXPECT_EQ(Slurp(folder.File("table.csv")), want);
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

}  // namespace
