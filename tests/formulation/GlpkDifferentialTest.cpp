// The whole formulation path (BuildLp, LPROGR over CLP, the checks of LPCOST)
// against an independent LP solver, GLPK's glpsol, run as a program on the
// same diets written straight from the limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "formulation/Formulate.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

bool HaveGlpsol() { return std::system("glpsol --version > /dev/null 2>&1") == 0; }

std::string Num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// The least-cost diet d as a CPLEX-format LP, from the limits alone.
std::string DietAsLp(const SharedState& s, int d) {
    std::ostringstream lp;
    const int n = s.IngredientCount;
    auto row = [&](int c) {
        std::string t;
        for (int j = 1; j <= n; ++j) {
            const double a = s.IngredientMatrix(c, j) / 100;
            if (a != 0) t += " + " + Num(a) + " x" + std::to_string(j);
        }
        return t;
    };
    lp << "Minimize\n obj:";
    for (int j = 1; j <= n; ++j) lp << " + " << Num(s.IngredientPrices(j)) << " x" << j;
    lp << "\nSubject To\n weight:";
    for (int j = 1; j <= n; ++j) lp << " + x" << j;
    lp << " = 100\n";
    for (int k = 1; k < s.NutrientCount; ++k) {
        const double lo = s.NutrientLimits(d, 1, k), hi = s.NutrientLimits(d, 2, k);
        const std::string r = row(k + 1);
        if (r.empty()) continue;
        if (lo != 0) lp << " min" << k << ":" << r << " >= " << Num(lo) << "\n";
        if (hi > 0) lp << " max" << k << ":" << r << " <= " << Num(hi) << "\n";
    }
    lp << "Bounds\n";
    for (int j = 1; j <= n; ++j) {
        const double lo = std::max(s.IngredientLimits(d, 1, j), 0.0), hi = s.IngredientLimits(d, 2, j);
        const bool capped = !(hi >= 100 || hi == 0);
        lp << " " << Num(lo) << " <= x" << j;
        if (capped) lp << " <= " << Num(hi < 0 ? 0 : hi);
        lp << "\n";
    }
    lp << "End\n";
    return lp.str();
}

// Solves with glpsol; returns true when it found an optimum, with its cost.
bool Glpk(const std::string& lpText, const std::filesystem::path& dir, double& cost) {
    const auto lp = dir / "diet.lp", sol = dir / "diet.sol";
    std::ofstream(lp) << lpText;
    std::filesystem::remove(sol);
    const std::string cmd = "glpsol --lp " + lp.string() + " -w " + sol.string() + " > /dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "glpsol failed on\n" << lpText;
    std::ifstream in(sol);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("s bas ", 0) != 0) continue;
        std::istringstream f(line.substr(6));
        int m = 0, cols = 0;
        char pst = 0, dst = 0;
        f >> m >> cols >> pst >> dst >> cost;
        return pst == 'f' && dst == 'f';
    }
    ADD_FAILURE() << "no solution line from glpsol";
    return false;
}

class GlpkDifferential : public ::testing::Test, protected tarvisol::testing::FormulationFixture {};

TEST_F(GlpkDifferential, RandomDemoDietsAgreeOnFeasibilityAndCost) {
    if (!HaveGlpsol()) GTEST_SKIP() << "glpsol (Debian package glpk-utils) is not installed";
    LoadDemo();
    ASSERT_EQ(s->DietCount, 4);
    const auto dir = tarvisol::testing::ScratchFolder("glpk");
    std::mt19937 rng(20261208);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    static constexpr double ratio[15] = {0, 0, 0, 0.42, 0.34, 1.0, 0.18, 0.94, 0, 0.57, 0.29, 0.63, 1.0, 0.52, 0.65};
    int feasible = 0, infeasible = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int d = 1 + trial % 4;
        const double lysine = uniform(0.45, 1.25);
        s->NutrientLimits(d, 1, 1) = uniform(2200, 2680);
        s->NutrientLimits(d, 1, 2) = uniform(10, 21);
        s->NutrientLimits(d, 2, 2) = trial % 3 == 0 ? s->NutrientLimits(d, 1, 2) + uniform(0, 4) : 0;
        for (int k = 3; k <= 14; ++k) s->NutrientLimits(d, 1, k) = lysine * ratio[k] * uniform(0.9, 1.1);
        s->NutrientLimits(d, 1, 15) = uniform(0.4, 0.9);
        s->NutrientLimits(d, 2, 15) = s->NutrientLimits(d, 1, 15) + uniform(0, 0.3);
        s->NutrientLimits(d, 2, 19) = trial % 2 ? uniform(3, 8) : 0;
        for (int j = 1; j <= 17; ++j) {
            const int pick = static_cast<int>(rng() % 8);
            s->IngredientLimits(d, 1, j) = pick == 0 && j <= 7 ? uniform(0, 8) : 0;
            s->IngredientLimits(d, 2, j) = pick == 1 && j > 1   ? -1
                                           : pick == 2 && j <= 7 ? uniform(s->IngredientLimits(d, 1, j) + 1, 60)
                                                                 : s->FileIngredientLimits(d, 2, j);
        }
        FormulateDiet(*s, d);
        double cost = 0;
        const bool glpk = Glpk(DietAsLp(*s, d), dir, cost);
        ASSERT_EQ(s->DietFaults(d) == 0, glpk) << "trial " << trial << "\n" << DietAsLp(*s, d);
        if (glpk) {
            ++feasible;
            EXPECT_NEAR(s->DietPrice(d), cost / 100, 1e-6 * std::max(1.0, cost / 100)) << "trial " << trial;
        } else {
            ++infeasible;
        }
    }
    std::filesystem::remove_all(dir);
    // Both outcomes must have been exercised for the comparison to mean anything.
    EXPECT_GT(feasible, 50);
    EXPECT_GT(infeasible, 20);
}

}  // namespace
