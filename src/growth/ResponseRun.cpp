#include "growth/ResponseRun.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "growth/Carcass.h"
#include "growth/GrowthRun.h"
#include "growth/PigGrowth.h"
#include "growth/SexSplit.h"
#include "response/CarcassFromBody.h"
#include "response/HerdPigRun.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

using response::SexCurves;

constexpr int kLastStoredDay = 198;  // the last day whose weight the tables can hold
constexpr int kColAge = 5, kColWeight = 6, kColDayFeed = 7, kColCumFeed = 8;
constexpr int kThresholdAge = 125;   // the documented carcass shows the days past the weight at this age
constexpr int kColBackFat = 10, kColArea = 11, kColLean = 12, kColYield = 13;

Grid* DailyGrid(SharedState& s) { return s.ShowDailyProgress && s.Main ? &s.Main->Grid1 : nullptr; }

void WriteCell(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

double CellValue(const Grid& g, int row, int col) {
    if (row < 0 || row >= g.Rows() || col >= g.Cols()) return 0.0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}



SexCurves CurvesOfSex(const Genotype& g, bool male) { return response::CurvesOf(male ? g.Male : g.Female, g.WastagePercent); }

}  // namespace

int ResponseHerdSex(const SharedState& s) {
    const int sex = s.Main ? s.Main->ComboSex.ListIndex : s.HerdSex;
    return sex == 1 || sex == 2 ? sex : 0;
}

response::ResponseProgramme ResponseProgrammeOf(const SharedState& s) {
    response::ResponseProgramme p;
    p.Count = std::clamp<int>(s.DietCount, 0, response::kMaxDiets);
    for (int d = 1; d <= p.Count; ++d) {
        response::ResponseDiet& diet = p.Diets[static_cast<std::size_t>(d - 1)];
        // The energy as the documented engine takes it: a figure above 3,200
        // is kcal per lb.
        const double e = s.DietNutrients(d, 1);
        diet.Ne = e > 3200 ? e / 2.204 : e;
        for (int j = 0; j < response::kAminoAcids; ++j) diet.Amino[static_cast<std::size_t>(j)] = s.DietNutrients(d, 3 + j);
        diet.Allotment = s.DietFeedAmount(d);
    }
    return p;
}

void GrowLocationPig(SharedState& s) {
    if (RunsResponseModel(s)) {
        GrowResponsePig(s);
        return;
    }
    s.Response.Used = false;
    s.Response.Days.clear();
    s.Response.Males.clear();
    s.Response.Females.clear();
    GrowPig(s);
}

void GrowResponsePig(SharedState& s) {
    s.Response.Used = true;
    if (s.StartAge < 0 || s.StartAge > kLastStoredDay + 1) {
        s.Response.Days.clear();
        s.Response.Males.clear();
        s.Response.Females.clear();
        s.RunFailed = true;
        return;
    }
    s.CurrentDietIndex = 1;
    for (int slot = 0; slot <= 2; ++slot)
        for (int day = 1; day <= 199; ++day) s.DayFeed(slot, day) = 0;
    s.CumFeed(s.SimSex) = 0;
    s.RunFailed = false;
    s.RunLastDay = static_cast<int16_t>(s.StartAge - 1);
    const double w0 = s.DayGrowth(0, s.StartAge);
    response::HerdPigStart start;
    start.Age = s.StartAge;
    start.Weight = std::isfinite(w0) ? w0 : 0;
    start.FinalWeight = s.FinalWeight;
    start.LastDay = kLastStoredDay;
    start.HerdSex = ResponseHerdSex(s);
    // The run's own vectors, kept in the record from run to run.
    response::HerdPigRun run;
    run.Days = std::move(s.Response.Days);
    run.Males = std::move(s.Response.Males);
    run.Females = std::move(s.Response.Females);
    response::GrowHerdPig(s.Model.Pig, ResponseProgrammeOf(s), start, run);
    s.Response.Days = std::move(run.Days);
    s.Response.Males = std::move(run.Males);
    s.Response.Females = std::move(run.Females);
    if (run.Failed) {
        s.RunFailed = true;
        return;
    }
    s.RunLastDay = static_cast<int16_t>(s.StartAge);

    // The record's day tables as the documented engine writes them: weight
    // at the start of each day, the day's feed on the next, the daily grid's
    // rows.
    const bool males = response::GrowsMales(start.HerdSex), females = response::GrowsFemales(start.HerdSex);
    for (int slot = 1; slot <= 2; ++slot)
        for (int d = s.StartAge; d <= 199; ++d) s.DayGrowth(slot, d) = 0;
    Grid* grid = DailyGrid(s);
    double cumulative = 0;
    const auto sexDay = [&](const std::vector<ResponseDayFigures>& days, std::size_t i) -> const ResponseDayFigures* {
        return i < days.size() ? &days[i] : nullptr;
    };
    const std::size_t n = s.Response.Days.size();
    for (std::size_t i = 0; i <= n; ++i) {
        const int day = s.StartAge + static_cast<int>(i);
        // The sexes' own weights and feed.
        for (int slot = 1; slot <= 2; ++slot) {
            if ((slot == 1 && !males) || (slot == 2 && !females)) continue;
            const ResponseDayFigures* f = sexDay(slot == 1 ? s.Response.Males : s.Response.Females, i);
            if (f) {
                s.DayGrowth(slot, day) = f->Weight;
                if (day + 1 <= 199) s.DayFeed(slot, day + 1) = f->FeedSupplied;
            }
        }
        if (i == n) break;
        const ResponseDayFigures& f = s.Response.Days[i];
        s.DayGrowth(0, day) = f.Weight;
        s.BodyFat(0, day) = f.BodyLipid;
        s.DayFeed(0, day + 1) = f.FeedSupplied;
        cumulative += f.FeedSupplied;
        if (grid) {
            const int row = day - s.StartAge + 1;
            WriteCell(*grid, row, kColWeight, FormatPattern(ConvertWeight(s, 2, f.Weight), "###.#"));
            WriteCell(*grid, row, kColAge, std::to_string(day));
            const double shown = ConvertWeight(s, 2, f.FeedSupplied);
            WriteCell(*grid, row + 1, kColDayFeed, FormatPattern(shown, "##.0"));
            WriteCell(*grid, row + 1, kColCumFeed, FormatPattern(CellValue(*grid, row, kColCumFeed) + shown, "###.0"));
        }
    }
    const int day = s.StartAge + static_cast<int>(n);
    s.DayGrowth(0, day) = run.EndWeight;
    s.BodyFat(0, day) = run.EndLipid;
    for (int slot = 1; slot <= 2; ++slot) {
        const std::vector<ResponseDayFigures>& days = slot == 1 ? s.Response.Males : s.Response.Females;
        if (days.empty() || days.size() > n) continue;
        // The sex's weight at the end of the last day grown.
        const ResponseDayFigures& l = days.back();
        const SexCurves c = CurvesOfSex(s.Model.Pig, slot == 1);
        const response::PigBody body{l.BodyProtein + l.ProteinDeposition / 1000.0, l.BodyLipid + l.LipidDeposition / 1000.0};
        s.DayGrowth(slot, day) = response::LiveWeightOf(response::EmptyBodyOf(c, body));
    }
    if (run.FeedAfterLastDay > 0 && day + 1 <= 199) {
        // Eaten on the day past the tables' end, as the documented engine
        // counts it (the growth run takes it off again).
        s.DayFeed(0, day + 1) = run.FeedAfterLastDay;
        cumulative += run.FeedAfterLastDay;
        if (grid) {
            const double shown = ConvertWeight(s, 2, run.FeedAfterLastDay);
            const int row = day - s.StartAge + 2;
            WriteCell(*grid, row, kColDayFeed, FormatPattern(shown, "##.0"));
            WriteCell(*grid, row, kColCumFeed, FormatPattern(CellValue(*grid, row - 1, kColCumFeed) + shown, "###.0"));
        }
    }
    s.RunLastDay = static_cast<int16_t>(day);
    s.CumFeed(s.SimSex) = cumulative;
    for (int d = 1; d <= std::min<int>(s.DietCount, response::kMaxDiets); ++d) {
        s.DietResults(d, 1) = run.DietEndAge[static_cast<std::size_t>(d)];
        s.DietResults(d, 2) = run.DietEndWeight[static_cast<std::size_t>(d)];
        s.DietResults(d, 3) = run.DietEndFeed[static_cast<std::size_t>(d)];
    }
    s.CurrentDietIndex = static_cast<int16_t>(run.LastDiet);
    if (s.FinalAge == 0) s.FinalAge = day;
    if (run.Reached) {
        // The grid's last row and the cumulative feed by age as the
        // documented end writes them; the feed and the final age of the run.
        FinishRun(s, day);
        s.FinalAge = run.FinalAge;
        s.CumFeed(s.SimSex) = run.TotalFeed;
        for (int d = s.StartAge + 1; d <= std::min(day, 199); ++d) {
            const double part = d == day && !s.Response.Days.empty() ? s.Response.Days.back().Share : 1.0;
            s.CumFeedByDay(4, d) = s.CumFeedByDay(4, d - 1) + part * s.DayFeed(0, d);
        }
    }
}

void ResponseSexTotals(SharedState& s) {
    // The sexes' feed by the same days the mixed herd's total counts, so
    // that their mean is the programme's feed.
    double s0 = 0, s1 = 0, s2 = 0;
    const int last = FinishingDay(s);
    for (int d = s.StartAge + 1; d <= last && d <= 199; ++d) {
        s0 += s.DayFeed(0, d);
        s1 += s.DayFeed(1, d);
        s2 += s.DayFeed(2, d);
    }
    if (!(s0 > 0)) {
        s.CumFeed(1) = 0;
        s.CumFeed(2) = 0;
        return;
    }
    const double programme = s.DietResults(s.DietCount, 3);
    const double total = programme > 0 ? programme : s.CumFeed(0);
    s.CumFeed(0) = total;
    s.CumFeed(1) = total * s1 / s0;
    s.CumFeed(2) = total * s2 / s0;
}

void ResponseCarcassOutputs(SharedState& s) {
    const int herdSex = ResponseHerdSex(s);
    const bool males = response::GrowsMales(herdSex), females = response::GrowsFemales(herdSex);
    const SexCurves maleCurves = CurvesOfSex(s.Model.Pig, true), femaleCurves = CurvesOfSex(s.Model.Pig, false);
    const bool inches = s.WeightUnit() == 1;
    const auto trait = [&](bool male, int d) {
        const std::vector<ResponseDayFigures>& days = male ? s.Response.Males : s.Response.Females;
        // The body at the start of day d: the day's own record, or the end
        // of the last day grown.
        response::PigBody body;
        double w = 0;
        const int i = d - s.StartAge;
        if (i >= 0 && i < static_cast<int>(days.size())) {
            body = {days[static_cast<std::size_t>(i)].BodyProtein, days[static_cast<std::size_t>(i)].BodyLipid};
            w = days[static_cast<std::size_t>(i)].Weight;
        } else if (!days.empty()) {
            const ResponseDayFigures& l = days.back();
            body = {l.BodyProtein + l.ProteinDeposition / 1000.0, l.BodyLipid + l.LipidDeposition / 1000.0};
            w = s.DayGrowth(male ? 1 : 2, d);
        }
        const CarcassTraits documented = male ? MaleCarcass(w, false) : FemaleCarcass(w, false);
        const response::BodyCarcass k = response::CarcassOfBody(male ? maleCurves : femaleCurves, w, body, documented.loinArea);
        CarcassTraits t = documented;
        t.backFat = k.BackFat;
        t.lean = k.Lean;
        t.yield = k.Yield;
        if (inches) {
            t.loinArea *= 0.155;
            t.loinDepth *= 0.3937;
        }
        return t;
    };
    // The days the documented carcass shows: past this run's weight at 125 days.
    const bool passes = s.StartAge <= kThresholdAge && s.RunLastDay >= kThresholdAge;
    const bool startsAfter = s.StartAge > kThresholdAge;
    const double threshold = passes ? s.DayGrowth(0, kThresholdAge) : startsAfter ? -1.0 : 1e300;
    bool any = false;
    if (s.Main) {
        Grid& g = s.Main->Grid1;
        if (g.Cols() <= kColYield) g.SetCols(kColYield + 1);
        for (int row = 1; row < g.Rows(); ++row) {
            const double shown = NumVal(std::string_view(g.TextMatrix(row, kColWeight)));
            if (!(shown > 0)) break;
            if (row == 1 && startsAfter) continue;
            const double x = ConvertWeight(s, 1, shown);
            if (!(x > threshold)) continue;
            any = true;
            const int d = std::clamp(SplitDayOfRow(s, g, row), 0, 199);
            const CarcassTraits m = males ? trait(true, d) : CarcassTraits{};
            const CarcassTraits f = females ? trait(false, d) : CarcassTraits{};
            const auto put = [&](int t, double male, double female, int col) {
                const double mean = males && females ? (male + female) / 2 : (males ? male : female);
                s.CarcassTable(0, t) = mean;
                s.CarcassTable(1, t) = males ? male : 0;
                s.CarcassTable(2, t) = females ? female : 0;
                const double cell = col == kColBackFat && inches ? mean / 25.4 : mean;
                if (col > 0) g.SetTextMatrix(row, col, FormatAuto(cell));
            };
            put(1, m.backFat, f.backFat, kColBackFat);
            put(2, m.loinArea, f.loinArea, kColArea);
            put(5, m.loinDepth, f.loinDepth, 0);
            put(3, m.lean, f.lean, kColLean);
            put(4, m.yield, f.yield, kColYield);
        }
    }
    if (!any) s.CarcassTable.Fill(0);
}

std::string GrowthModelLine(const SharedState& s) {
    if (!RunsResponseModel(s)) return "Growth model: documented curve";
    return "Growth model: nutrient response, " + s.Model.Pig.Name;
}

}  // namespace tarvisol
