#pragma once
// Why a diet is infeasible: the smallest relaxation of its limits that makes
// it feasible. Every nutrient limit and every ingredient minimum and maximum
// of the diet's LP may be violated, at a cost of the violation divided by the
// limit (a relative violation); the total of 100 % and an ingredient the user
// excluded (a negative maximum) are never relaxed. The least total relative
// violation names the limits to change and by how much.
//
// A separate solve: the diet's kept model and basis are not touched, so a
// later formulation gives exactly what it would have given without it.
#include <string>
#include <vector>

#include "shared/SharedState.h"

namespace tarvisol {

struct Relaxation {
    bool ingredient = false;  // false: a nutrient limit; true: an ingredient limit
    int index = 0;            // nutrient index k, or ingredient i (1-based)
    std::string name;
    int bound = 1;            // 1 minimum, 2 maximum
    double limit = 0;         // as the LP holds it (matrix units; percent for ingredients)
    double needed = 0;        // the limit that makes the diet feasible
    double relative = 0;      // |needed - limit| / |limit| (the violation itself when the limit is 0)
};

struct DietDiagnosis {
    bool diagnosed = false;          // relaxations found (possibly none: see reason)
    std::vector<Relaxation> relaxations;  // largest relative violation first
    double totalRelativeViolation = 0;
    std::string reason;              // when there is nothing to relax, why the diet has no formula
};

// The diagnosis of diet d from the record's matrix and limits, laid out as
// BuildLp lays out the diet. Reads the record only.
DietDiagnosis DiagnoseDiet(const SharedState& s, int d);

// The lines that follow "Diet No<d>was Infeasible": one per relaxation, e.g.
// "HISTIDINE minimum 1.6: at most 1.213 reachable with these ingredients and limits",
// or the reason. A needed value is rounded towards feasibility, so typing it
// in makes the diet feasible.
std::vector<std::string> DiagnosisLines(const DietDiagnosis& diagnosis);

// The infeasible-diet message: "Diet No" + d + "was Infeasible", then the
// diagnosis lines, each on a line of its own.
std::string InfeasibleDietMessage(const SharedState& s, int d);

// A limit's value rounded to four significant figures towards `up` (true:
// upwards) for messages and tables: "1.213", "2450", "0.07125".
std::string FormatLimitToward(double value, bool up);

}  // namespace tarvisol
