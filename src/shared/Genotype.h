#pragma once
// Which growth model a location runs, and the genotype the nutrient-response
// model grows: plain data, per sex, kept in the location's "<base>.gen".
//
// The documented curve grows the pig along its growth curve (B0..B4) and
// feeds it to that curve. The nutrient-response model is intake-driven: the
// pig eats along its intake curve, deposits protein up to its genetic
// potential as far as the first-limiting SID amino acid and the energy allow,
// and lays the rest of the energy down as lipid (NRC 2012 chapter 8;
// InraPorc, van Milgen et al. 2008).
#include <string>

namespace tarvisol {

enum class GrowthModelKind { Documented, Response };

// What the male half of a genotype is.
enum class MaleType { Barrows, EntireMales, Immunocastrates };

// The genotype of one sex, in the parameters of the InraPorc growth profile
// (van Milgen et al. 2008, Anim. Feed Sci. Technol. 143:387; the five
// parameters of Vautier et al. 2013, Animal 7:1265, less the weight at 70
// days, which the location's start gives).
struct SexGenotype {
    // Mean potential protein deposition, g a day, from 4 to 20 kg of body
    // protein (a pig of about 25 and of about 125 kg live weight).
    double MeanProteinDeposition = 0;
    // Gompertz precocity of body protein (B, per day): a higher figure
    // deposits more early and less late at the same mean.
    double Precocity = 0;
    // Net energy eaten at 50 and at 100 kg live weight, kcal a day, on a diet
    // of the reference energy (kResponseReferenceNe).
    double NeIntake50 = 0;
    double NeIntake100 = 0;

    bool operator==(const SexGenotype&) const = default;
};

struct Genotype {
    std::string Name;    // "NRC 2012 reference pig", or the user's
    std::string Source;  // where its parameters come from
    MaleType Males = MaleType::Barrows;
    SexGenotype Male, Female;
    // Feed wasted, % of the feed supplied (NRC 2012 Table 16-1A: 5 %).
    double WastagePercent = 5;

    bool operator==(const Genotype&) const = default;
};

// The location's choice: the model, and for the response model its genotype.
struct GrowthModelChoice {
    GrowthModelKind Kind = GrowthModelKind::Documented;
    Genotype Pig;
    bool operator==(const GrowthModelChoice&) const = default;
};

// Net energy of the diet the genotypes' intakes are stated on: NRC (2012)
// Table 16-1A, 2,475 kcal NE per kg as fed.
inline constexpr double kResponseReferenceNe = 2475;

// "documented" or "response", as files and JSON name the model.
inline const char* GrowthModelKey(GrowthModelKind k) { return k == GrowthModelKind::Response ? "response" : "documented"; }
// "documented curve" or "nutrient response", as windows and reports name it.
inline const char* GrowthModelCaption(GrowthModelKind k) {
    return k == GrowthModelKind::Response ? "nutrient response" : "documented curve";
}
inline const char* MaleTypeName(MaleType m) {
    switch (m) {
        case MaleType::EntireMales: return "entire males";
        case MaleType::Immunocastrates: return "immunocastrates";
        default: return "barrows";
    }
}

}  // namespace tarvisol
