// Why a diet is infeasible: the least relative relaxation of its limits, its
// message, and that diagnosing never changes a later formulation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "formulation/DietDiagnosis.h"
#include "formulation/Formulate.h"
#include "formulation/Lprogr.h"
#include "support/FormulationFixture.h"

using namespace tarvisol;

namespace {

class DietDiagnosisTest : public ::testing::Test, protected tarvisol::testing::FormulationFixture {
protected:
    bool Feasible(int d) {
        FormulateDiet(*s, d);
        return s->DietFaults(d) == 0;
    }
    double& LimitOf(int d, const Relaxation& r) {
        return r.ingredient ? s->IngredientLimits(d, r.bound, r.index) : s->NutrientLimits(d, r.bound, r.index);
    }
    // Sets every relaxed limit part of the way from its limit to what is needed.
    void Apply(int d, const DietDiagnosis& g, double share) {
        for (const Relaxation& r : g.relaxations) LimitOf(d, r) = r.limit + share * (r.needed - r.limit);
    }
};

// Energy 2500 and protein 30 cannot both be met: the cheapest relative change
// (by hand) keeps the protein and lowers the energy to 7000/3.
TEST_F(DietDiagnosisTest, OneLimitOutOfReachIsNamedWithWhatCanBeReached) {
    LoadToyMatrix();
    s->NutrientLimits(1, 1, 2) = 30;
    RunLp(*s);
    ASSERT_GT(s->DietFaults(1), 0);
    const DietDiagnosis g = DiagnoseDiet(*s, 1);
    ASSERT_EQ(g.relaxations.size(), 1u);
    EXPECT_EQ(g.relaxations[0].index, 1);
    EXPECT_NEAR(g.relaxations[0].needed, 7000.0 / 3, 1e-6);
    EXPECT_NEAR(g.totalRelativeViolation, (2500 - 7000.0 / 3) / 2500, 1e-9);
    EXPECT_EQ(dialogs.Messages(),
              std::vector<std::string>{"Diet No1was Infeasible\nNet ENERGY minimum 2500: at most 2333 reachable with these "
                                       "ingredients and limits"});
    // What the message says is reachable is: at 2333 the diet formulates, a
    // little above what is needed it does not.
    s->NutrientLimits(1, 1, 1) = 2333;
    EXPECT_TRUE(Feasible(1));
    s->NutrientLimits(1, 1, 1) = 7000.0 / 3 + 0.01;
    EXPECT_FALSE(Feasible(1));
}

// Protein 50 and energy 2500: relaxing both (all soybean-like B: protein 40,
// energy 2000, 0.2 + 0.2) beats relaxing protein alone (0.5).
TEST_F(DietDiagnosisTest, SeveralLimitsChangeTogetherWhenThatIsSmaller) {
    LoadToyMatrix();
    s->NutrientLimits(1, 1, 2) = 50;
    const DietDiagnosis g = DiagnoseDiet(*s, 1);
    ASSERT_EQ(g.relaxations.size(), 2u);
    EXPECT_NEAR(g.totalRelativeViolation, 0.4, 1e-9);
    const std::vector<std::string> lines = DiagnosisLines(g);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Feasible when these limits change together:");
    // Equal shares: in LP order.
    EXPECT_EQ(lines[1], "Net ENERGY minimum 2500: lower to 2000");
    EXPECT_EQ(lines[2], "PROTEIN minimum 50.00: lower to 40");
}

// On the demo's first diet, a histidine and a lysine minimum out of reach: the
// diagnosis, applied, formulates; any smaller share of it does not.
TEST_F(DietDiagnosisTest, DemoRelaxationAppliedFormulatesAndNoSmallerOneDoes) {
    LoadDemo();
    for (double his : {1.0, 1.6}) {
        RunLp(*s);
        s->NutrientLimits(1, 1, 4) = his;
        s->NutrientLimits(1, 1, 5) = 2.5;
        ASSERT_FALSE(Feasible(1));
        const DietDiagnosis g = DiagnoseDiet(*s, 1);
        ASSERT_TRUE(g.diagnosed);
        ASSERT_FALSE(g.relaxations.empty());
        double total = 0;
        for (const Relaxation& r : g.relaxations) {
            EXPECT_FALSE(r.ingredient && s->IngredientLimits(1, 2, r.index) < 0) << r.name;
            EXPECT_LT(r.bound == 1 ? r.needed : r.limit, r.bound == 1 ? r.limit : r.needed) << r.name;
            total += r.relative;
        }
        EXPECT_NEAR(total, g.totalRelativeViolation, 1e-12);
        Apply(1, g, 0.98);
        EXPECT_FALSE(Feasible(1)) << "a smaller relaxation formulates: not the least";
        Apply(1, g, 1.0);
        EXPECT_TRUE(Feasible(1));
        // One limit named: a hair short of what it needs does not formulate.
        if (g.relaxations.size() == 1) {
            const Relaxation& r = g.relaxations[0];
            LimitOf(1, r) = r.needed + (r.bound == 1 ? 1 : -1) * 1e-3 * std::fabs(r.needed);
            EXPECT_FALSE(Feasible(1)) << r.name;
        }
        LoadDemo();
    }
}

// Excluded ingredients stay out and the 100 % stays: with B excluded, protein
// 16 must come down to what A and C give (10), never through B.
TEST_F(DietDiagnosisTest, ExcludedIngredientsAndTheTotalAreNeverRelaxed) {
    LoadToyMatrix();
    s->NutrientLimits(1, 1, 1) = 0;
    s->IngredientLimits(1, 2, 2) = -1;
    DietDiagnosis g = DiagnoseDiet(*s, 1);
    ASSERT_EQ(g.relaxations.size(), 1u);
    EXPECT_FALSE(g.relaxations[0].ingredient);
    EXPECT_NEAR(g.relaxations[0].needed, 10, 1e-9);

    for (int j = 1; j <= 3; ++j) s->IngredientLimits(1, 2, j) = -1;
    g = DiagnoseDiet(*s, 1);
    EXPECT_FALSE(g.diagnosed);
    EXPECT_EQ(DiagnosisLines(g),
              std::vector<std::string>{"Not diagnosed: the ingredients allowed in this diet cannot make up its 100 %"});
}

// Ingredient limits are relaxed like nutrient limits, relative to the limit.
TEST_F(DietDiagnosisTest, AnIngredientLimitCanBeTheOneToChange) {
    LoadToyMatrix();
    // C at least 90 %: lowering it to about 14 % (0.85 of 90) is a smaller
    // change than giving up most of the energy and protein.
    s->IngredientLimits(1, 1, 3) = 90;
    const DietDiagnosis g = DiagnoseDiet(*s, 1);
    ASSERT_TRUE(g.diagnosed);
    bool named = false;
    for (const Relaxation& r : g.relaxations) named = named || (r.ingredient && r.name == "C" && r.bound == 1);
    EXPECT_TRUE(named);
    Apply(1, g, 1.0);
    EXPECT_TRUE(Feasible(1));
}

// Diagnosing solves a model of its own: Run LP after it gives, bit for bit and
// with the same warm starts, what Run LP gives when no diagnosis ran.
TEST_F(DietDiagnosisTest, RunLpAfterADiagnosisIsRunLpWithoutOne) {
    tarvisol::testing::FormulationFixture other;
    for (auto* f : {static_cast<FormulationFixture*>(this), &other}) {
        f->LoadDemo();
        RunLp(*f->s);
        f->s->NutrientLimits(2, 1, 1) = 4000;
    }
    RunLp(*s);  // diagnoses diet 2
    for (int i = 0; i < 3; ++i) (void)DiagnoseDiet(*s, 2);
    for (int d = 1; d <= other.s->DietCount; ++d) {  // Run LP's formulations without the messages
        other.s->ProteinRange(d) = std::max(other.s->NutrientLimits(d, 2, 2) - other.s->NutrientLimits(d, 1, 2), 0.0);
        FormulateDiet(*other.s, d);
    }
    for (auto* f : {static_cast<FormulationFixture*>(this), &other}) f->s->NutrientLimits(2, 1, 1) = 2450;
    for (int d = 1; d <= 4; ++d) {
        FormulateDiet(*s, d);
        FormulateDiet(*other.s, d);
        EXPECT_EQ(LastLpSolve(s->LpCache).warm, LastLpSolve(other.s->LpCache).warm) << d;
        EXPECT_EQ(s->DietPrice(d), other.s->DietPrice(d)) << d;
        for (int j = 1; j <= s->IngredientCount; ++j) EXPECT_EQ(s->DietFormula(d, j), other.s->DietFormula(d, j)) << d;
    }
}

TEST(FormatLimitToward, FourFiguresRoundedTowardsFeasibility) {
    EXPECT_EQ(FormatLimitToward(1.21349, false), "1.213");
    EXPECT_EQ(FormatLimitToward(1.21341, true), "1.214");
    EXPECT_EQ(FormatLimitToward(2333.3333, false), "2333");
    EXPECT_EQ(FormatLimitToward(0.071251, true), "0.07126");
    EXPECT_EQ(FormatLimitToward(40.0000000001, false), "40");
    EXPECT_EQ(FormatLimitToward(-0.31, false), "-0.31");
}

}  // namespace
