#pragma once
// The main window as a form: its controls under their names. Commands read the
// boxes and grids into the record, run, and write their results back here; the
// Qt window only shows these controls.
#include <string>

#include "shared/Controls.h"

namespace tarvisol {

inline constexpr const char* kMainCaption = "Tarvisol for Swine 20 kg or More to Finish";

// Placeholder text of the location box Text6.
inline constexpr const char* kCalibrationNamePlaceholder = "Calibration Name";

struct MainWindow {
    std::string Caption = kMainCaption;
    int Height = 9600, Width = 15420;  // twips, from the window-size file

    // --- Inputs. Text1..Text5 map to the calibration inputs 1..5.
    TextBox Text1;      // "Starting Weight, kg"
    TextBox Text2;      // "Starting Age, Days"
    TextBox Text3;      // "Final Weight, kg"
    TextBox Text4;      // "Total Feed Intake"
    TextBox Text5;      // "Final Age, Days"
    TextBox Text6{kCalibrationNamePlaceholder};  // "Calibration Name": the location's base name
    TextBox TextPigNo;  // "Number of Pigs"
    TextBox TextPrice;  // feed cost per pig of the last run
    TextBox TextF2G;    // feed/gain of the last run
    // The herd's measured total feed and final age (the calibration's inputs),
    // shown beside Text4 and Text5, which show the last Growth's prediction.
    TextBox TextMeasuredFeed;
    TextBox TextMeasuredAge;
    Label LabelStartWeight{"Starting Weight, kg"};
    Label LabelFinalWeight{"Final Weight, kg"};
    // Empty, or says that the results are from before the inputs changed.
    Label LabelResults;

    ComboBox ComboSex;    // "Herd Sex": "Mixed", "Males", "Females"
    ComboBox Combo1;      // "Feed Formulation": "Select Diet Formulas", "Least Cost Formulas", "Use Diets on Grid"
    ComboBox ComboUnits;  // "Starting Weight, kg" / "Starting Weight, lb"
    ComboBox ComboDiets;  // "No. of Diets", "1".."6"

    OptionButton OptionCalibLoaded{"Calibration Data Loaded"};
    OptionButton OptionShowInput{"Show Input"};
    CheckBox CheckRatioProtein{"When Protein Changes, Ratio Amino Acids"};
    CheckBox CheckRatioLysine{"OR When  Lysine Changes, ratio Amino Acids"};

    // --- Grids.
    Grid GridWeight{"GridWeight", 3, 7};  // row 1, columns 1..5: B0..B4
    Grid Griddiets{"Griddiets", 19, 7};   // column d = diet d; row 1 name, 2 price, 3 feed, 4 energy, k+3 nutrient k
    // The results grid: per-diet table, daily table (columns 5..8), herd
    // distribution (9) and carcass estimates (10..13).
    Grid Grid1{"Grid1", 200, 14};
    Grid GridFormula{"GridFormula", 2, 7};  // ingredient inclusions per diet
    Grid gridFILES{"gridFILES", 11, 1};

    // --- Commands.
    Button CommandGrowth{"Growth"};
    Button CommandRunLp{"Run LP", "This Runs The LP without Growth Command"};
    Button CommandCalibration{"Calibration"};
    Button CommandOptimise{"Run Optimization"};
    Button CommandPlot{"Plot Diets"};
    Button CommandData{"Data", {}, false};  // the data button, hidden at start-up
    Button CommandEditRestrictions{"Edit Diet Restrictions"};
    Button CommandSaveDiets{"Save Diets"};  // the diets with the save dialog
    Button CommandSources{"Nutrient Sources", "Where the nutrient, ingredient or cost of the selected diet cell comes from"};
    Button CommandSensitivity{"Sensitivity", "Shadow prices and price ranges of the selected diet, or why it is infeasible"};
    Button CommandMixing{"Mixing Sheet", "The selected diet weighed out as a batch for the mill"};

    Tabs MainTabs;
};

}  // namespace tarvisol
