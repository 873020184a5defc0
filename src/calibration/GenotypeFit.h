#pragma once
// The nutrient-response model's genotype fitted to a measured herd, in the
// spirit of InraPorc's calibration (van Milgen et al. 2008; Vautier et al.
// 2013): the mean protein deposition, the precocity and the intakes at 50
// and 100 kg chosen so that the herd's pig, grown on the location's diets,
// passes the weighings at their ages and eats the measured feed of each
// period. The sexes keep the split of the genotype the fit starts from.
//
// On values: the fit grows the pig with response::GrowHerdPig, never through
// the record, in parallel from several starts on private data; the best fit
// is the same on any number of threads.
#include <string>
#include <vector>

#include "response/HerdPigRun.h"
#include "shared/Genotype.h"
#include "shared/RunSnapshot.h"

namespace tarvisol {

class Progress;
struct SharedState;

struct GenotypeFitInputs {
    response::ResponseProgramme Programme;
    response::HerdPigStart Start;     // age, weight, final weight (kg) and herd sex
    // The measured herd from its first row: age (days), weight (kg) and the
    // feed since the row before (kg per pig).
    std::vector<MeasuredPoint> Weighings;
    double MeasuredFinalAge = 0;      // days; 0 when not given
    double MeasuredTotalFeed = 0;     // kg; 0 when not given
    Genotype InForce;                 // the genotype the location holds: its split of the sexes and wastage
};

// Empty when the inputs can be fitted; otherwise why not, in the user's words.
std::string GenotypeFitProblem(const GenotypeFitInputs& in);

// How a genotype grows the measured herd.
struct GenotypeWeighing {
    double Age = 0;
    double Measured = 0, Simulated = 0, Residual = 0, ResidualShare = 0;       // kg
    double MeasuredFeed = 0, SimulatedFeed = 0, FeedResidual = 0, FeedResidualShare = 0;  // kg since the row before
    bool Missed = false;
};

struct GenotypeDiagnostics {
    Genotype Pig;
    bool Grown = false;       // the genotype grew the herd past its last weighing on these diets
    double Error = 0;         // the fit's score: squared misses, weighings in kg, feed in 2 % steps, final age in days
    double FinalAge = 0, MeasuredFinalAge = 0;   // days at the final weight
    double TotalFeed = 0, MeasuredTotalFeed = 0;  // kg to the final weight
    double MeanProteinDeposition = 0;  // g/d of the herd's pig between the first and the last weighing
    double LateFatShare = 0;           // lipid / (protein + lipid) deposited in the last period
    std::vector<GenotypeWeighing> Weighings;
    std::vector<std::string> Warnings;
    bool Clean() const { return Warnings.empty(); }
};

// Grows the measured herd on a genotype and reads how it fits.
GenotypeDiagnostics DiagnoseGenotype(const GenotypeFitInputs& in, const Genotype& g);

struct GenotypeFitOptions {
    int threads = 0;               // 0: one per processor
    Progress* progress = nullptr;  // starts done; may ask to stop
};

struct GenotypeFit {
    bool Cancelled = false;
    std::string Problem;             // why there is no fit (empty when there is one)
    GenotypeDiagnostics InForce;     // the genotype the fit started from
    GenotypeDiagnostics Fitted;      // the best fit
    int Evaluations = 0;             // growth runs of the fit
    bool Done() const { return Problem.empty() && !Cancelled; }
};

GenotypeFit FitGenotype(const GenotypeFitInputs& in, const GenotypeFitOptions& options = {});

// The inputs from the record: the programme of the diets in DietNutrients
// and DietFeedAmount, the measured herd (CalibInputs, CalibWeightTable) and
// the location's genotype.
GenotypeFitInputs GenotypeFitInputsOf(const SharedState& s);

// The diagnostics as text lines: warnings first, then the parameters, the
// residuals beside the measurements.
std::string GenotypeDiagnosticsText(const GenotypeDiagnostics& d);

}  // namespace tarvisol
