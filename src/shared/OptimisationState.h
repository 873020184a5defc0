#pragma once
// The feed-weight optimisation and the diet plot sweep: their working tables.
// Search variable i = 3(d - 1) + k belongs to diet d: k = 1 feed weight,
// 2 net-energy minimum, 3 protein minimum. Element 0 of the vectors is unused
// unless stated.
#include <cstdint>
#include <string>

#include "shared/Table.h"

namespace tarvisol {

class Progress;
struct SharedState;

struct OptimisationState {
    // (diet, variable 0 feed / 1 energy / 2 protein, kind 0 current / 1 minimum / 2 maximum), user units.
    Table3<double, 8, 2, 2> OptBase;
    Array1<double, 0, 20> OptPoint;  // the search point, normalised (7..15)
    Array1<double, 0, 24> OptLower;
    Array1<double, 0, 24> OptUpper;
    Array1<double, 0, 24> OptScale;  // user units per normalised unit
    Array1<int16_t, 0, 20> OptFixed;  // 1 held at its value, 0 searched
    Array1<double, 0, 20> OptStep;
    Array1<double, 0, 20> OptTolerance;
    // (coordinate, vertex). Vertices are numbered 1..m+1, so twenty free
    // variables need vertex 21.
    Table2<double, 20, 21> Simplex;
    Array1<double, 0, 21> VertexCost;

    double TrialCost = 0;  // feed cost per pig of the last evaluation
    double BestCost = 0;
    Array1<double, 0, 20> BestPoint;
    double CurrentCost = 0;  // cost per pig of the current programme
    Array1<double, 0, 20> StartPoint;  // 0: the fallback ceiling; 1..n the starting point
    double StartCeiling = 0;
    Array1<double, 0, 24> VariableCost;
    Array1<double, 0, 24> VariableOptimum;
    int32_t EvalCount = 0;  // evaluations of the current search
    Array1<double, 0, 8> EnergyRange;
    Table2<double, 8, 16> DietTargets;  // (diet, nutrient 1 energy, 2 protein, 3..14 amino acids)
    Array1<double, 0, 8> FeedAllowance;  // trial feed per pig, display weight unit
    Table2<double, 8, 2> FormulaCache;  // (diet, 1 energy / 2 protein minimum last formulated)
    // (diet, bound, nutrient 1..15): the restrictions the cached formula of
    // each diet was made with, so that a diet keeping its formula also keeps
    // the limits that produced it.
    Table3<double, 8, 2, 15> FormulaCacheLimits;
    double OptTargetWeight = 0;  // kg
    double GainTargetWeight = 0;  // kg

    // The best programme, kept for the result file, the report, the chart and
    // the transfer back to the main window.
    Table2<double, 2, 200> OptDayGrowth;
    Table2<double, 2, 200> OptDayFeed;
    Table2<double, 8, 121> OptDietNutrients;
    Table3<double, 8, 2, 121> OptNutrientLimits;
    Table3<double, 8, 2, 100> OptIngredientLimits;
    double OptFinalAge = 0;  // age at the target weight of the best programme
    double OptFeedGain = 0;  // feed per gain of the last evaluation
    bool OptimisationDone = false;
    // While a search runs with "Keep amino acids at the pigs' requirement":
    // the lowest amino-acid minimum of each diet (diet, column 3..14), % of
    // the feed; every trial's minimums are raised to it.
    bool OptMeetRequirements = false;
    Table2<double, 8, 14> OptRequirementFloor;
    int16_t ChartMeasure = 0;  // the chart window's measure (its list index + 4); 0 until it has drawn

    // The diet plot sweep. Energy in the display energy unit.
    bool RatioToLysine = false;  // centred on the diets' contents, amino acids following lysine
    double PlotCostLimit = 0;    // cost per pig of the current programme
    // (diet, step 0..20 = offset -10..+10, field 0 lysine / 1 energy / 2 protein)
    Table3<double, 7, 20, 3> SweepValues;
    // (field, diet, energy step, lysine step): 1 feed per gain, 2 final age,
    // 3 feed cost per pig, 4..8 back fat, longissimus area, lean %, yield %,
    // loin depth. -1 marks a point whose diet was infeasible.
    Table4<double, 10, 6, 20, 20> SweepResults;
    // (diet column 3..14, diet, energy step, lysine step): the amino acids of
    // each point's diet as formulated, % of the feed; 0 for an infeasible point.
    Table4<double, 14, 6, 20, 20> SweepAmino;
    Table3<double, 8, 2, 121> SavedLimits;  // the restrictions as they were before the sweep
    int16_t SweepDietCount = 0;  // diets of the last finished sweep (0: none yet)
    double SweepFeedGain = 0;    // feed per gain of the programme the sweep started from

    // Every evaluation of the last run (all stages), and the result file it wrote.
    int32_t OptRunEvaluations = 0;
    std::string OptResultFile;

    // Where the search reports its stage, evaluation count and best cost
    // (nowhere when null), and the stage's caption.
    Progress* OptProgress = nullptr;
    std::string OptStageText;
    // When set, replaces the programme evaluation: returns the cost of
    // OptPoint. For trying the search on a function with a known minimum.
    double (*OptEvaluateHook)(const SharedState&) = nullptr;
};

}  // namespace tarvisol
