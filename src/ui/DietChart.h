#pragma once
// The chart window of the diet plot sweep as a form. For the chosen diet and
// measure it holds the 21 x 21 map over energy (down) and lysine or protein
// (across) that the Qt window draws as a heat map with the current diet
// marked, the profile along lysine (or protein) at the current energy that it
// draws as a line chart, and the same map as a table to copy.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

inline constexpr const char* kDietChartCaption = "Diet Plots";

struct ChartMeasureInfo {
    const char* caption;
    int field;  // SweepResults field
};
inline constexpr int kChartMeasureCount = 7;
inline constexpr ChartMeasureInfo kChartMeasures[kChartMeasureCount] = {
    {"Feed Cost per Pig", 3}, {"Feed/Gain", 1},          {"Age at Final Weight, days", 2},
    {"Back Fat at 10th Rib", 4}, {"Longissimus Area", 5}, {"Carcass Lean %", 6},
    {"Carcass Yield %", 7}};

// How a point of the map is shown.
enum class ChartPoint : unsigned char {
    Value,       // a value of the measure
    Infeasible,  // the diet could not be formulated or grown (or lysine ran past three times its minimum)
    OverCost,    // feed cost above 1.4 times the current cost per pig (recorded as 0)
};

// What the marked centre point is: the diets as the main window grew them
// (swept on their contents), or the diet at its restriction minimums.
inline constexpr const char* kChartCurrentDiet = "Current diet";
inline constexpr const char* kChartProteinMinimums = "Protein minimums";
// Appended to the table's text of a point whose amino acids fall below the
// herd's requirement where the diet starts.
inline constexpr const char* kChartShortMark = " <req";
inline constexpr Color kChartShortShade = Rgb(250, 200, 200);
// The map's overlay of those points.
inline constexpr const char* kChartBelowRequirement = "Below requirement";
inline constexpr const char* kChartInfeasibleText = "Infeas.";
inline constexpr const char* kChartOverCostText = "> 1.4x";
// Cell colours of the table: the current diet and the points not shown as values.
inline constexpr Color kChartCurrentShade = Rgb(255, 230, 140);
inline constexpr Color kChartMissingShade = Rgb(215, 215, 215);

struct DietChartWindow {
    std::string Caption = kDietChartCaption;
    bool Visible = false;
    ComboBox ComboDiet;     // "Diet 1" .. "Diet n"
    ComboBox ComboMeasure;  // kChartMeasures
    // Row 0: the lysine (or protein) levels; column 0: the energies; the
    // cells: the measure, "Infeas." or "> 1.4x".
    Grid GridPlot{"GridPlot", 22, 22};
    Button CommandCopy{"Copy Table"};
    Label LabelTitle{""};
    Label LabelCurrent{""};  // the centre point's levels and value, and what it is
    // The centre point: the current diet, or (swept on the protein minimums)
    // the diet formulated at its minimums, which is not the main window's.
    bool CentreIsCurrent = true;
    std::string CentreName = kChartCurrentDiet;
    Label LabelBest{""};     // the best feasible point of the measure
    // The requirement the points are marked against, or why none is.
    Label LabelRequirement{""};

    // What the Qt window draws, for the chosen diet and measure.
    int Diet = 0;
    int Field = 0;
    std::string MeasureCaption, EnergyAxis, LevelAxis;
    double Energy[21] = {};  // by energy step
    double Level[21] = {};   // by lysine (or protein) step
    double Value[21][21] = {};
    ChartPoint Kind[21][21] = {};
    // A feasible point whose amino acids fall below the requirement of the
    // run the sweep started from, on the diet's first day, and its shortfalls.
    bool Short[21][21] = {};
    std::string ShortText[21][21];
    bool AnyValue = false;
    double Low = 0, High = 0;  // range of the values shown
    bool LowerIsBetter = true;
    // The best point lies on the edge of the grid swept (it is not bracketed).
    bool BestOnEdge = false;
};

// Opens the window on the last sweep: the diets swept, every measure, the
// first diet and measure chosen. Does nothing before a sweep has finished.
void LoadDietChart(SharedState& s, DietChartWindow& w);

// A diet or measure was chosen: fills the map, the table and the labels and
// records the measure in ChartMeasure (list index + 4).
void DietChartSelect(SharedState& s, DietChartWindow& w);

// "Copy Table": the whole table to the clipboard.
void CopyDietChartTable(SharedState& s, DietChartWindow& w);

}  // namespace tarvisol
