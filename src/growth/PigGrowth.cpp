#include "growth/PigGrowth.h"

#include <cmath>
#include <string>

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

constexpr int kLastStoredDay = 198;  // the last day whose weight the tables can hold
constexpr int kColAge = 5, kColWeight = 6, kColDayFeed = 7, kColCumFeed = 8;

Grid* DailyGrid(SharedState& s) { return s.ShowDailyProgress && s.Main ? &s.Main->Grid1 : nullptr; }

void WriteCell(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

double CellValue(const Grid& g, int row, int col) {
    if (row < 0 || row >= g.Rows() || col >= g.Cols()) return 0.0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

double FatFraction(const SharedState& s, double w) {
    return s.FatCurve(0, 1) + w * (s.FatCurve(0, 2) + w * (s.FatCurve(0, 3) + w * s.FatCurve(0, 4)));
}

}  // namespace

CurveDay CurveStep(double b0, double b1, double b2, double b3, double w) {
    return CurveStep(b0, b1, b2, b3, w, std::log(w) - std::log(b0));
}

CurveDay CurveStep(double b0, double b1, double b2, double b3, double w, double logRatio) {
    CurveDay c;
    c.x = (b2 - logRatio) / b2;
    const bool clamped = !(c.x >= 0 && c.x <= 1);
    if (c.x < 0) c.x = 0.0001;
    if (c.x > 1) c.x = 1;
    c.t = std::pow(-std::log(c.x) / b3, 1.0 / b1);
    // By construction B3 * t^B1 = -ln(x), so exp(-B3 * t^B1) is x itself.
    const double eT = c.x;
    const double t1b1 = std::pow(c.t + 1, b1);
    // B0 exp(B2 (1 - x)) gives w back unless x was clamped.
    c.wt = clamped ? b0 * std::exp(b2 * (1 - eT)) : w;
    c.wt1 = b0 * std::exp(b2 * (1 - std::exp(-b3 * t1b1)));
    // (t+1)^(B1-1) taken as (t+1)^B1 / (t+1).
    c.slope = b3 * b2 * b1 * (t1b1 / (c.t + 1)) * c.wt1 * eT;
    c.nextWeight = w + 0.5 * ((c.wt1 - c.wt) + c.slope);
    return c;
}

void GrowPig(SharedState& s) {
    s.GainEnergyCost(1) = 6700;
    s.GainEnergyCost(2) = 1231;
    // A start outside the day tables, or too late to leave a day before the
    // finish, cannot be grown.
    if (s.StartAge < 0 || s.StartAge > kLastStoredDay + 1) {
        s.RunFailed = true;
        return;
    }
    if (s.TempTable(0) == 0) s.TempTable(0) = s.StartAge;

    s.CurrentDietIndex = 1;
    s.CurrentDiet(0) = ConvertPrice(s, 1, s.DietNutrients(1, 0));
    for (int n = 1; n <= 14; ++n) s.CurrentDiet(n) = s.DietNutrients(1, n);
    for (int day = 1; day <= 199; ++day) s.DayFeed(0, day) = 0;
    s.CumFeed(s.SimSex) = 0;
    s.RunFailed = false;
    s.RunLastDay = static_cast<int16_t>(s.StartAge - 1);

    if (s.GrowthCurve(0, 3) == 0) s.GrowthCurve(0, 3) = 0.0001;
    if (s.GrowthCurve(0, 0) < 1.0) s.GrowthCurve(0, 0) = 1.0;
    const double b0 = s.GrowthCurve(0, 0), b1 = s.GrowthCurve(0, 1), b2 = s.GrowthCurve(0, 2),
                 b3 = s.GrowthCurve(0, 3);
    // Day 0 holds the curve's weight at age zero, unless the run starts there:
    // the starting weight is never overwritten.
    if (s.StartAge > 0) s.DayGrowth(0, 0) = b0;
    if (!(b2 > 0) || !(b1 > 0)) {
        s.RunFailed = true;
        return;
    }

    const double w0 = s.DayGrowth(0, s.StartAge);
    s.BodyFat(0, s.StartAge) = w0 * FatFraction(s, w0);
    if (w0 == 0 || !std::isfinite(w0)) {
        s.RunFailed = true;
        return;
    }
    s.RunLastDay = s.StartAge;

    Grid* grid = DailyGrid(s);
    const double logB0 = std::log(b0);
    int day = s.StartAge;
    while (s.DayGrowth(0, day) < s.FinalWeight) {
        const double w = s.DayGrowth(0, day);
        const double logW = std::log(w);
        const CurveDay c = CurveStep(b0, b1, b2, b3, w, logW - logB0);
        s.PhysioAge = c.t;
        s.NextWeight = c.nextWeight;
        if (c.wt == 0 || !std::isfinite(s.NextWeight)) {
            s.RunFailed = true;
            return;
        }
        GrowOneDayAt(s, day, s.NextWeight, logW);
        if (s.RunFailed) return;
        if (day > kLastStoredDay - 1) break;
        s.DayGrowth(0, day + 1) = s.NextWeight;
        s.RunLastDay = static_cast<int16_t>(day + 1);
        if (grid) {
            const int row = day - s.StartAge + 1;
            WriteCell(*grid, row, kColWeight, FormatPattern(ConvertWeight(s, 2, s.DayGrowth(0, day)), "###.#"));
            WriteCell(*grid, row, kColAge, std::to_string(day));
        }
        ++day;
    }

    if (s.FinalAge == 0) s.FinalAge = day;
    if (s.DayGrowth(0, day) >= s.FinalWeight) FinishRun(s, day);
}

void GrowOneDay(SharedState& s, int day, double& nextWeight) {
    GrowOneDayAt(s, day, nextWeight, std::log(s.DayGrowth(0, day)));
}

void GrowOneDayAt(SharedState& s, int day, double& nextWeight, double logW) {
    const int sex = s.SimSex;
    double budgetEnd = 0;
    for (int i = 1; i <= s.CurrentDietIndex; ++i) budgetEnd += s.DietFeedAmount(i);
    const int cur = s.CurrentDietIndex;
    double* today = s.CurrentDiet.data();
    const double* dietNow = s.DietNutrients.Row(cur);
    for (int n = 1; n <= 14; ++n) today[n] = dietNow[n];

    // Changeover: today's feed, estimated by yesterday's, would cross the end of
    // the allotment, so the day's diet is a blend by the share still within it.
    const double yesterday = s.DayFeed(sex, day);
    if (yesterday + s.CumFeed(sex) > budgetEnd && cur < s.DietCount) {
        const double share = (budgetEnd - s.CumFeed(sex)) / yesterday;
        const double* dietNext = s.DietNutrients.Row(cur + 1);
        for (int n = 1; n <= 14; ++n) today[n] = (1 - share) * dietNext[n] + share * dietNow[n];
    }

    const double b0 = s.GrowthCurve(0, 0);
    const double m = s.GrowthCurve(0, 4) == 0 ? 1.0 : s.GrowthCurve(0, 4);
    const double fatCost = s.GainEnergyCost(1), leanCost = s.GainEnergyCost(2);
    const double w = s.DayGrowth(0, day);
    const double fatToday = s.BodyFat(0, day);
    const bool capped = day > s.StartAge + 5;

    double lg = 0, fg = 0, eg = 0, g = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        if (nextWeight > 1000) {
            DialogsOf(s).Message("alivewt ");
            s.RunFailed = true;
            return;
        }
        if (nextWeight < b0) {
            s.RunFailed = true;
            return;
        }
        const DayEnergy en = EnergyBalance(w, nextWeight, fatToday, m, fatCost, leanCost, logW);
        s.MeanWeight = en.mean;
        fg = en.fatGain;
        lg = en.leanGain;
        const double pg = en.proteinGain;
        const double mean06 = en.mean06;
        eg = en.eg;
        double e = en.e;
        const double d = en.surplus;
        if (capped) {
            if (d < 1.0) e = en.q;
            fg += d / fatCost;
        }
        if (s.CurrentDiet(1) == 0) return;
        if (s.CurrentDiet(1) > 3200) s.CurrentDiet(1) = s.CurrentDiet(1) / 2.204;
        s.DayFeedIntake = e / s.CurrentDiet(1);
        // Also ends the run when a coefficient or diet drove the day to NaN or
        // infinity, so no such value reaches the tables.
        if (!(s.DayFeedIntake >= 1.0) || !std::isfinite(s.DayFeedIntake + fg + lg)) {
            s.RunFailed = true;
            return;
        }
        s.BodyFat(0, day + 1) = fatToday + fg;
        g = fg + lg;
        if (g < 0) {
            DialogsOf(s).Message("oops growth too low");
            return;
        }
        if (pass == 1) {
            LimitGainAt(s, mean06, pg, g);
            nextWeight = w + g;
            if (s.RunFailed) return;
        }
    }

    const double feed = s.DayFeedIntake;
    s.DayFeed(0, day + 1) = feed;
    s.CumFeed(sex) += feed;
    s.DayGrowth(1, day) = lg;
    s.DayGrowth(2, day) = fg;

    if (Grid* grid = DailyGrid(s)) {
        const int row = day - s.StartAge + 2;
        const double shown = ConvertWeight(s, 2, feed);
        WriteCell(*grid, row, kColDayFeed, FormatPattern(shown, "##.0"));
        WriteCell(*grid, row, kColCumFeed, FormatPattern(CellValue(*grid, row - 1, kColCumFeed) + shown, "###.0"));
    }

    if (s.CumFeed(sex) >= budgetEnd) {
        s.DietResults(cur, 1) = day;
        s.DietResults(cur, 2) = s.DayGrowth(0, day);
        s.DietResults(cur, 3) = s.DietResults(cur - 1, 3) + s.DietFeedAmount(cur);
        s.CurrentDietIndex = static_cast<int16_t>(cur + 1);
    }
    if (s.CurrentDietIndex > s.DietCount) {
        s.CurrentDietIndex = s.DietCount;
        s.DietResults(s.DietCount, 3) = s.CumFeed(sex);
    }
    if (eg < 1.0) {
        s.RunFailed = true;
        return;
    }
    nextWeight = w + g;
}

void LimitGain(SharedState& s, double /*energyRequired*/, double proteinGain, double& totalGain) {
    LimitGainAt(s, std::pow(s.MeanWeight, 0.6), proteinGain, totalGain);
}

void LimitGainAt(SharedState& s, double meanWeight06, double proteinGain, double& totalGain) {
    const double feed = s.DayFeedIntake;
    const double pm = 0.019805 * meanWeight06 / 1000;
    const double req2 = 100 * (proteinGain + pm) / feed;
    double* ratio = s.NutrientRatio.data();   // columns 0..14
    const double* diet = s.CurrentDiet.data();  // columns 0..14
    const double* profile = s.AminoProfile.Row(1);  // amino acids 1..12
    double a = 1.2;
    ratio[2] = diet[2] / (1.08 * req2);
    const double aminoScale = 100 * proteinGain / feed;
    for (int n = 3; n <= 14; ++n) ratio[n] = diet[n] / (1.08 * (aminoScale * profile[n - 2]));
    for (int n = 2; n <= 14; ++n)
        if (ratio[n] > 0 && ratio[n] < a) a = ratio[n];
    if (a < 0.7) a = 0.7;
    if (a > 1.0) a = 1.0;
    double p = 1 + 0.2959 * (1 - std::exp(-0.219 * (diet[2] - req2)));
    if (p < 0) p = 0.1;
    totalGain = totalGain * p * a;
}

void FinishRun(SharedState& s, int day) {
    Grid* grid = DailyGrid(s);
    const int row = day - s.StartAge + 1;
    if (day <= s.StartAge) {
        // Already at or above the final weight at the start: finished on the
        // starting day, with no feed eaten.
        s.FinalAge = s.StartAge;
        s.DayFeed(0, day + 1) = 0;
        s.CumFeedByDay(4, s.StartAge) = 0;
        s.CumFeed(0) = 0;
        if (grid) {
            WriteCell(*grid, row, kColDayFeed, FormatPattern(0, "###.00#"));
            WriteCell(*grid, row, kColCumFeed, FormatPattern(0, "##.0"));
            WriteCell(*grid, row, kColWeight, FormatPattern(ConvertWeight(s, 2, s.DayGrowth(0, day)), "####.0"));
            WriteCell(*grid, row, kColAge, FormatPattern(s.FinalAge, "###.0"));
        }
        return;
    }
    const double over = s.DayGrowth(0, day) - s.FinalWeight;
    const double share = 1 - over / (s.DayGrowth(0, day) - s.DayGrowth(0, day - 1));
    s.DayFeed(0, day + 1) = share * s.DayFeed(0, day);
    s.FinalAge = (day - 1) + share;
    if (grid) {
        const double feed = ConvertWeight(s, 2, s.DayFeed(0, day));
        WriteCell(*grid, row, kColDayFeed, FormatPattern(feed, "###.00#"));
        WriteCell(*grid, row, kColCumFeed, FormatPattern(CellValue(*grid, row - 1, kColCumFeed) + feed, "##.0"));
        WriteCell(*grid, row, kColWeight, FormatPattern(ConvertWeight(s, 2, s.FinalWeight), "####.0"));
        WriteCell(*grid, row, kColAge, FormatPattern(s.FinalAge, "###.0"));
    }
    // Cumulative feed by age; nothing is eaten before the starting day.
    const int last = static_cast<int>(RoundHalfEven(s.FinalAge));
    s.CumFeedByDay(4, s.StartAge) = 0;
    for (int i = s.StartAge + 1; i <= last; ++i) s.CumFeedByDay(4, i) = s.CumFeedByDay(4, i - 1) + s.DayFeed(0, i);
    s.CumFeed(0) = s.CumFeedByDay(4, last);
}

}  // namespace tarvisol
