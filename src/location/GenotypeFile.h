#pragma once
// The location's genotype file, "<base>.gen": which growth model the location
// runs and the genotype of the nutrient-response model. A location without
// one runs the documented curve; the file is written only when the user
// saves the location (or the genotype) after choosing.
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

std::string GenotypeFilePath(const SharedState& s);

// At the opening of a location: the documented curve with the reference
// genotype ready for a switch, then the file when there is one. Messages on
// lines that cannot be used go to the dialogs; a file that is there but
// cannot be read is said so and kept from every save.
void ReadGenotypeFile(SharedState& s);

// The file's text from the record's choice.
std::string GenotypeFileText(const SharedState& s);

// Saves the record's choice as the location's genotype file; true when the
// file holds it afterwards.
bool SaveGenotypeFile(SharedState& s);

}  // namespace tarvisol
