#include "calibration/FitDiagnostics.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <memory>
#include <sstream>

#include "growth/PigGrowth.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

int DayOf(double age, int hi) {
    double d = RoundHalfEven(age);
    if (!(d >= 0)) d = 0;
    if (d > hi) d = hi;
    return static_cast<int>(d);
}

std::string Fixed(double v, int decimals) {
    std::ostringstream o;
    o.setf(std::ios::fixed);
    o.precision(decimals);
    o << v;
    return o.str();
}

std::string Signed(double v, int decimals) { return (v >= 0 ? "+" : "") + Fixed(v, decimals); }

std::string Percent(double share) { return Signed(100 * share, 1) + " %"; }

PotentialGain GainAt(const CurvePoint& c, double w) { return {w, CurvePotentialGain(c, w)}; }

}  // namespace

// The fat of one day split into what the curve puts down with the lean and
// what the engine adds from the day's energy balance (capacity minus need).
// The engine grows day d from w to w + lean + fat with
//   lean = N - w - fat0,  fat0 = (F / w + 0.002) N - F,  fat = fat0 + surplus / fatCost
// where N is the limited weight it balanced energy for: N follows from the
// lean gain, and fat - fat0 is the balance's share. A surplus of a whole
// kcal or more is laid down without the feed being raised to pay for it.
double FatWithoutFeed(double w, double fatToday, double lean, double fat, double fatCost) {
    if (!(w > 0) || !(fatCost > 0)) return 0;
    const double k = fatToday / w + 0.002;
    if (!(k < 1)) return 0;
    const double n = (lean + w - fatToday) / (1 - k);
    const double fromBalance = fat - (k * n - fatToday);
    return fromBalance * fatCost >= 1 - 1e-6 ? fromBalance : 0;
}

double CurvePotentialGain(const CurvePoint& c, double w) {
    const double b0 = std::max(1.0, c[0]);
    const double b3 = c[3] == 0 ? 0.0001 : c[3];
    if (!(w > 0) || !(c[1] > 0) || !(c[2] > 0)) return 0;
    const CurveDay day = CurveStep(b0, c[1], c[2], b3, w);
    const double g = day.nextWeight - w;
    return std::isfinite(g) ? g : 0;
}

CurvePoint CurveInForce(const SharedState& s) {
    CurvePoint c{};
    for (int k = 0; k < 5; ++k) c[static_cast<std::size_t>(k)] = s.GrowthCurve(0, k);
    return c;
}

FitDiagnostics DiagnoseFit(const SharedState& original, const CurvePoint& curve) {
    FitDiagnostics d;
    d.curve = curve;
    auto copy = std::make_unique<SharedState>(original);
    SharedState& s = *copy;
    s.Main = nullptr;
    s.Dialog = nullptr;
    s.Clip = nullptr;
    s.ActiveGrid = nullptr;
    s.ShowDailyProgress = false;
    s.SimSex = 0;
    s.UseWeightTerm = true;
    s.BestError = 0;
    const double startAge = RoundHalfEven(s.CalibInputs(2));
    d.startWeight = ConvertWeight(s, 1, s.CalibInputs(1));
    d.finalWeight = ConvertWeight(s, 1, s.CalibInputs(3));
    d.measuredFinalAge = MeasuredFinalAge(s);
    d.measuredTotalFeed = MeasuredFeedKg(s);
    d.matureWeight = curve[0] * std::exp(curve[2]);

    // The curve over the herd's weights.
    d.atStart = GainAt(curve, d.startWeight);
    d.atMiddle = GainAt(curve, 0.5 * (d.startWeight + d.finalWeight));
    d.atFinal = GainAt(curve, d.finalWeight);
    d.lowest = d.atStart;
    if (d.finalWeight > d.startWeight && d.startWeight > 0) {
        const int steps = static_cast<int>(std::min(2000.0, std::ceil((d.finalWeight - d.startWeight) / 0.5)));
        for (int i = 0; i <= steps; ++i) {
            const PotentialGain g = GainAt(curve, d.startWeight + (d.finalWeight - d.startWeight) * i / steps);
            if (g.gain < d.lowest.gain) d.lowest = g;
        }
    }

    // The herd's run on the curve, scored as the fit scores it.
    const bool startable = startAge >= 0 && startAge <= 198 && d.startWeight > 0 && d.finalWeight > d.startWeight;
    if (startable) {
        s.StartAge = static_cast<int16_t>(startAge);
        s.FinalWeight = d.finalWeight;
        for (int k = 0; k < 5; ++k) s.GrowthCurve(0, k) = curve[static_cast<std::size_t>(k)];
        EvaluateFit(s);
        d.error = s.CalibError;
        d.grown = s.CalibError < 1e8 && s.RunLastDay > s.StartAge && s.DayGrowth(0, s.RunLastDay) >= s.FinalWeight;
        d.finalAge = s.FinalAge;
        d.totalFeed = s.SimTotalFeed;
        const double endDay = RoundHalfEven(s.CalibInputs(5) + 1);
        for (int day = std::max<int>(0, s.StartAge); day <= 200 && day <= endDay; ++day) d.feedToMeasuredAge += s.DayFeed(0, day);
    }

    if (d.grown) {
        const int first = s.StartAge, last = s.RunLastDay - 1;  // day d grows the pig from d to d + 1
        const double fatCost = s.GainEnergyCost(1);
        double gainAll = 0, fatAll = 0, feedlessAll = 0;
        int from = first;
        for (int diet = 1; diet <= std::max<int>(1, s.DietCount) && from <= last; ++diet) {
            const double ended = s.DietResults(diet, 1);
            const bool lastPhase = diet >= s.DietCount || ended == 0;
            const int to = lastPhase ? last : std::min(last, static_cast<int>(ended));
            PhaseGain p;
            p.diet = diet;
            if (original.Main && diet < original.Main->Griddiets.Cols() && original.Main->Griddiets.Rows() > 1)
                p.name = original.Main->Griddiets.TextMatrix(1, diet);
            p.fromWeight = s.DayGrowth(0, from);
            p.toWeight = std::min(s.DayGrowth(0, to + 1), std::max(s.FinalWeight, p.fromWeight));
            double fat = 0, feedless = 0, gain = 0;
            for (int day = from; day <= to; ++day) {
                const double lean = s.DayGrowth(1, day), f = s.DayGrowth(2, day);
                gain += lean + f;
                fat += f;
                feedless += FatWithoutFeed(s.DayGrowth(0, day), s.BodyFat(0, day), lean, f, fatCost);
            }
            p.gain = gain;
            if (gain > 0) {
                p.fatShare = fat / gain;
                p.feedlessFatShare = feedless / gain;
            }
            gainAll += gain;
            fatAll += fat;
            feedlessAll += feedless;
            d.phases.push_back(p);
            from = to + 1;
            if (lastPhase) break;
        }
        if (gainAll > 0) {
            d.fatShare = fatAll / gainAll;
            d.feedlessFatShare = feedlessAll / gainAll;
        }

        // The measured rows after the start, compared as the fit compares them.
        const auto& t = s.CalibWeightTable;
        int n = 0;
        while (n + 1 <= 15 && t(0, n + 1) > 0) ++n;
        const int lastDay = std::clamp<int>(s.RunLastDay, 0, 200);
        for (int r = 2; r <= n; ++r) {
            if (t(1, r) == 0) continue;
            WeighingResidual w;
            w.row = r;
            w.age = t(0, r);
            w.measured = ConvertWeight(s, 1, t(1, r));
            w.simulated = s.DayGrowth(0, std::min(DayOf(t(0, r), 200), lastDay));
            w.residual = w.simulated - w.measured;
            w.residualShare = w.measured != 0 ? w.residual / w.measured : 0;
            w.measuredFeed = ConvertWeight(s, 1, t(2, r));
            for (int day = DayOf(t(0, r - 1) + 1, 200), e = DayOf(t(0, r), 200); day <= e; ++day)
                w.simulatedFeed += s.DayFeed(0, day);
            w.feedResidual = w.simulatedFeed - w.measuredFeed;
            w.feedResidualShare = w.measuredFeed != 0 ? w.feedResidual / w.measuredFeed : 0;
            w.missed = std::fabs(w.residual) > kWeighingMissKg || std::fabs(w.residualShare) > kWeighingMissShare;
            d.weighings.push_back(w);
        }
    }

    // Warnings.
    if (!d.grown)
        d.warnings.push_back("The curve does not grow the herd from " + Fixed(d.startWeight, 1) + " kg to its final weight of " +
                             Fixed(d.finalWeight, 1) + " kg on these diets.");
    if (d.matureWeight < kMatureToFinalMin * d.finalWeight)
        d.warnings.push_back("Mature weight " + Fixed(d.matureWeight, 0) + " kg is below 1.5 x the final weight (" +
                             Fixed(d.finalWeight, 0) +
                             " kg): the pig would be near its adult size at market, and the gain late in the run is "
                             "mostly fat laid down from spare appetite.");
    if (d.lowest.gain < kPotentialGainMin)
        d.warnings.push_back("Potential gain falls to " + Fixed(d.lowest.gain, 3) + " kg/d at " + Fixed(d.lowest.weight, 0) +
                             " kg, below 0.3 kg/d within the herd's weights (" + Fixed(d.startWeight, 0) + "-" +
                             Fixed(d.finalWeight, 0) + " kg): the curve leaves almost no lean growth there.");
    for (const WeighingResidual& w : d.weighings)
        if (w.missed)
            d.warnings.push_back("The weighing at " + Fixed(w.age, 0) + " days is missed by " + Signed(w.residual, 1) +
                                 " kg (" + Percent(w.residualShare) + "): measured " + Fixed(w.measured, 1) +
                                 " kg, the curve gives " + Fixed(w.simulated, 1) + " kg.");
    if (d.grown && d.measuredFinalAge > 0 && std::fabs(d.finalAge - d.measuredFinalAge) > kFinalAgeMissDays)
        d.warnings.push_back("The curve reaches the final weight at " + Fixed(d.finalAge, 1) + " days, measured " +
                             Fixed(d.measuredFinalAge, 1) + " days.");
    return d;
}

std::string FitErrorText(const FitDiagnostics& d) { return d.grown ? FormatPattern(d.error, "0.000") : std::string(); }

std::string FitErrorsText(const FitDiagnostics& fitted, const FitDiagnostics& inForce) {
    const std::string now = FitErrorText(fitted), before = FitErrorText(inForce);
    return "Fit error of the new curve " + (now.empty() ? std::string("none (the herd is not grown)") : now) +
           ", of the curve in force " + (before.empty() ? std::string("none (the herd is not grown)") : before) +
           ": lower fits the measured herd closer; Yes saves the new curve.\n";
}

std::string FitErrorOfCurveInForce(const SharedState& s) { return FitErrorText(DiagnoseFit(s, CurveInForce(s))); }

std::string DiagnosticsText(const FitDiagnostics& d) {
    std::ostringstream o;
    if (d.warnings.empty()) {
        o << "No warnings: the curve is plausible for this herd and passes near every weighing.\n";
    } else {
        o << "Warnings:\n";
        for (const std::string& w : d.warnings) o << "  - " << w << "\n";
    }
    o << "Mature weight B0 e^B2: " << Fixed(d.matureWeight, 0) << " kg (final weight " << Fixed(d.finalWeight, 1)
      << " kg)\n";
    o << "Potential daily gain of the curve: " << Fixed(d.atStart.gain, 3) << " kg/d at " << Fixed(d.atStart.weight, 0)
      << " kg, " << Fixed(d.atMiddle.gain, 3) << " at " << Fixed(d.atMiddle.weight, 0) << " kg, " << Fixed(d.atFinal.gain, 3)
      << " at " << Fixed(d.atFinal.weight, 0) << " kg; lowest " << Fixed(d.lowest.gain, 3) << " at "
      << Fixed(d.lowest.weight, 0) << " kg\n";
    if (d.grown) {
        o << "Final age " << Fixed(d.finalAge, 1) << " d (measured " << Fixed(d.measuredFinalAge, 1) << "), total feed "
          << Fixed(d.totalFeed, 1) << " kg to the final weight, " << FormatAuto(d.feedToMeasuredAge)
          << " kg to the measured final age (measured " << Fixed(d.measuredTotalFeed, 1) << "), fit error "
          << FitErrorText(d) << "\n";
        o << "Measured beside the curve (residual = curve - measured):\n";
        o << "   Age   Measured  Curve   Residual          Period feed  Curve   Residual\n";
        for (const WeighingResidual& w : d.weighings) {
            char line[200];
            std::snprintf(line, sizeof line, "%6.0f  %8.1f %7.1f  %+6.1f kg %+6.1f%%  %9.1f %7.1f  %+6.1f kg %+6.1f%%%s\n",
                          w.age, w.measured, w.simulated, w.residual, 100 * w.residualShare, w.measuredFeed,
                          w.simulatedFeed, w.feedResidual, 100 * w.feedResidualShare, w.missed ? "  MISSED" : "");
            o << line;
        }
        o << "Fat in the gain by diet phase (of it laid down from spare appetite, without feed):\n";
        for (const PhaseGain& p : d.phases) {
            o << "  Diet " << p.diet;
            if (!p.name.empty()) o << " (" << p.name << ")";
            o << ", " << Fixed(p.fromWeight, 0) << "-" << Fixed(p.toWeight, 0) << " kg: fat " << Fixed(100 * p.fatShare, 0)
              << " % of the gain (" << Fixed(100 * p.feedlessFatShare, 0) << " % without feed)\n";
        }
        o << "  Whole run: fat " << Fixed(100 * d.fatShare, 0) << " % of the gain (" << Fixed(100 * d.feedlessFatShare, 0)
          << " % without feed)\n";
    }
    return o.str();
}

}  // namespace tarvisol
