#include "market/HerdFile.h"

#include <cctype>
#include <cmath>

#include "market/MarketFile.h"
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

}  // namespace

const HerdField kHerdFields[kHerdFieldCount] = {
    {"Pigs", 1, kHerdMaxPigs, true},
    {"Seed", 0, 1e15, true},
    {"CV starting weight, %", 0, kHerdMaxCv, false},
    {"CV growth rate, %", 0, kHerdMaxCv, false},
    {"CV mature size, %", 0, kHerdMaxCv, false},
    {"CV maintenance, %", 0, kHerdMaxCv, false},
    {"Correlation starting weight and growth rate", -0.9, 0.9, false},
    {"Correlation growth rate and mature size", -0.9, 0.9, false},
    {"Correlation growth rate and maintenance", -0.9, 0.9, false},
};

double HerdFieldValue(const HerdSettings& h, int i) {
    switch (i) {
        case 0: return h.Pigs;
        case 1: return static_cast<double>(h.Seed);
        case 2: return h.CvStartWeight;
        case 3: return h.CvGrowth;
        case 4: return h.CvMatureSize;
        case 5: return h.CvMaintenance;
        case 6: return h.CorrStartGrowth;
        case 7: return h.CorrGrowthMature;
        default: return h.CorrGrowthMaintenance;
    }
}

void SetHerdField(HerdSettings& h, int i, double v) {
    switch (i) {
        case 0: h.Pigs = static_cast<int>(v); break;
        case 1: h.Seed = static_cast<std::uint64_t>(v); break;
        case 2: h.CvStartWeight = v; break;
        case 3: h.CvGrowth = v; break;
        case 4: h.CvMatureSize = v; break;
        case 5: h.CvMaintenance = v; break;
        case 6: h.CorrStartGrowth = v; break;
        case 7: h.CorrGrowthMature = v; break;
        default: h.CorrGrowthMaintenance = v; break;
    }
}

std::string HerdFilePath(const std::string& locationBase) { return locationBase + kHerdExtension; }

void ReadHerdText(std::string_view text, HerdSettings& settings, std::vector<std::string>& messages,
                  std::vector<int>* unusable) {
    const HerdSettings before = settings;
    for (const SettingsLine& l : ReadSettingsLines(text, kHerdFileHeader, "Herd settings")) {
        if (!l.note.empty()) {
            messages.push_back(l.note);
            continue;
        }
        const std::string where = "Herd settings, line " + std::to_string(l.line) + ": ";
        int found = -1;
        for (int f = 0; f < kHerdFieldCount; ++f)
            if (Lower(kHerdFields[f].Name) == l.key) found = f;
        if (found < 0) {
            messages.push_back(where + Quoted(l.name) + " is not a herd setting");
            continue;
        }
        if (l.conflicting) {
            if (unusable) unusable->push_back(found);
            continue;
        }
        const HerdField& f = kHerdFields[found];
        const std::string& field = l.value;
        double v = 0;
        if (!ReadMarketNumber(field, v) || v < f.Low || v > f.High || (f.Whole && v != std::floor(v))) {
            messages.push_back(where + std::string(f.Name) + " " + Quoted(field) + " is not usable; it stays " +
                               MarketNumberText(HerdFieldValue(settings, found)));
            if (unusable) unusable->push_back(found);
            continue;
        }
        SetHerdField(settings, found, v);
    }
    if (!HerdSettingsProblem(settings).empty()) {
        messages.push_back("Herd settings: the correlations together describe no possible herd; they stay as before");
        settings.CorrStartGrowth = before.CorrStartGrowth;
        settings.CorrGrowthMature = before.CorrGrowthMature;
        settings.CorrGrowthMaintenance = before.CorrGrowthMaintenance;
        if (unusable) unusable->insert(unusable->end(), {6, 7, 8});
    }
}

std::string HerdText(const HerdSettings& settings) {
    std::vector<std::string> lines{kHerdFileHeader};
    for (int f = 0; f < kHerdFieldCount; ++f)
        lines.push_back(std::string(kHerdFields[f].Name) + "\t" +
                        (f == 1 ? std::to_string(settings.Seed) : MarketNumberText(HerdFieldValue(settings, f))));
    return JoinCrlf(lines);
}

HerdSettings LoadHerdSettings(const std::string& locationBase, std::vector<std::string>& messages,
                              std::vector<int>* unusable) {
    HerdSettings h;
    std::string content;
    switch (ReadSettingsFile(locationBase, HerdFilePath(locationBase), "herd settings", content, messages)) {
    case SettingsFileRead::Absent:
        break;
    case SettingsFileRead::Unreadable:
        if (unusable)
            for (int f = 0; f < kHerdFieldCount; ++f) unusable->push_back(f);
        break;
    case SettingsFileRead::Read:
        ReadHerdText(content, h, messages, unusable);
        break;
    }
    return h;
}

bool SaveHerdSettings(SharedState& s, const HerdSettings& settings) {
    return SaveSettingsFile(s, HerdFilePath(s.LocationBase), HerdText(settings), "herd settings");
}

}  // namespace tarvisol
