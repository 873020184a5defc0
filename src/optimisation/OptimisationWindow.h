#pragma once
// The optimisation window "Diet Optimization" as a form: per diet the current
// value, minimum and maximum of feed weight, net energy and protein, which of
// them are searched, the run and the transfer of the optimum back to the main
// window.
#include <functional>
#include <string>

#include "optimisation/MarginPanel.h"
#include "optimisation/OptimisationResult.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kOptCaption = "Diet Optimization";
// Text of a checked "Optimize" cell; an unchecked cell is empty.
inline constexpr const char* kOptChecked = "X";
// The greyed colour of an unchecked row (the system's inactive-border grey).
inline constexpr Color kOptGreyed = Rgb(212, 208, 200);

inline constexpr const char* kNoLowerAnswer =
    "This Optimization could not find a lower answer with your current minimum and maximum values.  Consider "
    "changing minimums or maximums and try again";
// Added to kNoLowerAnswer when an earlier search of the window succeeded.
inline constexpr const char* kLastOptimumKept =
    "\nView Optimization and Transfer Optimum to Current still show the last search that found a lower cost.";
// Added to kNoLowerAnswer when the amino acids were held at the pigs'
// requirement and the starting programme lies below it.
inline constexpr const char* kStartBelowRequirement =
    "\nThe amino acids were held at the pigs' requirement, and the starting programme is below it (";
inline constexpr const char* kStartBelowRequirementAdvice =
    "): every programme that meets it costs more. Raise the minimums first (Edit Diet Restrictions, Set Minimums "
    "from Requirements), press Growth, then search again.";
inline constexpr const char* kNoRequirementsToMeet =
    "The last Growth run has no requirements for these diets: the amino-acid minimums are searched as without "
    "\"Keep amino acids at the pigs' requirement\"";
inline constexpr const char* kOptCancelled = "Optimisation cancelled";
inline constexpr const char* kGridCostQuestion =
    "The feed calculation is set to [Given Costs], we will only optimize Feed Weights";

// The diets the window lists: the search moves at most twenty variables,
// three a diet.
inline constexpr int kOptDiets = 6;

struct FrmOptP {
    std::string Caption = kOptCaption;
    bool Visible = false;

    // 19 rows: header and three rows for each of six diets; columns diet,
    // variable, "Optimize", "Current", "Minimum", "Maximum".
    Grid GridOpt{"GridOpt", 1 + 3 * kOptDiets, 6};

    TextBox Text1;        // Location Name
    TextBox Text2;        // "Target Weight"
    TextBox TextOptDiet;  // "No. of Diets"
    CheckBox Check3{"Use Feed Weights Only"};
    CheckBox CheckCarcass{"Set Carcass"};
    CheckBox CheckVelmorant{"Set Velmorant"};
    // Off by default: the search as documented. On, the amino-acid minimums
    // the search sets never fall below the pigs' requirement where each diet
    // starts in the last Growth run.
    CheckBox CheckRequirements{"Keep amino acids at the pigs' requirement"};

    Button CommandOpt{"Run Opt."};
    Button CommandView{"View Optimization"};
    Button Command4{"Transfer Optimum to Current"};
    Button Command1{"Program Add Min Max to Current"};
    Button CommandSaveOpt{"Save Opt File"};
    Button CommandOpenOpt{"Open Existing Opt File"};

    Label LabelWorking{"WORKING..."};
    bool WorkingVisible = false;
    Label LabelUncheck{"Uncheck the Optimze Box to Fix at the Current Value"};
    Label LabelRestrictions{"Enter Diet Restrictions for Least Cost"};
    Label LabelLocation{"Location Name"};
    Label LabelTarget{"Target Weight"};
    Label LabelDiets{"No. of Diets"};

    // The last successful run of this window: what the report shows and the
    // transfer takes. Not done before the first success.
    OptimisationResult Result;

    // The objective (Margin.ComboObjective): the feed cost per pig runs the
    // search above; a margin runs the margin search, whose results the
    // panel holds. "Transfer Optimum to Current" takes the chosen
    // objective's optimum.
    MarginPanel Margin;

    // "View Optimization": opens the report window. The desktop program sets
    // it; without it the button does nothing.
    std::function<void()> ShowReport;
};

// Rows of diet d: feed weight, net energy, protein.
inline int OptRow(int d, int k) { return 3 * (d - 1) + k; }

bool RowChecked(const FrmOptP& f, int row);
void SetRowChecked(FrmOptP& f, int row, bool checked);

// The main window's "Run Optimization": takes each diet's price from the
// diets grid and shows the window, loading it when it was not showing.
void ShowOptimisationWindow(SharedState& s, FrmOptP& f);

// Loading: labels, check boxes and current values from the main window.
void FrmOptPLoad(SharedState& s, FrmOptP& f);

// The "No. of Diets" spin: delta +1 or -1, kept within 1..6.
void OptDietSpin(SharedState& s, FrmOptP& f, int delta);

// "Use Feed Weights Only" changed (its Value already set).
void UseFeedWeightsOnlyClick(SharedState& s, FrmOptP& f);

// A click on a cell: in the "Optimize" column it toggles the check box.
void GridOptClick(SharedState& s, FrmOptP& f, int row, int col);

// An accepted edit of a cell.
void GridOptEdit(SharedState& s, FrmOptP& f, int row, int col, const std::string& text);

// "Program Add Min Max to Current".
void ProgramMinMaxClick(SharedState& s, FrmOptP& f);

// "Transfer Optimum to Current": the optimum's restrictions of nutrients 1..15
// (every restriction the search sets) and its feed weights into the diets
// grid, so that the Growth command grows the optimum again.
void TransferOptimumClick(SharedState& s, FrmOptP& f);

// "View Optimization".
void ViewOptimisationClick(SharedState& s, FrmOptP& f);

// "Run Opt." with a margin objective chosen: the margin search (Margin).
void RunMarginObjective(SharedState& s, FrmOptP& f);

// "Run Opt.": the whole run; with a margin objective, RunMarginObjective. The progress may stop it at any stage: the
// record, the main window and the files are then as before the run and the
// message is "Optimisation cancelled". Whatever the end, the sex slot is the
// one before the run and the optimisation stage is 0 again.
void RunOptimisation(SharedState& s, FrmOptP& f);

// The pre-run check of the grid; failed = 1 when the run must stop.
void minmax(SharedState& s, FrmOptP& f, int& failed);

// "The value is not correct" when a > b.
void checkmax(SharedState& s, double a, double b);

// Recolours every row by its check box.
void CorrectColor(FrmOptP& f);

}  // namespace tarvisol
