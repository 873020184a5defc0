#pragma once
// The herd's measured inputs (CalibInputs 1..5: starting weight, starting
// age, final weight, total feed intake, final age) against the main window's
// boxes Text1..Text5. The Growth command writes its predicted total feed and
// final age into Text4 and Text5; the measured values stay the calibration's
// inputs all the same, and the window shows them beside the prediction.
#include "shared/SharedState.h"

namespace tarvisol {

// CalibInputs(1..5) from Text1..Text5. A box that shows the record's value
// (as the window formats it) keeps the exact value; Text4 and Text5 while they
// show the Growth command's own prediction are no measurement and leave the
// measured value as it is. Anything else in a box is what the user typed.
void TakeHerdInputs(SharedState& s);

// The Growth command's prediction into Text4 (total feed, display unit) and
// Text5 (final age), after taking a measurement typed into them as the herd's.
void ShowPredictedHerd(SharedState& s, double totalFeed, double finalAge);

// The measured total feed and final age into the boxes beside Text4 and Text5.
void ShowMeasuredHerd(SharedState& s);

// Whether the programme in DietFeedAmount feeds the measured herd's own
// allotments: each diet before the last the feed the herd ate in its phase
// (the measured table's feed of the row ending it), within half a percent.
// True without a measured table.
bool FedAsMeasured(const SharedState& s);

}  // namespace tarvisol
