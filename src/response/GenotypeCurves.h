#pragma once
// What the daily loop needs of one sex's genotype, worked out once: the
// intake curve, the Gompertz potential of body protein and the body water
// scalar.
#include <string>

#include "shared/Genotype.h"

namespace tarvisol::response {

struct SexCurves {
    // NE eaten at will on the reference diet, kcal a day:
    // IntakeAsymptote x (1 - exp(-IntakeRate x BW)), through the genotype's
    // intakes at 50 and 100 kg.
    double IntakeAsymptote = 0, IntakeRate = 0;
    // Potential protein deposition, kg a day: Precocity x BP x ln(Pm / BP),
    // the Gompertz of body protein (van Milgen et al. 2008).
    double Precocity = 0;
    double MatureProtein = 0;  // Pm, kg
    double LogMatureProtein = 0;
    double WaterScalar = 0;    // body water = WaterScalar x BP^0.855
    // ME above maintenance per g of potential protein deposition that a pig
    // of 70 kg eats at will on the reference diet (kcal): the plateau of the
    // energy response above 70 kg.
    double EnergyPerPotentialAt70 = 0;
    double SuppliedPerEaten = 1;  // 1 / (1 - wastage)
};

// Empty when the genotype can be grown; otherwise the message naming the
// first parameter that cannot (mean deposition 40 to 400 g a day, precocity
// 0.002 to 0.05 per day, intakes above 0 with the 100-kg intake above the
// 50-kg one and below twice it, wastage 0 to 50 %).
std::string SexGenotypeProblem(const SexGenotype& g, const char* sex);
std::string GenotypeProblem(const Genotype& g);

SexCurves CurvesOf(const SexGenotype& g, double wastagePercent);

// NE eaten at will on the reference diet at live weight w (kg), kcal a day.
double IntakeAtWill(const SexCurves& c, double w);

// Body protein (kg) of a pig of live weight w at the start's share of its
// empty body: the anchors of the mean deposition.
double AnchorProtein(double w);

// The mean potential deposition (g a day) of a Gompertz with mature protein
// Pm and precocity B between the anchors, and the Pm that gives a mean.
double MeanPotentialDeposition(double matureProtein, double precocity);
double MatureProteinForMean(double meanDeposition, double precocity);

}  // namespace tarvisol::response
