#pragma once
// What a fitted growth curve means for the herd it was fitted to, read from
// the herd's own growth run on that curve: the mature weight, the curve's
// potential daily gain over the herd's weights, how much of the gain is fat
// (and how much of that fat the engine lays down from spare intake capacity
// without feed to pay for it), and the miss at every measured weighing and
// period feed. Warnings say in a nutritionist's words what makes a curve one
// not to trust, whatever its correlations.
//
// All weights and feeds are in kg.
#include <string>
#include <vector>

#include "calibration/SwineCalib.h"
#include "shared/SharedState.h"

namespace tarvisol {

// Warning limits.
inline constexpr double kMatureToFinalMin = 1.5;     // mature weight at least 1.5 x final weight
inline constexpr double kPotentialGainMin = 0.3;     // kg/d within the herd's weights
inline constexpr double kWeighingMissKg = 3.0;       // a weighing missed by more than 3 kg ...
inline constexpr double kWeighingMissShare = 0.05;   // ... or by more than 5 % of it
inline constexpr double kFinalAgeMissDays = 7.0;     // the final weight reached more than a week off

// Of one day's fat gain (kg), what the engine laid down from the day's
// energy balance when the pig's intake capacity exceeded the need: the fat
// it adds without raising the feed to pay for it. w and fatToday are the
// day's live weight and body fat, lean and fat the day's gains as the day
// tables hold them, fatCost the energy cost of fat gain (kcal/kg).
double FatWithoutFeed(double w, double fatToday, double lean, double fat, double fatCost);

// The curve's potential daily gain at one live weight.
struct PotentialGain {
    double weight = 0;  // kg
    double gain = 0;    // kg/d
};

// One diet phase of the run: the days the diet was fed.
struct PhaseGain {
    int diet = 0;                // 1-based
    std::string name;            // the diet's name, when the location has one
    double fromWeight = 0, toWeight = 0;  // kg
    double gain = 0;             // kg over the phase
    double fatShare = 0;         // fat / gain
    double feedlessFatShare = 0; // fat laid down without feed / gain
};

// One row of the measured herd after the start.
struct WeighingResidual {
    int row = 0;              // row of the measured table (2 = the end of diet 1)
    double age = 0;           // days
    double measured = 0;      // kg
    double simulated = 0;     // kg, the run's weight on the measured day
    double residual = 0;      // simulated - measured, kg
    double residualShare = 0; // residual / measured
    double measuredFeed = 0;  // kg eaten since the previous row
    double simulatedFeed = 0;
    double feedResidual = 0;  // simulated - measured, kg
    double feedResidualShare = 0;
    bool missed = false;      // beyond kWeighingMissKg or kWeighingMissShare
};

struct FitDiagnostics {
    CurvePoint curve{};
    bool grown = false;        // the curve grew the herd to its final weight
    double error = 0;          // the fit's own error of this curve (feed, age and measured table)
    double matureWeight = 0;   // B0 e^B2, kg
    double startWeight = 0, finalWeight = 0;  // kg
    double finalAge = 0, measuredFinalAge = 0;
    double totalFeed = 0, measuredTotalFeed = 0;  // to the final weight; measured
    // The run's feed to the measured final age (the day after it, as the
    // calibration's save question counts it).
    double feedToMeasuredAge = 0;
    PotentialGain atStart, atMiddle, atFinal;
    PotentialGain lowest;      // the lowest potential gain between start and final weight
    std::vector<PhaseGain> phases;
    double fatShare = 0;            // over the whole run
    double feedlessFatShare = 0;    // over the whole run
    std::vector<WeighingResidual> weighings;
    std::vector<std::string> warnings;

    bool Clean() const { return warnings.empty(); }
};

// The curve's potential daily gain at live weight w (kg), as the engine's
// growth curve gives it before feed, protein and amino acids limit it.
double CurvePotentialGain(const CurvePoint& curve, double w);

// Grows the herd of the calibration inputs (CalibInputs, CalibWeightTable,
// the diets in DietNutrients and DietFeedAmount) on `curve`, on a private
// copy of s, and reads the diagnostics from that run. s is not changed.
FitDiagnostics DiagnoseFit(const SharedState& s, const CurvePoint& curve);

// The curve in GrowthCurve(0, 0..4).
CurvePoint CurveInForce(const SharedState& s);

// The diagnostics as lines of text for a message box or the terminal:
// warnings first, then the curve, the residuals beside the measurements, the
// phases.
std::string DiagnosticsText(const FitDiagnostics& d);

// The fit error as the diagnostics show it ("0.000"), or "" when the herd
// could not be grown on the curve.
std::string FitErrorText(const FitDiagnostics& d);

// The new curve's fit error beside that of the curve in force before the
// calibration, as one line for the text before the save question.
std::string FitErrorsText(const FitDiagnostics& fitted, const FitDiagnostics& inForce);

// The fit error of the curve in force, as its diagnostics show it: what the
// main window shows beside the curve after a run.
std::string FitErrorOfCurveInForce(const SharedState& s);

}  // namespace tarvisol
