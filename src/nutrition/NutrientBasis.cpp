#include "nutrition/NutrientBasis.h"

#include <array>
#include <cctype>
#include <string_view>

namespace tarvisol {
namespace {

constexpr std::array<const char*, 12> kAminoKeys = {"arginine",  "histidine",     "lysine",  "tryptophan",
                                                    "phe_tyr",   "phenylalanine", "met_cys", "methionine",
                                                    "threonine", "leucine",       "isoleucine", "valine"};

// The key holds the word whole (between blanks or the ends).
bool HasWord(std::string_view key, std::string_view word) {
    for (std::size_t at = key.find(word); at != std::string_view::npos; at = key.find(word, at + 1)) {
        const bool startsWord = at == 0 || key[at - 1] == ' ';
        const bool endsWord = at + word.size() == key.size() || key[at + word.size()] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool Contains(std::string_view key, std::string_view part) { return key.find(part) != std::string_view::npos; }

bool IsPhosphorus(const std::string& key) {
    return Contains(key, "PHOSPHORUS") || Contains(key, "PHOSPHOR") || HasWord(key, "P");
}

}  // namespace

std::string NutrientNameKey(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    bool blank = false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || u >= 0x80) {
            if (blank && !out.empty()) out += ' ';
            blank = false;
            out += static_cast<char>(std::toupper(u));
        } else {
            blank = true;
        }
    }
    return out;
}

NutrientColumns FindNutrientColumns(const std::vector<std::string>& names) {
    NutrientColumns c;
    const auto nameOf = [&](int k) { return k >= 1 && k <= static_cast<int>(names.size()) ? names[k - 1] : std::string(); };
    c.EnergyName = nameOf(1);
    const std::string energy = NutrientNameKey(c.EnergyName);
    c.EnergyIsNet = Contains(energy, "NET ENERGY") || HasWord(energy, "NE");
    for (int j = 0; j < 12; ++j) {
        RequirementNutrient n;
        n.Key = kAminoKeys[static_cast<std::size_t>(j)];
        n.Column = j + 3;
        n.Name = nameOf(n.Column);
        if (n.Name.empty()) n.Name = n.Key;
        n.TotalBasis = HasWord(NutrientNameKey(n.Name), "TOTAL");
        c.Compared.push_back(n);
    }
    for (int k = 15; k <= static_cast<int>(names.size()); ++k) {
        const std::string key = NutrientNameKey(names[static_cast<std::size_t>(k - 1)]);
        if (IsPhosphorus(key)) {
            const bool digestible = HasWord(key, "STTD") || HasWord(key, "ATTD") || Contains(key, "DIGESTIBLE") ||
                                    HasWord(key, "DIG") || HasWord(key, "AVAILABLE") || HasWord(key, "AVAIL");
            if (digestible) {
                if (c.SttdPhosphorus == 0) c.SttdPhosphorus = k;
            } else if (c.TotalPhosphorus == 0) {
                c.TotalPhosphorus = k;
            }
        } else if (c.Calcium == 0 && (Contains(key, "CALCIUM") || key == "CA" || HasWord(key, "CA"))) {
            c.Calcium = k;
        }
    }
    RequirementNutrient p;
    p.Key = "sttd_phosphorus";
    p.Column = c.SttdPhosphorus;
    p.Name = c.SttdPhosphorus ? names[static_cast<std::size_t>(c.SttdPhosphorus - 1)] : "STTD phosphorus";
    c.Compared.push_back(p);
    RequirementNutrient ca;
    ca.Key = "calcium";
    ca.Column = c.Calcium;
    ca.Name = c.Calcium ? names[static_cast<std::size_t>(c.Calcium - 1)] : "Calcium";
    ca.TotalBasis = true;
    c.Compared.push_back(ca);
    return c;
}

}  // namespace tarvisol
