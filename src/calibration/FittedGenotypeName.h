#pragma once
// The name and source a fitted genotype is saved under: the herd it was
// fitted to and the genotype the fit started from, so that a .gen read later
// says where its parameters come from.
#include <string>

#include "shared/Genotype.h"

namespace tarvisol {

// The fitted genotype named for the location (folder plus base name) whose
// herd it fits; startedFrom is the genotype in force when the fit ran.
Genotype NamedFittedGenotype(Genotype fitted, const std::string& locationBase, const std::string& startedFrom);

}  // namespace tarvisol
