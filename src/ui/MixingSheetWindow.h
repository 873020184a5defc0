#pragma once
// The "Mixing Sheet" window: a formulated diet weighed out as a batch, with
// boxes for the batch size and the two scale resolutions, the ingredient
// weights largest first and the batch's nutrients against the limits: a limit
// missed by more than weighing tolerance in red, one within it said so.
// Printable (the document is built here as HTML; the front end renders it)
// and copyable.
#include <string>

#include "formulation/MixingSheet.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct MixingSheetWindow {
    std::string Caption = "Mixing Sheet";
    ComboBox ComboDiet;
    TextBox TextBatch;    // batch size, weight unit
    TextBox TextCoarse;   // scale resolution above 2 % of the diet
    TextBox TextFine;     // and at 2 % or less
    Label LabelUnit;      // the weight unit's label
    Label LabelSummary;   // the batch, its total, broken limits, or why there is no sheet
    TextBox TextBatchNumber;  // written on the printed sheet; a line to fill in when empty
    Grid GridIngredients{"GridMixIngredients", 1, 6};
    Grid GridNutrients{"GridMixNutrients", 1, 6};
    Button CommandMake{"Make Sheet"};
    Button CommandCopy{"Copy to Clipboard"};
    Button CommandPrint{"Print..."};
    Button CommandPdf{"Save PDF..."};
    Button CommandClose{"Close"};
    bool SheetReady = false;  // a sheet is shown (printing and copying need one)
    MixingSheet Sheet;        // the sheet shown
    std::string Location;     // the location's name, for the printed sheet
    std::string Date;         // the day the sheet was made, year-month-day
    bool Visible = false;
};

// Opens the window on diet d with the default batch and resolutions of the
// location's weight unit, and makes the sheet.
void OpenMixingSheet(SharedState& s, MixingSheetWindow& w, int d);

// Reads the boxes and makes the sheet of the chosen diet. A size that is not
// a usable number is refused with a message and the last sheet is cleared.
void MakeMixingSheet(SharedState& s, MixingSheetWindow& w);

// Both tables, the nutrients after a blank line, with their headings.
void CopyMixingSheet(SharedState& s, MixingSheetWindow& w);

// Asks where to save the sheet as PDF: the path chosen, ending in ".pdf"
// (added when the name has another ending or none); empty when cancelled.
std::string ChooseMixingSheetPdf(SharedState& s, const MixingSheetWindow& w);

// The printable document: title; location, diet, date and batch number;
// batch; both tables (the ingredients with a column to tick each off), flags.
std::string MixingSheetHtml(const MixingSheetWindow& w);

}  // namespace tarvisol
