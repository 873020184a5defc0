#pragma once
// The location's own settings beyond the documented .pig: a small file
// base + "Settings.txt" of "key TAB value" lines. It holds the currency shown
// with every money figure ("Currency\tUSD"); no file, or no such line, is no
// currency (money figures without a currency, as before there was one).
// Lines it does not know are kept as they are when it is saved.
#include <string>
#include <string_view>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kSettingsEnding = "Settings.txt";
inline constexpr const char* kCurrencyKey = "Currency";

// The most characters a currency holds.
inline constexpr std::size_t kCurrencyMostCharacters = 12;

// The currency a settings file's text names ("" for none), as the file's
// Windows-1252 bytes; a currency an earlier version wrote as UTF-8 is read as
// the characters it meant. A currency given on two lines with two values is
// none, and messages (when given) gets why, naming both lines. Any bytes.
std::string CurrencyIn(std::string_view text, std::vector<std::string>* messages = nullptr);

// A currency as the user typed it (UTF-8; blanks at the ends do not count) as
// the settings file's bytes. Returns why it cannot be kept as typed (a
// character the file has no byte for, a TAB or line break, more than 12
// characters), empty when it can.
std::string CurrencyFromTyped(const std::string& typed, std::string& bytes);
// The text with its currency line set to currency (removed when empty),
// every other line kept.
std::string WithCurrency(std::string_view text, const std::string& currency);

// Reads base + "Settings.txt" into s.Currency ("" when there is none). A file
// that is there but cannot be read, or a currency given twice, is said
// through the record's dialogs.
void ReadLocationSettings(SharedState& s, const std::string& base);

// Writes the currency (the file's bytes) into base + "Settings.txt"
// (atomically); false with the reason in error.
bool SaveCurrencyTo(const std::string& base, const std::string& currency, std::string& error);

// Settings -> "Currency...": asks for the currency of the open location
// ("-" for none), sets it and saves the settings file. A cancelled or
// unchanged answer changes nothing; one that cannot be kept as typed is
// refused with the reason.
void SetCurrency(SharedState& s);

inline constexpr const char* kCurrencyPrompt =
    "Currency shown with every money figure of this location (for example USD, EUR, GBP; - for none):";

}  // namespace tarvisol
