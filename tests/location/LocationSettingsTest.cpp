// The location's currency: set from the Settings menu into a settings file of
// its own (the documented .pig stays as it is), read again when the location
// opens, and shown with the money figures of a run.
#include "location/LocationSettings.h"

#include <gtest/gtest.h>

#include "location/ScratchFolder.h"
#include "report/RunFigures.h"
#include "shared/ScriptedDialogs.h"
#include "shared/TextFile.h"

using namespace tarvisol;

namespace {

TEST(LocationSettings, TheCurrencyLineIsSetAndClearedOtherLinesKept) {
    const std::string text = "Note\tkept\r\nCurrency\tUSD\r\n";
    EXPECT_EQ(CurrencyIn(text), "USD");
    EXPECT_EQ(WithCurrency(text, "EUR"), "Note\tkept\r\nCurrency\tEUR\r\n");
    EXPECT_EQ(WithCurrency(text, ""), "Note\tkept\r\n");
    EXPECT_EQ(WithCurrency("", "GBP"), "Currency\tGBP\r\n");
    EXPECT_EQ(CurrencyIn("Currency\t  a very long currency name\x01\r\n"), "a very long");
    EXPECT_EQ(CurrencyIn("\xff\xfe\t\t\n\rCurrency"), "");
}

TEST(LocationSettings, SetFromTheMenuSavedReadBackAndShownWithPrices) {
    tarvisol::testing::ScratchFolder dir;
    SharedState s;
    ScriptedDialogs dialogs;
    s.Dialog = &dialogs;
    SetCurrency(s);
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Open a location first: the currency is one of its settings"});
    s.LocationBase = dir.File("Herd");
    dialogs.Text("EUR");
    SetCurrency(s);
    EXPECT_EQ(s.Currency, "EUR");
    SharedState reopened;
    ReadLocationSettings(reopened, dir.File("Herd"));
    EXPECT_EQ(reopened.Currency, "EUR");
    EXPECT_EQ(dialogs.Log().back().text, kCurrencyPrompt);
    dialogs.Text("");  // cancelled: nothing changes
    SetCurrency(s);
    EXPECT_EQ(s.Currency, "EUR");
    dialogs.Text("-");
    SetCurrency(s);
    EXPECT_EQ(s.Currency, "");
    ReadLocationSettings(reopened, dir.File("Herd"));
    EXPECT_EQ(reopened.Currency, "");

    RunSnapshot run;
    run.PriceUnit = 1;
    run.Currency = "USD";
    const RunFigures f = FiguresOf(run, UnitsOf(run));
    EXPECT_EQ(f.PriceLabel, "USD per tonne");
    run.Currency.clear();
    EXPECT_EQ(FiguresOf(run, UnitsOf(run)).PriceLabel, "per tonne");
}

}  // namespace
