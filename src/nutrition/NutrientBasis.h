#pragma once
// Which diet column holds which nutrient, and on what basis, read from the
// names the ingredient matrix gives its nutrients (nutrient k at index k - 1
// of the names, diet column k). Amino acids sit in the fixed columns 3..14
// and count as standardized ileal digestible (SID) unless their name says
// total; phosphorus and calcium are found by name among the further columns.
#include <string>
#include <vector>

#include "shared/RunNutrition.h"

namespace tarvisol {

struct NutrientColumns {
    std::string EnergyName;         // column 1's name
    bool EnergyIsNet = false;       // named as net energy ("NET ENERGY", "NE")
    int CrudeProtein = 2;
    int SttdPhosphorus = 0;         // 0 when no column is named for STTD or digestible phosphorus
    int TotalPhosphorus = 0;        // 0 when no column is named for total phosphorus
    int Calcium = 0;                // 0 when no column is named for calcium
    // The nutrients the requirements compare: the twelve amino acids, STTD
    // phosphorus and calcium, in that order.
    std::vector<RequirementNutrient> Compared;
};

// The columns of the matrix whose nutrient names are given.
NutrientColumns FindNutrientColumns(const std::vector<std::string>& nutrientNames);

// The name upper-cased with runs of blanks and punctuation made single blanks.
std::string NutrientNameKey(const std::string& name);

}  // namespace tarvisol
