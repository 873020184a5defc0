#pragma once
// The factorial requirements of a growing-finishing pig for one day, after
// the NRC (2012) Nutrient Requirements of Swine, 11th revised edition
// (National Academies Press, Washington DC), chapters 6 (minerals) and 8
// (the growing-finishing pig model). Inputs are what a growth run gives for
// the day: body weight, feed eaten and whole-body protein deposition.
//
// Amino acids are standardized ileal digestible (SID), phosphorus standardized
// total tract digestible (STTD), calcium total; feed as fed at 90 % dry matter,
// the basis of the NRC (2012) requirement tables.
#include <array>

namespace tarvisol {

// --- Coefficients, each with where it comes from. No public copy of NRC
// (2012) chapters 6 and 8 could be read, so the factorial's coefficients
// below are NRC (2012) figures as recalled and not verified against the
// published text; each says so. What was found in print: Table 16-1A's
// 25-50 and 50-75 kg columns (the pig's ME intake, protein deposition, SID
// amino acids, STTD phosphorus and calcium), the calcium ratio and the NRC
// STTD phosphorus estimates per phase. The tests hold the factorial to
// Table 16-1A (within 5 %) and the demo to the others.
// Dry matter of the feed as fed: NRC (2012) tables are stated at 90 % DM.
inline constexpr double kFeedDryMatter = 0.90;
// Basal endogenous gut losses of SID lysine, g per kg dry matter intake:
// NRC (2012) ch. 8; not verified against the published text.
inline constexpr double kLysineGutLoss = 0.417;
// Integumental lysine losses, g per kg BW^0.75 and day: NRC (2012) ch. 8;
// not verified against the published text.
inline constexpr double kLysineIntegumentLoss = 0.0045;
// Lysine in whole-body protein deposited, g per g: NRC (2012) ch. 8 (7.10 %);
// not verified against the published text.
inline constexpr double kLysineInProtein = 0.0710;
// Marginal efficiency of SID lysine for protein deposition, declining with
// body weight: 0.75 / (1 + 0.0547 + 0.002215 BW), NRC (2012) ch. 8 (68.2 %
// at 20 kg, 56.8 % at 120 kg); the form and its figures are not verified
// against the published text.
inline constexpr double kLysineEfficiency = 0.75;
inline constexpr double kLysineEfficiencyBase = 1.0547;
inline constexpr double kLysineEfficiencyPerKg = 0.002215;
// Basal endogenous gut losses of phosphorus, g per kg dry matter intake:
// NRC (2012) ch. 6 (190 mg/kg DMI); not verified against the published text.
inline constexpr double kPhosphorusGutLoss = 0.190;
// Minimum urinary phosphorus losses, g per kg BW and day: NRC (2012) ch. 6
// (7 mg/kg BW); not verified against the published text.
inline constexpr double kPhosphorusUrinaryLoss = 0.007;
// Phosphorus retained per kg of whole-body protein deposited, g: the slope of
// whole-body P on whole-body protein, NRC (2012) ch. 6 and 8 (26.012 g P per
// kg protein); not verified against the published text, which may state
// whole-body P as a curve in body protein rather than a straight line.
inline constexpr double kPhosphorusPerProtein = 26.012;
// Efficiency of STTD phosphorus for retention: NRC (2012) ch. 6 (0.77); not
// verified against the published text.
inline constexpr double kPhosphorusEfficiency = 0.77;
// Total calcium to STTD phosphorus, 2.15 : 1: "Calcium requirements in the
// 2012 NRC are based on a model, which used a 2.15 ratio of total calcium to
// standardized total tract digestible (STTD) phosphorus" (Stein Monogastric
// Nutrition Laboratory, University of Illinois, nutrition.ansci.illinois.edu,
// digestible calcium requirement of 11 to 25 kg pigs).
inline constexpr double kCalciumToSttdPhosphorus = 2.15;
// Nitrogen in protein: protein = N x 6.25.
inline constexpr double kProteinPerNitrogen = 6.25;
// Phosphorus as P2O5: P2O5 = P x 2.291 (molar masses 141.94 / 61.95).
inline constexpr double kP2O5PerP = 2.291;

// Ideal ratios of the other SID amino acids to SID lysine, from NRC (2012)
// Table 16-1A (growing-finishing pigs fed at will, 50-75 kg column, % SID of
// the diet as fed at 90 % DM: lysine 0.85), as printed in a Chinese edition
// of the NRC (2012) tables (the guide names it). Index j = 0..11 pairs with
// diet column j + 3: arginine, histidine, lysine, tryptophan, phenylalanine +
// tyrosine, phenylalanine, methionine + cystine, methionine, threonine,
// leucine, isoleucine, valine.
inline constexpr std::array<double, 12> kTable16_1A_50to75 = {0.39, 0.29, 0.85, 0.15, 0.80, 0.51,
                                                              0.48, 0.24, 0.52, 0.85, 0.45, 0.55};
inline constexpr int kLysineColumn = 5;  // diet column of lysine

// The ratio of amino acid j (0..11, diet column j + 3) to lysine.
double IdealRatio(int j);

// Marginal efficiency of SID lysine for protein deposition at body weight w (kg).
double LysineEfficiency(double weightKg);

// SID lysine, g per day: basal gut losses + integumental losses + lysine
// deposited in protein over its marginal efficiency.
double SidLysineGrams(double weightKg, double feedKg, double proteinDepositionGrams);

// The same factorial as a straight line in the protein deposited: the
// lysine lost without deposition (g a day) and the lysine per g of protein
// deposited. The nutrient-response model reads it backwards: the
// deposition a day's lysine allows.
struct LysineFactorial {
    double Losses = 0;
    double PerGramDeposited = 0;
};
LysineFactorial LysineFactorialAt(double weightKg, double feedKg);

// Phosphorus retained with the day's protein deposition, g per day.
double PhosphorusRetainedGrams(double proteinDepositionGrams);

// STTD phosphorus, g per day: basal gut losses + minimum urinary losses +
// phosphorus retained over its efficiency.
double SttdPhosphorusGrams(double weightKg, double feedKg, double proteinDepositionGrams);

// Total calcium, g per day, by its ratio to STTD phosphorus.
double CalciumGrams(double sttdPhosphorusGrams);

}  // namespace tarvisol
