#pragma once
// The diet display: the formulated diets of a finished run side by side,
// ingredient inclusions then nutrient contents, with each nutrient's minimum
// as the diet was formulated with it.
#include <string>

#include "shared/Controls.h"
#include "shared/RunSnapshot.h"

namespace tarvisol {

struct DietDisplayWindow {
    std::string Caption = "Formulated Diets";
    Grid GridDisplay{"GridDisplay", 2, 2};
    bool Visible = false;
};

// Fills the window from the run's diets; it keeps showing that run.
void LoadDietDisplay(const RunSnapshot& run, DietDisplayWindow& w);

// The about box text.
std::string AboutText();

}  // namespace tarvisol
