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

// ApplyModelArgs, then the herd sex typed into the main window's box when
// one is given (0 mixed, 1 males or barrows, 2 females or gilts).
std::string ChooseGrowthModel(SharedState& s, const ModelArgs& a, std::optional<int> sex);

// "model" and, for the response model, "genotype" of a run, as JSON.
void AddModelJson(const RunSnapshot& run, const SharedState& s, nlohmann::json& out);

// The same for the model the record grows on, for a command whose runs are
// many (market weights, a herd) rather than one snapshot.
void AddChosenModelJson(const SharedState& s, nlohmann::json& out);

// The line the text reports print under the location.
std::string ModelLine(const RunSnapshot& run);

// That line from a report's "model" and "genotype" keys (the genotype an
// object with its "name", or the name alone).
std::string ModelLineOf(const nlohmann::json& report);

}  // namespace tarvisol::cli
