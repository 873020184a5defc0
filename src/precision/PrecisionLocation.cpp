#include "precision/PrecisionLocation.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "formulation/Formulate.h"
#include "growth/GrowthRun.h"
#include "growth/PrivateRecord.h"
#include "growth/ResponseRun.h"
#include "nutrition/NutrientBasis.h"
#include "nutrition/Requirements.h"
#include "response/GenotypePresets.h"
#include "response/HerdPigRun.h"
#include "response/NrcFactorial.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/RuntimeError.h"
#include "shared/SharedState.h"
#include "shared/Units.h"

namespace tarvisol::precision {
namespace {

class Quiet : public SilentDialogs {};

double Column(const std::vector<double>& v, int k) {
    if (k < 1 || k >= static_cast<int>(v.size())) return 0;
    const double x = v[static_cast<std::size_t>(k)];
    return std::isfinite(x) && x > 0 ? x : 0.0;
}

// The feed of a diet's columns (index k: column k, 0 the price).
BlendFeed FeedOf(const std::string& name, const std::vector<double>& columns, double pricePerKg, double allotment,
                 const NutrientColumns& cols) {
    BlendFeed f;
    f.Name = name;
    f.Diet.Ne = EngineEnergy(Column(columns, 1));
    for (int j = 0; j < response::kAminoAcids; ++j) f.Diet.Amino[static_cast<std::size_t>(j)] = Column(columns, 3 + j);
    f.Diet.Allotment = allotment;
    f.CrudeProtein = Column(columns, 2);
    f.SttdPhosphorus = Column(columns, cols.SttdPhosphorus);
    f.TotalPhosphorus = Column(columns, cols.TotalPhosphorus);
    f.PricePerKg = pricePerKg;
    return f;
}

// The mean pig's requirement at live weight w on a feed of net energy ne:
// SID lysine and STTD phosphorus, % of the feed eaten.
struct Requirement {
    double Lysine = 0, Sttd = 0, Calcium = 0;
};
Requirement RequirementAt(const Genotype& g, int herdSex, double w, double ne) {
    double lysine = 0, sttd = 0, feed = 0;
    int sexes = 0;
    for (int male = 0; male <= 1; ++male) {
        if ((male && !response::GrowsMales(herdSex)) || (!male && !response::GrowsFemales(herdSex))) continue;
        const response::SexCurves c = response::CurvesOf(male ? g.Male : g.Female, g.WastagePercent);
        const response::ResponseProgramme none;
        const response::ResponsivePig pig(c, none, w);
        const response::DayNeed need = pig.NeedOn(ne);
        lysine += need.SidLysine;
        sttd += SttdPhosphorusGrams(w, need.FeedEaten, need.ProteinDeposition);
        feed += need.FeedEaten;
        ++sexes;
    }
    Requirement r;
    if (!(feed > 0)) return r;
    r.Lysine = lysine / feed / 10;
    r.Sttd = sttd / feed / 10;
    r.Calcium = CalciumGrams(sttd) / feed / 10;
    return r;
}

double RoundedUp(double x) { return std::ceil(x * 1000.0 - 1e-6) / 1000.0; }

}  // namespace

PrecisionLocation PrecisionLocationOf(const SharedState& s, const MarketSettings& market, const FeedChoice& choice) {
    PrecisionLocation out;
    if (!s.Main || !s.PigDataReady) {
        out.Problem = "Open a location before comparing ways of feeding";
        return out;
    }
    Quiet quiet;
    PrivateRecord copy(s, quiet);
    SharedState* const base = copy.s.get();
    GrowthOutcome outcome = GrowthOutcome::Refused;
    try {
        outcome = Growth(*base);
    } catch (const std::exception& ex) {
        out.Problem = TrappedErrorMessage(ex, ") in procedure Growth");
        return out;
    }
    if (outcome != GrowthOutcome::Results || !base->LastRun.ResultsValid) {
        out.Problem = "The Growth command has no result for the location's pig";
        return out;
    }
    const RunSnapshot& run = base->LastRun;
    PrecisionInputs& in = out.Inputs;
    out.LocationGenotype = RunsResponseModel(*base);
    in.Pig = out.LocationGenotype ? base->Model.Pig : response::ReferenceGenotype();
    out.GenotypeName = in.Pig.Name;
    in.HerdSex = ResponseHerdSex(*base);
    in.StartAge = run.StartAge;
    in.StartWeight = run.StartWeight;
    in.FinalWeight = run.FinalWeight;
    in.Market = market;
    in.MarketPerKg = MarketInPounds(base->WeightUnit()) ? ConvertWeight(*base, 2, 1.0) : 1.0;
    const NutrientColumns cols = FindNutrientColumns(run.NutrientNames);
    for (const RunDiet& d : run.Diets)
        in.Phase.push_back(FeedOf(d.Name, d.Nutrients, ConvertPrice(*base, 1, d.Price), d.Allotment, cols));
    if (in.Phase.empty()) {
        out.Problem = "The location has no diets";
        return out;
    }
    if (!out.LocationGenotype)
        out.Notes.push_back("The location grows on the documented curve: the comparison grows the " + in.Pig.Name +
                            " on the nutrient-response model");

    if (choice.DietA || choice.DietB) {
        const int count = static_cast<int>(in.Phase.size());
        if (choice.DietA < 1 || choice.DietA > count || choice.DietB < 1 || choice.DietB > count ||
            choice.DietA == choice.DietB) {
            out.Problem = "Feeds A and B must be two different diets of the location, 1 to " + std::to_string(count);
            return out;
        }
        in.A = in.Phase[static_cast<std::size_t>(choice.DietA - 1)];
        in.B = in.Phase[static_cast<std::size_t>(choice.DietB - 1)];
        in.A.Diet.Allotment = in.B.Diet.Allotment = 0;
        in.A.Name = "Feed A (" + in.A.Name + ")";
        in.B.Name = "Feed B (" + in.B.Name + ")";
        return out;
    }

    // Formulated: A as the first diet, B as the last, each with its limits
    // and its nutrient minimums raised or lowered to the requirement.
    if (base->IngredientCount < 1 || base->NutrientCount < 2) {
        out.Problem = "The location has no ingredient matrix to formulate feeds A and B from: take two of its diets";
        return out;
    }
    out.Formulated = true;
    const int last = std::min<int>(base->DietCount, 8);
    const int nutrients = std::min<int>(base->NutrientCount - 1, 120);
    const struct {
        int Diet;
        double Weight;
        const char* Name;
    } feeds[2] = {{1, in.StartWeight, "Feed A"}, {last, in.FinalWeight, "Feed B"}};
    for (int f = 0; f < 2; ++f) {
        const int d = feeds[f].Diet;
        const Requirement r = RequirementAt(in.Pig, in.HerdSex, feeds[f].Weight, in.Phase[static_cast<std::size_t>(d - 1)].Diet.Ne);
        (f == 0 ? out.LysineMinA : out.LysineMinB) = RoundedUp(r.Lysine);
        (f == 0 ? out.SttdMinA : out.SttdMinB) = RoundedUp(r.Sttd);
        const auto set = [&](int column, double wanted) {
            if (column < 1 || column > nutrients) return;
            const double min = RoundedUp(wanted);
            base->NutrientLimits(d, 1, column) = min;
            double& max = base->NutrientLimits(d, 2, column);
            if (max > 0 && max < min) {
                out.Notes.push_back(std::string(feeds[f].Name) + ": the maximum of " +
                                    run.NutrientNames[static_cast<std::size_t>(column - 1)] +
                                    " was below the requirement and is raised to it");
                max = min;
            }
        };
        // The crude protein minimum follows the lysine minimum in the
        // proportion the diet's own limits set, so that a feed made to a
        // lower lysine is not held to the protein of a richer one.
        const double lysineBefore = base->NutrientLimits(d, 1, kLysineColumn);
        const double proteinBefore = base->NutrientLimits(d, 1, cols.CrudeProtein);
        if (lysineBefore > 0 && proteinBefore > 0 && cols.CrudeProtein >= 1 && cols.CrudeProtein <= nutrients)
            base->NutrientLimits(d, 1, cols.CrudeProtein) = RoundedUp(proteinBefore * RoundedUp(r.Lysine) / lysineBefore);
        for (const RequirementNutrient& n : cols.Compared) {
            if (n.Column < 1 || n.TotalBasis) continue;
            if (n.Key == "sttd_phosphorus") set(n.Column, r.Sttd);
            else if (n.Key == "calcium") set(n.Column, r.Calcium);
            else
                for (int j = 0; j < response::kAminoAcids; ++j)
                    if (n.Column == 3 + j) set(n.Column, r.Lysine * IdealRatio(j));
        }
        try {
            FormulateDiet(*base, d);
        } catch (const std::exception& ex) {
            out.Problem = std::string(feeds[f].Name) + " was not formulated: " + ex.what();
            return out;
        }
        if (!DietFormulated(*base, d)) {
            const std::string why = base->DietLpReason(d);
            out.Problem = std::string(feeds[f].Name) + " cannot be formulated with the limits of " +
                          run.Diets[static_cast<std::size_t>(d - 1)].Name + " at the requirement" +
                          (why.empty() ? std::string() : " (" + why + ")");
            return out;
        }
        std::vector<double> columns(static_cast<std::size_t>(nutrients) + 1, 0.0);
        for (int k = 1; k <= nutrients; ++k) columns[static_cast<std::size_t>(k)] = base->DietNutrients(d, k);
        BlendFeed& feed = f == 0 ? in.A : in.B;
        feed = FeedOf(feeds[f].Name, columns, ConvertPrice(*base, 1, base->DietPrice(d)), 0, cols);
    }
    return out;
}

}  // namespace tarvisol::precision
