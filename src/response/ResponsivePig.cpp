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
        const ResponseDiet& diet = programme.Diets[static_cast<std::size_t>(d)];
        intakeFactor_[static_cast<std::size_t>(d)] =
            diet.Ne > 0 ? std::pow(diet.Ne / kResponseReferenceNe, kEnergyIntakeElasticity) : 0;
        LeastAmino(diet, nullptr, 1, leastLysine_[static_cast<std::size_t>(d)], leastAmino_[static_cast<std::size_t>(d)]);
    }
}

double ResponsivePig::IntakeFactor(const DayDiet& d, double ne) const {
    if (d.Next == 0) return intakeFactor_[static_cast<std::size_t>(d.Diet - 1)];
    return std::pow(ne / kResponseReferenceNe, kEnergyIntakeElasticity);
}

bool ResponsivePig::Grow(GrownDay& day) {
    const ResponseProgramme& p = *programme_;
    const DayDiet diet = feed_.Today(p);
    if (diet.Diet < 1 || diet.Diet > p.Count) return false;
    const ResponseDiet& own = p.Diets[static_cast<std::size_t>(diet.Diet - 1)];
    const ResponseDiet* next = diet.Next ? &p.Diets[static_cast<std::size_t>(diet.Next - 1)] : nullptr;
    const double ne = next ? diet.Share * own.Ne + (1 - diet.Share) * next->Ne : own.Ne;
    if (!(ne > 0)) return false;
    if (!Step(own, diet.Diet - 1, next, diet.Share, IntakeFactor(diet, ne), day)) return false;
    day.Diet = diet;
    feed_.Count(p, day.FeedSupplied);
    return true;
}

bool ResponsivePig::GrowOn(const ResponseDiet& diet, GrownDay& day) {
    if (!(diet.Ne > 0)) return false;
    if (!Step(diet, -1, nullptr, 1, std::pow(diet.Ne / kResponseReferenceNe, kEnergyIntakeElasticity), day)) return false;
    day.Diet = DayDiet{0, 0, 1};
    return true;
}

ResponsivePig::Energy ResponsivePig::EnergyOn(double ne, double intakeFactor) const {
    const SexCurves& c = *curves_;
    Energy e;
    const double w = weight_;
    // Intake: NE at will on the reference diet, more NE on a denser diet.
    const double atWill = IntakeAtWill(c, w);
    e.NeEaten = atWill * intakeFactor;
    e.Eaten = e.NeEaten / ne;
    const double maintenance = kMaintenanceMe * std::exp(0.6 * logWeight_);
    e.AboveMaintenance = e.NeEaten * kMePerNe - maintenance;  // ME, kcal
    // Potential protein deposition (g): the Gompertz of body protein.
    e.Potential = std::max(0.0, 1000.0 * c.Precocity * body_.Protein * (c.LogMatureProtein - logProtein_));
    // Energy: linear through maintenance up to the potential, reached at the
    // pig's own intake at will below 70 kg and at the 70-kg ratio above it.
    double needed = atWill * kMePerNe - maintenance;
    if (w > kWeightAtPotentialIntake) needed = std::min(needed, c.EnergyPerPotentialAt70 * e.Potential);
    e.ByEnergy = needed > 0 ? e.Potential * std::clamp(e.AboveMaintenance / needed, 0.0, 1.0) : 0.0;
    return e;
}

DayNeed ResponsivePig::NeedOn(double ne) const {
    DayNeed need;
    if (!(ne > 0)) return need;
    const Energy e = EnergyOn(ne, std::pow(ne / kResponseReferenceNe, kEnergyIntakeElasticity));
    need.FeedEaten = e.Eaten;
    need.FeedSupplied = e.Eaten * curves_->SuppliedPerEaten;
    need.ProteinDeposition = std::min(e.Potential, e.ByEnergy);
    need.SidLysine = SidLysineGrams(weight_, need.FeedEaten, need.ProteinDeposition);
    return need;
}

void ResponsivePig::LeastAmino(const ResponseDiet& own, const ResponseDiet* next, double share, double& least,
                               int& leastAmino) {
    // Lysine first, so that it is named when the others stand to it at
    // their ideal ratios and limit alike.
    static constexpr int kOrder[kAminoAcids] = {2, 0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    least = 0;
    leastAmino = -1;
    for (int j : kOrder) {
        const double a = own.Amino[static_cast<std::size_t>(j)];
        const double b = next ? next->Amino[static_cast<std::size_t>(j)] : 0;
        if (!(a > 0) || (next && !(b > 0))) continue;
        const double lysine = (next ? share * a + (1 - share) * b : a) * kLysinePer.perPercent[static_cast<std::size_t>(j)];
        if (leastAmino < 0 || lysine < least * (1 - 1e-12)) {
            least = lysine;
            leastAmino = j;
        }
    }
}

bool ResponsivePig::Step(const ResponseDiet& own, int dietIndex, const ResponseDiet* next, double share,
                         double intakeFactor, GrownDay& day) {
    const SexCurves& c = *curves_;
    const auto blend = [&](double a, double b) { return next ? share * a + (1 - share) * b : a; };
    const double ne = blend(own.Ne, next ? next->Ne : 0);
    const double w = weight_;
    const Energy e = EnergyOn(ne, intakeFactor);
    const double neEaten = e.NeEaten, eaten = e.Eaten, energy = e.AboveMaintenance;
    const double bp = body_.Protein;
    double pd = e.Potential;
    int8_t limit = kLimitPotential;
    if (e.ByEnergy < pd) {
        pd = e.ByEnergy;
        limit = kLimitEnergy;
    }
    // Each SID amino acid the diet states: the lysine its supply stands for
    // at its ideal ratio; the least of them allows the deposition that the
    // factorial read backwards gives. Lysine first, so that it is named when
    // the others stand to it at their ideal ratios and limit alike.
    double least = 0;
    int leastAmino = -1;
    if (next) {
        LeastAmino(own, next, share, least, leastAmino);
    } else if (dietIndex >= 0) {
        least = leastLysine_[static_cast<std::size_t>(dietIndex)];
        leastAmino = leastAmino_[static_cast<std::size_t>(dietIndex)];
    } else {
        LeastAmino(own, nullptr, 1, least, leastAmino);
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

    body_ = grown;
    weight_ = nextWeight;
    logWeight_ = logWeight;
    logProtein_ = logProtein;
    return true;
}

}  // namespace tarvisol::response
