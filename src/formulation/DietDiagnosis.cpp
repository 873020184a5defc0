#include "formulation/DietDiagnosis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "formulation/Formulate.h"
#include "formulation/LpElastic.h"
#include "formulation/LpRowPlan.h"
#include "shared/Numbers.h"

namespace tarvisol {
namespace {

// The solver takes coefficients this small as zero (and drops a row of them).
constexpr double kTinyCoefficient = 1e-30;

std::string NutrientName(const SharedState& s, int k) {
    std::string name = k + 1 <= 121 ? s.NutrientNames(k + 1) : std::string();
    return name.empty() ? "Nutrient " + std::to_string(k) : name;
}

std::string LimitText(const Relaxation& r) { return FormatExact(r.limit) + (r.ingredient ? " %" : ""); }
std::string NeededText(const Relaxation& r) {
    return FormatLimitToward(r.needed, r.bound == 2) + (r.ingredient ? " %" : "");
}

}  // namespace

std::string FormatLimitToward(double value, bool up) {
    if (value == 0 || !std::isfinite(value)) return FormatExact(value);
    const int e = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(3 - e, 0, 9);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // A hair of slack so that a value already on the grid is not moved a step.
    const double rounded = up ? std::ceil(scaled - 1e-9) : std::floor(scaled + 1e-9);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded / scale);
    std::string text = buf;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

DietDiagnosis DiagnoseDiet(const SharedState& s, int d) {
    DietDiagnosis out;
    if (d < 1 || d > 8) {
        out.reason = "not a diet of the programme";
        return out;
    }
    const int n = s.IngredientCount;
    if (n <= 0) {
        out.reason = "the ingredient matrix holds no ingredient";
        return out;
    }
    // Not laid out for the solver: what kept it out is the reason, not its limits.
    if (NotLaidOutFor(s.DietLpReason(d))) {
        out.reason = s.DietLpReason(d);
        return out;
    }
    const LpRowPlan plan = PlanLpRows(s, d);
    if (plan.refused) {
        out.reason = "more restrictions than one diet's LP holds (at most 61 nutrient rows and 320 rows in all)";
        return out;
    }

    std::vector<ElasticRow> rows;
    std::vector<const LpPlannedRow*> of;
    for (const LpPlannedRow& p : plan.rows) {
        ElasticRow r;
        r.sense = p.sense;
        r.rhs = p.rhs;
        r.coef.resize(static_cast<std::size_t>(n));
        bool any = false;
        for (int j = 1; j <= n; ++j) {
            const double a = PlannedCoefficient(s, p, j);
            r.coef[static_cast<std::size_t>(j - 1)] = std::fabs(a) > kTinyCoefficient ? a : 0.0;
            any = any || r.coef[static_cast<std::size_t>(j - 1)] != 0;
        }
        if (!any) continue;  // constrains nothing, as in the diet's own solve
        const bool total = p.kind == LpRowKind::Weight || (p.kind == LpRowKind::NutrientMaximum && p.index == 0);
        const bool excluded = p.kind == LpRowKind::IngredientMaximum && s.IngredientLimits(d, 2, p.index) < 0;
        r.costPerUnit = total || excluded ? 0 : 1 / (p.rhs != 0 ? std::fabs(p.rhs) : 1.0);
        rows.push_back(std::move(r));
        of.push_back(&p);
    }

    const ElasticResult e = SolveElasticLp(n, rows);
    if (e.status == ElasticResult::Status::NoFeasiblePoint) {
        out.reason = "the ingredients allowed in this diet cannot make up its 100 %";
        return out;
    }
    if (e.status != ElasticResult::Status::Solved) {
        out.reason = "the relaxation of its limits could not be solved";
        return out;
    }
    out.diagnosed = true;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double v = e.violation[i];
        if (!(v > 0) || rows[i].costPerUnit == 0) continue;
        const LpPlannedRow& p = *of[i];
        Relaxation r;
        r.ingredient = p.kind == LpRowKind::IngredientMinimum || p.kind == LpRowKind::IngredientMaximum;
        r.index = p.index;
        r.name = r.ingredient ? s.IngredientNames(p.index) : NutrientName(s, p.index);
        r.bound = p.sense > 0 ? 1 : 2;
        r.limit = p.rhs;
        r.needed = p.sense > 0 ? p.rhs - v : p.rhs + v;
        r.relative = v * rows[i].costPerUnit;
        out.totalRelativeViolation += r.relative;
        out.relaxations.push_back(std::move(r));
    }
    std::stable_sort(out.relaxations.begin(), out.relaxations.end(),
                     [](const Relaxation& a, const Relaxation& b) { return a.relative > b.relative; });
    if (out.relaxations.empty()) out.reason = "every limit can be met as laid out: the solver did not prove it";
    return out;
}

std::vector<std::string> DiagnosisLines(const DietDiagnosis& g) {
    std::vector<std::string> lines;
    if (g.relaxations.empty()) {
        if (!g.reason.empty()) lines.push_back("Not diagnosed: " + g.reason);
        return lines;
    }
    if (g.relaxations.size() == 1) {
        const Relaxation& r = g.relaxations[0];
        const std::string head = r.name + " " + (r.bound == 2 ? "maximum " : "minimum ") + LimitText(r) + ": ";
        if (r.bound == 1)
            lines.push_back(head + "at most " + NeededText(r) + (r.ingredient ? " possible" : " reachable") +
                            " with these ingredients and limits");
        else
            lines.push_back(head + "at least " + NeededText(r) + (r.ingredient ? " needed" : " unavoidable") +
                            " with these ingredients and limits");
        return lines;
    }
    lines.push_back("Feasible when these limits change together:");
    for (const Relaxation& r : g.relaxations)
        lines.push_back(r.name + " " + (r.bound == 2 ? "maximum " : "minimum ") + LimitText(r) + ": " +
                        (r.bound == 2 ? "raise to " : "lower to ") + NeededText(r));
    return lines;
}

std::string InfeasibleDietMessage(const SharedState& s, int d) {
    std::string text = "Diet No" + std::to_string(d) + "was Infeasible";
    for (const std::string& line : DiagnosisLines(DiagnoseDiet(s, d))) text += "\n" + line;
    return text;
}

}  // namespace tarvisol
