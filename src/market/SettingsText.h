#pragma once
// The text of the market's plain settings files (.mkt, .hrd): a line trimmed,
// lower-cased for matching its label, and quoted in a message.
#include <cctype>
#include <string>
#include <string_view>

#include "shared/TextEncoding.h"

namespace tarvisol::settings_text {

inline std::string Trimmed(std::string_view t) {
    std::size_t b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t')) ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t')) --e;
    return std::string(t.substr(b, e - b));
}

inline std::string Lower(std::string t) {
    for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return t;
}

// A line of the file as a message quotes it: readable text, at most 40 characters.
inline std::string Quoted(std::string_view line) {
    std::string shown = Windows1252ToUtf8(line.substr(0, 40));
    if (line.size() > 40) shown += "...";
    return "\"" + shown + "\"";
}

}  // namespace tarvisol::settings_text
