// The genotype fitted to a measured herd: a herd grown from a known
// genotype, weighed at each diet change, is recovered from another start.
#include <gtest/gtest.h>

#include <cmath>

#include "calibration/GenotypeFit.h"
#include "response/GenotypePresets.h"
#include "response/NrcFactorial.h"

using namespace tarvisol;

namespace {

// Four diets of falling lysine, a little above a lean pig's requirement.
response::ResponseProgramme FourDiets() {
    response::ResponseProgramme p;
    p.Count = 4;
    const double ne[] = {2425, 2450, 2475, 2500}, lysine[] = {1.15, 1.0, 0.86, 0.74}, allotment[] = {55, 65, 75, 400};
    for (int d = 0; d < 4; ++d) {
        p.Diets[static_cast<std::size_t>(d)].Ne = ne[d];
        p.Diets[static_cast<std::size_t>(d)].Allotment = allotment[d];
        for (int j = 0; j < response::kAminoAcids; ++j)
            p.Diets[static_cast<std::size_t>(d)].Amino[static_cast<std::size_t>(j)] = lysine[d] * IdealRatio(j);
    }
    return p;
}

// The herd of a genotype, weighed at the start, at each diet change and at
// the final weight (whole days), with the feed of each period.
GenotypeFitInputs HerdOf(const Genotype& g) {
    GenotypeFitInputs in;
    in.Programme = FourDiets();
    in.Start.Age = 63;
    in.Start.Weight = 25;
    in.Start.FinalWeight = 125;
    response::HerdPigRun run;
    response::GrowHerdPig(g, in.Programme, in.Start, run);
    EXPECT_TRUE(run.Reached);
    std::vector<double> ages{63};
    for (int d = 1; d <= 3; ++d) ages.push_back(run.DietEndAge[static_cast<std::size_t>(d)]);
    ages.push_back(std::floor(run.FinalAge));
    double previous = 63;
    for (double a : ages) {
        double feed = 0;
        for (const ResponseDayFigures& f : run.Days)
            if (f.Age >= previous && f.Age < a) feed += f.FeedSupplied;
        in.Weighings.push_back({a, run.WeightAt(static_cast<int>(a)), feed});
        previous = a;
    }
    in.Start.FinalWeight = in.Weighings.back().Weight;
    in.MeasuredFinalAge = in.Weighings.back().Age;
    return in;
}

}  // namespace

TEST(GenotypeFit, RecoversAHerdGrownFromAKnownGenotypeFromAPoorStart) {
    Genotype truth = response::GenotypePresets()[1].Pig;  // a current commercial herd
    truth.Male.MeanProteinDeposition *= 1.08;
    truth.Female.MeanProteinDeposition *= 1.08;
    GenotypeFitInputs in = HerdOf(truth);
    in.InForce = response::ReferenceGenotype();  // a slower, hungrier-later start
    const GenotypeDiagnostics before = DiagnoseGenotype(in, in.InForce);
    ASSERT_FALSE(before.Clean());  // the start misses the herd
    const GenotypeFit fit = FitGenotype(in);
    ASSERT_TRUE(fit.Done()) << fit.Problem;
    EXPECT_TRUE(fit.Fitted.Clean()) << GenotypeDiagnosticsText(fit.Fitted);
    for (const GenotypeWeighing& w : fit.Fitted.Weighings) {
        EXPECT_LT(std::fabs(w.Residual), 2.0) << w.Age;
        EXPECT_LT(std::fabs(w.FeedResidualShare), 0.03) << w.Age;
    }
    EXPECT_LT(std::fabs(fit.Fitted.FinalAge - in.MeasuredFinalAge), 1.0);
    EXPECT_LT(fit.Fitted.Error, fit.InForce.Error);
    // One thread finds what two do.
    GenotypeFitOptions one;
    one.threads = 1;
    EXPECT_EQ(FitGenotype(in, one).Fitted.Pig, fit.Fitted.Pig);
}

// Herds written from field figures, not grown by the model: a modern herd
// (25 to 128 kg from 63 to 170 days, period feed/gain 2.0, 2.5, 2.85 and
// 3.2) and a slower one (25 to 118 kg from 70 to 186 days, feed/gain 2.81
// over the run). Each fits within 3 kg and 5 % without a warning.
TEST(GenotypeFit, FitsHerdsWrittenFromFieldFiguresWithoutWarnings) {
    struct Herd {
        int startAge;
        std::vector<double> ages, weights, feedGain;
    };
    const Herd herds[] = {{63, {63, 96, 123, 147, 170}, {25, 50.75, 76.5, 102.25, 128}, {2.0, 2.5, 2.85, 3.2}},
                          {70, {70, 103, 131, 159, 186}, {25, 48.25, 71.5, 94.75, 118}, {2.2, 2.6, 3.0, 3.4}}};
    for (const Herd& h : herds) {
        GenotypeFitInputs in;
        in.Programme = FourDiets();
        in.Start.Age = h.startAge;
        in.Start.Weight = h.weights.front();
        in.Start.FinalWeight = h.weights.back();
        in.InForce = response::ReferenceGenotype();
        for (std::size_t i = 0; i < h.ages.size(); ++i)
            in.Weighings.push_back(
                {h.ages[i], h.weights[i], i == 0 ? 0.0 : h.feedGain[i - 1] * (h.weights[i] - h.weights[i - 1])});
        in.MeasuredFinalAge = h.ages.back();
        const GenotypeFit fit = FitGenotype(in);
        ASSERT_TRUE(fit.Done()) << fit.Problem;
        EXPECT_TRUE(fit.Fitted.Clean()) << GenotypeDiagnosticsText(fit.Fitted);
        for (const GenotypeWeighing& w : fit.Fitted.Weighings) {
            EXPECT_LT(std::fabs(w.Residual), 3.0) << h.startAge << " herd, " << w.Age << " d";
            EXPECT_LT(std::fabs(w.FeedResidualShare), 0.05) << h.startAge << " herd, " << w.Age << " d";
        }
    }
}
