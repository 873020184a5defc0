#pragma once
// The location's own settings beyond the documented .pig: a small file
// base + "Settings.txt" of "key TAB value" lines. It holds the currency shown
// with every money figure ("Currency\tUSD"); no file, or no such line, is no
// currency (money figures without a currency, as before there was one).
// Lines it does not know are kept as they are when it is saved.
#include <string>
#include <string_view>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kSettingsEnding = "Settings.txt";
inline constexpr const char* kCurrencyKey = "Currency";

// The currency a settings file's text names ("" for none). Any bytes.
std::string CurrencyIn(std::string_view text);
// The text with its currency line set to currency (removed when empty),
// every other line kept.
std::string WithCurrency(std::string_view text, const std::string& currency);

// Reads base + "Settings.txt" into s.Currency ("" when there is none).
void ReadLocationSettings(SharedState& s, const std::string& base);

// Writes the currency into base + "Settings.txt" (atomically); false with
// the reason in error.
bool SaveCurrencyTo(const std::string& base, const std::string& currency, std::string& error);

// Settings -> "Currency...": asks for the currency of the open location
// ("-" for none), sets it and saves the settings file. A cancelled or
// unchanged answer changes nothing.
void SetCurrency(SharedState& s);

inline constexpr const char* kCurrencyPrompt =
    "Currency shown with every money figure of this location (for example USD, EUR, GBP; - for none):";

}  // namespace tarvisol
