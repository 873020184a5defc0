// What the user types (UTF-8, on the command line or in a window) comes back
// from the location's Windows-1252 files as typed, or is refused with the
// reason: never turned into other characters, never cut.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "formulation/PriceSheet.h"
#include "location/LocationSettings.h"
#include "location/NewLocation.h"
#include "location/ScratchFolder.h"
#include "report/ReportDocument.h"
#include "report/RunsFile.h"
#include "shared/ScriptedDialogs.h"
#include "support/DemoLocation.h"
#include "support/FolderContents.h"
#include "support/ProgramRun.h"

namespace tarvisol {
namespace {

const std::string kEuro = "\xE2\x82\xAC";  // typed; the location's files hold it as the byte 0x80

TEST(TypedText, ComesBackAsTypedOrIsRefusedWithTheReason) {
    testing::ScratchFolder folder;
    testing::CopyDemoLocation(folder.Str());
    const std::string demo = folder.File("Demo");

    // The currency from the Settings menu: kept as the file's byte.
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    s.LocationBase = demo;
    dialogs.Text(kEuro);
    SetCurrency(s);
    EXPECT_EQ(s.Currency, "\x80");
    EXPECT_EQ(testing::Slurp(demo + kSettingsEnding), "Currency\t\x80\r\n");
    // A TAB, a character the code page lacks, a currency too long to show:
    // refused with the reason, the file as it was.
    const auto files = testing::FolderContents(folder.Str());
    for (const std::string& typed : {std::string("E\tUR"), std::string("\xCE\xA9"), std::string("Swiss francs, CHF")}) {
        dialogs.ClearLog();
        dialogs.Text(typed);
        SetCurrency(s);
        EXPECT_EQ(s.Currency, "\x80") << typed;
        ASSERT_EQ(dialogs.Messages().size(), 1u) << typed;
        EXPECT_NE(dialogs.Messages()[0].find("the currency stays"), std::string::npos) << dialogs.Messages()[0];
    }
    EXPECT_NE(dialogs.Messages()[0].find("more than 12 characters"), std::string::npos) << dialogs.Messages()[0];
    EXPECT_EQ(testing::FolderContents(folder.Str()), files);
    // A file an earlier version wrote in UTF-8 reads as what was typed.
    EXPECT_EQ(CurrencyIn("Currency\t" + kEuro + "\r\n"), "\x80");
    // A new location takes the currency as typed or refuses it.
    NewLocationPlan plan;
    plan.base = folder.File("North/North");
    plan.ingredients.push_back(LibraryIngredient{});
    plan.ingredients[0].name = "Corn";
    plan.ingredients[0].price = 175;
    plan.weights = {25, 50};
    plan.currency = "E\tUR";
    EXPECT_NE(CheckNewLocation(plan).find("a TAB"), std::string::npos) << CheckNewLocation(plan);
    const auto refused = testing::RunCli("new '" + folder.File("North/North") + "' --ingredients Corn --currency 'E\tUR'");
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(std::filesystem::exists(folder.File("North")));

    // The run kept under a typed name and compared: the name and the
    // currency come back as typed.
    const auto kept = testing::RunCli("growth '" + demo + "' --least-cost --keep 'Caf\xC3\xA9 " + kEuro + "'");
    ASSERT_EQ(kept.status, 0) << kept.out;
    std::vector<KeptRun> runs;
    std::string error;
    ASSERT_TRUE(ReadRunsFile(demo + ".runs", runs, error)) << error;
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Name, "Caf\xE9 \x80");
    EXPECT_EQ(runs[0].Run.Currency, "\x80");
    const auto compared = testing::RunCli("compare '" + demo + "' --json");
    EXPECT_EQ(nlohmann::json::parse(compared.out)["runs"][0]["name"], "Caf\xC3\xA9 " + kEuro) << compared.out;
    const auto table = testing::RunCli("compare '" + demo + "'");
    EXPECT_NE(table.out.find(kEuro + " per tonne"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("\xC3\xA2\xE2\x82\xAC"), std::string::npos) << table.out;  // "â‚" of € read twice
    ReportRequest rq;
    rq.Run = &runs[0].Run;
    rq.Location = "Demo";
    rq.Date = "2025-03-14";
    EXPECT_NE(BuildReport(rq).Html.find("Feed cost per pig, " + kEuro), std::string::npos);
    // A name with a TAB or a byte that is no UTF-8 character is refused, not
    // changed into a blank or a question mark; nothing is kept.
    const auto runsFile = testing::Slurp(demo + ".runs");
    for (const char* name : {"'A\tB'", "'Caf\xE9'"}) {
        const auto r = testing::RunCli("growth '" + demo + "' --least-cost --keep " + name);
        EXPECT_EQ(r.status, 2) << name;
    }
    EXPECT_EQ(testing::Slurp(demo + ".runs"), runsFile);

    // A price sheet a spreadsheet saved in UTF-8 names the matrix's
    // single-byte names.
    SharedState m;
    m.Dialog = &dialogs;
    m.IngredientCount = 1;
    m.IngredientNames(1) = "Ma\xEFs";
    MatrixEditorWindow w;
    w.GridMatrix.SetRows(2);
    PastePriceSheet(m, w, "Ma\xC3\xAFs\t181\n");
    EXPECT_EQ(w.GridMatrix.TextMatrix(1, 1), "181.0");
}

}  // namespace
}  // namespace tarvisol
