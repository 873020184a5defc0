#pragma once
// The calibration window's genotype fit: the nutrient-response model's
// genotype fitted to the measured herd the window shows, on the location's
// diets. The fitted parameters stand beside the genotype in force with the
// fit error of each, then the miss at every weighing and in every period's
// feed, and the warnings; all of it before the question whether to save the
// fitted genotype. Only a Yes writes the location's genotype file.
#include <functional>
#include <string>

#include "calibration/GenotypeFit.h"
#include "shared/Controls.h"

namespace tarvisol {

struct CalibrationWindow;
struct SharedState;

struct GenotypeFitWindow {
    Button CommandFit{"Fit Genotype (nutrient response)"};
    Label LabelTitle;  // the genotype in force and the herd fitted
    // Row 0 headers; then each parameter of the males and of the gilts, the
    // fit error and what each genotype makes of the herd. Column 0 the
    // figure, 1 the genotype in force, 2 the fitted one.
    Grid GridParameters{"GridParameters", 1, 3};
    // Row 0 headers, then a row per weighing: age, weight measured / fitted /
    // miss, the period's feed measured / fitted / miss %.
    Grid GridWeighings{"GridWeighings", 1, 7};
    TextBox TextWarnings;  // the fitted genotype's warnings, or that it has none
    GenotypeFit Fit;       // the last fit that ran to its end
    bool Shown = false;    // the grids hold a fit
    bool Saved = false;    // the last fit's genotype was saved
    // Called once the window holds the fit, before the save question.
    std::function<void()> OnDiagnostics;
};

inline constexpr const char* kGenotypeFitCancelled = "Genotype fit cancelled: nothing was changed";
// The question asked when the documented calibration found the herd beyond
// its curve.
inline constexpr const char* kOfferGenotypeFit =
    "No growth curve represents this herd without a warning. Fit the nutrient-response model's genotype to it now?";

// The save question of a fit, naming the file it writes.
std::string SaveGenotypeQuestion(const std::string& genotypeFile);

// The measured herd as the calibration window shows it (its five inputs and
// its table), the location's diets and genotype, as the fit takes them. The
// record is left as it was. Empty problem when the inputs could be taken.
GenotypeFitInputs GenotypeFitInputsOfWindow(SharedState& s, const CalibrationWindow& cal, std::string& problem);

// Fits the genotype. A stop from the progress leaves the record, the files
// and this window as they were and says kGenotypeFitCancelled. Otherwise the
// window shows the fit (OnDiagnostics), then asks SaveGenotypeQuestion: Yes
// puts the location on the nutrient-response model with the fitted genotype,
// saves its genotype file and grows the pig again; No changes nothing.
void FitGenotypeFromWindow(SharedState& s, const CalibrationWindow& cal, GenotypeFitWindow& w,
                           const GenotypeFitOptions& options = {});

// After a documented calibration: when every start of its wider search
// ended with a warning, asks kOfferGenotypeFit; true on Yes.
bool OfferGenotypeFit(SharedState& s, const CalibrationWindow& cal);

// Fills the grids and the warnings from a fit.
void ShowGenotypeFit(GenotypeFitWindow& w, const GenotypeFit& fit);

}  // namespace tarvisol
