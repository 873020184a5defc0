#include "calibration/CorCoef.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/RuntimeError.h"

namespace tarvisol {
namespace {

std::string SignedOne(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+.1f", v);
    return buf;
}

}  // namespace

double CorrelationCoefficient(SharedState& s, const CorrelationPairs& pairs) {
    try {
        const int n = s.DietCount;
        if (n < 1) throw RuntimeError(11, "Division by zero");
        double sx = 0, sy = 0;
        for (int i = 1; i <= n; ++i) {
            sx += pairs(i, 1);
            sy += pairs(i, 2);
        }
        const double mx = sx / n, my = sy / n;
        // The sums of products taken about the means: the same r as from the
        // raw sums, without the cancellation that makes a constant column
        // give a tiny negative variance or a huge r.
        double sxy = 0, sxx = 0, syy = 0;
        for (int i = 1; i <= n; ++i) {
            const double dx = pairs(i, 1) - mx, dy = pairs(i, 2) - my;
            sxy += dx * dy;
            sxx += dx * dx;
            syy += dy * dy;
        }
        const double root = std::sqrt(sxx * syy);
        if (root == 0 || !std::isfinite(root)) return 0;
        return sxy / root;
    } catch (const std::exception&) {
        DialogsOf(s).Message("Error in module CorrelationCoefficient!", "Attention!");
        return 0;
    }
}

FitDiagnostics FillTest(SharedState& s) {
    if (!s.Main) return {};
    const int n = s.DietCount;
    if (n < 1) return {};
    const FitDiagnostics diagnostics = DiagnoseFit(s, CurveInForce(s));
    Grid& g = s.Main->Grid1;
    auto put = [&](int r, int c, std::string text) {
        g.EnsureCell(r, c);
        g.SetTextMatrix(r, c, std::move(text));
    };
    auto cell = [&](int r, int c) {
        return r < g.Rows() && c < g.Cols() ? NumVal(std::string_view(g.TextMatrix(r, c))) : 0.0;
    };
    const auto& t = s.CalibWeightTable;
    // The block's rows of an earlier press go first, so that no old number
    // stays among the new ones.
    for (int r = kFillTestRow; r <= kFillTestLastRow && r < g.Rows(); ++r)
        for (int c = 0; c <= 4 && c < g.Cols(); ++c)
            if (!g.TextMatrix(r, c).empty()) g.SetTextMatrix(r, c, {});
    put(kFillTestRow, 0, "Measured");
    put(kFillTestRow, 3, "Curve - measured");
    double feed = 0;
    CorrelationPairs weight{}, age{}, cum{};
    for (int k = 1; k <= n; ++k) {
        const int row = kFillTestRow + k;
        const int m = std::min(k + 1, 15);  // measured table row of point k
        feed += t(2, m);
        put(row, 1, FormatAuto(t(1, m)));
        put(row, 2, FormatAuto(t(0, m)));
        put(row, 4, FormatAuto(feed));
        for (const WeighingResidual& r : diagnostics.weighings)
            if (r.row == m)
                put(row, 3, SignedOne(r.residual) + " kg (" + SignedOne(100 * r.residualShare) + " %)");
        if (k <= CorrelationPairs::Upper0) {
            weight(k, 1) = t(1, m);
            weight(k, 2) = cell(k, 1);
            age(k, 1) = t(0, m);
            age(k, 2) = cell(k, 2);
            cum(k, 1) = feed;
            cum(k, 2) = cell(k, 4);
        }
    }
    const double r1 = CorrelationCoefficient(s, weight);
    const double r2 = CorrelationCoefficient(s, age);
    const double r3 = CorrelationCoefficient(s, cum);
    const int row = kFillTestRow + n + 1;
    put(row, 0, "Correl.");
    put(row, 1, FormatPrecise(r1));
    put(row, 2, FormatPrecise(r2));
    put(row, 4, FormatPrecise(r3));
    return diagnostics;
}

}  // namespace tarvisol
