#pragma once
// The coefficients of the nutrient-response growth model, each with where it
// comes from. The model counts the pig's energy as metabolizable energy (ME)
// the way NRC (2012) does; the diets state net energy (NE), and the NE a pig
// eats is taken as ME at the NE : ME of the diet NRC (2012) Table 16-1A is
// computed for (2,475 kcal NE and 3,300 kcal effective ME per kg as fed).
//
// "Not verified" marks a figure recalled from the source named but not
// checked against a printed copy; the tests hold the model to what was found
// in print (Table 16-1A's gain and intake, the NE response of Quiniou and
// Noblet 2012).

namespace tarvisol::response {

// --- Energy.
// ME per NE of the Table 16-1A diet: 3,300 / 2,475 kcal per kg (NRC 2012,
// Table 16-1A, "NE 2475" and "effective ME 3300" of the 25-50 and 50-75 kg
// columns).
inline constexpr double kMePerNe = 3300.0 / 2475.0;
// Maintenance, kcal ME per kg BW^0.60 and day: NRC (2012), as used by Lee,
// Kong, Adeola and Kim (2016), Asian-Australas. J. Anim. Sci. 29:1762 ("197
// kcal x kg BW^0.60 as metabolizable energy for maintenance").
inline constexpr double kMaintenanceMe = 197.0;
// ME per g of protein and of lipid deposited: NRC (1998), Appendix 1, p. 143
// ("ME required for protein synthesis is 10.6 kcal/g ... for fat synthesis
// is 12.5 kcal/g"), kept in NRC (2012) (not verified).
inline constexpr double kProteinDepositionMe = 10.6;
inline constexpr double kLipidDepositionMe = 12.5;
// How far the pig eats to a diet's energy: NE eaten rises with the diet's
// NE to the power 0.25. Quiniou and Noblet (2012), J. Anim. Sci. 90:4362,
// barrows of 35 to 110 kg fed at will: 8.7 to 11.1 MJ NE/kg raised NE intake
// from 27.98 to 29.77 MJ a day (ln 1.064 / ln 1.276 = 0.25); feed eaten fell
// from 3.216 to 2.684 kg.
inline constexpr double kEnergyIntakeElasticity = 0.25;
// Below this body weight the potential protein deposition needs the pig's
// whole intake at will; above it a small cut in feed costs lipid first.
// InraPorc's "BW PDmax" of 70 kg (van Milgen et al. 2008; van Milgen et al.
// 2015, Nutritional Modelling for Pigs and Poultry, CABI, ch. 2: "at 70 kg of
// body weight, the feed intake capacity of the pig is sufficient to attain
// PDmax").
inline constexpr double kWeightAtPotentialIntake = 70.0;

// --- Body.
// Empty body weight from live weight: EBW = 0.891 x BW^1.014 (kg), van
// Milgen et al. (2008), Anim. Feed Sci. Technol. 143:387 (not verified
// against the printed paper).
inline constexpr double kEmptyBodyFactor = 0.891;
inline constexpr double kEmptyBodyExponent = 1.014;
// Body water from body protein, a x BP^0.855 (kg), the scalar from the
// genotype's mature body protein Pm: a = 3.04 x Pm^(1 - 0.855). Emmans and
// Kyriazakis, Animal Science (Cambridge University Press), "A general method
// for predicting the weight of water in the empty bodies of pigs": "a =
// WAPRm.Pm^(1-b) where WAPRm is the water : protein ratio in the body at
// maturity ... in the range of 3.04 to 3.20 ... b = 0.855 ... a = 4.69 for a
// pig with Pm = 20 kg to a = 5.36 for a pig with Pm = 50 kg" (3.04 gives
// both figures).
inline constexpr double kMatureWaterToProtein = 3.04;
inline constexpr double kWaterExponent = 0.855;
// Body ash, 0.189 kg per kg body protein: NRC (2012) ch. 8 (not verified).
inline constexpr double kAshPerProtein = 0.189;
// Body protein at the start: 16 % of the empty body (InraPorc's start, van
// Milgen et al. 2008; not verified); lipid is what water and ash leave.
inline constexpr double kStartProteinShare = 0.16;

// --- The genotype's mean protein deposition is stated from the body
// protein of a 25-kg to that of a 125-kg pig, each at kStartProteinShare of
// its empty body.
inline constexpr double kMeanDepositionFromWeight = 25.0;
inline constexpr double kMeanDepositionToWeight = 125.0;

}  // namespace tarvisol::response
