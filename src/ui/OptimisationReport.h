#pragma once
// The optimisation report window "OPTIMIZATION REPORT": the optimum programme
// beside the starting one and the search limits, what it saved, the best value
// of every variable searched alone, the restrictions the optimum changed, the
// amino acids below the herd's requirement, and
// the restrictions and ingredient weights of the optimum diets. The last
// diet, fed to market weight, shows the feed it was eaten. It only reads the
// tables the run left.
#include <string>

#include "optimisation/MarginSearch.h"
#include "optimisation/OptimisationResult.h"
#include "optimisation/RequirementShortfall.h"
#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

struct FrmOptP;

inline constexpr const char* kOptReportCaption = "OPTIMIZATION REPORT";
inline constexpr const char* kFeedEatenCaption = "  Feed eaten";
inline constexpr const char* kToMarketText = "to market";
inline constexpr const char* kChangedRestrictionsCaption = "Restrictions changed";
inline constexpr const char* kHeldAtRequirement = "Amino-acid minimums held at the pigs' requirement";
inline constexpr const char* kBelowRequirementCaption = "Below requirement";
inline constexpr const char* kBelowRequirementMark = "< req.";
// Shade of a cell whose limit is set.
inline constexpr Color kLimitShade = Rgb(250, 225, 210);

struct OptimisationReport {
    std::string Caption = kOptReportCaption;
    bool Visible = false;
    Grid Grid3{"Grid3", 13, 9};            // summary
    Grid GridIngred{"GridIngred", 100, 20};  // ingredient restrictions
    Grid GridNuts{"GridNuts", 123, 20};      // nutrient restrictions and feed weights
    Grid GridInWt{"GridInWt", 2, 2};         // ingredient weights
    TextBox TextTargetWt;
    Label LabelTargetWt{"Target Wt"};
    Label LabelEvaluations;
    Button CommandCopy{"Copy to Clipboard"};
    Button CommandShowCurrent{"Show Current"};
    // The margin search's result, when the optimisation window's objective
    // is a margin and its search ran to its end: the figures of the three
    // programmes, the best one's diets and the price changes, on a page of
    // its own (shown only then).
    Grid GridMargin{"GridMargin", 2, 7};
    bool MarginShown = false;
    Tabs ReportTabs{{"Optimization Summary", "Ingredient Restrictions", "Nutrient Restrictions", "Ingredient Weights",
                     "Margin Optimization"},
                    0};
};

inline constexpr int kMarginReportTab = 4;

// Loading: sizes and fills the four tables from an optimisation's result;
// `opt` is the optimisation window (its target box is the fallback for the
// target weight).
void LoadOptimisationReport(const OptimisationResult& result, OptimisationReport& r, const FrmOptP* opt);

// The same from the optimisation figures the record holds now (right after a
// search, before any other command).
void LoadOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt);

// The margin page from a margin search's result (nothing shown for none or
// one not done).
void LoadMarginReport(const MarginSearchResult* result, OptimisationReport& r);

// "View Optimization": loads the report of the window's last successful run
// (the record's figures when the window has none) and shows it; with a margin
// objective chosen and its search done, the margin page too, opened first.
void ShowOptimisationReport(SharedState& s, OptimisationReport& r, const FrmOptP* opt);

// "Copy to Clipboard": every used cell of the summary to the clipboard.
void CopyReportToClipboard(SharedState& s, OptimisationReport& r);

// The optimum's amino acids below its own run's requirement where each diet
// starts, diet by diet.
std::vector<AminoShortfall> OptimumShortfalls(const OptimisationResult& result);

// The optimum's feed cost per pig as the summary sums it (money per pig).
double OptimumCostPerPig(const SharedState& s);

}  // namespace tarvisol
