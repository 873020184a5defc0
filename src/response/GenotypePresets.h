#pragma once
// The genotypes the program knows by name, each with where its parameters
// come from.
#include <string>
#include <vector>

#include "shared/Genotype.h"

namespace tarvisol::response {

struct GenotypePreset {
    const char* Key;  // the name on the command line: "nrc2012", ...
    Genotype Pig;
};

// In a fixed order: the NRC 2012 reference pig first.
const std::vector<GenotypePreset>& GenotypePresets();

// The preset of a key or of a name (case does not matter); nullptr when none.
const GenotypePreset* FindGenotypePreset(const std::string& keyOrName);

// The reference pig, the genotype a location gets when it first takes the
// nutrient-response model without one of its own.
const Genotype& ReferenceGenotype();

}  // namespace tarvisol::response
