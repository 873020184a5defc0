#include "market/MarketFile.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

#include "market/SettingsFile.h"
#include "market/SettingsText.h"
#include "shared/Numbers.h"
#include "shared/SharedState.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol {

namespace {

using settings_text::Lower;
using settings_text::Quoted;
using settings_text::Trimmed;

std::string Plain(double v) { return MarketNumberText(v); }

}  // namespace

std::string MarketNumberText(double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

bool ReadMarketNumber(std::string_view field, double& v) {
    const std::string text = FixDecimalComma(Trimmed(field));
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    auto [p, ec] = std::from_chars(first, last, v);
    return ec == std::errc() && p == last && std::isfinite(v);
}

std::string MarketFieldText(const MarketField& f, const MarketSettings& m) {
    const double v = m.*f.Value;
    return f.BlankAllowed && v == 0 ? std::string() : MarketNumberText(v);
}

std::string MarketFilePath(const std::string& locationBase) { return locationBase + kMarketExtension; }

void ReadMarketText(std::string_view text, MarketSettings& settings, std::vector<std::string>& messages,
                    std::vector<double MarketSettings::*>* unusable) {
    const MarketSettings before = settings;
    for (const SettingsLine& l : ReadSettingsLines(text, kMarketFileHeader, "Market settings")) {
        if (!l.note.empty()) {
            messages.push_back(l.note);
            continue;
        }
        const std::string where = "Market settings, line " + std::to_string(l.line) + ": ";
        const MarketField* found = nullptr;
        for (const MarketField& f : kMarketFields)
            if (Lower(f.Name) == l.key) found = &f;
        if (!found) {
            messages.push_back(where + Quoted(l.name) + " is not a market setting");
            continue;
        }
        if (l.conflicting) {
            if (unusable) unusable->push_back(found->Value);
            continue;
        }
        const std::string& field = l.value;
        double v = 0;
        if (found->BlankAllowed && field.empty()) {
            settings.*found->Value = 0;
            continue;
        }
        if (!ReadMarketNumber(field, v) || v < found->Low || v > found->High) {
            messages.push_back(where + std::string(found->Name) + " " + Quoted(field) +
                               " is not usable; it stays " +
                               (found->BlankAllowed && settings.*found->Value == 0 ? std::string("blank")
                                                                                   : Plain(settings.*found->Value)));
            if (unusable) unusable->push_back(found->Value);
            continue;
        }
        settings.*found->Value = v;
    }
    if (settings.BandHigh < settings.BandLow) {
        messages.push_back("Market settings: Band high " + Plain(settings.BandHigh) + " is below Band low " +
                           Plain(settings.BandLow) + "; the band stays " + Plain(before.BandLow) + " to " +
                           Plain(before.BandHigh));
        settings.BandLow = before.BandLow;
        settings.BandHigh = before.BandHigh;
        if (unusable) unusable->insert(unusable->end(), {&MarketSettings::BandLow, &MarketSettings::BandHigh});
    }
}

std::string MarketText(const MarketSettings& settings) {
    std::vector<std::string> lines{kMarketFileHeader};
    for (const MarketField& f : kMarketFields) lines.push_back(std::string(f.Name) + "\t" + MarketFieldText(f, settings));
    return JoinCrlf(lines);
}

MarketSettings LoadMarketSettings(const std::string& locationBase, int weightUnit, std::vector<std::string>& messages,
                                  std::vector<double MarketSettings::*>* unusable) {
    MarketSettings m = DefaultMarketSettings(MarketInPounds(weightUnit));
    std::string content;
    switch (ReadSettingsFile(locationBase, MarketFilePath(locationBase), "market settings", content, messages)) {
    case SettingsFileRead::Absent:
        break;
    case SettingsFileRead::Unreadable:
        if (unusable)
            for (const MarketField& f : kMarketFields) unusable->push_back(f.Value);
        break;
    case SettingsFileRead::Read:
        ReadMarketText(content, m, messages, unusable);
        break;
    }
    return m;
}

bool SaveMarketSettings(SharedState& s, const MarketSettings& settings) {
    return SaveSettingsFile(s, MarketFilePath(s.LocationBase), MarketText(settings), "market settings");
}

}  // namespace tarvisol
