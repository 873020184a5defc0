#pragma once
// The headings of a grid's figure columns that name no unit. A figure column
// is one whose filled cells below the heading all start with a number; a grid
// with a "Unit" column names the unit on every row instead. `unitless` names
// the columns of counts, ratios and dates.
#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "shared/Controls.h"

namespace tarvisol::testing {

inline bool NamesAUnit(std::string heading) {
    std::transform(heading.begin(), heading.end(), heading.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* unit : {"kg", "lb", "%", "day", "kcal", "mcal", "mj", "usd"})
        if (heading.find(unit) != std::string::npos) return true;
    return false;
}

inline std::vector<std::string> HeadingsWithoutUnit(const Grid& g, const std::set<std::string>& unitless = {}) {
    std::vector<std::string> missing;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.TextMatrix(0, c) == "Unit") return missing;
    for (int c = 0; c < g.Cols(); ++c) {
        bool figures = false, other = false;
        for (int r = 1; r < g.Rows(); ++r) {
            const std::string& t = g.TextMatrix(r, c);
            if (t.empty()) continue;
            const char first = t[0] == '-' && t.size() > 1 ? t[1] : t[0];
            (std::isdigit(static_cast<unsigned char>(first)) ? figures : other) = true;
        }
        const std::string& heading = g.TextMatrix(0, c);
        if (figures && !other && !unitless.count(heading) && !NamesAUnit(heading)) missing.push_back(heading);
    }
    return missing;
}

}  // namespace tarvisol::testing
