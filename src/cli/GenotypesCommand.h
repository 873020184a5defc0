#pragma once
// tarvisol-cli genotypes: the nutrient-response model's presets, each with
// its parameters per sex and where they come from.
#include <iosfwd>

#include <nlohmann/json.hpp>

namespace tarvisol::cli {

nlohmann::json GenotypesJson();
void PrintGenotypes(const nlohmann::json& presets, std::ostream& out);

}  // namespace tarvisol::cli
