#pragma once
// The one record of the run: units, herd, diet programme, growth-curve
// coefficients, day tables and run flags. Procedures are free functions over it.
// Tables have the documented inclusive bounds; see Table.h for the checking.
#include <cstdint>
#include <string>

#include "shared/CalibrationState.h"
#include "shared/FormulationState.h"
#include "shared/Genotype.h"
#include "shared/LocationState.h"
#include "shared/OptimisationState.h"
#include "shared/ResponseDays.h"
#include "shared/RunSnapshot.h"
#include "shared/Table.h"

namespace tarvisol {

class Clipboard;
class Dialogs;
class Grid;
struct MainWindow;

struct SharedState : FormulationState, LocationState, CalibrationState, OptimisationState {
    // --- Units: entry 0 energy, 1 weight, 2 price; 3 and 4 are not read.
    Array1<int16_t, 0, 4> UnitTable;
    int16_t& EnergyUnit() { return UnitTable(0); }
    int16_t& WeightUnit() { return UnitTable(1); }
    int16_t& PriceUnit() { return UnitTable(2); }
    int16_t EnergyUnit() const { return UnitTable(0); }
    int16_t WeightUnit() const { return UnitTable(1); }
    int16_t PriceUnit() const { return UnitTable(2); }

    // --- Herd, start and target.
    int16_t HerdSex = -1;  // 0 Mixed, 1 Males, 2 Females; -1 no selection
    int16_t SimSex = 0;    // sex slot used by the engine for cumulative feed
    int16_t StartAge = 0;  // days, index into the day tables
    double StartWeight = 0;
    double FinalWeight = 0;
    double FinalAge = 0;
    int32_t PigCount = 0;

    // --- Diet programme.
    int16_t DietCount = 0;
    Table2<double, 8, 121> DietNutrients;  // (diet, column): 0 price, 1 energy, 2 protein, 3..14 amino acids
    Array1<double, 0, 24> DietFeedAmount;  // kg per pig allotted to each diet
    Array1<double, 0, 14> CurrentDiet;
    int16_t CurrentDietIndex = 0;
    Table2<double, 8, 3> DietResults;  // (diet, 1 age / 2 weight / 3 cumulative feed)

    // --- Growth model coefficients.
    Table2<double, 2, 5> GrowthCurve;  // row 0: B0..B4
    Table2<double, 2, 5> DefaultGrowthCurve;
    Table2<double, 2, 4> FatCurve;  // row 0, columns 1..4: cubic in live weight
    Array1<double, 0, 2> GainEnergyCost;  // 1 fat gain, 2 fat-free gain, kcal/kg
    Table2<double, 2, 12> AminoProfile;

    // --- Day tables, second index = age in days.
    Table2<double, 2, 200> DayGrowth;
    Table2<double, 2, 200> EnergyCap;
    Table2<double, 2, 200> BodyFat;
    Table2<double, 2, 200> DayFeed;
    Array1<double, 0, 2> CumFeed;
    Table2<double, 8, 700> CumFeedByDay;

    // --- Results.
    Table2<double, 2, 5> CarcassTable;  // (sex 0 mixed / 1 males / 2 females, trait 1..5)

    // Standard normal distribution function at z = 0, 0.05, .., 1.5: the share
    // of a herd at or below its mean plus z standard deviations.
    Array1<double, 0, 30> NormalTable;
    // Row of Grid1 where the herd first starts reaching the final weight
    // (0 when no day qualified), for the summary.
    int16_t HerdStartRow = 0;

    // --- Temperatures (the engine only fills the starting age).
    Array1<double, 0, 24> TempTable;
    Array1<double, 0, 24> CalibTemps;
    std::string TempFileName;

    // --- Run control and the engine's working values of the current day.
    bool RunFailed = false;
    // Outcome of the last Growth command: true only when it produced results
    // the program stands behind (inputs accepted, every least-cost diet
    // formulated, the engine did not fail, the final weight was reached).
    bool GrowthResultsValid = false;
    // The last Growth run's pig reached FinalWeight within the day tables.
    bool ReachedFinalWeight = false;
    bool ShowDailyProgress = false;
    double PhysioAge = 0;
    double NextWeight = 0;
    double MeanWeight = 0;
    double DayFeedIntake = 0;
    Array1<double, 0, 14> NutrientRatio;
    // Last age whose start-of-day weight the latest run computed; StartAge - 1
    // before any run. Lets readers tell this run's days from an earlier run's.
    int16_t RunLastDay = -1;

    // The last Growth command's run as it finished, for the windows that
    // report it (daily growth, formulated diets) and for the optimisation's
    // starting programme. Empty before the first run and after a refused one.
    // The location's growth model and, for the nutrient-response model, its
    // genotype (the location's .gen file; the documented curve without one).
    GrowthModelChoice Model;
    // The days of the last nutrient-response run (Used false after a run of
    // the documented curve).
    ResponseRunDays Response;

    RunSnapshot LastRun;
    // The inputs LastRun was made from (RunInputsText), to tell results
    // from before a change of them.
    std::string LastRunInputs;
    // The optimum last transferred to the main window ("Transfer Optimum to
    // Current"), stamped when it was transferred: "Keep This Run" keeps it
    // when it is later than LastRun.
    RunSnapshot TransferredOptimum;
    // Adds to a run just taken what the layers above the engine read from it
    // (the requirements and the nutrient balance). Installed at start-up;
    // null leaves snapshots as the engine took them.
    void (*CompleteRunSnapshot)(const SharedState&, RunSnapshot&) = nullptr;
    // The calibration's fit error of the curve in force against the herd's
    // measured figures, as its diagnostics show it ("" when the curve cannot
    // be scored): the main window's Fit Error after a run. Installed at
    // start-up by the desktop program; null leaves that cell empty.
    std::string (*CurveFitErrorText)(const SharedState&) = nullptr;

    // --- Where messages and the daily grid go. Null means "nowhere": private
    // copies used for parallel work run without a window.
    Dialogs* Dialog = nullptr;
    MainWindow* Main = nullptr;
    Clipboard* Clip = nullptr;
    // The grid on which the user last pressed a mouse button; the pop-up
    // menu's commands act on it.
    Grid* ActiveGrid = nullptr;
};

// Fills the fixed model tables at start-up: the body-fat curve, the two
// amino-acid profiles and the gain energy costs.
void DataInit(SharedState& s);

// The fallback growth curve B0..B4 used when the coefficient grid is blank.
inline constexpr double kDefaultCurve[5] = {6.154, 1.5343, 3.5705, 0.0020532, 1.0};

// The message sink of the record (a silent one when none is attached).
Dialogs& DialogsOf(SharedState& s);
// The clipboard of the record (a private in-memory one when none is attached).
Clipboard& ClipboardOf(SharedState& s);

}  // namespace tarvisol
