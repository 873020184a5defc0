#include "response/ResponsivePig.h"

#include <algorithm>
#include <cmath>

#include "response/NrcFactorial.h"
#include "response/ResponseCoefficients.h"

namespace tarvisol::response {
namespace {

constexpr const char* kAminoNames[kAminoAcids] = {"arginine",   "histidine",     "lysine",     "tryptophan",
                                                  "phe + tyr",  "phenylalanine", "met + cys",  "methionine",
                                                  "threonine",  "leucine",       "isoleucine", "valine"};

// Grams of lysine a day's % of amino acid j stands for per kg eaten: the
// requirement of j is lysine's times its ideal ratio.
struct LysineEquivalents {
    std::array<double, kAminoAcids> perPercent{};
    LysineEquivalents() {
        for (int j = 0; j < kAminoAcids; ++j) perPercent[static_cast<std::size_t>(j)] = 10.0 / IdealRatio(j);
    }
};
const LysineEquivalents kLysinePer;

}  // namespace

const char* LimitingName(int code) {
    if (code == kLimitPotential) return "potential";
    if (code == kLimitEnergy) return "energy";
    if (code >= kLimitAmino && code < kLimitAmino + kAminoAcids) return kAminoNames[code - kLimitAmino];
    return "";
}

double Allotments::AllotmentEnd(const ResponseProgramme& p) const {
    if (endOf_ == Diet) return end_;
    double end = 0;
    for (int i = 1; i <= Diet && i <= p.Count; ++i) end += p.Diets[static_cast<std::size_t>(i - 1)].Allotment;
    end_ = end;
    endOf_ = Diet;
    return end;
}

DayDiet Allotments::Today(const ResponseProgramme& p) const {
    DayDiet d;
    d.Diet = Diet;
    const double end = AllotmentEnd(p);
    if (Yesterday > 0 && Yesterday + Supplied > end && Diet < p.Count) {
        d.Next = Diet + 1;
        d.Share = (end - Supplied) / Yesterday;
    }
    return d;
}

bool Allotments::Count(const ResponseProgramme& p, double feed) {
    const double end = AllotmentEnd(p);
    Supplied += feed;
    Yesterday = feed;
    if (Supplied < end) return false;
    if (Diet < p.Count) ++Diet;
    return true;
}

ResponsivePig::ResponsivePig(const SexCurves& curves, const ResponseProgramme& programme, double startWeight)
    : curves_(&curves), programme_(&programme), weight_(startWeight), logWeight_(std::log(startWeight)),
      body_(StartBody(curves, startWeight)) {
    logProtein_ = std::log(body_.Protein);
    for (int d = 0; d < programme.Count && d < kMaxDiets; ++d) {
        const double ne = programme.Diets[static_cast<std::size_t>(d)].Ne;
        intakeFactor_[static_cast<std::size_t>(d)] = ne > 0 ? std::pow(ne / kResponseReferenceNe, kEnergyIntakeElasticity) : 0;
    }
}

double ResponsivePig::IntakeFactor(const DayDiet& d, double ne) const {
    if (d.Next == 0) return intakeFactor_[static_cast<std::size_t>(d.Diet - 1)];
    return std::pow(ne / kResponseReferenceNe, kEnergyIntakeElasticity);
}

bool ResponsivePig::Grow(GrownDay& day) {
    const SexCurves& c = *curves_;
    const ResponseProgramme& p = *programme_;
    const DayDiet diet = feed_.Today(p);
    if (diet.Diet < 1 || diet.Diet > p.Count) return false;
    const ResponseDiet& own = p.Diets[static_cast<std::size_t>(diet.Diet - 1)];
    const ResponseDiet* next = diet.Next ? &p.Diets[static_cast<std::size_t>(diet.Next - 1)] : nullptr;
    const double share = diet.Share;
    const auto blend = [&](double a, double b) { return next ? share * a + (1 - share) * b : a; };
    const double ne = blend(own.Ne, next ? next->Ne : 0);
    if (!(ne > 0)) return false;

    const double w = weight_;
    const double w06 = std::exp(0.6 * logWeight_);
    // Intake: NE at will on the reference diet, more NE on a denser diet.
    const double atWill = IntakeAtWill(c, w);
    const double neEaten = atWill * IntakeFactor(diet, ne);
    const double eaten = neEaten / ne;
    const double maintenance = kMaintenanceMe * w06;
    const double energy = neEaten * kMePerNe - maintenance;  // ME above maintenance, kcal

    // Potential protein deposition (g): the Gompertz of body protein.
    const double bp = body_.Protein;
    const double potential = std::max(0.0, 1000.0 * c.Precocity * bp * (c.LogMatureProtein - logProtein_));
    // Energy: linear through maintenance up to the potential, reached at the
    // pig's own intake at will below 70 kg and at the 70-kg ratio above it.
    double needed = atWill * kMePerNe - maintenance;
    if (w > kWeightAtPotentialIntake) needed = std::min(needed, c.EnergyPerPotentialAt70 * potential);
    double pd = potential;
    int8_t limit = kLimitPotential;
    const double byEnergy = needed > 0 ? potential * std::clamp(energy / needed, 0.0, 1.0) : 0.0;
    if (byEnergy < pd) {
        pd = byEnergy;
        limit = kLimitEnergy;
    }
    // Each SID amino acid the diet states: the deposition its supply allows.
    // Each SID amino acid the diet states: the lysine its supply stands for
    // at its ideal ratio; the least of them allows the deposition that the
    // factorial read backwards gives. Lysine first, so that it is named when
    // the others stand to it at their ideal ratios and limit alike.
    static constexpr int kOrder[kAminoAcids] = {2, 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    double least = 0;
    int leastAmino = -1;
    for (int j : kOrder) {
        const double a = own.Amino[static_cast<std::size_t>(j)];
        const double b = next ? next->Amino[static_cast<std::size_t>(j)] : 0;
        if (!(a > 0) || (next && !(b > 0))) continue;
        const double lysine = blend(a, b) * kLysinePer.perPercent[static_cast<std::size_t>(j)];
        if (leastAmino < 0 || lysine < least * (1 - 1e-12)) {
            least = lysine;
            leastAmino = j;
        }
    }
    if (leastAmino >= 0) {
        const LysineFactorial f = LysineFactorialAt(w, eaten);
        const double allowed = std::max(0.0, (eaten * least - f.Losses) / f.PerGramDeposited);
        if (allowed < pd) {
            pd = allowed;
            limit = static_cast<int8_t>(kLimitAmino + leastAmino);
        }
    }
    // The rest of the energy as lipid; lipid already laid down carries a
    // short day.
    double ld = (energy - kProteinDepositionMe * pd) / kLipidDepositionMe;
    ld = std::max(ld, -1000.0 * body_.Lipid);

    PigBody grown{bp + pd / 1000.0, body_.Lipid + ld / 1000.0};
    // The empty body of that protein and lipid (EmptyBodyOf, with ln BP kept
    // for tomorrow's potential).
    const double logProtein = std::log(grown.Protein);
    const double ebw = grown.Protein * (1 + kAshPerProtein) + grown.Lipid +
                       c.WaterScalar * std::exp(kWaterExponent * logProtein);
    const double logWeight = (std::log(ebw) - std::log(kEmptyBodyFactor)) / kEmptyBodyExponent;
    const double nextWeight = std::exp(logWeight);
    if (!std::isfinite(nextWeight + eaten + pd + ld) || !(nextWeight > 0)) return false;

    day.Weight = w;
    day.Body = body_;
    day.FeedEaten = eaten;
    day.FeedSupplied = eaten * c.SuppliedPerEaten;
    day.NeEaten = neEaten;
    day.ProteinDeposition = pd;
    day.LipidDeposition = ld;
    day.Limiting = limit;
    day.Diet = diet;

    body_ = grown;
    weight_ = nextWeight;
    logWeight_ = logWeight;
    logProtein_ = logProtein;
    feed_.Count(p, day.FeedSupplied);
    return true;
}

}  // namespace tarvisol::response
