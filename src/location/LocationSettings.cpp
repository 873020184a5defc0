#include "location/LocationSettings.h"

#include <algorithm>

#include "market/SettingsFile.h"
#include "shared/Dialogs.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol {
namespace {

// A currency as shown: blanks at the ends dropped, at most 12 characters of
// printable text (no TAB or line end can enter the file).
std::string Clean(std::string_view t) {
    std::string out;
    for (char c : t)
        if (static_cast<unsigned char>(c) >= 32) out += c;
    const auto trim = [](std::string& x) {
        const auto first = x.find_first_not_of(' ');
        x = first == std::string::npos ? std::string() : x.substr(first, x.find_last_not_of(' ') - first + 1);
    };
    trim(out);
    out.resize(std::min<std::size_t>(out.size(), kCurrencyMostCharacters));
    trim(out);
    return out;
}

std::string Trimmed(const std::string& t) {
    const auto first = t.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : t.substr(first, t.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string CurrencyIn(std::string_view text, std::vector<std::string>* messages) {
    const std::vector<SettingsLine> lines = ReadSettingsLines(text, "", "Location settings");
    for (const SettingsLine& l : lines) {
        if (!l.note.empty() || l.name != kCurrencyKey) continue;  // other lines are kept, not read
        if (l.conflicting) {
            for (const SettingsLine& later : lines)
                if (messages && later.line > l.line && later.key == l.key && !later.note.empty()) {
                    messages->push_back(later.note + "; the location shows no currency");
                    break;
                }
            return {};
        }
        // Earlier versions wrote what was typed as UTF-8 bytes: such a
        // currency is read back as the characters it was.
        bool lossless = false;
        const std::string asTyped = Utf8ToWindows1252(l.value, &lossless);
        return Clean(LooksLikeUtf8(l.value) && lossless ? asTyped : l.value);
    }
    return {};
}

std::string CurrencyFromTyped(const std::string& typed, std::string& bytes) {
    std::string why = TypedToWindows1252(Trimmed(typed), "The currency", bytes);
    if (why.empty() && bytes.size() > kCurrencyMostCharacters)
        why = "The currency " + Trimmed(typed) + " has more than " + std::to_string(kCurrencyMostCharacters) +
              " characters";
    if (!why.empty()) bytes.clear();
    return why;
}

std::string WithCurrency(std::string_view text, const std::string& currency) {
    std::vector<std::string> lines;
    bool set = false;
    for (const std::string& line : SplitLines(text)) {
        const std::vector<std::string> f = SplitTabs(line);
        if (!f.empty() && f[0] == kCurrencyKey) {
            if (!set && !currency.empty()) lines.push_back(std::string(kCurrencyKey) + "\t" + currency);
            set = true;
            continue;
        }
        lines.push_back(line);
    }
    if (!set && !currency.empty()) lines.push_back(std::string(kCurrencyKey) + "\t" + currency);
    return JoinCrlf(lines);
}

void ReadLocationSettings(SharedState& s, const std::string& base) {
    std::string text;
    std::vector<std::string> messages;
    s.Currency.clear();
    if (ReadSettingsFile(base, base + kSettingsEnding, "location settings", text, messages) == SettingsFileRead::Read)
        s.Currency = CurrencyIn(text, &messages);
    if (s.Dialog)
        for (const std::string& m : messages) DialogsOf(s).Message(m);
}

bool SaveCurrencyTo(const std::string& base, const std::string& currency, std::string& error) {
    const std::string path = base + kSettingsEnding;
    std::string text, ignored;
    ReadTextFile(path, text, ignored);  // no file yet: a new one
    return SaveAtomic(path, WithCurrency(text, Clean(currency)), error);
}

void SetCurrency(SharedState& s) {
    Dialogs& dlg = DialogsOf(s);
    if (s.LocationBase.empty()) {
        dlg.Message("Open a location first: the currency is one of its settings");
        return;
    }
    const std::string answer =
        dlg.Input(kCurrencyPrompt, "Currency", s.Currency.empty() ? "-" : Windows1252ToUtf8(s.Currency));
    if (answer.empty()) return;  // cancelled
    std::string currency;
    if (Trimmed(answer) != "-") {
        if (const std::string why = CurrencyFromTyped(answer, currency); !why.empty()) {
            dlg.Message(why + "; the currency stays " + (s.Currency.empty() ? "none" : s.Currency));
            return;
        }
    }
    if (currency == s.Currency) return;
    std::string error;
    if (!SaveCurrencyTo(s.LocationBase, currency, error)) {
        dlg.Message("The currency was not saved: " + error);
        return;
    }
    s.Currency = currency;
}

}  // namespace tarvisol
