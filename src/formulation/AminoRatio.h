#pragma once
// Editing the diets grid: a typed nutrient value becomes the diet's minimum,
// and the amino-acid minima can follow a changed protein or lysine minimum.
#include <cstdint>
#include <string>

#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kRatioProteinCaption = "When Protein Changes, Ratio Amino Acids";
inline constexpr const char* kRatioLysineCaption = "OR When  Lysine Changes, ratio Amino Acids";

// Ticking one ratioing option clears the other. which: 0 protein, 1 lysine.
void RatioOptionClick(SharedState& s, int which);

// The user starts editing cell (row, col) of the diets grid: a nutrient cell
// records the diet's current minimum as the previous one.
void DietsGridEditStart(SharedState& s, int row, int col);

// An accepted edit of cell (row, col) of the diets grid.
void DietsGridEdit(SharedState& s, int row, int col, const std::string& text);

// Carries a changed protein or lysine minimum of diet d to the amino acids.
void ProteinAdj(SharedState& s, int16_t& d);

}  // namespace tarvisol
