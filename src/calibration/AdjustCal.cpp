#include "calibration/AdjustCal.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/Units.h"

namespace tarvisol {
namespace {

double Cell(const Grid& g, int row, int col) {
    if (row < 0 || col < 0 || row >= g.Rows() || col >= g.Cols()) return 0;
    return NumVal(std::string_view(g.TextMatrix(row, col)));
}

void Put(Grid& g, int row, int col, std::string text) {
    g.EnsureCell(row, col);
    g.SetTextMatrix(row, col, std::move(text));
}

// The general number format: up to fifteen significant digits.
std::string General(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

void LoadAdjustCal(SharedState& s, AdjustCalWindow& form) {
    Grid& g = form.GridTest;
    static const char* heads[] = {"", "B0", "B1", "B2", "B3", "B4", "Final Age", "Total Feed"};
    for (int c = 1; c <= 7; ++c) Put(g, 0, c, heads[c]);
    if (s.Main) {
        const Grid& curve = s.Main->GridWeight;
        s.RunResults(0) = Cell(curve, 1, 0);
        for (int c = 1; c <= 5; ++c) Put(g, 1, c, c < curve.Cols() && curve.Rows() > 1 ? curve.TextMatrix(1, c) : "");
    } else {
        s.RunResults(0) = 0;
        for (int c = 1; c <= 5; ++c) Put(g, 1, c, FormatExact(s.GrowthCurve(0, c - 1)));
    }
    s.FitPass = 99;
    Put(g, 1, 0, FormatAuto(s.RunResults(0)));
    Put(g, 1, 6, FormatAuto(s.CalibInputs(5)));
    Put(g, 1, 7, FormatAuto(s.CalibInputs(4)));
    Put(g, 0, 0, "1");
    s.CheckError = s.CalibError;
    for (int k = 0; k <= 4; ++k) s.GrowthCurve(1, k) = s.GrowthCurve(0, k);
    s.GrowthCurve(0, 5) = 99;
    form.Visible = true;
}

void AdjustCalRun(SharedState& s, AdjustCalWindow& form, const FitOptions& options) {
    Grid& g = form.GridTest;
    // 1.
    s.UseWeightTerm = true;
    s.WhatShown = false;
    form.Text1.Text.clear();
    // The curve shown on the main window, put back with the curve in force.
    std::vector<std::string> shown;
    if (s.Main)
        for (int c = 1; c <= 5; ++c) shown.push_back(c < s.Main->GridWeight.Cols() ? s.Main->GridWeight.TextMatrix(1, c) : "");

    // 2. The trial row (kept inside the grid, with room for its result row).
    const double wanted = RoundHalfEven(Cell(g, 0, 0));
    int r = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(std::max(1, g.Rows() - 3))));
    if (Cell(g, r, 1) == 0) ++r;
    double b[5];
    for (int k = 0; k < 5; ++k) {
        s.GrowthCurve(0, k) = Cell(g, r, k + 1);
        s.GrowthCurve(2, k) = s.GrowthCurve(0, k);
        b[k] = s.GrowthCurve(0, k);
    }
    const bool daily = s.ShowDailyProgress;
    s.ShowDailyProgress = false;
    EvaluateFit(s);
    if (options.growthRuns) ++*options.growthRuns;

    // 3., 4. The points; the start of every run is the same.
    std::vector<CurvePoint> points;
    points.reserve(7776);
    for (int i0 = 0; i0 <= 5; ++i0)
        for (int i1 = 0; i1 <= 5; ++i1)
            for (int i2 = 0; i2 <= 5; ++i2)
                for (int i3 = 0; i3 <= 5; ++i3)
                    for (int i4 = 0; i4 <= 5; ++i4)
                        points.push_back({b[0] + (i0 - 3) * 0.1, b[1] * (1 + (i1 - 3) * 0.005),
                                          b[2] * (1 + (i2 - 3) * 0.005), b[3] * (1 + (i3 - 3) * 0.0005),
                                          b[4] * (1 + (i4 - 3) * 0.005)});
    const double startDay = RoundHalfEven(s.CalibInputs(2));
    if (startDay >= 0 && startDay <= 200) {
        s.StartAge = static_cast<int16_t>(startDay);
        s.CurrentDietIndex = 1;
        s.SlotFeedTotal(s.SimSex) = 0;
        s.DayGrowth(0, s.StartAge) = ConvertWeight(s, 1, s.CalibInputs(1));
        s.RunFailed = false;
        s.FinalWeight = ConvertWeight(s, 1, s.CalibInputs(3));
        // 5.
        const int out = r + 2;
        EvaluatePoints(s, points, options, "Calibration test", [&](SharedState& st) {
            if (!(st.CalibError < st.CheckError)) return;
            Put(g, out, 0, FormatAuto(st.CalibError));
            for (int k = 0; k < 5; ++k)
                Put(g, out, k + 1, k == 3 ? FormatPattern(st.GrowthCurve(0, k), "0.000000") : General(st.GrowthCurve(0, k)));
            Put(g, out, 6, General(st.FinalAge));
            Put(g, out, 7, General(ConvertWeight(st, 2, st.SimTotalFeed)));
            st.CheckError = st.CalibError;
        });
    }
    s.ShowDailyProgress = daily;

    // 6.
    for (int k = 0; k <= 4; ++k) s.GrowthCurve(0, k) = s.GrowthCurve(1, k);
    if (s.Main)
        for (int c = 1; c <= 5; ++c) Put(s.Main->GridWeight, 1, c, shown[static_cast<std::size_t>(c - 1)]);
    // A stopped test says so: the best point shown is then only the best of
    // the points tried before the stop.
    const bool stopped = options.progress && options.progress->Cancelled();
    form.Text1.Text = stopped ? "Calibration test cancelled" : "Done";
}

}  // namespace tarvisol
