#pragma once
// The diet display: the formulated diets side by side, ingredient inclusions
// then nutrient contents, with each nutrient's minimum as loaded from the
// restriction files.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct DietDisplayWindow {
    std::string Caption = "Formulated Diets";
    Grid GridDisplay{"GridDisplay", 2, 2};
    bool Visible = false;
};

void LoadDietDisplay(SharedState& s, DietDisplayWindow& w);

// The about box text.
std::string AboutText();

}  // namespace tarvisol
