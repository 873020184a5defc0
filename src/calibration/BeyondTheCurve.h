#pragma once
// A herd the documented curve cannot represent. The curve grows the pig along
// B0..B4 and feeds it to that curve: a lean, efficient herd (a modern herd
// at feed/gain 2.0 to 3.2) is met, if at all, only by a curve with a mature
// weight near market weight and most of the late gain as fat. When the fit's
// own result and every start of the wider search end with a warning, the
// calibration says so and points to the nutrient-response model, whose
// genotype is fitted to the same weighings and feed.
#include <string>

#include "calibration/WiderSearch.h"

namespace tarvisol {

// The wider search ran and no start gave a curve without a warning.
bool HerdBeyondDocumentedCurve(const SearchOutcome& o);

// What the calibration says of such a herd; howToFit names where the
// genotype fit is run ("the Fit Genotype button", a command line).
std::string BeyondDocumentedCurveText(const SearchOutcome& o, const std::string& howToFit);

}  // namespace tarvisol
