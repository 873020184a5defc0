#include "formulation/LpRanging.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "formulation/Lprogr.h"

namespace tarvisol {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Entries of a tableau column or row below this are taken as zero. Real
// entries of a feed LP (coefficients from 0.0001 to a few hundred) are far
// above it; taking a true entry as zero would widen a range, so the bar is low.
constexpr double kPivotTolerance = 1e-10;

// A dense LU factorisation with partial pivoting of the basis matrix: at most
// a few hundred rows, so dense is both simple and fast.
class DenseLu {
public:
    // a: k x k, row after row. False when the matrix is singular.
    bool Factor(std::vector<double> a, int k) {
        k_ = k;
        lu_ = std::move(a);
        perm_.resize(static_cast<std::size_t>(k));
        for (int i = 0; i < k; ++i) perm_[static_cast<std::size_t>(i)] = i;
        double scale = 0;
        for (double v : lu_) scale = std::max(scale, std::fabs(v));
        if (!(scale > 0)) return k == 0;
        for (int c = 0; c < k; ++c) {
            int best = c;
            for (int r = c + 1; r < k; ++r)
                if (std::fabs(At(r, c)) > std::fabs(At(best, c))) best = r;
            if (!(std::fabs(At(best, c)) > 1e-12 * scale)) return false;
            if (best != c) {
                for (int j = 0; j < k; ++j) std::swap(At(best, j), At(c, j));
                std::swap(perm_[static_cast<std::size_t>(best)], perm_[static_cast<std::size_t>(c)]);
            }
            const double pivot = At(c, c);
            for (int r = c + 1; r < k; ++r) {
                const double f = At(r, c) / pivot;
                At(r, c) = f;
                if (f == 0) continue;
                for (int j = c + 1; j < k; ++j) At(r, j) -= f * At(c, j);
            }
        }
        return true;
    }
    // B x = b, in place.
    void Solve(std::vector<double>& b) const {
        std::vector<double> t(static_cast<std::size_t>(k_));
        for (int i = 0; i < k_; ++i) t[static_cast<std::size_t>(i)] = b[static_cast<std::size_t>(perm_[static_cast<std::size_t>(i)])];
        for (int i = 0; i < k_; ++i)
            for (int j = 0; j < i; ++j) t[static_cast<std::size_t>(i)] -= At(i, j) * t[static_cast<std::size_t>(j)];
        for (int i = k_ - 1; i >= 0; --i) {
            for (int j = i + 1; j < k_; ++j) t[static_cast<std::size_t>(i)] -= At(i, j) * t[static_cast<std::size_t>(j)];
            t[static_cast<std::size_t>(i)] /= At(i, i);
        }
        b = std::move(t);
    }
    // B^T y = c, in place.
    void SolveTransposed(std::vector<double>& c) const {
        std::vector<double> w = c;
        for (int i = 0; i < k_; ++i) {
            for (int j = 0; j < i; ++j) w[static_cast<std::size_t>(i)] -= At(j, i) * w[static_cast<std::size_t>(j)];
            w[static_cast<std::size_t>(i)] /= At(i, i);
        }
        for (int i = k_ - 1; i >= 0; --i)
            for (int j = i + 1; j < k_; ++j) w[static_cast<std::size_t>(i)] -= At(j, i) * w[static_cast<std::size_t>(j)];
        for (int i = 0; i < k_; ++i) c[static_cast<std::size_t>(perm_[static_cast<std::size_t>(i)])] = w[static_cast<std::size_t>(i)];
    }

private:
    double& At(int r, int c) { return lu_[static_cast<std::size_t>(r) * static_cast<std::size_t>(k_) + static_cast<std::size_t>(c)]; }
    double At(int r, int c) const { return lu_[static_cast<std::size_t>(r) * static_cast<std::size_t>(k_) + static_cast<std::size_t>(c)]; }
    int k_ = 0;
    std::vector<double> lu_;
    std::vector<int> perm_;
};

// Bounds of a variable of the bounded form A x - r = 0: ingredients from 0
// up, row activities within their row's bound.
void Bounds(const LpSolvedDiet& m, int v, double& lo, double& up) {
    if (v < m.cols) {
        lo = 0;
        up = kInf;
        return;
    }
    const std::size_t i = static_cast<std::size_t>(v - m.cols);
    const int sense = m.senses[i];
    lo = sense < 0 ? -kInf : m.rhs[i];
    up = sense > 0 ? kInf : m.rhs[i];
}

// How far a step along `dir` may go from `value` before any basic variable
// leaves its bounds: [low, high] with low <= 0 <= high.
void RatioTest(const std::vector<double>& value, const std::vector<double>& dir, const std::vector<double>& lo,
               const std::vector<double>& up, double& low, double& high) {
    low = -kInf;
    high = kInf;
    for (std::size_t p = 0; p < value.size(); ++p) {
        const double u = dir[p];
        if (std::fabs(u) <= kPivotTolerance) continue;
        const double room_up = std::max(up[p] - value[p], 0.0);
        const double room_down = std::max(value[p] - lo[p], 0.0);
        if (u > 0) {
            high = std::min(high, room_up / u);
            low = std::max(low, -room_down / u);
        } else {
            high = std::min(high, room_down / -u);
            low = std::max(low, -room_up / -u);
        }
    }
}

}  // namespace

std::string RangeLastLpSolve(const LpSolverCache& cache, int diet, LpRanging& out) {
    out = {};
    LpSolvedDiet m;
    if (!LastOptimalLpSolve(cache, diet, m)) return "no optimal solve of this diet is kept";
    const int n = m.cols;
    const int k = static_cast<int>(m.senses.size());
    auto coef = [&](int i, int j) { return m.coef[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j)]; };

    // The basis: ingredient columns and row activities, in one numbering.
    std::vector<int> basis;
    std::vector<int> position(static_cast<std::size_t>(n + k), -1);
    for (int j = 0; j < n; ++j)
        if (m.basicColumn[static_cast<std::size_t>(j)]) basis.push_back(j);
    for (int i = 0; i < k; ++i)
        if (m.basicRow[static_cast<std::size_t>(i)]) basis.push_back(n + i);
    if (static_cast<int>(basis.size()) != k) return "the solver's final basis is incomplete";
    for (int p = 0; p < k; ++p) position[static_cast<std::size_t>(basis[static_cast<std::size_t>(p)])] = p;

    std::vector<double> b(static_cast<std::size_t>(k) * static_cast<std::size_t>(k), 0.0);
    for (int p = 0; p < k; ++p) {
        const int v = basis[static_cast<std::size_t>(p)];
        for (int i = 0; i < k; ++i)
            b[static_cast<std::size_t>(i) * static_cast<std::size_t>(k) + static_cast<std::size_t>(p)] =
                v < n ? coef(i, v) : (v - n == i ? -1.0 : 0.0);
    }
    DenseLu lu;
    if (!lu.Factor(std::move(b), k)) return "the solver's final basis is singular";

    // Basic values: B z = the right-hand sides of the rows held at their bound.
    std::vector<double> z(static_cast<std::size_t>(k), 0.0);
    for (int i = 0; i < k; ++i)
        if (!m.basicRow[static_cast<std::size_t>(i)]) z[static_cast<std::size_t>(i)] = m.rhs[static_cast<std::size_t>(i)];
    lu.Solve(z);
    std::vector<double> activity(static_cast<std::size_t>(k), 0.0);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < n; ++j) activity[static_cast<std::size_t>(i)] += coef(i, j) * m.x[static_cast<std::size_t>(j)];
    for (int j = 0; j < n; ++j) {
        const double x = m.x[static_cast<std::size_t>(j)];
        const int p = position[static_cast<std::size_t>(j)];
        const double mine = p >= 0 ? z[static_cast<std::size_t>(p)] : 0.0;
        if (std::fabs(mine - x) > 1e-6 * (1 + std::fabs(x))) return "the solver's final basis does not give its solution";
    }

    // Duals: B^T y = the prices of the basic variables (a row activity costs nothing).
    std::vector<double> y(static_cast<std::size_t>(k), 0.0);
    for (int p = 0; p < k; ++p) {
        const int v = basis[static_cast<std::size_t>(p)];
        y[static_cast<std::size_t>(p)] = v < n ? m.prices[static_cast<std::size_t>(v)] : 0.0;
    }
    lu.SolveTransposed(y);
    double priceScale = 1;
    for (double c : m.prices) priceScale = std::max(priceScale, std::fabs(c));
    const double dualTolerance = 1e-6 * priceScale;

    // Reduced costs of every variable; a basic one has none.
    std::vector<double> d(static_cast<std::size_t>(n + k), 0.0);
    for (int j = 0; j < n; ++j) {
        if (position[static_cast<std::size_t>(j)] >= 0) continue;
        double dj = m.prices[static_cast<std::size_t>(j)];
        for (int i = 0; i < k; ++i) dj -= y[static_cast<std::size_t>(i)] * coef(i, j);
        if (dj < -dualTolerance) return "the solver's final basis is not optimal";
        d[static_cast<std::size_t>(j)] = dj;
    }
    for (int i = 0; i < k; ++i) {
        if (m.basicRow[static_cast<std::size_t>(i)]) continue;
        const double yi = y[static_cast<std::size_t>(i)];
        const int sense = m.senses[static_cast<std::size_t>(i)];
        if ((sense > 0 && yi < -dualTolerance) || (sense < 0 && yi > dualTolerance))
            return "the solver's final basis is not optimal";
        d[static_cast<std::size_t>(n + i)] = yi;
    }

    std::vector<double> lo(static_cast<std::size_t>(k)), up(static_cast<std::size_t>(k));
    for (int p = 0; p < k; ++p) Bounds(m, basis[static_cast<std::size_t>(p)], lo[static_cast<std::size_t>(p)], up[static_cast<std::size_t>(p)]);

    out.rows.resize(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) {
        LpRowRange& r = out.rows[static_cast<std::size_t>(i)];
        r.tableRow = m.tableRows[static_cast<std::size_t>(i)];
        r.sense = m.senses[static_cast<std::size_t>(i)];
        r.rhs = m.rhs[static_cast<std::size_t>(i)];
        r.activity = activity[static_cast<std::size_t>(i)];
        r.basic = m.basicRow[static_cast<std::size_t>(i)] != 0;
        if (r.basic) {
            // Not held by its bound: the limit may move up to the row's value.
            r.dual = 0;
            r.rhsLow = r.sense > 0 ? -kInf : r.activity;
            r.rhsHigh = r.sense < 0 ? kInf : r.activity;
            if (r.sense > 0) r.rhsHigh = std::max(r.activity, r.rhs);
            if (r.sense < 0) r.rhsLow = std::min(r.activity, r.rhs);
            if (r.sense == 0) r.rhsLow = r.rhsHigh = r.rhs;
            continue;
        }
        r.dual = y[static_cast<std::size_t>(i)];
        std::vector<double> u(static_cast<std::size_t>(k), 0.0);
        u[static_cast<std::size_t>(i)] = 1;
        lu.Solve(u);
        double low, high;
        RatioTest(z, u, lo, up, low, high);
        r.rhsLow = r.rhs + low;
        r.rhsHigh = r.rhs + high;
    }

    out.columns.resize(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        LpColumnRange& c = out.columns[static_cast<std::size_t>(j)];
        c.x = m.x[static_cast<std::size_t>(j)];
        c.price = m.prices[static_cast<std::size_t>(j)];
        out.objective += c.price * c.x;
        const int p = position[static_cast<std::size_t>(j)];
        c.basic = p >= 0;
        if (!c.basic) {
            // Left out: it stays out until its price falls by its reduced cost.
            c.reducedCost = std::max(d[static_cast<std::size_t>(j)], 0.0);
            c.priceLow = c.price - c.reducedCost;
            c.priceHigh = kInf;
            continue;
        }
        // In the basis: a price change moves every reduced cost along the
        // column's row of the tableau; the basis holds while none changes sign.
        std::vector<double> rho(static_cast<std::size_t>(k), 0.0);
        rho[static_cast<std::size_t>(p)] = 1;
        lu.SolveTransposed(rho);
        double low = -kInf, high = kInf;
        for (int v = 0; v < n + k; ++v) {
            if (position[static_cast<std::size_t>(v)] >= 0) continue;
            int sign;  // +1: the reduced cost must stay >= 0; -1: <= 0; 0: free
            double alpha;
            if (v < n) {
                sign = 1;
                alpha = 0;
                for (int i = 0; i < k; ++i) alpha += rho[static_cast<std::size_t>(i)] * coef(i, v);
            } else {
                sign = m.senses[static_cast<std::size_t>(v - n)];
                alpha = -rho[static_cast<std::size_t>(v - n)];
            }
            if (sign == 0 || std::fabs(alpha) <= kPivotTolerance) continue;
            // Reduced cost after a price change of delta: dv - delta * alpha.
            const double dv = sign > 0 ? std::max(d[static_cast<std::size_t>(v)], 0.0) : std::min(d[static_cast<std::size_t>(v)], 0.0);
            const double bound = dv / alpha;
            if ((sign > 0) == (alpha > 0))
                high = std::min(high, bound);
            else
                low = std::max(low, bound);
        }
        c.reducedCost = 0;
        c.priceLow = c.price + std::min(low, 0.0);
        c.priceHigh = c.price + std::max(high, 0.0);
    }
    return {};
}

}  // namespace tarvisol
