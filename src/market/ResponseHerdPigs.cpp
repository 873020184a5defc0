#include "market/ResponseHerdPigs.h"

#include <algorithm>

#include "response/CarcassFromBody.h"
#include "response/GenotypeCurves.h"
#include "response/PigBody.h"

namespace tarvisol {

// How the pigs of a herd differ on the response model. Vautier et al. (2013,
// Animal 7:1265) measured the between-pig covariance of these parameters in
// 1,288 barrows and gilts, but we have not been able to read their figures,
// so the spreads and correlations are the herd settings' own, mapped by
// meaning (our assumption, to be replaced by the published matrix):
// - the starting weight: the starting weight's spread;
// - the mean protein deposition: the growth rate's spread (the rate at
//   which the pig grows lean);
// - the precocity: the mature size's spread, the other way round (a pig of
//   a larger mature size matures later), so the growth rate's correlation
//   with the mature size enters with its sign turned;
// - both intakes, scaled together: the maintenance's spread (what a pig
//   eats beyond what it deposits), with its correlation to the growth rate.
std::vector<HerdPig> DrawResponseHerd(const HerdSettings& h, double startWeight, const Genotype& location, int herdSex) {
    std::vector<HerdPig> pigs;
    const double cv[4] = {h.CvStartWeight / 100, h.CvGrowth / 100, h.CvMatureSize / 100, h.CvMaintenance / 100};
    const std::vector<std::array<double, 4>> draws = HerdDraws(h);
    pigs.reserve(draws.size());
    for (std::size_t p = 0; p < draws.size(); ++p) {
        const std::array<double, 4>& z = draws[p];
        HerdPig pig;
        pig.Sex = herdSex == 1 || herdSex == 2 ? herdSex : (p % 2 == 0 ? 1 : 2);
        pig.Genotype = pig.Sex == 1 ? location.Male : location.Female;
        pig.StartWeight = startWeight * (1 + cv[0] * z[0]);
        pig.Genotype.MeanProteinDeposition *= 1 + cv[1] * z[1];
        pig.Genotype.Precocity *= 1 - cv[2] * z[2];
        const double intake = 1 + cv[3] * z[3];
        pig.Genotype.NeIntake50 *= intake;
        pig.Genotype.NeIntake100 *= intake;
        pigs.push_back(pig);
    }
    return pigs;
}

int GrowResponseHerdPig(const Genotype& location, const response::ResponseProgramme& programme, const HerdPig& pig,
                        int startAge, response::HerdPigRun& scratch, const HerdPigDays& out) {
    Genotype g = location;
    (pig.Sex == 1 ? g.Male : g.Female) = pig.Genotype;
    response::HerdPigStart start;
    start.Age = startAge;
    start.Weight = pig.StartWeight;
    start.FinalWeight = 1e9;  // never reached: the pig grows to the last day the tables hold
    start.HerdSex = pig.Sex;
    response::GrowHerdPig(g, programme, start, scratch);
    if (scratch.Failed || scratch.Days.empty()) return 0;
    const response::SexCurves curves = response::CurvesOf(pig.Genotype, g.WastagePercent);
    const std::vector<ResponseDayFigures>& days = scratch.Days;
    const int n = std::min(static_cast<int>(days.size()) + 1, out.Capacity);
    double eaten = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        // The body at the start of the day: the day's own, or past the last
        // day grown, that day's with what it deposited.
        response::PigBody body;
        if (at < days.size()) {
            body = {days[at].BodyProtein, days[at].BodyLipid};
        } else {
            const ResponseDayFigures& last = days.back();
            body = {last.BodyProtein + last.ProteinDeposition / 1000.0, last.BodyLipid + last.LipidDeposition / 1000.0};
        }
        out.Weight[i] = at < days.size() ? days[at].Weight : scratch.EndWeight;
        out.Feed[i] = eaten;
        // The lean does not depend on the loin (only the back fat does).
        out.Lean[i] = response::CarcassOfBody(curves, out.Weight[i], body, 0).Lean;
        if (at < days.size()) eaten += days[at].FeedSupplied;
    }
    return n;
}

}  // namespace tarvisol
