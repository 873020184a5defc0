#include "formulation/Lprogr.h"

#include <ClpSimplex.hpp>
#include <CoinError.hpp>
#include <CoinMessageHandler.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "formulation/ClpQuietHandler.h"
#include "shared/FormulationState.h"

namespace tarvisol {
namespace {

// One diet's model: the rows CLP was given and, after an optimal solve, the
// basis it ended on.
struct DietModel {
    std::unique_ptr<ClpQuietHandler> handler;  // declared before the model: it must outlive it
    std::unique_ptr<ClpSimplex> model;
    bool ready = false;
    int cols = 0;
    std::vector<int> senses;
    std::vector<double> coef;  // kept rows x cols, row after row
    std::vector<int> tableRows;    // LP table row (1-based) of each kept row
    std::vector<double> rhs;       // right-hand side of each kept row
    std::vector<double> prices;    // objective of the last solve, ingredient j at j - 1
    bool optimal = false;      // the last solve ended on an optimal basis
    // The last solve started on new solver objects from the slack basis (or
    // repeated the solution of one that did).
    bool fresh = false;
    // Stands for no model at all until the next solve (FreshUnlessRepeated).
    bool stale = false;
    // A basis the next solve starts from after loading its rows afresh.
    bool pending = false;
    LpBasis start;
    // The table as the last solve was given it: its m rows of the right-hand
    // side and every column, row after row of each column, and the senses.
    int givenRows = -1, givenCols = -1;
    std::vector<double> givenTable;
    std::vector<int32_t> givenSenses;
    // The table the kept rows were last gathered from: its m rows of every
    // ingredient column, column after column, its senses, and which of its
    // rows have a coefficient. A table with these same coefficients and
    // senses keeps the same rows unless a right-hand side drops one.
    int gatheredRows = -1, gatheredCols = -1;
    std::vector<double> gatheredCoef;
    std::vector<int32_t> gatheredSenses;
    std::vector<unsigned char> gatheredAny;
};

// The call lays out exactly the table, senses and prices of the last solve.
bool SameAsGiven(const DietModel& dm, int m, int n, const double* table, const int32_t* senses,
                 const double* prices) {
    if (dm.givenRows != m || dm.givenCols != n || static_cast<int>(dm.prices.size()) != n) return false;
    const std::size_t rows = static_cast<std::size_t>(m);
    for (int j = 0; j <= n; ++j)
        if (std::memcmp(table + static_cast<std::size_t>(kLpMaxRows) * static_cast<std::size_t>(j),
                        dm.givenTable.data() + rows * static_cast<std::size_t>(j), rows * sizeof(double)) != 0)
            return false;
    return std::memcmp(senses, dm.givenSenses.data(), rows * sizeof(int32_t)) == 0 &&
           std::memcmp(prices + 1, dm.prices.data(), static_cast<std::size_t>(n) * sizeof(double)) == 0;
}

void KeepGiven(DietModel& dm, int m, int n, const double* table, const int32_t* senses) {
    const std::size_t rows = static_cast<std::size_t>(m);
    dm.givenRows = m;
    dm.givenCols = n;
    dm.givenTable.resize(rows * static_cast<std::size_t>(n + 1));
    for (int j = 0; j <= n; ++j)
        std::memcpy(dm.givenTable.data() + rows * static_cast<std::size_t>(j),
                    table + static_cast<std::size_t>(kLpMaxRows) * static_cast<std::size_t>(j), rows * sizeof(double));
    dm.givenSenses.assign(senses, senses + m);
}

// The table has the coefficients and senses the kept rows were last gathered from.
bool SameCoefficients(const DietModel& dm, int m, int n, const double* table, const int32_t* senses) {
    if (dm.gatheredRows != m || dm.gatheredCols != n) return false;
    const std::size_t rows = static_cast<std::size_t>(m);
    if (std::memcmp(senses, dm.gatheredSenses.data(), rows * sizeof(int32_t)) != 0) return false;
    for (int j = 1; j <= n; ++j)
        if (std::memcmp(table + static_cast<std::size_t>(kLpMaxRows) * static_cast<std::size_t>(j),
                        dm.gatheredCoef.data() + rows * static_cast<std::size_t>(j - 1), rows * sizeof(double)) != 0)
            return false;
    return true;
}

struct Context {
    std::array<DietModel, 9> diets;  // by diet number; slot 0 for anything else
    LpSolveInfo last;
    // Working copies of the rows of the current call; they only grow.
    std::vector<int> senses, tableRows;
    std::vector<double> coef, rhs;
    std::vector<unsigned char> any;  // table row has a coefficient
    std::vector<CoinBigIndex> start;
    std::vector<int> index;
    std::vector<double> value, colLo, colUp, rowLo, rowUp;
};

Context& ContextOf(LpSolverCache& cache) {
    if (!cache.Get()) cache.Set(new Context, [](void* p) { delete static_cast<Context*>(p); });
    return *static_cast<Context*>(cache.Get());
}

// Magnitudes no feed matrix or limit reaches. Beyond them CLP's own checks
// could end the process, so such a programme is a failed solve instead.
constexpr double kMaxCoefficient = kLpMaxCoefficient;
constexpr double kMaxRightHandSide = kLpNoLimit;
// Coefficients this small are taken as zero.
constexpr double kTinyCoefficient = 1e-30;

bool Usable(double a, double limit) { return std::isfinite(a) && std::fabs(a) <= limit; }

void RowBounds(int sense, double rhs, double& lo, double& up) {
    const double inf = COIN_DBL_MAX;
    if (sense > 0) {
        lo = rhs;
        up = inf;
    } else if (sense < 0) {
        lo = -inf;
        up = rhs;
    } else {
        lo = up = rhs;
    }
}

// Ends on an optimal basis or says why not: true when proven optimal. Every
// solve factorizes its starting basis afresh (CLP could keep the last
// factorization, but then a solution would depend on the solves before it,
// and threads sharing out a sweep would no longer give one answer).
bool Run(DietModel& dm) {
    dm.handler->severe = false;
    dm.model->dual();
    const int st = dm.model->status();
    if (st != 0 && st != 1 && !dm.handler->severe) {
        // Stopped for another reason (iteration limit, numerical trouble):
        // let the primal simplex finish from where the dual one ended.
        dm.model->primal(1);
    }
    return dm.model->isProvenOptimal() && !dm.handler->severe;
}

// The stored optimal solution of the diet's model, given again: primal
// values, then the reduced costs.
void RepeatSolution(Context& ctx, const DietModel& dm, int n, double* solution, bool warm) {
    ctx.last.keptRows = static_cast<int>(dm.senses.size());
    ctx.last.warm = warm;
    ctx.last.optimal = true;
    const double* x = dm.model->primalColumnSolution();
    const double* dj = dm.model->dualColumnSolution();
    for (int j = 0; j < n; ++j) {
        solution[j] = x[j];
        solution[kLpMaxColumns + j] = dj[j];
    }
}

void Solve(Context& ctx, int diet, int m, int n, const double* table, const int32_t* senses, const double* prices,
           double* solution) {
    ctx.last = {};
    DietModel& dm = ctx.diets[static_cast<std::size_t>(diet >= 1 && diet <= 8 ? diet : 0)];
    bool repeat = dm.optimal && !dm.pending && dm.ready && SameAsGiven(dm, m, n, table, senses, prices);
    if (dm.stale) {
        // A fresh cache would solve from the slack basis on new objects: the
        // solution of such a solve of this very table stands, else it is done.
        repeat = repeat && dm.fresh;
        if (!repeat) {
            const bool pending = dm.pending;
            LpBasis start = std::move(dm.start);
            dm.model.reset();
            dm.handler.reset();
            dm = DietModel{};
            dm.pending = pending;
            dm.start = std::move(start);
        }
        dm.stale = false;
        if (repeat) {
            RepeatSolution(ctx, dm, n, solution, false);
            return;
        }
    }
    if (repeat) {
        // Nothing changed since the last optimal solve (a Growth run
        // formulating the same diets again): its solution stands.
        RepeatSolution(ctx, dm, n, solution, true);
        return;
    }
    dm.optimal = false;
    dm.fresh = false;
    dm.givenRows = -1;

    // Gather the rows that have a coefficient; an all-zero row constrains nothing.
    ctx.senses.clear();
    ctx.tableRows.clear();
    ctx.rhs.clear();
    ctx.coef.clear();
    // A very large maximum (or a very negative minimum) limits nothing.
    const auto limitsNothing = [&](int r, double b) {
        return (senses[r] < 0 && b >= kMaxRightHandSide) || (senses[r] > 0 && b <= -kMaxRightHandSide);
    };
    // Row r kept with its right-hand side: kKept; kLimitsNothing when it is
    // left out; kUnusable when the solve cannot go on.
    enum { kUnusable, kLimitsNothing, kKept };
    const auto keepRow = [&](int r) {
        const double b = table[r];
        if (limitsNothing(r, b)) return kLimitsNothing;
        if (!Usable(b, kMaxRightHandSide)) return kUnusable;
        ctx.senses.push_back(senses[r]);
        ctx.tableRows.push_back(r + 1);
        ctx.rhs.push_back(b);
        return kKept;
    };
    bool gathered = false;
    if (dm.ready && dm.model && dm.cols == n && SameCoefficients(dm, m, n, table, senses)) {
        // The coefficients the model holds: only the right-hand sides are
        // read again, and the rows they keep must be the model's (loaded
        // afresh from its own copy of them when a basis is to start it).
        for (int r = 0; r < m; ++r) {
            if (!dm.gatheredAny[static_cast<std::size_t>(r)]) continue;
            if (keepRow(r) == kUnusable) return;
        }
        gathered = ctx.tableRows == dm.tableRows;
    }
    if (!gathered) {
        ctx.senses.clear();
        ctx.tableRows.clear();
        ctx.rhs.clear();
        ctx.coef.clear();
        ctx.any.assign(static_cast<std::size_t>(m), 0);
        for (int r = 0; r < m; ++r) {
            bool any = false;
            for (int j = 1; j <= n; ++j) {
                const double a = table[r + kLpMaxRows * j];
                if (!Usable(a, kMaxCoefficient)) return;
                any = any || std::fabs(a) > kTinyCoefficient;
            }
            ctx.any[static_cast<std::size_t>(r)] = any ? 1 : 0;
            if (!any) continue;
            const auto kept = keepRow(r);
            if (kept == kUnusable) return;
            if (kept == kLimitsNothing) continue;
            for (int j = 1; j <= n; ++j) {
                const double a = table[r + kLpMaxRows * j];
                ctx.coef.push_back(std::fabs(a) > kTinyCoefficient ? a : 0.0);
            }
        }
    }
    for (int j = 1; j <= n; ++j)
        if (!Usable(prices[j], kMaxCoefficient)) return;
    const int k = static_cast<int>(ctx.senses.size());
    ctx.last.keptRows = k;

    const bool same = !dm.pending && dm.ready && dm.model && dm.cols == n &&
                      (gathered || (dm.senses == ctx.senses && dm.coef == ctx.coef));
    const std::vector<double>& coef = gathered ? dm.coef : ctx.coef;
    bool optimal = false;
    if (same) {
        // Same rows and coefficients: only limits and prices may differ. The
        // dual simplex restarts from the basis the last solve ended on.
        ctx.last.warm = true;
        for (int i = 0; i < k; ++i) {
            double lo, up;
            RowBounds(ctx.senses[static_cast<std::size_t>(i)], ctx.rhs[static_cast<std::size_t>(i)], lo, up);
            dm.model->setRowBounds(i, lo, up);
        }
        for (int j = 0; j < n; ++j) dm.model->setObjectiveCoefficient(j, prices[j + 1]);
        optimal = Run(dm);
        if (!optimal) {
            // Prove it from scratch before calling the diet unsolvable.
            dm.model->allSlackBasis(true);
            optimal = Run(dm);
        }
    } else {
        ctx.start.assign(static_cast<std::size_t>(n) + 1, 0);
        ctx.index.clear();
        ctx.value.clear();
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < k; ++i) {
                const double a = coef[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) + static_cast<std::size_t>(j)];
                if (a != 0) {
                    ctx.index.push_back(i);
                    ctx.value.push_back(a);
                }
            }
            ctx.start[static_cast<std::size_t>(j) + 1] = static_cast<CoinBigIndex>(ctx.index.size());
        }
        ctx.colLo.assign(static_cast<std::size_t>(n), 0.0);
        ctx.colUp.assign(static_cast<std::size_t>(n), COIN_DBL_MAX);
        ctx.rowLo.resize(static_cast<std::size_t>(k));
        ctx.rowUp.resize(static_cast<std::size_t>(k));
        for (int i = 0; i < k; ++i)
            RowBounds(ctx.senses[static_cast<std::size_t>(i)], ctx.rhs[static_cast<std::size_t>(i)],
                      ctx.rowLo[static_cast<std::size_t>(i)], ctx.rowUp[static_cast<std::size_t>(i)]);
        dm.ready = false;
        bool fresh = !dm.model;
        if (!dm.model) {
            dm.handler = std::make_unique<ClpQuietHandler>();
            dm.model = std::make_unique<ClpSimplex>();
            dm.model->passInMessageHandler(dm.handler.get());
            dm.model->setLogLevel(0);
        }
        dm.model->loadProblem(n, k, ctx.start.data(), ctx.index.data(), ctx.value.data(), ctx.colLo.data(),
                              ctx.colUp.data(), prices + 1, ctx.rowLo.data(), ctx.rowUp.data());
        dm.cols = n;
        dm.senses = ctx.senses;
        if (!gathered) dm.coef = ctx.coef;
        if (dm.pending && dm.start.rows == k && dm.start.cols == n &&
            dm.start.status.size() == static_cast<std::size_t>(k + n)) {
            dm.model->copyinStatus(dm.start.status.data());
            fresh = false;
        }
        dm.pending = false;
        optimal = Run(dm);
        dm.fresh = fresh;
    }
    if (!gathered) {
        // The model's rows came from this table.
        const std::size_t rows = static_cast<std::size_t>(m);
        dm.gatheredRows = m;
        dm.gatheredCols = n;
        dm.gatheredCoef.resize(rows * static_cast<std::size_t>(n));
        for (int j = 1; j <= n; ++j)
            std::memcpy(dm.gatheredCoef.data() + rows * static_cast<std::size_t>(j - 1),
                        table + static_cast<std::size_t>(kLpMaxRows) * static_cast<std::size_t>(j), rows * sizeof(double));
        dm.gatheredSenses.assign(senses, senses + m);
        dm.gatheredAny = ctx.any;
    }

    // The model keeps its rows after an infeasible solve too; a later warm
    // start that does not end optimal is proved again from the slack basis.
    dm.ready = !dm.handler->severe;
    dm.optimal = optimal && dm.ready;
    dm.tableRows = ctx.tableRows;
    dm.rhs = ctx.rhs;
    dm.prices.assign(prices + 1, prices + 1 + n);
    ctx.last.optimal = optimal;
    if (!optimal) return;
    KeepGiven(dm, m, n, table, senses);
    const double* x = dm.model->primalColumnSolution();
    const double* dj = dm.model->dualColumnSolution();
    for (int j = 0; j < n; ++j) {
        solution[j] = x[j];
        solution[kLpMaxColumns + j] = dj[j];
    }
}

}  // namespace

void LPROGR(LpSolverCache& cache, int32_t* diet, int32_t* status, int32_t* rows, int32_t* cols, double* scratch,
            double* solution, double* rowResults, double* prices, double* colResults, double* table,
            int32_t* senses, double* work1, double* work2, double* work3) {
    (void)scratch;
    (void)rowResults;
    (void)colResults;
    (void)work1;
    (void)work2;
    (void)work3;
    if (!solution) return;
    const int m = rows ? *rows : 0;
    const int n = cols ? std::clamp(*cols, 0, kLpMaxColumns) : 0;
    std::fill(solution, solution + 2 * kLpMaxColumns, 0.0);
    if (status) *status = 0;
    if (!table || !senses || !prices || m < 0 || m > kLpMaxRows || n <= 0 || (cols && *cols > kLpMaxColumns)) {
        if (status) *status = 1;
        return;
    }
    Context* ctx = nullptr;
    try {
        ctx = &ContextOf(cache);
        Solve(*ctx, diet ? *diet : 0, m, n, table, senses, prices, solution);
    } catch (...) {
        // CoinError, allocation failure or anything else: a failed solve.
        if (ctx) {
            for (auto& dm : ctx->diets) dm.ready = dm.optimal = false;
            ctx->last.optimal = false;
        }
    }
    if (!ctx || !ctx->last.optimal) {
        std::fill(solution, solution + 2 * kLpMaxColumns, 0.0);
        if (status) *status = 1;
    }
}

void LPROGR(int32_t* diet, int32_t* status, int32_t* rows, int32_t* cols, double* scratch, double* solution,
            double* rowResults, double* prices, double* colResults, double* table, int32_t* senses,
            double* work1, double* work2, double* work3) {
    thread_local LpSolverCache cache;
    LPROGR(cache, diet, status, rows, cols, scratch, solution, rowResults, prices, colResults, table, senses, work1,
           work2, work3);
}

void FreshUnlessRepeated(LpSolverCache& cache) {
    if (auto* ctx = static_cast<Context*>(cache.Get())) {
        ctx->last = {};
        for (auto& dm : ctx->diets) dm.stale = true;
    }
}

void ForgetLpBases(LpSolverCache& cache) {
    if (auto* ctx = static_cast<Context*>(cache.Get()))
        for (auto& dm : ctx->diets) dm.ready = false;
}

bool SaveLpBasis(const LpSolverCache& cache, int diet, LpBasis& basis) {
    const auto* ctx = static_cast<const Context*>(cache.Get());
    if (!ctx || diet < 1 || diet > 8) return false;
    const DietModel& dm = ctx->diets[static_cast<std::size_t>(diet)];
    if (dm.stale || !dm.model || !dm.optimal || !dm.model->statusArray()) return false;
    basis.rows = dm.model->numberRows();
    basis.cols = dm.model->numberColumns();
    const unsigned char* st = dm.model->statusArray();
    basis.status.assign(st, st + basis.rows + basis.cols);
    return true;
}

void StartFromLpBasis(LpSolverCache& cache, int diet, const LpBasis& basis) {
    if (diet < 1 || diet > 8) return;
    DietModel& dm = ContextOf(cache).diets[static_cast<std::size_t>(diet)];
    dm.pending = true;
    dm.start = basis;
}

bool LastOptimalLpSolve(const LpSolverCache& cache, int diet, LpSolvedDiet& out) {
    const auto* ctx = static_cast<const Context*>(cache.Get());
    if (!ctx || diet < 1 || diet > 8) return false;
    const DietModel& dm = ctx->diets[static_cast<std::size_t>(diet)];
    if (dm.stale || !dm.model || !dm.optimal || dm.cols <= 0) return false;
    ClpSimplex& m = *dm.model;
    const int n = dm.cols;
    const int k = static_cast<int>(dm.senses.size());
    if (m.numberColumns() != n || m.numberRows() != k || static_cast<int>(dm.tableRows.size()) != k ||
        !m.primalColumnSolution())
        return false;
    out.cols = n;
    out.tableRows = dm.tableRows;
    out.senses = dm.senses;
    out.rhs = dm.rhs;
    out.coef = dm.coef;
    out.prices = dm.prices;
    const double* x = m.primalColumnSolution();
    out.x.assign(x, x + n);
    out.basicColumn.assign(static_cast<std::size_t>(n), 0);
    out.basicRow.assign(static_cast<std::size_t>(k), 0);
    for (int j = 0; j < n; ++j)
        out.basicColumn[static_cast<std::size_t>(j)] = m.getColumnStatus(j) == ClpSimplex::basic ? 1 : 0;
    for (int i = 0; i < k; ++i)
        out.basicRow[static_cast<std::size_t>(i)] = m.getRowStatus(i) == ClpSimplex::basic ? 1 : 0;
    return true;
}

LpSolveInfo LastLpSolve(const LpSolverCache& cache) {
    const auto* ctx = static_cast<const Context*>(cache.Get());
    return ctx ? ctx->last : LpSolveInfo{};
}

}  // namespace tarvisol
