#include "response/HerdPigRun.h"

#include <algorithm>

namespace tarvisol::response {
namespace {

ResponseDayFigures FiguresOf(int age, const GrownDay& d) {
    ResponseDayFigures f;
    f.Age = age;
    f.Weight = d.Weight;
    f.FeedSupplied = d.FeedSupplied;
    f.FeedEaten = d.FeedEaten;
    f.ProteinDeposition = d.ProteinDeposition;
    f.LipidDeposition = d.LipidDeposition;
    f.BodyProtein = d.Body.Protein;
    f.BodyLipid = d.Body.Lipid;
    f.LimitingMales = f.LimitingFemales = d.Limiting;
    f.Diet = d.Diet.Diet;
    f.NextDiet = d.Diet.Next;
    f.DietShare = d.Diet.Share;
    return f;
}

// The mean of a barrow's and a gilt's day.
ResponseDayFigures MeanOf(const ResponseDayFigures& m, const ResponseDayFigures& f) {
    ResponseDayFigures a = m;
    const auto mean = [](double x, double y) { return 0.5 * (x + y); };
    a.Weight = mean(m.Weight, f.Weight);
    a.FeedSupplied = mean(m.FeedSupplied, f.FeedSupplied);
    a.FeedEaten = mean(m.FeedEaten, f.FeedEaten);
    a.ProteinDeposition = mean(m.ProteinDeposition, f.ProteinDeposition);
    a.LipidDeposition = mean(m.LipidDeposition, f.LipidDeposition);
    a.BodyProtein = mean(m.BodyProtein, f.BodyProtein);
    a.BodyLipid = mean(m.BodyLipid, f.BodyLipid);
    a.LimitingMales = m.LimitingMales;
    a.LimitingFemales = f.LimitingFemales;
    return a;
}

}  // namespace

double HerdPigRun::WeightAt(int age) const {
    const int i = age - StartAge;
    if (i < 0) return Days.empty() ? EndWeight : Days.front().Weight;
    if (i < static_cast<int>(Days.size())) return Days[static_cast<std::size_t>(i)].Weight;
    return EndWeight;
}

void GrowHerdPig(const Genotype& genotype, const ResponseProgramme& programme, const HerdPigStart& start, HerdPigRun& out) {
    out.Failed = false;
    out.Reached = false;
    out.StartAge = start.Age;
    out.Days.clear();
    out.Males.clear();
    out.Females.clear();
    out.EndWeight = start.Weight;
    out.EndLipid = 0;
    out.FeedAfterLastDay = 0;
    out.FinalAge = start.Age;
    out.TotalFeed = 0;
    out.DietEndAge.fill(0);
    out.DietEndWeight.fill(0);
    out.DietEndFeed.fill(0);
    out.LastDiet = 1;
    if (!(start.Weight > 0) || programme.Count < 1 || !GenotypeProblem(genotype).empty()) {
        out.Failed = true;
        return;
    }
    const bool males = GrowsMales(start.HerdSex), females = GrowsFemales(start.HerdSex);
    const SexCurves maleCurves = CurvesOf(genotype.Male, genotype.WastagePercent);
    const SexCurves femaleCurves = CurvesOf(genotype.Female, genotype.WastagePercent);
    ResponsivePig malePig(maleCurves, programme, start.Weight), femalePig(femaleCurves, programme, start.Weight);
    const auto meanLipid = [&] {
        return males && females ? 0.5 * (malePig.Body().Lipid + femalePig.Body().Lipid)
                                : (males ? malePig : femalePig).Body().Lipid;
    };
    out.EndLipid = meanLipid();
    // The mean pig's feed counted against the allotments: the diet changes
    // of the run's own table.
    Allotments mean;
    double cumulative = 0;
    int cur = 1;
    double weight = start.Weight, before = start.Weight;
    int day = start.Age;
    while (weight < start.FinalWeight) {
        GrownDay m, f;
        if ((males && !malePig.Grow(m)) || (females && !femalePig.Grow(f))) {
            out.Failed = true;
            return;
        }
        if (males) out.Males.push_back(FiguresOf(day, m));
        if (females) out.Females.push_back(FiguresOf(day, f));
        ResponseDayFigures figures = males && females ? MeanOf(out.Males.back(), out.Females.back())
                                                      : (males ? out.Males.back() : out.Females.back());
        const double next =
            males && females ? 0.5 * (malePig.Weight() + femalePig.Weight()) : (males ? malePig : femalePig).Weight();
        const double feed = figures.FeedSupplied;
        const DayDiet today = mean.Today(programme);
        const double allotmentEnd = mean.AllotmentEnd(programme);
        figures.Diet = today.Diet;
        figures.NextDiet = today.Next;
        figures.DietShare = today.Share;
        if (today.Next) figures.FeedShare = feed > 0 ? std::clamp((allotmentEnd - mean.Supplied) / feed, 0.0, 1.0) : 1.0;
        const bool ranOut = mean.Count(programme, feed);
        cumulative += feed;
        if (ranOut) {
            const double previous = cur > 1 ? out.DietEndFeed[static_cast<std::size_t>(cur - 1)] : 0.0;
            out.DietEndAge[static_cast<std::size_t>(cur)] = day;
            out.DietEndWeight[static_cast<std::size_t>(cur)] = weight;
            out.DietEndFeed[static_cast<std::size_t>(cur)] = previous + programme.Diets[static_cast<std::size_t>(cur - 1)].Allotment;
            ++cur;
        }
        if (cur > programme.Count) {
            cur = programme.Count;
            out.DietEndFeed[static_cast<std::size_t>(cur)] = cumulative;
        }
        if (day > start.LastDay - 1) {
            out.FeedAfterLastDay = feed;
            break;
        }
        out.Days.push_back(figures);
        before = weight;
        weight = next;
        out.EndLipid = meanLipid();
        ++day;
    }
    out.LastDiet = cur;
    out.EndWeight = weight;
    out.Reached = weight >= start.FinalWeight;
    if (!out.Reached) {
        out.FinalAge = day;
        for (const ResponseDayFigures& d : out.Days) out.TotalFeed += d.FeedSupplied;
        return;
    }
    if (out.Days.empty()) return;  // at the final weight on the starting day
    // The final age between the last two days, and the feed to it: every
    // whole day, and of the last day the part the pig needed.
    const double share = 1 - (weight - start.FinalWeight) / (weight - before);
    out.FinalAge = (day - 1) + share;
    out.Days.back().Share = std::clamp(share, 0.0, 1.0);
    for (std::size_t i = 0; i + 1 < out.Days.size(); ++i) out.TotalFeed += out.Days[i].FeedSupplied;
    out.TotalFeed += share * out.Days.back().FeedSupplied;
}

}  // namespace tarvisol::response
