#include "cli/TextColumns.h"

#include <cstdio>

namespace tarvisol::cli {

std::string Fixed(const nlohmann::json& v, int decimals) {
    if (!v.is_number()) return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v.get<double>());
    return buf;
}

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace tarvisol::cli
