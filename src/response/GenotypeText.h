#pragma once
// The location's genotype file, "<base>.gen": plain text, CR LF line ends,
// Windows-1252, a first line naming the file, then one "name<TAB>value" line
// per setting with a full stop as decimal separator:
//
//   Tarvisol genotype
//   Growth model<TAB>nutrient response
//   Genotype<TAB>NRC 2012 reference pig
//   Source<TAB>NRC (2012) ...
//   Males<TAB>barrows
//   Feed wastage, %<TAB>5
//   Mean protein deposition, males, g/d<TAB>130.95
//   ...
//
// Names are matched without regard to case or the blanks around them; lines
// may come in any order and missing ones keep what the choice held.
#include <string>
#include <string_view>
#include <vector>

#include "shared/Genotype.h"

namespace tarvisol::response {

inline constexpr const char* kGenotypeFileHeader = "Tarvisol genotype";
inline constexpr const char* kGenotypeExtension = ".gen";

// Reads the text over choice: every usable value replaces the one there. A
// line that is not a name and a value, an unknown name, a value that cannot
// be used and a name given twice (the first stands) each add one message
// naming the line. A genotype that cannot be grown once read keeps the one
// before (with a message). Accepts any bytes.
void ReadGenotypeText(std::string_view text, GrowthModelChoice& choice, std::vector<std::string>& messages);

// The file's text; every value written so that it reads back as the same.
// The name and the source are kept as their Windows-1252 bytes; a tab or a
// line end in them, which the file cannot hold, is written as a blank.
std::string GenotypeText(const GrowthModelChoice& choice);

}  // namespace tarvisol::response
