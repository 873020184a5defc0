#pragma once
// The growth model a command grows its pig on: the location's own, or the
// one the command line chooses (--model, --genotype), for this run only.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "shared/RunSnapshot.h"
#include "shared/SharedState.h"

namespace tarvisol::cli {

struct ModelArgs {
    std::optional<std::string> model;     // "documented" or "response"
    std::optional<std::string> genotype;  // a preset's key or name, or a genotype file
};

// Puts the choice on the opened location's record. A genotype alone chooses
// the nutrient-response model. Empty when it could be; otherwise why not (a
// genotype that is neither a preset nor a file that holds one, a genotype
// with the documented curve).
std::string ApplyModelArgs(SharedState& s, const ModelArgs& a);

// "model" and, for the response model, "genotype" of a run, as JSON.
void AddModelJson(const RunSnapshot& run, const SharedState& s, nlohmann::json& out);

// The line the text reports print under the location.
std::string ModelLine(const RunSnapshot& run);

}  // namespace tarvisol::cli
