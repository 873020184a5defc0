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
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

using response::GrownDay;
using response::ResponsivePig;
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

// The sexes a herd sex grows: males, females or both.
bool GrowsMales(int herdSex) { return herdSex != 2; }
bool GrowsFemales(int herdSex) { return herdSex != 1; }

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
    s.Response.Days.clear();
    s.Response.Males.clear();
    s.Response.Females.clear();
    if (s.StartAge < 0 || s.StartAge > kLastStoredDay + 1) {
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
    const response::ResponseProgramme programme = ResponseProgrammeOf(s);
    if (!(w0 > 0) || !std::isfinite(w0) || programme.Count < 1 || !response::GenotypeProblem(s.Model.Pig).empty()) {
        s.RunFailed = true;
        return;
    }
    s.RunLastDay = s.StartAge;

    const int herdSex = ResponseHerdSex(s);
    const bool males = GrowsMales(herdSex), females = GrowsFemales(herdSex);
    const SexCurves maleCurves = CurvesOfSex(s.Model.Pig, true), femaleCurves = CurvesOfSex(s.Model.Pig, false);
    ResponsivePig malePig(maleCurves, programme, w0), femalePig(femaleCurves, programme, w0);
    for (int slot = 1; slot <= 2; ++slot) s.DayGrowth(slot, s.StartAge) = w0;
    s.BodyFat(0, s.StartAge) = males && females ? 0.5 * (malePig.Body().Lipid + femalePig.Body().Lipid)
                                                : (males ? malePig : femalePig).Body().Lipid;
    // The mean pig's feed counted against the allotments: the diet changes
    // of the run's own table.
    response::Allotments mean;
    const std::size_t most = static_cast<std::size_t>(kLastStoredDay + 2 - s.StartAge);
    s.Response.Days.reserve(most);
    if (males) s.Response.Males.reserve(most);
    if (females) s.Response.Females.reserve(most);
    Grid* grid = DailyGrid(s);
    int day = s.StartAge;
    while (s.DayGrowth(0, day) < s.FinalWeight) {
        GrownDay m, f;
        if ((males && !malePig.Grow(m)) || (females && !femalePig.Grow(f))) {
            s.RunFailed = true;
            return;
        }
        ResponseDayFigures figures;
        if (males) s.Response.Males.push_back(FiguresOf(day, m));
        if (females) s.Response.Females.push_back(FiguresOf(day, f));
        figures = males && females ? MeanOf(s.Response.Males.back(), s.Response.Females.back())
                                   : (males ? s.Response.Males.back() : s.Response.Females.back());
        const double nextWeight =
            males && females ? 0.5 * (malePig.Weight() + femalePig.Weight()) : (males ? malePig : femalePig).Weight();
        const double feed = figures.FeedSupplied;
        // The diet of the mean pig's day, by the documented changeover.
        const response::DayDiet today = mean.Today(programme);
        const double allotmentEnd = mean.AllotmentEnd(programme);
        figures.Diet = today.Diet;
        figures.NextDiet = today.Next;
        figures.DietShare = today.Share;
        if (today.Next) figures.FeedShare = feed > 0 ? std::clamp((allotmentEnd - mean.Supplied) / feed, 0.0, 1.0) : 1.0;
        const int cur = s.CurrentDietIndex;
        const bool ranOut = mean.Count(programme, feed);

        s.DayFeed(0, day + 1) = feed;
        s.CumFeed(s.SimSex) += feed;
        if (males) s.DayFeed(1, day + 1) = m.FeedSupplied;
        if (females) s.DayFeed(2, day + 1) = f.FeedSupplied;
        if (grid) {
            const int row = day - s.StartAge + 2;
            const double shown = ConvertWeight(s, 2, feed);
            WriteCell(*grid, row, kColDayFeed, FormatPattern(shown, "##.0"));
            WriteCell(*grid, row, kColCumFeed, FormatPattern(CellValue(*grid, row - 1, kColCumFeed) + shown, "###.0"));
        }
        if (ranOut) {
            s.DietResults(cur, 1) = day;
            s.DietResults(cur, 2) = s.DayGrowth(0, day);
            s.DietResults(cur, 3) = s.DietResults(cur - 1, 3) + s.DietFeedAmount(cur);
            s.CurrentDietIndex = static_cast<int16_t>(cur + 1);
        }
        if (s.CurrentDietIndex > s.DietCount) {
            s.CurrentDietIndex = s.DietCount;
            s.DietResults(s.DietCount, 3) = s.CumFeed(s.SimSex);
        }
        if (day > kLastStoredDay - 1) break;
        s.Response.Days.push_back(figures);
        s.DayGrowth(0, day + 1) = nextWeight;
        s.DayGrowth(1, day + 1) = males ? malePig.Weight() : 0;
        s.DayGrowth(2, day + 1) = females ? femalePig.Weight() : 0;
        s.BodyFat(0, day + 1) = males && females ? 0.5 * (malePig.Body().Lipid + femalePig.Body().Lipid)
                                                 : (males ? malePig : femalePig).Body().Lipid;
        s.RunLastDay = static_cast<int16_t>(day + 1);
        if (grid) {
            const int row = day - s.StartAge + 1;
            WriteCell(*grid, row, kColWeight, FormatPattern(ConvertWeight(s, 2, s.DayGrowth(0, day)), "###.#"));
            WriteCell(*grid, row, kColAge, std::to_string(day));
        }
        ++day;
    }
    if (!males)
        for (int d = s.StartAge; d <= 199; ++d) s.DayGrowth(1, d) = 0;
    if (!females)
        for (int d = s.StartAge; d <= 199; ++d) s.DayGrowth(2, d) = 0;
    if (s.FinalAge == 0) s.FinalAge = day;
    if (s.DayGrowth(0, day) >= s.FinalWeight) {
        FinishRun(s, day);
        // The feed to the final age: every whole day, and of the last day
        // the part the pig needed to reach the final weight.
        if (day > s.StartAge) {
            const double share = s.FinalAge - (day - 1);
            double total = 0;
            for (int d = s.StartAge; d < day - 1; ++d) total += s.DayFeed(0, d + 1);
            total += share * s.DayFeed(0, day);
            for (int d = s.StartAge + 1; d <= std::min(day, 199); ++d)
                s.CumFeedByDay(4, d) = s.CumFeedByDay(4, d - 1) + (d == day ? share : 1.0) * s.DayFeed(0, d);
            s.CumFeed(s.SimSex) = total;
        }
        if (!s.Response.Days.empty()) {
            const double part = s.FinalAge - s.Response.Days.back().Age;
            s.Response.Days.back().Share = std::clamp(part, 0.0, 1.0);
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
    const bool males = GrowsMales(herdSex), females = GrowsFemales(herdSex);
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
