#pragma once
// The columns of the commands' printed tables: a JSON number with fixed
// decimals ("-" for none), right-aligned to a width.
#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

std::string Fixed(const nlohmann::json& v, int decimals);
std::string Padded(const std::string& text, std::size_t width);

}  // namespace tarvisol::cli
