#include "formulation/Formulate.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <string>

#include "formulation/DietDiagnosis.h"
#include "formulation/FormulationFiles.h"
#include "formulation/Lprogr.h"
#include "shared/Dialogs.h"
#include "shared/MainWindowForm.h"
#include "shared/Numbers.h"
#include "shared/ShownFigures.h"
#include "shared/RuntimeError.h"

namespace tarvisol {
namespace {

// Layout of the table: rows 1..61 nutrient minimums, row 62 the first of the
// maximum block, 320 rows in all.
constexpr int kMinimumBlock = 61;
constexpr int kTableRows = 320;
constexpr int kWarnRows = 150;
// The highest nutrient index with a matrix column (k + 1 <= 121).
constexpr int kLastNutrientWithColumn = 120;
// The highest nutrient index a restriction may name.
constexpr int kMaxNutrientIndex = 121;

int LastFormulatedNutrient(const SharedState& s) { return std::min(s.NutrientCount, kLastNutrientWithColumn); }

// Zeroes the block of LpTable written since the last clear; every other
// coefficient is already zero.
void ClearUsedCoefficients(SharedState& s) {
    if (s.LpUsedRows <= kTableRows && s.LpUsedColumns <= kLpMaxColumns) {
        // Column after column, the rows written: one stretch of the table each.
        double* table = s.LpTable.data();
        for (int j = 1; j <= s.LpUsedColumns && s.LpUsedRows > 0; ++j)
            std::fill_n(table + static_cast<std::ptrdiff_t>(kTableRows) * j, s.LpUsedRows, 0.0);
    } else {
        for (int j = 1; j <= s.LpUsedColumns; ++j)
            for (int r = 1; r <= s.LpUsedRows; ++r) s.LpTable(r, j) = 0;
    }
    s.LpUsedRows = 0;
    s.LpUsedColumns = 0;
}

// A value as the user typed it, in its shortest exact form.
std::string Shortest(double v) {
    if (!std::isfinite(v)) return FormatExact(v);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string ColumnName(const SharedState& s, int c) {
    return s.NutrientNames(c).empty() ? DefaultColumnLabel(c) : s.NutrientNames(c);
}

// A coefficient or price the solver cannot take (not a number, or beyond the
// magnitudes it works with): the first one found, as a reason text; empty
// when every value laid out for diet d is usable.
std::string UnusableValue(const SharedState& s, int nr) {
    const auto usable = [](double a) { return std::isfinite(a) && std::fabs(a) <= kLpMaxCoefficient; };
    for (int j = 1; j <= s.IngredientCount; ++j) {
        for (int r = 1; r <= nr; ++r) {
            const int c = s.LpNutrientColumns(r);
            const double v = s.IngredientMatrix(c, j);
            if (!usable(v / 100))
                return "the " + ColumnName(s, c) + " value of " + s.IngredientNames(j) + " (" + Shortest(v) + ")" +
                       kTooLargeForSolverEnd;
        }
        if (!usable(s.IngredientPrices(j)))
            return "the price of " + s.IngredientNames(j) + " (" + Shortest(s.IngredientPrices(j)) + ")" +
                   kTooLargeForSolverEnd;
    }
    return {};
}

// Every value UnusableValue looks at is usable: read row by row of the matrix.
bool AllUsable(const SharedState& s, int nr) {
    const auto usable = [](double a) { return std::isfinite(a) && std::fabs(a) <= kLpMaxCoefficient; };
    const int n = s.IngredientCount;
    if (n > 100) return false;  // beyond the matrix: UnusableValue has the last word
    for (int r = 1; r <= nr; ++r) {
        const double* row = s.IngredientMatrix.Row(s.LpNutrientColumns(r));
        for (int j = 1; j <= n; ++j)
            if (!usable(row[j] / 100)) return false;
    }
    for (int j = 1; j <= n; ++j)
        if (!usable(s.IngredientPrices(j))) return false;
    return true;
}

// Diet d limits at least one nutrient. Without any, the least-cost "diet" is
// the cheapest ingredient alone, which is no feed. While the feed-weight
// search ties the protein maximum to the minimum, that maximum is its own
// doing and does not count.
bool HasNutrientRestrictions(const SharedState& s, int d) {
    const bool tiedProtein = s.OptimiseStage == 1 || s.OptimiseStage == 3;
    for (int k = 1; k <= LastFormulatedNutrient(s); ++k) {
        const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
        if (lo != 0 && std::isfinite(lo) && lo > -kLpNoLimit) return true;
        if (hi > 0 && hi < kLpNoLimit && !(tiedProtein && k == 2)) return true;
    }
    return false;
}

// The first minimum of diet d on a nutrient that no ingredient holds (its
// row would be all zeros, which the solver drops, so the minimum would pass
// unseen), as a reason text; empty when there is none.
std::string MinimumNoIngredientHolds(const SharedState& s, int d) {
    const int last = std::min<int>(s.NutrientCount, kMaxNutrientIndex);
    for (int k = 1; k <= last; ++k) {
        const double lo = s.NutrientLimits(d, 1, k);
        if (!(lo > 0)) continue;
        const int c = k + 1;
        bool held = false;
        for (int j = 1; j <= s.IngredientCount && c <= kLastNutrientWithColumn + 1 && !held; ++j)
            held = s.IngredientMatrix(c, j) != 0;
        if (held) continue;
        std::string name = c <= kLastNutrientWithColumn + 1 ? s.NutrientNames(c) : std::string();
        if (name.empty()) name = c <= 15 ? DefaultColumnLabel(c) : "nutrient " + std::to_string(k);
        return kNoIngredientHoldsStart + name + " (" + Shortest(lo) + ") cannot be met: no ingredient holds it";
    }
    return {};
}

// Nothing is laid out: LPCOST counts the diet infeasible without a solve.
void Refuse(SharedState& s) {
    s.LpRefused = true;
    s.LpRowCount = 0;
}

}  // namespace

void TieProteinMaximum(SharedState& s, int16_t& d) {
    if (s.ProteinRange(d) == 0)
        s.NutrientLimits(d, 2, 2) = 0;
    else
        s.NutrientLimits(d, 2, 2) = s.NutrientLimits(d, 1, 2) + s.ProteinRange(d);
}

void CheckLimitOrder(SharedState& s, int16_t& answer) {
    for (int i = 1; i <= s.DietCount; ++i) {
        for (int j = 1; j <= s.IngredientCount; ++j) {
            const double hi = s.IngredientLimits(i, 2, j);
            if (hi > 0 && hi < s.IngredientLimits(i, 1, j)) {
                DialogsOf(s).Message(s.IngredientNames(j) + " in diet " + std::to_string(i) +
                                     " has a maximum limit less than its minimum");
                answer = 1;
            }
        }
        for (int k = 1; k <= s.NutrientCount; ++k) {
            const double hi = s.NutrientLimits(i, 2, k);
            if (hi > 0 && hi < s.NutrientLimits(i, 1, k)) s.NutrientLimits(i, 2, k) = s.NutrientLimits(i, 1, k);
        }
    }
}

void BuildLp(SharedState& s, int32_t& d) {
    s.LpRowCount = kMinimumBlock;
    s.LpRefused = false;
    s.DietLpReason(d).clear();
    if (s.OptimiseStage == 1 || s.OptimiseStage == 3) {
        int16_t dd = static_cast<int16_t>(d);
        TieProteinMaximum(s, dd);
        for (int i = 1; i <= s.DietCount; ++i)
            if (s.NutrientLimits(i, 2, 2) == 0) s.NutrientLimits(i, 2, 2) = s.NutrientLimits(i, 1, 2) + 0.25;
    }
    int16_t answer = 0;
    CheckLimitOrder(s, answer);
    if (!HasNutrientRestrictions(s, d)) {
        DialogsOf(s).Message("Diet " + std::to_string(d) + " has no nutrient restrictions and was not formulated");
        s.DietLpReason(d) = kNoNutrientRestrictions;
        Refuse(s);
        return;
    }

    ClearUsedCoefficients(s);
    s.LpRowSense.Fill(0);
    for (int r = 1; r <= 121; ++r) s.LpNutrientColumns(r) = 0;
    for (int r = 1; r <= 15; ++r) s.LpNutrientColumns(r) = static_cast<int16_t>(r);

    // The weight and the fourteen fixed nutrients always get a row; further
    // nutrients only where the diet restricts them.
    int nr = 15;
    for (int k = 15; k <= LastFormulatedNutrient(s); ++k)
        if (s.NutrientLimits(d, 1, k) != 0 || s.NutrientLimits(d, 2, k) != 0)
            s.LpNutrientColumns(++nr) = static_cast<int16_t>(k + 1);
    s.LpNutrientRows = static_cast<int16_t>(nr);

    // Count the rows first: a diet that does not fit the table is refused
    // before anything is written.
    // The weight's 100 % (row 1) is an equality: its "maximum", which LPCOST
    // records, is no row of its own.
    int maxRows = 0;
    for (int r = 2; r <= nr; ++r)
        if (s.NutrientLimits(d, 2, s.LpNutrientColumns(r) - 1) > 0) ++maxRows;
    int ingredientRows = 0;
    for (int j = 1; j <= s.IngredientCount; ++j) {
        if (std::max(s.IngredientLimits(d, 1, j), 0.0) > 0) ++ingredientRows;
        const double hi = s.IngredientLimits(d, 2, j);
        if (!(hi >= 100 || hi == 0)) ++ingredientRows;
    }
    const int total = kMinimumBlock + 1 + maxRows + ingredientRows;
    if (nr > kMinimumBlock || total > kTableRows) {
        DialogsOf(s).Message(kTooManyRestrictions + std::to_string(d));
        s.DietLpReason(d) = nr > kMinimumBlock
                                ? "too many restrictions: " + std::to_string(nr) + " nutrient minimum rows, the table holds " +
                                      std::to_string(kMinimumBlock)
                                : "too many restrictions: " + std::to_string(total) + " rows, the table holds " +
                                      std::to_string(kTableRows);
        Refuse(s);
        return;
    }
    if (std::string reason = MinimumNoIngredientHolds(s, d); !reason.empty()) {
        std::string message = reason;
        message[0] = 'T';
        DialogsOf(s).Message(message + "; Diet " + std::to_string(d) + " was not formulated");
        s.DietLpReason(d) = std::move(reason);
        Refuse(s);
        return;
    }
    // A value the solver cannot take would make the whole diet fail without
    // a word; it is named instead.
    if (std::string reason = AllUsable(s, nr) ? std::string() : UnusableValue(s, nr); !reason.empty()) {
        std::string message = reason;
        message[0] = 'T';
        DialogsOf(s).Message(message + "; Diet " + std::to_string(d) + " was not formulated");
        s.DietLpReason(d) = std::move(reason);
        Refuse(s);
        return;
    }

    const int n = s.IngredientCount;
    if (n <= 100) {
        double* table = s.LpTable.data();
        for (int r = 1; r <= nr; ++r) {
            const double* row = s.IngredientMatrix.Row(s.LpNutrientColumns(r));
            for (int j = 1; j <= n; ++j) table[(r - 1) + static_cast<std::ptrdiff_t>(kTableRows) * j] = row[j] / 100;
        }
    } else {
        for (int j = 1; j <= n; ++j)
            for (int r = 1; r <= nr; ++r) s.LpTable(r, j) = s.IngredientMatrix(s.LpNutrientColumns(r), j) / 100;
    }

    s.LpTable(1, 0) = 100;
    s.LpRowSense(1) = 0;
    for (int r = 2; r <= nr; ++r) {
        s.LpScratchValue = s.NutrientLimits(d, 1, s.LpNutrientColumns(r) - 1);
        s.LpTable(r, 0) = s.LpScratchValue;
        s.LpRowSense(r) = 1;
    }

    s.LpTable(kMinimumBlock + 1, 0) = 100;
    int k = 1;
    for (int r = 2; r <= nr; ++r) {
        const double m = s.NutrientLimits(d, 2, s.LpNutrientColumns(r) - 1);
        if (m > 0) {
            ++k;
            const int q = kMinimumBlock + k;
            s.LpScratchValue = m;
            s.LpTable(q, 0) = m;
            s.LpRowSense(q) = -1;
            for (int j = 1; j <= n; ++j) s.LpTable(q, j) = s.LpTable(r, j);
        }
    }
    int rows = kMinimumBlock + k;

    for (int j = 1; j <= n; ++j) {
        const double lo = std::max(s.IngredientLimits(d, 1, j), 0.0);
        if (lo > 0) {
            ++rows;
            s.LpRowSense(rows) = 1;
            s.LpTable(rows, 0) = lo;
            s.LpTable(rows, j) = 1;
        }
        const double hi = s.IngredientLimits(d, 2, j);
        if (!(hi >= 100 || hi == 0)) {
            ++rows;
            s.LpRowSense(rows) = -1;
            s.LpTable(rows, 0) = hi < 0 ? 0 : hi;
            s.LpTable(rows, j) = 1;
        }
    }
    s.LpRowCount = static_cast<int16_t>(rows);
    s.LpUsedRows = static_cast<int16_t>(rows);
    s.LpUsedColumns = static_cast<int16_t>(n);
    if (rows > kWarnRows) DialogsOf(s).Message(kTooManyRestrictions + std::to_string(d));
}

void LPCOST(SharedState& s, int d) {
    try {
        s.DietFaults(d) = 0;
        if (s.LpRefused) {
            // Not laid out: formulated as nothing, which counts as infeasible below.
            for (int j = 1; j <= 260; ++j) s.LpSolution(j, 1) = 0;
        } else {
            int32_t diet = d, status = 0, rows = s.LpRowCount, cols = s.IngredientCount;
            LPROGR(s.LpCache, &diet, &status, &rows, &cols, &s.LpScratchValue, s.LpSolution.data(),
                   s.LpRowResults.data(), s.IngredientPrices.data(), s.LpColumnResults.data(), s.LpTable.data(),
                   s.LpRowSense.data(), s.LpWork1.data(), s.LpWork2.data(), s.LpWork3.data());
        }
        s.NutrientLimits(d, 1, 0) = 100;
        s.NutrientLimits(d, 2, 0) = 100;

        const int n = s.IngredientCount;
        double sum = 0;
        for (int j = 1; j <= n; ++j) {
            const double x = s.LpSolution(j, 1);
            s.DietFormula(d, j) = x > 0 ? x : 0;
            sum += s.DietFormula(d, j);
        }
        const bool solved = !s.LpRefused && LastLpSolve(s.LpCache).optimal;
        if (sum < 99.9) ++s.DietFaults(d);
        if (sum > 100.1) ++s.DietFaults(d);

        const double* formula = n >= 1 ? s.DietFormula.Row(d) : nullptr;
        for (int k = 0; k <= LastFormulatedNutrient(s); ++k) {
            double content = 0;
            if (n <= 100) {
                const double* row = s.IngredientMatrix.Row(k + 1);
                for (int j = 1; j <= n; ++j) content += row[j] * formula[j];
            } else {
                for (int j = 1; j <= n; ++j) content += s.IngredientMatrix(k + 1, j) * s.DietFormula(d, j);
            }
            content /= 100;
            s.DietNutrients(d, k) = content;
            if (content > 0 && content < 0.99 * s.NutrientLimits(d, 1, k)) ++s.DietFaults(d);
            const double hi = s.NutrientLimits(d, 2, k);
            if (hi > 0 && content > 1.01 * hi) ++s.DietFaults(d);
        }
        if (s.DietFaults(d) > 0) {
            if (s.DietLpReason(d).empty())
                s.DietLpReason(d) = solved ? "the solution misses a restriction by more than 1 %"
                                           : "infeasible: no mix of the ingredients meets every restriction";
            return;
        }

        for (int j = 1; j <= n; ++j) {
            const double lo = s.IngredientLimits(d, 1, j);
            if (lo > 0 && s.IngredientLimits(d, 2, j) != -1 && s.DietFormula(d, j) * 1.01 < lo) {
                if (s.OptimiseStage == 0)
                    DialogsOf(s).Message("WARNING - Diet " + std::to_string(d) + " has less than the minimum of " +
                                         s.IngredientNames(j) +
                                         ".  Check Nutrient Values and Max restrictions that it provides.");
                else
                    s.DietFaults(d) = 1;
            }
        }
        if (s.DietFaults(d) > 0) {
            s.DietLpReason(d) = "an ingredient falls below its minimum";
            return;
        }

        double price = 0;
        for (int j = 1; j <= n; ++j) price += s.DietFormula(d, j) * s.IngredientPrices(j) / 100;
        s.DietPrice(d) = price;
        s.DietNutrients(d, 0) = price;
    } catch (const std::exception& e) {
        DialogsOf(s).Message(TrappedErrorMessage(e, kLpcostTail));
    }
}

bool NotLaidOutFor(const std::string& reason) {
    const std::string end = kTooLargeForSolverEnd;
    return reason == kNoNutrientRestrictions || reason.rfind(kNoIngredientHoldsStart, 0) == 0 ||
           (reason.size() >= end.size() && reason.compare(reason.size() - end.size(), end.size(), end) == 0);
}

bool DietFormulated(const SharedState& s, int d) { return s.DietFaults(d) == 0 && s.DietLpReason(d).empty(); }

std::vector<int> UnpricedIngredients(const SharedState& s, int d) {
    std::vector<int> out;
    for (int j = 1; j <= s.IngredientCount; ++j)
        if (s.DietFormula(d, j) > 0 && s.IngredientPrices(j) == 0) out.push_back(j);
    return out;
}

std::string UnpricedNames(const SharedState& s, int d) {
    std::string names;
    for (int j : UnpricedIngredients(s, d)) names += (names.empty() ? "" : ", ") + s.IngredientNames(j);
    return names;
}

void FormulateDiet(SharedState& s, int d) {
    int32_t dd = d;
    BuildLp(s, dd);
    LPCOST(s, dd);
}

void RunLp(SharedState& s) {
    const int n = s.DietCount;
    if (s.IngredientPrices(1) == 0) {
        // Nothing is formulated; no diet keeps an earlier formula as this run's.
        std::string names;
        for (int j = 1; j <= s.IngredientCount; ++j)
            if (s.IngredientPrices(j) == 0) names += (names.empty() ? "" : ", ") + s.IngredientNames(j);
        if (names.empty()) names = "no ingredient matrix is loaded";
        DialogsOf(s).Message(std::string(kPricesMissing) + ": " + names);
        const std::string reason = s.IngredientCount > 0 ? "prices are missing for " + names : names;
        for (int d = 1; d <= n && d <= 8; ++d) s.DietLpReason(d) = reason;
        return;
    }
    for (int d = 1; d <= n; ++d) {
        s.ProteinRange(d) = std::max(s.NutrientLimits(d, 2, 2) - s.NutrientLimits(d, 1, 2), 0.0);
        FormulateDiet(s, d);
        // "Diet No<d>was Infeasible", followed by the limits to change.
        // A diet refused for what its message already named (no nutrient
        // restrictions, a minimum no ingredient holds) has nothing to diagnose.
        if (s.DietFaults(d) > 0 && !NotLaidOutFor(s.DietLpReason(d))) DialogsOf(s).Message(InfeasibleDietMessage(s, d));
        else if (const std::string names = UnpricedNames(s, d); !names.empty())
            DialogsOf(s).Message("Diet " + std::to_string(d) + " includes " + names +
                                 " without a price: its price leaves " + names + " out");
        // A diet formulated shows its price; one that was not keeps the
        // cell as it was until NUTVALS marks it.
        if (s.Main && DietFormulated(s, d)) {
            s.Main->Griddiets.EnsureCell(2, d);
            ShowFigure(s.Main->Griddiets, 2, d, s.DietPrice(d), PriceToMetric(s));
        }
        int16_t dd = static_cast<int16_t>(d);
        NUTVALS(s, dd);
    }
}

void NUTVALS(SharedState& s, int16_t& d) {
    if (!s.Main) return;
    Grid& g = s.Main->Griddiets;
    g.EnsureCell(2, d);
    if (s.DietFaults(d) != 0) {
        // The price the cell showed is kept for the diet file; a cell
        // already marked keeps the price it was given before.
        if (d >= 1 && d <= 8 && g.TextMatrix(2, d).find(kInfeasibleMark) == std::string::npos)
            s.PriceBeforeMark(d) = g.TextMatrix(2, d);
        g.SetTextMatrix(2, d, FormatAuto(s.DietNutrients(d, 0)) + kInfeasibleMark);
        g.SetCellBackColor(2, d, kNoColor);
        // The contents shown are an earlier formulation's, not this diet's.
        for (int k = 1; k <= s.NutrientCount - 1 && k + 3 < g.Rows(); ++k)
            g.SetCellBackColor(k + 3, d, kPreviousFormulation);
        return;
    }
    ShowFigure(g, 2, d, s.DietPrice(d), PriceToMetric(s));
    g.SetCellBackColor(2, d, UnpricedIngredients(s, d).empty() ? kNoColor : kPriceLeavesOut);
    for (int k = 1; k <= s.NutrientCount - 1; ++k) {
        g.EnsureCell(k + 3, d);
        if (k == 1) ShowFigure(g, k + 3, d, s.DietNutrients(d, k), EnergyToMetric(s));
        else g.SetTextMatrix(k + 3, d, FormatAuto(s.DietNutrients(d, k)));
        if (g.CellBackColor(k + 3, d) == kPreviousFormulation) g.SetCellBackColor(k + 3, d, kNoColor);
    }
}

void ClearFormulationTables(SharedState& s) {
    s.LpTable.Fill(0);
    s.LpUsedRows = 0;
    s.LpUsedColumns = 0;
    // Every cell a matrix or restriction file can fill, so nothing of the
    // matrix loaded before shows in this one.
    for (int c = 0; c <= 121; ++c)
        for (int i = 1; i <= 100; ++i) s.IngredientMatrix(c, i) = 0;
    for (int i = 1; i <= 100; ++i) s.IngredientPrices(i) = 0;
    for (int d = 1; d <= 8; ++d)
        for (int b = 1; b <= 2; ++b) {
            for (int i = 1; i <= 100; ++i) {
                s.IngredientLimits(d, b, i) = 0;
                s.FileIngredientLimits(d, b, i) = 0;
            }
            for (int k = 1; k <= 121; ++k) {
                s.NutrientLimits(d, b, k) = 0;
                s.FileNutrientLimits(d, b, k) = 0;
                s.LoadedNutrientLimits(d, b, k) = 0;
            }
        }
    s.LpCache.Reset();
}

}  // namespace tarvisol
