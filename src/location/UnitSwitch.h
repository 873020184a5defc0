#pragma once
// Switching a location's unit system converts every figure the location
// holds in the display units, so that the same herd, diets, matrix and
// restrictions are described in the new ones: the herd's weights and feed
// (the boxes and the settings they are saved as), the diets grid's prices,
// feed allotments and energies, the matrix's prices and energies, the energy
// restrictions and the measured herd table. Nothing is written to a file.
// Switching back gives every figure not edited in between back exactly.
#include "shared/SharedState.h"

namespace tarvisol {

// Converts from the units in force to the given energy, weight and price
// units and makes those the units in force.
void SwitchUnits(SharedState& s, int energy, int weight, int price);

}  // namespace tarvisol
