#pragma once
// The "Plot Diets" sweep: for each diet of the programme a 21 x 21 grid of
// energy and lysine (or protein) levels around the diet's present levels.
// Every point formulates that diet at least cost, grows one pig and takes
// its carcass, and keeps feed per gain, age, feed cost per pig and carcass
// in SweepResults; DietPlot.txt and Plot.txt go to the location folder.
#include <string>

#include "shared/Controls.h"
#include "shared/SharedState.h"

namespace tarvisol {

class Progress;

inline constexpr int kSweepSteps = 21;  // steps 0..20, offset -10..+10
inline constexpr int kSweepCentre = 10;
inline constexpr int kSweepLysine = 0, kSweepEnergy = 1, kSweepProtein = 2;  // SweepValues fields
inline constexpr int kSweepFeedGain = 1, kSweepAge = 2, kSweepCost = 3, kSweepBackFat = 4, kSweepLoinArea = 5,
                     kSweepLean = 6, kSweepYield = 7, kSweepLoinDepth = 8;  // SweepResults fields
inline constexpr double kSweepRelativeStep = 0.01;
inline constexpr double kSweepInfeasible = -1;

inline constexpr const char* kPlotCostMissing = "Please run Current Calculation as Cost/Bird is Missing.";
inline constexpr const char* kPlotQuestion = "This will take a little time, ok?";
inline constexpr const char* kPlotRatioNote = "If you have a Restriction on Protein, it will be ratioed to Lysine";
inline constexpr const char* kPlotLysineMissing = "Must have restiction values for Lysine to proceed";
inline constexpr const char* kPlotIntakeBelowZero = "FeedIntake for a day was calculated to be below Zero.";
inline constexpr const char* kPlotIntakeTooHigh = "FeedIntake for a day for males was far too high";
inline constexpr const char* kPlotCancelled = "Diet plot cancelled";
inline constexpr const char* kDietPlotFile = "DietPlot.txt";
inline constexpr const char* kPlotFile = "Plot.txt";
// Colour of the "Plot Diets" button while the sweep runs.
inline constexpr Color kPlotRunning = Rgb(64, 60, 147);

// Energy step of the sweep in the display energy unit: 20 kcal/kg, 10 kcal/lb,
// 0.02 Mcal/kg, 0.01 Mcal/lb, 0.005 MJ/kg.
double SweepEnergyStep(int energyUnit);

struct PlotOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // diet and point; may ask to stop
    // Seconds one point of the sweep takes on one thread; 0: the estimate
    // (SweepPointSeconds). Only what the run is expected to take depends on it.
    double secondsPerPoint = 0;
};

// A sweep expected to take this long or longer asks the documented question
// "This will take a little time, ok?" first; a shorter one starts at once.
inline constexpr double kPlotQuestionSeconds = 1.0;

// What one point costs on one thread of the development machine: a growth run
// with its carcass (0.05 ms) and, on least-cost diets, one formulation of the
// swept diet (0.16 ms on the demo's 19 ingredients and 22 nutrients, growing
// with the matrix). Measured by BM_PlotDietsDemo: 364 ms for the demo's 1,764
// points on one thread.
double SweepPointSeconds(bool leastCost, int ingredients, int nutrients);

// The time a sweep of `diets` diets is expected to take on `threads` threads.
double ExpectedSweepSeconds(int diets, double secondsPerPoint, int threads);

// What a sweep did.
struct PlotOutcome {
    bool finished = false;  // every diet swept and both files written
    bool asked = false;     // the question was asked first (a long sweep)
    double expectedSeconds = 0;
    std::string dietPlotPath, plotPath;
};

// The "Plot Diets" button on s.Main. Asks first when the sweep is expected to
// take kPlotQuestionSeconds or more; the answer No, a missing
// cost per pig or a diet without a lysine minimum stop it before any work.
// The diets, restrictions and results of the main window are as they were
// afterwards, whatever happened. The progress hears of the work from its
// first point on and may stop it: the record (the last sweep's results
// included), the main window and the files are then as before, and the
// message is "Diet plot cancelled". The chart window opens when `finished`.
PlotOutcome PlotDiets(SharedState& s, const PlotOptions& options = {});

// The factor the last sweep applied to diet d's nutrient minimums at its
// centre point: 1 on the diets' contents (lysine), protein minimum / protein
// content on the minimums, so that the centre is then not the diet the main
// window grew; 1 for a diet without a protein content.
double SweepCentreRatio(const SharedState& s, int d);

// The best feasible point of diet d of the last sweep by feed cost per pig
// (the lowest positive cost): false when none is feasible and priced.
bool BestSweepPoint(const SharedState& s, int d, int& energyStep, int& lysineStep);

}  // namespace tarvisol
