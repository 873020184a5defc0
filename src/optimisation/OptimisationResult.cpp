#include "optimisation/OptimisationResult.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "growth/Carcass.h"
#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/ResponseRun.h"
#include "growth/RunSnapshotOf.h"
#include "growth/SexSplit.h"
#include "location/RunCompletion.h"
#include "response/CarcassFromBody.h"
#include "response/PigBody.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kMetricPriceUnit = 1;  // per tonne

double PriceFactorOf(const RunSnapshot& run) { return PriceFactor(run.PriceUnit); }

// The day table of the optimum from its day tables, laid out as the growth
// engine lays out the results grid's daily columns.
void OptimumDays(const SharedState& s, RunSnapshot& run) {
    const double factor = WeightFactor(s.WeightUnit());
    const int last = std::clamp<int>(static_cast<int>(std::floor(s.FinalAge)), s.StartAge, 199);
    double total = 0;
    for (int day = s.StartAge; day <= last; ++day) {
        RunDayRow row;
        const bool lastRow = day == last;
        const double feed = run.DayFeed(0, day) / factor;
        total += feed;
        row.Age = lastRow ? FormatPattern(s.FinalAge, "###.0") : std::to_string(day);
        row.Weight = FormatPattern((lastRow ? s.FinalWeight : run.DayGrowth(0, day)) / factor, "###.#");
        row.DailyFeed = FormatPattern(feed, "##.0");
        row.TotalFeed = FormatPattern(total, "###.0");
        run.Days.push_back(std::move(row));
    }
}

// The herd, the males and the females at the final weight, with their
// carcass, as the Growth command gives them for a run of this programme:
// the sexes split from the herd's weight of each day (from the final weight
// on the last), the total feed shared in the proportion of their daily feed.
void OptimumSexes(const SharedState& s, RunSnapshot& run) {
    if (!run.ReachedFinalWeight) return;
    const double finalKg = s.FinalWeight;
    const int last = std::min(200, static_cast<int>(run.FinalAge) + 1);
    double fed[3] = {0, 0, 0};
    std::array<double, 3> start{}, end{};
    for (int d = s.StartAge; d <= last; ++d) {
        const double w = d == last ? finalKg : run.DayGrowth(0, d);
        double m = 0, f = 0;
        SplitWeight(w, m, f);
        if (d == s.StartAge) start = {w, m, f};
        if (d == last) end = {w, m, f};
        const double male = run.DayFeed(0, d) * IntakeCapacity(m) / FemaleIntakeCapacity(f);
        fed[0] += run.DayFeed(0, d);
        fed[1] += male;
        fed[2] += 2 * run.DayFeed(0, d) - male;
    }
    // The carcass of the last row's weight as the results grid shows it,
    // when that lies above the run's weight at 125 days.
    const bool inches = s.WeightUnit() == 1;
    const double shown = Val(FormatPattern(ConvertWeight(s, 2, finalKg), "####.0"));
    const double x = ConvertWeight(s, 1, shown);
    const bool carcass = s.StartAge > 125 || (s.StartAge <= 125 && run.FinalAge >= 125 && x > run.DayGrowth(0, 125));
    const CarcassTraits traits[3] = {{}, MaleCarcass(x, inches), FemaleCarcass(x, inches)};
    for (std::size_t sex = 0; sex < 3; ++sex) {
        RunSexFigures& r = run.Sexes[sex];
        r.LiveWeight = end[sex];
        r.Feed = fed[0] > 0 ? run.TotalFeed * fed[sex] / fed[0] : 0;
        r.Cost = run.TotalFeed > 0 ? run.CostPerPig * r.Feed / run.TotalFeed : 0;
        const double gain = end[sex] - start[sex];
        r.FeedGain = sex == 0 ? run.FeedGain : gain > 0 ? r.Feed / gain : 0;
        if (!carcass) continue;
        const CarcassTraits& c = sex == 0 ? traits[1] : traits[sex];
        const auto value = [&](double CarcassTraits::*m) {
            return sex == 0 ? (traits[1].*m + traits[2].*m) / 2 : c.*m;
        };
        r.BackFat = value(&CarcassTraits::backFat);
        r.LoinArea = value(&CarcassTraits::loinArea);
        r.Lean = value(&CarcassTraits::lean);
        r.Yield = value(&CarcassTraits::yield);
    }
    if (carcass) {
        run.Carcass[1] = run.Sexes[0].BackFat;
        run.Carcass[2] = run.Sexes[0].LoinArea;
        run.Carcass[3] = run.Sexes[0].Lean;
        run.Carcass[4] = run.Sexes[0].Yield;
        run.Carcass[5] = (traits[1].loinDepth + traits[2].loinDepth) / 2;
    }
}

// On the nutrient-response model the sexes are their own pigs: each as the
// last evaluation of the best programme grew it (the record's response
// days), at the final age, with the carcass of its own body, as the Growth
// command gives them.
void ResponseOptimumSexes(const SharedState& s, RunSnapshot& run) {
    if (!run.ReachedFinalWeight || s.Response.Days.empty()) return;
    const double share = std::clamp(s.Response.Days.back().Share, 0.0, 1.0);
    const bool inches = s.WeightUnit() == 1;
    const bool carcass = s.StartAge > 125 || (s.StartAge <= 125 && run.FinalAge >= 125 && s.FinalWeight > run.DayGrowth(0, 125));
    const int herdSex = ResponseHerdSex(s);
    double fed[3] = {0, 0, 0};
    int grown = 0;
    std::array<CarcassTraits, 3> traits{};
    for (int sex = 1; sex <= 2; ++sex) {
        const std::vector<ResponseDayFigures>& days = sex == 1 ? s.Response.Males : s.Response.Females;
        if ((herdSex != 0 && sex != herdSex) || days.size() < s.Response.Days.size()) continue;
        ++grown;
        const std::size_t n = s.Response.Days.size();
        for (std::size_t i = 0; i < n; ++i) fed[sex] += (i + 1 == n ? share : 1.0) * days[i].FeedSupplied;
        const ResponseDayFigures& last = days[n - 1];
        const response::SexCurves c =
            response::CurvesOf(sex == 1 ? s.Model.Pig.Male : s.Model.Pig.Female, s.Model.Pig.WastagePercent);
        const response::PigBody body{last.BodyProtein + share * last.ProteinDeposition / 1000.0,
                                     last.BodyLipid + share * last.LipidDeposition / 1000.0};
        const double w = response::LiveWeightOf(response::EmptyBodyOf(c, body));
        RunSexFigures& r = run.Sexes[static_cast<std::size_t>(sex)];
        r.LiveWeight = w;
        const double gain = w - s.StartWeight;
        r.FeedGain = gain > 0 ? fed[sex] / gain : 0;
        if (!carcass) continue;
        CarcassTraits t = sex == 1 ? MaleCarcass(w, false) : FemaleCarcass(w, false);
        const response::BodyCarcass k = response::CarcassOfBody(c, w, body, t.loinArea);
        t.backFat = k.BackFat;
        t.lean = k.Lean;
        t.yield = k.Yield;
        if (inches) {
            t.loinArea *= 0.155;
            t.loinDepth *= 0.3937;
        }
        traits[static_cast<std::size_t>(sex)] = t;
        r.BackFat = t.backFat;
        r.LoinArea = t.loinArea;
        r.Lean = t.lean;
        r.Yield = t.yield;
    }
    if (grown == 0) return;
    fed[0] = (fed[1] + fed[2]) / grown;
    for (int sex = 1; sex <= 2; ++sex) {
        RunSexFigures& r = run.Sexes[static_cast<std::size_t>(sex)];
        // The programme's feed shared in the proportion the sexes ate.
        if (fed[sex] > 0 && fed[0] > 0) {
            r.Feed = run.TotalFeed * fed[sex] / fed[0];
            r.Cost = run.TotalFeed > 0 ? run.CostPerPig * r.Feed / run.TotalFeed : 0;
        }
    }
    RunSexFigures& mixed = run.Sexes[0];
    mixed.LiveWeight = s.FinalWeight;
    mixed.Feed = run.TotalFeed;
    mixed.Cost = run.CostPerPig;
    mixed.FeedGain = run.FeedGain;
    if (!carcass) return;
    const auto mean = [&](double CarcassTraits::*m) { return (traits[1].*m + traits[2].*m) / grown; };
    mixed.BackFat = mean(&CarcassTraits::backFat);
    mixed.LoinArea = mean(&CarcassTraits::loinArea);
    mixed.Lean = mean(&CarcassTraits::lean);
    mixed.Yield = mean(&CarcassTraits::yield);
    run.Carcass[1] = mixed.BackFat;
    run.Carcass[2] = mixed.LoinArea;
    run.Carcass[3] = mixed.Lean;
    run.Carcass[4] = mixed.Yield;
    run.Carcass[5] = mean(&CarcassTraits::loinDepth);
}

}  // namespace

// The cost Growth gives the optimum once it is transferred: each diet's
// price and allotment as the diets grid shows them (four significant
// figures; in other units the metric figure behind the one shown), so the
// window, the report and the next Growth show one figure.
double OptimisationResult::OptimumCostPerPig() const {
    const double toMetric = PriceFactorOf(Optimum) / PriceFactor(kMetricPriceUnit);
    double cost = 0;
    for (const RunDiet& d : Optimum.Diets) {
        const double price = Val(FormatAuto(d.Price * toMetric)) / toMetric;
        cost += price * PriceFactorOf(Optimum) * Val(FormatAuto(d.Allotment));
    }
    return cost;
}

OptimisationResult OptimisationResultOf(const SharedState& s) {
    OptimisationResult r;
    r.Done = s.OptimisationDone;
    r.Start = s.LastRun;
    r.Base = s.OptBase;
    r.VariableOptimum = s.VariableOptimum;
    r.VariableCost = s.VariableCost;
    r.Evaluations = s.EvalCount;
    r.AllEvaluations = s.OptRunEvaluations;
    r.StartCost = s.CurrentCost;
    if (s.Main) {
        r.StartFeedGain = NumVal(std::string_view(s.Main->TextF2G.Text));
        r.StartFinalAge = NumVal(std::string_view(s.Main->Text5.Text));
    }
    r.TargetWeight = s.OptTargetWeight;
    r.MeetRequirements = s.OptMeetRequirements;
    r.ResultFile = s.OptResultFile;

    RunSnapshot& run = r.Optimum;
    run.Source = "Optimum";
    run.Taken = NextSnapshotOrder();
    TakeRunInputs(s, run);
    const bool gridDiets = s.Main && s.Main->Combo1.ListIndex == kFormulationGridDiets;
    const int n = std::clamp<int>(s.DietCount, 0, 8);
    for (int d = 1; d <= n; ++d) {
        RunDiet diet = RunDietOf(s, d, !gridDiets);
        // The optimum's own copies: its feed weight, contents and the
        // restrictions each diet was formulated with.
        diet.Price = s.DietPrice(d);
        diet.Allotment = s.DietFormula(d, 0);
        diet.Nutrients[0] = s.DietPrice(d);
        for (int k = 1; k < static_cast<int>(diet.Nutrients.size()) && k <= 121; ++k)
            diet.Nutrients[static_cast<std::size_t>(k)] = s.OptDietNutrients(d, k);
        for (std::size_t k = 0; k < diet.NutrientMin.size(); ++k) {
            diet.NutrientMin[k] = s.OptNutrientLimits(d, 1, static_cast<int>(k) + 1);
            diet.NutrientMax[k] = s.OptNutrientLimits(d, 2, static_cast<int>(k) + 1);
        }
        diet.FeedEaten = diet.Allotment;
        diet.Reached = diet.Allotment > 0;
        run.Diets.push_back(std::move(diet));
    }
    // Phase ends: the engine's diet results of the best programme; the last
    // diet ends at the final weight.
    double total = 0;
    double prevAge = s.StartAge, prevWeight = s.StartWeight;
    for (RunDiet& diet : run.Diets) {
        total += diet.Allotment;
        const bool last = diet.Number == n;
        diet.EndAge = last ? s.OptFinalAge : s.DietResults(diet.Number, 1);
        diet.EndWeight = last ? s.FinalWeight : s.DietResults(diet.Number, 2);
        diet.TotalFeed = total;
        if (diet.EndAge > prevAge) diet.DailyGain = (diet.EndWeight - prevWeight) / (diet.EndAge - prevAge);
        if (diet.EndAge > 0) {
            prevAge = diet.EndAge;
            prevWeight = diet.EndWeight;
        }
    }
    run.DayGrowth = s.OptDayGrowth;
    run.DayFeed = s.OptDayFeed;
    run.FinalAge = s.OptFinalAge;
    run.TotalFeed = total;
    run.CostPerPig = r.OptimumCostPerPig();
    const double finalShown = s.FinalWeight / WeightFactor(s.WeightUnit());
    if (finalShown > 0) run.CostPerTonne = run.CostPerPig * (s.WeightUnit() == 1 ? 2000.0 : 1000.0) / finalShown;
    run.FeedGain = s.OptFeedGain;
    const double gain = s.FinalWeight - s.StartWeight;
    if (gain > 0) {
        double energy = 0;
        for (const RunDiet& diet : run.Diets) energy += diet.Nutrients[1] * diet.Allotment;
        run.EnergyPerGain = energy / gain;
    }
    run.Sexes[0].Feed = total;
    run.Sexes[0].Cost = run.CostPerPig;
    run.Sexes[0].FeedGain = run.FeedGain;
    run.RunFailed = false;
    run.ReachedFinalWeight = s.OptFinalAge > 0 && s.OptFinalAge <= 198;
    run.ResultsValid = r.Done;
    if (s.OptFinalAge > 0) OptimumDays(s, run);
    if (RunsResponseModel(s)) {
        // The best programme's responsive pig: its days and its own sexes.
        run.ResponseDays = s.Response.Days;
        ResponseOptimumSexes(s, run);
    } else {
        OptimumSexes(s, run);
    }
    // The optimum's requirements and nutrient balance, from its own days:
    // right after a successful search the record holds its growth.
    if (r.Done) CompleteGrowthSnapshot(s, run);
    return r;
}

}  // namespace tarvisol
