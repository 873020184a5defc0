#include "response/GenotypeCurves.h"

#include <array>
#include <cmath>

#include "response/PigBody.h"
#include "response/ResponseCoefficients.h"

namespace tarvisol::response {
namespace {

bool Within(double v, double low, double high) { return std::isfinite(v) && v >= low && v <= high; }

}  // namespace

std::string SexGenotypeProblem(const SexGenotype& g, const char* sex) {
    const std::string of = std::string(" of the ") + sex;
    if (!Within(g.MeanProteinDeposition, 40, 400))
        return "The mean protein deposition" + of + " must be from 40 to 400 g a day";
    if (!Within(g.Precocity, 0.002, 0.05)) return "The precocity" + of + " must be from 0.002 to 0.05 per day";
    if (!Within(g.NeIntake50, 500, 20000)) return "The NE intake at 50 kg" + of + " must be from 500 to 20,000 kcal a day";
    if (!Within(g.NeIntake100, 500, 30000)) return "The NE intake at 100 kg" + of + " must be from 500 to 30,000 kcal a day";
    // The intake curve rises and flattens: at 100 kg more than at 50 kg, and
    // less than twice as much.
    const double r = g.NeIntake100 / g.NeIntake50;
    if (!(r > 1.001 && r < 1.999))
        return "The NE intake at 100 kg" + of + " must be more than at 50 kg and less than twice it";
    return {};
}

std::string GenotypeProblem(const Genotype& g) {
    if (std::string p = SexGenotypeProblem(g.Male, MaleTypeName(g.Males)); !p.empty()) return p;
    if (std::string p = SexGenotypeProblem(g.Female, "gilts"); !p.empty()) return p;
    if (!Within(g.WastagePercent, 0, 50)) return "The feed wastage must be from 0 to 50 %";
    return {};
}

double AnchorProtein(double w) { return kStartProteinShare * EmptyBodyOf(w); }

double MeanPotentialDeposition(double matureProtein, double precocity) {
    static const double p1 = AnchorProtein(kMeanDepositionFromWeight), p2 = AnchorProtein(kMeanDepositionToWeight);
    if (!(matureProtein > p2)) return 0;
    // The days a Gompertz takes from p1 to p2: ln(ln(Pm/p1) / ln(Pm/p2)) / B.
    const double days = std::log(std::log(matureProtein / p1) / std::log(matureProtein / p2)) / precocity;
    return 1000.0 * (p2 - p1) / days;
}

double MatureProteinForMean(double meanDeposition, double precocity) {
    // The mean rises with Pm from 0 just above p2 without bound.
    static const double p2 = AnchorProtein(kMeanDepositionToWeight);
    double lo = p2 * (1 + 1e-9), hi = lo * 2;
    while (MeanPotentialDeposition(hi, precocity) < meanDeposition && hi < 1e6) hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-12 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        (MeanPotentialDeposition(mid, precocity) < meanDeposition ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

double IntakeAtWill(const SexCurves& c, double w) { return c.IntakeAsymptote * (1 - std::exp(-c.IntakeRate * w)); }

namespace {

SexCurves WorkOutCurves(const SexGenotype& g, double wastagePercent);

// The curves of the last few genotypes a thread grew: every run of a herd,
// a fit or an optimisation asks again for the same two sexes, and Pm takes a
// search.
struct CurvesCache {
    struct Entry {
        SexGenotype genotype;
        double wastage = -1;
        SexCurves curves;
    };
    std::array<Entry, 4> entries{};
    std::size_t next = 0;
};

}  // namespace

SexCurves CurvesOf(const SexGenotype& g, double wastagePercent) {
    thread_local CurvesCache cache;
    for (const CurvesCache::Entry& e : cache.entries)
        if (e.wastage == wastagePercent && e.genotype == g) return e.curves;
    CurvesCache::Entry& e = cache.entries[cache.next];
    cache.next = (cache.next + 1) % cache.entries.size();
    e.genotype = g;
    e.wastage = wastagePercent;
    e.curves = WorkOutCurves(g, wastagePercent);
    return e.curves;
}

namespace {

SexCurves WorkOutCurves(const SexGenotype& g, double wastagePercent) {
    SexCurves c;
    // A (1 - e^(-r w)) through I50 and I100: I100 / I50 = 1 + e^(-50 r).
    const double ratio = g.NeIntake100 / g.NeIntake50;
    c.IntakeRate = -std::log(ratio - 1) / 50.0;
    c.IntakeAsymptote = g.NeIntake50 / (2 - ratio);
    c.Precocity = g.Precocity;
    c.MatureProtein = MatureProteinForMean(g.MeanProteinDeposition, g.Precocity);
    c.LogMatureProtein = std::log(c.MatureProtein);
    c.WaterScalar = kMatureWaterToProtein * std::pow(c.MatureProtein, 1 - kWaterExponent);
    c.SuppliedPerEaten = 1.0 / (1.0 - wastagePercent / 100.0);
    const double w = kWeightAtPotentialIntake, bp = AnchorProtein(w);
    const double potential = 1000.0 * c.Precocity * bp * (c.LogMatureProtein - std::log(bp));
    const double energy = IntakeAtWill(c, w) * kMePerNe - kMaintenanceMe * std::pow(w, 0.6);
    c.EnergyPerPotentialAt70 = potential > 0 ? energy / potential : 0;
    return c;
}

}  // namespace

}  // namespace tarvisol::response
