#include "formulation/LpElastic.h"

#include <ClpSimplex.hpp>
#include <CoinError.hpp>
#include <CoinMessageHandler.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>

#include "formulation/ClpQuietHandler.h"

namespace tarvisol {
namespace {

// Magnitudes no feed matrix or limit reaches (as for the diets' own solves).
constexpr double kMaxCoefficient = 1e12;
constexpr double kMaxRightHandSide = 1e15;

bool Usable(double a, double limit) { return std::isfinite(a) && std::fabs(a) <= limit; }

ElasticResult Solve(int n, const std::vector<ElasticRow>& rows) {
    ElasticResult out;
    const int k = static_cast<int>(rows.size());
    for (const ElasticRow& r : rows) {
        if (static_cast<int>(r.coef.size()) != n || !Usable(r.rhs, kMaxRightHandSide) || !(r.costPerUnit >= 0) ||
            !std::isfinite(r.costPerUnit))
            return out;
        for (double a : r.coef)
            if (!Usable(a, kMaxCoefficient)) return out;
    }

    // Columns: the n amounts, then one violation column per relaxable side of a row.
    std::vector<CoinBigIndex> start{0};
    std::vector<int> index;
    std::vector<double> value, colLo, colUp, cost;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < k; ++i) {
            const double a = rows[static_cast<std::size_t>(i)].coef[static_cast<std::size_t>(j)];
            if (a != 0) {
                index.push_back(i);
                value.push_back(a);
            }
        }
        start.push_back(static_cast<CoinBigIndex>(index.size()));
        colLo.push_back(0);
        colUp.push_back(COIN_DBL_MAX);
        cost.push_back(0);
    }
    auto addViolation = [&](int i, double sign, double c) {
        index.push_back(i);
        value.push_back(sign);
        start.push_back(static_cast<CoinBigIndex>(index.size()));
        colLo.push_back(0);
        colUp.push_back(COIN_DBL_MAX);
        cost.push_back(c);
    };
    std::vector<double> rowLo(static_cast<std::size_t>(k)), rowUp(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) {
        const ElasticRow& r = rows[static_cast<std::size_t>(i)];
        rowLo[static_cast<std::size_t>(i)] = r.sense < 0 ? -COIN_DBL_MAX : r.rhs;
        rowUp[static_cast<std::size_t>(i)] = r.sense > 0 ? COIN_DBL_MAX : r.rhs;
        if (r.costPerUnit > 0) {
            if (r.sense >= 0) addViolation(i, 1, r.costPerUnit);   // row value may fall short
            if (r.sense <= 0) addViolation(i, -1, r.costPerUnit);  // row value may run over
        }
    }
    const int cols = static_cast<int>(cost.size());

    auto handler = std::make_unique<ClpQuietHandler>();
    ClpSimplex model;
    model.passInMessageHandler(handler.get());
    model.setLogLevel(0);
    model.loadProblem(cols, k, start.data(), index.data(), value.data(), colLo.data(), colUp.data(), cost.data(),
                      rowLo.data(), rowUp.data());
    model.dual();
    if (model.status() != 0 && model.status() != 1 && !handler->severe) model.primal(1);
    if (handler->severe) return out;
    if (model.isProvenPrimalInfeasible()) {
        out.status = ElasticResult::Status::NoFeasiblePoint;
        return out;
    }
    if (!model.isProvenOptimal()) return out;

    const double* x = model.primalColumnSolution();
    out.x.assign(x, x + n);
    for (double& v : out.x) v = std::max(v, 0.0);
    out.violation.assign(static_cast<std::size_t>(k), 0.0);
    for (int i = 0; i < k; ++i) {
        const ElasticRow& r = rows[static_cast<std::size_t>(i)];
        double v = 0, scale = std::fabs(r.rhs);
        for (int j = 0; j < n; ++j) {
            v += r.coef[static_cast<std::size_t>(j)] * out.x[static_cast<std::size_t>(j)];
            scale = std::max(scale, std::fabs(r.coef[static_cast<std::size_t>(j)] * out.x[static_cast<std::size_t>(j)]));
        }
        double over = 0;
        if (r.sense >= 0) over = std::max(over, r.rhs - v);
        if (r.sense <= 0) over = std::max(over, v - r.rhs);
        // What is left within the solver's tolerance is no violation.
        if (over <= 1e-9 * std::max(1.0, scale)) over = 0;
        out.violation[static_cast<std::size_t>(i)] = over;
        out.cost += r.costPerUnit * over;
    }
    out.status = ElasticResult::Status::Solved;
    return out;
}

}  // namespace

ElasticResult SolveElasticLp(int cols, const std::vector<ElasticRow>& rows) {
    if (cols <= 0) return {};
    try {
        return Solve(cols, rows);
    } catch (...) {
        // CoinError, allocation failure or anything else: a failed solve.
        return {};
    }
}

}  // namespace tarvisol
